#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/zu_moltconfig.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/programs/zumolt/programdlgzu_molt.h"
#include "testdata.h"
#include "testmain.h"

#include <QDir>
#include <QDirIterator>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

using StepRow = ProgramDlgZU_MOLT::StepRow;
using EventRow = ProgramDlgZU_MOLT::EventRow;

// Plan 1 has the ids 1 and 3 of its own, plan 2 its ids by position, plan 3 a
// sequence that is not in id order; calls and detector records name steps in
// all of them.
const QString ownFixture = QStringLiteral("zumolt/plan-step-ids.json");

struct Loaded
{
    ZU_MOLTConfig config;
    CnfController controller;
};

bool load(Loaded &loaded, const QString &path)
{
    const QByteArray bytes = TestSupport::readFile(path);
    return loaded.config.loadData(bytes) && loaded.config.createController(loaded.controller);
}

ParametersTable *table(ProgramDlgZU_MOLT &dialog, const char *name)
{
    return dialog.findChild<ParametersTable *>(QLatin1String(name));
}

// The choices a row of a table offers.
QStringList choices(QTableWidget *table, int row)
{
    const auto *delegate = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForRow(row));
    return delegate ? delegate->texts() : QStringList { QStringLiteral("no choices") };
}

QStringList columnTitles(QTableWidget *table)
{
    QStringList titles;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *header = table->horizontalHeaderItem(column);
        titles << (header ? header->text() : QStringLiteral("none"));
    }
    return titles;
}

QStringList rowTexts(QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << tableCellValue(table, row, column).toString();
    return texts;
}

void selectColumns(QTableWidget *table, const QList<int> &columns)
{
    table->clearSelection();
    for (int column : columns) {
        table->selectionModel()->select(table->model()->index(0, column),
                                        QItemSelectionModel::Select);
    }
}

// The editor of every cell of the row that holds a value, opened and closed
// without a choice, as a user clicking through the row does.
void openAndCloseChoices(QTableWidget *table, int row)
{
    QAbstractItemDelegate *delegate = table->itemDelegateForRow(row);
    for (int column = 0; column < table->columnCount(); ++column) {
        if (tableCellValue(table, row, column).toString().isEmpty())
            continue;
        const QModelIndex index = table->model()->index(row, column);
        QScopedPointer<QWidget> editor(
            delegate->createEditor(table->viewport(), QStyleOptionViewItem(), index));
        delegate->setEditorData(editor.data(), index);
        delegate->setModelData(editor.data(), table->model(), index);
    }
}

