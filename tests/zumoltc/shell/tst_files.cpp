#include "filenamecodecinuse.h"
#include "filesizelimit.h"
#include "programrun.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/settings.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

ScriptedDialogs *scriptDialogs(MainWindow &window)
{
    auto *dialogs = new ScriptedDialogs;
    window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
    return dialogs;
}

QAction *action(MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

bool saveEnabled(MainWindow &window)
{
    return action(window, "actionSave")->isEnabled();
}

// A configuration file with id 5 and one signal group.
QString writeConfiguration(const QString &path, int id = 5)
{
    const QString json
        = QStringLiteral("{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": %1, "
                         "\"signalGroups\": {\"items\": [{\"id\": 1, \"name\": \"A\", "
                         "\"type\": \"traffic\"}]}}")
              .arg(id);
    return TestSupport::writeFile(path, json.toUtf8()) ? path : QString();
}

const QString filter = QStringLiteral("ZUMOLT configuration files (*.json *.cnf);;All files (*.*)");

} // namespace

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Startup::setApplicationIdentity(); }

    void init()
    {
        QSettings().clear();
        QVERIFY(m_dir.isValid());
        m_previousCurrent = QDir::currentPath();
    }

    void cleanup() { QDir::setCurrent(m_previousCurrent); }

    void actionsOfTheForm()
    {
        MainWindow window;
        struct Expected
        {
            const char *name;
            const char *text;
            const char *shortcut;
            bool icon;
        };
        const Expected expected[] = {
            { "actionNew", "New", "Ctrl+N", true },
            { "actionOpen", "Open ...", "Ctrl+O", true },
            { "actionSave", "Save", "Ctrl+S", true },
            { "actionSave_as", "Save as ...", "", true },
            { "actionClose", "Close", "Ctrl+W", false },
            { "actionExit", "Exit", "Ctrl+Q", true },
            { "actionchecking", "checking", "", true },
            { "actionSettings", "Settings ...", "", false },
        };
        for (const Expected &e : expected) {
            QAction *a = action(window, e.name);
            QVERIFY2(a, e.name);
            QCOMPARE(a->text(), QLatin1String(e.text));
            QCOMPARE(a->shortcut(), QKeySequence(QLatin1String(e.shortcut)));
            QCOMPARE(!a->icon().isNull(), e.icon);
        }
        QVERIFY(!saveEnabled(window));

        // File: New, Open, Save, Save as, Close, the five recent files between two
        // separators, Exit.
        const QList<QAction *> file
            = window.findChild<QMenu *>(QStringLiteral("menuFile"))->actions();
        QCOMPARE(file.size(), 13);
        QStringList names;
        for (int index : { 0, 1, 2, 3, 4, 12 })
            names << file.at(index)->objectName();
        QCOMPARE(names,
                 QStringList({ "actionNew", "actionOpen", "actionSave", "actionSave_as",
                               "actionClose", "actionExit" }));
        QVERIFY(file.at(5)->isSeparator());
        QVERIFY(file.at(11)->isSeparator());
        for (int index = 6; index < 11; ++index)
            QVERIFY(!file.at(index)->isVisible());

        names.clear();
        const QList<QAction *> tools
            = window.findChild<QToolBar *>(QStringLiteral("toolBar"))->actions();
        for (QAction *a : tools)
            names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        QCOMPARE(names,
                 QStringList({ "actionNew", "actionOpen", "actionSave", "actionSave_as", "|",
                               "actionchecking" }));
    }

    void nothingChangedAsksNothing()
    {
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.checkForUnsaved());
        QVERIFY(dialogs->shown.isEmpty());
    }

    // New on a modified file: No drops the changes and writes nothing; Yes saves
    // them, with the previous file as ".bak".
    void questionForAFile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("No") << int(QMessageBox::No);
        QTest::newRow("Yes") << int(QMessageBox::Yes);
    }

    void questionForAFile()
    {
        QFETCH(int, answer);
        const QString path
            = writeConfiguration(m_dir.filePath(QStringLiteral("asked%1.json").arg(answer)));
        const QByteArray before = TestSupport::readFile(path);
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        window.configuration()->setId(42);
        window.configuration_changed();
        dialogs->answers << answer;
        action(window, "actionNew")->trigger();

        QCOMPARE(dialogs->shown.size(), 1);
        const ScriptedDialogs::Shown &question = dialogs->shown.first();
        QCOMPARE(question.title, QStringLiteral("Warning"));
        QCOMPARE(question.text, QStringLiteral("Current configuration is not saved. Save now?"));
        QCOMPARE(question.buttons, int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
        QCOMPARE(question.icon, int(QMessageBox::Question));
        QCOMPARE(question.parent, &window);
        QVERIFY(dialogs->fileQuestions.isEmpty());
        // The window went on to New in both cases.
        QCOMPARE(window.fileName(), QString());
        QCOMPARE(window.configuration()->id(), int(zu::NotSet));
        QVERIFY(!saveEnabled(window));

        ZUConfiguration saved;
        QVERIFY(saved.load(path));
        if (answer == QMessageBox::No) {
            QCOMPARE(TestSupport::readFile(path), before);
            QVERIFY(!QFile::exists(path + QStringLiteral(".bak")));
        } else {
            QCOMPARE(saved.id(), 42);
            QCOMPARE(TestSupport::readFile(path + QStringLiteral(".bak")), before);
        }
    }

    void yesWithoutAFileRunsSaveAs()
    {
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        window.configuration()->setId(3);
        window.configuration_changed();
        const QString path = m_dir.filePath(QStringLiteral("new.json"));
        dialogs->answers << QMessageBox::Yes;
        dialogs->files << path;
        QVERIFY(window.checkForUnsaved());
        QCOMPARE(dialogs->fileQuestions.size(), 1);
        QCOMPARE(dialogs->fileQuestions.first().caption, QStringLiteral("Save file as"));
        QCOMPARE(dialogs->fileQuestions.first().filter, filter);
        QVERIFY(QFile::exists(path));
        QVERIFY(!QFile::exists(path + QStringLiteral(".bak")));
        QCOMPARE(window.fileName(), path);
        QVERIFY(!saveEnabled(window));
    }

    void cancelledSaveAsCancels_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("New") << QStringLiteral("new");
        QTest::newRow("Close") << QStringLiteral("close");
        QTest::newRow("Open") << QStringLiteral("open");
        QTest::newRow("window close") << QStringLiteral("window");
        QTest::newRow("Cancel in the question") << QStringLiteral("cancel");
    }

    // Yes for a configuration never saved opens the save dialog; cancelling it
    // cancels whatever asked, and so does Cancel in the question itself.
    void cancelledSaveAsCancels()
    {
        QFETCH(QString, how);
        const QString other = writeConfiguration(m_dir.filePath(QStringLiteral("other.json")), 8);
        MainWindow window;
        window.show();
        ScriptedDialogs *dialogs = scriptDialogs(window);
        window.configuration()->setId(3);
        window.configuration_changed();
        if (how == QLatin1String("cancel")) {
            dialogs->answers << QMessageBox::Cancel;
            QVERIFY(!window.checkForUnsaved());
        } else {
            dialogs->answers << QMessageBox::Yes;
            if (how == QLatin1String("open"))
                dialogs->files << other;
            dialogs->files << QString();
            if (how == QLatin1String("new"))
                action(window, "actionNew")->trigger();
            else if (how == QLatin1String("close"))
                action(window, "actionClose")->trigger();
            else if (how == QLatin1String("open"))
                action(window, "actionOpen")->trigger();
            else
                QVERIFY(!window.close());
        }
        QCOMPARE(dialogs->unexpected, 0);
        QVERIFY(dialogs->answers.isEmpty() && dialogs->files.isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(window.configuration()->id(), 3);
        QVERIFY(saveEnabled(window));
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration*"));
    }

    // Pending page edits alone (the tree is locked) still ask before the configuration goes.
    void pendingEditsAsk()
    {
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        window.findChild<QTreeWidget *>(QStringLiteral("section_list"))->setEnabled(false);
        dialogs->answers << QMessageBox::Cancel;
        QVERIFY(!window.checkForUnsaved());
        QCOMPARE(dialogs->titles(), QStringList { QStringLiteral("Warning") });
    }

    void windowTitle()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
        const QString inCurrent = writeConfiguration(m_dir.filePath(QStringLiteral("here.json")));
        const QString elsewhere
            = writeConfiguration(m_dir.filePath(QStringLiteral("sub/there.json")));
        QVERIFY(QDir::setCurrent(m_dir.path()));

        MainWindow window;
        scriptDialogs(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
        window.configuration_changed();
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration*"));

        QVERIFY(window.loadFile(inCurrent));
        QCOMPARE(window.windowTitle(), QStringLiteral("here.json"));
        window.configuration_changed();
        QCOMPARE(window.windowTitle(), QStringLiteral("here.json*"));
        action(window, "actionSave")->trigger();
        QCOMPARE(window.windowTitle(), QStringLiteral("here.json"));

        // A path is shown as it was given.
        QVERIFY(window.loadFile(QStringLiteral("sub/there.json")));
        QCOMPARE(window.windowTitle(), QStringLiteral("sub/there.json"));
        QVERIFY(window.loadFile(elsewhere));
        QCOMPARE(window.windowTitle(), elsewhere);
        QVERIFY(window.loadFile(QStringLiteral("./here.json")));
        QCOMPARE(window.windowTitle(), QStringLiteral("here.json"));
    }

    void twoSavesKeepTheFirstAsBackup()
    {
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("twice.json")));
        MainWindow window;
        scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        window.configuration()->setId(11);
        window.configuration_changed();
        action(window, "actionSave")->trigger();
        const QByteArray first = TestSupport::readFile(path);
        window.configuration()->setId(12);
        window.configuration_changed();
        action(window, "actionSave")->trigger();
        QCOMPARE(TestSupport::readFile(path + QStringLiteral(".bak")), first);
        QVERIFY(TestSupport::readFile(path).contains("12"));
        QVERIFY(first.contains("11"));
    }

    // A name that is not UTF-8, as plivek hands it over: opened, saved and backed up
    // under its own bytes, with nothing left beside it under another name.
    void fileNameThatIsNotUtf8()
    {
        FileNameCodecInUse fileNames;
        QTemporaryDir dir;
        const QByteArray bytes = QFile::encodeName(dir.path()) + "/plan \xff\xfe.json";
        const QString path = QFile::decodeName(bytes);
        QVERIFY(!writeConfiguration(path).isEmpty());
        MainWindow window;
        scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        QCOMPARE(window.configuration()->id(), 5);
        window.configuration()->setId(11);
        window.configuration_changed();
        action(window, "actionSave")->trigger();

        QFile saved(QString::fromLocal8Bit(bytes));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("\"id\": 11"));
        QVERIFY(QFile::exists(QFile::decodeName(bytes + ".bak")));
        const QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(names.size(), 2);
        for (const QString &name : names)
            QVERIFY2(QFile::encodeName(name).startsWith("plan \xff\xfe.json"), qPrintable(name));
    }

    // A file only its owner may read keeps a copy only its owner may read, whether the
    // copy is new, replaces an older one of other permissions, or is stopped part way.
    void backupOfAPrivateFileStaysPrivate_data()
    {
        QTest::addColumn<bool>("olderBackup");
        QTest::addColumn<int>("olderPermissions");
        const QFileDevice::Permissions everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup
            | QFileDevice::ReadOther;
        QTest::newRow("first backup") << false << 0;
        QTest::newRow("older backup readable by everyone") << true << int(everyone);
    }

    void backupOfAPrivateFileStaysPrivate()
    {
        QFETCH(bool, olderBackup);
        QFETCH(int, olderPermissions);

        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser;
        QTemporaryDir dir;
        const QString path = writeConfiguration(dir.filePath(QStringLiteral("private.json")));
        const QString backup = path + QStringLiteral(".bak");
        QVERIFY(QFile::setPermissions(path, owner));
        if (olderBackup) {
            QVERIFY(TestSupport::writeFile(backup, "older"));
            QVERIFY(QFile::setPermissions(backup, QFileDevice::Permissions(olderPermissions)));
        }
        const QByteArray original = TestSupport::readFile(path);
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        window.configuration()->setDescription(QString(600, QLatin1Char('x')));
        window.configuration_changed();
        action(window, "actionSave")->trigger();
        QCOMPARE(dialogs->unexpected, 0);
        QCOMPARE(TestSupport::readFile(backup), original);
        QCOMPARE(QFile::permissions(backup), owner);
        QCOMPARE(QFile::permissions(path), owner);

        // A save stopped while the copy is written leaves the last whole copy, as
        // private as before, and nothing beside it.
        const QByteArray saved = TestSupport::readFile(path);
        QVERIFY(saved.size() > 512);
        window.configuration()->setId(77);
        window.configuration_changed();
        dialogs->answers << QMessageBox::Ok << QMessageBox::Ok;
        {
            const TestSupport::FileSizeLimit limit(256);
            action(window, "actionSave")->trigger();
        }
        QCOMPARE(dialogs->titles(),
                 (QStringList { QStringLiteral("Error"), QStringLiteral("Warning") }));
        QCOMPARE(TestSupport::readFile(backup), original);
        QCOMPARE(QFile::permissions(backup), owner);
        QCOMPARE(TestSupport::readFile(path), saved);
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList { QStringLiteral("private.json"), QStringLiteral("private.json.bak") }));

        // The next save keeps the copy as private.
        action(window, "actionSave")->trigger();
        QCOMPARE(TestSupport::readFile(backup), saved);
        QCOMPARE(QFile::permissions(backup), owner);
    }

    void failedBackupIsReportedAndTheSaveGoesOn()
    {
        // A folder stands where the copy would go: the copy fails without touching
        // the file, so the save goes on, and the user hears of the missing copy.
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("kept.json")));
        const QString backup = path + QStringLiteral(".bak");
        QVERIFY(QDir().mkdir(backup));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        window.configuration()->setId(9);
        window.configuration_changed();
        dialogs->answers << QMessageBox::Ok;
        action(window, "actionSave")->trigger();

        QCOMPARE(dialogs->titles(), QStringList { QStringLiteral("Warning") });
        const QString text = dialogs->shown.first().text;
        const QString prefix
            = QStringLiteral("The previous version was not kept: cannot copy it to %1: ")
                  .arg(backup);
        QVERIFY2(text.startsWith(prefix) && text.size() > prefix.size(), qPrintable(text));
        QCOMPARE(dialogs->shown.first().icon, int(QMessageBox::Warning));
        QCOMPARE(dialogs->unexpected, 0);
        QVERIFY(!saveEnabled(window));
        ZUConfiguration saved;
        QVERIFY(saved.load(path));
        QCOMPARE(saved.id(), 9);
        QVERIFY(QFileInfo(backup).isDir());
    }

    void saveAsMakesNoBackup()
    {
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("source.json")));
        const QString target = writeConfiguration(m_dir.filePath(QStringLiteral("target.json")), 6);
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        dialogs->files << target;
        action(window, "actionSave_as")->trigger();
        QCOMPARE(window.fileName(), target);
        QVERIFY(!QFile::exists(target + QStringLiteral(".bak")));
        QVERIFY(!QFile::exists(path + QStringLiteral(".bak")));
        ZUConfiguration saved;
        QVERIFY(saved.load(target));
        QCOMPARE(saved.id(), 5);
        // The folder is remembered for the next Save as.
        QCOMPARE(Settings::dirSetting(QStringLiteral("last_save_dir")), m_dir.path());
    }

    void saveFailureKeepsTheState()
    {
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        window.configuration_changed();
        const QString target = m_dir.filePath(QStringLiteral("missing-folder/x.json"));
        dialogs->files << target;
        dialogs->answers << QMessageBox::Ok;
        action(window, "actionSave")->trigger();
        QCOMPARE(dialogs->titles(), QStringList { QStringLiteral("Error") });
        QVERIFY(!dialogs->shown.first().text.isEmpty());
        QVERIFY2(
            dialogs->shown.first().text.startsWith(QStringLiteral("Cannot write %1: ").arg(target)),
            qPrintable(dialogs->shown.first().text));
        QCOMPARE(window.fileName(), QString());
        QVERIFY(saveEnabled(window));
    }

    void proposedName_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("not set") << int(zu::NotSet) << QString();
        QTest::newRow("0") << 0 << QString();
        QTest::newRow("-4") << -4 << QString();
        QTest::newRow("7") << 7 << QStringLiteral("dat00007.json");
        QTest::newRow("1234567") << 1234567 << QStringLiteral("dat1234567.json");
    }

    void proposedName()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        Settings::setDirSetting(QStringLiteral("last_save_dir"), m_dir.path());
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        window.configuration()->setId(id);
        dialogs->files << QString();
        action(window, "actionSave_as")->trigger();
        QCOMPARE(dialogs->fileQuestions.size(), 1);
        const QString expected
            = name.isEmpty() ? m_dir.path() : m_dir.path() + QDir::separator() + name;
        QCOMPARE(dialogs->fileQuestions.first().start, expected);
    }

    void openRemembersTheFolder()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("open")));
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("open/o.json")));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        dialogs->files << path;
        action(window, "actionOpen")->trigger();
        QCOMPARE(dialogs->fileQuestions.first().caption, QStringLiteral("Opening file"));
        QCOMPARE(dialogs->fileQuestions.first().start, QDir::currentPath());
        QCOMPARE(dialogs->fileQuestions.first().filter, filter);
        QCOMPARE(window.fileName(), path);
        QCOMPARE(Settings::dirSetting(QStringLiteral("last_open_dir")),
                 m_dir.filePath(QStringLiteral("open")));
        // A cancelled dialog changes nothing and asks nothing more.
        window.configuration_changed();
        dialogs->files << QString();
        action(window, "actionOpen")->trigger();
        QCOMPARE(dialogs->fileQuestions.last().start, m_dir.filePath(QStringLiteral("open")));
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(window.fileName(), path);
    }

    void missingFileShowsTheError()
    {
        const QString path = m_dir.filePath(QStringLiteral("nope.json"));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        dialogs->answers << QMessageBox::Ok;
        QVERIFY(!window.loadFile(path));
        QCOMPARE(dialogs->shown.size(), 1);
        QCOMPARE(dialogs->shown.first().title, QStringLiteral("Error loading nope.json"));
        QCOMPARE(dialogs->shown.first().text, QStringLiteral("File %1 not exists").arg(path));
        QCOMPARE(dialogs->shown.first().icon, int(QMessageBox::Critical));
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
        QCOMPARE(window.fileName(), QString());
    }

    // A failed load leaves a new configuration, not the previous file.
    void failedLoadLeavesANewConfiguration()
    {
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("good.json")));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        dialogs->answers << QMessageBox::Ok;
        QVERIFY(!window.loadFile(
            TestSupport::dataPath(QStringLiteral("zumolt/fatal/type-missing.json"))));
        QCOMPARE(dialogs->titles(),
                 QStringList { QStringLiteral("Error loading type-missing.json") });
        QCOMPARE(dialogs->shown.first().text, QStringLiteral("'type' attribute not defined"));
        QCOMPARE(window.fileName(), QString());
        QVERIFY(window.configuration()->signalGroups().isEmpty());
        QCOMPARE(window.configuration()->id(), int(zu::NotSet));
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
    }

    void warningsAreShown_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("OK keeps the file") << int(QDialog::Accepted);
        QTest::newRow("Cancel drops it") << int(QDialog::Rejected);
    }

    void warningsAreShown()
    {
        QFETCH(int, answer);
        const QString path = TestSupport::dataPath(QStringLiteral("zumolt/with-warning.json"));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        dialogs->answers << answer;
        QCOMPARE(window.loadFile(path), answer == QDialog::Accepted);
        QCOMPARE(dialogs->shown.size(), 1);
        const ScriptedDialogs::Shown &shown = dialogs->shown.first();
        QCOMPARE(shown.className, QStringLiteral("LoadWarningsDialog"));
        QCOMPARE(shown.title, QStringLiteral("Warning"));
        QCOMPARE(shown.parent, &window);
        QCOMPARE(shown.text,
                 QStringLiteral("Configuration file with-warning.json has one or more warnings.\n"
                                "It is recommended to eliminate all warnings before loading the "
                                "configuration into the road controller"));
        ZUConfiguration reference;
        QVERIFY(reference.load(path));
        QCOMPARE(shown.details, reference.warnings().join(QLatin1Char('\n')));
        if (answer == QDialog::Accepted) {
            QCOMPARE(window.fileName(), path);
            QCOMPARE(window.configuration()->signalGroups().size(), 1);
        } else {
            QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
            QCOMPARE(window.fileName(), QString());
            QVERIFY(window.configuration()->signalGroups().isEmpty());
        }
        QVERIFY(!saveEnabled(window));
    }

    void newEmptiesTheConfiguration()
    {
        const QString path = writeConfiguration(m_dir.filePath(QStringLiteral("n.json")));
        MainWindow window;
        ScriptedDialogs *dialogs = scriptDialogs(window);
        QVERIFY(window.loadFile(path));
        action(window, "actionClose")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        QCOMPARE(window.fileName(), QString());
        QVERIFY(window.configuration()->signalGroups().isEmpty());
        QCOMPARE(window.configuration()->switchDefaults()->type(), int(zu::ZU4_SW));
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
    }

    void programOpensItsFirstArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("example") << QStringList { TestSupport::examplesPath(
            QStringLiteral("zumolt_intersection.json")) };
        QTest::newRow("missing file") << QStringList { QStringLiteral("missing.json") };
        QTest::newRow("two arguments")
            << QStringList { TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")),
                             QStringLiteral("missing.json") };
    }

    void programOpensItsFirstArgument()
    {
        QFETCH(QStringList, arguments);
        const QString error = zumoltcStaysUp(arguments);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

private:
    QTemporaryDir m_dir;
    QString m_previousCurrent;
};

PROJECT_TEST(TestFiles);
#include "tst_files.moc"
