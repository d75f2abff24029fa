#include "mainwindow.h"
#include "startup.h"
#include "testdata.h"
#include "testmain.h"

#include <QtTest>

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

    void mainWindowShowsAndCloses()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.close());
    }

    void programStartsAndQuits()
    {
        const QString error = TestSupport::startAndStopProgram(QStringLiteral("zumoltc"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

PROJECT_TEST(TestStartup);
#include "tst_startup.moc"
