#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/tablecells.h"
#include "plivek/programs/zumolt/programdlgzu_molt.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

CnfProgramPtr addProgram(CnfController &controller, const QString &id, const QString &name,
                         int type)
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->name = name;
    program->type = type;
    controller.addProgram(program);
    return program;
}

// A ZU_MOLT controller with signal groups 1 and 2, phases "1" to "3" and the
// detector 5 "Loop".
void initController(CnfController &controller)
{
    CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
    for (int id : { 1, 2 }) {
        auto group = CnfSignalGroupPtr::create();
        group->id = id;
        group->name = QStringLiteral("SG%1").arg(id);
        controller.addSignalGroup(group);
    }
    for (const QString &id : { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }) {
        auto phase = CnfPhasePtr::create();
        phase->id = id;
        controller.addPhase(phase);
    }
    auto detector = CnfDetectorPtr::create();
    detector->setId(5);
    detector->setName(QStringLiteral("Loop"));
    controller.addDetector(detector);
}

template<typename T = QWidget> T *child(const QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

QTableWidget *steps(const ProgramDlgZU_MOLT &dialog)
{
    return child<QTableWidget>(dialog, "dataTable");
}

QTableWidget *events(const ProgramDlgZU_MOLT &dialog)
{
    return child<QTableWidget>(dialog, "dtTable");
}

// Everything of a program the dialog may store, as text for comparing.
QString described(const CnfProgram &program)
{
    QString text;
    QDebug out(&text);
    out << program.id << program.name << program.type << program.cycleLength
        << program.hasCycleOffset() << program.cycleOffset(-1) << program.property("coordinated")
        << program.property("detectors");
    for (int group : program.timelineGroups())
        out << group << program.getTimelineData(group);
    for (const CnfPhaseDefPtr &step : program.phases()) {
        out << step->id();
        for (const QByteArray &name : step->dynamicPropertyNames())
            out << name << step->property(name.constData());
    }
    return text;
}

void chooseType(ProgramDlgZU_MOLT &dialog, int type)
{
    auto *box = child<QComboBox>(dialog, "type");
    box->setCurrentIndex(box->findData(type));
}

} // namespace

class TestProgramDlgZuMolt : public QObject
{
    Q_OBJECT
private slots:
    // A new program takes the first free number and the first free
    // "Program.N" name.
    void newProgram_data()
    {
        QTest::addColumn<QStringList>("takenNames");
        QTest::addColumn<QString>("name");
        QTest::newRow("Program.1 free") << QStringList { "A", "B", "C" } << "Program.1";
        QTest::newRow("Program.1 taken") << QStringList { "A", "Program.1", "C" } << "Program.2";
    }

    void newProgram()
    {
        QFETCH(QStringList, takenNames);
        QFETCH(QString, name);
        CnfController controller;
        initController(controller);
        const QStringList ids { "1", "2", "4" };
        for (int i = 0; i < ids.size(); ++i)
            addProgram(controller, ids.at(i), takenNames.at(i), CnfProgram::Timeline);
        ProgramDlgZU_MOLT dialog(nullptr, {}, &controller);
        QCOMPARE(child<QSpinBox>(dialog, "number")->value(), 3);
        QCOMPARE(child<QLineEdit>(dialog, "name")->text(), name);
        QVERIFY(child<QDialogButtonBox>(dialog, "buttonBox")->isEnabled());
        dialog.accept();
        QCOMPARE(dialog.program()->id, QStringLiteral("3"));
        QCOMPARE(dialog.program()->name, name);
        QCOMPARE(controller.programs().size(), 3);
    }

