#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "filesizelimit.h"
#include "halm58a/network.h"
#include "plivek/document/containerfile.h"
#include "plivek/document/project.h"
#include "safefile/safefile.h"
#include "safefile_p.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes the file at path; false with the reason in error.
using Saver = std::function<bool(const QString &path, QString *error)>;

// Runs save while the process may write no more than limit bytes to any file.
bool saveUnderSizeLimit(const Saver &save, const QString &path, rlim_t limit, QString *error)
{
    const TestSupport::FileSizeLimit limited(limit);
    return save(path, error);
}

// What makes a save fail: a write cut short far below Qt's write buffer, where a
// buffered write would fail only when flushed, or a folder that takes no new file.
enum class Obstacle { CutWrite, NoNewFile };

bool saveAgainst(Obstacle obstacle, const Saver &save, const QString &path, QString *error)
{
    if (obstacle == Obstacle::CutWrite)
        return saveUnderSizeLimit(save, path, 256, error);
    const SafeFile::TemporaryFileFailure noNewFiles(EACCES);
    return save(path, error);
}

Saver cnfSaver(const QString &example)
{
    return [example](const QString &path, QString *error) {
        const CnfNativePtr native = CnfNative::loadNativeConfig(TestSupport::examplesPath(example));
        CnfController controller;
        if (!native || !native->createController(controller)) {
            *error = QStringLiteral("example does not load: ") + example;
            return false;
        }
        return CnfNative::save(path, controller, *error);
    };
}

// A copy of the TIVERK 3.18 sample at path; empty when it could not be made.
QString copyOfExample(const QString &path)
{
    return QFile::copy(TestSupport::examplesPath("tiverk318_intersection.cnf"), path) ? path
                                                                                      : QString();
}

bool loadNetwork(Halm58a::Network &network)
{
    return network.load(TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a")), false);
}

} // namespace

Q_DECLARE_METATYPE(Saver)
Q_DECLARE_METATYPE(Obstacle)

