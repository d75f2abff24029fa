#include "modalanswerer.h"
#include "programrun.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QDir>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <functional>

namespace {

// Compiles a translation that answers the text `source` of context "Probe" with
// `translation` into directory/name_<language of the system locale>.qm.
bool writeTranslation(const QString &directory, const QString &name, const QString &source,
                      const QString &translation)
{
    const QString ts = QDir(directory).filePath(name + QStringLiteral(".ts"));
    const QString content
        = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                         "<!DOCTYPE TS><TS version=\"2.1\"><context><name>Probe</name>"
                         "<message><source>%1</source><translation>%2</translation>"
                         "</message></context></TS>\n")
              .arg(source, translation);
    if (!TestSupport::writeFile(ts, content.toUtf8()))
        return false;
    const QString language
        = QLocale::system().uiLanguages().value(0).replace(QLatin1Char('-'), QLatin1Char('_'));
    QProcess lrelease;
    lrelease.start(
        QStringLiteral(LRELEASE_PROGRAM),
        { QStringLiteral("-silent"), ts, QStringLiteral("-qm"),
          QDir(directory).filePath(name + QLatin1Char('_') + language + QStringLiteral(".qm")) });
    const bool ok = lrelease.waitForFinished(30000) && lrelease.exitCode() == 0;
    QFile::remove(ts);
    return ok;
}

QString probe(const char *source)
{
    return QCoreApplication::translate("Probe", source);
}

