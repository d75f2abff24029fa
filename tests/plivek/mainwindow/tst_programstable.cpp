#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "modalanswerer.h"
#include "plivek/mainwindow/programstable.h"
#include "testdata.h"
#include "testmain.h"
#include "windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTime>
#include <QtTest>

#include <functional>

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

// Selects the row of the program and deletes it, answering the question with
// Yes; the question's text.
QString deleteProgram(MainWindow &window, const QString &id)
{
    QTableWidget *programs = table(window, "progTable");
    programs->clearSelection();
    for (int row = 0; row < programs->rowCount(); ++row) {
        if (cellText(programs, row, 0) == id)
            programs->item(row, 0)->setSelected(true);
    }
    ModalAnswerer yes;
    yes.pressButton(QMessageBox::Yes);
    child<QAction>(*programs, "progDelete")->trigger();
    return yes.seenText();
}

// A copy of the file at `source`, as `folder`/its name in dir, opened in a fresh
// window, saved with the Save action after `edit`: the saved bytes, empty
// when a step failed.
QByteArray savedCopy(const QTemporaryDir &dir, const QString &source, const QString &folder,
                     const std::function<void(MainWindow &)> &edit)
{
    QDir(dir.path()).mkpath(folder);
    const QString path = dir.filePath(folder + QLatin1Char('/') + QFileInfo(source).fileName());
    QFile::remove(path);
    if (!QFile::copy(source, path))
        return QByteArray();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    MainWindow window;
    window.loadDocument(path);
    if (!window.document().lastError().isEmpty())
        return QByteArray();
    edit(window);
    window.setChanged(true);
    child<QAction>(window, "actionSave")->trigger();
    if (!messageTexts(window).contains(QStringLiteral("Saving complete")))
        return QByteArray();
    return TestSupport::readFile(path);
}

