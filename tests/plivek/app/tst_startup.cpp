#include "messagecapture.h"
#include "modalanswerer.h"
#include "plivek/app/reporterror.h"
#include "plivek/app/startup.h"
#include "plivek/mainwindow/mainwindow.h"
#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// A compiled translation without messages: enough for the loader to accept it.
const QByteArray emptyTranslation
    = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddda70000000572755f5255"
                          "880000000d1101fd290bff140204fd2c0a13");

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void identity()
    {
        Startup::setApplicationIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("plivek"));
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("tovel"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.7.21"));
    }

    void mainWindowShowsAndCloses()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }

    void programStartsAndQuits()
    {
        const QString error = TestSupport::startAndStopProgram(QStringLiteral("plivek"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void reportErrorQuietLogs()
    {
        MessageCapture capture;
        reportError(QStringLiteral("Error open file"), QStringLiteral("No such file"), true);
        QCOMPARE(capture.criticals(),
                 QStringList { QStringLiteral("Error open file No such file") });
    }

    void reportErrorShowsMessageBox()
    {
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        MessageCapture capture;
        reportError(QStringLiteral("Error writing output file"), QStringLiteral("Disk full"),
                    false);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenClassName(), QStringLiteral("QMessageBox"));
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Error writing output file"));
        QCOMPARE(answerer.seenText(), QStringLiteral("Disk full"));
        QVERIFY(capture.criticals().isEmpty());
    }

    void translationDirectories()
    {
        QTemporaryDir app;
        QCOMPARE(Startup::translationDirectories(app.path()).first(), app.path());
        QVERIFY(
            !Startup::translationDirectories(app.path()).contains(app.filePath("translations")));

        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("translations")));
        const QStringList dirs = Startup::translationDirectories(app.path());
        QCOMPARE(dirs.value(0), app.path());
        QCOMPARE(dirs.value(1), app.filePath(QStringLiteral("translations")));
        const QDir toolkit(QLibraryInfo::location(QLibraryInfo::TranslationsPath));
        QCOMPARE(dirs.size(), toolkit.exists() ? 3 : 2);
        if (toolkit.exists())
            QCOMPARE(dirs.value(2), toolkit.absolutePath());
    }

    void applicationTranslationFromFirstFolderThatHasIt()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        QTemporaryDir app;
        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("translations")));
        const QString sub = app.filePath(QStringLiteral("translations"));
        QVERIFY(TestSupport::writeFile(sub + QStringLiteral("/plivek_ru.qm"), emptyTranslation));

        QTranslator onlySub;
        QCOMPARE(Startup::installApplicationTranslation(&onlySub, { app.path(), sub }), sub);
        QCoreApplication::removeTranslator(&onlySub);

        QVERIFY(
            TestSupport::writeFile(app.filePath(QStringLiteral("plivek_ru.qm")), emptyTranslation));
        QTranslator both;
        QCOMPARE(Startup::installApplicationTranslation(&both, { app.path(), sub }), app.path());
        QCoreApplication::removeTranslator(&both);

        QTemporaryDir none;
        QTranslator missing;
        QCOMPARE(Startup::installApplicationTranslation(&missing, { none.path() }), QString());
        QLocale::setDefault(previous);
    }

    void emulatorPluginPath()
    {
        const QString key = QStringLiteral("QTlc/PluginPath");
        QTemporaryDir app;
        Startup::setEmulatorPluginPath(app.path());
        QVERIFY(!QSettings().contains(key));

        QVERIFY(QDir(app.path()).mkpath(QStringLiteral("plugins/QTlc")));
        Startup::setEmulatorPluginPath(app.path());
        QCOMPARE(QSettings().value(key).toString(), app.filePath(QStringLiteral("plugins/QTlc")));
        QSettings().remove(key);
    }
};

PROJECT_TEST(TestStartup);
#include "tst_startup.moc"