QJsonObject parsed(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

// The file with the plan of `planId` replaced.
QJsonObject withPlan(QJsonObject root, const QString &planId, const QJsonObject &plan)
{
    QJsonArray plans = root.value(QStringLiteral("plans")).toArray();
    for (int i = 0; i < plans.size(); ++i) {
        if (plans.at(i).toObject().value(QStringLiteral("id")).toVariant().toString() == planId)
            plans.replace(i, plan);
    }
    root.insert(QStringLiteral("plans"), plans);
    return root;
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Every ZU_MOLT file among the fixtures and samples that plivek opens.
QStringList zuMoltFiles()
{
    QStringList files;
    for (const QString &root : { TestSupport::dataPath(), TestSupport::examplesPath() }) {
        QDirIterator it(root, { QStringLiteral("*.json") }, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            Loaded loaded;
            if (ZU_MOLTConfig::recognizes(TestSupport::readFile(path)) && load(loaded, path))
                files << path;
        }
    }
    files.sort();
    return files;
}

} // namespace

// A stage-ring plan names its steps by the ids the file gives them, which need
// not be their positions (own ids from the file, or what a stage Delete
// left): the program dialog shows and keeps those ids.
class TestProgramDlgZuMoltStepIds : public QObject
{
    Q_OBJECT
private slots:
    // OK without a change saves the file as it was, for every plan of every
    // ZU_MOLT fixture and sample; also after every step choice that names a
    // step was opened and closed again, as every step the plan names is among
    // the choices.
    void okWithoutChangeSavesTheSameFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<bool>("throughChoices");
        QStringList names;
        for (const QString &path : zuMoltFiles()) {
            Loaded loaded;
            QVERIFY(load(loaded, path));
            const QString name = QDir(TestSupport::dataPath()).relativeFilePath(path);
            names << name;
            for (const CnfProgramPtr &plan : loaded.controller.programs()) {
                for (bool throughChoices : { false, true }) {
                    QTest::addRow("%s, plan %s%s", qPrintable(name), qPrintable(plan->id),
                                  throughChoices ? ", step choices opened" : "")
                        << path << plan->id << throughChoices;
                }
            }
        }
        // The plans that name steps by ids other than their positions are among them.
        for (const QString &name : { ownFixture, QStringLiteral("zumolt/stage-delete.json"),
                                     QStringLiteral("zumolt/stage-delete.saved.json") })
            QVERIFY2(names.contains(name), qPrintable(name));
    }

    void okWithoutChangeSavesTheSameFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, plan);
        QFETCH(bool, throughChoices);
        Loaded loaded;
        QVERIFY(load(loaded, path));
        const QByteArray before = loaded.config.save(loaded.controller);
        QVERIFY2(!before.isEmpty(), qPrintable(loaded.config.lastError()));
        const CnfProgramPtr program = loaded.controller.findProgram(plan);
        ProgramDlgZU_MOLT dialog(nullptr, program, &loaded.controller);
        if (throughChoices && program->type == CnfProgram::Stagering) {
            const QList<QPair<QTableWidget *, int>> rows {
                { table(dialog, "dataTable"), StepRow::CallRow },
                { table(dialog, "dtTable"), EventRow::EventStepRow },
                { table(dialog, "dtTable"), EventRow::CalledStepRow },
                { table(dialog, "dtTable"), EventRow::RedirectRow },
            };
            for (const auto &row : rows)
                openAndCloseChoices(row.first, row.second);
        }
        dialog.accept();
        QVERIFY(!dialog.isModified());
        // Even taken over, the program saves as it came.
        program->clone(dialog.program());
        QCOMPARE(QString::fromUtf8(loaded.config.save(loaded.controller)),
                 QString::fromUtf8(before));
    }

    // Every choice of a step (the events' step, called step and redirect, a
    // step's call) and the step columns' titles are the steps' ids.
    void stepsShownByTheirIds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QStringList>("eventSteps");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("own ids 1 and 3") << ownFixture << "1" << QStringList { "1", "3" }
                                         << QStringList { "3", "1" } << QStringList { "3", "1" };
        QTest::newRow("ids by position")
            << ownFixture << "2" << QStringList { "1", "2", "3" } << QStringList { "2", "3", "1" }
            << QStringList { "", "1", "2" };
        QTest::newRow("sequence not in id order")
            << ownFixture << "3" << QStringList { "3", "1", "2" } << QStringList { "1" }
            << QStringList { "", "", "3" };
        QTest::newRow("ids 7 and 5")
            << "zumolt/stage-delete.json"
            << "2" << QStringList { "7", "5" } << QStringList() << QStringList { "5", "" };
        QTest::newRow("ids 1 and 3 after a stage Delete")
            << "zumolt/stage-delete.saved.json"
            << "1" << QStringList { "1", "3" } << QStringList { "3", "1" }
            << QStringList { "3", "" };
    }

    void stepsShownByTheirIds()
    {
        QFETCH(QString, file);
        QFETCH(QString, plan);
        QFETCH(QStringList, ids);
        QFETCH(QStringList, eventSteps);
        QFETCH(QStringList, calls);
        Loaded loaded;
        QVERIFY(load(loaded, TestSupport::dataPath(file)));
        ProgramDlgZU_MOLT dialog(nullptr, loaded.controller.findProgram(plan), &loaded.controller);
        ParametersTable *steps = table(dialog, "dataTable");
        ParametersTable *events = table(dialog, "dtTable");
        QCOMPARE(columnTitles(steps), ids);
        QCOMPARE(choices(steps, StepRow::CallRow), ids);
        for (int row : { EventRow::EventStepRow, EventRow::CalledStepRow, EventRow::RedirectRow })
            QCOMPARE(choices(events, row), ids);
        QCOMPARE(rowTexts(events, EventRow::EventStepRow), eventSteps);
        QCOMPARE(rowTexts(steps, StepRow::CallRow), calls);
    }

    // Remove step: the other steps keep their ids, and what named a removed
    // step goes with it (a detector record on it) or is not set (a call, a
    // redirect); nothing comes to name another step, and nothing else of the
    // file changes.
    void removeStepTakesWhatNamedIt_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<QByteArray>("saved"); // the plan in the saved file

        QTest::newRow("own ids 1 and 3, step 1")
            << ownFixture << "1" << QList<int> { 0 }
            << QByteArray(R"({"algorithm":{"cycle":80,"detectors":[)"
                          R"({"control":true,"detector":71,"phase":3}],)"
                          R"("phases":[{"id":3,"minGreen":6,"stage":2}],)"
                          R"("sequence":[3],"type":"StageRing"},"id":1,"name":"Ids 1 and 3"})");
        QTest::newRow("own ids 1 and 3, step 3")
            << ownFixture << "1" << QList<int> { 1 }
            << QByteArray(R"({"algorithm":{"cycle":80,"detectors":[)"
                          R"({"detector":72,"note":"kept","phase":1}],)"
                          R"("phases":[{"id":1,"recall":"max","stage":1}],)"
                          R"("sequence":[1],"type":"StageRing"},"id":1,"name":"Ids 1 and 3"})");
        QTest::newRow("ids by position, the middle step")
            << ownFixture << "2" << QList<int> { 1 }
            << QByteArray(R"({"algorithm":{"detectors":[)"
                          R"({"detector":72,"phase":3},{"indicator":72,"phase":1}],)"
                          R"("phases":[{"stage":1},{"id":3,"stage":3}],)"
                          R"("sequence":[1,3],"type":"StageRing"},"id":2,"name":"By position"})");
        QTest::newRow("ids by position, first and last at once")
            << ownFixture << "2" << QList<int> { 2, 0 }
            << QByteArray(R"({"algorithm":{"detectors":[{"detector":71,"phase":2}],)"
                          R"("phases":[{"id":2,"stage":2}],)"
                          R"("sequence":[2],"type":"StageRing"},"id":2,"name":"By position"})");
        QTest::newRow("sequence not in id order, the first step")
            << ownFixture << "3" << QList<int> { 0 }
            << QByteArray(R"({"algorithm":{"coordinated":true,"cycle":60,"detectors":[)"
                          R"({"detector":71,"phase":1}],"offset":5,)"
                          R"("phases":[{"id":1,"stage":1},{"id":2,"stage":2}],)"
                          R"("sequence":[1,2],"type":"StageRing"},"id":3,)"
                          R"("name":"Sequence not in id order"})");
        // As a Delete of the stage that the step runs leaves the plan.
        QTest::newRow("stage-delete fixture, the middle step")
            << "zumolt/stage-delete.json"
            << "1" << QList<int> { 1 }
            << QByteArray(
                   R"({"algorithm":{"cycle":90,"detectors":[)"
                   R"({"control":true,"detector":72,"phase":3},)"
                   R"({"call":3,"detector":71,"indicator":72,"phase":1}],)"
                   R"("phases":[{"call":3,"id":1,"minGreen":8,"stage":2},{"id":3,"stage":3}],)"
                   R"("sequence":[1,3],"type":"StageRing"},"id":1,"name":"Ring"})");
        QTest::newRow("own ids 7 and 5, step 5")
            << "zumolt/stage-delete.json"
            << "2" << QList<int> { 1 }
            << QByteArray(R"({"algorithm":{"phases":[{"id":7,"stage":2}],"sequence":[7],)"
                          R"("type":"StageRing"},"id":2,"name":"Own ids"})");
    }

    void removeStepTakesWhatNamedIt()
    {
        QFETCH(QString, file);
        QFETCH(QString, plan);
        QFETCH(QList<int>, columns);
        QFETCH(QByteArray, saved);
        Loaded loaded;
        QVERIFY(load(loaded, TestSupport::dataPath(file)));
        const QByteArray before = loaded.config.save(loaded.controller);
        const CnfProgramPtr program = loaded.controller.findProgram(plan);
        ProgramDlgZU_MOLT dialog(nullptr, program, &loaded.controller);
        ParametersTable *steps = table(dialog, "dataTable");
        selectColumns(steps, columns);
        QMetaObject::invokeMethod(&dialog, "removeStep");
        QCOMPARE(steps->columnCount(), program->phaseCount() - columns.size());
        dialog.accept();
        QVERIFY(dialog.isModified());
        program->clone(dialog.program());

        const QJsonObject expected
            = withPlan(parsed(before), plan, QJsonDocument::fromJson(saved).object());
        QCOMPARE(compact(parsed(loaded.config.save(loaded.controller))), compact(expected));
    }

    // What names a removed step on screen is not set, also where the user had
    // just chosen that step in place of another, and in an event of his own.
    void removedStepChosenBeforeIsNotSet()
    {
        Loaded loaded;
        QVERIFY(load(loaded, TestSupport::dataPath(ownFixture)));
        const QByteArray before = loaded.config.save(loaded.controller);
        const CnfProgramPtr program = loaded.controller.findProgram(QStringLiteral("2"));
        ProgramDlgZU_MOLT dialog(nullptr, program, &loaded.controller);
        ParametersTable *steps = table(dialog, "dataTable");
        ParametersTable *events = table(dialog, "dtTable");
        // Step 3 called step 2 and the second event redirected to 2: both to 1 now.
        setTableCellValue(steps, StepRow::CallRow, 2, QStringLiteral("1"), true);
        setTableCellValue(events, EventRow::RedirectRow, 1, QStringLiteral("1"), true);
        QMetaObject::invokeMethod(&dialog, "addEvent");
        setTableCellValue(events, EventRow::EventStepRow, 3, QStringLiteral("3"), true);
        setTableCellValue(events, EventRow::CalledStepRow, 3, QStringLiteral("1"), true);
        setTableCellValue(events, EventRow::DetectorRow, 3, 72, true);

        selectColumns(steps, { 0 });
        QMetaObject::invokeMethod(&dialog, "removeStep");
        QCOMPARE(rowTexts(steps, StepRow::CallRow), (QStringList { "", "" }));
        QCOMPARE(rowTexts(events, EventRow::EventStepRow), (QStringList { "2", "3", "3" }));
        dialog.accept();
        program->clone(dialog.program());

        const QJsonObject expected
            = withPlan(parsed(before), QStringLiteral("2"),
                       QJsonDocument::fromJson(
                           R"({"algorithm":{"detectors":[{"call":3,"detector":71,"phase":2},)"
                           R"({"detector":72,"phase":3},{"detector":72,"phase":3}],)"
                           R"("phases":[{"id":2,"stage":2},{"id":3,"stage":3}],)"
                           R"("sequence":[2,3],"type":"StageRing"},"id":2,"name":"By position"})")
                           .object());
        QCOMPARE(compact(parsed(loaded.config.save(loaded.controller))), compact(expected));
    }

    // A new step takes an id that no other step has, once it has a stage; the
    // other steps keep theirs, and events can name it.
    void addedStepTakesAFreeId_data()
    {
        QTest::addColumn<QString>("plan");
        QTest::addColumn<QList<int>>("removedFirst");
        QTest::addColumn<QStringList>("ids");

        QTest::newRow("own ids 1 and 3: its position is taken")
            << "1" << QList<int>() << QStringList { "1", "3", "2" };
        QTest::newRow("ids by position")
            << "2" << QList<int>() << QStringList { "1", "2", "3", "4" };
        QTest::newRow("ids by position, the first removed before")
            << "2" << QList<int> { 0 } << QStringList { "2", "3", "1" };
        QTest::newRow("sequence not in id order")
            << "3" << QList<int>() << QStringList { "3", "1", "2", "4" };
    }

    void addedStepTakesAFreeId()
    {
        QFETCH(QString, plan);
        QFETCH(QList<int>, removedFirst);
        QFETCH(QStringList, ids);
        Loaded loaded;
        QVERIFY(load(loaded, TestSupport::dataPath(ownFixture)));
        const CnfProgramPtr program = loaded.controller.findProgram(plan);
        ProgramDlgZU_MOLT dialog(nullptr, program, &loaded.controller);
        ParametersTable *steps = table(dialog, "dataTable");
        ParametersTable *events = table(dialog, "dtTable");
        if (!removedFirst.isEmpty()) {
            selectColumns(steps, removedFirst);
            QMetaObject::invokeMethod(&dialog, "removeStep");
        }
        QMetaObject::invokeMethod(&dialog, "addStep");
        const int added = steps->columnCount() - 1;
        // Without a stage the step is not written and has no id yet.
        QCOMPARE(columnTitles(steps).last(), QString());
        QCOMPARE(choices(events, EventRow::EventStepRow), ids.mid(0, ids.size() - 1));

        setTableCellValue(steps, StepRow::PhaseRow, added, QStringLiteral("3"), true);
        QCOMPARE(columnTitles(steps), ids);
        QCOMPARE(choices(events, EventRow::EventStepRow), ids);
        const QString newId = ids.last();
        QMetaObject::invokeMethod(&dialog, "addEvent");
        const int event = events->columnCount() - 1;
        setTableCellValue(events, EventRow::EventStepRow, event, newId, true);
        setTableCellValue(events, EventRow::DetectorRow, event, 71, true);
        dialog.accept();
        program->clone(dialog.program());

        const QJsonObject saved = parsed(loaded.config.save(loaded.controller));
        QJsonObject algorithm;
        for (const QJsonValue &entry : saved.value(QStringLiteral("plans")).toArray()) {
            if (entry.toObject().value(QStringLiteral("id")).toVariant().toString() == plan)
                algorithm = entry.toObject().value(QStringLiteral("algorithm")).toObject();
        }
        QStringList written;
        for (const QJsonValue &step : algorithm.value(QStringLiteral("sequence")).toArray())
            written << QString::number(step.toInt());
        QCOMPARE(written, ids);
        const QJsonArray records = algorithm.value(QStringLiteral("detectors")).toArray();
        QCOMPARE(records.last().toObject(),
                 (QJsonObject { { "phase", newId.toInt() }, { "detector", 71 } }));
    }
};

PROJECT_TEST(TestProgramDlgZuMoltStepIds);
#include "tst_programdlgzumoltstepids.moc"