// The program that a record names by its place in the program list; empty
// when not set.
QString namedProgram(const CnfController &controller, const CnfProgram &program)
{
    const QList<int> places
        = CnfProgramRecord::listValues(controller.tiverkLayout(), program.data(),
                                       QString::fromLatin1(CnfProgramRecord::ProgramIndexList));
    return places.isEmpty() ? QString() : programIds(controller).value(places.first(), "?");
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

    // A copy's record names the copy: byte 0 is the program number; the
    // rest of the record is the source's. A record that holds no number
    // (a fixed-time program of TIVERK II) is copied as it is.
    void duplicateNamesTheCopyInItsRecord_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("algorithm");
        QTest::addColumn<QByteArray>("copied");
        QTest::newRow("TIVERK 3.18") << "tiverk" << true << QByteArray::fromHex("0104ff0102");
        QTest::newRow("TIVERK II algorithm")
            << "tiverkii" << true << QByteArray::fromHex("0104ff0102");
        QTest::newRow("TIVERK II fixed time")
            << "tiverkii" << false << QByteArray::fromHex("0304ff0102");
    }

    void duplicateNamesTheCopyInItsRecord()
    {
        QFETCH(QString, family);
        QFETCH(bool, algorithm);
        QFETCH(QByteArray, copied);
        CnfController controller;
        CnfNative::initController(controller, family,
                                  family == QLatin1String("tiverk") ? QStringLiteral("3.18")
                                                                    : QString());
        const CnfProgramPtr source = addProgram(controller, QStringLiteral("3"));
        source->type = algorithm ? CnfProgram::Tiverk : CnfProgram::FixedTime;
        const QByteArray record = QByteArray::fromHex("0304ff0102");
        source->setData(record);
        QCOMPARE(ProgramsTable::duplicate(controller, { QStringLiteral("3") }), 1);
        QCOMPARE(controller.findProgram(QStringLiteral("1"))->data(), copied);
        QCOMPARE(source->data(), record);
    }

    // Every use in the remote-control lists is nulled in place; each day card
    // naming a removed program is listed once and keeps its reference; the
    // calendar's default and reserve program that go are named.
    void removal()
    {
        CnfController controller;
        CnfNative::initController(controller, QStringLiteral("tiverk"), QStringLiteral("3.18"));
        const CnfProgramPtr first = addProgram(controller, QStringLiteral("1"));
        const CnfProgramPtr second = addProgram(controller, QStringLiteral("2"));
        addProgram(controller, QStringLiteral("3"));
        controller.setNativeData(QStringLiteral("vpu_programs"),
                                 QVariantList { "1", "3", "1", "2" });
        controller.nativeData()["remoteControlPanel"]["VPU1"]["programId"]
            = QVariant(QVariantList { 2, 3 });
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

        controller.setDefaultProgram(second);
        controller.setReserveProgram(first);

        const ProgramsTable::Removal plan
            = ProgramsTable::planRemoval(controller, { QStringLiteral("1"), QStringLiteral("2") });
        QCOMPARE(plan.question,
                 QStringLiteral("Following programs will be deleted:\n1,2"
                                "\nRCU parameters will be changed after removal"
                                "\nAfter removal, the following daily cards will be wrong:\n"
                                "1,2"
                                "\nAfter removal, the calendar will have no default program"
                                "\nAfter removal, the calendar will have no reserve program"));
        QCOMPARE(controller.getNativeData(QStringLiteral("vpu_programs")).toList().size(), 4);
        ProgramsTable::remove(controller, plan);
        QCOMPARE(programIds(controller), QStringList({ "3" }));
        const QVariantList remote
            = controller.getNativeData(QStringLiteral("vpu_programs")).toList();
        QCOMPARE(remote.size(), 4);
        QVERIFY(remote.at(0).isNull() && remote.at(2).isNull() && remote.at(3).isNull());
        QCOMPARE(remote.at(1).toString(), QStringLiteral("3"));
        QCOMPARE(
            controller.nativeData()["remoteControlPanel"]["VPU1"]["programId"].toVariant().toList(),
            (QVariantList { QVariant(), 3 }));
        QVERIFY(!card->records.value(QTime(6, 0)).program);
        QCOMPARE(card->records.value(QTime(6, 0)).programId(), first->id);
        QCOMPARE(other->records.value(QTime(0, 0)).reserveId(), second->id);
        QVERIFY(!controller.defaultProgram() && !controller.reserveProgram());

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

    // A queue program (kind 10) and a return program (kind 4) are held as a
    // place in the program list. After a drag, "Sort" or Delete the program
    // dialog's cell and the record name the same program, also after a save
    // and a load; a deleted one reads not set, and the question names the
    // program that loses it.
    void queueAndReturnProgramsFollow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("named"); // empty: not set
        for (const int kind : { 10, 4 }) {
            const char *name = kind == 10 ? "queue" : "return";
            for (const char *step : { "drag", "Sort", "delete another" })
                QTest::addRow("%s program, %s", name, step) << kind << step << "3";
            QTest::addRow("%s program, delete it", name) << kind << "delete it"
                                                         << "";
        }
    }

    void queueAndReturnProgramsFollow()
    {
        QFETCH(int, kind);
        QFETCH(QString, step);
        QFETCH(QString, named);
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        const CnfProgramPtr referring
            = addProgram(controller, QStringLiteral("4"), kind == 10 ? "Queue control" : "Call");
        referring->type = CnfProgram::Tiverk;
        // 3.18: kind 10 holds its queue program in byte 5, kind 4 its call
        // phase in byte 5 and its return program in byte 7; program 3 is at place 2.
        const QByteArray record = kind == 10 ? QByteArray::fromHex("040a01013202")
                                             : QByteArray::fromHex("0404010000041402");
        QVERIFY(controller.setProgramRawData(referring, record));
        window.updateProgramsTable();
        const QString field
            = QString::fromUtf8(kind == 10 ? "Программа при очереди" : "Программа возврата");
        QCOMPARE(programDialogCell(controller, referring, field), QStringLiteral("3"));

        QTableWidget *programs = table(window, "progTable");
        QString question;
        if (step == QLatin1String("drag")) {
            dragRows(programs, { 2 }, 0);
            QCOMPARE(programIds(controller), QStringList({ "3", "1", "2", "4" }));
        } else if (step == QLatin1String("Sort")) {
            dragRows(programs, { 3, 2 }, 0);
            QCOMPARE(programIds(controller), QStringList({ "4", "3", "1", "2" }));
            QCOMPARE(programDialogCell(controller, referring, field), QStringLiteral("3"));
            child<QAction>(*programs, "sortProgItems")->trigger();
            QCOMPARE(programIds(controller), QStringList({ "1", "2", "3", "4" }));
        } else {
            // Both day cards run programs 1 and 3; 1 is the calendar's default
            // program, 3 its reserve program.
            const bool itself = step == QLatin1String("delete it");
            question = deleteProgram(window, itself ? "3" : "1");
            QCOMPARE(question,
                     QStringLiteral("Following programs will be deleted:\n%1"
                                    "\nAfter removal, the following daily cards will be wrong:"
                                    "\n1,2%2")
                         .arg(itself ? "3" : "1",
                              itself ? "\nAfter removal, the following programs will lose the "
                                       "program they switch to:\n4"
                                       "\nAfter removal, the calendar will have no reserve program"
                                     : "\nAfter removal, the calendar will have no default "
                                       "program"));
        }
        QVERIFY(window.document().isChanged());
        QCOMPARE(programDialogCell(controller, referring, field), named);
        QCOMPARE(namedProgram(controller, *referring), named);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("moved.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        MainWindow reopened;
        reopened.loadDocument(path);
        CnfController &loaded = reopened.document().controller();
        const CnfProgramPtr reread = loaded.findProgram(QStringLiteral("4"));
        QVERIFY(reread);
        QCOMPARE(programDialogCell(loaded, reread, field), named);
        QCOMPARE(namedProgram(loaded, *reread), named);
    }

    // Deleting a program leaves the day cards as they are: the saved file keeps
    // their records' ids of it and only the program is gone; the file reads back
    // and saves again to the same bytes.
    void deletedProgramStaysInDayCards_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("cards"); // the day cards the question names
        QTest::newRow("TIVERK 3.18 .cnf") << "tiverk318_intersection.cnf"
                                          << "2"
                                          << "1";
        QTest::newRow("TIVERK 3.18 .xcnf") << "tiverk318_intersection.xcnf"
                                           << "2"
                                           << "1";
        QTest::newRow("TIVERK II") << "tiverkii_intersection.json"
                                   << "2"
                                   << "1";
        QTest::newRow("ZU_MOLT") << "zumolt_intersection.json"
                                 << "3"
                                 << "1,2";
    }

    void deletedProgramStaysInDayCards()
    {
        QFETCH(QString, sample);
        QFETCH(QString, deleted);
        QFETCH(QString, cards);
        QTemporaryDir dir;
        const QString source = TestSupport::examplesPath(sample);
        const QByteArray plain = savedCopy(dir, source, "plain", [](MainWindow &) {});
        QString question;
        const QByteArray saved = savedCopy(dir, source, "deleted", [&](MainWindow &window) {
            question = deleteProgram(window, deleted);
        });
        QVERIFY(!plain.isEmpty());
        QVERIFY(!saved.isEmpty());
        QCOMPARE(question,
                 QStringLiteral("Following programs will be deleted:\n%1"
                                "\nAfter removal, the following daily cards will be wrong:\n%2")
                     .arg(deleted, cards));

        if (sample.endsWith(QLatin1String(".json"))) {
            QJsonObject expected = QJsonDocument::fromJson(plain).object();
            const QString list = expected.contains(QStringLiteral("plans"))
                ? QStringLiteral("plans")
                : QStringLiteral("programs");
            QJsonArray programs = expected.value(list).toArray();
            const int before = programs.size();
            for (int i = programs.size() - 1; i >= 0; --i) {
                if (programs.at(i).toObject().value(QStringLiteral("id")).toVariant().toString()
                    == deleted)
                    programs.removeAt(i);
            }
            QCOMPARE(programs.size(), before - 1);
            expected.insert(list, programs);
            QVERIFY(QJsonDocument::fromJson(saved).isObject());
            QCOMPARE(QJsonDocument::fromJson(saved).toJson(), QJsonDocument(expected).toJson());
        } else {
            const QRegularExpression program(
                QStringLiteral(R"(\n *<Program id="%1" .*?</Program>)").arg(deleted),
                QRegularExpression::DotMatchesEverythingOption);
            QString expected = QString::fromUtf8(plain);
            QCOMPARE(expected.count(program), 1);
            expected.remove(program);
            QCOMPARE(QString::fromUtf8(saved), expected);
        }

        const QByteArray again = savedCopy(
            dir, dir.filePath(QStringLiteral("deleted/") + QFileInfo(source).fileName()), "again",
            [](MainWindow &) {});
        QCOMPARE(again, saved);
    }

    // A program given a new id in its properties keeps its remote-control
    // buttons.
    void changedIdKeepsTheRemoteControl()
    {
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        controller.setNativeData(QStringLiteral("vpu_programs"), QVariantList { "2", "3", "2" });
        QTableWidget *programs = table(window, "progTable");
        programs->clearSelection();
        programs->item(1, 0)->setSelected(true);
        ModalAnswerer answerer;
        answerer.answerWith([](QWidget *modal) {
            auto *number = child<QLineEdit>(*modal, "progNum");
            number->clear();
            QTest::keyClicks(number, QStringLiteral("12"));
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        window.programsItemProperties();
        QVERIFY(answerer.answered());
        QCOMPARE(programIds(controller), QStringList({ "1", "12", "3" }));
        QCOMPARE(controller.getNativeData(QStringLiteral("vpu_programs")).toList(),
                 (QVariantList { "12", "3", "12" }));
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

    // After a Delete of a program that day cards run, Duplicate does not give
    // the copy that program's id: the cards keep naming a program that does
    // not exist, in every family, and a program given that id would ask.
    void duplicateSkipsIdsOfDayCards_data()
    {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("copy"); // the copy's id
        QTest::addColumn<QString>("cards"); // the cards that still name the deleted id
        QTest::newRow("TIVERK 3.18 .cnf") << "tiverk318_intersection.cnf"
                                          << "3"
                                          << "4"
                                          << "1,2";
        QTest::newRow("TIVERK 3.18 .xcnf") << "tiverk318_intersection.xcnf"
                                           << "3"
                                           << "4"
                                           << "1,2";
        QTest::newRow("TIVERK II") << "tiverkii_intersection.json"
                                   << "3"
                                   << "4"
                                   << "1,2";
        QTest::newRow("ZU_MOLT") << "zumolt_intersection.json"
                                 << "3"
                                 << "6"
                                 << "1,2";
        QTest::newRow("adapter") << "adapter_crossing.txt"
                                 << "2"
                                 << "3"
                                 << "1,2";
    }

    void duplicateSkipsIdsOfDayCards()
    {
        QFETCH(QString, sample);
        QFETCH(QString, deleted);
        QFETCH(QString, copy);
        QFETCH(QString, cards);
        MainWindow window;
        window.loadDocument(TestSupport::examplesPath(sample));
        QVERIFY(window.document().lastError().isEmpty());
        CnfController &controller = window.document().controller();
        deleteProgram(window, deleted);
        QVERIFY(!controller.findProgram(deleted));
        const QStringList before = programIds(controller);

        QTableWidget *programs = table(window, "progTable");
        programs->clearSelection();
        programs->item(0, 0)->setSelected(true);
        child<QAction>(*programs, "programDuplicateItems")->trigger();
        QCOMPARE(programIds(controller), before + QStringList { copy });
        QCOMPARE(controller.dayCardsNamingMissingProgram(deleted).join(QLatin1Char(',')), cards);
        // A program given the deleted id asks first, naming the cards.
        QCOMPARE(
            ProgramsTable::takeOverQuestion(controller, deleted),
            QStringLiteral("The following daily cards name program %1, which does not "
                           "exist:\n%2\nA program given id %1 runs their slots. Give it id %1?")
                .arg(deleted, cards));
        QCOMPARE(ProgramsTable::takeOverQuestion(controller, QStringLiteral("99")), QString());
        for (const CnfDayCardPtr &card : controller.dayCards()) {
            for (const CnfDayCardRecord &record : qAsConst(card->records)) {
                QVERIFY(record.program != controller.findProgram(copy));
                QVERIFY(record.reserve != controller.findProgram(copy));
            }
        }
    }

    // A program given an id that day cards name from a deleted program (new
    // in the properties dialog, or typed in Add's dialog) takes it only after
    // a question naming the cards: Yes, the cards run it; No, nothing changes.
    // Add proposes an id no card names.
    void idOfDayCardsAsks_data()
    {
        QTest::addColumn<bool>("add");
        QTest::addColumn<bool>("yes");
        QTest::newRow("new id, Yes") << false << true;
        QTest::newRow("new id, No") << false << false;
        QTest::newRow("Add, Yes") << true << true;
        QTest::newRow("Add, No") << true << false;
    }

    void idOfDayCardsAsks()
    {
        QFETCH(bool, add);
        QFETCH(bool, yes);
        MainWindow window;
        window.loadDocument(
            TestSupport::examplesPath(QStringLiteral("tiverk318_intersection.cnf")));
        CnfController &controller = window.document().controller();
        deleteProgram(window, QStringLiteral("3"));
        const CnfProgramPtr first = controller.findProgram(QStringLiteral("1"));
        const QByteArray firstRecord = first->data();
        window.setChanged(false);

        ModalAnswerer question;
        QString proposed;
        ModalAnswerer answerer;
        answerer.answerWith([&](QWidget *modal) {
            auto *number = child<QLineEdit>(*modal, "progNum");
            proposed = number->text();
            if (add) {
                auto *types = child<QComboBox>(*modal, "algType");
                types->setCurrentIndex(types->findData(0, Qt::UserRole + 1));
            }
            number->clear();
            QTest::keyClicks(number, QStringLiteral("3"));
            question.pressButton(yes ? QMessageBox::Yes : QMessageBox::No);
            child<QDialogButtonBox>(*modal, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        });
        QTableWidget *programs = table(window, "progTable");
        if (add) {
            child<QAction>(*programs, "progAdd")->trigger();
        } else {
            programs->clearSelection();
            programs->item(0, 0)->setSelected(true);
            window.programsItemProperties();
        }
        QVERIFY(answerer.answered());
        QCOMPARE(proposed, add ? QStringLiteral("4") : QStringLiteral("1"));
        QVERIFY(question.answered());
        QCOMPARE(question.seenTitle(), QStringLiteral("Program id"));
        QCOMPARE(question.seenText(),
                 QStringLiteral("The following daily cards name program 3, which does not exist:\n"
                                "1,2\nA program given id 3 runs their slots. Give it id 3?"));

        const CnfProgramPtr third = controller.findProgram(QStringLiteral("3"));
        QCOMPARE(third != nullptr, yes);
        QCOMPARE(window.document().isChanged(), yes);
        QCOMPARE(controller.dayCardsNamingMissingProgram(QStringLiteral("3")).isEmpty(), yes);
        QCOMPARE(programs->rowCount(), controller.programs().size());
        if (add) {
            QCOMPARE(programIds(controller),
                     yes ? QStringList({ "1", "2", "3" }) : QStringList({ "1", "2" }));
        } else {
            QCOMPARE(programIds(controller),
                     yes ? QStringList({ "3", "2" }) : QStringList({ "1", "2" }));
            QCOMPARE(third == first, yes);
            // No: the program keeps its id and its record.
            if (!yes)
                QCOMPARE(first->data(), firstRecord);
        }
        if (yes) {
            // Every slot that named 3 runs the program now.
            for (const CnfDayCardPtr &card : controller.dayCards()) {
                for (const CnfDayCardRecord &record : qAsConst(card->records)) {
                    if (record.programId() == QLatin1String("3"))
                        QCOMPARE(record.program, third);
                    if (record.reserveId() == QLatin1String("3"))
                        QCOMPARE(record.reserve, third);
                }
            }
        }
    }

private:
    QTemporaryDir emptyDir;
};

PROJECT_TEST(TestProgramsTable);
#include "tst_programstable.moc"
