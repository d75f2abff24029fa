#include "testdata.h"
#include "testmain.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

class TestCrashHandler : public QObject
{
    Q_OBJECT
private:
    static QString probe()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/plivek_crashprobe");
    }

private slots:
    void fatalFaultSavesOnceAndEnds_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("signalNumber");

        QTest::newRow("raised SIGSEGV") << "SIGSEGV" << int(SIGSEGV);
        QTest::newRow("raised SIGBUS") << "SIGBUS" << int(SIGBUS);
        QTest::newRow("raised SIGILL") << "SIGILL" << int(SIGILL);
        QTest::newRow("raised SIGFPE") << "SIGFPE" << int(SIGFPE);
        QTest::newRow("raised SIGABRT") << "SIGABRT" << int(SIGABRT);
        QTest::newRow("null pointer write") << "null" << int(SIGSEGV);
        // Only a handler on its own stack can run after the stack is used up.
        QTest::newRow("stack overflow") << "overflow" << int(SIGSEGV);
        QTest::newRow("uncaught exception") << "throw" << int(SIGABRT);
        // A second fault during the save does not save again; it ends the process.
        QTest::newRow("fault during the save") << "twice" << int(SIGABRT);
    }

    void fatalFaultSavesOnceAndEnds()
    {
        QFETCH(QString, fault);
        QFETCH(int, signalNumber);

        QProcess process;
        process.start(probe(), {fault});
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.readAllStandardOutput(), QByteArray("crashSave\n"));
        // The default action was restored and the signal raised again.
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), signalNumber);
    }

    void normalEndSavesNothing()
    {
        QProcess process;
        process.start(probe(), {QStringLiteral("none")});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
    }
};

PROJECT_TEST(TestCrashHandler);
#include "tst_crashhandler.moc"
