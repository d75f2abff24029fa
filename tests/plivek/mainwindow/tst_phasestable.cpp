#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "common/widgets/rowdragdrop.h"
#include "documentfixtures.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/phasedlg.h"
#include "plivek/mainwindow/phasestable.h"
#include "plivek/mainwindow/programstable.h"
#include "plivek/programs/programdlg.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace WindowTesting;

namespace {

CnfPhasePtr addPhase(CnfController &controller, const QString &id, const QList<int> &groups = {})
{
    auto phase = CnfPhasePtr::create();
    phase->id = id;
    for (int group : groups)
        phase->signalGroups << controller.findSG(group);
    controller.addPhase(phase);
    return phase;
}

// Enabled for the test: the window has no document loaded from a file.
void triggerAdd(MainWindow &window)
{
    auto *action = window.findChild<QAction *>(QStringLiteral("phaseAdd"));
    action->setEnabled(true);
    action->trigger();
}

QStringList phaseIds(const CnfController &controller)
{
    QStringList ids;
    for (const CnfPhasePtr &phase : controller.phases())
        ids << phase->id;
    return ids;
}

// The texts of the context menu that the window opens, read while it is up
// and then closed.
QStringList contextMenuTexts(MainWindow &window)
{
    QStringList texts;
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &texts] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text()
                        + (action->data().isValid() ? " " + action->data().toStringList().join("/")
                                                    : QString());
        }
        poll->stop();
        menu->close();
    });
    poll->start(10);
    QMetaObject::invokeMethod(&window, "on_phasesTable_customContextMenuRequested",
                              Q_ARG(QPoint, QPoint()));
    delete poll;
    return texts;
}

