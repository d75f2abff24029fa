#include "scripteddialogs.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/recentfiles.h"
#include "zumoltc/shell/startup.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString arrayName = QStringLiteral("zumoltcRecentFileList");
const QByteArray validFile = "{\"configVersion\": 1, \"type\": \"ZU_MOLT\", \"id\": 1}";

void storeList(const QStringList &paths)
{
    QSettings settings;
    settings.remove(arrayName);
    settings.beginWriteArray(arrayName);
    for (int index = 0; index < paths.size(); ++index) {
        settings.setArrayIndex(index);
        settings.setValue(QStringLiteral("file"), paths.at(index).toUtf8().toBase64());
    }
    settings.endArray();
}

QStringList storedList()
{
    QSettings settings;
    QStringList paths;
    const int size = settings.beginReadArray(arrayName);
    for (int index = 0; index < size; ++index) {
        settings.setArrayIndex(index);
        paths << QString::fromUtf8(
            QByteArray::fromBase64(settings.value(QStringLiteral("file")).toByteArray()));
    }
    settings.endArray();
    return paths;
}

// A menu with an Exit action and the recent list before it.
struct Menu
{
    QMenu menu;
    QAction *exit = menu.addAction(QStringLiteral("Exit"));
    RecentFiles recent;

    Menu() { recent.init(&menu, exit); }
};

} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Startup::setApplicationIdentity();
        QVERIFY(m_dir.isValid());
        for (const char *name : { "a.json", "b.json", "c.json", "d.json", "e.json", "f.json" })
            QVERIFY(TestSupport::writeFile(m_dir.filePath(QLatin1String(name)), validFile));
    }

    void init() { QSettings().clear(); }

    void nothingBeforeInit()
    {
        RecentFiles recent;
        recent.addFile(file("a"));
        recent.removeFile(file("a"));
        recent.openRecentFile(nullptr);
        recent.save();
        QVERIFY(recent.files().isEmpty());
        QVERIFY(!QSettings().contains(arrayName + QStringLiteral("/size")));
    }

    void initSkipsMissingFiles()
    {
        storeList({ file("gone1"), file("b"), file("gone2"), file("d") });
        Menu m;
        QCOMPARE(m.recent.files(), QStringList({ file("b"), file("d") }));
        // Five entries between two separators before Exit, the empty ones hidden.
        const QList<QAction *> actions = m.menu.actions();
        QCOMPARE(actions.size(), 8);
        QVERIFY(actions.at(0)->isSeparator());
        QVERIFY(actions.at(6)->isSeparator());
        QCOMPARE(actions.at(7), m.exit);
        QCOMPARE(actions.mid(1, 5), m.recent.actions());
        QCOMPARE(actions.at(1)->text(), file("b"));
        QCOMPARE(actions.at(1)->data().toString(), file("b"));
        QVERIFY(!actions.at(3)->isVisible());
    }

    void addFile()
    {
        Menu m;
        m.recent.addFile(file("missing"));
        QVERIFY(m.recent.files().isEmpty());
        for (const char *name : { "a", "b", "c" })
            m.recent.addFile(file(name));
        QCOMPARE(m.recent.files(), QStringList({ file("c"), file("b"), file("a") }));
        // Listed already: the order stays.
        m.recent.addFile(file("a"));
        QCOMPARE(m.recent.files(), QStringList({ file("c"), file("b"), file("a") }));
        // A relative name is listed by its absolute path.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m.recent.addFile(QStringLiteral("d.json"));
        QDir::setCurrent(previous);
        m.recent.addFile(file("e"));
        m.recent.addFile(file("f"));
        // The sixth drops the oldest.
        QCOMPARE(m.recent.files(),
                 QStringList({ file("f"), file("e"), file("d"), file("c"), file("b") }));
    }

    void removeFile_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("the only one") << QStringList { "a" } << "a" << QStringList();
        QTest::newRow("fifth of five")
            << QStringList { "a", "b", "c", "d", "e" } << "e" << QStringList { "a", "b", "c", "d" };
        QTest::newRow("second of five")
            << QStringList { "a", "b", "c", "d", "e" } << "b" << QStringList { "a", "c", "d", "e" };
        QTest::newRow("first of three")
            << QStringList { "a", "b", "c" } << "a" << QStringList { "b", "c" };
        QTest::newRow("not listed") << QStringList { "a", "b" } << "c" << QStringList { "a", "b" };
    }

    void removeFile()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, removed);
        QFETCH(QStringList, left);
        storeList(files(listed));
        Menu m;
        m.recent.removeFile(file(removed));
        QCOMPARE(m.recent.files(), files(left));
        // Visible entries stay first.
        const QList<QAction *> entries = m.recent.actions();
        for (int index = 0; index < entries.size(); ++index)
            QCOMPARE(entries.at(index)->isVisible(), index < left.size());
    }

    void save()
    {
        storeList(files({ "a", "b", "c" }));
        {
            Menu m;
            QVERIFY(QFile::rename(file("b"), file("b-moved")));
            m.recent.save();
            QVERIFY(QFile::rename(file("b-moved"), file("b")));
        }
        QCOMPARE(storedList(), files({ "a", "c" }));
        QCOMPARE(QSettings().value(arrayName + QStringLiteral("/2/file")).toByteArray(),
                 file("c").toUtf8().toBase64());

        Menu m;
        m.recent.removeFile(file("a"));
        m.recent.removeFile(file("c"));
        m.recent.save();
        QCOMPARE(storedList(), QStringList());
        QSettings settings;
        QCOMPARE(settings.beginReadArray(arrayName), 0);
    }

    void openingAnEntry_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first") << 0 << true << QStringList { "a", "b", "c" };
        QTest::newRow("third, opened") << 2 << true << QStringList { "c", "b", "a" };
        QTest::newRow("third, failed") << 2 << false << QStringList { "a", "b", "c" };
    }

    void openingAnEntry()
    {
        QFETCH(int, entry);
        QFETCH(bool, opened);
        QFETCH(QStringList, after);
        storeList(files({ "a", "b", "c" }));
        Menu m;
        QSignalSpy spy(&m.recent, &RecentFiles::openFile);
        // A receiver that opens the file adds it, as the main window does.
        connect(&m.recent, &RecentFiles::openFile, &m.recent, [&](const QString &path) {
            if (opened)
                m.recent.addFile(path);
        });
        m.recent.actions().at(entry)->trigger();
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.first().first().toString(), file(QStringList { "a", "b", "c" }.at(entry)));
        QCOMPARE(m.recent.files(), files(after));
    }

    // A recent file that fails to open: its error, then the offer to drop it. Yes
    // drops only that entry, No keeps the list as it was.
    void failedOpenFromTheWindow_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << QStringList { "a", "c", "d" };
        QTest::newRow("No") << int(QMessageBox::No) << QStringList { "a", "b", "c", "d" };
    }

    void failedOpenFromTheWindow()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, after);
        storeList(files({ "a", "b", "c", "d" }));
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        auto *recent = window.findChild<RecentFiles *>(QStringLiteral("recentFiles"));
        QVERIFY(recent);
        QCOMPARE(recent->files(), files({ "a", "b", "c", "d" }));

        QVERIFY(TestSupport::writeFile(file("b"), "not a configuration"));
        dialogs->answers << QMessageBox::Ok << answer;
        recent->actions().at(1)->trigger();
        QCOMPARE(dialogs->titles(),
                 QStringList({ QStringLiteral("Error loading b.json"), QString() }));
        QCOMPARE(dialogs->shown.at(1).text, QStringLiteral("Remove file from recent file list?"));
        QCOMPARE(dialogs->shown.at(1).buttons, int(QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(recent->files(), files(after));
        QCOMPARE(window.windowTitle(), QStringLiteral("New configuration"));
        QVERIFY(TestSupport::writeFile(file("b"), validFile));

        // Opening works from the same list afterwards, and the opened file goes first.
        recent->actions().at(2)->trigger();
        QCOMPARE(window.fileName(), file(after.at(2)));
        QCOMPARE(recent->files().first(), file(after.at(2)));
        QCOMPARE(dialogs->unexpected, 0);

        // Closing the window writes the list.
        QVERIFY(window.close());
        QCOMPARE(storedList(), recent->files());
    }

    void openingAskAboutUnsavedChangesFirst()
    {
        storeList(files({ "a", "b" }));
        MainWindow window;
        auto *dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        window.configuration_changed();
        dialogs->answers << QMessageBox::Cancel;
        window.findChild<RecentFiles *>()->actions().at(1)->trigger();
        QCOMPARE(dialogs->titles(), QStringList { QStringLiteral("Warning") });
        QCOMPARE(window.fileName(), QString());
        QCOMPARE(window.findChild<RecentFiles *>()->files(), files({ "a", "b" }));
    }

private:
    QString file(const QString &name) const
    {
        return m_dir.filePath(name + QStringLiteral(".json"));
    }
    QStringList files(const QStringList &names) const
    {
        QStringList paths;
        for (const QString &name : names)
            paths << file(name);
        return paths;
    }

    QTemporaryDir m_dir;
};

PROJECT_TEST(TestRecentFiles);
#include "tst_recentfiles.moc"
