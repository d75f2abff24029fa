#include "../../../libs/halm58a/fourarmjunction.h"
#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/phasedlg.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

QTableWidget *groupTable(QWidget &dialog)
{
    return dialog.findChild<QTableWidget *>(QStringLiteral("sgTable"));
}

QDialogButtonBox *buttons(QWidget &dialog)
{
    return dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
}

bool okUsable(QWidget &dialog)
{
    return buttons(dialog)->isEnabled()
        && buttons(dialog)->button(QDialogButtonBox::Ok)->isEnabled();
}

bool assignable(QTableWidget *table, int row)
{
    return table->item(row, PhaseDlg::AssignedColumn)->flags() & Qt::ItemIsEditable;
}

void setAssigned(QTableWidget *table, int row, bool assigned)
{
    table->item(row, PhaseDlg::AssignedColumn)->setData(Qt::EditRole, assigned);
}

void fillController(CnfController &controller, const QString &family)
{
    CnfNative::initController(controller, family,
                              family == QLatin1String("tiverk") ? "3.18" : QString());
    controller.setProperty("number", 12);
    for (int id = 1; id <= 4; ++id) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->setType(id == 3 ? CnfSignalGroup::Pedestrian : CnfSignalGroup::Traffic);
        controller.addSignalGroup(group);
    }
}

// Matrix values of group 1 towards 2 and 3 (the conflicts of the junction's group 1).
CnfMatrixPtr addMatrix(CnfController &controller, bool safety)
{
    auto matrix = CnfMatrixPtr::create();
    matrix->setId(safety ? 2 : 1);
    matrix->setReleaf(controller.findSG(1), controller.findSG(2), 4);
    matrix->setReleaf(controller.findSG(1), controller.findSG(3), 6);
    controller.addMatrix(matrix, !safety, safety);
    return matrix;
}

CnfPhasePtr newPhase(const QString &id, const QString &name = QString())
{
    auto phase = CnfPhasePtr::create();
    phase->id = id;
    phase->name = name;
    return phase;
}

} // namespace

class TestPhaseDlg : public QObject
{
    Q_OBJECT
private slots:
    // Without safety and conflict matrix nothing is locked and OK stays usable.
    void noMatrixNoLock()
    {
        CnfController controller;
        fillController(controller, QStringLiteral("tiverk"));
        const CnfPhasePtr phase = newPhase(QStringLiteral("1"));
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Phase properties"));
        QTableWidget *table = groupTable(dialog);
        for (int row = 0; row < 4; ++row)
            setAssigned(table, row, true);
        for (int row = 0; row < 4; ++row)
            QVERIFY(assignable(table, row));
        QVERIFY(okUsable(dialog));
    }

    void assigningLocks_data()
    {
        QTest::addColumn<bool>("safety");
        QTest::newRow("safety matrix") << true;
        QTest::newRow("default matrix as conflict matrix") << false;
    }

    // Assigning group 1 locks every group B with a value at releaf(1, B);
    // releasing it unlocks them again.
    void assigningLocks()
    {
        QFETCH(bool, safety);

        CnfController controller;
        fillController(controller, QStringLiteral("tiverk"));
        addMatrix(controller, safety);
        const CnfPhasePtr phase = newPhase(QStringLiteral("1"));
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        QTableWidget *table = groupTable(dialog);
        setAssigned(table, 0, true);
        QVERIFY(!assignable(table, 1));
        QVERIFY(!assignable(table, 2));
        QVERIFY(assignable(table, 3));
        QVERIFY(assignable(table, 0));
        QVERIFY(okUsable(dialog));
        // Locks come from assigned groups only: group 2 ticked alone locks nothing.
        setAssigned(table, 0, false);
        for (int row = 0; row < 4; ++row)
            QVERIFY(assignable(table, row));
        setAssigned(table, 1, true);
        QVERIFY(assignable(table, 0));
    }

