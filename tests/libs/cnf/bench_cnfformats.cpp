#include "benchscale.h"
#include "cnf/adapterconfig.h"
#include "cnf/tiverkiiconfig.h"
#include "cnf/zu_moltconfig.h"
#include "formatfixture.h"

#include <QtTest>

// Load and save of the adapter, TIVERK II and ZU_MOLT files with a
// configuration of about 5 MB: many programs with steps and timelines, and a
// large native tree. Run: build with -DBUILD_BENCHMARKS=ON, then
// build/bench/bench_cnf_formats [size factor, 1 by default] [QtTest options].
namespace {

// scale: a factor of the 2,000 programs and 20,000 native records.
void fillLarge(CnfController &c, bool zuMolt, double scale)
{
    if (zuMolt)
        FormatFixture::fillZuMolt(c);
    else
        FormatFixture::fillFull(c, QStringLiteral("tiverkii"), QStringLiteral("0.1"));
    const int programs = std::max(1, int(2000 * scale));
    for (int n = 100; n < 100 + programs; ++n) {
        auto program = CnfProgramPtr::create(&c);
        program->id = QString::number(n);
        program->name = QStringLiteral("Программа %1").arg(n);
        program->type = n % 2 ? CnfProgram::Timeline : CnfProgram::Stagering;
        program->cycleLength = 90;
        for (int step = 0; step < 4; ++step) {
            const CnfPhaseDefPtr def
                = program->appendPhase(c.findPhase(QString::number(1 + step % 2)), 0);
            def->setProperty("minGreen", 5 + step);
            def->setProperty("recall", QStringLiteral("soft"));
        }
        for (int group = 1; group <= 3; ++group) {
            for (int point = 0; point < 90; point += 15)
                program->setTimelineData(group, point,
                                         point % 30 ? CnfSignalGroup::Red : CnfSignalGroup::Green);
        }
        c.addProgram(program);
    }
    QVariantList records;
    const int count = std::max(1, int(20000 * scale));
    for (int i = 0; i < count; ++i) {
        records.append(
            QVariantMap { { QStringLiteral("id"), i },
                          { QStringLiteral("name"), QStringLiteral("Запись %1").arg(i) },
                          { QStringLiteral("value"), i * 0.5 },
                          { QStringLiteral("flags"), QVariantList { i % 2 == 0, i % 3 } } });
    }
    c.setNativeData(QStringLiteral("journal"), records);
}

} // namespace

class BenchFormats : public QObject
{
    Q_OBJECT
public:
    explicit BenchFormats(double scale)
        : m_scale(scale)
    {
    }

private slots:
    void load_data() { formats(); }
    void load()
    {
        QFETCH(int, format);
        CnfController source;
        fillLarge(source, format == 2, m_scale);
        const QByteArray bytes = save(format, source);
        qInfo("%s: %d bytes", QTest::currentDataTag(), bytes.size());
        QVERIFY(!bytes.isEmpty());
        QBENCHMARK
        {
            CnfController controller;
            QVERIFY(loadInto(format, bytes, controller));
        }
    }

    void save_data() { formats(); }
    void save()
    {
        QFETCH(int, format);
        CnfController source;
        fillLarge(source, format == 2, m_scale);
        QBENCHMARK
        {
            QVERIFY(!save(format, source).isEmpty());
        }
    }

private:
    static void formats()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("adapter") << 0;
        QTest::newRow("TIVERK II") << 1;
        QTest::newRow("ZU_MOLT") << 2;
    }

    static QByteArray save(int format, const CnfController &controller)
    {
        switch (format) {
        case 0:
            return AdapterConfig().save(controller);
        case 1:
            return TiverkIIConfig().save(controller);
        default:
            return ZU_MOLTConfig().save(controller);
        }
    }

    template<typename Config>
    static bool loadWith(const QByteArray &bytes, CnfController &controller)
    {
        Config config;
        return config.loadData(bytes) && config.createController(controller);
    }

    static bool loadInto(int format, const QByteArray &bytes, CnfController &controller)
    {
        switch (format) {
        case 0:
            return loadWith<AdapterConfig>(bytes, controller);
        case 1:
            return loadWith<TiverkIIConfig>(bytes, controller);
        default:
            return loadWith<ZU_MOLTConfig>(bytes, controller);
        }
    }

    const double m_scale;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    BenchFormats bench(takeBenchScale(arguments));
    return QTest::qExec(&bench, arguments);
}
#include "bench_cnfformats.moc"
