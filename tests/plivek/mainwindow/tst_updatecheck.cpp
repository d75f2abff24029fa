#include "modalanswerer.h"
#include "plivek/mainwindow/maintenancetool.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QMessageBox>
#include <QProcess>
#include <QtTest>

using namespace WindowTesting;

class TestUpdateCheck : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString toolFolder() const { return dir.filePath(QStringLiteral("tool")); }
    QString argumentsFile() const { return dir.filePath(QStringLiteral("tool/arguments")); }
    QString updateFile() const { return dir.filePath(QStringLiteral("tool/updating")); }

    // A maintenance tool that records its arguments; started with "--su" it
    // records them elsewhere, so an update is told from a check.
    void installTool(const QByteArray &checkAnswer)
    {
        QVERIFY(QDir().mkpath(toolFolder()));
        const QString tool = toolFolder() + QStringLiteral("/maintenancetool");
        const QByteArray script
            = "#!/bin/sh\n"
              "if [ \"$1\" = \"--su\" ]; then echo \"$@\" > \"${0%/*}/updating\"; exit 0; fi\n"
              "echo \"$@\" > \"${0%/*}/arguments\"\n"
            + checkAnswer + "\n";
        QVERIFY(TestSupport::writeFile(tool, script));
        QVERIFY(QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner));
        MaintenanceTool::setFolder(toolFolder());
    }

    // Lets the check started by the window end; its end is handled meanwhile.
    static void finishCheck(MainWindow &window)
    {
        auto *check = window.findChild<QProcess *>();
        QVERIFY(check);
        QCOMPARE(check->program(), MaintenanceTool::path());
        QVERIFY(check->waitForFinished(30000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.findChild<QProcess *>());
    }

    static QVariant storedSetting() { return QSettings().value(QStringLiteral("checkForUpdate")); }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init()
    {
        clearSettings();
        QDir(toolFolder()).removeRecursively();
    }

    void cleanup() { MaintenanceTool::setFolder(QString()); }

    void startUpCheckAsksOnlyWhenToolKnowsOfUpdate_data()
    {
        QTest::addColumn<QByteArray>("checkAnswer");
        QTest::addColumn<bool>("asked");

        QTest::newRow("output, exit 0") << QByteArray("echo 'component 2.1'\nexit 0") << true;
        QTest::newRow("no output, exit 0") << QByteArray("exit 0") << false;
        QTest::newRow("output, exit 1") << QByteArray("echo 'component 2.1'\nexit 1") << false;
    }

    void startUpCheckAsksOnlyWhenToolKnowsOfUpdate()
    {
        QFETCH(QByteArray, checkAnswer);
        QFETCH(bool, asked);
        installTool(checkAnswer);

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::No);
        MainWindow window;
        QVERIFY(isShown(window, "actionCheck_for_update"));
        QVERIFY(child<QAction>(window, "actionCheck_for_update")->isChecked());
        finishCheck(window);

        QCOMPARE(TestSupport::readFile(argumentsFile()), QByteArray("ch -g ifw.*=false\n"));
        QCOMPARE(answerer.answered(), asked);
        if (asked) {
            QCOMPARE(answerer.seenTitle(), QStringLiteral("updating"));
            QCOMPARE(answerer.seenText(),
                     QStringLiteral("Program or one of component has new version. Update?"));
        }
        QVERIFY(!QFileInfo::exists(updateFile()));
    }

    void yesStartsTheUpdate()
    {
        installTool("echo 'component 2.1'\nexit 0");
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        MainWindow window;
        finishCheck(window);
        QVERIFY(answerer.answered());
        // The tool runs on its own; plivek does not wait for it.
        QTRY_COMPARE(TestSupport::readFile(updateFile()), QByteArray("--su\n"));
    }

    void missingToolHidesTheEntryAndKeepsTheSetting()
    {
        MaintenanceTool::setFolder(toolFolder());
        QSettings().setValue(QStringLiteral("checkForUpdate"), 0);
        {
            MainWindow window;
            QVERIFY(!isShown(window, "actionCheck_for_update"));
            QVERIFY(!window.findChild<QProcess *>());
            child<QAction>(window, "actionCheck_for_update")->setChecked(true);
            // Ticking without a tool starts nothing either.
            child<QAction>(window, "actionCheck_for_update")->triggered(true);
            QVERIFY(!window.findChild<QProcess *>());
        }
        QCOMPARE(storedSetting().toInt(), 0);
    }

    void untickingStopsTheCheckAtTheNextStart()
    {
        installTool("exit 0");
        {
            MainWindow window;
            finishCheck(window);
            QAction *entry = child<QAction>(window, "actionCheck_for_update");
            entry->trigger();
            QVERIFY(!entry->isChecked());
            QVERIFY(!window.findChild<QProcess *>());
        }
        QCOMPARE(storedSetting().toInt(), 0);

        QFile::remove(argumentsFile());
        MainWindow next;
        QVERIFY(isShown(next, "actionCheck_for_update"));
        QVERIFY(!child<QAction>(next, "actionCheck_for_update")->isChecked());
        QVERIFY(!next.findChild<QProcess *>());

        // Ticking it again checks at once and is kept.
        child<QAction>(next, "actionCheck_for_update")->trigger();
        finishCheck(next);
        QVERIFY(QFileInfo::exists(argumentsFile()));
    }

    void anyNonZeroSettingChecks()
    {
        installTool("exit 0");
        QSettings().setValue(QStringLiteral("checkForUpdate"), 7);
        MainWindow window;
        QVERIFY(child<QAction>(window, "actionCheck_for_update")->isChecked());
        finishCheck(window);
    }
};

PROJECT_TEST(TestUpdateCheck);
#include "tst_updatecheck.moc"
