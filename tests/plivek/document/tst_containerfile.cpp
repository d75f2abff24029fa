#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "ordinaryuser.h"
#include "plivek/document/containerfile.h"
#include "testdata.h"
#include "testmain.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using CustomData = QMap<QString, QByteArray>;

namespace {

void fillController(CnfController &controller)
{
    CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
    controller.setProperty("number", 12);
    for (int id = 1; id <= 3; ++id) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->name = QStringLiteral("SG%1").arg(id);
        controller.addSignalGroup(group);
    }
    controller.setNativeData(QStringLiteral("description"), QStringLiteral("Перекрёсток №7"));
}

} // namespace

class TestContainerFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTripWithNetwork()
    {
        CnfController controller;
        fillController(controller);
        Halm58a::Network network;
        auto *node = new Halm58a::Node;
        node->setPos(QPointF(10, 20));
        network.addItem(node);
        CustomData custom { { "layout", "<a/>\n" }, { "notes", "x" } };

        QTemporaryDir dir;
        const QString path = dir.filePath("doc.xcnf");
        ContainerFile writer(controller, &network, custom);
        QVERIFY2(writer.write(path), qPrintable(writer.errorString()));
        const QByteArray bytes = TestSupport::readFile(path);
        QVERIFY(bytes.startsWith("<UniConf version=\"0.1\">\n<Controller"));
        QVERIFY(bytes.contains("</Controller>\n<Network"));
        QVERIFY(bytes.endsWith("</CustomData>\n</UniConf>"));

        CnfController readController;
        Halm58a::Network readNetwork;
        CustomData readCustom;
        ContainerFile reader(readController, &readNetwork, readCustom);
        QVERIFY2(reader.read(path), qPrintable(reader.errorString()));
        QCOMPARE(readController.save(1), controller.save(1));
        QCOMPARE(readNetwork.findChildren<Halm58a::Node *>().size(), 1);
        QCOMPARE(readNetwork.objectName(), controller.property("number").toString());
        QCOMPARE(readCustom, custom);
    }

    void networkWithoutNodeIsNotWritten()
    {
        CnfController controller;
        fillController(controller);
        Halm58a::Network empty;
        CustomData custom { { "a", "1" } };
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.xcnf");
        ContainerFile writer(controller, &empty, custom);
        QVERIFY(writer.write(path));
        const QByteArray bytes = TestSupport::readFile(path);
        QVERIFY(!bytes.contains("<Network"));
        QVERIFY(bytes.contains("</Controller><CustomData id=\"a\">"));

        // Reading it back leaves a network untouched and still reads the custom blocks.
        Halm58a::Network network;
        network.addItem(new Halm58a::Node);
        CnfController readController;
        CustomData readCustom;
        ContainerFile reader(readController, &network, readCustom);
        QVERIFY2(reader.read(path), qPrintable(reader.errorString()));
        QCOMPARE(network.findChildren<Halm58a::Node *>().size(), 1);
        QCOMPARE(readCustom, custom);
    }

    void readFixtures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("customBlocks");

        QTest::newRow("bare controller") << "bare.xcnf"
                                         << "" << 0;
        QTest::newRow("self-closing controller") << "selfclosing.xcnf"
                                                 << "" << 1;
        QTest::newRow("network present") << "network.xcnf"
                                         << "" << 1;
        // %1: the file.
        QTest::newRow("network missing its closing tag")
            << "unclosednetwork.xcnf"
            << "Error loading network data: no closing tag: %1: Line 23: the \"Network\" element "
               "that starts here"
            << 0;
        QTest::newRow("unfinished custom block dropped") << "unfinishedcustom.xcnf"
                                                         << "" << 1;
        QTest::newRow("no controller")
            << "garbage.xcnf"
            << "File has invalid format: %1 holds no \"Controller\" element" << 0;
        // Read to the end of the file, where the reader stops.
        QTest::newRow("controller that never ends")
            << "unendedcontroller.xcnf"
            << "Error loading controller data: %1: Line 5, column 0: Premature end of document."
            << 0;
    }

    void readFixtures()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        QFETCH(int, customBlocks);

        CnfController controller;
        Halm58a::Network network;
        CustomData custom;
        ContainerFile reader(controller, &network, custom);
        const QString path = TestSupport::dataPath(QStringLiteral("document/") + name);
        const bool ok = reader.read(path);
        QCOMPARE(reader.errorString(),
                 error.contains(QLatin1String("%1")) ? error.arg(path) : error);
        QCOMPARE(ok, error.isEmpty());
        QCOMPARE(custom.size(), customBlocks);
        if (ok)
            QVERIFY(controller.property("type").isValid());
    }

    void brokenBlocksName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");

        QTest::newRow("controller") << "badcontroller.xcnf"
                                    << "Error loading controller data: ";
        QTest::newRow("network") << "badnetwork.xcnf"
                                 << "Error loading network: ";
    }

    void brokenBlocksName()
    {
        QFETCH(QString, name);
        QFETCH(QString, prefix);

        CnfController controller;
        Halm58a::Network network;
        CustomData custom;
        ContainerFile reader(controller, &network, custom);
        QVERIFY(!reader.read(TestSupport::dataPath(QStringLiteral("document/") + name)));
        QVERIFY2(reader.errorString().startsWith(prefix)
                     && reader.errorString().size() > prefix.size(),
                 qPrintable(reader.errorString()));
        QVERIFY(custom.isEmpty());
    }

    // A broken file is found by the file's own line: the readers read blocks cut
    // out of the file, but count from its start.
    void readErrorsNameFileAndPlace_data()
    {
        QTest::addColumn<QByteArray>("content"); // "@name": the fixture of that name
        QTest::addColumn<QString>("place"); // empty: none is known

        QByteArray cut;
        const QList<QByteArray> lines
            = TestSupport::readFile(
                  TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")))
                  .split('\n');
        QVERIFY(lines.size() > 120);
        for (int line = 0; line < 107; ++line)
            cut += lines.at(line) + '\n';
        cut += lines.at(107).left(lines.at(107).size() / 2);

        QTest::newRow("sample cut in line 108") << cut << "Line 108, column ";
        QTest::newRow("unknown controller element")
            << QByteArray("@badcontroller.xcnf") << "Line 2, column ";
        QTest::newRow("controller after a long first line") << QByteArray(
            "<UniConf version=\"0.1\">    <Controller format=\"1\" type=\"tiverk\"><Unknown/>")
                                                            << "Line 1, column 74: ";
        QTest::newRow("broken network object")
            << QByteArray("@badnetwork.xcnf") << "Line 23, column ";
        QTest::newRow("network never closed") << QByteArray("@unclosednetwork.xcnf") << "Line 23: ";
        QTest::newRow("random bytes") << QByteArray("\x8f\x01\xfe<x\x02\x7f\nrandom") << QString();

        // A byte that is not UTF-8 is placed at itself: line, and column in characters
        // (the line before it may hold Cyrillic text).
        const auto withByteAt = [&lines](int lineNumber, int column, const QByteArray &bytes) {
            QList<QByteArray> changed = lines;
            QByteArray &line = changed[lineNumber - 1];
            const QString text = QString::fromUtf8(line);
            line = text.left(column - 1).toUtf8() + bytes + text.mid(column - 1).toUtf8();
            return changed.join('\n');
        };
        QTest::newRow("0xFF in line 7")
            << withByteAt(7, 5, "\xff") << "Line 7, column 5: the byte 0xFF is not UTF-8";
        QTest::newRow("0xC3 alone in line 180")
            << withByteAt(180, 31, "\xc3") << "Line 180, column 31: the byte 0xC3 is not UTF-8";
        QTest::newRow("0xFF in the network, line 211")
            << withByteAt(211, 40, "\xff") << "Line 211, column 40: the byte 0xFF is not UTF-8";
        // The first byte that no well-formed sequence holds, after what is well formed:
        // a character of two bytes (U+008B) before it, or Cyrillic text on its line.
        QTest::newRow("0x90 after a two-byte character in line 7")
            << withByteAt(7, 5, "\xc2\x8b\x90") << "Line 7, column 6: the byte 0x90 is not UTF-8";
        QTest::newRow("0x90 after Cyrillic text in line 7")
            << withByteAt(7, 5, "\xd0\x96\xd0\x96 \x90")
            << "Line 7, column 8: the byte 0x90 is not UTF-8";
        QTest::newRow("0x90 alone in line 7")
            << withByteAt(7, 5, "\x90") << "Line 7, column 5: the byte 0x90 is not UTF-8";
        // A sequence that breaks off or is overlong is named by its first byte.
        QTest::newRow("three-byte sequence cut short in line 7")
            << withByteAt(7, 5, "\xe2\x82") << "Line 7, column 5: the byte 0xE2 is not UTF-8";
        QTest::newRow("overlong form in line 7")
            << withByteAt(7, 5, "\xe0\x80\xaf") << "Line 7, column 5: the byte 0xE0 is not UTF-8";
    }

    void readErrorsNameFileAndPlace()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, place);

        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("broken.xcnf"));
        if (content.startsWith('@'))
            path = TestSupport::dataPath(QStringLiteral("document/")
                                         + QString::fromUtf8(content.mid(1)));
        else
            QVERIFY(TestSupport::writeFile(path, content));
        CnfController controller;
        Halm58a::Network network;
        CustomData custom;
        ContainerFile reader(controller, &network, custom);
        QVERIFY(!reader.read(path));
        const QString error = reader.errorString();
        QVERIFY2(error.contains(path), qPrintable(error));
        if (!place.isEmpty())
            QVERIFY2(error.contains(path + QStringLiteral(": ") + place), qPrintable(error));
    }

    void openFailures()
    {
        CnfController controller;
        CustomData custom;
        ContainerFile container(controller, nullptr, custom);
        QVERIFY(!container.read(TestSupport::dataPath("document/missing.xcnf")));
        QVERIFY2(container.errorString().startsWith("Error open file: "),
                 qPrintable(container.errorString()));

        fillController(controller);
        QVERIFY(!container.write(TestSupport::dataPath("document/no-such-folder/x.xcnf")));
        QVERIFY2(container.errorString().startsWith("Error open file: "),
                 qPrintable(container.errorString()));
    }

    void customDataStableOverThreeCycles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.xcnf");
        QVERIFY(QFile::copy(TestSupport::dataPath("document/network.xcnf"), path));
        QByteArray previous;
        CustomData first;
        for (int cycle = 0; cycle < 3; ++cycle) {
            CnfController controller;
            Halm58a::Network network;
            CustomData custom;
            ContainerFile container(controller, &network, custom);
            QVERIFY2(container.read(path), qPrintable(container.errorString()));
            if (cycle == 0)
                first = custom;
            QCOMPARE(custom, first);
            QVERIFY2(container.write(path), qPrintable(container.errorString()));
            const QByteArray bytes = TestSupport::readFile(path);
            if (cycle > 0)
                QCOMPARE(bytes, previous);
            previous = bytes;
        }
        QCOMPARE(first.size(), 1);
    }

    void failedWriteKeepsOldFile_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        QTest::newRow("short write") << false;
    }

    void failedWriteKeepsOldFile()
    {
        QFETCH(bool, readOnlyFolder);

        CnfController controller;
        fillController(controller);
        CustomData custom { { "big", QByteArray(64 * 1024, 'x') } };
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.xcnf");
        const QByteArray old("<UniConf version=\"0.1\">\n<Controller/></UniConf>");
        QVERIFY(TestSupport::writeFile(path, old));

        ContainerFile container(controller, nullptr, custom);
        QString error;
        if (readOnlyFolder) {
            error = writeIntoReadOnlyFolder(container, dir.path(), path);
        } else {
            // The file system takes only the first 4 KiB of any file.
            rlimit saved;
            getrlimit(RLIMIT_FSIZE, &saved);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = saved;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
            if (!container.write(path))
                error = container.errorString();
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
        }
        QVERIFY2(!error.isEmpty(), "the write reports its failure");
        if (readOnlyFolder)
            QVERIFY2(error.startsWith("Error open file: "), qPrintable(error));
        QCOMPARE(TestSupport::readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "doc.xcnf" });
    }

private:
    // Writes into a folder that the writer may only read; gives the error text
    // (empty when the write succeeded).
    static QString writeIntoReadOnlyFolder(ContainerFile &container, const QString &folder,
                                           const QString &path)
    {
        const QByteArray name = QFile::encodeName(folder);
        ::chmod(name.constData(), 0500);
        bool ran = false;
        const QByteArray error = TestSupport::runAsOrdinaryUser(
            [&] { return container.write(path) ? QByteArray() : container.errorString().toUtf8(); },
            { folder }, &ran);
        ::chmod(name.constData(), 0700);
        return ran ? QString::fromUtf8(error) : QString();
    }
};

PROJECT_TEST(TestContainerFile);
#include "tst_containerfile.moc"
