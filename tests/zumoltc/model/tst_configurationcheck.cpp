#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuconfigurationcheck.h"

#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Edit = std::function<void(ZUConfiguration &)>;

// One list kind of the configuration: adds a new object of it and returns it.
struct Kind
{
    std::function<ZUBaseObject *(ZUConfiguration &)> add;
};

template<typename T> Kind kindOf(void (ZUConfiguration::*adder)(QPointer<T>))
{
    return Kind { [adder](ZUConfiguration &c) {
        auto *object = new T;
        (c.*adder)(object);
        return object;
    } };
}

QString utf8Chars(const char *character, int count)
{
    return QString::fromUtf8(character).repeated(count);
}

// A configuration that passes every rule; each object's id is 1 unless noted.
void fillComplete(ZUConfiguration &c)
{
    c.setId(1);
    c.setName(QStringLiteral("Crossing"));
    c.setDescription(QStringLiteral("Main street and market"));

    auto *main = new ZUSignalGroup;
    main->setId(1);
    main->setName(QStringLiteral("SG1"));
    c.addSignalGroup(main);
    auto *side = new ZUSignalGroup;
    side->setId(2);
    side->setName(QStringLiteral("SG2"));
    c.addSignalGroup(side);
    // Conflicting groups in different stages are fine.
    c.intergreenMatrix()->setConflictTime(main, side, 5);

    auto *mainStage = new ZUStage;
    mainStage->setId(1);
    mainStage->setName(QStringLiteral("Main"));
    c.addStage(mainStage);
    mainStage->addGroup(main);
    auto *sideStage = new ZUStage;
    sideStage->setId(2);
    sideStage->setName(QStringLiteral("Side"));
    c.addStage(sideStage);
    sideStage->addGroup(side);

    auto *detector = new ZUDetector;
    detector->setId(1);
    detector->setName(QStringLiteral("D1"));
    detector->setReport(true);
    c.addDetector(detector);
    c.detectorIntervals()->logInterval = 60;
    c.detectorIntervals()->logIntervalASUDD = 300;

    auto *plan = new ZUSignalPlan;
    plan->setId(1);
    plan->setName(QStringLiteral("Day"));
    c.addSignalPlan(plan);
    c.setDefaultProgram(plan);

    auto *day = new ZUDayPlan(1, QStringLiteral("Workday"));
    day->addPeriod(QTime(0, 0), QTime(23, 59), plan, nullptr);
    c.addDayPlan(day);
    c.setDefaultDayPlan(day);
    auto *week = new ZUWeekPlan(1, QStringLiteral("Week"));
    week->insert(Qt::Monday, day);
    c.addWeekPlan(week);
    auto *period = new ZUExtraPeriod;
    period->setId(1);
    period->setName(QStringLiteral("Summer"));
    c.addExtraPeriod(period);
    auto *extraDay = new ZUExtraDay;
    extraDay->setId(1);
    extraDay->setName(QStringLiteral("Holiday"));
    c.addExtraDay(extraDay);

    c.addControlSource(new ZUControlSource(zu::scheduler, 1, 1));
    c.addControlSource(new ZUControlSource(zu::emergency, 2, 10));
    auto *panelSource = new ZUControlSource(zu::remoteControlPanel, 3, 5);
    c.addControlSource(panelSource);

    c.kmp1()->addDevice(
        new ZUKMPDevice(zu::KMPDevice::DIO1, 1, zu::KMPDevice::traficam, zu::KMPDevPort::LAN));
    c.kmp1()->addDevice(
        new ZUKMPDevice(zu::KMPDevice::VPU1, 2, zu::KMPDevice::passive, zu::KMPDevPort::RS485_1));

    auto *lamp = new ZUSwitch;
    lamp->setId(1);
    lamp->setName(QStringLiteral("S1"));
    lamp->setAddr(1);
    lamp->setSignalGroup(main);
    c.addSwitch(lamp);

    ZUDIO *dio = c.dios().at(0);
    dio->setType(zu::DIO::traficam);
    dio->setIp(QStringLiteral("10.0.0.2"));
    dio->setPort(5000);

    c.vpu()->setType(zu::passive);
    c.vpu()->setSource(panelSource);
    c.vpu()->addStage(mainStage);
}

ZUKMPDevice *kmpDevice(ZUConfiguration &c, int kind)
{
    for (const QPointer<ZUKMPDevice> &device : c.kmp1()->devices()) {
        if (device->device() == kind)
            return device;
    }
    return nullptr;
}