// Offers one translation of its own in the main window's context.
class OneTextTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "MainWindow" && QByteArray(source) == "sequence of stages")
            return QStringLiteral("ring");
        return QString();
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void identity()
    {
        Startup::setApplicationIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("zumoltc"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("tovel"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("0.2.0"));
    }

    void translationDirectories()
    {
        QTemporaryDir app;
        const QDir toolkit(QLibraryInfo::location(QLibraryInfo::TranslationsPath));
        const QStringList toolkitEntry
            = toolkit.exists() ? QStringList { toolkit.absolutePath() } : QStringList();
        QCOMPARE(Startup::translationDirectories(app.path()),
                 QStringList { app.path() } + toolkitEntry);
        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("translations")));
        QCOMPARE(Startup::translationDirectories(app.path()),
                 QStringList({ app.path(), app.filePath(QStringLiteral("translations")) })
                     + toolkitEntry);
    }

    // Files are "folder/name" in the folders app, sub (its translations) and toolkit;
    // each translates its own name into "name@folder".
    void translationsFoundWhereTheyLive_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("shown"); // what "qt", "zumoltc" and "zumolt" show

        QTest::newRow("none anywhere")
            << QStringList() << QString() << QStringList { "qt", "zumoltc", "zumolt" };
        QTest::newRow("zumoltc only in the toolkit folder")
            << QStringList { "toolkit/qt", "toolkit/zumoltc", "toolkit/zumolt", "app/zumolt" }
            << QStringLiteral("toolkit")
            << QStringList { "qt", "zumoltc@toolkit", "zumolt@toolkit" };
        QTest::newRow("first folder that has zumoltc wins")
            << QStringList { "app/qt", "sub/zumoltc", "toolkit/zumoltc", "app/zumolt",
                             "toolkit/zumolt" }
            << QStringLiteral("sub") << QStringList { "qt@app", "zumoltc@sub", "zumolt" };
        QTest::newRow("all in the application folder")
            << QStringList { "app/qt", "app/zumoltc", "app/zumolt", "sub/zumoltc" }
            << QStringLiteral("app") << QStringList { "qt@app", "zumoltc@app", "zumolt@app" };
    }

    void translationsFoundWhereTheyLive()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QFETCH(QStringList, shown);

        QTemporaryDir app;
        QMap<QString, QString> folders {
            { QStringLiteral("app"), app.path() },
            { QStringLiteral("sub"), app.filePath(QStringLiteral("translations")) },
            { QStringLiteral("toolkit"), app.filePath(QStringLiteral("toolkit")) }
        };
        for (const QString &folder : folders)
            QVERIFY(QDir().mkpath(folder));
        for (const QString &file : files) {
            const QString folder = file.section(QLatin1Char('/'), 0, 0);
            const QString name = file.section(QLatin1Char('/'), 1);
            QVERIFY(writeTranslation(folders.value(folder), name, name,
                                     name + QLatin1Char('@') + folder));
        }

        QObject owner;
        QTranslator translator;
        const QString folder = Startup::installTranslations(
            &translator, { folders.value("app"), folders.value("sub"), folders.value("toolkit") },
            &owner);
        QCOMPARE(folder, folders.value(found));
        QCOMPARE(QStringList({ probe("qt"), probe("zumoltc"), probe("zumolt") }), shown);
        // Translators that did not load are gone again.
        QCOMPARE(owner.findChildren<QTranslator *>().size(),
                 int(shown.at(0) != "qt") + int(shown.at(2) != "zumolt"));
    }

    void splitterSizesRoundTrip()
    {
        QSettings().remove(QStringLiteral("splitterSizes"));
        QList<int> formSizes;
        {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            auto *splitter = window.findChild<QSplitter *>(QStringLiteral("splitter"));
            QVERIFY(splitter);
            QCOMPARE(splitter->orientation(), Qt::Horizontal);
            QCOMPARE(splitter->widget(0)->objectName(), QStringLiteral("section_list"));
            QCOMPARE(splitter->widget(1)->objectName(), QStringLiteral("section_tabs"));
            formSizes = splitter->sizes();
            splitter->setSizes({ formSizes.value(0) - 37, formSizes.value(1) + 37 });
        }
        QVERIFY(QSettings().contains(QStringLiteral("splitterSizes")));
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QList<int> sizes = window.findChild<QSplitter *>(QStringLiteral("splitter"))->sizes();
        QCOMPARE(sizes.value(0), formSizes.value(0) - 37);
        QSettings().remove(QStringLiteral("splitterSizes"));
    }

    void formOfTheWindow()
    {
        MainWindow window;
        QVERIFY(window.findChild<QMenu *>(QStringLiteral("menuFile")));
        auto *parameters = window.findChild<QMenu *>(QStringLiteral("menuParameters"));
        QVERIFY(parameters);
        QCOMPARE(parameters->title(), QStringLiteral("Parameters"));
        auto *settings = window.findChild<QAction *>(QStringLiteral("actionSettings"));
        QVERIFY(settings);
        QCOMPARE(settings->text(), QStringLiteral("Settings ..."));
        QVERIFY(parameters->actions().contains(settings));
        auto *toolBar = window.findChild<QToolBar *>(QStringLiteral("toolBar"));
        QVERIFY(toolBar);
        QCOMPARE(toolBar->windowTitle(), QStringLiteral("File"));
        QVERIFY(toolBar->actions().contains(
            window.findChild<QAction *>(QStringLiteral("actionchecking"))));
        QVERIFY(window.findChild<QStatusBar *>(QStringLiteral("statusbar")));
    }

    void settingsActionRunsTheDialog()
    {
        MainWindow window;
        ModalAnswerer answerer;
        answerer.reject();
        window.findChild<QAction *>(QStringLiteral("actionSettings"))->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenClassName(), QStringLiteral("SettingsDialog"));
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Settings"));
    }

    void mainWindowShowsAndCloses()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }

    // The display texts the window stores, for every value of the table; values
    // without a text show their keys.
    void displayTexts_data()
    {
        QTest::addColumn<QString>("enumeration");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("SGType traffic")
            << QStringLiteral("SGType") << 0 << QStringLiteral("traffic");
        QTest::newRow("SGType pedestrian")
            << QStringLiteral("SGType") << 1 << QStringLiteral("pedestrian");
        QTest::newRow("SGType arrow") << QStringLiteral("SGType") << 2 << QStringLiteral("arrow");
        QTest::newRow("SGType tram") << QStringLiteral("SGType") << 3 << QStringLiteral("tram");
        QTest::newRow("SGType always_ON")
            << QStringLiteral("SGType") << 4 << QStringLiteral("always on");
        QTest::newRow("PlanType Timeline")
            << QStringLiteral("PlanType") << 0 << QStringLiteral("timeline");
        QTest::newRow("PlanType StageRing")
            << QStringLiteral("PlanType") << 1 << QStringLiteral("sequence of stages");
        QTest::newRow("PlanType Special")
            << QStringLiteral("PlanType") << 2 << QStringLiteral("special");
        QTest::newRow("SpecialMode AB")
            << QStringLiteral("SpecialMode") << 0 << QStringLiteral("AB");
        QTest::newRow("SpecialMode OFF")
            << QStringLiteral("SpecialMode") << 1 << QStringLiteral("OFF");
        QTest::newRow("Recall none") << QStringLiteral("Recall") << 0 << QStringLiteral("none");
        QTest::newRow("Recall max") << QStringLiteral("Recall") << 1 << QStringLiteral("maximum");
        QTest::newRow("Recall min") << QStringLiteral("Recall") << 2 << QStringLiteral("minimum");
        QTest::newRow("Recall soft") << QStringLiteral("Recall") << 3 << QStringLiteral("soft");
        QTest::newRow("CountdownBoard timer")
            << QStringLiteral("CountdownBoard") << 0 << QStringLiteral("timer");
        QTest::newRow("CountdownBoard adaptive")
            << QStringLiteral("CountdownBoard") << 1 << QStringLiteral("adaptive");
        QTest::newRow("CountdownBoard conditional")
            << QStringLiteral("CountdownBoard") << 2 << QStringLiteral("conditional");
        QTest::newRow("CsType emergency")
            << QStringLiteral("CsType") << 0 << QStringLiteral("Emergency");
        QTest::newRow("CsType scheduler")
            << QStringLiteral("CsType") << 1 << QStringLiteral("Scheduler");
        QTest::newRow("CsType tiverkITS")
            << QStringLiteral("CsType") << 2 << QStringLiteral("ITS tiverk");
        QTest::newRow("CsType remoteControlPanel")
            << QStringLiteral("CsType") << 3 << QStringLiteral("RCP");
        QTest::newRow("KMPDevice::SubType passive")
            << QStringLiteral("KMPDevice::SubType") << 0 << QStringLiteral("passive");
        QTest::newRow("KMPDevice::SubType passive_ind")
            << QStringLiteral("KMPDevice::SubType") << 1
            << QStringLiteral("passive with indication");
        QTest::newRow("KMPDevice::SubType dryContact")
            << QStringLiteral("KMPDevice::SubType") << 2 << QStringLiteral("dry contact");
        QTest::newRow("KMPDevice::SubType interfaceType")
            << QStringLiteral("KMPDevice::SubType") << 3 << QStringLiteral("serial interface");
        QTest::newRow("KMPDevice::SubType interface_tiverk1")
            << QStringLiteral("KMPDevice::SubType") << 4 << QStringLiteral("interface tiverk1");
        QTest::newRow("KMPDevice::SubType interface_tiverk2")
            << QStringLiteral("KMPDevice::SubType") << 5 << QStringLiteral("interface tiverk2");
        QTest::newRow("KMPDevice::SubType traficam")
            << QStringLiteral("KMPDevice::SubType") << 6 << QStringLiteral("traficam");
        QTest::newRow("KMPDevice::SubType sitilog")
            << QStringLiteral("KMPDevice::SubType") << 7 << QStringLiteral("citilog");
        QTest::newRow("KMPDevPort::Value dryContact")
            << QStringLiteral("KMPDevPort::Value") << 0 << QStringLiteral("dry contact");
        QTest::newRow("KMPDevPort::Value RS485_1")
            << QStringLiteral("KMPDevPort::Value") << 1 << QStringLiteral("RS485_1");
        QTest::newRow("KMPDevPort::Value RS485_2")
            << QStringLiteral("KMPDevPort::Value") << 2 << QStringLiteral("RS485_2");
        QTest::newRow("KMPDevPort::Value LAN")
            << QStringLiteral("KMPDevPort::Value") << 3 << QStringLiteral("LAN");
        QTest::newRow("Polarity positive")
            << QStringLiteral("Polarity") << 0 << QStringLiteral("positive");
        QTest::newRow("Polarity negative")
            << QStringLiteral("Polarity") << 1 << QStringLiteral("negative");
        QTest::newRow("VPUType passive")
            << QStringLiteral("VPUType") << 0 << QStringLiteral("passive");
        QTest::newRow("VPUType passive_ind")
            << QStringLiteral("VPUType") << 1 << QStringLiteral("passive with indication");
        QTest::newRow("VPUType interface_tiverk1")
            << QStringLiteral("VPUType") << 2 << QStringLiteral("interface tiverk1");
        QTest::newRow("VPUType interface_tiverk2")
            << QStringLiteral("VPUType") << 3 << QStringLiteral("interface tiverk2");
        QTest::newRow("DIO::Type dryContact")
            << QStringLiteral("DIO::Type") << 0 << QStringLiteral("dry contact");
        QTest::newRow("DIO::Type traficamSimple")
            << QStringLiteral("DIO::Type") << 1 << QStringLiteral("traficam simple");
        QTest::newRow("DIO::Type TiverkDET")
            << QStringLiteral("DIO::Type") << 2 << QStringLiteral("TiverkDET");
        QTest::newRow("DIO::Type traficam")
            << QStringLiteral("DIO::Type") << 3 << QStringLiteral("traficam");
        QTest::newRow("DIO::Type sitilog")
            << QStringLiteral("DIO::Type") << 4 << QStringLiteral("citilog");
        QTest::newRow("KMPDevice::Type VPU1")
            << QStringLiteral("KMPDevice::Type") << 3 << QStringLiteral("VPU1");
        QTest::newRow("Color::Value amber")
            << QStringLiteral("Color::Value") << 2 << QStringLiteral("amber");
    }

    void displayTexts()
    {
        QFETCH(QString, enumeration);
        QFETCH(int, value);
        QFETCH(QString, text);
        const QMap<QString, std::function<QString(int)>> texts = {
            { "SGType",
              [](int v) {
                  return enumText<zu::SGType>(v);
              } },
            { "PlanType",
              [](int v) {
                  return enumText<zu::PlanType>(v);
              } },
            { "SpecialMode",
              [](int v) {
                  return enumText<zu::SpecialMode>(v);
              } },
            { "Recall",
              [](int v) {
                  return enumText<zu::Recall>(v);
              } },
            { "CountdownBoard",
              [](int v) {
                  return enumText<zu::CountdownBoard>(v);
              } },
            { "CsType",
              [](int v) {
                  return enumText<zu::CsType>(v);
              } },
            { "KMPDevice::SubType",
              [](int v) {
                  return enumText<zu::KMPDevice::SubType>(v);
              } },
            { "KMPDevPort::Value",
              [](int v) {
                  return enumText<zu::KMPDevPort::Value>(v);
              } },
            { "Polarity",
              [](int v) {
                  return enumText<zu::Polarity>(v);
              } },
            { "VPUType",
              [](int v) {
                  return enumText<zu::VPUType>(v);
              } },
            { "DIO::Type",
              [](int v) {
                  return enumText<zu::DIO::Type>(v);
              } },
            { "KMPDevice::Type",
              [](int v) {
                  return enumText<zu::KMPDevice::Type>(v);
              } },
            { "Color::Value",
              [](int v) {
                  return enumText<zu::Color::Value>(v);
              } },
        };
        MainWindow window;
        QVERIFY(texts.contains(enumeration));
        QCOMPARE(texts.value(enumeration)(value), text);
    }

    // The window names its configuration for the slots bound by name, and stores
    // the enumerations' display texts in the language of the moment.
    void mainWindowSetsUpModelTexts()
    {
        enumText<zu::KMPDevice::SubType>(zu::KMPDevice::sitilog) = QStringLiteral("stale");
        enumText<zu::CsType>(zu::emergency) = QStringLiteral("stale");
        enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::LAN) = QStringLiteral("LAN");
        OneTextTranslator translator;
        QCoreApplication::installTranslator(&translator);
        {
            MainWindow window;
            QCOMPARE(window.configuration()->objectName(), QStringLiteral("configuration"));
            QCOMPARE(window.configuration()->parent(), &window);
        }
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(enumText<zu::KMPDevice::SubType>(zu::KMPDevice::sitilog),
                 QStringLiteral("citilog"));
        QCOMPARE(enumText<zu::CsType>(zu::emergency), QStringLiteral("Emergency"));
        QCOMPARE(enumText<zu::PlanType>(zu::StageRing), QStringLiteral("ring"));
        QCOMPARE(enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::RS485_2),
                 QStringLiteral("RS485_2"));
        QCOMPARE(enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::LAN), QStringLiteral("LAN"));
        QCOMPARE(enumText<zu::DIO::Type>(zu::DIO::TiverkDET), QStringLiteral("TiverkDET"));
    }

    void programStartsAndQuits()
    {
        const QString error = TestSupport::startAndStopProgram(QStringLiteral("zumoltc"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void programStaysUp()
    {
        const QString error = zumoltcStaysUp({});
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

PROJECT_TEST(TestStartup);
#include "tst_startup.moc"
