#include "documentfixtures.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/granule.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/netedit.h"
#include "halm58ga/networkg.h"
#include "modalanswerer.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QGraphicsView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>

using namespace WindowTesting;
using namespace DocumentFixtures;

namespace {

// The four-arm junction: connections 38 and 39 in group 1, 40 and 41 in
// group 2, crosswalk 43 in group 3, connection 42 in group 4; nodes 1 and 2;
// detector 44 (controller detector 5) on a lane into the junction.
Halm58ga::Networkg *networkOf(MainWindow &window)
{
    return qobject_cast<Halm58ga::Networkg *>(window.document().network());
}

Halm58a::NetObject *object(MainWindow &window, int id)
{
    return networkOf(window)->findObject(id);
}

QGraphicsItem *itemOf(MainWindow &window, int id)
{
    return networkOf(window)->object2item(object(window, id));
}

void selectOnMap(MainWindow &window, const QList<int> &ids)
{
    networkOf(window)->scene()->clearSelection();
    for (int id : ids)
        itemOf(window, id)->setSelected(true);
}

QList<int> selectedOnMap(MainWindow &window)
{
    QList<int> ids;
    const auto items = networkOf(window)->scene()->selectedItems();
    for (QGraphicsItem *item : items) {
        if (const Halm58a::NetObject *selected = networkOf(window)->item2object(item))
            ids << selected->id();
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void selectRows(QTableWidget *table, const QList<int> &rows)
{
    table->clearSelection();
    for (int row : rows)
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The menu's entries, a submenu as its title followed by its entries in brackets.
QStringList entries(const QMenu &menu)
{
    QStringList texts;
    const auto actions = menu.actions();
    for (const QAction *action : actions) {
        if (action->menu())
            texts << action->text() + QStringLiteral(" [")
                    + entries(*action->menu()).join(QStringLiteral(", ")) + QLatin1Char(']');
        else
            texts << action->text();
    }
    return texts;
}

// The assignment entry (direct or in the submenu) for a group id.
QAction *assignAction(const QMenu &menu, int id)
{
    const auto actions = menu.actions();
    for (QAction *action : actions) {
        if (action->menu()) {
            if (QAction *inner = assignAction(*action->menu(), id))
                return inner;
        } else if (action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

QList<int> connectionsOf(const Halm58a::SignalGroup *group)
{
    QList<int> ids;
    for (const Halm58a::Connection *connection : group->connections())
        ids << connection->id();
    return ids;
}

Halm58a::SignalGroup *networkGroup(MainWindow &window, int tlId)
{
    const auto groups = networkOf(window)->findChildren<Halm58a::SignalGroup *>();
    for (Halm58a::SignalGroup *group : groups) {
        if (group->tlId() == tlId)
            return group;
    }
    return nullptr;
}

} // namespace

class TestNetCoupling : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    // A TIVERK II controller number 12 with groups 1 to 4, phase 1 of group 3
    // and detectors 5 and 9, over the four-arm junction.
    QString junction(const QVariant &number = 12)
    {
        CnfController controller;
        initController(controller, QStringLiteral("tiverkii"), QString(), 12, { 1, 2, 3, 4 });
        controller.setProperty("number", number);
        auto phase = CnfPhasePtr::create();
        phase->id = QStringLiteral("1");
        phase->signalGroups << controller.findSG(3);
        controller.addPhase(phase);
        for (int id : { 5, 9 }) {
            auto detector = CnfDetectorPtr::create();
            detector->setId(id);
            controller.addDetector(detector);
        }
        const QString path = dir.filePath(QStringLiteral("junction%1.xcnf").arg(number.toString()));
        if (!writeContainer(path, controller, fourArmNetwork()))
            qWarning() << "cannot write" << path;
        return path;
    }

    void load(MainWindow &window, const QVariant &number = 12)
    {
        window.loadDocument(junction(number));
        QVERIFY(networkOf(window));
        QVERIFY(networkGroup(window, 1));
        QVERIFY(!window.document().isChanged());
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    void contextMenuEntries_data()
    {
        QTest::addColumn<QList<int>>("objects");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("menu");
        const QString submenu = "Assign to SG ... [1 (SG1), 2 (SG2), 3 (SG3), 4 (SG4)]";
        QTest::newRow("nodes only") << QList<int> { 1, 2 } << QList<int> { 0 } << QStringList();
        QTest::newRow("nodes and an assigned connection, one row")
            << QList<int> { 1, 38, 2 } << QList<int> { 1 }
            << QStringList { "Assign to SG '2 (SG2)'", submenu, "Remove from SG" };
        QTest::newRow("two rows") << QList<int> { 38 } << QList<int> { 0, 1 }
                                  << QStringList { submenu, "Remove from SG" };
        QTest::newRow("no row, assigned crosswalk")
            << QList<int> { 43 } << QList<int> {} << QStringList { submenu, "Remove from SG" };
    }

    void contextMenuEntries()
    {
        QFETCH(QList<int>, objects);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, menu);
        MainWindow window;
        load(window);
        selectRows(table(window, "sgTable"), rows);
        QObjectList selection;
        for (int id : objects)
            selection << object(window, id);
        QMenu m;
        window.beforeNetEditContextMenu(selection, &m);
        QCOMPARE(entries(m), menu);
    }

    void unassignedObjectsOfferNoRemoval()
    {
        MainWindow window;
        load(window);
        networkGroup(window, 3)->removeCrossWalk(
            qobject_cast<Halm58a::CrossWalk *>(object(window, 43)));
        QMenu m;
        window.beforeNetEditContextMenu({ object(window, 43) }, &m);
        QVERIFY(!entries(m).contains("Remove from SG"));
        QVERIFY(!entries(m).isEmpty());
    }

    // The editor's own context menu of the map carries the entries.
    void editorMenuAsksTheWindow()
    {
        MainWindow window;
        load(window);
        auto *editor = window.findChild<Halm58ga::NetEdit *>();
        QVERIFY(editor);
        selectOnMap(window, { 40 });
        std::unique_ptr<QMenu> menu(editor->createContextMenu());
        QVERIFY(entries(*menu).contains("Remove from SG"));
        QVERIFY(assignAction(*menu, 4));
    }

    void assignCreatesTheGroup()
    {
        MainWindow window;
        load(window);
        // A group the network does not draw yet.
        auto added = CnfSignalGroupPtr::create();
        added->id = 5;
        window.document().controller().addSignalGroup(added);
        QVERIFY(!networkGroup(window, 5));
        QMenu m;
        window.beforeNetEditContextMenu({ object(window, 42), object(window, 43) }, &m);
        selectOnMap(window, { 42, 43, 1 });
        assignAction(m, 5)->trigger();

        Halm58a::SignalGroup *group = networkGroup(window, 5);
        QVERIFY(group);
        QCOMPARE(group->parent(), static_cast<QObject *>(networkGroup(window, 1)->parent()));
        QCOMPARE(connectionsOf(group), QList<int> { 42 });
        QCOMPARE(group->crossWalkCount(), 1);
        // A connection may drive several groups; a crosswalk moves.
        QCOMPARE(connectionsOf(networkGroup(window, 4)), QList<int> { 42 });
        QCOMPARE(networkGroup(window, 3)->crossWalkCount(), 0);
        QVERIFY(window.document().isChanged());
        QVERIFY(window.windowTitle().endsWith(QLatin1Char('*')));
    }

    void assignNeedsNumberAndGranule_data()
    {
        QTest::addColumn<QVariant>("number");
        QTest::addColumn<QString>("error");
        QTest::newRow("no number")
            << QVariant(QStringLiteral("none")) << "Number of contoller must be set";
        QTest::newRow("no granule") << QVariant(7) << "Network not contains granule with id 7";
    }

    void assignNeedsNumberAndGranule()
    {
        QFETCH(QVariant, number);
        QFETCH(QString, error);
        MainWindow window;
        load(window, number);
        QMenu m;
        window.beforeNetEditContextMenu({ object(window, 40) }, &m);
        selectOnMap(window, { 40 });
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        assignAction(m, 1)->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), error);
        QCOMPARE(connectionsOf(networkGroup(window, 1)), (QList<int> { 38, 39 }));
        QVERIFY(!window.document().isChanged());
    }

    void removeFromTwoGroups()
    {
        MainWindow window;
        load(window);
        auto *connection = qobject_cast<Halm58a::Connection *>(object(window, 38));
        networkGroup(window, 2)->addConnection(connection);
        window.setChanged(false);
        selectOnMap(window, { 38 });
        window.removeItemsFromSg();
        QVERIFY(connection->signalGroups().isEmpty());
        QCOMPARE(connectionsOf(networkGroup(window, 1)), QList<int> { 39 });
        QCOMPARE(connectionsOf(networkGroup(window, 2)), (QList<int> { 40, 41 }));
        QVERIFY(window.document().isChanged());
        QVERIFY(window.findChild<QAction *>("actionSave")->isEnabled());
    }

    void clearAssignedConnections()
    {
        MainWindow window;
        load(window);
        selectRows(table(window, "sgTable"), { 0, 2 });
        window.clearAssignedConnections();
        QCOMPARE(networkGroup(window, 1)->connectionCount(), 0);
        QCOMPARE(networkGroup(window, 3)->crossWalkCount(), 0);
        QCOMPARE(connectionsOf(networkGroup(window, 2)), (QList<int> { 40, 41 }));
    }

    void selectionMirrors()
    {
        MainWindow window;
        load(window);
        selectOnMap(window, { 1 });
        selectRows(table(window, "sgTable"), { 0 });
        QCOMPARE(selectedOnMap(window), (QList<int> { 38, 39 }));

        selectRows(table(window, "phasesTable"), { 0 });
        QCOMPARE(selectedOnMap(window), QList<int> { 43 });

        // Detectors add to the map selection; a detector the junction does
        // not have leaves it as it was.
        QTableWidget *detectors = table(window, "detectorsTable");
        QCOMPARE(cellText(detectors, 1, 0), QStringLiteral("9"));
        selectRows(detectors, { 1 });
        QCOMPARE(selectedOnMap(window), QList<int> { 43 });
        selectRows(detectors, { 0 });
        QCOMPARE(selectedOnMap(window), (QList<int> { 43, 44 }));
    }

    void layersFollowTheSettings()
    {
        QSettings().setValue("NetLayers/detectors", false);
        {
            MainWindow window;
            load(window);
            auto *detectors = window.findChild<QAction *>("layer_detectors");
            QVERIFY(detectors);
            QVERIFY(!detectors->isChecked());
            QVERIFY(!itemOf(window, 44)->isVisible());
            window.findChild<QAction *>("layer_edges")->trigger();
            QVERIFY(window.close());
        }
        QSettings settings;
        settings.beginGroup("NetLayers");
        QCOMPARE(settings.childKeys().size(), 7);
        QCOMPARE(settings.value("detectors").toBool(), false);
        QCOMPARE(settings.value("edges").toBool(), false);
        QCOMPARE(settings.value("nodes").toBool(), true);
    }

    void fitsTheJunctionIntoTheView()
    {
        MainWindow window;
        window.resize(800, 600);
        load(window);
        auto *view = child<QGraphicsView>(window, "tileview");
        view->centerOn(10.0, 10.0);
        window.fitNetworkInView();
        const QPointF centre = view->mapToScene(view->viewport()->rect().center());
        QVERIFY2(qAbs(centre.x() - 30.3276) < 1e-3 && qAbs(centre.y() - 60.0034) < 1e-3,
                 qPrintable(QStringLiteral("%1, %2").arg(centre.x()).arg(centre.y())));
    }

    void loadGranuleNeedsTheNumber()
    {
        MainWindow window;
        load(window, QString());
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        window.loadGranule();
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenText(), QStringLiteral("Number of junction not set"));
        QVERIFY(window.document().isNetworkEmpty());
    }

    void networkChangesMarkTheDocument()
    {
        MainWindow window;
        load(window);
        window.netChanged(false);
        QVERIFY(!window.document().isChanged());
        window.netChanged(true);
        QVERIFY(window.document().isChanged());
        window.netChanged(false);
        QVERIFY(window.document().isChanged());
        QVERIFY(window.findChild<QAction *>("actionSave")->isEnabled());
    }
};

PROJECT_TEST(TestNetCoupling);
#include "tst_netcoupling.moc"
