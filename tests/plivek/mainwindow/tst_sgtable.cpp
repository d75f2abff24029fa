#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnftransition.h"
#include "documentfixtures.h"
#include "elementfixtures.h"
#include "halm58a/connection.h"
#include "halm58a/granule.h"
#include "halm58a/network.h"
#include "halm58a/signalgroup.h"
#include "modalanswerer.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace WindowTesting;
using namespace DocumentFixtures;

namespace {

QTableWidget *sgTable(MainWindow &window)
{
    return table(window, "sgTable");
}

QList<int> groupIds(const CnfController &controller)
{
    QList<int> ids;
    for (const CnfSignalGroupPtr &group : controller.signalGroups())
        ids << group->id;
    return ids;
}

void selectRows(MainWindow &window, const QList<int> &rows)
{
    QTableWidget *table = sgTable(window);
    table->clearSelection();
    for (int row : rows)
        table->item(row, 0)->setSelected(true);
}

Halm58a::SignalGroup *drawing(MainWindow &window, int id)
{
    Halm58a::Network *network = window.document().network();
    return network ? network->findChild<Halm58a::SignalGroup *>(QString::number(id)) : nullptr;
}

void triggerAdd(MainWindow &window)
{
    auto *action = child<QAction>(window, "sgAdd");
    action->setEnabled(true);
    action->trigger();
}

} // namespace

class TestSgTable : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    // A controller of the family, number 12, with the groups; over the
    // four-arm junction (groups 1 to 4 drawn) when withNetwork.
    void load(MainWindow &window, const QString &type, const QList<int> &groups, bool withNetwork)
    {
        CnfController controller;
        initController(controller, type,
                       type == QLatin1String("tiverk") ? QStringLiteral("3.18") : QString(), 12,
                       groups);
        const QString path = dir.filePath(QStringLiteral("groups.xcnf"));
        QVERIFY(writeContainer(path, controller, withNetwork ? fourArmNetwork() : QByteArray()));
        window.loadDocument(path);
        QCOMPARE(groupIds(window.document().controller()), groups);
        QCOMPARE(window.document().isNetworkEmpty(), !withNetwork);
    }

