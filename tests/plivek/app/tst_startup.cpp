#include "mainwindow.h"
#include "startup.h"
#include "testdata.h"
#include "testmain.h"

#include <QProcess>
#include <QtTest>

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
        // The built program starts offscreen and ends when told to.
        QProcess program;
        program.start(TestSupport::programPath(QStringLiteral("plivek")), QStringList());
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
    }
};

PROJECT_TEST(TestStartup);
#include "tst_startup.moc"
