#include "childprocess.h"
#include "cnf/cnfcontroller.h"
#include "documenttesting.h"
#include "filesizelimit.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "modalanswerer.h"
#include "plivek/document/project.h"
#include "project_p.h"
#include "testdata.h"
#include "testmain.h"

#include <QGraphicsScene>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// A long-array file of this size needs far more memory than the headroom that the
// tests of a load without memory leave.
constexpr int hugeFileBytes = 30 * 1024 * 1024;
constexpr qint64 memoryHeadroom = 512 * 1024 * 1024;

// Keeps PATH and the current folder as a test found them.
class EnvironmentGuard
{
public:
    EnvironmentGuard()
        : m_path(qgetenv("PATH"))
        , m_current(QDir::currentPath())
    {
    }
    ~EnvironmentGuard()
    {
        qputenv("PATH", m_path);
        QDir::setCurrent(m_current);
    }

private:
    QByteArray m_path;
    QString m_current;
};

bool writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    if (!TestSupport::writeFile(path, bytes))
        return false;
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return true;
}

QString copyTo(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to) ? to : QString();
}

} // namespace

class TestProject : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_noEditor; // an empty folder as PATH: no zumoltc anywhere
    EnvironmentGuard m_environment;

private slots:
    void init() { qputenv("PATH", m_noEditor.path().toLocal8Bit()); }

    void familyTests_data()
    {
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<QString>("family");

        QTest::newRow("tiverk") << QVariant("tiverk") << "tiverk";
        QTest::newRow("adapter") << QVariant("adapter") << "adapter";
        QTest::newRow("tiverkii") << QVariant("tiverkii") << "tiverkii";
        QTest::newRow("ZU_MOLT") << QVariant("ZU_MOLT") << "ZU_MOLT";
        QTest::newRow("case differs") << QVariant("TiverkII") << "";
        QTest::newRow("zu_molt in small letters") << QVariant("zu_molt") << "";
        QTest::newRow("no property") << QVariant() << "";
    }

    void familyTests()
    {
        QFETCH(QVariant, type);
        QFETCH(QString, family);
        Project project;
        project.controller().setProperty("type", type);
        QCOMPARE(project.isTiverk(), family == QLatin1String("tiverk"));
        QCOMPARE(project.isAdapter(), family == QLatin1String("adapter"));
        QCOMPARE(project.isTiverkII(), family == QLatin1String("tiverkii"));
        QCOMPARE(project.isZuMolt(), family == QLatin1String("ZU_MOLT"));
    }

    void hasSignalModule()
    {
        Project project;
        project.controller().setProperty("type", "tiverkii");
        QVERIFY(!project.hasSignalModule());
        project.controller().nativeData()["modules"]["Signal"] = QVariant(1);
        QVERIFY(project.hasSignalModule());
        project.controller().setProperty("type", "tiverk");
        QVERIFY(!project.hasSignalModule());
    }

    void typeFromSuffix_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("type");

        QTest::newRow("xcnf") << "xcnf" << 1;
        QTest::newRow(".XCNF") << ".XCNF" << 1;
        QTest::newRow(".cnf is not part of .xcnf") << ".cnf" << 2;
        QTest::newRow("txt") << "txt" << 3;
        QTest::newRow("json without point") << "json" << 4;
        QTest::newRow(".JSON never gives 5") << ".JSON" << 4;
        QTest::newRow("unknown") << ".doc" << -1;
        QTest::newRow("part of a suffix") << ".c" << -1;
        QTest::newRow("no suffix") << "" << -1;
    }

    void typeFromSuffix()
    {
        QFETCH(QString, suffix);
        QFETCH(int, type);
        QCOMPARE(ProjectPrivate(nullptr).typeFromSuffix(suffix), type);
    }

    void newDocumentIsEmpty()
    {
        Project project;
        QCOMPARE(project.type(), 0);
        QVERIFY(project.fileName().isEmpty());
        QVERIFY(!project.isChanged());
        QVERIFY(!project.network());
        QVERIFY(project.isNetworkEmpty());
    }

    void loadEachKind_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("family");

        QTest::newRow("universal container")
            << TestSupport::dataPath("document/tiverk.xcnf") << 1 << "tiverk";
        QTest::newRow("native") << TestSupport::examplesPath("tiverk318_intersection.cnf") << 2
                                << "tiverk";
        QTest::newRow("adapter") << TestSupport::examplesPath("adapter_crossing.txt") << 3
                                 << "adapter";
        QTest::newRow("TIVERK II")
            << TestSupport::examplesPath("tiverkii_intersection.json") << 4 << "tiverkii";
        QTest::newRow("ZU_MOLT without editor")
            << TestSupport::examplesPath("zumolt_intersection.json") << 5 << "ZU_MOLT";
    }

    void loadEachKind()
    {
        QFETCH(QString, path);
        QFETCH(int, type);
        QFETCH(QString, family);

        Project project;
        QVERIFY2(project.load(path), qPrintable(project.lastError()));
        QCOMPARE(project.lastError(), QString());
        QCOMPARE(project.type(), type);
        QCOMPARE(project.fileName(), path);
        QCOMPARE(project.controller().property("type").toString(), family);
        QVERIFY(!project.controller().signalGroups().isEmpty());
    }

    void loadByContentNotSuffix_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");

        QTest::newRow("TIVERK II in .cnf")
            << TestSupport::examplesPath("tiverkii_intersection.json") << "t2.cnf" << 4;
        QTest::newRow("adapter in .cnf")
            << TestSupport::examplesPath("adapter_crossing.txt") << "a.cnf" << 3;
        QTest::newRow("ZU_MOLT in .cnf")
            << TestSupport::examplesPath("zumolt_intersection.json") << "z.cnf" << 5;
        QTest::newRow("container in capitals")
            << TestSupport::dataPath("document/tiverk.xcnf") << "c.XCNF" << 1;
    }

    void loadByContentNotSuffix()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(int, type);

        QTemporaryDir dir;
        const QString path = copyTo(source, dir.filePath(name));
        Project project;
        QVERIFY2(project.load(path), qPrintable(project.lastError()));
        QCOMPARE(project.type(), type);
    }

    void loadGarbage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");

        QTest::newRow("native")
            << "garbage.cnf"
            << "Error reading of configuration: Unsupported version of configuration";
        QTest::newRow("native rejected by its loader")
            << "rejected.cnf"
            << "Error reading of configuration: Line 2, column ";
        // The encoding error alone, with its place, as for a container.
        QTest::newRow("native with a byte not UTF-8")
            << "notutf8.cnf"
            << "Error reading of configuration: Line 2, column 6: the byte 0xFF is not UTF-8";
        QTest::newRow("adapter") << "garbage.txt"
                                 << "Error reading of adapter configuration: ";
        QTest::newRow("empty native")
            << "empty.cnf"
            << "Error reading of configuration: Unsupported version of configuration: "
               "The configuration is empty";
        QTest::newRow("native cut before its controller")
            << "cut.cnf"
            << "Error reading of configuration: Unsupported version of configuration: Line ";
        QTest::newRow("json") << "garbage.json"
                              << "Error reading of TIVERKII configuration: ";
        QTest::newRow("json of the ZU_MOLT family")
            << "zumolt-version2.json"
            << "Error reading of ZU_MOLT configuration: Line 1, column 19: unsupported "
               "configVersion 2 (1 expected)";
        QTest::newRow("container") << "garbage.xcnf"
                                   << "File has invalid format";
        QTest::newRow("container with broken controller") << "badcontroller.xcnf"
                                                          << "Error loading controller data: ";
        QTest::newRow("unknown suffix") << "garbage.doc"
                                        << "File loading error: unknown type";
    }

    void loadGarbage()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);

        Project project;
        QVERIFY(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")));
        const QString path = TestSupport::dataPath(QStringLiteral("document/") + name);
        QVERIFY(!project.load(path));
        QVERIFY2(project.lastError().startsWith(error), qPrintable(project.lastError()));
        // The library's own reason follows the prefix.
        QVERIFY(project.lastError().size() > error.size() || !error.endsWith(QLatin1Char(' ')));
        // A failed load clears the configuration but names the file that failed.
        QVERIFY(!project.controller().property("type").isValid());
        QVERIFY(project.controller().signalGroups().isEmpty());
        QCOMPARE(project.fileName(), path);
    }

    void loadMissingFileChangesNothing()
    {
        Project project;
        const QString good = TestSupport::examplesPath("tiverk318_intersection.cnf");
        QVERIFY(project.load(good));
        const QString missing = TestSupport::dataPath("document/missing.cnf");
        QVERIFY(!project.load(missing));
        QCOMPARE(project.lastError(), QStringLiteral("File %1 not exist").arg(missing));
        QCOMPARE(project.fileName(), good);
        QCOMPARE(project.type(), 2);
        QCOMPARE(project.controller().property("type").toString(), QStringLiteral("tiverk"));
    }

    void loadAsksForFileWhenPathEmpty()
    {
        Project project;
        ModalAnswerer answerer;
        answerer.reject();
        QVERIFY(!project.load(QString()));
        QVERIFY(answerer.answered());
        QCOMPARE(project.lastError(), QString());

        const QString path = TestSupport::examplesPath("adapter_crossing.txt");
        answerer.enterText(path);
        QVERIFY2(project.load(QString()), qPrintable(project.lastError()));
        QCOMPARE(QFileInfo(project.fileName()).canonicalFilePath(),
                 QFileInfo(path).canonicalFilePath());
        QCOMPARE(project.type(), 3);
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("lastOpenDir")).toByteArray(),
                 QFileInfo(path).absolutePath().toUtf8());
    }

    void handOverLeavesTheDocumentAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");

        QTest::newRow("ZU_MOLT .json") << "z.json" << 4;
        QTest::newRow("ZU_MOLT in .cnf") << "z.cnf" << 2;
    }

    void handOverLeavesTheDocumentAsItWas()
    {
        // A configuration that the editor takes is not read here: the load
        // succeeds, names the file, keeps the type its suffix gave, leaves the
        // configuration as it was and asks the application once to quit.
        QFETCH(QString, name);
        QFETCH(int, type);

        QTemporaryDir bin;
        QVERIFY(writeFile(bin.filePath(QStringLiteral("zumoltc")), "#!/bin/sh\nexit 0\n", true));
        qputenv("PATH", bin.path().toLocal8Bit());
        const QString path
            = copyTo(TestSupport::examplesPath("zumolt_intersection.json"), bin.filePath(name));

        Project project;
        project.controller().setProperty("number", 77);
        PostedCallCounter postedCalls;
        QVERIFY2(project.load(path), qPrintable(project.lastError()));
        QCOMPARE(postedCalls.drain(), 1);
        QCOMPARE(project.lastError(), QString());
        QCOMPARE(project.warnings(), QStringList());
        QCOMPARE(project.fileName(), path);
        QCOMPARE(project.type(), type);
        QCOMPARE(project.controller().property("number").toInt(), 77);
        QVERIFY(!project.isZuMolt());
        QVERIFY(project.controller().signalGroups().isEmpty());
    }

    void zuMoltEditorThatCannotStart()
    {
        // The editor is found but does not start: the configuration is edited
        // here and the failure is among the warnings.
        QTemporaryDir bin;
        QVERIFY(writeFile(bin.filePath(QStringLiteral("zumoltc")), "not a program"));
        qputenv("PATH", bin.path().toLocal8Bit());
        QCOMPARE(Project::findZuMoltEditor(), bin.filePath(QStringLiteral("zumoltc")));

        const QString json = TestSupport::examplesPath("zumolt_intersection.json");
        const QString cnf = copyTo(json, bin.filePath(QStringLiteral("z.cnf")));
        for (const QString &path : { json, cnf }) {
            Project project;
            QVERIFY2(project.load(path), qPrintable(project.lastError()));
            QCOMPARE(project.type(), 5);
            QVERIFY(project.isZuMolt());
            QCOMPARE(project.warnings().size(), 1);
            QVERIFY2(project.warnings().first().contains(bin.filePath(QStringLiteral("zumoltc"))),
                     qPrintable(project.warnings().first()));
        }
    }

    void editorTakesOnlyZuMolt_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("type");

        QTest::newRow("native") << TestSupport::examplesPath("tiverk318_intersection.cnf")
                                << "n.cnf" << 2;
        QTest::newRow("adapter") << TestSupport::examplesPath("adapter_crossing.txt") << "a.txt"
                                 << 3;
        QTest::newRow("TIVERK II")
            << TestSupport::examplesPath("tiverkii_intersection.json") << "t.json" << 4;
        QTest::newRow("TIVERK II in .cnf")
            << TestSupport::examplesPath("tiverkii_intersection.json") << "t.cnf" << 4;
        QTest::newRow("container")
            << TestSupport::dataPath("document/tiverk.xcnf") << "c.xcnf" << 1;
    }

    void editorTakesOnlyZuMolt()
    {
        // With an editor on PATH that cannot start, any attempt to hand a file
        // over would leave a warning: other families never try.
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(int, type);

        QTemporaryDir bin;
        QVERIFY(writeFile(bin.filePath(QStringLiteral("zumoltc")), "not a program"));
        qputenv("PATH", bin.path().toLocal8Bit());
        const QString path = copyTo(source, bin.filePath(name));
        Project project;
        QVERIFY2(project.load(path), qPrintable(project.lastError()));
        QCOMPARE(project.type(), type);
        QCOMPARE(project.warnings(), QStringList());
        QVERIFY(!project.isZuMolt());
    }

    void findZuMoltEditor_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("found");

        QTest::newRow("none") << "EMPTY"
                              << "";
        QTest::newRow("second folder") << "EMPTY:WITH"
                                       << "WITH";
        QTest::newRow("first folder that has it") << "WITH:OTHER"
                                                  << "WITH";
        QTest::newRow("empty entry is the current folder") << "EMPTY::WITH"
                                                           << "CURRENT";
        QTest::newRow("trailing colon searches the current folder last") << "EMPTY:"
                                                                         << "CURRENT";
        QTest::newRow("empty PATH is one empty entry") << ""
                                                       << "CURRENT";
        QTest::newRow("no PATH") << "UNSET"
                                 << "";
    }

    void findZuMoltEditor()
    {
        QFETCH(QString, path);
        QFETCH(QString, found);

        EnvironmentGuard guard;
        QTemporaryDir empty, with, other, current;
        QVERIFY(writeFile(with.filePath(QStringLiteral("zumoltc")), "#!/bin/sh\n", true));
        QVERIFY(writeFile(other.filePath(QStringLiteral("zumoltc")), "#!/bin/sh\n", true));
        QVERIFY(writeFile(current.filePath(QStringLiteral("zumoltc")), "#!/bin/sh\n", true));
        QVERIFY(QDir(empty.path()).mkdir(QStringLiteral("zumoltc"))); // a folder is no program
        QVERIFY(QDir::setCurrent(current.path()));

        const QMap<QString, QString> folders { { "EMPTY", empty.path() },
                                               { "WITH", with.path() },
                                               { "OTHER", other.path() },
                                               { "CURRENT", current.path() } };
        QString value = path;
        for (auto it = folders.cbegin(); it != folders.cend(); ++it)
            value.replace(it.key(), it.value());
        if (path == QLatin1String("UNSET"))
            qunsetenv("PATH");
        else
            qputenv("PATH", value.toLocal8Bit());
        const QString expected = found.isEmpty()
            ? QString()
            : QFileInfo(folders.value(found) + QStringLiteral("/zumoltc")).absoluteFilePath();
        QCOMPARE(Project::findZuMoltEditor(), expected);
    }

    void maybeSaveUnchangedAsksNothing()
    {
        Project project;
        QVERIFY(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")));
        QVERIFY(project.maybeSave());
        QCOMPARE(project.type(), 0);
        QVERIFY(project.fileName().isEmpty());
        QVERIFY(!project.controller().property("type").isValid());
    }

    void maybeSaveAnswers_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("result");
        QTest::addColumn<bool>("written");

        QTest::newRow("Cancel keeps the document") << int(QMessageBox::Cancel) << false << false;
        QTest::newRow("Escape is Cancel") << int(Qt::Key_Escape) << false << false;
        QTest::newRow("No empties without saving") << int(QMessageBox::No) << true << false;
        QTest::newRow("Yes saves, then empties") << int(QMessageBox::Yes) << true << true;
    }

    void maybeSaveAnswers()
    {
        QFETCH(int, button);
        QFETCH(bool, result);
        QFETCH(bool, written);

        QTemporaryDir dir;
        const QString path
            = copyTo(TestSupport::dataPath("document/tiverk.xcnf"), dir.filePath("d.xcnf"));
        Project project;
        QVERIFY(project.load(path));
        project.controller().setProperty("number", 4242);
        project.setChanged(true);

        ModalAnswerer answerer;
        if (button == Qt::Key_Escape)
            answerer.answerWith([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        else
            answerer.pressButton(button);
        QCOMPARE(project.maybeSave(), result);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Question"));
        QCOMPARE(answerer.seenText(), QStringLiteral("File was changed. Save?"));
        QCOMPARE(TestSupport::readFile(path).contains("4242"), written);
        if (written)
            QVERIFY(QFile::exists(dir.filePath("d.bak")));
        if (result) {
            QCOMPARE(project.type(), 0);
            QVERIFY(!project.isChanged());
            QVERIFY(project.fileName().isEmpty());
        } else {
            QCOMPARE(project.type(), 1);
            QVERIFY(project.isChanged());
            QCOMPARE(project.controller().property("number").toInt(), 4242);
        }
    }

    void maybeSaveKeepsTheDocumentWhenTheSaveFails()
    {
        // Yes, but the file cannot be written: nothing is emptied, so no edit is
        // lost, and the reason is left for the caller to show.
        QTemporaryDir dir;
        const QString path
            = copyTo(TestSupport::dataPath("document/tiverk.xcnf"), dir.filePath("d.xcnf"));
        Project project;
        QVERIFY(project.load(path));
        const QString unwritable = dir.filePath(QStringLiteral("missing/d.xcnf"));
        project.setFileName(unwritable);
        project.controller().setProperty("number", 4242);
        project.setChanged(true);

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Yes);
        QVERIFY(!project.maybeSave());
        QVERIFY(answerer.answered());
        QVERIFY2(project.lastError().startsWith(QStringLiteral("Error open file: ")),
                 qPrintable(project.lastError()));
        QVERIFY(project.isChanged());
        QCOMPARE(project.type(), 1);
        QCOMPARE(project.fileName(), unwritable);
        QCOMPARE(project.controller().property("number").toInt(), 4242);
        QVERIFY(!QFile::exists(unwritable));
    }

    void customBlocksBelongToTheirFile()
    {
        // The custom blocks of a container go out again only into the file they
        // came from: loading another file or emptying the document drops them.
        QTemporaryDir dir;
        const QString container
            = copyTo(TestSupport::dataPath("document/selfclosing.xcnf"), dir.filePath("c.xcnf"));
        const QString out = dir.filePath("out.xcnf");
        Project project;
        QVERIFY2(project.load(container), qPrintable(project.lastError()));
        QVERIFY2(project.saveAsConverted(out), qPrintable(project.lastError()));
        QVERIFY(TestSupport::readFile(out).contains("<CustomData id=\"layout\">"));

        QVERIFY(project.load(TestSupport::examplesPath("tiverk318_intersection.cnf")));
        QVERIFY2(project.saveAsConverted(out), qPrintable(project.lastError()));
        QVERIFY(!TestSupport::readFile(out).contains("<CustomData"));

        QVERIFY(project.load(container));
        QVERIFY(project.maybeSave());
        project.controller().setProperty("type", "tiverk");
        QVERIFY2(project.saveAsConverted(out), qPrintable(project.lastError()));
        QVERIFY(!TestSupport::readFile(out).contains("<CustomData"));
    }

    void saveKeepsPreviousFileAsBackup()
    {
        // Only the file name's last suffix gives way to .bak, also in a folder
        // whose name holds a point; an older backup is replaced.
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("v1.2")));
        const QString path = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath(QStringLiteral("v1.2/plan.old.cnf")));
        const QString backup = dir.filePath(QStringLiteral("v1.2/plan.old.bak"));
        QVERIFY(writeFile(backup, "older backup"));
        const QByteArray original = TestSupport::readFile(path);

        Project project;
        QVERIFY(project.load(path));
        project.controller().setProperty("number", 4343);
        project.setChanged(true);
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QVERIFY(!project.isChanged());
        QCOMPARE(TestSupport::readFile(backup), original);
        QVERIFY(TestSupport::readFile(path).contains("4343"));
        QCOMPARE(QDir(dir.filePath(QStringLiteral("v1.2"))).entryList(QDir::Files),
                 (QStringList { QStringLiteral("plan.old.bak"), QStringLiteral("plan.old.cnf") }));
    }

    // The new backup is written beside the old one: a save stopped while the copy is
    // being made (here a file size limit cuts the copy short) still leaves the older
    // backup whole, and no part-written file beside it.
    void backupStoppedPartWayKeepsTheOlderBackup()
    {
        QTemporaryDir dir;
        const QString path = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath(QStringLiteral("plan.cnf")));
        const QString backup = dir.filePath(QStringLiteral("plan.bak"));
        const QByteArray olderBackup = TestSupport::readFile(path) + "older";
        QVERIFY(writeFile(backup, olderBackup));
        const QByteArray original = TestSupport::readFile(path);
        QVERIFY(original.size() > 256);

        Project project;
        QVERIFY(project.load(path));
        project.controller().setProperty("number", 4343);
        project.setChanged(true);
        bool saved = true;
        {
            const TestSupport::FileSizeLimit limit(256);
            saved = project.save();
        }
        QVERIFY(!saved);
        QCOMPARE(project.warnings().size(), 1);
        QVERIFY2(project.warnings().at(0).startsWith(
                     QStringLiteral("The previous version was not kept: cannot copy it to %1: ")
                         .arg(QDir::toNativeSeparators(backup))),
                 qPrintable(project.warnings().at(0)));
        QCOMPARE(TestSupport::readFile(backup), olderBackup);
        QCOMPARE(TestSupport::readFile(path), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList { QStringLiteral("plan.bak"), QStringLiteral("plan.cnf") }));
    }

    // A document only its owner may read keeps a backup only its owner may read.
    void backupHasTheDocumentsPermissions()
    {
        QTemporaryDir dir;
        const QString path = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath(QStringLiteral("plan.cnf")));
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser;
        QVERIFY(QFile::setPermissions(path, owner));
        Project project;
        QVERIFY(project.load(path));
        project.setChanged(true);
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QCOMPARE(QFile::permissions(dir.filePath(QStringLiteral("plan.bak"))), owner);
    }

    void failedBackupIsReportedAndTheSaveGoesOn()
    {
        // A folder holds the backup's name: no file can replace it.
        QTemporaryDir dir;
        const QString path = copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath("plan.cnf"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("plan.bak")));

        Project project;
        QVERIFY(project.load(path));
        project.controller().setProperty("number", 4343);
        project.setChanged(true);
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QVERIFY(TestSupport::readFile(path).contains("4343"));
        QCOMPARE(project.warnings().size(), 1);
        QVERIFY2(project.warnings().at(0).startsWith(
                     QStringLiteral("The previous version was not kept: cannot copy it to ")),
                 qPrintable(project.warnings().at(0)));
        QVERIFY(QFileInfo(dir.filePath("plan.bak")).isDir());

        // The next save that can keep its backup says nothing.
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("plan.bak")));
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QVERIFY(project.warnings().isEmpty());
        QVERIFY(TestSupport::readFile(dir.filePath("plan.bak")).contains("4343"));
    }

    void documentNamedBakIsNeverDeleted_data()
    {
        QTest::addColumn<bool>("writeFails");
        QTest::newRow("save goes through") << false;
        QTest::newRow("save fails part way") << true;
    }

    void documentNamedBakIsNeverDeleted()
    {
        // A document saved as plan.bak is its own backup name: the backup step must
        // not remove it, or a failing write would leave the user with nothing.
        QFETCH(bool, writeFails);

        QTemporaryDir dir;
        Project project;
        QVERIFY(project.load(copyTo(TestSupport::examplesPath("tiverk318_intersection.cnf"),
                                    dir.filePath("plan.cnf"))));
        const QString path = dir.filePath("plan.bak");
        QVERIFY2(project.saveAsConverted(path), qPrintable(project.lastError()));
        const QByteArray before = TestSupport::readFile(path);
        QVERIFY(!before.isEmpty());
        project.controller().setProperty("number", 4545);
        project.setChanged(true);

        bool saved = false;
        if (writeFails) {
            const TestSupport::FileSizeLimit limit(256);
            saved = project.save();
        } else {
            saved = project.save();
        }
        QCOMPARE(saved, !writeFails);
        QCOMPARE(project.lastError().isEmpty(), !writeFails);
        QVERIFY(project.warnings().isEmpty());
        if (writeFails)
            QCOMPARE(TestSupport::readFile(path), before);
        else
            QVERIFY(TestSupport::readFile(path).contains("4545"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList { "plan.bak", "plan.cnf" }));
    }

    void savesInTheFamilyItWasReadAs_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("kept"); // bytes every save must hold; empty: not checked

        QTest::newRow("TIVERK II without type")
            << "proj_tiverkii_no_type.json" << 4 << QByteArray();
        QTest::newRow("adapter text without type")
            << "proj_adapter_no_type.txt" << 3 << QByteArray();
        QTest::newRow("TIVERK II whose type is adapter")
            << "proj_tiverkii_type_adapter.json" << 4 << QByteArray();
        // Read whole, not cut at the NUL byte: cut, the text would end in a lone
        // backslash that the file cannot store.
        QTest::newRow("ZU_MOLT text with a backslash before a NUL byte")
            << "proj_zumolt_backslash_nul.json" << 5 << QByteArray("\"a\\\0b\"", 6);
    }

    void savesInTheFamilyItWasReadAs()
    {
        // Load, save, load, save: the file opens again as the same kind, and the
        // second save writes the same bytes as the first.
        QFETCH(QString, fixture);
        QFETCH(int, type);
        QFETCH(QByteArray, kept);

        QTemporaryDir dir;
        const QString path = copyTo(TestSupport::dataPath(QStringLiteral("roundtrip/") + fixture),
                                    dir.filePath(fixture));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QByteArray previous;
        for (int round = 0; round < 2; ++round) {
            Project project;
            QVERIFY2(project.load(path), qPrintable(project.lastError()));
            QCOMPARE(project.type(), type);
            project.setChanged(true);
            // An adapter text without "type" may be asked about as a conversion.
            ModalAnswerer answerer;
            answerer.pressButton(QMessageBox::Yes);
            QVERIFY2(project.save(), qPrintable(project.lastError()));
            const QByteArray bytes = TestSupport::readFile(path);
            QVERIFY(bytes.contains(kept));
            if (round > 0)
                QCOMPARE(QString::fromUtf8(bytes), QString::fromUtf8(previous));
            previous = bytes;
        }
        Project reopened;
        QVERIFY2(reopened.load(path), qPrintable(reopened.lastError()));
        QCOMPARE(reopened.type(), type);
    }

    // A file that needs more memory than is left fails like a broken file, in a
    // child process whose address space is limited: the usual load error, no abort,
    // and the memory is free again for the next load.
    void fileTooLargeForTheMemoryLeft()
    {
        if (!TestSupport::addressSpaceLimitWorks())
            QSKIP("AddressSanitizer cannot run under an address-space limit");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("huge.json"));
        QVERIFY(TestSupport::writeLongArrayConfiguration(path, hugeFileBytes));
        const QString sample
            = TestSupport::examplesPath(QStringLiteral("tiverkii_intersection.json"));

        const TestSupport::ChildEnd end = TestSupport::runInChild([&](int outputFd) {
            if (!TestSupport::limitAddressSpace(memoryHeadroom))
                return 3;
            Project project;
            if (project.load(path))
                return 0;
            const QByteArray error = project.lastError().toUtf8();
            if (::write(outputFd, error.constData(), size_t(error.size())) < 0)
                return 4;
            return project.load(sample) && project.isTiverkII() ? 1 : 2;
        });
        QVERIFY2(end.exited, qPrintable(QStringLiteral("ended by signal %1").arg(end.signal)));
        QCOMPARE(QString::fromUtf8(end.output),
                 QStringLiteral("Not enough memory to load %1").arg(path));
        QCOMPARE(end.exitCode, 1);
    }

    void networkOfAGoneSceneIsGone()
    {
        Project project;
        auto *scene = new QGraphicsScene;
        project.createNetwork(scene);
        QVERIFY(project.network());
        delete scene;
        QVERIFY(!project.network());
        QVERIFY(project.isNetworkEmpty());
        QVERIFY(!project.loadNetwork(TestSupport::dataPath("network/four_arm.hm58a")));
        QVERIFY(project.maybeSave());
    }

    void networkWithoutSceneBelongsToTheDocument()
    {
        QPointer<Halm58a::Network> network;
        {
            Project project;
            project.createNetwork(nullptr);
            network = project.network();
            QVERIFY(network);
            QVERIFY2(project.loadNetwork(TestSupport::dataPath("network/four_arm.hm58a")),
                     qPrintable(network->errorString()));
            QVERIFY(!project.isNetworkEmpty());
        }
        QVERIFY(!network);
    }

    void networkEmptiness()
    {
        Project project;
        QVERIFY(project.isNetworkEmpty());
        QVERIFY(!project.loadNetwork(TestSupport::dataPath("document/any.hm58a")));
        QGraphicsScene scene;
        project.createNetwork(&scene);
        Halm58a::Network *network = project.network();
        QVERIFY(network);
        project.createNetwork(&scene);
        QCOMPARE(project.network(), network);
        QVERIFY(project.isNetworkEmpty());
        network->addItem(new Halm58a::SignalGroup);
        QVERIFY(project.isNetworkEmpty());
        network->addItem(new Halm58a::Node);
        QVERIFY(!project.isNetworkEmpty());
    }

    void containerFillsTheNetwork()
    {
        QGraphicsScene scene;
        Project project;
        project.createNetwork(&scene);
        QVERIFY2(project.load(TestSupport::dataPath("document/tiverk.xcnf")),
                 qPrintable(project.lastError()));
        QVERIFY(!project.isNetworkEmpty());
        // The network is named after the junction number of the controller.
        QCOMPARE(project.network()->objectName(), QStringLiteral("12"));
        QVERIFY(project.maybeSave());
        QVERIFY(project.isNetworkEmpty());
    }

    void loadNetworkFromItsOwnFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("junction.hm58a"));
        {
            Halm58a::Network network;
            network.addItem(new Halm58a::Node);
            QVERIFY2(network.save(path, true, false), qPrintable(network.errorString()));
        }
        QGraphicsScene scene;
        Project project;
        project.createNetwork(&scene);
        QVERIFY(project.loadNetwork(path));
        QVERIFY(!project.isNetworkEmpty());
        QVERIFY(!project.loadNetwork(dir.filePath(QStringLiteral("missing.hm58a"))));
    }
};

PROJECT_TEST(TestProject);
#include "tst_project.moc"