    // A name that another program has shows red with the buttons disabled,
    // until it is changed; the program's own name is no clash.
    void nameClashAtOpening()
    {
        CnfController controller;
        initController(controller);
        addProgram(controller, QStringLiteral("1"), QStringLiteral("Peak"), CnfProgram::Dark);
        const CnfProgramPtr twin
            = addProgram(controller, QStringLiteral("2"), QStringLiteral("Peak"), CnfProgram::Dark);
        const CnfProgramPtr own = addProgram(controller, QStringLiteral("3"),
                                             QStringLiteral("Night"), CnfProgram::Dark);

        ProgramDlgZU_MOLT clash(nullptr, twin, &controller);
        auto *name = child<QLineEdit>(clash, "name");
        QCOMPARE(name->palette().color(QPalette::Base), QColor(Qt::red));
        QVERIFY(!child<QDialogButtonBox>(clash, "buttonBox")->isEnabled());
        name->setText(QStringLiteral("Evening"));
        QVERIFY(child<QDialogButtonBox>(clash, "buttonBox")->isEnabled());
        child<QSpinBox>(clash, "number")->setValue(1);
        QVERIFY(!child<QDialogButtonBox>(clash, "buttonBox")->isEnabled());

        ProgramDlgZU_MOLT plain(nullptr, own, &controller);
        QVERIFY(child<QDialogButtonBox>(plain, "buttonBox")->isEnabled());
    }

