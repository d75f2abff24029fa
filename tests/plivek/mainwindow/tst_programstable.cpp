#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/programstable.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include <QMessageBox>
#include <QTemporaryDir>
#include <QTime>
#include <QtTest>

using namespace WindowTesting;

namespace {

CnfProgramPtr addProgram(CnfController &controller, const QString &id,
                         const QString &name = QString())
{
    auto program = CnfProgramPtr::create(&controller);
    program->id = id;
    program->name = name;
    controller.addProgram(program);
    return program;
}

QStringList programIds(const CnfController &controller)
{
    QStringList ids;
    for (const CnfProgramPtr &program : controller.programs())
        ids << program->id;
    return ids;
}

} // namespace

class TestProgramsTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { actAsPlivek(emptyDir); }

    void init() { clearSettings(); }

    void duplicateIdsAndNames()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        addProgram(controller, QStringLiteral("1"), QStringLiteral("Morning"));
        addProgram(controller, QStringLiteral("2"), QStringLiteral("Peak 7"));
        addProgram(controller, QStringLiteral("4"), QStringLiteral("Morning_1"));
        QCOMPARE(
            ProgramsTable::duplicate(
                controller, { QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("99") }),
            2);
        QCOMPARE(programIds(controller), QStringList({ "1", "2", "4", "3", "5" }));
        QCOMPARE(controller.findProgram(QStringLiteral("3"))->name, QStringLiteral("Peak 8"));
        QCOMPARE(controller.findProgram(QStringLiteral("5"))->name, QStringLiteral("Morning_2"));
    }

    // Every use in the remote-control list is nulled in place; each day card
    // naming a removed program is listed once and keeps its reference.
    void removal()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const CnfProgramPtr first = addProgram(controller, QStringLiteral("1"));
        const CnfProgramPtr second = addProgram(controller, QStringLiteral("2"));
        addProgram(controller, QStringLiteral("3"));
        controller.setNativeData(QStringLiteral("vpu_programs"),
                                 QVariantList { "1", "3", "1", "2" });
        auto card = CnfDayCardPtr::create();
        card->id = QStringLiteral("1");
        card->name = QStringLiteral("Weekday");
        card->addRecord(QTime(6, 0), QTime(), first, second);
        card->addRecord(QTime(9, 0), QTime(), first, {});
        controller.addDayCard(card);
        auto other = CnfDayCardPtr::create();
        other->id = QStringLiteral("2");
        other->name = QStringLiteral("Holiday");
        other->addRecord(QTime(0, 0), QTime(), {}, second);
        controller.addDayCard(other);

        const ProgramsTable::Removal plan
            = ProgramsTable::planRemoval(controller, { QStringLiteral("1"), QStringLiteral("2") });
        QCOMPARE(plan.question,
                 QStringLiteral("Following programs will be deleted:\n1,2"
                                "\nRCU parameters will be changed after removal"
                                "\nAfter removal, the following daily cards will be wrong:\n"
                                "1,2"));
        QCOMPARE(controller.getNativeData(QStringLiteral("vpu_programs")).toList().size(), 4);
        ProgramsTable::remove(controller, plan);
        QCOMPARE(programIds(controller), QStringList({ "3" }));
        const QVariantList remote
            = controller.getNativeData(QStringLiteral("vpu_programs")).toList();
        QCOMPARE(remote.size(), 4);
        QVERIFY(remote.at(0).isNull() && remote.at(2).isNull() && remote.at(3).isNull());
        QCOMPARE(remote.at(1).toString(), QStringLiteral("3"));
        QCOMPARE(card->records.value(QTime(6, 0)).program, first);

        const ProgramsTable::Removal none
            = ProgramsTable::planRemoval(controller, { QStringLiteral("3") });
        QCOMPARE(none.question,
                 QStringLiteral("Following programs will be deleted:\n3\nRCU parameters will be "
                                "changed after removal"));
    }

    void sort_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numeric, not text")
            << QStringList { "10", "9", "x" } << QStringList { "x", "9", "10" };
        QTest::newRow("non-numbers keep their order")
            << QStringList { "b", "2", "a" } << QStringList { "b", "a", "2" };
        QTest::newRow("sorted stays")
            << QStringList { "1", "2", "3" } << QStringList { "1", "2", "3" };
    }

    void sort()
    {
        QFETCH(QStringList, ids);
        QFETCH(QStringList, sorted);
        CnfController controller;
        for (const QString &id : ids)
            addProgram(controller, id);
        QStringList result;
        for (const CnfProgramPtr &program : ProgramsTable::sortedById(controller.programs()))
            result << program->id;
        QCOMPARE(result, sorted);
    }

    void rowOrder()
    {
        CnfController controller;
        for (const QString &id : { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") })
            addProgram(controller, id);
        QTableWidget table;
        ProgramsTable::fill(&table, controller, QStringLiteral("3.18"));
        QCOMPARE(table.rowCount(), 3);
        QList<CnfProgramPtr> order;
        table.item(0, 0)->setText(QStringLiteral("3"));
        table.item(2, 0)->setText(QStringLiteral("1"));
        QVERIFY(ProgramsTable::orderOfRows(&table, controller, &order));
        QCOMPARE(order.first()->id, QStringLiteral("3"));
        table.item(1, 0)->setText(QStringLiteral("3"));
        QVERIFY(!ProgramsTable::orderOfRows(&table, controller, &order));
        table.item(1, 0)->setText(QStringLiteral("8"));
        QVERIFY(!ProgramsTable::orderOfRows(&table, controller, &order));
    }

    // The table's actions: sort, delete after the question, refused reorder.
    void throughTheWindow()
    {
        MainWindow window;
        CnfController &controller = window.document().controller();
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        for (const QString &id : { QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("x") })
            addProgram(controller, id);
        window.updateProgramsTable();
        QTableWidget *programs = table(window, "progTable");
        child<QAction>(*programs, "sortProgItems")->trigger();
        QCOMPARE(programIds(controller), QStringList({ "x", "9", "10" }));
        QCOMPARE(cellText(programs, 2, 0), QStringLiteral("10"));
        QVERIFY(window.document().isChanged());

        window.setChanged(false);
        programs->item(0, 0)->setText(QStringLiteral("9"));
        QMetaObject::invokeMethod(programs, "rowOrderChanged");
        QCOMPARE(programIds(controller), QStringList({ "x", "9", "10" }));
        QVERIFY(!window.document().isChanged());
        window.updateProgramsTable();

        programs->item(1, 0)->setSelected(true);
        programs->item(1, 1)->setSelected(true);
        ModalAnswerer yes;
        yes.pressButton(QMessageBox::Yes);
        child<QAction>(*programs, "progDelete")->trigger();
        QVERIFY(yes.answered());
        QCOMPARE(yes.seenText(), QStringLiteral("Following programs will be deleted:\n9"));
        QCOMPARE(programIds(controller), QStringList({ "x", "10" }));
        QCOMPARE(programs->rowCount(), 2);
    }

    // A program whose record was written before it held the steps keeps its steps
    // through its properties: the dialog shows them and OK stores them.
    void shortRecordKeepsItsSteps()
    {
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        const QByteArray full = program->data();
        program->setData(QByteArray::fromHex("0101"));
        QTableWidget *programs = table(window, "progTable");
        programs->clearSelection();
        programs->item(0, 0)->setSelected(true);
        ModalAnswerer answerer;
        answerer.answerWith([](QWidget *modal) {
            // The variant is not set in the short record: OK needs it.
            child<QTableWidget>(*modal, "tiverkTable")->item(0, 0)->setText(QStringLiteral("1"));
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        window.programsItemProperties();
        QVERIFY(answerer.answered());
        QCOMPARE(program->phaseCount(), 4);
        QCOMPARE(program->phaseDefAt(3)->id(), QStringLiteral("4"));
        QCOMPARE(program->phaseDefAt(3)->length(), 10);
        QCOMPARE(program->data().toHex(), full.toHex());
    }

    // A program added to a TIVERK 3.x or adapter document is of the controller's
    // program type, as the sample's programs are: the table names its algorithm
    // and the saved file keeps the type.
    void addedProgramOfTheFamilysType_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("family");
        QTest::newRow("TIVERK 3.18") << "tiverk318_intersection.cnf"
                                     << "3.18";
        QTest::newRow("adapter") << "adapter_crossing.txt"
                                 << "adapter";
    }

    void addedProgramOfTheFamilysType()
    {
        QFETCH(QString, sample);
        QFETCH(QString, family);
        const QString path = emptyDir.filePath(sample);
        QFile::remove(path);
        QVERIFY(QFile::copy(TestSupport::examplesPath(sample), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        MainWindow window;
        window.loadDocument(path);
        QVERIFY(window.document().lastError().isEmpty());
        CnfController &controller = window.document().controller();
        const QStringList before = programIds(controller);
        QVERIFY(!before.isEmpty());
        for (const CnfProgramPtr &program : controller.programs())
            QCOMPARE(program->type, int(CnfProgram::Tiverk));

        ModalAnswerer answerer;
        answerer.answerWith([](QWidget *modal) {
            auto *types = child<QComboBox>(*modal, "algType");
            types->setCurrentIndex(types->findData(2, Qt::UserRole + 1));
            child<QTableWidget>(*modal, "tiverkTable")->item(0, 0)->setText(QStringLiteral("1"));
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        QTableWidget *programs = table(window, "progTable");
        child<QAction>(*programs, "progAdd")->trigger();
        QVERIFY(answerer.answered());
        QCOMPARE(programIds(controller).size(), before.size() + 1);
        const CnfProgramPtr added = controller.programs().last();
        QCOMPARE(added->type, int(CnfProgram::Tiverk));
        QCOMPARE(added->kind, 2);
        const int row = programs->rowCount() - 1;
        QCOMPARE(cellText(programs, row, 0), added->id);
        QCOMPARE(cellText(programs, row, 2), CnfProgram::tiverkTypeName(2, family, true));

        child<QAction>(window, "actionSave")->trigger();
        QVERIFY(messageTexts(window).contains(QStringLiteral("Saving complete")));
        CnfController saved;
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY(native && native->createController(saved));
        const CnfProgramPtr reloaded = saved.findProgram(added->id);
        QVERIFY(reloaded);
        QCOMPARE(reloaded->type, int(CnfProgram::Tiverk));
        QCOMPARE(reloaded->kind, 2);
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestProgramsTable);
#include "tst_programstable.moc"