    // The menu's Assign works on locked cells: two conflicting groups stay
    // ticked and OK is disabled until one is removed; a forbidden number keeps
    // the box disabled after the conflict has gone.
    void conflictAndValidator()
    {
        CnfController controller;
        fillController(controller, QStringLiteral("tiverk"));
        addMatrix(controller, true);
        controller.addPhase(newPhase(QStringLiteral("3")));
        const CnfPhasePtr phase = newPhase(QStringLiteral("1"));
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        QTableWidget *table = groupTable(dialog);
        table->setCurrentCell(0, PhaseDlg::AssignedColumn);
        table->item(1, PhaseDlg::AssignedColumn)->setSelected(true);
        QVERIFY(QMetaObject::invokeMethod(&dialog, "assignSg"));
        QVERIFY(table->item(0, 0)->data(Qt::EditRole).toBool());
        QVERIFY(table->item(1, 0)->data(Qt::EditRole).toBool());
        QVERIFY(!okUsable(dialog));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("assignedSg"))->text(),
                 QStringLiteral("1(Traffic), 2(Traffic)"));

        dialog.findChild<QLineEdit *>(QStringLiteral("number"))->setText(QStringLiteral("3"));
        table->clearSelection();
        table->item(1, PhaseDlg::AssignedColumn)->setSelected(true);
        QVERIFY(QMetaObject::invokeMethod(&dialog, "releaseSg"));
        QVERIFY(!table->item(1, 0)->data(Qt::EditRole).toBool());
        // The conflict is gone, yet the forbidden number keeps the whole box disabled.
        QVERIFY(buttons(dialog)->button(QDialogButtonBox::Ok)->isEnabledTo(buttons(dialog)));
        QVERIFY(!okUsable(dialog));
        dialog.findChild<QLineEdit *>(QStringLiteral("number"))->setText(QStringLiteral("0"));
        QVERIFY(!okUsable(dialog));
        // An empty id is no id.
        dialog.findChild<QLineEdit *>(QStringLiteral("number"))->setText(QString());
        QVERIFY(!okUsable(dialog));
        dialog.findChild<QLineEdit *>(QStringLiteral("number"))->setText(QStringLiteral("5"));
        QVERIFY(okUsable(dialog));
    }

    void names_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("emptyAllowed");
        QTest::newRow("tiverk") << "tiverk"
                                << "" << true;
        QTest::newRow("tiverkii") << "tiverkii"
                                  << "Phase.2" << true;
        QTest::newRow("ZU_MOLT") << "ZU_MOLT"
                                 << "Phase.2" << false;
    }

    // TIVERK II and ZU_MOLT name a new phase at once; only ZU_MOLT refuses
    // the empty name.
    void names()
    {
        QFETCH(QString, family);
        QFETCH(QString, name);
        QFETCH(bool, emptyAllowed);

        CnfController controller;
        fillController(controller, family);
        controller.addPhase(newPhase(QStringLiteral("1"), QStringLiteral("Phase.1")));
        const CnfPhasePtr phase = newPhase(QStringLiteral("2"));
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        QCOMPARE(phase->name, name);
        auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("name"));
        edit->setText(QStringLiteral("Phase.1"));
        QVERIFY(!okUsable(dialog)); // another phase's name
        edit->setText(QString());
        QCOMPARE(okUsable(dialog), emptyAllowed);
    }

    void durations_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("edited"); // minimum to 12, maximum to "not set"
        QTest::addColumn<int>("storedMax");
        QTest::addColumn<int>("minTime");
        QTest::addColumn<int>("maxTime");
        QTest::newRow("tiverk edited") << "tiverk" << true << 60 << 12 << -1;
        QTest::newRow("tiverk untouched") << "tiverk" << false << 60 << 10 << 60;
        // Beyond the boxes' range: shown as 240, kept while left untouched.
        QTest::newRow("tiverk untouched beyond the box") << "tiverk" << false << 250 << 10 << 250;
        QTest::newRow("tiverk edited beyond the box") << "tiverk" << true << 250 << 12 << -1;
        QTest::newRow("tiverkii hides both") << "tiverkii" << true << 60 << 10 << 60;
        QTest::newRow("tiverkii untouched") << "tiverkii" << false << 60 << 10 << 60;
    }

    // A "not set" duration is stored as -1; a box the family hides, or one left
    // untouched, keeps the phase's value. So does the name a family hides.
    void durations()
    {
        QFETCH(QString, family);
        QFETCH(bool, edited);
        QFETCH(int, storedMax);
        QFETCH(int, minTime);
        QFETCH(int, maxTime);

        CnfController controller;
        fillController(controller, family);
        const CnfPhasePtr phase = newPhase(QStringLiteral("1"), QStringLiteral("Main"));
        phase->minTime = 10;
        phase->maxTime = storedMax;
        phase->signalGroups << controller.findSG(4);
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        if (edited) {
            dialog.findChild<QSpinBox *>(QStringLiteral("minTime"))->setValue(12);
            dialog.findChild<QSpinBox *>(QStringLiteral("maxTime"))->setValue(-1);
        }
        setAssigned(groupTable(dialog), 1, true);
        dialog.saveToPhase();
        QCOMPARE(phase->minTime, minTime);
        QCOMPARE(phase->maxTime, maxTime);
        QCOMPARE(phase->name, QStringLiteral("Main"));
        QCOMPARE(phase->signalGroups,
                 QList<CnfSignalGroupPtr>({ controller.findSG(2), controller.findSG(4) }));
    }

    // OK is refused while the number field holds an id the phase cannot
    // take: the dialog stays open with the reason, and nothing changes. A
    // ZU_MOLT stage takes only a number, also when nothing else names it.
    void okRefusesAnIdThePhaseCannotTake_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("listed"); // the phase is among the controller's
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        const QString range = QStringLiteral(": the id must be a number from 1 to 65535");
        QTest::newRow("ZU_MOLT stage, a number") << "ZU_MOLT" << true << "6" << QString();
        QTest::newRow("ZU_MOLT stage, text")
            << "ZU_MOLT" << true << "S1"
            << QStringLiteral("A ZU_MOLT file writes the id of phase 5 as a number") + range;
        QTest::newRow("ZU_MOLT new stage, text")
            << "ZU_MOLT" << false << "S1"
            << QStringLiteral("A ZU_MOLT file writes the id of a phase as a number") + range;
        QTest::newRow("TIVERK II phase, text") << "tiverkii" << true << "S1" << QString();
    }

    void okRefusesAnIdThePhaseCannotTake()
    {
        QFETCH(QString, family);
        QFETCH(bool, listed);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        CnfController controller;
        fillController(controller, family);
        const CnfPhasePtr phase = newPhase(QStringLiteral("5"), QStringLiteral("Main"));
        if (listed)
            QVERIFY(controller.addPhase(phase));
        PhaseDlg dialog(nullptr, phase, &controller, nullptr);
        dialog.findChild<QLineEdit *>(QStringLiteral("number"))->setText(typed);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        ModalAnswerer answerer;
        answerer.pressButton(QMessageBox::Ok);
        buttons(dialog)->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(answerer.seenText(), refusal);
        QCOMPARE(accepted.count(), refusal.isEmpty() ? 1 : 0);
        QCOMPARE(phase->id, QStringLiteral("5"));
    }

    // The current row's group is drawn green; loading clears the scene's
    // selection, and no mark outlives the dialog.
    void highlight()
    {
        QGraphicsScene scene;
        auto *network = new Halm58ga::Networkg(&scene);
        FourArmJunction junction(*network);
        Halm58ga::GenericGraphicsItem *north
            = network->object2item(junction.connections.value(QStringLiteral("NS")));
        Halm58ga::GenericGraphicsItem *crossing = network->object2item(junction.crossWalk);
        QVERIFY(north && crossing);
        north->setSelected(true);
        CnfController controller;
        fillController(controller, QStringLiteral("tiverk"));
        {
            PhaseDlg dialog(nullptr, newPhase(QStringLiteral("1")), &controller, network);
            QVERIFY(scene.selectedItems().isEmpty());
            QTableWidget *table = groupTable(dialog);
            table->setCurrentCell(0, 1);
            QCOMPARE(north->highlightColor(), QColor(Qt::green));
            QVERIFY(!north->isSelected());
            table->setCurrentCell(2, 1);
            QVERIFY(!north->highlightColor().isValid());
            QCOMPARE(crossing->highlightColor(), QColor(Qt::green));
        }
        QVERIFY(!crossing->highlightColor().isValid());
    }
};

PROJECT_TEST(TestPhaseDlg);
#include "tst_phasedlg.moc"
