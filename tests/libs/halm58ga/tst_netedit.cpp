#include "../halm58a/fourarmjunction.h"
#include "halm58a/stopline.h"
#include "halm58ga/exportdlg.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/netedit.h"
#include "halm58ga/netobjecteditor.h"
#include "halm58ga/networkg.h"
#include "layer.h"
#include "mapview/tileview.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QLayout>
#include <QMenu>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>

Q_DECLARE_METATYPE(QtMsgType)

using namespace Halm58a;
using Halm58ga::GenericGraphicsItem;
using Halm58ga::NetEdit;
using Halm58ga::Networkg;

namespace {

// A map view with the junction drawn on it and an editor over both.
struct EditorFixture
{
    TileView view;
    Networkg *net;
    FourArmJunction junction;
    NetEdit edit;

    EditorFixture()
        : net(new Networkg(view.scene()))
        , junction(*net)
        , edit(net, &view)
    {
        view.resize(600, 600);
        view.setZoom(19);
        view.centerOn(QPointF(30.3276, 60.0034));
    }

    QTreeWidgetItem *treeItem(NetObject *object) const { return treeItemWithId(object->id()); }

    // By number, for objects that are gone already.
    QTreeWidgetItem *treeItemWithId(int id) const
    {
        const QList<QTreeWidgetItem *> found
            = edit.tree()->findItems(QString::number(id), Qt::MatchExactly | Qt::MatchRecursive, 1);
        return found.value(0);
    }

    QPoint viewPoint(const QPointF &plane) const { return view.mapFromScene(net->toScene(plane)); }

    QString editorValue(const QString &property) const
    {
        Halm58ga::NetObjectEditor *table = edit.editor();
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text() == property)
                return table->item(row, 1)->text();
        }
        return QStringLiteral("<none>");
    }
};

} // namespace

class TestNetEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<QtMsgType>("QtMsgType"); }

    void treeMirrorsTheNetwork()
    {
        EditorFixture f;
        QTreeWidget *tree = f.edit.tree();
        QCOMPARE(static_cast<QWidget *>(tree), f.edit.objectsTree());
        // Five nodes, eight edges and the granule at the top.
        QCOMPARE(tree->topLevelItemCount(), 14);
        QTreeWidgetItem *group = f.treeItem(f.junction.groups.first());
        QVERIFY(group);
        QCOMPARE(group->parent(), f.treeItem(f.junction.granule));
        QCOMPARE(group->text(0), QStringLiteral("Signal group 1"));

        // Renaming shows; removing takes the item and its children away.
        f.junction.groups.first()->setTlId(8);
        QCOMPARE(group->text(0), QStringLiteral("Signal group 8"));
        const int childId = f.junction.groups.at(1)->id();
        delete f.junction.granule;
        QVERIFY(!f.treeItemWithId(childId));
        QCOMPARE(tree->topLevelItemCount(), 13);

        // New objects come in under their parent.
        auto *detector = new Detector(nullptr);
        f.net->addItem(detector, f.junction.connections.value(QStringLiteral("EW")));
        QCOMPARE(f.treeItem(detector)->parent(),
                 f.treeItem(f.junction.connections.value(QStringLiteral("EW"))));
    }

    void networkGoneFirstLeavesNothingToReach()
    {
        // The network lives with the map's scene; an editor that outlives it
        // must not hand out or delete its objects afterwards.
        auto *view = new TileView;
        auto *net = new Networkg(view->scene());
        FourArmJunction junction(*net);
        NetEdit edit(net, view);
        edit.tree()->selectAll();
        QVERIFY(!edit.selectedObjects().isEmpty());
        delete view;
        QCOMPARE(edit.tree()->topLevelItemCount(), 0);
        QVERIFY(edit.selectedObjects().isEmpty());
        edit.deleteSelected();
        QScopedPointer<QMenu> menu(edit.createContextMenu());
        edit.afterLoad();
        QCOMPARE(edit.tree()->topLevelItemCount(), 0);
    }

    void selectionInTreeAndOnMapFollowEachOther()
    {
        EditorFixture f;
        Connection *ew = f.junction.connections.value(QStringLiteral("EW"));
        GenericGraphicsItem *item = f.net->object2item(ew);

        f.edit.tree()->setCurrentItem(f.treeItem(ew));
        QVERIFY(item->isSelected());
        QCOMPARE(f.net->scene()->selectedItems().size(), 1);
        QCOMPARE(f.edit.editor()->object(), static_cast<NetObject *>(ew));

        // A signal group in the tree selects its connections on the map.
        f.edit.tree()->setCurrentItem(f.treeItem(f.junction.groups.first()));
        QVERIFY(!item->isSelected());
        QVERIFY(
            f.net->object2item(f.junction.connections.value(QStringLiteral("NS")))->isSelected());
        QVERIFY(
            f.net->object2item(f.junction.connections.value(QStringLiteral("SN")))->isSelected());

        // And back: selecting on the map selects in the tree.
        f.net->scene()->clearSelection();
        GenericGraphicsItem *cross = f.net->object2item(f.junction.crossWalk);
        cross->setSelected(true);
        QCOMPARE(f.edit.tree()->selectedItems(),
                 QList<QTreeWidgetItem *> { f.treeItem(f.junction.crossWalk) });
        QCOMPARE(f.edit.editor()->object(), static_cast<NetObject *>(f.junction.crossWalk));

        // A click on the map does the same.
        f.net->scene()->clearSelection();
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          f.viewPoint(QPointF(4, 8)));
        QVERIFY(cross->isSelected());
        QVERIFY(f.treeItem(f.junction.crossWalk)->isSelected());
    }

    void selectObjectInTreeAddsToTheSelection()
    {
        EditorFixture f;
        f.edit.selectObjectInTree(f.junction.groups.at(1));
        f.edit.selectObjectInTree(f.junction.groups.at(2));
        QVERIFY(f.treeItem(f.junction.groups.at(1))->isSelected());
        QVERIFY(f.treeItem(f.junction.groups.at(2))->isSelected());
        QVERIFY(
            f.net->object2item(f.junction.connections.value(QStringLiteral("WE")))->isSelected());
        QVERIFY(f.net->object2item(f.junction.crossWalk)->isSelected());
        const QObjectList selected = f.edit.selectedObjects();
        QVERIFY(selected.contains(f.junction.crossWalk));
        QVERIFY(selected.contains(f.junction.groups.at(1)));
    }

    // The way a caller gives a controller group its first drawing: made under
    // the granule, numbered, added, then filled with connections.
    void groupMadeUnderTheGranuleJoinsTreeAndMap()
    {
        EditorFixture f;
        QSignalSpy changed(f.net, &Network::changed);
        auto *group = new SignalGroup(f.junction.granule);
        group->setTlId(7);
        f.net->addItem(group, nullptr);
        QVERIFY(group->id() > 0);
        QCOMPARE(group->parent(), static_cast<QObject *>(f.junction.granule));
        QCOMPARE(f.net->findChild<SignalGroup *>(QStringLiteral("7")), group);
        QVERIFY(f.treeItem(group));
        QCOMPARE(f.treeItem(group)->parent(), f.treeItem(f.junction.granule));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().first().toBool(), true);

        Connection *ew = f.junction.connections.value(QStringLiteral("EW"));
        group->addConnection(ew);
        QVERIFY(ew->signalGroups().contains(group));
        f.net->scene()->clearSelection();
        f.edit.selectObjectInTree(group);
        QVERIFY(f.net->object2item(ew)->isSelected());
        QCOMPARE(f.net->item2object(f.net->object2item(ew)), static_cast<NetObject *>(ew));
    }

    void propertyTableEditsTheObject()
    {
        EditorFixture f;
        f.edit.selectObjectInTree(f.junction.detector);
        QCOMPARE(f.editorValue(QStringLiteral("Kind")), QStringLiteral("Detector"));
        QCOMPARE(f.editorValue(QStringLiteral("tlId")), QStringLiteral("5"));
        QCOMPARE(f.editorValue(QStringLiteral("id")), QString::number(f.junction.detector->id()));

        Halm58ga::NetObjectEditor *table = f.edit.editor();
        const auto cell = [table](const QString &property) {
            for (int row = 0; row < table->rowCount(); ++row) {
                if (table->item(row, 0)->text() == property)
                    return table->item(row, 1);
            }
            return static_cast<QTableWidgetItem *>(nullptr);
        };
        cell(QStringLiteral("tlId"))->setText(QStringLiteral("11"));
        QCOMPARE(f.junction.detector->tlId(), 11);
        cell(QStringLiteral("tlId"))->setText(QStringLiteral("eleven"));
        QCOMPARE(f.junction.detector->tlId(), 11);
        QCOMPARE(f.editorValue(QStringLiteral("tlId")), QStringLiteral("11"));
        QVERIFY(!(cell(QStringLiteral("id"))->flags() & Qt::ItemIsEditable));

        f.edit.selectObjectInTree(f.junction.centre);
        cell(QStringLiteral("pos"))->setText(QStringLiteral("2.5, -1"));
        QCOMPARE(f.junction.centre->pos(), QPointF(2.5, -1));
        // Values the file could not hold are refused like text that does not convert.
        cell(QStringLiteral("pos"))->setText(QStringLiteral("inf, 0"));
        QCOMPARE(f.junction.centre->pos(), QPointF(2.5, -1));
        QCOMPARE(f.editorValue(QStringLiteral("pos")), QStringLiteral("2.5, -1"));
        cell(QStringLiteral("radius"))->setText(QStringLiteral("-4"));
        QCOMPARE(f.junction.centre->radius(), 10.0);
        f.edit.selectObjectInTree(f.junction.in.value(QLatin1Char('W')));
        cell(QStringLiteral("width"))->setText(QStringLiteral("0"));
        QCOMPARE(f.junction.in.value(QLatin1Char('W'))->width(), 3.5);
        QCOMPARE(f.editorValue(QStringLiteral("width")), QStringLiteral("3.5"));
        f.edit.selectObjectInTree(f.junction.centre);
        // Changes made elsewhere show at once.
        f.junction.centre->setRadius(12);
        QCOMPARE(f.editorValue(QStringLiteral("radius")), QStringLiteral("12"));
        // A removed object leaves the table empty.
        f.net->scene()->clearSelection();
        f.edit.selectObjectInTree(f.junction.crossWalk);
        delete f.junction.crossWalk;
        QCOMPARE(table->rowCount(), 0);
    }

    void contextMenuAsksTheCallerFirst()
    {
        EditorFixture f;
        Connection *ns = f.junction.connections.value(QStringLiteral("NS"));
        f.net->object2item(ns)->setSelected(true);
        f.net->object2item(f.junction.centre)->setSelected(true);

        QObjectList seen;
        int entriesWhenAsked = -1;
        connect(&f.edit, &NetEdit::beforeContextMenu, this, [&](QObjectList objects, QMenu *menu) {
            seen = objects;
            entriesWhenAsked = menu->actions().size();
            menu->addAction(QStringLiteral("Assign to SG '1'"));
        });
        // The string form the main window connects with.
        QVERIFY(f.edit.metaObject()->indexOfSignal("beforeContextMenu(QObjectList,QMenu*)") >= 0);
        QVERIFY(f.edit.metaObject()->indexOfSignal("logMessage(QString,QtMsgType)") >= 0);

        QScopedPointer<QMenu> menu(f.edit.createContextMenu());
        QCOMPARE(entriesWhenAsked, 0);
        QCOMPARE(seen.size(), 2);
        QVERIFY(seen.contains(ns));
        QVERIFY(seen.contains(f.junction.centre));
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.first()->text(), QStringLiteral("Assign to SG '1'"));
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(actions.last()->objectName(), QStringLiteral("deleteObjects"));
    }

    void contextMenuEventSelectsTheItemUnderTheMouse()
    {
        EditorFixture f;
        f.view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.view));
        QObjectList seen;
        connect(&f.edit, &NetEdit::beforeContextMenu, this, [&](QObjectList objects, QMenu *menu) {
            seen = objects;
            QTimer::singleShot(0, menu, &QMenu::close);
        });
        const QPoint at = f.viewPoint(QPointF(-6, 8));
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.view.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(f.view.viewport(), &event);
        QCOMPARE(seen, QObjectList { f.junction.crossWalk });
    }

    void deleteRemovesSelectedObjects()
    {
        EditorFixture f;
        QPointer<Connection> we = f.junction.connections.value(QStringLiteral("WE"));
        QSignalSpy removed(f.net, &Network::objectRemoved);
        f.net->object2item(we)->setSelected(true);
        f.edit.deleteSelected();
        QVERIFY(we.isNull());
        QCOMPARE(removed.size(), 1);
        QCOMPARE(f.junction.groups.at(1)->connectionCount(), 1);
    }

    void deleteActionFollowsTheSelection()
    {
        // The Delete action also sits in the window's menu and tool bar: a
        // context menu opened on nothing must not leave it off for later.
        EditorFixture f;
        QAction *remove = f.edit.findChild<QAction *>(QStringLiteral("deleteObjects"));
        QVERIFY(remove);
        QVERIFY(!remove->isEnabled());
        QScopedPointer<QMenu>(f.edit.createContextMenu());
        QVERIFY(!remove->isEnabled());

        QPointer<Connection> we = f.junction.connections.value(QStringLiteral("WE"));
        f.net->object2item(we)->setSelected(true);
        QVERIFY(remove->isEnabled());
        remove->trigger();
        QVERIFY(we.isNull());
        QVERIFY(!remove->isEnabled());

        // A selection made in the tree counts as well.
        f.treeItem(f.junction.granule)->setSelected(true);
        QVERIFY(remove->isEnabled());
        f.edit.tree()->clearSelection();
        QVERIFY(!remove->isEnabled());
    }

    void deletingANodeTakesWhatHangsOnIt()
    {
        EditorFixture f;
        Node *east = f.junction.arms.value(QLatin1Char('E'));
        const int eastId = east->id();
        const int laneId = f.junction.in.value(QLatin1Char('E'))->id();
        const int connectionId = f.junction.connections.value(QStringLiteral("EW"))->id();
        const int itemsBefore = f.net->scene()->items().size();
        f.net->object2item(east)->setSelected(true);
        f.edit.deleteSelected();

        // The node, both edges with a lane and two lines each, and EW and WE.
        QCOMPARE(f.net->scene()->items().size(), itemsBefore - 11);
        QVERIFY(!f.treeItemWithId(eastId));
        QVERIFY(!f.treeItemWithId(laneId));
        QVERIFY(!f.treeItemWithId(connectionId));
        QCOMPARE(f.junction.groups.at(1)->connectionCount(), 0);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("j.hm58a"));
        QVERIFY(f.net->save(path, true, false));
        Network loaded;
        QVERIFY2(loaded.load(path, false), qPrintable(loaded.errorString()));
        QCOMPARE(loaded.objectCount(), f.net->objectCount());
    }

    void deletionsAtRandomKeepTreeAndMapInStep()
    {
        EditorFixture f;
        QRandomGenerator random(58);
        for (int round = 0; round < 30; ++round) {
            const QList<NetObject *> objects = f.net->findChildren<NetObject *>();
            if (objects.isEmpty())
                break;
            f.net->scene()->clearSelection();
            f.edit.tree()->clearSelection();
            f.edit.selectObjectInTree(objects.at(int(random.bounded(objects.size()))));
            f.edit.deleteSelected();

            // Every object left has its row and, when it is drawn, its item; nothing more.
            const QList<NetObject *> remaining = f.net->findChildren<NetObject *>();
            int rows = 0;
            for (QTreeWidgetItemIterator it(f.edit.tree()); *it; ++it)
                ++rows;
            QCOMPARE(rows, remaining.size());
            int drawn = 0;
            for (NetObject *object : remaining) {
                if (GenericGraphicsItem::kindOf(object)) {
                    ++drawn;
                    QVERIFY(f.net->object2item(object));
                }
                QVERIFY(f.treeItem(object));
            }
            int items = 0;
            for (QGraphicsItem *item : f.net->scene()->items())
                items += f.net->item2object(item) ? 1 : 0;
            QCOMPARE(items, drawn);
        }
    }

    void drawingTools()
    {
        EditorFixture f;
        const int nodes = f.net->findChildren<Node *>().size();
        f.edit.setTool(NetEdit::NodeTool);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(60, 60)));
        QCOMPARE(f.net->findChildren<Node *>().size(), nodes + 1);
        Node *added = f.net->findChildren<Node *>().last();
        QVERIFY(QLineF(added->pos(), QPointF(60, 60)).length() < 0.5);

        // An edge from the new node to a new one, with one lane.
        f.edit.setTool(NetEdit::EdgeTool);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(60, 60)));
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(60, 20)));
        const auto edges = f.net->findChildren<Edge *>();
        QCOMPARE(edges.size(), 9);
        QCOMPARE(edges.last()->from(), added);
        QCOMPARE(edges.last()->lanes().size(), 1);

        // A connection from the northern approach into the eastern exit.
        f.edit.setTool(NetEdit::ConnectionTool);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(-1.75, 40)));
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(40, -1.75)));
        const auto connections = f.net->findChildren<Connection *>();
        QCOMPARE(connections.size(), 6);
        QCOMPARE(connections.last()->fromLane(), f.junction.in.value(QLatin1Char('N')));
        QCOMPARE(connections.last()->toLane(), f.junction.out.value(QLatin1Char('E')));
        QCOMPARE(connections.last()->junction(), f.junction.centre);

        f.edit.setTool(NetEdit::CrossWalkTool);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(8, -8)));
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(8, 8)));
        QCOMPARE(f.net->findChildren<CrossWalk *>().size(), 2);
        QCOMPARE(f.net->findChildren<CrossWalk *>().last()->junction(), f.junction.centre);

        f.edit.setTool(NetEdit::DetectorTool);
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPoint(QPointF(1.75, -50)));
        Detector *detector = f.junction.in.value(QLatin1Char('S'))->findChild<Detector *>();
        QVERIFY(detector);
        QVERIFY(qAbs(detector->position() - 50) < 0.5);

        // Another lane on the selected edge, drawn and listed.
        f.net->scene()->clearSelection();
        Edge *north = f.junction.in.value(QLatin1Char('N'))->edge();
        f.net->object2item(north)->setSelected(true);
        f.edit.addLaneToSelection();
        QCOMPARE(north->lanes().size(), 2);
        QVERIFY(f.net->object2item(north->lanes().last()));
        QVERIFY(f.net->object2item(north->lanes().last()->stopline()));
        QVERIFY(f.treeItem(north->lanes().last()));

        // Selected connections make a new group in the junction's granule.
        f.net->scene()->clearSelection();
        f.net->object2item(connections.last())->setSelected(true);
        f.edit.createSignalGroupFromSelection();
        QCOMPARE(f.junction.granule->signalGroups().size(), 5);
        QCOMPARE(f.junction.granule->signalGroups().last()->tlId(), 5);
        QCOMPARE(connections.last()->signalGroups().size(), 1);
    }

    void unavailableServicesAreReported()
    {
        EditorFixture f;
        QSignalSpy log(&f.edit, &NetEdit::logMessage);
        f.edit.downloadGranule(QStringLiteral("12"));
        f.edit.showPanoramaSetupDlg(nullptr);
        QCOMPARE(log.size(), 2);
        QVERIFY(
            log.at(0).at(0).toString().contains(QStringLiteral("junction 12 is not available")));
        QCOMPARE(log.at(0).at(1).value<QtMsgType>(), QtWarningMsg);
        QVERIFY(log.at(1).at(0).toString().contains(QStringLiteral("not available")));
    }

    void downloadJunction_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("logged");
        QTest::newRow("number") << " 12 "
                                << "junction 12 is not available";
        QTest::newRow("empty") << ""
                               << "the junction number is empty";
        QTest::newRow("blank") << "  "
                               << "the junction number is empty";
    }

    // The action says why nothing came, even when no number was typed.
    void downloadJunction()
    {
        QFETCH(QString, typed);
        QFETCH(QString, logged);
        EditorFixture f;
        QSignalSpy log(&f.edit, &NetEdit::logMessage);
        QAction *download = f.edit.dbActions().value(0);
        QVERIFY(download);
        QCOMPARE(download->objectName(), QStringLiteral("downloadJunction"));
        ModalAnswerer answerer;
        answerer.enterText(typed);
        download->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(log.size(), 1);
        QVERIFY2(log.at(0).at(0).toString().contains(logged),
                 qPrintable(log.at(0).at(0).toString()));
        QCOMPARE(log.at(0).at(1).value<QtMsgType>(), QtWarningMsg);
    }

    void layersActionsAndToolbars()
    {
        EditorFixture f;
        f.edit.setLayerVisible(QStringLiteral("detectors"), false);
        QVERIFY(!f.net->layer(QStringLiteral("detectors"))->isVisible());
        QAction *toggle = nullptr;
        for (QAction *action : f.edit.viewActions()) {
            if (action->objectName() == QLatin1String("layer_detectors"))
                toggle = action;
        }
        QVERIFY(toggle);
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QVERIFY(f.net->layer(QStringLiteral("detectors"))->isVisible());
        f.edit.setLayerVisible(QStringLiteral("no such layer"), false);

        QCOMPARE(f.edit.viewActions().size(), f.net->layers().size());
        QCOMPARE(f.edit.dbActions().size(), 2);
        QScopedPointer<QToolBar> input(f.edit.createInputToolbar());
        QScopedPointer<QToolBar> db(f.edit.createDBToolbar());
        QScopedPointer<QToolBar> view(f.edit.createViewToolbar());
        QCOMPARE(input->actions(), f.edit.inputActions());
        QCOMPARE(db->actions(), f.edit.dbActions());
        QCOMPARE(view->actions(), f.edit.viewActions());
    }

    void loadRoundTripThroughTheEditor()
    {
        EditorFixture f;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("j.hm58a"));
        QVERIFY(f.net->save(path, true, false));
        f.edit.clear();
        QCOMPARE(f.edit.tree()->topLevelItemCount(), 0);
        f.net->clear();
        f.edit.beforeLoad();
        QVERIFY(f.net->load(path, false));
        for (QObject *child : f.net->children())
            f.edit.objectAdded(qobject_cast<NetObject *>(child), nullptr);
        f.edit.afterLoad();
        QCOMPARE(f.edit.tree()->topLevelItemCount(), 14);
    }

    // The dialog is as high as its rows and buttons: no empty strip below them.
    void exportDialogFitsItsRows()
    {
        Halm58ga::ExportDlg dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QWidget *buttons = dialog.findChild<QWidget *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        const int bottomMargin = dialog.layout()->contentsMargins().bottom();
        QCOMPARE(dialog.height() - buttons->geometry().bottom() - 1, bottomMargin);
    }

    void exportDialogWritesTheChosenFormat()
    {
        EditorFixture f;
        QTemporaryDir dir;
        QSignalSpy log(&f.edit, &NetEdit::logMessage);
        ModalAnswerer answerer;
        answerer.answerWith([](QWidget *modal) {
            auto *dialog = qobject_cast<Halm58ga::ExportDlg *>(modal);
            if (!dialog)
                return;
            dialog->findChild<QComboBox *>(QStringLiteral("format"))->setCurrentIndex(1);
            dialog->accept();
        });
        f.edit.runExportDialog(dir.path(), dir.path(), 12);
        QVERIFY(answerer.answered());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("12.dot"))));
        QCOMPARE(log.size(), 1);
        QCOMPARE(log.first().at(1).value<QtMsgType>(), QtInfoMsg);
    }

    // The dialog opens on SUMO; accepted as it is, it writes the junction's files with
    // the programs the source gives, notes a program it leaves out, and reports where
    // the netconvert configuration went. Without a junction of the number it says so.
    void exportDialogOpensOnSumo_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("junction")
            << 12
            << QStringList({ QStringLiteral("Program 2 is left out of the SUMO export: dynamic"),
                             QStringLiteral("Network exported to %1") });
        QTest::newRow("other controller")
            << 7 << QStringList({ QStringLiteral("The network has no junction of controller 7") });
    }

    void exportDialogOpensOnSumo()
    {
        QFETCH(int, number);
        QFETCH(QStringList, messages);
        EditorFixture f;
        QTemporaryDir dir;
        Halm58a::SignalPlan fixed;
        fixed.id = QStringLiteral("1");
        fixed.cycle = 2;
        fixed.colours.insert(1, { Halm58a::SignalPlan::Green, Halm58a::SignalPlan::Yellow });
        for (int group : { 2, 4 })
            fixed.colours.insert(group, { Halm58a::SignalPlan::Red, Halm58a::SignalPlan::Red });
        Halm58a::SignalPlan dynamic;
        dynamic.id = QStringLiteral("2");
        dynamic.error = QStringLiteral("dynamic");
        int asked = 0;
        f.edit.setSignalPlanSource([&](int junction) {
            asked = junction;
            return QList<Halm58a::SignalPlan>({ fixed, dynamic });
        });
        QSignalSpy log(&f.edit, &NetEdit::logMessage);
        ModalAnswerer answerer;
        QString format;
        answerer.answerWith([&](QWidget *modal) {
            auto *dialog = qobject_cast<Halm58ga::ExportDlg *>(modal);
            if (!dialog)
                return;
            format = dialog->findChild<QComboBox *>(QStringLiteral("format"))->currentText();
            dialog->accept();
        });
        f.edit.runExportDialog(dir.path(), dir.path(), number);
        QVERIFY(answerer.answered());
        QCOMPARE(format, QStringLiteral("SUMO plain XML (*.netccfg)"));
        QStringList texts;
        for (const QList<QVariant> &message : log)
            texts.append(message.at(0).toString());
        const QString config = QDir::toNativeSeparators(dir.filePath(QStringLiteral("12.netccfg")));
        messages.replaceInStrings(QStringLiteral("%1"), config);
        QCOMPARE(texts, messages);
        QCOMPARE(asked, number);
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("12.tll.xml"))), number == 12);
        if (number == 12) {
            const QByteArray programs
                = TestSupport::readFile(dir.filePath(QStringLiteral("12.tll.xml")));
            QVERIFY(programs.contains("<phase duration=\"1\" state=\"GGrrr\"/>"));
        }
    }
};

PROJECT_TEST(TestNetEdit);
#include "tst_netedit.moc"