// Every saver of the project, under a file-size limit and in a folder that takes no new
// file: the write fails, the save says so, and the user's old file is still there,
// whole, with nothing beside it.
class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<Saver>("save");
        QTest::addColumn<Obstacle>("obstacle");

        const QList<QPair<QByteArray, Saver>> savers {
            { "bytes",
              [](const QString &path, QString *error) {
                  SafeFile::Failure failure;
                  const bool saved = SafeFile::write(path, QByteArray(3000, 'x'), error, &failure);
                  if (!saved)
                      *error = SafeFile::failureText(path, *error, failure);
                  return saved;
              } },
            { "TIVERK .cnf", cnfSaver(QStringLiteral("tiverk318_intersection.cnf")) },
            { "adapter .txt", cnfSaver(QStringLiteral("adapter_crossing.txt")) },
            { "TIVERK II .json", cnfSaver(QStringLiteral("tiverkii_intersection.json")) },
            { "ZU_MOLT .json of the library",
              cnfSaver(QStringLiteral("zumolt_intersection.json")) },
            { "container .xcnf",
              [](const QString &path, QString *error) {
                  CnfController controller;
                  Halm58a::Network network;
                  QMap<QString, QByteArray> custom;
                  ContainerFile container(controller, &network, custom);
                  if (!container.read(
                          TestSupport::dataPath(QStringLiteral("document/network.xcnf"))))
                      return false;
                  const bool saved = container.write(path);
                  *error = container.errorString();
                  return saved;
              } },
            { "network file",
              [](const QString &path, QString *error) {
                  Halm58a::Network network;
                  const bool saved = loadNetwork(network) && network.save(path, true, false);
                  *error = network.errorString();
                  return saved;
              } },
            { "network as DOT",
              [](const QString &path, QString *error) {
                  Halm58a::Network network;
                  const bool saved = loadNetwork(network) && network.exportToDOT(path);
                  *error = network.errorString();
                  return saved;
              } },
            { "ZU_MOLT configuration of zumoltc",
              [](const QString &path, QString *error) {
                  ZUConfiguration configuration;
                  return configuration.load(
                             TestSupport::dataPath(QStringLiteral("zumolt/complete.json")))
                      && configuration.save(path, error);
              } },
        };
        for (const auto &saver : savers) {
            QTest::addRow("%s / cut write", saver.first.constData())
                << saver.second << Obstacle::CutWrite;
            QTest::addRow("%s / no new file", saver.first.constData())
                << saver.second << Obstacle::NoNewFile;
        }
    }

    void failedWriteKeepsTheOldFile()
    {
        QFETCH(Saver, save);
        QFETCH(Obstacle, obstacle);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        const QByteArray old("old content");
        QVERIFY(TestSupport::writeFile(path, old));

        QString error;
        QVERIFY(!saveAgainst(obstacle, save, path, &error));
        QVERIFY2(!error.isEmpty(), "the failure is explained");
        // The message names the file, once: the system's reason does not.
        QVERIFY2(error.count(path) == 1, qPrintable(error));
        // The file is never written in place, where a write that fails would cut it.
        if (obstacle == Obstacle::NoNewFile)
            QVERIFY2(
                error.contains(QStringLiteral("Cannot save %1: the folder does not allow new files")
                                   .arg(path)),
                qPrintable(error));
        QCOMPARE(TestSupport::readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("file") });

        // Without the obstacle the same save goes through.
        error.clear();
        QVERIFY2(save(path, &error), qPrintable(error));
        const QByteArray written = TestSupport::readFile(path);
        QVERIFY(written.size() > 256);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("file") });
    }

    // Only a folder's refusal is worded as one; other reasons keep the system's text.
    void temporaryFileFailures_data()
    {
        QTest::addColumn<int>("systemError");
        QTest::addColumn<bool>("folderRefuses");
        QTest::newRow("permission denied") << EACCES << true;
        QTest::newRow("operation not permitted") << EPERM << true;
        QTest::newRow("read-only file system") << EROFS << true;
        QTest::newRow("too many open files") << EMFILE << false;
    }

    void temporaryFileFailures()
    {
        QFETCH(int, systemError);
        QFETCH(bool, folderRefuses);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        QString error;
        SafeFile::Failure failure = SafeFile::Failure::None;
        {
            const SafeFile::TemporaryFileFailure failing(systemError);
            QVERIFY(!SafeFile::write(path, "new", &error, &failure));
        }
        QCOMPARE(failure, SafeFile::Failure::Open);
        QCOMPARE(error.contains(QLatin1String("the folder does not allow new files")),
                 folderRefuses);
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));

        // Once the folder takes files again, the same write goes through.
        QVERIFY2(SafeFile::write(path, "new", &error, &failure), qPrintable(error));
        QCOMPARE(TestSupport::readFile(path), QByteArray("new"));
    }

    // The file gets the permissions given, not those of the file it replaces; a write
    // stopped part way leaves the old file with its own.
    void givenPermissions_data()
    {
        QTest::addColumn<int>("before"); // 0: no file there yet
        QTest::addColumn<int>("given");
        const int owner = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                              | QFileDevice::ReadUser | QFileDevice::WriteUser);
        const int everyone = owner | int(QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QTest::newRow("new private file") << 0 << owner;
        QTest::newRow("private over readable by everyone") << everyone << owner;
        QTest::newRow("readable by everyone over private") << owner << everyone;
    }

    void givenPermissions()
    {
        QFETCH(int, before);
        QFETCH(int, given);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        if (before != 0) {
            QVERIFY(TestSupport::writeFile(path, "old"));
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(before)));
            QString error;
            QVERIFY(!saveUnderSizeLimit(
                [given](const QString &path, QString *error) {
                    return SafeFile::writeWithPermissions(path, QByteArray(1000, 'x'),
                                                          QFileDevice::Permissions(given), error);
                },
                path, 10, &error));
            QCOMPARE(int(QFile::permissions(path)), before);
            QCOMPARE(TestSupport::readFile(path), QByteArray("old"));
        }
        QString error;
        QVERIFY2(
            SafeFile::writeWithPermissions(path, "new", QFileDevice::Permissions(given), &error),
            qPrintable(error));
        QCOMPARE(int(QFile::permissions(path)), given);
        QCOMPARE(TestSupport::readFile(path), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("file") });
    }

    void openAndWriteFailuresAreToldApart()
    {
        QTemporaryDir dir;
        QString error;
        SafeFile::Failure failure = SafeFile::Failure::None;
        QVERIFY(
            !SafeFile::write(dir.filePath(QStringLiteral("missing/file")), "x", &error, &failure));
        QCOMPARE(failure, SafeFile::Failure::Open);
        QVERIFY(!error.isEmpty());

        const QString path = dir.filePath(QStringLiteral("file"));
        QVERIFY(!saveUnderSizeLimit(
            [&failure](const QString &path, QString *error) {
                return SafeFile::write(path, QByteArray(1000, 'x'), error, &failure);
            },
            path, 10, &error));
        QCOMPARE(failure, SafeFile::Failure::Write);
        QVERIFY(!QFile::exists(path));

        QVERIFY(SafeFile::write(path, "whole", &error, &failure));
        QCOMPARE(failure, SafeFile::Failure::None);
        QCOMPARE(TestSupport::readFile(path), QByteArray("whole"));
    }

    // No file in the folder of a private document is readable by others at any step of
    // its save, as a kill at that moment would leave the folder.
    void privateDocumentStaysPrivateAtEveryStep_data()
    {
        QTest::addColumn<bool>("olderBackup");
        QTest::newRow("first backup") << false;
        QTest::newRow("older backup replaced") << true;
    }

    void privateDocumentStaysPrivateAtEveryStep()
    {
        QFETCH(bool, olderBackup);
        QTemporaryDir dir;
        const QString path = copyOfExample(dir.filePath(QStringLiteral("plan.cnf")));
        const QFileDevice::Permissions owner = QFileDevice::ReadOwner | QFileDevice::WriteOwner
            | QFileDevice::ReadUser | QFileDevice::WriteUser;
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QVERIFY(QFile::setPermissions(path, owner));
        if (olderBackup) {
            const QString backup = dir.filePath(QStringLiteral("plan.bak"));
            QVERIFY(TestSupport::writeFile(backup, "older"));
            QVERIFY(QFile::setPermissions(backup, owner));
        }
        Project project;
        QVERIFY(project.load(path));
        project.controller().setProperty("number", 4343);
        project.setChanged(true);

        QStringList steps;
        QStringList readable;
        const SafeFile::StepObserver observer([&](const QString &step, const QString &written) {
            steps << QFileInfo(written).fileName() + QLatin1Char(' ') + step;
            const QDir folder(dir.path());
            for (const QFileInfo &file : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
                if (file.permissions() & others)
                    readable << file.fileName() + QStringLiteral(" at ") + steps.last();
            }
        });
        QVERIFY2(project.save(), qPrintable(project.lastError()));
        QCOMPARE(steps,
                 (QStringList { "plan.bak temporary made", "plan.bak bytes written",
                                "plan.bak replaced", "plan.cnf temporary made",
                                "plan.cnf bytes written", "plan.cnf replaced" }));
        QVERIFY2(readable.isEmpty(), qPrintable(readable.join(QStringLiteral(", "))));
        QCOMPARE(QFile::permissions(dir.filePath(QStringLiteral("plan.bak"))), owner);
        QCOMPARE(QFile::permissions(path), owner);
    }

    // A named pipe or a device takes the bytes directly and stays what it is: a
    // temporary file renamed over it would put a regular file in its place.
    void specialFileIsWrittenDirectly_data()
    {
        QTest::addColumn<QString>("target"); // empty: a named pipe in a new folder
        QTest::newRow("named pipe") << QString();
        QTest::newRow("device") << QStringLiteral("/dev/null");
    }

    void specialFileIsWrittenDirectly()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        int reader = -1;
        if (target.isEmpty()) {
            target = dir.filePath(QStringLiteral("pipe"));
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
            // A reader that waits for no writer, so that the write does not block.
            reader = ::open(QFile::encodeName(target).constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(reader >= 0);
        }
        struct stat before = {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &before), 0);
        QString error;
        SafeFile::Failure failure = SafeFile::Failure::Open;
        const bool written = SafeFile::write(target, "1\n2\n", &error, &failure);
        QByteArray received(64, '\0');
        const ssize_t count = reader >= 0 ? ::read(reader, received.data(), received.size()) : 0;
        if (reader >= 0)
            ::close(reader);
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(failure, SafeFile::Failure::None);
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        if (reader >= 0) {
            QCOMPARE(received.left(int(count)), QByteArray("1\n2\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                     QStringList { QStringLiteral("pipe") });
        }
    }
};

PROJECT_TEST(TestSafeFile);
#include "tst_safefile.moc"
