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
        process.start(probe(), { fault });
        QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.readAllStandardOutput(), QByteArray("crashSave\n"));
        // The default action was restored and the signal raised again.
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), signalNumber);
    }

    // A changed document of the real window survives the crash as one copy in
    // the temporary folder, and the next start brings it back.
    void crashedDocumentIsRecoveredAtNextStart()
    {
        QTemporaryDir home;
        const QString temp = home.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(temp));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temp);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           home.filePath(QStringLiteral("config")));
        const QString document = home.filePath(QStringLiteral("x12.cnf"));
        QVERIFY(QFile::copy(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")),
                            document));

        QProcess crashing;
        crashing.setProcessEnvironment(environment);
        crashing.start(probe(), { QStringLiteral("edited"), document });
        QVERIFY2(crashing.waitForStarted(), qPrintable(crashing.errorString()));
        const qint64 pid = crashing.processId();
        QVERIFY(crashing.waitForFinished(30000));
        QCOMPARE(crashing.readAllStandardOutput(), QByteArray("crashSave\n"));
        QCOMPARE(crashing.exitStatus(), QProcess::CrashExit);
        QCOMPARE(crashing.exitCode(), int(SIGSEGV));
        QCOMPARE(QDir(temp).entryList(QDir::Files),
                 QStringList { QStringLiteral("x12_%1.cnf").arg(pid) });

        QProcess next;
        next.setProcessEnvironment(environment);
        next.start(probe(), { QStringLiteral("recover") });
        QVERIFY(next.waitForFinished(30000));
        QCOMPARE(next.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(next.readAllStandardOutput()),
                 QStringLiteral("1 %1 1 101\n").arg(document));
        QCOMPARE(QDir(temp).entryList(QDir::Files), QStringList());
    }

    void normalEndSavesNothing()
    {
        QProcess process;
        process.start(probe(), { QStringLiteral("none") });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
    }
};

PROJECT_TEST(TestCrashHandler);
#include "tst_crashhandler.moc"
