#include "cnf/vobject.h"
#include "documentfixtures.h"
#include "halm58a/granule.h"
#include "halm58a/network.h"
#include "halm58a/signalgroup.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

using namespace WindowTesting;
using namespace DocumentFixtures;

namespace {

// tlId of every network signal group, granule by granule: "12:1,2 99:".
QString granuleGroups(const Halm58a::Network *network)
{
    QStringList granules;
    const auto found = network->findChildren<Halm58a::Granule *>();
    for (const Halm58a::Granule *granule : found) {
        QStringList ids;
        const auto groups = granule->signalGroups();
        for (const Halm58a::SignalGroup *group : groups)
            ids << QString::number(group->tlId());
        granules << QString::number(granule->tlId()) + QLatin1Char(':')
                + ids.join(QLatin1Char(','));
    }
    return granules.join(QLatin1Char(' '));
}

} // namespace

class TestLoadDocument : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString container(const QString &name, const QList<int> &groups, const QByteArray &network,
                      int number = 12)
    {
        CnfController controller;
        initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"), number,
                       groups);
        const QString path = dir.filePath(name + QStringLiteral(".xcnf"));
        if (!writeContainer(path, controller, network))
            qWarning() << "cannot write" << path;
        return path;
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    void reconcilesNetworkAndController_data()
    {
        QTest::addColumn<QList<int>>("controllerGroups");
        QTest::addColumn<QByteArray>("granules");
        QTest::addColumn<QStringList>("repairs");
        QTest::addColumn<QString>("networkAfter");

        QTest::newRow("in step")
            << QList<int> { 1, 2 }
            << QByteArray("<Granule id=\"3\" tlId=\"12\" nodes=\"1 2\">"
                          "<SignalGroup id=\"4\" tlId=\"1\"/><SignalGroup id=\"5\" tlId=\"2\"/>"
                          "</Granule>")
            << QStringList() << "12:1,2";
        QTest::newRow("only granule has another number")
            << QList<int> { 1, 2 }
            << QByteArray("<Granule id=\"3\" tlId=\"99\" nodes=\"1 2\"><SignalGroup id=\"4\" "
                          "tlId=\"1\"/></Granule>")
            << QStringList { "Following signal groups added to network: 2" } << "99:1,2";
        QTest::newRow("two granules, none matches: the first")
            << QList<int> { 1, 2 }
            << QByteArray("<Granule id=\"3\" tlId=\"98\" nodes=\"1\"><SignalGroup id=\"4\" "
                          "tlId=\"1\"/></Granule>"
                          "<Granule id=\"5\" tlId=\"99\" nodes=\"2\"/>")
            << QStringList { "Network contains more then one granules",
                             "Following signal groups added to network: 2" }
            << "98:1,2 99:";
        QTest::newRow("two granules match: the last")
            << QList<int> { 1 }
            << QByteArray("<Granule id=\"3\" tlId=\"12\" nodes=\"1\"><SignalGroup id=\"4\" "
                          "tlId=\"1\"/></Granule>"
                          "<Granule id=\"5\" tlId=\"12\" nodes=\"2\"/>")
            << QStringList { "Network contains more then one granules",
                             "Following signal groups added to network: 1" }
            << "12:1 12:1";
        QTest::newRow("nodes without granule")
            << QList<int> { 1, 2, 3 } << QByteArray()
            << QStringList { "Following signal groups added to network: 1,2,3" } << "0:1,2,3";
        QTest::newRow("groups unknown to the controller")
            << QList<int> { 1, 2 }
            << QByteArray(
                   "<Granule id=\"3\" tlId=\"12\" nodes=\"1 2\"><SignalGroup id=\"4\" tlId=\"5\"/>"
                   "<SignalGroup id=\"6\" tlId=\"1\"/><SignalGroup id=\"7\" tlId=\"7\"/></Granule>")
            << QStringList { "The following signal groups into network are not found in the "
                             "controller and were "
                             "removed: 5,7",
                             "Following signal groups added to network: 2" }
            << "12:1,2";
    }

    void reconcilesNetworkAndController()
    {
        QFETCH(QList<int>, controllerGroups);
        QFETCH(QByteArray, granules);
        QFETCH(QStringList, repairs);
        QFETCH(QString, networkAfter);

        const QString path
            = container(QTest::currentDataTag(), controllerGroups, networkOf(granules));
        MainWindow window;
        window.loadDocument(path);

        QCOMPARE(messageTexts(window),
                 QStringList { "Loading file " + path } + repairs
                     + QStringList { "Loading complete" });
        QCOMPARE(granuleGroups(window.document().network()), networkAfter);
        QCOMPARE(table(window, "sgTable")->rowCount(), controllerGroups.size());

        // Only groups added to the network make the document modified.
        const bool added = !repairs.filter("added").isEmpty();
        QCOMPARE(window.document().isChanged(), added);
        QCOMPARE(window.findChild<QAction *>("actionSave")->isEnabled(), added);
        QCOMPARE(window.windowTitle().endsWith(QLatin1Char('*')), added);
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
    }

    // What the configuration reader warns of while it fills the controller is
    // a line of the message table, for every family and whichever reader the
    // suffix picks.
    void readerWarningsInMessageTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("warnings");
        const QByteArray noId
            = TestSupport::readFile(TestSupport::dataPath("zumolt/with-warning.json"));
        const QStringList noIdWarning
            = { "Line 1, column 1: Attribute 'id' not defined for a controller without a name" };
        QTest::newRow("ZU_MOLT .json") << "noid.json" << noId << noIdWarning;
        QTest::newRow("ZU_MOLT in .cnf") << "noid.cnf" << noId << noIdWarning;
        // A switch the reader cannot list is dropped, and the table says so.
        QByteArray switchWithoutId
            = TestSupport::readFile(TestSupport::examplesPath("zumolt_intersection.json"));
        const QByteArray id4 = "{\"name\": \"1-4\", \"id\": 4, ";
        QCOMPARE(switchWithoutId.count(id4), 1);
        switchWithoutId.replace(id4, "{\"name\": \"1-4\", ");
        QTest::newRow("ZU_MOLT .json, a switch without id")
            << "switch.json" << switchWithoutId
            << QStringList {
                   "Line 240, column 13: Attribute 'id' not defined; switch \"1-4\" skipped"
               };
        QTest::newRow("ZU_MOLT sample")
            << "sample.json"
            << TestSupport::readFile(TestSupport::examplesPath("zumolt_intersection.json"))
            << QStringList();
    }

    void readerWarningsInMessageTable()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, warnings);
        const QString path = dir.filePath(name);
        QVERIFY(TestSupport::writeFile(path, content));
        MainWindow window;
        window.loadDocument(path);
        QCOMPARE(messageTexts(window),
                 QStringList { "Loading file " + path } + warnings
                     + QStringList { "Loading complete" });
        QCOMPARE(window.document().controller().property("type").toString(),
                 QStringLiteral("ZU_MOLT"));
    }

    void examplesGiveTheirRows_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        // Rows of power part, signal groups, phases, programs, matrices,
        // detectors, sensors, outputs.
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("TIVERK 3.18") << "tiverk318_intersection.cnf"
                                     << "tiverk" << QList<int> { 29, 8, 4, 3, 0, 0, 0, 0 };
        QTest::newRow("adapter") << "adapter_crossing.txt"
                                 << "adapter" << QList<int> { 4, 4, 2, 2, 0, 0, 0, 0 };
        QTest::newRow("TIVERK II") << "tiverkii_intersection.json"
                                   << "tiverkii" << QList<int> { 4, 4, 2, 3, 1, 1, 1, 0 };
        QTest::newRow("ZU_MOLT") << "zumolt_intersection.json"
                                 << "ZU_MOLT" << QList<int> { 4, 3, 2, 5, 2, 2, 1, 0 };
    }

    void examplesGiveTheirRows()
    {
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(QList<int>, rows);
        MainWindow window;
        const QString path = TestSupport::examplesPath(file);
        window.loadDocument(path);
        QCOMPARE(messageTexts(window).last(), QStringLiteral("Loading complete"));
        QCOMPARE(window.document().controller().property("type").toString(), type);
        // Devices of the power part, also those grouped under key modules.
        int devices = 0;
        for (QTreeWidgetItemIterator it(child<QTreeWidget>(window, "powerPartTree")); *it; ++it)
            devices += (*it)->childCount() == 0 ? 1 : 0;
        const QList<int> counts = { devices,
                                    table(window, "sgTable")->rowCount(),
                                    table(window, "phasesTable")->rowCount(),
                                    table(window, "progTable")->rowCount(),
                                    table(window, "matricesTable")->rowCount(),
                                    table(window, "detectorsTable")->rowCount(),
                                    table(window, "sensorsTable")->rowCount(),
                                    table(window, "outputsTable")->rowCount() };
        QCOMPARE(counts, rows);
        QVERIFY(!window.document().isChanged());
        QCOMPARE(recentFiles(window), QStringList { QFileInfo(path).absoluteFilePath() });
    }

    void devicePrefixFromTheDevices_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<bool>("autoAssign");
        QTest::newRow("K12") << QStringList { "K12", "K13" } << "K" << true;
        QTest::newRow("first without digits only")
            << QStringList { "12", "Lamp5" } << "Lamp" << true;
        QTest::newRow("digits only") << QStringList { "12", "13" } << "P" << false;
        QTest::newRow("no devices") << QStringList() << "P" << true;
    }

    void devicePrefixFromTheDevices()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, prefix);
        QFETCH(bool, autoAssign);
        CnfController controller;
        initController(controller, QStringLiteral("tiverkii"), QString(), 3, { 1 });
        for (int i = 0; i < names.size(); ++i) {
            CnfPowerDevicePtr device(new CnfPowerDevice);
            device->id = i + 1;
            device->address = i;
            device->type = CnfPowerDevice::Key;
            device->name = names.at(i);
            QVERIFY(controller.addPowerDevice(device));
        }
        const QString path
            = dir.filePath(QStringLiteral("devices%1.xcnf").arg(QTest::currentDataTag()));
        QVERIFY(writeContainer(path, controller, QByteArray()));

        MainWindow window;
        child<QLineEdit>(window, "dev_name_prefix")->setText("P");
        window.loadDocument(path);
        QCOMPARE(child<QLineEdit>(window, "dev_name_prefix")->text(), prefix);
        QCOMPARE(child<QCheckBox>(window, "auto_assign_key_data_by_id")->isChecked(), autoAssign);
    }

    void outputsAndClosing()
    {
        CnfController controller;
        initController(controller, QStringLiteral("tiverkii"), QString(), 3, { 1 });
        VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
        outputs[0][QStringLiteral("id")] = 4;
        outputs[0][QStringLiteral("name")] = QStringLiteral("Gate");
        outputs[1][QStringLiteral("id")] = 6;
        outputs[1][QStringLiteral("name")] = QStringLiteral("Barrier");
        const QString path = dir.filePath(QStringLiteral("outputs.xcnf"));
        QVERIFY(writeContainer(path, controller, QByteArray()));

        MainWindow window;
        window.loadDocument(path);
        QTableWidget *outputsTable = table(window, "outputsTable");
        QCOMPARE(outputsTable->rowCount(), 2);
        QCOMPARE(cellText(outputsTable, 1, 0), QStringLiteral("6"));
        QCOMPARE(cellText(outputsTable, 1, 1), QStringLiteral("Barrier"));
        QVERIFY(!(outputsTable->item(0, 0)->flags() & Qt::ItemIsEditable));
        QCOMPARE(cellText(table(window, "sgTable"), 0, 1), QStringLiteral("SG1"));

        // Closing empties every element table but keeps the messages.
        const int messages = messageTexts(window).size();
        window.findChild<QAction *>("actionClose")->trigger();
        for (const char *name : { "sgTable", "outputsTable" })
            QCOMPARE(table(window, name)->rowCount(), 0);
        QCOMPARE(messageTexts(window).size(), messages);
        QVERIFY(!window.findChild<QAction *>("actionClose")->isEnabled());
    }

    void recentFilesFollowTheLoads()
    {
        QStringList paths;
        for (const char *name : { "a", "b", "c" })
            paths << container(QString::fromLatin1(name), { 1 }, QByteArray());
        MainWindow window;
        for (const QString &path : paths)
            window.loadDocument(path);
        QCOMPARE(recentFiles(window), (QStringList { paths[2], paths[1], paths[0] }));
        // The same file again changes nothing; the third entry swaps with the first.
        window.loadDocument(paths[2]);
        QCOMPARE(recentFiles(window), (QStringList { paths[2], paths[1], paths[0] }));
        window.loadDocument(paths[0]);
        QCOMPARE(recentFiles(window), (QStringList { paths[0], paths[1], paths[2] }));
        // Five entries at most: the oldest falls off.
        for (const char *name : { "d", "e", "f" })
            window.loadDocument(container(QString::fromLatin1(name), { 1 }, QByteArray()));
        const QStringList shown = recentFiles(window);
        QCOMPARE(shown.size(), 5);
        QCOMPARE(shown.mid(3), (QStringList { paths[0], paths[1] }));
    }

    void pathChosenInTheDialog()
    {
        const QString path = container(QStringLiteral("chosen"), { 1 }, QByteArray());
        MainWindow window;
        ModalAnswerer answerer;
        answerer.enterText(path);
        window.loadDocument(QString());
        QVERIFY(answerer.answered());
        QCOMPARE(messageTexts(window), QStringList { path + QStringLiteral(" loaded") });
        QCOMPARE(window.document().fileName(), path);
        QVERIFY(window.findChild<QAction *>("actionClose")->isEnabled());
    }

    // A failed load must not leave the rows of the document given up before it,
    // nor a file name that Save would overwrite with an empty configuration.
    void failedLoadLeavesNoDocument_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("unreadable") << TestSupport::dataPath("document/garbage.cnf");
        QTest::newRow("missing") << dir.filePath("missing.cnf");
        QTest::newRow("unknown kind") << TestSupport::dataPath("document/garbage.doc");
    }

    void failedLoadLeavesNoDocument()
    {
        QFETCH(QString, file);
        MainWindow window;
        window.loadDocument(TestSupport::examplesPath("tiverkii_intersection.json"));
        QVERIFY(table(window, "sgTable")->rowCount() > 0);
        QVERIFY(table(window, "detectorsTable")->rowCount() > 0);
        const QStringList recent = recentFiles(window);

        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        window.loadDocument(file);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Error"));
        QVERIFY(!answerer.seenText().isEmpty());
        QCOMPARE(messageTexts(window).last(), answerer.seenText());

        for (const char *name : { "sgTable", "phasesTable", "progTable", "matricesTable",
                                  "detectorsTable", "sensorsTable", "outputsTable" })
            QVERIFY2(table(window, name)->rowCount() == 0, name);
        QCOMPARE(child<QTreeWidget>(window, "powerPartTree")->topLevelItemCount(), 0);
        QCOMPARE(window.document().fileName(), QString());
        QCOMPARE(window.document().type(), 0);
        QVERIFY(!window.document().isChanged());
        QVERIFY(!window.findChild<QAction *>("actionClose")->isEnabled());
        QVERIFY(!window.findChild<QAction *>("actionSave")->isEnabled());
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Program of configuration of road controllers"));
        QCOMPARE(recentFiles(window), recent);
    }

    void cancelledChoiceLeavesNoDocument()
    {
        MainWindow window;
        window.loadDocument(TestSupport::examplesPath("tiverk318_intersection.cnf"));
        const int messages = messageTexts(window).size();
        ModalAnswerer answerer;
        answerer.reject();
        window.loadDocument(QString());
        QVERIFY(answerer.answered());
        QCOMPARE(table(window, "sgTable")->rowCount(), 0);
        QVERIFY(!window.findChild<QAction *>("actionClose")->isEnabled());
        QCOMPARE(messageTexts(window).size(), messages);
    }

    void refusedSaveKeepsTheWindow()
    {
        MainWindow window;
        const QString path = TestSupport::examplesPath("tiverk318_intersection.cnf");
        window.loadDocument(path);
        const int groups = table(window, "sgTable")->rowCount();
        window.setChanged();
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Cancel);
        window.loadDocument(container(QStringLiteral("other"), { 1 }, QByteArray()));
        QVERIFY(answerer.answered());
        QCOMPARE(window.document().fileName(), path);
        QCOMPARE(table(window, "sgTable")->rowCount(), groups);
        QVERIFY(window.document().isChanged());
    }
};

PROJECT_TEST(TestLoadDocument);
#include "tst_loaddocument.moc"