// A writable copy, named `name`, of the sample with a road network.
QString writableSample(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile::remove(path);
    QFile::copy(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.xcnf")), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// "phase length" of each step a program's record names, read with the
// controller's phase list.
QStringList recordSteps(const CnfController &controller, const CnfProgram &program)
{
    QList<CnfProgramRecord::Step> steps;
    if (!CnfProgramRecord::readSteps(controller.tiverkLayout(), program.data(), &steps))
        return {};
    const QStringList ids = CnfProgramRecord::phaseIds(controller, program);
    QStringList texts;
    for (const CnfProgramRecord::Step &step : qAsConst(steps))
        texts << QStringLiteral("%1 %2").arg(ids.value(step.phase)).arg(step.duration);
    return texts;
}

// The program dialog's step sequence: the nested table of its parameter table.
QTableWidget *sequenceTable(const ProgramDlg &dialog)
{
    auto *tiverk = dialog.findChild<QTableWidget *>(QStringLiteral("tiverkTable"));
    QTableWidget *sequence = nullptr;
    for (int column = 0; column < tiverk->columnCount() && !sequence; ++column)
        sequence = qobject_cast<QTableWidget *>(tiverk->cellWidget(0, column));
    return sequence;
}

// The phases the dialog's diagram page shows in its first row, up to the
// first empty cell; the dialog goes back to its table.
QStringList diagramPhases(ProgramDlg &dialog)
{
    auto *show = dialog.findChild<QPushButton *>(QStringLiteral("showDiagramm"));
    show->setChecked(true);
    auto *diagram = dialog.findChild<QTableWidget *>(QStringLiteral("phaseTable"));
    QStringList ids;
    for (int column = 0; column < diagram->columnCount() && diagram->item(0, column)
         && !diagram->item(0, column)->text().isEmpty();
         ++column)
        ids << diagram->item(0, column)->text();
    show->setChecked(false);
    return ids;
}

QStringList stepIds(const CnfProgram &program)
{
    QStringList ids;
    for (const CnfPhaseDefPtr &def : program.phases())
        ids << def->id();
    return ids;
}

} // namespace

class TestPhasesTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    // Numeric sort, non-numbers first in their order; a repeated id refuses a
    // dragged order, a plain move is stored.
    void sortAndRowOrder()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const QString &id : { QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("x") })
            addPhase(controller, id);
        window.updatePhasesTable();
        QTableWidget *phases = table(window, "phasesTable");
        child<QAction>(*phases, "sortPhaseItems")->trigger();
        QCOMPARE(phaseIds(controller), QStringList({ "x", "9", "10" }));
        QCOMPARE(cellText(phases, 0, 0), QStringLiteral("x"));
        QVERIFY(window.document().isChanged());

        window.setChanged(false);
        phases->item(0, 0)->setText(QStringLiteral("9"));
        QMetaObject::invokeMethod(phases, "rowOrderChanged");
        QCOMPARE(phaseIds(controller), QStringList({ "x", "9", "10" }));
        QVERIFY(!window.document().isChanged());
        phases->item(1, 0)->setText(QStringLiteral("x"));
        QMetaObject::invokeMethod(phases, "rowOrderChanged");
        QCOMPARE(phaseIds(controller), QStringList({ "9", "x", "10" }));
        QVERIFY(window.document().isChanged());
    }

    // Each group as "id(short type)", in the phase's order.
    void signalGroupColumn()
    {
        CnfController controller;
        DocumentFixtures::initController(controller, QStringLiteral("tiverk"),
                                         QStringLiteral("3.18"), 1, { 7, 2, 3 });
        controller.findSG(2)->setType(CnfSignalGroup::Pedestrian);
        controller.findSG(3)->setType(CnfSignalGroup::Tram);
        addPhase(controller, QStringLiteral("1"), { 7 });
        addPhase(controller, QStringLiteral("2"), { 3, 7, 2 });
        addPhase(controller, QStringLiteral("3"));
        QTableWidget table(0, 3);
        PhasesTable::fill(&table, controller);
        QCOMPARE(table.rowCount(), 3);
        QCOMPARE(cellText(&table, 0, 2), QStringLiteral("7(T)"));
        QCOMPARE(cellText(&table, 1, 2), QStringLiteral("3(Tr),7(T),2(P)"));
        QCOMPARE(cellText(&table, 2, 2), QString());
    }

    // Without a network the phase is added at once, with the smallest free
    // id; only a "tiverk" phase gets the durations 10 and 60.
    void addWithoutNetwork_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("minTime");
        QTest::addColumn<int>("maxTime");
        QTest::newRow("tiverk") << "tiverk" << 10 << 60;
        QTest::newRow("adapter") << "adapter" << -1 << -1;
        QTest::newRow("tiverkii") << "tiverkii" << -1 << -1;
    }

    void addWithoutNetwork()
    {
        QFETCH(QString, family);
        QFETCH(int, minTime);
        QFETCH(int, maxTime);
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, family,
                                  family == "tiverk" ? QStringLiteral("3.18") : QString());
        addPhase(controller, QStringLiteral("1"));
        addPhase(controller, QStringLiteral("3"));
        window.updatePhasesTable();
        triggerAdd(window);
        QCOMPARE(phaseIds(controller), QStringList({ "1", "3", "2" }));
        const CnfPhasePtr added = controller.findPhase(QStringLiteral("2"));
        QCOMPARE(added->minTime, minTime);
        QCOMPARE(added->maxTime, maxTime);
        QCOMPARE(cellText(table(window, "phasesTable"), 2, 0), QStringLiteral("2"));
        QVERIFY(window.document().isChanged());
    }

    void addRefusedAtTheLimit()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const int max = controller.getMaxPhaseCount();
        for (int id = 1; id <= max; ++id)
            addPhase(controller, QString::number(id));
        ModalAnswerer ok;
        ok.pressButton(QMessageBox::Ok);
        triggerAdd(window);
        QCOMPARE(controller.phases().size(), max);
        QVERIFY(messageTexts(window).contains(
            QStringLiteral(
                "Unable to add new phase. Maximum numbers for given type of controller: %1")
                .arg(max)));
        QVERIFY(!window.document().isChanged());
    }

    // With a network the dialog decides: OK adds what it holds, Cancel adds
    // nothing; Properties writes into the stored phase.
    void addAndEditWithNetwork()
    {
        CnfController source;
        DocumentFixtures::initController(source, QStringLiteral("tiverk"), QStringLiteral("3.18"),
                                         12, { 1, 2, 3, 4 });
        addPhase(source, QStringLiteral("1"), { 1 });
        const QString path = emptyDir.filePath(QStringLiteral("phases.xcnf"));
        QVERIFY(DocumentFixtures::writeContainer(path, source, DocumentFixtures::fourArmNetwork()));
        MainWindow window;
        window.loadDocument(path);
        QVERIFY(window.document().network());
        CnfController &controller = window.document().controller();

        ModalAnswerer cancel;
        cancel.reject();
        triggerAdd(window);
        QVERIFY(cancel.answered());
        QCOMPARE(phaseIds(controller), QStringList({ "1" }));
        QVERIFY(!window.document().isChanged());

        ModalAnswerer accept;
        accept.answerWith([](QWidget *modal) {
            auto *dialog = qobject_cast<PhaseDlg *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("number"))->text(),
                     QStringLiteral("2"));
            QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("minTime"))->value(), 10);
            auto *groups = dialog->findChild<QTableWidget *>(QStringLiteral("sgTable"));
            groups->item(2, 0)->setData(Qt::EditRole, true);
            groups->item(3, 0)->setData(Qt::EditRole, true);
            dialog->findChild<QSpinBox *>(QStringLiteral("maxTime"))->setValue(45);
            dialog->accept();
        });
        triggerAdd(window);
        QVERIFY(accept.answered());
        const CnfPhasePtr added = controller.findPhase(QStringLiteral("2"));
        QVERIFY(added);
        QCOMPARE(added->maxTime, 45);
        QCOMPARE(cellText(table(window, "phasesTable"), 1, 2), QStringLiteral("3(T),4(T)"));
        QVERIFY(window.document().isChanged());

        // A number another phase has keeps OK disabled.
        QTableWidget *phases = table(window, "phasesTable");
        phases->clearSelection();
        phases->item(1, 0)->setSelected(true);
        ModalAnswerer edit;
        bool okEnabled = true;
        edit.answerWith([&okEnabled](QWidget *modal) {
            modal->findChild<QLineEdit *>(QStringLiteral("number"))->setText(QStringLiteral("1"));
            okEnabled = modal->findChild<QDialogButtonBox *>()->isEnabled();
            modal->findChild<QLineEdit *>(QStringLiteral("number"))->setText(QStringLiteral("7"));
            static_cast<QDialog *>(modal)->accept();
        });
        QMetaObject::invokeMethod(&window, "phaseItemProperties");
        QVERIFY(edit.answered());
        QVERIFY(!okEnabled);
        QCOMPARE(added->id, QStringLiteral("7"));
        QCOMPARE(cellText(phases, 1, 0), QStringLiteral("7"));
    }

    // A new id given in the phase's properties shows at once wherever the id is
    // shown: the phases table and the programs' steps.
    void changedIdShowsEverywhere()
    {
        MainWindow window;
        window.loadDocument(writableSample(emptyDir, QStringLiteral("changed_id.xcnf")));
        QVERIFY(window.document().network());
        CnfController &controller = window.document().controller();
        const CnfPhasePtr phase = controller.phases().value(0);
        QVERIFY(phase);
        const QString oldId = phase->id;
        const QString newId = oldId + QStringLiteral("2");
        QVERIFY(!controller.findPhase(newId));
        QTableWidget *programs = table(window, "progTable");
        // Each program row's steps, as the table shows them.
        const auto shownSteps = [programs] {
            QStringList rows;
            for (int row = 0; row < programs->rowCount(); ++row)
                rows << cellText(programs, row, 3);
            return rows;
        };
        const auto programSteps = [&controller] {
            QStringList rows;
            for (const CnfProgramPtr &program : controller.programs()) {
                QStringList ids;
                for (const CnfPhaseDefPtr &def : program->phases())
                    ids << def->id();
                rows << ids.join(QLatin1Char(','));
            }
            return rows;
        };
        QCOMPARE(shownSteps(), programSteps());
        QVERIFY(shownSteps().join(QLatin1Char(',')).split(QLatin1Char(',')).contains(oldId));

        QTableWidget *phases = table(window, "phasesTable");
        phases->clearSelection();
        phases->item(0, 0)->setSelected(true);
        ModalAnswerer edit;
        edit.answerWith([&newId](QWidget *modal) {
            QVERIFY(qobject_cast<PhaseDlg *>(modal));
            modal->findChild<QLineEdit *>(QStringLiteral("number"))->setText(newId);
            static_cast<QDialog *>(modal)->accept();
        });
        QMetaObject::invokeMethod(&window, "phaseItemProperties");
        QVERIFY(edit.answered());
        QCOMPARE(phase->id, newId);
        QCOMPARE(cellText(phases, 0, 0), newId);
        QCOMPARE(shownSteps(), programSteps());
        QVERIFY(shownSteps().join(QLatin1Char(',')).split(QLatin1Char(',')).contains(newId));
        QVERIFY(!shownSteps().join(QLatin1Char(',')).split(QLatin1Char(',')).contains(oldId));
    }

    // A phase given a new id in its properties takes every reference to it
    // along: a remote-control button, another phase's transition from it, a
    // record's call phase. Each reads the new id after OK and after a save and
    // a load; a phase added next, which gets the old id, is named by none.
    void changedIdTakesItsReferences_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("RCU button") << "RCU button"
                                    << "4,2,4"
                                    << "14,2,14";
        QTest::newRow("transition") << "transition"
                                    << "4"
                                    << "14";
        QTest::newRow("call phase") << "call phase"
                                    << "4"
                                    << "14";
    }

    void changedIdTakesItsReferences()
    {
        QFETCH(QString, reference);
        QFETCH(QString, before);
        QFETCH(QString, after);
        MainWindow window;
        window.loadDocument(writableSample(emptyDir, QStringLiteral("references.xcnf")));
        QVERIFY(window.document().network());
        CnfController &controller = window.document().controller();
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3", "4" }));
        const QString callPhase = QString::fromUtf8("Фаза вызова");
        if (reference == QLatin1String("RCU button")) {
            controller.setNativeData(QStringLiteral("vpu_phases"), QVariantList { "4", "2", "4" });
        } else if (reference == QLatin1String("transition")) {
            auto transition = CnfTransitionPtr::create();
            transition->greenEnd.insert(6, 3);
            controller.findPhase(QStringLiteral("2"))
                ->transitions.insert(QStringLiteral("4"), transition);
        } else {
            auto program = CnfProgramPtr::create(&controller);
            program->id = QStringLiteral("4");
            program->type = CnfProgram::Tiverk;
            controller.addProgram(program);
            // Kind 4 of 3.18: call phase 4 (byte 5, by id), return program at place 2.
            QVERIFY(controller.setProgramRawData(program, QByteArray::fromHex("0404010000041402")));
        }
        // The ids the reference names.
        const auto named = [&](CnfController &c) {
            if (reference == QLatin1String("RCU button")) {
                QStringList ids;
                for (const QVariant &entry : c.getNativeData(QStringLiteral("vpu_phases")).toList())
                    ids << entry.toString();
                return ids.join(QLatin1Char(','));
            }
            if (reference == QLatin1String("transition"))
                return QStringList(c.findPhase(QStringLiteral("2"))->transitions.keys())
                    .join(QLatin1Char(','));
            const CnfProgramPtr program = c.findProgram(QStringLiteral("4"));
            const QString cell = programDialogCell(c, program, callPhase);
            return cell == QString::number(quint8(program->data().at(5))) ? cell : QString("?");
        };
        QCOMPARE(named(controller), before);

        QTableWidget *phases = table(window, "phasesTable");
        phases->clearSelection();
        phases->item(3, 0)->setSelected(true);
        ModalAnswerer edit;
        edit.answerWith([](QWidget *modal) {
            auto *number = child<QLineEdit>(*modal, "number");
            number->clear();
            QTest::keyClicks(number, QStringLiteral("14"));
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        QMetaObject::invokeMethod(&window, "phaseItemProperties");
        QVERIFY(edit.answered());
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3", "14" }));
        QCOMPARE(named(controller), after);

        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("renamed.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(saved, controller, error), qPrintable(error));
        MainWindow reopened;
        reopened.loadDocument(saved);
        QVERIFY(reopened.document().lastError().isEmpty());
        QCOMPARE(phaseIds(reopened.document().controller()), QStringList({ "1", "2", "3", "14" }));
        QCOMPARE(named(reopened.document().controller()), after);

        ModalAnswerer add;
        add.answerWith([](QWidget *modal) {
            QCOMPARE(child<QLineEdit>(*modal, "number")->text(), QStringLiteral("4"));
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        triggerAdd(window);
        QVERIFY(add.answered());
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3", "14", "4" }));
        QCOMPARE(named(controller), after);
    }

    // A kind-4 record calls its phase by the id as a number: a new id that is
    // no number from 0 to 254 is refused with a message, and nothing changes.
    void changedIdRefusedWhileARecordCallsThePhase()
    {
        MainWindow window;
        window.loadDocument(writableSample(emptyDir, QStringLiteral("references.xcnf")));
        CnfController &controller = window.document().controller();
        auto program = CnfProgramPtr::create(&controller);
        program->id = QStringLiteral("4");
        program->type = CnfProgram::Tiverk;
        controller.addProgram(program);
        // Kind 4 of 3.18: call phase 4 (byte 5, by id).
        const QByteArray record = QByteArray::fromHex("0404010000041402");
        QVERIFY(controller.setProgramRawData(program, record));
        window.updatePhasesTable();

        QTableWidget *phases = table(window, "phasesTable");
        phases->clearSelection();
        phases->item(3, 0)->setSelected(true);
        ModalAnswerer edit;
        ModalAnswerer error;
        edit.answerWith([&error](QWidget *modal) {
            auto *number = child<QLineEdit>(*modal, "number");
            number->clear();
            QTest::keyClicks(number, QStringLiteral("P4"));
            error.pressButton(QMessageBox::Ok);
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
            // The dialog refuses the id and stays open.
            QVERIFY(modal->isVisible());
            static_cast<QDialog *>(modal)->reject();
        });
        QMetaObject::invokeMethod(&window, "phaseItemProperties");
        QVERIFY(edit.answered());
        QVERIFY(error.answered());
        QCOMPARE(error.seenText(),
                 QStringLiteral("Program 4 calls phase 4 by its number: the id must be a "
                                "number from 0 to 254"));
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3", "4" }));
        QCOMPARE(program->data(), record);
        QVERIFY2(messageTexts(window).contains(
                     QStringLiteral("Program 4 calls phase 4 by its number: the id must be a "
                                    "number from 0 to 254")),
                 qPrintable(messageTexts(window).join('\n')));
    }

    // The question names the removed phases, the remote-control list and the
    // programs running or calling them; programs keep their phase definitions.
    void removal()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const QString &id : { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") })
            addPhase(controller, id);
        controller.setNativeData(QStringLiteral("vpu_phases"), QVariantList { "2", "1", "2" });
        controller.nativeData()["remoteControlPanel"]["VPU1"]["stageId"]
            = QVariant(QVariantList { 2, 3 });
        for (const QString &id :
             { QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("5") }) {
            auto program = CnfProgramPtr::create(&controller);
            program->id = id;
            if (id != QLatin1String("4"))
                program->appendPhase(controller.findPhase(QStringLiteral("2")), 20);
            controller.addProgram(program);
        }
        // Program 6 does not run phase 2 but calls it (kind 4, byte 5: the id).
        auto caller = CnfProgramPtr::create(&controller);
        caller->id = QStringLiteral("6");
        caller->type = CnfProgram::Tiverk;
        controller.addProgram(caller);
        QVERIFY(controller.setProgramRawData(caller, QByteArray::fromHex("0604010000021402")));
        window.updatePhasesTable();
        window.updateProgramsTable();
        QTableWidget *phases = table(window, "phasesTable");
        phases->item(1, 1)->setSelected(true);

        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QCOMPARE(no.seenTitle(), QStringLiteral("Removing"));
        QCOMPARE(no.seenText(), QStringLiteral("Following phases will be deleted:\n"));
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3" }));

        phases->item(1, 0)->setSelected(true);
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QCOMPARE(yes.seenText(),
                 QStringLiteral("Following phases will be deleted:\n2"
                                "\nRCU parameters will be changed after removal"
                                "\nAfter removal, the following programs will be wrong:\n1,5,6"));
        QCOMPARE(phaseIds(controller), QStringList({ "1", "3" }));
        QCOMPARE(phases->rowCount(), 2);
        const QVariantList remote = controller.getNativeData(QStringLiteral("vpu_phases")).toList();
        QCOMPARE(remote.size(), 3);
        QVERIFY(remote.at(0).isNull() && remote.at(2).isNull());
        QCOMPARE(remote.at(1).toString(), QStringLiteral("1"));
        QCOMPARE(
            controller.nativeData()["remoteControlPanel"]["VPU1"]["stageId"].toVariant().toList(),
            (QVariantList { QVariant(), 3 }));
        QVERIFY(controller.findProgram(QStringLiteral("5"))->findPhaseDef(QStringLiteral("2")));
        QVERIFY(window.document().isChanged());
    }

    // The question names every program whose record names a removed phase,
    // also by its place alone (a priority phase without a step, which becomes
    // not set), and the phases whose stored transition from it goes.
    void removalNamesRecordsAndStoredTransitions()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const QString &id :
             { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4") })
            addPhase(controller, id);
        auto transition = CnfTransitionPtr::create();
        transition->greenEnd.insert(1, 3);
        controller.findPhase(QStringLiteral("3"))
            ->transitions.insert(QStringLiteral("2"), transition);
        controller.findPhase(QStringLiteral("4"))
            ->transitions.insert(QStringLiteral("1"), transition);
        // Kind 5 of 3.18: byte 4 the priority phase by its place (phase "2").
        auto priority = CnfProgramPtr::create(&controller);
        priority->id = QStringLiteral("5");
        priority->type = CnfProgram::Tiverk;
        controller.addProgram(priority);
        QVERIFY(controller.setProgramRawData(priority, QByteArray::fromHex("0505ff07011401")));
        window.updatePhasesTable();
        window.updateProgramsTable();
        table(window, "phasesTable")->item(1, 0)->setSelected(true);

        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*table(window, "phasesTable"), "phaseDelete")->trigger();
        QCOMPARE(yes.seenText(),
                 QStringLiteral("Following phases will be deleted:\n2"
                                "\nAfter removal, the following programs will be wrong:\n5"
                                "\nAfter removal, the transitions from them stored in the "
                                "following phases will be deleted:\n3"));
        QCOMPARE(priority->data(), QByteArray::fromHex("0505ff07ff1401"));
        QVERIFY(controller.findPhase(QStringLiteral("3"))->transitions.isEmpty());
        QCOMPARE(controller.findPhase(QStringLiteral("4"))->transitions.keys(),
                 QStringList({ "1" }));
    }

    // A removed phase that a program uses stays the program's step by its id, and
    // its table, its diagram and its file say the same; the record goes on naming
    // the other steps' phases, whose places in the phase list moved.
    void removalKeepsTheStepsEverywhere_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("indexes"); // the record's sequence after the removal
        QTest::newRow("last phase") << "4"
                                    << "01080023021403";
        QTest::newRow("phase in the middle") << "2"
                                             << "03080023011402";
    }

    void removalKeepsTheStepsEverywhere()
    {
        QFETCH(QString, removed);
        QFETCH(QString, indexes);
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        QCOMPARE(program->data().mid(3, 8).toHex(), QByteArray("010800230214030a"));
        QTableWidget *phases = table(window, "phasesTable");
        for (int row = 0; row < phases->rowCount(); ++row) {
            if (phases->item(row, 0)->text() == removed)
                phases->item(row, 0)->setSelected(true);
        }
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QVERIFY(yes.answered());
        QVERIFY(!controller.findPhase(removed));

        // The program: its four steps, the removed phase's by id and without groups.
        QStringList steps;
        for (const CnfPhaseDefPtr &def : program->phases())
            steps << def->id();
        QCOMPARE(steps, QStringList({ "2", "1", "3", "4" }));
        QVERIFY(!program->findPhaseDef(removed)->phase());
        QCOMPARE(program->data().mid(3, 7).toHex(), indexes.toLatin1());

        // The table and the diagram show the same steps.
        ProgramDlg dialog(nullptr, program, &controller, false);
        QTableWidget *sequence = sequenceTable(dialog);
        QVERIFY(sequence);
        for (int row = 0; row < 4; ++row)
            QCOMPARE(sequence->item(row, 0)->text(), steps.at(row));
        QCOMPARE(diagramPhases(dialog), steps);
        // OK after an edit keeps them, the removed phase's step with its index.
        sequence->item(0, 1)->setText(QStringLiteral("36"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->phaseCount(), 4);
        QByteArray edited = QByteArray::fromHex(indexes.toLatin1());
        edited[1] = 36;
        QCOMPARE(dialog.program()->data().mid(3, 7).toHex(), edited.toHex());
        QCOMPARE(dialog.program()->phaseDefAt(3)->id(), QStringLiteral("4"));

        // The file keeps the step.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("removed.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        QVERIFY(TestSupport::readFile(path).contains(
            QStringLiteral("<Phase phase=\"%1\"").arg(removed).toUtf8()));
    }

    // A removed phase's steps stay without its groups: the change out of such
    // a step loses their clearing, the change into it their red-yellow but
    // clears every group of the step before. In the sample
    // program 1 (local fixed time, 107 s) runs phases 2, 1, 3, 4, the
    // coordinated program 2 (its record states 114 s) 2, 1, 3. The question
    // names both; No changes nothing; Yes keeps program 2's cycle (the steps
    // after the changes take the seconds, its record too) and changes program
    // 1's, also in the saved file.
    void removalNamesTheCyclesThatChange_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("fixedTimeCycle");
        QTest::addColumn<QList<int>>("coordinatedLengths");
        const QString kept = QStringLiteral(
            "\nAfter removal, the following coordinated programs keep their cycles; the steps "
            "after the changes into and out of the deleted phases take up the difference:\n"
            "2 (114 s)");
        const QString changed = QStringLiteral(
            "\nAfter removal, the cycles of the following programs will change:\n");
        QTest::newRow("phase 1") << "1" << kept + changed + "1 (107 s -> 100 s)" << 100
                                 << QList<int> { 12, 49, 33 };
        QTest::newRow("phase 3") << "3" << kept + changed + "1 (107 s -> 97 s)" << 97
                                 << QList<int> { 20, 50, 27 };
        QTest::newRow("phase 4: the coordinated program does not run it")
            << "4" << changed + "1 (107 s -> 100 s)" << 100 << QList<int> { 12, 50, 25 };
    }

    void removalNamesTheCyclesThatChange()
    {
        QFETCH(QString, removed);
        QFETCH(QString, lines);
        QFETCH(int, fixedTimeCycle);
        QFETCH(QList<int>, coordinatedLengths);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cycles.cnf"));
        QVERIFY(QFile::copy(TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")),
                            path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        MainWindow window;
        window.loadDocument(path);
        const CnfController &controller = window.document().controller();
        const auto lengths = [](const CnfProgram &program) {
            QList<int> found;
            for (const CnfPhaseDefPtr &step : program.phases())
                found << step->length();
            return found;
        };
        const CnfProgramPtr coordinated = controller.findProgram(QStringLiteral("2"));
        const QList<int> before = lengths(*coordinated);
        const QByteArray record = coordinated->data();
        QTableWidget *phases = table(window, "phasesTable");
        const auto select = [phases, &removed] {
            phases->clearSelection();
            for (int row = 0; row < phases->rowCount(); ++row) {
                if (phases->item(row, 0)->text() == removed)
                    phases->item(row, 0)->setSelected(true);
            }
        };

        select();
        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QVERIFY(no.answered());
        QVERIFY2(no.seenText().endsWith(lines), qPrintable(no.seenText()));
        QCOMPARE(lengths(*coordinated), before);
        QCOMPARE(coordinated->data(), record);
        QCOMPARE(controller.findProgram(QStringLiteral("1"))->cycle(true), 107);

        select();
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QVERIFY(yes.answered());
        QVERIFY(!controller.findPhase(removed));
        QCOMPARE(controller.findProgram(QStringLiteral("1"))->cycle(true), fixedTimeCycle);
        QCOMPARE(coordinated->cycle(true), 114);
        QCOMPARE(lengths(*coordinated), coordinatedLengths);
        QStringList steps;
        for (int i = 0; i < coordinatedLengths.size(); ++i)
            steps << QStringLiteral("%1 %2")
                         .arg(coordinated->phaseDefAt(i)->id())
                         .arg(coordinatedLengths.at(i));
        QCOMPARE(recordSteps(controller, *coordinated), steps);

        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        MainWindow reopened;
        reopened.loadDocument(path);
        const CnfController &saved = reopened.document().controller();
        QCOMPARE(saved.findProgram(QStringLiteral("1"))->cycle(true), fixedTimeCycle);
        QCOMPARE(saved.findProgram(QStringLiteral("2"))->cycle(true), 114);
        QCOMPARE(lengths(*saved.findProgram(QStringLiteral("2"))), coordinatedLengths);
    }

    // Deleting ZU_MOLT stages: the question names each plan with its plan
    // phases that go with them, and a plan left without phases; the plans lose
    // exactly those on Yes and nothing on No.
    void removalNamesPlanPhases_data()
    {
        QTest::addColumn<QStringList>("stages");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QList<int>>("phasesLeft"); // of plans 1 to 5 after Yes
        const QString planLines
            = "\nAfter removal, the following plan phases that run them will be removed, "
              "with the calls, detector conditions and sequence entries that name them:\n";
        QTest::newRow("stage of a middle phase") << QStringList { "1" }
                                                 << "Following phases will be deleted:\n1"
                + planLines
                + "Plan 1: phase 2\nPlan 2: phase 5\nPlan 3: phases 1,2 (the plan is left without "
                  "phases)" << QList<int> { 2, 1, 0, 2, 0 };
        QTest::newRow("two stages") << QStringList { "1", "2" }
                                    << "Following phases will be deleted:\n1,2" + planLines
                + "Plan 1: phases 1,2\nPlan 2: phases 5,7 (the plan is left without phases)\n"
                  "Plan 3: phases 1,2 (the plan is left without phases)\nPlan 4: phase 1"
                                    << QList<int> { 1, 0, 0, 1, 0 };
        QTest::newRow("stage of a last phase") << QStringList { "3" }
                                               << "Following phases will be deleted:\n3" + planLines
                + "Plan 1: phase 3\nPlan 4: phase 2"
                                               << QList<int> { 2, 2, 2, 1, 0 };
    }

    void removalNamesPlanPhases()
    {
        QFETCH(QStringList, stages);
        QFETCH(QString, question);
        QFETCH(QList<int>, phasesLeft);
        MainWindow window;
        window.loadDocument(TestSupport::dataPath(QStringLiteral("zumolt/stage-delete.json")));
        CnfController &controller = window.document().controller();
        QCOMPARE(controller.programs().size(), phasesLeft.size());
        QTableWidget *phases = table(window, "phasesTable");
        const auto select = [&] {
            phases->clearSelection();
            for (int row = 0; row < phases->rowCount(); ++row) {
                if (stages.contains(phases->item(row, 0)->text()))
                    phases->item(row, 0)->setSelected(true);
            }
        };
        const auto planPhases = [&controller] {
            QList<int> counts;
            for (const CnfProgramPtr &program : controller.programs())
                counts << program->phaseCount();
            return counts;
        };

        select();
        ModalAnswerer no;
        no.pressButton(QMessageBox::No);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QCOMPARE(no.seenText(), question);
        QCOMPARE(planPhases(), (QList<int> { 3, 2, 2, 2, 0 }));
        QCOMPARE(controller.phases().size(), 3);

        select();
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*phases, "phaseDelete")->trigger();
        QCOMPARE(yes.seenText(), question);
        QCOMPARE(planPhases(), phasesLeft);
        QCOMPARE(controller.phases().size(), 3 - stages.size());
    }

    // Phases in another order, by dragging rows or by "Sort": every program's
    // record names the phases it named before, and the program dialog's table,
    // its diagram and the saved file show the same steps.
    void moveKeepsTheStepsEverywhere_data()
    {
        QTest::addColumn<QList<int>>("dragged"); // rows, in drag order; none: no drag
        QTest::addColumn<int>("dropRow");
        QTest::addColumn<bool>("sort");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("one row up")
            << QList<int> { 3 } << 2 << false << QStringList { "1", "2", "4", "3" };
        QTest::newRow("one row down")
            << QList<int> { 0 } << 1 << false << QStringList { "2", "1", "3", "4" };
        QTest::newRow("reversed") << QList<int> { 3, 2, 1, 0 } << 0 << false
                                  << QStringList { "4", "3", "2", "1" };
        QTest::newRow("Sort") << QList<int> { 2, 0 } << 0 << true
                              << QStringList { "1", "2", "3", "4" };
    }

    void moveKeepsTheStepsEverywhere()
    {
        QFETCH(QList<int>, dragged);
        QFETCH(int, dropRow);
        QFETCH(bool, sort);
        QFETCH(QStringList, order);
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        QCOMPARE(phaseIds(controller), QStringList({ "1", "2", "3", "4" }));
        QMap<QString, QStringList> steps;
        for (const CnfProgramPtr &program : controller.programs()) {
            steps.insert(program->id, recordSteps(controller, *program));
            QCOMPARE(steps.value(program->id).size(), program->phaseCount());
        }

        QTableWidget *phases = table(window, "phasesTable");
        dragRows(phases, dragged, dropRow);
        if (sort) {
            QCOMPARE(phaseIds(controller), QStringList({ "3", "1", "2", "4" }));
            child<QAction>(*phases, "sortPhaseItems")->trigger();
        }
        QCOMPARE(phaseIds(controller), order);
        for (int row = 0; row < order.size(); ++row)
            QCOMPARE(cellText(phases, row, 0), order.at(row));
        QVERIFY(window.document().isChanged());

        for (const CnfProgramPtr &program : controller.programs()) {
            QCOMPARE(recordSteps(controller, *program), steps.value(program->id));
            if (program->phaseCount() == 0)
                continue;
            // The dialog's parameter table and its diagram show the program's steps,
            // and OK keeps them.
            const QStringList ids = stepIds(*program);
            ProgramDlg dialog(nullptr, program, &controller, false);
            QTableWidget *sequence = sequenceTable(dialog);
            QVERIFY(sequence);
            for (int row = 0; row < ids.size(); ++row)
                QCOMPARE(sequence->item(row, 0)->text(), ids.at(row));
            QCOMPARE(cellText(sequence, ids.size(), 0), QString());
            QCOMPARE(diagramPhases(dialog), ids);
            dialog.accept();
            QCOMPARE(stepIds(*dialog.program()), ids);
            QCOMPARE(recordSteps(controller, *dialog.program()), steps.value(program->id));
        }

        // Saved and loaded again, the file says the same.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("moved.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        MainWindow reopened;
        reopened.loadDocument(path);
        const CnfController &loaded = reopened.document().controller();
        QCOMPARE(phaseIds(loaded), order);
        QCOMPARE(loaded.programs().size(), steps.size());
        for (const CnfProgramPtr &program : loaded.programs()) {
            QCOMPARE(recordSteps(loaded, *program), steps.value(program->id));
            QCOMPARE(stepIds(*program), stepIds(*controller.findProgram(program->id)));
        }
    }

    // Two selected phases of a family other than "tiverk" offer both
    // transitions, "Change" where the destination already has one.
    void contextMenu_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("texts");
        const QString add = "Add phase", remove = "Remove", properties = "Properties",
                      sort = "Sort";
        QTest::newRow("none") << "adapter" << QList<int> {} << QStringList { add, sort };
        QTest::newRow("one") << "adapter" << QList<int> { 1 }
                             << QStringList { add, remove, properties, sort };
        QTest::newRow("two, adapter")
            << "adapter" << QList<int> { 0, 2 }
            << QStringList { add, remove, "Create phase transition 1->3 1/3",
                             "Change phase transition 3->1 3/1", sort };
        QTest::newRow("two, tiverkii")
            << "tiverkii" << QList<int> { 2, 0 }
            << QStringList { add, remove, "Change phase transition 3->1 3/1",
                             "Create phase transition 1->3 1/3", sort };
        QTest::newRow("two, tiverk")
            << "tiverk" << QList<int> { 0, 2 } << QStringList { add, remove, sort };
        QTest::newRow("three") << "adapter" << QList<int> { 0, 1, 2 }
                               << QStringList { add, remove, sort };
    }

    void contextMenu()
    {
        QFETCH(QString, family);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, texts);
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, family,
                                  family == "tiverk" ? QStringLiteral("3.18") : QString());
        addPhase(controller, QStringLiteral("1"))
            ->transitions.insert(QStringLiteral("3"), CnfTransitionPtr::create());
        addPhase(controller, QStringLiteral("2"));
        addPhase(controller, QStringLiteral("3"));
        window.updatePhasesTable();
        QTableWidget *phases = table(window, "phasesTable");
        for (int row : rows) {
            phases->item(row, 1)->setSelected(true);
            phases->item(row, 0)->setSelected(true);
        }
        QCOMPARE(contextMenuTexts(window), texts);
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestPhasesTable);
#include "tst_phasestable.moc"
