#include "containerframe.h"
#include "testmain.h"

#include <QtTest>

using CustomData = QMap<QString, QByteArray>;
Q_DECLARE_METATYPE(ContainerFrame::Result)
Q_DECLARE_METATYPE(ContainerFrame::NetworkState)

class TestContainerFrame : public QObject
{
    Q_OBJECT
private slots:
    void composeWritesTheFrame()
    {
        const QByteArray controller("<Controller type=\"tiverk\">x</Controller>");
        QCOMPARE(ContainerFrame::compose(controller, QByteArray(), {}),
                 QByteArray("<UniConf version=\"0.1\">\n" + controller + "</UniConf>"));
        QCOMPARE(
            ContainerFrame::compose(controller, "<Network/>", { { "b", "2" }, { "a", "1\n" } }),
            QByteArray("<UniConf version=\"0.1\">\n" + controller
                       + "\n<Network/>"
                         "<CustomData id=\"a\">\n1\n\n</CustomData>\n"
                         "<CustomData id=\"b\">\n2\n</CustomData>\n"
                         "</UniConf>"));
    }

    void split_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ContainerFrame::Result>("result");
        QTest::addColumn<QByteArray>("controller");
        QTest::addColumn<ContainerFrame::NetworkState>("network");
        QTest::addColumn<QByteArray>("networkBlock");
        QTest::addColumn<CustomData>("customData");

        const QByteArray head("<UniConf version=\"0.1\">\n");
        QTest::newRow("bare controller without frame")
            << QByteArray("<Controller n=\"1\"><a/></Controller>") << ContainerFrame::Ok
            << QByteArray("<Controller n=\"1\"><a/></Controller>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData();
        QTest::newRow("self-closing controller cut after its first />")
            << QByteArray(head + "<Controller n=\"1\"/><Other/></UniConf>") << ContainerFrame::Ok
            << QByteArray("<Controller n=\"1\"/>") << ContainerFrame::NoNetwork << QByteArray()
            << CustomData();
        QTest::newRow("no controller")
            << QByteArray(head + "</UniConf>") << ContainerFrame::InvalidFormat << QByteArray()
            << ContainerFrame::NoNetwork << QByteArray() << CustomData();
        // Its reader then stops where the file does, not at an inner element's "/>".
        QTest::newRow("controller that never ends runs to the end of the file")
            << QByteArray(head + "<Controller n=\"1\"><a/>\n<b>") << ContainerFrame::Ok
            << QByteArray("<Controller n=\"1\"><a/>\n<b>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData();
        QTest::newRow("network present")
            << QByteArray(head + "<Controller/>\n<Network v=\"1\"><Node/></Network></UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NetworkBlock
            << QByteArray("<Network v=\"1\"><Node/></Network>") << CustomData();
        QTest::newRow("network without closing tag")
            << QByteArray(head + "<Controller/>\n<Network v=\"1\"><Node/></UniConf>")
            << ContainerFrame::NetworkNotClosed << QByteArray("<Controller/>")
            << ContainerFrame::NetworkUnclosed << QByteArray() << CustomData();
        QTest::newRow("network text inside the controller block is no network")
            << QByteArray(head + "<Controller d=\"<Network\">x</Controller></UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller d=\"<Network\">x</Controller>")
            << ContainerFrame::NoNetwork << QByteArray() << CustomData();
        QTest::newRow("network text inside custom data is no network")
            << QByteArray(head
                          + "<Controller/><CustomData id=\"n\">\n<Network>\n</CustomData>\n"
                            "</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData { { "n", "<Network>" } };
        QTest::newRow("custom blocks after the network")
            << QByteArray(head
                          + "<Controller/>\n<Network/></Network>"
                            "<CustomData id=\"a\">\nA\n</CustomData>\n"
                            "<CustomData id=\"b\">\n\n</CustomData>\n</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NetworkBlock
            << QByteArray("<Network/></Network>") << CustomData { { "a", "A" }, { "b", "" } };
        QTest::newRow("unfinished custom block dropped, earlier ones kept")
            << QByteArray(head
                          + "<Controller/><CustomData id=\"a\">\nA\n</CustomData>\n"
                            "<CustomData id=\"b\">\nB\n</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData { { "a", "A" } };
        QTest::newRow("later block with the same id wins")
            << QByteArray(head
                          + "<Controller/><CustomData id=\"a\">\n1\n</CustomData>\n"
                            "<CustomData id=\"a\">\n2\n</CustomData>\n</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData { { "a", "2" } };
        QTest::newRow("id holding >")
            << QByteArray(head
                          + "<Controller/><CustomData id=\"a>b\">\nz\n</CustomData>\n</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData { { "a>b", "z" } };
        QTest::newRow("non-ASCII id")
            << QByteArray(head + "<Controller/><CustomData id=\"" + QStringLiteral("схема").toUtf8()
                          + "\">\nz\n</CustomData>\n</UniConf>")
            << ContainerFrame::Ok << QByteArray("<Controller/>") << ContainerFrame::NoNetwork
            << QByteArray() << CustomData { { QStringLiteral("схема"), "z" } };
    }

    void split()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ContainerFrame::Result, result);
        QFETCH(QByteArray, controller);
        QFETCH(ContainerFrame::NetworkState, network);
        QFETCH(QByteArray, networkBlock);
        QFETCH(CustomData, customData);

        const ContainerFrame frame = ContainerFrame::split(bytes);
        QCOMPARE(frame.result, result);
        QCOMPARE(frame.controllerBlock, controller);
        QCOMPARE(frame.network, network);
        QCOMPARE(frame.networkBlock, networkBlock);
        QCOMPARE(frame.customData, customData);
    }

    void customDataStableOverRepeatedWrites()
    {
        const CustomData original { { "empty", "" },
                                    { "lines", "\nfirst\n\nlast\n" },
                                    { "binary", QByteArray("\0\x01\xff<tag>\r\n", 9) },
                                    { "xml", "<a b=\"c\"/>" },
                                    { "x>y", "id with a tag end" } };
        QByteArray bytes
            = ContainerFrame::compose("<Controller/>", "<Network/></Network>", original);
        const QByteArray first = bytes;
        for (int cycle = 0; cycle < 3; ++cycle) {
            const ContainerFrame frame = ContainerFrame::split(bytes);
            QCOMPARE(frame.result, ContainerFrame::Ok);
            QCOMPARE(frame.customData, original);
            bytes = ContainerFrame::compose(frame.controllerBlock, frame.networkBlock,
                                            frame.customData);
            QCOMPARE(bytes, first);
        }
    }
};

PROJECT_TEST(TestContainerFrame);
#include "tst_containerframe.moc"