// Module 1 of the given type with neither address, port nor KMP device.
Edit bareDio1(int type)
{
    return [type](ZUConfiguration &c) {
        c.dios().at(0)->setType(type);
        c.dios().at(0)->setIp(QString());
        c.dios().at(0)->setPort(0);
        delete kmpDevice(c, zu::KMPDevice::DIO1);
    };
}

using TextKey = QPair<QString, QString>; // translation context, source text

// Leaves every text as it is and notes each context and source text asked for.
class RecordingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (recording)
            asked.insert(TextKey(QString::fromUtf8(context), QString::fromUtf8(source)));
        return QString();
    }

    // Off while the translator is installed: installing asks texts of its own.
    bool recording = false;
    mutable QSet<TextKey> asked;
};

// From the complete configuration, breaks one rule of every step of the check,
// in step order, and returns the rows the check must then give, in order.
QStringList failEveryStep(ZUConfiguration &c)
{
    fillComplete(c);
    const QString longName(256, QLatin1Char('L'));
    c.setId(zu::NotSet);
    c.setName(longName);
    c.setDescription(longName);
    ZUBaseObject *group = kindOf(&ZUConfiguration::addSignalGroup).add(c);
    group->setId(1);
    group->setName(QStringLiteral("SG1"));
    // A second object with id 1 and a long name in the other named lists.
    const Kind kinds[]
        = { kindOf(&ZUConfiguration::addStage),      kindOf(&ZUConfiguration::addDetector),
            kindOf(&ZUConfiguration::addSignalPlan), kindOf(&ZUConfiguration::addDayPlan),
            kindOf(&ZUConfiguration::addWeekPlan),   kindOf(&ZUConfiguration::addExtraPeriod),
            kindOf(&ZUConfiguration::addExtraDay),   kindOf(&ZUConfiguration::addSwitch) };
    for (const Kind &kind : kinds) {
        ZUBaseObject *object = kind.add(c);
        object->setId(1);
        object->setName(longName);
    }
    c.switches().last()->setAddr(1);
    c.stages().first()->addGroup(c.signalGroups().at(1));
    *c.detectorIntervals() = ZUConfiguration::DetectorIntervals();
    c.setDefaultProgram(nullptr);
    c.setDefaultDayPlan(nullptr);
    ZUControlSource *first = c.controlSources().at(0);
    first->setType(zu::tiverkITS);
    first->setPriority(10);
    c.controlSources().at(1)->setId(1);
    kmpDevice(c, zu::KMPDevice::VPU1)->setAddr(1);
    c.dios().at(0)->setIp(QString());
    c.dios().at(0)->setPort(0);
    c.dios().at(1)->setType(zu::DIO::dryContact);
    c.vpu()->clearStages();

    return {
        "Controller ID not set",
        "Controller name has length > 255 bytes",
        "Controller description has length > 255 bytes",
        "Signal groups contain non-unique ids: 1",
        "Signal groups contain non-unique names: SG1",
        "Stages contain non-unique ids: 1",
        "Stage with id 1 has name length > 255 bytes",
        "Stage 1 (Main) contain conflicted signal groups",
        "Detectors contain non-unique ids: 1",
        "Detctor with id 1 has name length > 255 bytes",
        "Report interval not defined but configuration has detectors with 'Allow report' flag",
        "ITS report interval not defined but configuration has detectors with 'Allow report' flag",
        "Signal plans contain non-unique ids: 1",
        "Signal plan with id 1 has name length > 255 bytes",
        "Default signal plan are not defined",
        "Daily plans contain non-unique ids: 1",
        "Dayplan with id 1 has name length > 255 bytes",
        "Default dayplan are not defined",
        // A name is quoted as the readers quote it: 40 characters, the cut marked.
        QStringLiteral("Dayplan 1 (%1...) not contains no one record").arg(longName.left(40)),
        "Week plans contain non-unique ids: 1",
        "Week plan with id 1 has name length > 255 bytes",
        "Extra periods contain non-unique ids: 1",
        "Seasonal plan with id 1 has name length > 255 bytes",
        "Extra days contain non-unique ids: 1",
        "Special day with id 1 has name length > 255 bytes",
        "Control sources contain non-unique ids: 1",
        "Control sources contain non-unique priorities: 10",
        "Highest priority must have emergency control source",
        "Control source with type 'scheduler' is not defined",
        "Composite device contain non-unique addresses: 1",
        "Power switches contain non-unique ids: 1",
        "Power switches contain non-unique addresses: 1",
        "Switch with id 1 has name length > 255 bytes",
        "For DIO1 not defined ip address",
        "For DIO1 not defined TCP port",
        "For DIO2 not defined KMP device",
        "The RCU1 buttons are not assigned to any stage",
    };
}

