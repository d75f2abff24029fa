#include "benchscale.h"
#include "cnftestconfig.h"

#include <QtTest>

// Load and save of a native configuration of about 5 MB (many programs and
// a large native tree), for comparing later changes. Run: build/bench/bench_cnf
// [size factor, 1 by default] [QtTest options].
class BenchCnf : public QObject
{
    Q_OBJECT
public:
    explicit BenchCnf(double scale)
        : m_scale(scale)
    {
    }

private slots:
    void initTestCase()
    {
        CnfController controller;
        CnfTestConfig::fill(controller, std::max(1, int(650 * m_scale)));
        m_bytes = controller.save(1);
        qInfo("configuration: %d bytes", int(m_bytes.size()));
        QVERIFY(m_bytes.size() > 4 * 1024 * 1024 * m_scale);
    }

    void load()
    {
        QBENCHMARK
        {
            CnfController controller;
            QVERIFY(controller.load(m_bytes, true));
        }
    }

    void save()
    {
        CnfController controller;
        QVERIFY(controller.load(m_bytes, true));
        QByteArray bytes;
        QBENCHMARK
        {
            bytes = controller.save(1);
        }
        QCOMPARE(bytes, m_bytes);
    }

private:
    const double m_scale;
    QByteArray m_bytes;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    BenchCnf bench(takeBenchScale(arguments));
    return QTest::qExec(&bench, arguments);
}
#include "bench_cnf.moc"