private slots:
    void initTestCase() { actAsPlivek(dir); }

    void init() { clearSettings(); }

    // The smallest free number is proposed; with a network the new group is
    // drawn under the controller's granule.
    void add_data()
    {
        QTest::addColumn<bool>("withNetwork");
        QTest::newRow("without network") << false;
        QTest::newRow("with network") << true;
    }

    void add()
    {
        QFETCH(bool, withNetwork);
        MainWindow window;
        load(window, QStringLiteral("tiverkii"), { 1, 2, 4 }, withNetwork);
        if (withNetwork)
            delete drawing(window, 3);
        ModalAnswerer answerer;
        int proposed = 0;
        QString name;
        answerer.answerWith([&](QWidget *modal) {
            proposed = modal->findChild<QSpinBox *>(QStringLiteral("number"))->value();
            name = modal->findChild<QLineEdit *>(QStringLiteral("name"))->text();
            modal->findChild<QComboBox *>(QStringLiteral("type"))
                ->setCurrentIndex(CnfSignalGroup::Tram);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        triggerAdd(window);
        QVERIFY(answerer.answered());
        QCOMPARE(answerer.seenTitle(), QStringLiteral("Properties of signal group"));
        QCOMPARE(proposed, 3);
        QCOMPARE(name, QStringLiteral("Group.1"));
        const CnfSignalGroupPtr group = window.document().controller().findSG(3);
        QVERIFY(group);
        QCOMPARE(group->type, int(CnfSignalGroup::Tram));
        QCOMPARE(sgTable(window)->rowCount(), 4);
        QCOMPARE(cellText(sgTable(window), 3, 2),
                 CnfSignalGroup::type2String(CnfSignalGroup::Tram, true, false));
        QVERIFY(window.document().isChanged());
        Halm58a::SignalGroup *drawn = drawing(window, 3);
        QCOMPARE(drawn != nullptr, withNetwork);
        if (drawn)
            QCOMPARE(drawn->parent(), static_cast<QObject *>(window.findControllerGranule()));
    }

    void addLimitAndCancel()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const int max = controller.getMaxSgCount();
        for (int id = 1; id <= max; ++id) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            controller.addSignalGroup(group);
        }
        ModalAnswerer box;
        box.pressButton(QMessageBox::Ok);
        triggerAdd(window);
        QVERIFY(box.answered());
        QCOMPARE(box.seenClassName(), QStringLiteral("QMessageBox"));
        QCOMPARE(
            box.seenText(),
            QStringLiteral(
                "Unable to add new signal group. Maximum numbers for given type of controller: %1")
                .arg(max));
        QCOMPARE(controller.signalGroups().size(), max);

        controller.removeSignalGroup(max);
        ModalAnswerer cancel;
        cancel.reject();
        triggerAdd(window);
        QVERIFY(cancel.answered());
        QCOMPARE(controller.signalGroups().size(), max - 1);
        QVERIFY(!window.document().isChanged());
    }

    void deleteGroups()
    {
        MainWindow window;
        load(window, QStringLiteral("tiverk"), { 1, 2, 3, 4 }, true);
        selectRows(window, { 0, 1, 2 });
        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QVERIFY(no.answered());
        QCOMPARE(no.seenTitle(), QStringLiteral("Removing"));
        QCOMPARE(no.seenText(),
                 QStringLiteral("Following signal groups will be deleted:\n1,2,3\n"
                                "Connections that lose their signal: 38,39,40,41\n"
                                "Crosswalks that lose their signal: 43"));
        QCOMPARE(groupIds(window.document().controller()), QList<int>({ 1, 2, 3, 4 }));

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QCOMPARE(groupIds(window.document().controller()), QList<int>({ 4 }));
        QCOMPARE(sgTable(window)->rowCount(), 1);
        QVERIFY(!drawing(window, 1) && !drawing(window, 2) && !drawing(window, 3));
        QVERIFY(drawing(window, 4));
        QVERIFY(window.document().isChanged());
    }

    // The question names the connections and crosswalks of the deleted groups that no
    // remaining group of the controller drives, each once. On the four-arm junction group 1
    // drives connections 38 and 39, group 2 40 and 41, group 3 crosswalk 43 and group 4
    // connection 42; connection 38 is also given to the drawing of group alsoDrivenBy
    // (9: drawn, but no group of the controller).
    void deleteNamesTheLinksThatLoseTheirSignal_data()
    {
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<int>("alsoDrivenBy");
        QTest::addColumn<QString>("question");
        const QString groups = QStringLiteral("Following signal groups will be deleted:\n");
        QTest::newRow("connections")
            << QList<int> { 4 } << 0 << groups + "4\nConnections that lose their signal: 42";
        QTest::newRow("a crosswalk")
            << QList<int> { 3 } << 0 << groups + "3\nCrosswalks that lose their signal: 43";
        QTest::newRow("a connection another group drives")
            << QList<int> { 1 } << 2 << groups + "1\nConnections that lose their signal: 39";
        QTest::newRow("a connection of two deleted groups")
            << QList<int> { 1, 2 } << 2
            << groups + "1,2\nConnections that lose their signal: 38,39,40,41";
        QTest::newRow("a connection also drawn for a group the controller lacks")
            << QList<int> { 1 } << 9 << groups + "1\nConnections that lose their signal: 38,39";
    }

    void deleteNamesTheLinksThatLoseTheirSignal()
    {
        QFETCH(QList<int>, deleted);
        QFETCH(int, alsoDrivenBy);
        QFETCH(QString, question);
        MainWindow window;
        load(window, QStringLiteral("tiverk"), { 1, 2, 3, 4 }, true);
        Halm58a::Network *network = window.document().network();
        if (alsoDrivenBy) {
            Halm58a::SignalGroup *other = drawing(window, alsoDrivenBy);
            if (!other) {
                other = new Halm58a::SignalGroup;
                other->setTlId(alsoDrivenBy);
                network->addItem(other, window.findControllerGranule());
            }
            for (Halm58a::Connection *connection : network->findChildren<Halm58a::Connection *>()) {
                if (connection->id() == 38)
                    other->addConnection(connection);
            }
        }
        QList<int> rows;
        for (int id : deleted)
            rows << id - 1;
        selectRows(window, rows);
        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QVERIFY(no.answered());
        QCOMPARE(no.seenText(), question);
        QCOMPARE(groupIds(window.document().controller()), QList<int>({ 1, 2, 3, 4 }));
    }

    // The question names the matrices, the phases holding stored transitions
    // and the programs whose timelines lose the group's values; Yes drops
    // them and nothing of the other groups.
    void deleteNamesTheStoredValues()
    {
        MainWindow window;
        load(window, QStringLiteral("tiverk"), { 1, 2, 3 }, false);
        CnfController &controller = window.document().controller();
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(7);
        matrix->setReleaf(1, 2, 3.0);
        matrix->setReleaf(2, 3, 4.0);
        controller.addMatrix(matrix, false, false);
        auto phase = CnfPhasePtr::create();
        phase->id = QStringLiteral("4");
        auto transition = CnfTransitionPtr::create();
        transition->greenEnd = { { 1, 3 }, { 2, 5 } };
        phase->transitions.insert(QStringLiteral("6"), transition);
        controller.addPhase(phase);
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("9");
        program->setTimelineData(1, 0, 1);
        program->setTimelineData(3, 0, 1);
        controller.addProgram(program);
        selectRows(window, { 0 });

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QCOMPARE(yes.seenText(),
                 QStringLiteral("Following signal groups will be deleted:\n1"
                                "\nAfter removal, their values will be deleted from the "
                                "following matrices:\n7"
                                "\nAfter removal, their times will be deleted from the "
                                "transitions stored in the following phases:\n4"
                                "\nAfter removal, their timelines will be deleted from the "
                                "following programs:\n9"));
        QCOMPARE(groupIds(controller), QList<int>({ 2, 3 }));
        QCOMPARE(matrix->content().size(), 1);
        QCOMPARE(matrix->releaf(2, 3), 4.0);
        QCOMPARE(transition->greenEnd, (QMap<int, int> { { 2, 5 } }));
        QCOMPARE(program->timelineGroups(), QList<int>({ 3 }));
    }

    // The TIVERK 3.18 sample: program 1 (local fixed time) runs 107 s, the
    // coordinated program 2 114 s; group 1 makes the change into phase 2 2 s
    // longer, group 5 the one into phase 1 5 s. The question names both
    // programs; No changes nothing; Yes keeps program 2's cycle (its step
    // after the shorter change runs longer) and shortens program 1's, also in
    // the saved file.
    void deleteNamesTheCyclesThatChange_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("fixedTimeCycle");
        QTest::addColumn<QList<int>>("coordinatedLengths");
        const QString kept = QStringLiteral(
            "\nAfter removal, the following coordinated programs keep their cycles; the steps "
            "after the shorter changes run longer:\n2 (114 s)");
        const QString shorter = QStringLiteral(
            "\nAfter removal, the cycles of the following programs will be shorter:\n");
        QTest::newRow("group 1") << 1 << kept + shorter + "1 (107 s -> 105 s)" << 105
                                 << QList<int> { 14, 50, 25 };
        QTest::newRow("group 5") << 5 << kept + shorter + "1 (107 s -> 102 s)" << 102
                                 << QList<int> { 12, 55, 25 };
        QTest::newRow("group 3: its twin keeps the changes")
            << 3 << QString() << 107 << QList<int> { 12, 50, 25 };
    }

    void deleteNamesTheCyclesThatChange()
    {
        QFETCH(int, group);
        QFETCH(QString, lines);
        QFETCH(int, fixedTimeCycle);
        QFETCH(QList<int>, coordinatedLengths);
        MainWindow window;
        const QString path = ElementFixtures::loadTiverkNetworkSample(window, dir);
        QVERIFY(!path.isEmpty());
        window.updateSgTable(0);
        const auto lengths = [](const CnfProgramPtr &program) {
            QList<int> found;
            for (const CnfPhaseDefPtr &step : program->phases())
                found << step->length();
            return found;
        };
        const CnfController &controller = window.document().controller();
        const CnfProgramPtr coordinated = controller.findProgram(QStringLiteral("2"));
        const QList<int> before = lengths(coordinated);
        QVERIFY(ElementFixtures::selectRowOfId(sgTable(window), group));

        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QVERIFY(no.answered());
        if (lines.isEmpty())
            QVERIFY2(!no.seenText().contains(QStringLiteral("cycle")), qPrintable(no.seenText()));
        else
            QVERIFY2(no.seenText().contains(lines), qPrintable(no.seenText()));
        QCOMPARE(lengths(coordinated), before);
        QCOMPARE(controller.findProgram(QStringLiteral("1"))->cycle(true), 107);

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QVERIFY(yes.answered());
        QVERIFY(!controller.findSG(group));
        MainWindow reopened;
        QVERIFY(ElementFixtures::saveAndReopenSample(window, path, reopened));
        const CnfController &saved = reopened.document().controller();
        QCOMPARE(saved.findProgram(QStringLiteral("1"))->cycle(true), fixedTimeCycle);
        QCOMPARE(saved.findProgram(QStringLiteral("2"))->cycle(true), 114);
        QCOMPARE(lengths(saved.findProgram(QStringLiteral("2"))), coordinatedLengths);
    }

    // Every copy is numbered after the one before; names, type, properties and
    // interstates follow, devices and drawings do not.
    void duplicate()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const QStringList names = { "Group.7", "Left", "Group.8", "x" };
        const QList<int> ids = { 3, 7, 4, 5 };
        for (int i = 0; i < ids.size(); ++i) {
            auto group = CnfSignalGroupPtr::create();
            group->id = ids.at(i);
            group->name = names.at(i);
            group->setType(CnfSignalGroup::Pedestrian);
            controller.addSignalGroup(group);
        }
        const CnfSignalGroupPtr source = controller.findSG(3);
        source->setProperty("minGreen", 7);
        source->setInterstate(1, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        auto key = CnfPowerDevicePtr::create();
        key->type = CnfPowerDevice::Key;
        controller.addPowerDevice(key);
        source->assignDevice(key);
        window.updateSgTable();
        selectRows(window, { 1, 0 });
        child<QAction>(*sgTable(window), "sgDuplicateItems")->trigger();
        QCOMPARE(groupIds(controller), QList<int>({ 3, 7, 4, 5, 6, 8 }));
        const CnfSignalGroupPtr first = controller.findSG(6);
        QCOMPARE(first->name, QStringLiteral("Group.9"));
        QCOMPARE(controller.findSG(8)->name, QStringLiteral("Left_1"));
        QCOMPARE(first->type, int(CnfSignalGroup::Pedestrian));
        QCOMPARE(first->property("minGreen").toInt(), 7);
        QCOMPARE(first->interstate(1), source->interstate(1));
        QVERIFY(first->devices.isEmpty());
        first->setInterstate(1, QByteArray(6, '\0'));
        QCOMPARE(source->interstate(1), QByteArray("\x01\x02\x03\x04\x05\x06", 6));
        QCOMPARE(sgTable(window)->rowCount(), 6);
        QVERIFY(window.document().isChanged());
    }

    void sortAndReorder()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (int id : { 5, 2, 9 }) {
            auto group = CnfSignalGroupPtr::create();
            group->id = id;
            controller.addSignalGroup(group);
        }
        window.updateSgTable();
        child<QAction>(*sgTable(window), "sortSgItems")->trigger();
        QCOMPARE(groupIds(controller), QList<int>({ 2, 5, 9 }));
        QCOMPARE(cellText(sgTable(window), 0, 0), QStringLiteral("2"));
        QVERIFY(window.document().isChanged());
        window.setChanged(false);
        child<QAction>(*sgTable(window), "sortSgItems")->trigger();
        QVERIFY(window.document().isChanged());

        // A repeated id refuses the new order.
        window.setChanged(false);
        sgTable(window)->item(2, 0)->setText(QStringLiteral("2"));
        QMetaObject::invokeMethod(sgTable(window), "rowOrderChanged");
        QCOMPARE(groupIds(controller), QList<int>({ 2, 5, 9 }));
        QVERIFY(!window.document().isChanged());
        // A moved row is followed.
        sgTable(window)->item(0, 0)->setText(QStringLiteral("9"));
        sgTable(window)->item(2, 0)->setText(QStringLiteral("2"));
        QMetaObject::invokeMethod(sgTable(window), "rowOrderChanged");
        QCOMPARE(groupIds(controller), QList<int>({ 9, 5, 2 }));
        QVERIFY(window.document().isChanged());
    }

    void assignedKeysAndConnections_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("keys");
        QTest::newRow("TIVERK II by id") << "tiverkii"
                                         << "3,4";
        QTest::newRow("ZU_MOLT by id") << "ZU_MOLT"
                                       << "3,4";
        QTest::newRow("TIVERK by address") << "tiverk"
                                           << "20,21";
        QTest::newRow("adapter by address") << "adapter"
                                            << "20,21";
    }

    void assignedKeysAndConnections()
    {
        QFETCH(QString, type);
        QFETCH(QString, keys);
        MainWindow window;
        load(window, type, { 1, 2, 3, 4 }, true);
        CnfController &controller = window.document().controller();
        for (int id : { 3, 4 }) {
            auto device = CnfPowerDevicePtr::create();
            device->id = id;
            device->address = id + 17;
            device->type = CnfPowerDevice::Key;
            controller.addPowerDevice(device);
            controller.findSG(1)->assignDevice(device);
        }
        window.updateSgTable(1);
        QCOMPARE(cellText(sgTable(window), 0, 3), keys);
        QCOMPARE(cellText(sgTable(window), 0, 4), QStringLiteral("38,39"));
        QCOMPARE(cellText(sgTable(window), 2, 4), QStringLiteral("43"));
    }

    // A new number moves the drawing with it, and the matrix values.
    void propertiesMoveDrawing()
    {
        MainWindow window;
        load(window, QStringLiteral("tiverk"), { 1, 2, 3, 4 }, true);
        auto conflicts = CnfMatrixPtr::create();
        conflicts->setReleaf(2, 3, 1.0);
        conflicts->setReleaf(1, 2, 1.0);
        window.document().controller().addMatrix(conflicts, true, true);
        selectRows(window, { 1 });
        ModalAnswerer answerer;
        answerer.answerWith([](QWidget *modal) {
            modal->findChild<QSpinBox *>(QStringLiteral("number"))->setValue(12);
            modal->findChild<QLineEdit *>(QStringLiteral("name"))->setText(QStringLiteral("South"));
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        });
        window.sgItemProperties();
        QVERIFY(answerer.answered());
        QCOMPARE(groupIds(window.document().controller()), QList<int>({ 1, 12, 3, 4 }));
        QCOMPARE(window.document().controller().findSG(12)->name, QStringLiteral("South"));
        QVERIFY(!drawing(window, 2));
        QVERIFY(drawing(window, 12));
        QCOMPARE(drawing(window, 12)->tlId(), 12);
        QCOMPARE(cellText(sgTable(window), 1, 4), QStringLiteral("40,41"));
        QCOMPARE(conflicts->releaf(12, 3), 1.0);
        QCOMPARE(conflicts->releaf(1, 12), 1.0);
        QVERIFY(std::isnan(conflicts->releaf(2, 3)) && std::isnan(conflicts->releaf(1, 2)));
        QVERIFY(window.document().isChanged());
    }

    // A file whose matrix holds values of group 4, which it does not have: the
    // load names them; Add proposes 5 and refuses 4, a new id 4 is refused,
    // each with a message naming the matrix; Duplicate skips 4; the values
    // stay as they are and the saved file keeps them.
    void valuesWithoutGroup()
    {
        const QString path = dir.filePath(QStringLiteral("stray.cnf"));
        QFile::remove(path);
        QVERIFY(QFile::copy(TestSupport::dataPath("cnf/matrix_values_without_group.cnf"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        MainWindow window;
        window.loadDocument(path);
        CnfController &controller = window.document().controller();
        QCOMPARE(groupIds(controller), QList<int>({ 1, 2, 3 }));
        QVERIFY(messageTexts(window).contains(
            QStringLiteral("Matrix 1 holds values of signal groups that do not exist: 4; they "
                           "are kept as they are")));
        const QString refused = QStringLiteral(
            "Matrix 1 holds values of signal group 4, which does not exist; a group given id 4 "
            "would take them over: choose another id");
        const CnfMatrixPtr conflicts = controller.findMatrix(1);
        QVERIFY(conflicts);
        const QList<CnfMatrixCell> cells = conflicts->cellsInListOrder();
        const auto sameCells = [&]() {
            const QList<CnfMatrixCell> now = conflicts->cellsInListOrder();
            if (now.size() != cells.size())
                return false;
            for (int i = 0; i < now.size(); ++i) {
                if (now.at(i).aId != cells.at(i).aId || now.at(i).bId != cells.at(i).bId)
                    return false;
            }
            return true;
        };

        ModalAnswerer error;
        ModalAnswerer answerer;
        int proposed = 0;
        const auto giveId4 = [&](QWidget *modal) {
            proposed = modal->findChild<QSpinBox *>(QStringLiteral("number"))->value();
            modal->findChild<QSpinBox *>(QStringLiteral("number"))->setValue(4);
            error.pressButton(QMessageBox::Ok);
            modal->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        };
        answerer.answerWith(giveId4);
        triggerAdd(window);
        QVERIFY(answerer.answered());
        QCOMPARE(proposed, 5);
        QVERIFY(error.answered());
        QCOMPARE(error.seenText(), refused);
        QCOMPARE(groupIds(controller), QList<int>({ 1, 2, 3 }));

        selectRows(window, { 2 });
        answerer.answerWith(giveId4);
        window.sgItemProperties();
        QVERIFY(answerer.answered());
        QCOMPARE(proposed, 3);
        QVERIFY(error.answered());
        QCOMPARE(error.seenText(), refused);
        QCOMPARE(groupIds(controller), QList<int>({ 1, 2, 3 }));
        QVERIFY(sameCells());

        selectRows(window, { 2 });
        child<QAction>(*sgTable(window), "sgDuplicateItems")->trigger();
        QCOMPARE(groupIds(controller), QList<int>({ 1, 2, 3, 5 }));
        QVERIFY(sameCells());

        child<QAction>(window, "actionSave")->trigger();
        QVERIFY(messageTexts(window).contains(QStringLiteral("Saving complete")));
        QVERIFY(TestSupport::readFile(path).contains("<Cell a=\"1\" b=\"4\" value=\"1\"/>"));
    }

    void runWithoutNetwork()
    {
        MainWindow window;
        load(window, QStringLiteral("tiverk"), { 1, 2 }, false);
        QCOMPARE(cellText(sgTable(window), 0, 4), QString());
        selectRows(window, { 0 });
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*sgTable(window), "sgDelete")->trigger();
        QCOMPARE(groupIds(window.document().controller()), QList<int>({ 2 }));
    }
};

PROJECT_TEST(TestSgTable);
#include "tst_sgtable.moc"