// The texts the check asks translations for: one run over a configuration that
// breaks every step, one over an empty one, one over a typed panel without a source.
QSet<TextKey> textsAskedByTheCheck()
{
    // Built before recording: the configuration names its own matrix.
    ZUConfiguration broken;
    failEveryStep(broken);
    ZUConfiguration empty;
    ZUConfiguration panel;
    panel.vpu()->setType(zu::passive);

    RecordingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    translator.recording = true;
    checkConfiguration(broken);
    checkConfiguration(empty);
    checkConfiguration(panel);
    translator.recording = false;
    QCoreApplication::removeTranslator(&translator);
    return translator.asked;
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Kind)

class TestConfigurationCheck : public QObject
{
    Q_OBJECT
private slots:
    void emptyConfiguration()
    {
        ZUConfiguration configuration;
        const QStringList expected = {
            QStringLiteral("Controller ID not set"),
            QStringLiteral("Signal plans are not defined"),
            QStringLiteral("Default signal plan are not defined"),
            QStringLiteral("Dayplans are not defined"),
        };
        QCOMPARE(checkConfiguration(configuration), expected);
    }

    void completeConfiguration()
    {
        ZUConfiguration configuration;
        fillComplete(configuration);
        QCOMPARE(checkConfiguration(configuration), QStringList());
    }

    void everyStepInItsOrder()
    {
        ZUConfiguration configuration;
        const QStringList expected = failEveryStep(configuration);
        QCOMPARE(checkConfiguration(configuration), expected);
    }

    // The common rules' texts belong to the checking dialog, everything else the
    // check shows (steps, kind words, section texts) to the main window.
    void textsInTheirTranslationContexts()
    {
        const QSet<QString> common
            = { "%1 with id %2 has name length > %3 bytes", "%1 contain non-unique ids: %2",
                "%1 contain non-unique names: %2", "%1 contain non-unique %2: %3" };
        const QSet<TextKey> asked = textsAskedByTheCheck();
        for (const QString &source : common)
            QVERIFY2(asked.contains(TextKey("CheckingErrorsDialog", source)), qPrintable(source));
        const QStringList steps = { "Controller ID not set", "Detctor", "Daily plans", "priorities",
                                    "For RCU1 not defined control source" };
        for (const QString &source : steps)
            QVERIFY2(asked.contains(TextKey("MainWindow", source)), qPrintable(source));
        for (const TextKey &key : asked) {
            const QString context
                = common.contains(key.second) ? "CheckingErrorsDialog" : "MainWindow";
            QVERIFY2(key.first == context, qPrintable(key.first + ": " + key.second));
        }
    }

