#include "fourarmjunction.h"
#include "halm58a/stopline.h"
#include "testdata.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace Halm58a;

class TestNetworkReader : public QObject
{
    Q_OBJECT
private slots:
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");

        const QByteArray head = "<?xml version=\"1.0\"?>\n<Network version=\"1\">\n";
        QTest::newRow("empty") << QByteArray() << QStringLiteral("Line 1, column 0: ");
        QTest::newRow("other root")
            << QByteArray("<Controller/>") << QStringLiteral("No element \"Network\" found");
        QTest::newRow("truncated") << head + "<Node id=\"1\" x=\"0\" y=\"0\"/>\n<Edge id=\"2\" fr"
                                   << QStringLiteral("Line 4, column ");
        QTest::newRow("unclosed") << head + "<Node id=\"1\" x=\"0\" y=\"0\"/>\n"
                                  << QStringLiteral("Premature end of document");
        QTest::newRow("unknown element")
            << head + "<Node id=\"1\" x=\"0\" y=\"0\"/>\n<Bridge id=\"2\"/>\n</Network>"
            << QStringLiteral("Line 4, column 16: Unknown element 'Bridge'");
        QTest::newRow("unknown child")
            << head + "<Node id=\"1\" x=\"0\" y=\"0\"><Lane id=\"2\"/></Node>\n</Network>"
            << QStringLiteral("Unknown element 'Lane'");
        QTest::newRow("bad number")
            << head + "<Node id=\"1\" x=\"1.5e\" y=\"0\"/>\n</Network>"
            << QStringLiteral(
                   "Line 3, column 29: Attribute 'x' of element 'Node' is not a number: '1.5e'");
        QTest::newRow("infinite number") << head + "<Node id=\"1\" x=\"inf\" y=\"0\"/>\n</Network>"
                                         << QStringLiteral("is not a number: 'inf'");
        QTest::newRow("bad id")
            << head + "<Node id=\"one\" x=\"0\" y=\"0\"/>\n</Network>"
            << QStringLiteral("Attribute 'id' of element 'Node' is not a whole number: 'one'");
        QTest::newRow("zero id") << head + "<Node id=\"0\" x=\"0\" y=\"0\"/>\n</Network>"
                                 << QStringLiteral("has the invalid id 0");
        QTest::newRow("missing attribute") << head + "<Node id=\"1\" x=\"0\"/>\n</Network>"
                                           << QStringLiteral("Element 'Node' has no attribute 'y'");
        QTest::newRow("bad point")
            << head + "<Node id=\"1\" x=\"0\" y=\"0\" shape=\"1,2 3\"/>\n</Network>"
            << QStringLiteral("holds a bad point: '3'");
        QTest::newRow("duplicate id")
            << head + "<Node id=\"1\" x=\"0\" y=\"0\"/><Node id=\"1\" x=\"5\" y=\"0\"/>\n</Network>"
            << QStringLiteral("The id 1 is used twice");
        QTest::newRow("dangling reference")
            << head
                + "<Node id=\"1\" x=\"0\" y=\"0\"/><Edge id=\"2\" from=\"1\" to=\"9\"/>\n</Network>"
            << QStringLiteral("Element 'Edge' refers to Node 9, which is not defined before it");
        QTest::newRow("reference of wrong kind") << head
                + "<Node id=\"1\" x=\"0\" y=\"0\"/><Node id=\"2\" x=\"9\" y=\"0\"/>"
                  "<Edge id=\"3\" from=\"1\" to=\"2\"><Lane id=\"4\"/></Edge>"
                  "<Connection id=\"5\" junction=\"4\" from=\"4\" to=\"4\"/>\n</Network>"
                                                 << QStringLiteral("refers to Node 4");
        QTest::newRow("bad id list")
            << head + "<Granule id=\"1\" nodes=\"1 x\"/>\n</Network>"
            << QStringLiteral(
                   "Attribute 'nodes' of element 'Granule' is not a list of numbers: 'x'");
        QTest::newRow("negative lane width")
            << head
                + "<Node id=\"1\" x=\"0\" y=\"0\"/><Node id=\"2\" x=\"9\" y=\"0\"/>"
                  "<Edge id=\"3\" from=\"1\" to=\"2\"><Lane id=\"4\" "
                  "width=\"-1\"/></Edge>\n</Network>"
            << QStringLiteral("The width of a lane must be positive");
        QTest::newRow("one-point crosswalk")
            << head
                + "<Node id=\"1\" x=\"0\" y=\"0\"/><CrossWalk id=\"2\" junction=\"1\" "
                  "shape=\"1,1\"/>\n</Network>"
            << QStringLiteral("A crosswalk needs at least two points");
        QTest::newRow("newer version") << QByteArray("<Network version=\"2\"/>")
                                       << QStringLiteral("Unsupported network format version 2");
        QTest::newRow("half an origin")
            << QByteArray("<Network version=\"1\" lon=\"30\"/>")
            << QStringLiteral("Element 'Network' has no attribute 'lat'");
        // A file is one network: what follows it is damage, not something to pass over.
        QTest::newRow("element after the network")
            << head
                + "<Node id=\"1\" x=\"0\" y=\"0\"/>\n</Network>\n<Node id=\"2\" x=\"0\" y=\"0\"/>\n"
            << QStringLiteral("Line 5, column 26: Extra content at end of document.");
        QTest::newRow("second network")
            << QByteArray("<Network version=\"1\"/><Network version=\"1\"/>")
            << QStringLiteral("Extra content at end of document.");
        QTest::newRow("text after the network")
            << head + "</Network>\ngarbage"
            << QStringLiteral("Line 4, column 1: Extra content at end of document.");
    }

    void malformed()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);

        // A broken file leaves the network as it was.
        Network net;
        FourArmJunction junction(net);
        const int before = net.objectCount();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.hm58a"));
        QVERIFY(TestSupport::writeFile(path, content));

        QVERIFY(!net.load(path, false));
        QVERIFY2(net.errorString().contains(error), qPrintable(net.errorString()));
        QVERIFY(net.errorString().startsWith(QStringLiteral("Line ")));
        QCOMPARE(net.objectCount(), before);
        QCOMPARE(net.findChildren<Connection *>().size(), 5);
        QVERIFY(net.isChanged());
    }

    void brokenFixtureFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("truncated")
            << QStringLiteral("truncated.hm58a") << QStringLiteral("Premature end of document");
        QTest::newRow("unknown element")
            << QStringLiteral("unknown_element.hm58a")
            << QStringLiteral("Line 5, column 49: Unknown element 'Tunnel'");
        QTest::newRow("bad number")
            << QStringLiteral("bad_number.hm58a")
            << QStringLiteral(
                   "Line 5, column 59: Attribute 'width' of element 'Lane' is not a number: '3,5'");
    }

    void brokenFixtureFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, error);
        Network net;
        QVERIFY(!net.load(TestSupport::dataPath(QStringLiteral("network/") + file), false));
        QVERIFY2(net.errorString().contains(error), qPrintable(net.errorString()));
        QCOMPARE(net.objectCount(), 0);
    }

    void commentsAndBlanksAfterTheNetworkAreFine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("commented.hm58a"));
        QVERIFY(TestSupport::writeFile(path,
                                       "<?xml version=\"1.0\"?>\n<Network version=\"1\">"
                                       "<Node id=\"1\" x=\"0\" y=\"0\"/></Network>\n"
                                       "<!-- drawn by hand -->\n\n"));
        Network net;
        QVERIFY2(net.load(path, false), qPrintable(net.errorString()));
        QCOMPARE(net.objectCount(), 1);
    }

    void missingFile()
    {
        Network net;
        QVERIFY(!net.load(QStringLiteral("/nonexistent/net.hm58a"), false));
        QVERIFY(net.errorString().startsWith(QStringLiteral("Cannot open /nonexistent/net.hm58a")));
    }

    void highestNumbersLeaveRoomForNewObjects()
    {
        // The stop lines that the file leaves out, and objects made later, still
        // get numbers of their own.
        QXmlStreamReader xml(QByteArray(
            "<Network><Node id=\"2147483647\" x=\"0\" y=\"0\"/>"
            "<Node id=\"2147483646\" x=\"0\" y=\"50\"/>"
            "<Edge id=\"1\" from=\"2147483647\" to=\"2147483646\"><Lane id=\"2\"/></Edge>"
            "</Network>"));
        Network net;
        QVERIFY2(net.load(xml, false), qPrintable(net.errorString()));
        auto *node = new Node;
        net.addItem(node);
        QSet<int> ids;
        for (const NetObject *object : net.findChildren<NetObject *>()) {
            QVERIFY(object->id() > 0);
            ids.insert(object->id());
        }
        QCOMPARE(ids.size(), 7);
        QCOMPARE(net.objectCount(), 7);
        QCOMPARE(net.findObject(node->id()), node);
    }

    void minimalFileWithoutOptionalParts()
    {
        // Stop-line numbers, widths and the origin may be left out.
        QXmlStreamReader xml(
            QByteArray("<Network><Node id=\"3\" x=\"0\" y=\"0\"/><Node id=\"4\" x=\"0\" y=\"50\"/>"
                       "<Edge id=\"7\" from=\"3\" to=\"4\"><Lane id=\"8\"/></Edge></Network>"));
        Network net;
        QVERIFY2(net.load(xml, false), qPrintable(net.errorString()));
        QVERIFY(!net.geoUtil());
        const auto lanes = net.findChildren<Lane *>();
        QCOMPARE(lanes.size(), 1);
        QCOMPARE(lanes.first()->width(), 3.5);
        QVERIFY(lanes.first()->stopline()->id() > 8);
        QVERIFY(lanes.first()->startline()->id() > 8);
        QCOMPARE(net.objectCount(), 6);
    }
};

PROJECT_TEST(TestNetworkReader);
#include "tst_networkreader.moc"
