#include "mainwindow.h"
#include "programrun.h"
#include "modalanswerer.h"
#include "startup.h"
#include "testdata.h"
#include "testmain.h"
#include "zuconfiguration.h"
#include "zuenums.h"

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

namespace {

// Compiles a translation that answers the text `source` of context "Probe" with
// `translation` into directory/name_<language of the system locale>.qm.
bool writeTranslation(const QString &directory, const QString &name, const QString &source,
                      const QString &translation)
{
    const QString ts = QDir(directory).filePath(name + QStringLiteral(".ts"));
    const QString content = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                           "<!DOCTYPE TS><TS version=\"2.1\"><context><name>Probe</name>"
                                           "<message><source>%1</source><translation>%2</translation>"
                                           "</message></context></TS>\n")
                                .arg(source, translation);
    if (!TestSupport::writeFile(ts, content.toUtf8()))
        return false;
    const QString language = QLocale::system().uiLanguages().value(0).replace(QLatin1Char('-'), QLatin1Char('_'));
    QProcess lrelease;
    lrelease.start(QStringLiteral(LRELEASE_PROGRAM),
                   {QStringLiteral("-silent"), ts, QStringLiteral("-qm"),
                    QDir(directory).filePath(name + QLatin1Char('_') + language + QStringLiteral(".qm"))});
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
        const QStringList toolkitEntry = toolkit.exists() ? QStringList{toolkit.absolutePath()} : QStringList();
        QCOMPARE(Startup::translationDirectories(app.path()), QStringList{app.path()} + toolkitEntry);
        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("translations")));
        QCOMPARE(Startup::translationDirectories(app.path()),
                 QStringList({app.path(), app.filePath(QStringLiteral("translations"))}) + toolkitEntry);
    }

    // Files are "folder/name" in the folders app, sub (its translations) and toolkit;
    // each translates its own name into "name@folder".
    void translationsFoundWhereTheyLive_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("shown"); // what "qt", "zumoltc" and "zumolt" show

        QTest::newRow("none anywhere") << QStringList() << QString()
                                       << QStringList{"qt", "zumoltc", "zumolt"};
        QTest::newRow("zumoltc only in the toolkit folder")
            << QStringList{"toolkit/qt", "toolkit/zumoltc", "toolkit/zumolt", "app/zumolt"}
            << QStringLiteral("toolkit") << QStringList{"qt", "zumoltc@toolkit", "zumolt@toolkit"};
        QTest::newRow("first folder that has zumoltc wins")
            << QStringList{"app/qt", "sub/zumoltc", "toolkit/zumoltc", "app/zumolt", "toolkit/zumolt"}
            << QStringLiteral("sub") << QStringList{"qt@app", "zumoltc@sub", "zumolt"};
        QTest::newRow("all in the application folder")
            << QStringList{"app/qt", "app/zumoltc", "app/zumolt", "sub/zumoltc"} << QStringLiteral("app")
            << QStringList{"qt@app", "zumoltc@app", "zumolt@app"};
    }

    void translationsFoundWhereTheyLive()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QFETCH(QStringList, shown);

        QTemporaryDir app;
        QMap<QString, QString> folders{{QStringLiteral("app"), app.path()},
                                       {QStringLiteral("sub"), app.filePath(QStringLiteral("translations"))},
                                       {QStringLiteral("toolkit"), app.filePath(QStringLiteral("toolkit"))}};
        for (const QString &folder : folders)
            QVERIFY(QDir().mkpath(folder));
        for (const QString &file : files) {
            const QString folder = file.section(QLatin1Char('/'), 0, 0);
            const QString name = file.section(QLatin1Char('/'), 1);
            QVERIFY(writeTranslation(folders.value(folder), name, name, name + QLatin1Char('@') + folder));
        }

        QObject owner;
        QTranslator translator;
        const QString folder = Startup::installTranslations(
            &translator, {folders.value("app"), folders.value("sub"), folders.value("toolkit")}, &owner);
        QCOMPARE(folder, folders.value(found));
        QCOMPARE(QStringList({probe("qt"), probe("zumoltc"), probe("zumolt")}), shown);
        // Translators that did not load are gone again.
        QCOMPARE(owner.findChildren<QTranslator *>().size(), int(shown.at(0) != "qt") + int(shown.at(2) != "zumolt"));
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
            splitter->setSizes({formSizes.value(0) - 37, formSizes.value(1) + 37});
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
        QVERIFY(toolBar->actions().contains(window.findChild<QAction *>(QStringLiteral("actionchecking"))));
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
        QCOMPARE(enumText<zu::KMPDevice::SubType>(zu::KMPDevice::sitilog), QStringLiteral("citilog"));
        QCOMPARE(enumText<zu::CsType>(zu::emergency), QStringLiteral("Emergency"));
        QCOMPARE(enumText<zu::PlanType>(zu::StageRing), QStringLiteral("ring"));
        QCOMPARE(enumText<zu::KMPDevPort::Value>(zu::KMPDevPort::RS485_2), QStringLiteral("RS485_2"));
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
