#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "filesizelimit.h"
#include "halm58a/network.h"
#include "plivek/document/containerfile.h"
#include "safefile/safefile.h"
#include "testdata.h"
#include "testmain.h"
#include "zumoltc/model/zuconfiguration.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Writes the file at path; false with the reason in error.
using Saver = std::function<bool(const QString &path, QString *error)>;

// Runs save while the process may write no more than limit bytes to any file.
bool saveUnderSizeLimit(const Saver &save, const QString &path, rlim_t limit, QString *error)
{
    const TestSupport::FileSizeLimit limited(limit);
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

bool loadNetwork(Halm58a::Network &network)
{
    return network.load(TestSupport::dataPath(QStringLiteral("network/four_arm.hm58a")), false);
}

} // namespace

Q_DECLARE_METATYPE(Saver)

// Every saver of the project, under a file-size limit: the write fails part way, the
// save says so, and the user's old file is still there, whole, with nothing beside it.
class TestSafeFile : public QObject
{
    Q_OBJECT
private slots:
    void failedWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<Saver>("save");

        QTest::newRow("bytes") << Saver([](const QString &path, QString *error) {
            return SafeFile::write(path, QByteArray(3000, 'x'), error);
        });
        QTest::newRow("TIVERK .cnf") << cnfSaver(QStringLiteral("tiverk318_intersection.cnf"));
        QTest::newRow("adapter .txt") << cnfSaver(QStringLiteral("adapter_crossing.txt"));
        QTest::newRow("TIVERK II .json") << cnfSaver(QStringLiteral("tiverkii_intersection.json"));
        QTest::newRow("ZU_MOLT .json of the library") << cnfSaver(QStringLiteral("zumolt_intersection.json"));
        QTest::newRow("container .xcnf") << Saver([](const QString &path, QString *error) {
            CnfController controller;
            Halm58a::Network network;
            QMap<QString, QByteArray> custom;
            ContainerFile container(controller, &network, custom);
            if (!container.read(TestSupport::dataPath(QStringLiteral("document/network.xcnf"))))
                return false;
            const bool saved = container.write(path);
            *error = container.errorString();
            return saved;
        });
        QTest::newRow("network file") << Saver([](const QString &path, QString *error) {
            Halm58a::Network network;
            const bool saved = loadNetwork(network) && network.save(path, true, false);
            *error = network.errorString();
            return saved;
        });
        QTest::newRow("network as DOT") << Saver([](const QString &path, QString *error) {
            Halm58a::Network network;
            const bool saved = loadNetwork(network) && network.exportToDOT(path);
            *error = network.errorString();
            return saved;
        });
        QTest::newRow("ZU_MOLT configuration of zumoltc") << Saver([](const QString &path, QString *error) {
            ZUConfiguration configuration;
            return configuration.load(TestSupport::dataPath(QStringLiteral("zumolt/complete.json")))
                   && configuration.save(path, error);
        });
    }

    void failedWriteKeepsTheOldFile()
    {
        QFETCH(Saver, save);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file"));
        const QByteArray old("old content");
        QVERIFY(TestSupport::writeFile(path, old));

        // Far below Qt's write buffer, where a buffered write fails only when it is flushed.
        QString error;
        QVERIFY(!saveUnderSizeLimit(save, path, 256, &error));
        QVERIFY2(!error.isEmpty(), "the failure is explained");
        QCOMPARE(TestSupport::readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("file")});

        // Without the limit the same save goes through.
        error.clear();
        QVERIFY2(save(path, &error), qPrintable(error));
        const QByteArray written = TestSupport::readFile(path);
        QVERIFY(written.size() > 256);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("file")});
    }

    void openAndWriteFailuresAreToldApart()
    {
        QTemporaryDir dir;
        QString error;
        SafeFile::Failure failure = SafeFile::Failure::None;
        QVERIFY(!SafeFile::write(dir.filePath(QStringLiteral("missing/file")), "x", &error, &failure));
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
};

PROJECT_TEST(TestSafeFile);
#include "tst_safefile.moc"