    // Types 0 to 2 show no table and store type, number and name only.
    void typesWithoutTables_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("other") << int(CnfProgram::OtherAlgorithm);
        QTest::newRow("yellow flash") << int(CnfProgram::YellowFlash);
        QTest::newRow("dark") << int(CnfProgram::Dark);
    }

    void typesWithoutTables()
    {
        QFETCH(int, type);
        CnfController controller;
        initController(controller);
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("4"),
                                                 QStringLiteral("Old"), CnfProgram::Timeline);
        program->setTimelineData(1, 0, CnfSignalGroup::Green);
        program->cycleLength = 60;
        ProgramDlgZU_MOLT dialog(nullptr, program, &controller);
        chooseType(dialog, type);
        QVERIFY(steps(dialog)->isHidden());
        QVERIFY(events(dialog)->isHidden());
        QVERIFY(child<QGroupBox>(dialog, "coordination")->isHidden());
        child<QSpinBox>(dialog, "number")->setValue(6);
        child<QLineEdit>(dialog, "name")->setText(QStringLiteral("New"));
        dialog.accept();
        const CnfProgramPtr stored = dialog.program();
        QCOMPARE(stored->type, type);
        QCOMPARE(stored->id, QStringLiteral("6"));
        QCOMPARE(stored->name, QStringLiteral("New"));
        QCOMPARE(stored->cycleLength, 60);
        QCOMPARE(stored->getTimelineData(1).value(0), int(CnfSignalGroup::Green));
        // The dialog's program is a copy: the stored one is untouched.
        QCOMPARE(program->id, QStringLiteral("4"));
    }

    // Durations add up in the row's header; the cycle is the longest row and
    // the timeline points lie at the sums before each cell.
    void timeline()
    {
        CnfController controller;
        initController(controller);
        ProgramDlgZU_MOLT dialog(nullptr, {}, &controller);
        chooseType(dialog, CnfProgram::Timeline);
        QTableWidget *table = steps(dialog);
        QVERIFY(!table->isHidden());
        QCOMPARE(table->rowCount(), 2);
        table->setColumnCount(3);
        setTableCellValue(table, 0, 0, QStringLiteral("red|10"), true);
        setTableCellValue(table, 0, 1, QStringLiteral("green|20"), true);
        setTableCellValue(table, 0, 2, QStringLiteral("amber|3"), true);
        setTableCellValue(table, 1, 0, QStringLiteral("green|25"), true);
        setTableCellValue(table, 1, 1, QStringLiteral("no cell"), true);
        const QString first = controller.findSG(1)->friendlyName();
        QCOMPARE(table->verticalHeaderItem(0)->text(), first + QStringLiteral("{33}"));
        QCOMPARE(table->verticalHeaderItem(1)->text(),
                 controller.findSG(2)->friendlyName() + QStringLiteral("{25}"));
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 33);
        dialog.accept();
        const QMap<int, int> points = dialog.program()->getTimelineData(1);
        QCOMPARE(points.keys(), QList<int>({ 0, 10, 30 }));
        QCOMPARE(points.value(0), int(CnfSignalGroup::Red));
        QCOMPARE(points.value(10), int(CnfSignalGroup::Green));
        QCOMPARE(points.value(30), int(CnfSignalGroup::Yellow));
        QCOMPARE(dialog.program()->cycleLength, 33);

        // Opened again, the cells come back with the last one up to the cycle.
        ProgramDlgZU_MOLT again(nullptr, dialog.program(), &controller);
        QCOMPARE(tableCellValue(steps(again), 0, 2).toString(), QStringLiteral("amber|3"));
        QCOMPARE(tableCellValue(steps(again), 1, 0).toString(), QStringLiteral("green|33"));
    }

    void timelineWithoutSignalGroups()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("ZU_MOLT"), QString());
        const CnfProgramPtr program = addProgram(
            controller, QStringLiteral("1"), QStringLiteral("P"), CnfProgram::CoordinatedTimeline);
        program->cycleLength = 90;
        program->setCycleOffset(12);
        ProgramDlgZU_MOLT dialog(nullptr, program, &controller);
        QVERIFY(!child<QGroupBox>(dialog, "coordination")->isHidden());
        QVERIFY(!child<QGroupBox>(dialog, "coordination")->isCheckable());
        QCOMPARE(child<QSpinBox>(dialog, "cycleOffset")->value(), 12);
        chooseType(dialog, CnfProgram::Timeline);
        dialog.accept();
        QCOMPARE(dialog.program()->cycleLength, 0);
    }

    // OK without a change stores the program as it came, also what the tables
    // cannot show (a cycle without offset), and says
    // that nothing changed; a change of the name alone keeps the rest.
    void okWithoutChange_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("newName");
        QTest::newRow("steps") << int(CnfProgram::Stagering) << QString();
        QTest::newRow("steps, name changed")
            << int(CnfProgram::Stagering) << QStringLiteral("Renamed");
        QTest::newRow("coordinated timeline") << int(CnfProgram::CoordinatedTimeline) << QString();
        QTest::newRow("coordinated timeline, name changed")
            << int(CnfProgram::CoordinatedTimeline) << QStringLiteral("Renamed");
        QTest::newRow("yellow flash") << int(CnfProgram::YellowFlash) << QString();
    }

    void okWithoutChange()
    {
        QFETCH(int, type);
        QFETCH(QString, newName);
        CnfController controller;
        initController(controller);
        const CnfProgramPtr program
            = addProgram(controller, QStringLiteral("4"), QStringLiteral("Adaptive"), type);
        program->cycleLength = 90;
        program->setProperty("coordinated", true);
        if (type == CnfProgram::Stagering) {
            const CnfPhaseDefPtr first
                = program->appendPhase(controller.findPhase(QStringLiteral("1")), 0);
            first->setProperty("recall", "max");
            first->setProperty("passage", 3);
            const CnfPhaseDefPtr second
                = program->appendPhase(controller.findPhase(QStringLiteral("2")), 0);
            second->setProperty("call", 1);
            second->setProperty("recall", "none");
            program->setProperty(
                "detectors",
                QVariantList { QVariantMap {
                    { "phase", 1 }, { "call", 2 }, { "control", true }, { "detector", 1 } } });
        } else if (type == CnfProgram::CoordinatedTimeline) {
            program->setCycleOffset(10);
            program->setTimelineData(1, 0, 0);
            program->setTimelineData(1, 31, 2);
            program->cycleLength = 60;
        }
        const QString before = described(*program);
        ProgramDlgZU_MOLT dialog(nullptr, program, &controller);
        if (!newName.isEmpty())
            child<QLineEdit>(dialog, "name")->setText(newName);
        dialog.accept();
        QCOMPARE(dialog.isModified(), !newName.isEmpty());
        CnfProgram expected;
        expected.clone(*program);
        if (!newName.isEmpty())
            expected.name = newName;
        QCOMPARE(described(*dialog.program()), described(expected));
        QCOMPARE(described(*program), before);
        if (type == CnfProgram::Stagering)
            QCOMPARE(dialog.program()->phaseDefAt(1)->property("call"), QVariant(1));
    }

    // Steps and events: an unknown detector keeps its id on screen and loses
    // its key; removing a step leaves the events on the other steps as they
    // were; an empty event column is dropped, and with none left "detectors"
    // is unset.
    void stepsAndEvents()
    {
        CnfController controller;
        initController(controller);
        const CnfProgramPtr program = addProgram(controller, QStringLiteral("1"),
                                                 QStringLiteral("P"), CnfProgram::Stagering);
        for (const QString &id : { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") })
            program->appendPhase(controller.findPhase(id), 0)->setProperty("recall", "max");
        program->setProperty("coordinated", true);
        program->cycleLength = 80;
        program->setProperty(
            "detectors",
            QVariantList { QVariantMap { { "phase", 3 }, { "detector", 9 }, { "indicator", 5 } },
                           QVariantMap { { "phase", 1 }, { "control", true } } });
        ProgramDlgZU_MOLT dialog(nullptr, program, &controller);
        QTableWidget *stepTable = steps(dialog);
        QTableWidget *eventTable = events(dialog);
        QCOMPARE(stepTable->rowCount(), 7);
        QCOMPARE(stepTable->columnCount(), 3);
        QCOMPARE(eventTable->rowCount(), 6);
        QCOMPARE(eventTable->columnCount(), 2);
        QVERIFY(child<QGroupBox>(dialog, "coordination")->isChecked());
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 80);
        QCOMPARE(stepTable->item(1, 0)->text(), QStringLiteral("max"));
        QCOMPARE(eventTable->item(4, 0)->text(), QStringLiteral("9"));
        QCOMPARE(eventTable->item(5, 0)->text(), QStringLiteral("5 (Loop)"));

        stepTable->setCurrentCell(0, 1);
        QMetaObject::invokeMethod(&dialog, "removeStep");
        QCOMPARE(stepTable->columnCount(), 2);
        QCOMPARE(dialog.program()->phaseCount(), 2);
        QCOMPARE(dialog.program()->phaseDefAt(1)->id(), QStringLiteral("3"));
        // A phase chosen in row 0 reaches the step at once.
        setTableCellValue(stepTable, 0, 0, QStringLiteral("2"), true);
        QCOMPARE(dialog.program()->phaseDefAt(0)->phase(),
                 controller.findPhase(QStringLiteral("2")));
        setTableCellValue(stepTable, 2, 0, QStringLiteral("7"), true);
        setTableCellValue(stepTable, 1, 1, QString(), true);
        QMetaObject::invokeMethod(&dialog, "addEvent");
        QCOMPARE(eventTable->columnCount(), 3);
        dialog.accept();

        const CnfProgramPtr stored = dialog.program();
        QCOMPARE(stored->phaseDefAt(0)->property("passage"), QVariant(7));
        QCOMPARE(stored->phaseDefAt(0)->property("recall").toString(), QStringLiteral("max"));
        QVERIFY(!stored->phaseDefAt(1)->property("recall").isValid());
        const QVariantList storedEvents = stored->property("detectors").toList();
        QCOMPARE(storedEvents.size(), 2);
        const QVariantMap first = storedEvents.at(0).toMap();
        QCOMPARE(first.value("phase"), QVariant(3));
        QVERIFY(!first.contains("detector"));
        QCOMPARE(first.value("indicator"), QVariant(5));
        QCOMPARE(storedEvents.at(1).toMap().value("control"), QVariant(true));

        ProgramDlgZU_MOLT emptied(nullptr, stored, &controller);
        QTableWidget *emptiedEvents = events(emptied);
        emptiedEvents->setSelectionMode(QAbstractItemView::MultiSelection);
        emptiedEvents->selectColumn(0);
        emptiedEvents->selectColumn(1);
        QMetaObject::invokeMethod(&emptied, "removeEvent");
        QCOMPARE(emptiedEvents->columnCount(), 0);
        emptied.accept();
        QVERIFY(!emptied.program()->property("detectors").isValid());
    }
};

PROJECT_TEST(TestProgramDlgZuMolt);
#include "tst_programdlgzumolt.moc"