    // lupdate must find every text the check translates, under its context.
    void textsReachTranslators()
    {
        QString lupdate
            = QLibraryInfo::location(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
        if (!QFileInfo(lupdate).isExecutable())
            lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"));
        if (lupdate.isEmpty())
            QSKIP("lupdate is not installed");
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("check.ts"));
        const QString source = QDir::cleanPath(
            TestSupport::dataPath(QStringLiteral("../../zumoltc/model/zuconfigurationcheck.cpp")));
        QProcess process;
        process.start(lupdate, { QStringLiteral("-silent"), source, QStringLiteral("-ts"), ts });
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSet<TextKey> extracted;
        QXmlStreamReader xml(&file);
        QString context;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                extracted.insert(TextKey(context, xml.readElementText()));
        }
        QVERIFY(!xml.hasError());
        for (const TextKey &key : textsAskedByTheCheck())
            QVERIFY2(extracted.contains(key), qPrintable(key.first + ": " + key.second));
    }

    void cleanFixture()
    {
        ZUConfiguration configuration;
        QString error;
        QVERIFY2(configuration.load(TestSupport::dataPath(QStringLiteral("zumoltcheck/clean.json")),
                                    &error),
                 qPrintable(error));
        QCOMPARE(configuration.warnings(), QStringList());
        // The file reaches the guarded rules: typed modules and panel, sources, devices.
        QCOMPARE(configuration.dios().at(0)->type(), int(zu::DIO::traficam));
        QCOMPARE(configuration.dios().at(2)->type(), int(zu::DIO::dryContact));
        QCOMPARE(configuration.vpu()->type(), int(zu::passive));
        QCOMPARE(configuration.controlSources().size(), 3);
        QCOMPARE(configuration.kmp1()->devices().size(), 3);
        QCOMPARE(checkConfiguration(configuration), QStringList());
    }

    // Each row starts from the complete configuration, breaks something and lists
    // every row the check then gives, in order.
    void rules_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("expected");

        const QString name256 = QString(256, QLatin1Char('n'));
        QTest::newRow("controller id not set")
            << Edit([](ZUConfiguration &c) { c.setId(zu::NotSet); })
            << QStringList { "Controller ID not set" };
        QTest::newRow("controller name of 256 bytes")
            << Edit([name256](ZUConfiguration &c) { c.setName(name256); })
            << QStringList { "Controller name has length > 255 bytes" };
        QTest::newRow("description of 128 two-byte characters")
            << Edit([](ZUConfiguration &c) { c.setDescription(utf8Chars("ж", 128)); })
            << QStringList { "Controller description has length > 255 bytes" };
        QTest::newRow("description of 255 bytes")
            << Edit([](ZUConfiguration &c) { c.setDescription(QString(255, QLatin1Char('d'))); })
            << QStringList();

        QTest::newRow("conflicting groups in one stage")
            << Edit([](ZUConfiguration &c) { c.findStage(1)->addGroup(c.findSignalGroup(2)); })
            << QStringList { "Stage 1 (Main) contain conflicted signal groups" };
        QTest::newRow("stage name with a zero-width space, shown escaped")
            << Edit([](ZUConfiguration &c) {
                   c.findStage(1)->setName(QString::fromUtf16(u"Main\u200B"));
                   c.findStage(1)->addGroup(c.findSignalGroup(2));
               })
            << QStringList { "Stage 1 (Main\\u200b) contain conflicted signal groups" };
        QTest::newRow("conflict both ways gives one row") << Edit([](ZUConfiguration &c) {
            c.intergreenMatrix()->setConflictTime(c.findSignalGroup(2), c.findSignalGroup(1), 4);
            c.findStage(2)->addGroup(c.findSignalGroup(1));
        }) << QStringList { "Stage 2 (Side) contain conflicted signal groups" };
        QTest::newRow("group conflicting with itself only") << Edit([](ZUConfiguration &c) {
            c.intergreenMatrix()->setConflictTime(c.findSignalGroup(1), c.findSignalGroup(1), 4);
        }) << QStringList();

        const QString reportRow = "Report interval not defined but configuration has detectors "
                                  "with 'Allow report' flag";
        const QString itsRow = "ITS report interval not defined but configuration has detectors "
                               "with 'Allow report' flag";
        QTest::newRow("report intervals not set") << Edit([](ZUConfiguration &c) {
            *c.detectorIntervals() = ZUConfiguration::DetectorIntervals();
        }) << QStringList { reportRow, itsRow };
        QTest::newRow("report interval 0")
            << Edit([](ZUConfiguration &c) { c.detectorIntervals()->logInterval = 0; })
            << QStringList { reportRow };
        QTest::newRow("negative ITS interval")
            << Edit([](ZUConfiguration &c) { c.detectorIntervals()->logIntervalASUDD = -5; })
            << QStringList { itsRow };
        QTest::newRow("intervals of 1 second") << Edit([](ZUConfiguration &c) {
            *c.detectorIntervals() = ZUConfiguration::DetectorIntervals { 1, 1 };
        }) << QStringList();
        QTest::newRow("no reported detector needs no interval") << Edit([](ZUConfiguration &c) {
            c.findDetector(1)->setReport(false);
            *c.detectorIntervals() = ZUConfiguration::DetectorIntervals();
        }) << QStringList();

        QTest::newRow("no signal plans")
            << Edit([](ZUConfiguration &c) { delete c.findSignalPlan(1).data(); })
            << QStringList { "Signal plans are not defined", "Default signal plan are not defined",
                             "Dayplan 1 (Workday) not contains no one record" };
        QTest::newRow("no default program, default day plan set")
            << Edit([](ZUConfiguration &c) { c.setDefaultProgram(nullptr); })
            << QStringList { "Default signal plan are not defined" };
        QTest::newRow("no default program, no default day plan")
            << Edit([](ZUConfiguration &c) {
                   c.setDefaultProgram(nullptr);
                   c.setDefaultDayPlan(nullptr);
               })
            << QStringList { "Default signal plan are not defined",
                             "Default dayplan are not defined" };
        QTest::newRow("no default day plan beside a default program")
            << Edit([](ZUConfiguration &c) { c.setDefaultDayPlan(nullptr); }) << QStringList();
        QTest::newRow("day plan without periods, default program set")
            << Edit([](ZUConfiguration &c) { c.findDayPlan(1)->clearPeriods(); })
            << QStringList { "Dayplan 1 (Workday) not contains no one record" };
        QTest::newRow("no day plans, no scheduler source") << Edit([](ZUConfiguration &c) {
            delete c.findDayPlan(1).data();
            delete c.findControlSource(1).data();
        }) << QStringList();

        QTest::newRow("no scheduler source")
            << Edit([](ZUConfiguration &c) { delete c.findControlSource(1).data(); })
            << QStringList { "Control source with type 'scheduler' is not defined" };
        QTest::newRow("repeated source id, no names row")
            << Edit([](ZUConfiguration &c) { c.findControlSource(2)->setId(1); })
            << QStringList { "Control sources contain non-unique ids: 1" };
        const QString emergencyRow = "Highest priority must have emergency control source";
        QTest::newRow("scheduler 9 above emergency 5") << Edit([](ZUConfiguration &c) {
            c.findControlSource(1)->setPriority(9);
            c.findControlSource(2)->setPriority(5);
            c.findControlSource(3)->setPriority(2);
        }) << QStringList { emergencyRow };
        QTest::newRow("scheduler 5 below emergency 9") << Edit([](ZUConfiguration &c) {
            c.findControlSource(1)->setPriority(5);
            c.findControlSource(2)->setPriority(9);
            c.findControlSource(3)->setPriority(2);
        }) << QStringList();
        QTest::newRow("equal top priority: the first source counts")
            << Edit([](ZUConfiguration &c) { c.findControlSource(1)->setPriority(10); })
            << QStringList { "Control sources contain non-unique priorities: 10", emergencyRow };
        QTest::newRow("priorities compare signed") << Edit([](ZUConfiguration &c) {
            c.findControlSource(2)->setPriority(-1);
            c.findControlSource(3)->setPriority(-7);
        }) << QStringList { emergencyRow };
        QTest::newRow("no emergency source at all")
            << Edit([](ZUConfiguration &c) { delete c.findControlSource(2).data(); })
            << QStringList();

        QTest::newRow("repeated KMP address")
            << Edit([](ZUConfiguration &c) { kmpDevice(c, zu::KMPDevice::VPU1)->setAddr(1); })
            << QStringList { "Composite device contain non-unique addresses: 1" };
        QTest::newRow("repeated switch")
            << Edit([](ZUConfiguration &c) {
                   auto *copy = new ZUSwitch;
                   copy->setId(1);
                   copy->setName(QStringLiteral("S1"));
                   copy->setAddr(1);
                   c.addSwitch(copy);
               })
            << QStringList { "Power switches contain non-unique ids: 1",
                             "Power switches contain non-unique names: S1",
                             "Power switches contain non-unique addresses: 1" };

        QTest::newRow("untyped DIO needs nothing") << Edit([](ZUConfiguration &c) {
            c.dios().at(0)->reset();
            delete kmpDevice(c, zu::KMPDevice::DIO1);
        }) << QStringList();
        QTest::newRow("network DIO without device, address and port")
            << Edit([](ZUConfiguration &c) {
                   c.dios().at(0)->setIp(QString());
                   c.dios().at(0)->setPort(0);
                   delete kmpDevice(c, zu::KMPDevice::DIO1);
               })
            << QStringList { "For DIO1 not defined KMP device", "For DIO1 not defined ip address",
                             "For DIO1 not defined TCP port" };
        QTest::newRow("sitilog DIO without port") << Edit([](ZUConfiguration &c) {
            c.dios().at(0)->setType(zu::DIO::sitilog);
            c.dios().at(0)->setPort(0);
        }) << QStringList { "For DIO1 not defined TCP port" };
        QTest::newRow("dry-contact DIO needs no address or port") << Edit([](ZUConfiguration &c) {
            c.dios().at(0)->setType(zu::DIO::dryContact);
            c.dios().at(0)->setIp(QString());
            c.dios().at(0)->setPort(0);
        }) << QStringList();
        QTest::newRow("dry-contact DIO without device") << Edit([](ZUConfiguration &c) {
            c.dios().at(0)->setType(zu::DIO::dryContact);
            c.dios().at(0)->setPort(0);
            delete kmpDevice(c, zu::KMPDevice::DIO1);
        }) << QStringList { "For DIO1 not defined KMP device" };
        QTest::newRow("simple traficam DIO needs no address") << Edit([](ZUConfiguration &c) {
            c.dios().at(0)->setType(zu::DIO::traficamSimple);
            c.dios().at(0)->setIp(QString());
        }) << QStringList();
        // A DIO1 device serves module 1 only.
        QTest::newRow("DIO2 beside a DIO1 device only")
            << Edit([](ZUConfiguration &c) { c.dios().at(1)->setType(zu::DIO::TiverkDET); })
            << QStringList { "For DIO2 not defined KMP device" };
        QTest::newRow("DIO5 with its own device") << Edit([](ZUConfiguration &c) {
            c.dios().at(4)->setType(zu::DIO::dryContact);
            c.kmp1()->addDevice(
                new ZUKMPDevice(zu::KMPDevice::DIO5, 9, zu::KMPDevice::dryContact, zu::NotSet));
        }) << QStringList();
        QTest::newRow("DIO1 device serving module 2 does not serve module 1")
            << Edit([](ZUConfiguration &c) {
                   c.dios().at(1)->setType(zu::DIO::dryContact);
                   kmpDevice(c, zu::KMPDevice::DIO1)->setDevice(zu::KMPDevice::DIO2);
               })
            << QStringList { "For DIO1 not defined KMP device" };

        // Only the network modules need an address and a port.
        const QString noDevice = "For DIO1 not defined KMP device";
        const QStringList noAddress
            = { noDevice, "For DIO1 not defined ip address", "For DIO1 not defined TCP port" };
        QTest::newRow("bare dry-contact DIO")
            << bareDio1(zu::DIO::dryContact) << QStringList { noDevice };
        QTest::newRow("bare simple traficam DIO")
            << bareDio1(zu::DIO::traficamSimple) << QStringList { noDevice };
        QTest::newRow("bare TiverkDET DIO")
            << bareDio1(zu::DIO::TiverkDET) << QStringList { noDevice };
        QTest::newRow("bare traficam DIO") << bareDio1(zu::DIO::traficam) << noAddress;
        QTest::newRow("bare sitilog DIO") << bareDio1(zu::DIO::sitilog) << noAddress;
        QTest::newRow("DIO2 to DIO4 with their own devices") << Edit([](ZUConfiguration &c) {
            const int kinds[] = { zu::KMPDevice::DIO2, zu::KMPDevice::DIO3, zu::KMPDevice::DIO4 };
            for (int i = 0; i < 3; ++i) {
                c.dios().at(i + 1)->setType(zu::DIO::dryContact);
                c.kmp1()->addDevice(
                    new ZUKMPDevice(kinds[i], 10 + i, zu::KMPDevice::dryContact, zu::NotSet));
            }
        }) << QStringList();
        QTest::newRow("DIO3 and DIO4 with each other's devices") << Edit([](ZUConfiguration &c) {
            c.dios().at(2)->setType(zu::DIO::dryContact);
            c.dios().at(3)->setType(zu::DIO::dryContact);
            c.kmp1()->addDevice(
                new ZUKMPDevice(zu::KMPDevice::DIO3, 10, zu::KMPDevice::dryContact, zu::NotSet));
        }) << QStringList { "For DIO4 not defined KMP device" };

        QTest::newRow("no control sources at all")
            << Edit([](ZUConfiguration &c) {
                   while (!c.controlSources().isEmpty())
                       delete c.controlSources().first().data();
               })
            << QStringList { "Control source with type 'scheduler' is not defined",
                             "Control source with type 'RCU' is not defined for RCU1",
                             "For RCU1 not defined control source" };
        QTest::newRow("intervals of 2147483646 seconds") << Edit([](ZUConfiguration &c) {
            *c.detectorIntervals()
                = ZUConfiguration::DetectorIntervals { zu::NotSet - 1, zu::NotSet - 1 };
        }) << QStringList();

        QTest::newRow("untyped panel needs nothing") << Edit([](ZUConfiguration &c) {
            c.vpu()->reset();
            delete c.findControlSource(3).data();
            delete kmpDevice(c, zu::KMPDevice::VPU1);
        }) << QStringList();
        QTest::newRow("panel without anything")
            << Edit([](ZUConfiguration &c) {
                   c.vpu()->clearStages();
                   delete c.findControlSource(3).data();
                   delete kmpDevice(c, zu::KMPDevice::VPU1);
               })
            << QStringList { "Control source with type 'RCU' is not defined for RCU1",
                             "The RCU1 buttons are not assigned to any stage",
                             "For RCU1 not defined control source",
                             "For RCU1 not defined KMP device" };
        QTest::newRow("panel buttons whose stage is gone")
            << Edit([](ZUConfiguration &c) { delete c.findStage(1).data(); })
            << QStringList { "The RCU1 buttons are not assigned to any stage" };
        QTest::newRow("panel with a stage on its second button only")
            << Edit([](ZUConfiguration &c) {
                   c.vpu()->clearStages();
                   c.vpu()->addStage(nullptr);
                   c.vpu()->addStage(c.findStage(2));
               })
            << QStringList();
    }

    void rules()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, expected);
        ZUConfiguration configuration;
        fillComplete(configuration);
        edit(configuration);
        QCOMPARE(checkConfiguration(configuration), expected);
    }

    // Every list kind names its list with its section text and its objects with its
    // own kind word.
    void listKinds_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("word");

        QTest::newRow("signal groups")
            << kindOf(&ZUConfiguration::addSignalGroup) << "Signal groups"
            << "Signal group";
        QTest::newRow("stages") << kindOf(&ZUConfiguration::addStage) << "Stages"
                                << "Stage";
        QTest::newRow("detectors") << kindOf(&ZUConfiguration::addDetector) << "Detectors"
                                   << "Detctor";
        QTest::newRow("signal plans") << kindOf(&ZUConfiguration::addSignalPlan) << "Signal plans"
                                      << "Signal plan";
        QTest::newRow("day plans") << kindOf(&ZUConfiguration::addDayPlan) << "Daily plans"
                                   << "Dayplan";
        QTest::newRow("week plans") << kindOf(&ZUConfiguration::addWeekPlan) << "Week plans"
                                    << "Week plan";
        QTest::newRow("extra periods")
            << kindOf(&ZUConfiguration::addExtraPeriod) << "Extra periods"
            << "Seasonal plan";
        QTest::newRow("extra days") << kindOf(&ZUConfiguration::addExtraDay) << "Extra days"
                                    << "Special day";
        QTest::newRow("switches") << kindOf(&ZUConfiguration::addSwitch) << "Power switches"
                                  << "Switch";
    }

    void listKinds()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, section);
        QFETCH(QString, word);
        ZUConfiguration configuration;
        for (int i = 0; i < 2; ++i) {
            ZUBaseObject *object = kind.add(configuration);
            object->setId(5);
            object->setName(QStringLiteral("A"));
        }
        ZUBaseObject *longName = kind.add(configuration);
        longName->setId(6);
        longName->setName(QString(256, QLatin1Char('x')));

        QStringList rows;
        const QStringList all = checkConfiguration(configuration);
        for (const QString &row : all) {
            if (row.contains(QLatin1String("non-unique ids"))
                || row.contains(QLatin1String("non-unique names"))
                || row.contains(QLatin1String(" with id ")))
                rows.append(row);
        }
        const QStringList expected = {
            section + QStringLiteral(" contain non-unique ids: 5"),
            section + QStringLiteral(" contain non-unique names: A"),
            word + QStringLiteral(" with id 6 has name length > 255 bytes"),
        };
        QCOMPARE(rows, expected);
    }

    void sectionTextsCanBeReplaced()
    {
        ZUConfiguration configuration;
        for (int i = 0; i < 2; ++i)
            configuration.addStage(new ZUStage);
        ZUCheckSectionTexts sections = ZUCheckSectionTexts::defaults();
        sections.stages = QStringLiteral("Phases");
        QVERIFY(checkConfiguration(configuration, sections)
                    .contains(QStringLiteral("Phases contain non-unique ids: 2147483647")));
    }

    void nameLength_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("tooLong");

        QTest::newRow("empty") << QString() << false;
        QTest::newRow("255 ASCII bytes") << QString(255, QLatin1Char('a')) << false;
        QTest::newRow("256 ASCII bytes") << QString(256, QLatin1Char('a')) << true;
        QTest::newRow("128 two-byte characters") << utf8Chars("ж", 128) << true;
        QTest::newRow("127 two-byte characters and one ASCII")
            << utf8Chars("ж", 127) + QLatin1Char('a') << false;
        QTest::newRow("85 three-byte characters") << utf8Chars("€", 85) << false;
        QTest::newRow("64 four-byte characters") << utf8Chars("😀", 64) << true;
    }

    void nameLength()
    {
        QFETCH(QString, name);
        QFETCH(bool, tooLong);
        ZUSignalGroup group;
        group.setId(3);
        group.setName(name);
        QStringList rows;
        checkNameLength(rows, { &group }, QStringLiteral("Signal group"));
        QCOMPARE(rows,
                 tooLong ? QStringList { "Signal group with id 3 has name length > 255 bytes" }
                         : QStringList());
    }

    void nameLengthRowPerObject()
    {
        ZUStage first, second, third;
        first.setId(4);
        first.setName(QString(300, QLatin1Char('s')));
        second.setId(5);
        second.setName(QStringLiteral("short"));
        third.setName(QString(256, QLatin1Char('s')));
        QStringList rows;
        checkNameLength(rows, { &first, &second, &third }, QStringLiteral("Stage"));
        const QStringList expected = {
            QStringLiteral("Stage with id 4 has name length > 255 bytes"),
            QStringLiteral("Stage with id 2147483647 has name length > 255 bytes"),
        };
        QCOMPARE(rows, expected);
    }

    void uniqueIdsAndNames_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");

        const int n = zu::NotSet;
        QTest::newRow("all unique")
            << QList<int> { 1, 2, 3 } << QStringList { "a", "b", "c" } << QStringList();
        QTest::newRow("ids 12, 12, 1, 1")
            << QList<int> { 12, 12, 1, 1 } << QStringList { "a", "b", "c", "d" }
            << QStringList { "Signal groups contain non-unique ids: 12,1" };
        QTest::newRow("ids listed by first occurrence")
            << QList<int> { 1, 2, 2, 1 } << QStringList { "a", "b", "c", "d" }
            << QStringList { "Signal groups contain non-unique ids: 1,2" };
        QTest::newRow("an id three times is listed once")
            << QList<int> { 3, 3, 3 } << QStringList { "a", "b", "c" }
            << QStringList { "Signal groups contain non-unique ids: 3" };
        QTest::newRow("ids not set are equal")
            << QList<int> { n, 4, n } << QStringList { "a", "b", "c" }
            << QStringList { "Signal groups contain non-unique ids: 2147483647" };
        QTest::newRow("repeated names")
            << QList<int> { 1, 2, 3, 4 } << QStringList { "b", "a", "b", "a" }
            << QStringList { "Signal groups contain non-unique names: b,a" };
        QTest::newRow("empty names are not compared")
            << QList<int> { 1, 2 } << QStringList { "", "" } << QStringList();
        QTest::newRow("names compare case-sensitively")
            << QList<int> { 1, 2 } << QStringList { "North", "north" } << QStringList();
        // Names come from the file: shown as the readers quote them.
        QTest::newRow("names with a zero-width space, shown escaped")
            << QList<int> { 1, 2 }
            << QStringList { QString::fromUtf16(u"x\u200B"), QString::fromUtf16(u"x\u200B") }
            << QStringList { "Signal groups contain non-unique names: x\\u200b" };
        QTest::newRow("long names compared whole, shown cut")
            << QList<int> { 1, 2, 3, 4 }
            << QStringList { QString(40, QLatin1Char('n')) + QLatin1Char('a'),
                             QString(40, QLatin1Char('n')) + QLatin1Char('b'),
                             QString(40, QLatin1Char('n')) + QLatin1Char('b'), QStringLiteral("c") }
            << QStringList { QStringLiteral("Signal groups contain non-unique names: ")
                             + QString(40, QLatin1Char('n')) + QStringLiteral("...") };
        QTest::newRow("ids row before names row")
            << QList<int> { 7, 7 } << QStringList { "x y", "x y" }
            << QStringList { "Signal groups contain non-unique ids: 7",
                             "Signal groups contain non-unique names: x y" };
    }

    void uniqueIdsAndNames()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, names);
        QFETCH(QStringList, expected);
        std::vector<std::unique_ptr<ZUSignalGroup>> groups;
        QList<const ZUBaseObject *> objects;
        for (int i = 0; i < ids.size(); ++i) {
            groups.emplace_back(new ZUSignalGroup);
            groups.back()->setId(ids.at(i));
            groups.back()->setName(names.at(i));
            objects.append(groups.back().get());
        }
        QStringList rows;
        checkUniqueIdsAndNames(rows, objects, QStringLiteral("Signal groups"));
        QCOMPARE(rows, expected);
    }

    void uniqueValues()
    {
        QStringList rows;
        checkUniqueValues(rows, QList<int> { 4, 9, 4, -2, 9, -2, 4 },
                          QStringLiteral("Power switches"), QStringLiteral("addresses"));
        checkUniqueValues(rows, QList<int> { 1, 2, 3 }, QStringLiteral("Composite device"),
                          QStringLiteral("addresses"));
        QCOMPARE(rows, QStringList { "Power switches contain non-unique addresses: 4,9,-2" });
    }
};

PROJECT_TEST(TestConfigurationCheck);
#include "tst_configurationcheck.moc"
