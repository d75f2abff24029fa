#include "cnf/cnfcontroller.h"
#include "cnf/cnfnative.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/interstatesdlg.h"
#include "plivek/programs/programdlg.h"
#include "plivek/programs/tiverk3/algorithmtable.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "testdata.h"
#include "testmain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

bool loadExample(CnfController &controller, const QString &name)
{
    const CnfNativePtr native = CnfNative::loadNativeConfig(TestSupport::examplesPath(name));
    return native && native->createController(controller);
}

template<typename T> T *child(const QObject &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

// The program with a full record: its type, the variant 1, the rest not set.
CnfProgramPtr fullRecordProgram(CnfController &controller, const QString &id)
{
    const CnfProgramPtr program = controller.findProgram(id);
    QByteArray bytes(64, char(255));
    bytes[0] = char(id.toInt());
    bytes[1] = char(program->kind);
    bytes[2] = 1;
    controller.setProgramRawData(program, bytes);
    return program;
}

// A timeline program 97 of 60 s, without a record, as a TIVERK 3.x file
// holds one.
CnfProgramPtr addTimelineProgram(CnfController &controller)
{
    auto timeline = CnfProgramPtr::create(&controller);
    timeline->id = QStringLiteral("97");
    timeline->type = CnfProgram::Timeline;
    timeline->kind = 0;
    timeline->cycleLength = 60;
    controller.addProgram(timeline);
    return timeline;
}

// The nested table of the step sequence: the first cell holding a table.
ParametersTable *sequenceTable(const ParametersTable &table)
{
    for (int column = 0; column < table.columnCount(); ++column) {
        if (auto *nested = qobject_cast<ParametersTable *>(table.cellWidget(0, column)))
            return nested;
    }
    return nullptr;
}

// The texts of the first row of a table.
QStringList tableTexts(const ParametersTable &table)
{
    QStringList texts;
    for (int column = 0; column < table.columnCount(); ++column)
        texts << (table.item(0, column) ? table.item(0, column)->text() : QString());
    return texts;
}

// Phase and duration of every sequence row that has a phase.
QStringList stepCells(const ParametersTable &table)
{
    QStringList cells;
    const ParametersTable *sequence = sequenceTable(table);
    for (int row = 0; sequence && row < sequence->rowCount(); ++row) {
        const QTableWidgetItem *phase = sequence->item(row, 0);
        if (!phase || phase->text().isEmpty())
            break;
        cells << phase->text() << sequence->item(row, 1)->text();
    }
    return cells;
}

// The bars of one chart row in time order, as "from-to fill".
QStringList chartRow(const plotlet::Chart &chart, double y)
{
    QVector<plotlet::ColorHBoxSeries::Bar> found;
    for (const plotlet::Series *series : chart.series()) {
        if (const auto *bars = qobject_cast<const plotlet::ColorHBoxSeries *>(series)) {
            for (const auto &bar : bars->bars()) {
                if (bar.row == y && bar.to > bar.from)
                    found.append(bar);
            }
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.from < b.from; });
    QStringList texts;
    for (const auto &bar : found) {
        const QString fill = !bar.pixmap.isNull() ? QStringLiteral("blink")
            : bar.color2.isValid()                ? QStringLiteral("red+yellow")
            : bar.color == QColor(Qt::green)      ? QStringLiteral("green")
            : bar.color == QColor(Qt::yellow)     ? QStringLiteral("yellow")
                                                  : QStringLiteral("red");
        texts << QStringLiteral("%1-%2 %3").arg(bar.from).arg(bar.to).arg(fill);
    }
    return texts;
}

// The x range every series of the chart covers.
QRectF chartBounds(const plotlet::Chart &chart)
{
    QRectF bounds;
    for (const plotlet::Series *series : chart.series())
        bounds |= series->bounds();
    return bounds;
}

bool okEnabled(const ProgramDlg &dialog)
{
    auto *box = child<QDialogButtonBox>(dialog, "buttonBox");
    return box->isEnabled() && box->button(QDialogButtonBox::Ok)->isEnabled();
}

} // namespace

// Receives the dialog's messages in place of the main window.
class MessageSink : public QWidget
{
    Q_OBJECT
public slots:
    void printError(const QString &message) { errors << message; }
    void printWarning(const QString &message) { warnings << message; }

public:
    QStringList errors;
    QStringList warnings;
};

class TestTiverk3ProgramDlg : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void setUp()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverk"));
        controller.setProperty("version", QStringLiteral("3.18"));
        for (const char *id : { "1", "2", "4" }) {
            auto program = CnfProgramPtr::create(&controller);
            program->id = QLatin1String(id);
            QVERIFY(controller.addProgram(program));
        }
        ProgramDlg dialog(nullptr, CnfProgramPtr(), &controller, false);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Control plan"));
        for (const char *name : { "label_2",           "progNum",        "label_7",
                                  "progName",          "label",          "algType",
                                  "label_3",           "action_time",    "changeActionTime",
                                  "showDiagramm",      "progParamPages", "page",
                                  "tiverkPage",        "diagrammPage",   "label_5",
                                  "cycleOffset",       "label_8",        "greenStartTime",
                                  "tiverkTable",       "chart",          "label_4",
                                  "cycleLength",       "changeMatrix",   "phaseTable",
                                  "interstate_widget", "buttonBox",      "frame" })
            QVERIFY2(dialog.findChild<QWidget *>(QLatin1String(name)), name);
        // Programs 1, 2 and 4 exist: the new one is 3, a full record of "not set".
        QCOMPARE(dialog.program()->id, QStringLiteral("3"));
        QCOMPARE(child<QLineEdit>(dialog, "progNum")->text(), QStringLiteral("3"));
        QCOMPARE(dialog.program()->data(), QByteArray(64, char(255)));
        QCOMPARE(child<QComboBox>(dialog, "algType")->count(), 12);
        QCOMPARE(child<QComboBox>(dialog, "algType")->currentIndex(), 0);
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 300);

        // "0" and another program's number block OK; the name never does.
        auto *number = child<QLineEdit>(dialog, "progNum");
        QVERIFY(okEnabled(dialog));
        number->setText(QStringLiteral("0"));
        QVERIFY(!okEnabled(dialog));
        number->setText(QStringLiteral("2"));
        QVERIFY(!okEnabled(dialog));
        number->setText(QStringLiteral("5"));
        QVERIFY(okEnabled(dialog));
        child<QLineEdit>(dialog, "progName")->setText(QString());
        QVERIFY(okEnabled(dialog));

        // A new program starts modified: OK accepts it with its number and type.
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->id, QStringLiteral("5"));
        QCOMPARE(dialog.program()->data().left(2), QByteArray::fromHex("0500"));
    }

    void nameOfAnotherFamily()
    {
        CnfController controller;
        controller.setProperty("type", QStringLiteral("tiverkii"));
        auto named = CnfProgramPtr::create(&controller);
        named->id = QStringLiteral("1");
        named->name = QStringLiteral("Program.1");
        QVERIFY(controller.addProgram(named));
        ProgramDlg dialog(nullptr, CnfProgramPtr(), &controller, false);
        QCOMPARE(dialog.program()->name, QStringLiteral("Program.2"));
        QCOMPARE(child<QLineEdit>(dialog, "progName")->text(), QStringLiteral("Program.2"));
        // Taking the other's name blocks OK.
        child<QLineEdit>(dialog, "progName")->setText(QStringLiteral("Program.1"));
        QVERIFY(!okEnabled(dialog));
    }

    // A type the adapter layout does not describe: no type chosen, no
    // parameters, and a message that says why instead of a blank form.
    void typeMissingFromTheLayout()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("adapter_crossing.txt")));
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        program->kind = 3;
        ProgramDlg dialog(nullptr, program, &controller, false);
        auto *types = child<QComboBox>(dialog, "algType");
        QCOMPARE(types->count(), 3);
        QCOMPARE(types->currentIndex(), -1);
        QCOMPARE(child<ParametersTable>(dialog, "tiverkTable")->columnCount(), 0);
        QVERIFY(child<QPushButton>(dialog, "showDiagramm")->isHidden());
        auto *message = child<QLabel>(dialog, "typeMessage");
        QVERIFY(!message->isHidden());
        QVERIFY2(message->text().contains(QLatin1String("Vehicle actuated")),
                 qPrintable(message->text()));
        // Choosing a type the layout has puts its parameters in place of the message.
        types->setCurrentIndex(1);
        QVERIFY(message->isHidden());
        QVERIFY(child<ParametersTable>(dialog, "tiverkTable")->columnCount() > 0);
    }

    void samplePrograms_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("TIVERK 3.18") << "tiverk318_intersection.cnf";
        QTest::newRow("adapter") << "adapter_crossing.txt";
    }

    // Every program of the samples opens with its type, its variant and its
    // steps in the table, the same steps the diagram draws.
    void samplePrograms()
    {
        QFETCH(QString, file);
        CnfController controller;
        QVERIFY(loadExample(controller, file));
        int withSteps = 0;
        for (const CnfProgramPtr &program : controller.programs()) {
            ProgramDlg dialog(nullptr, program, &controller, false);
            auto *types = child<QComboBox>(dialog, "algType");
            QVERIFY2(types->currentIndex() >= 0, qPrintable(program->id));
            QCOMPARE(types->currentData(Qt::UserRole + 1).toInt(), program->kind);
            QCOMPARE(types->currentText(),
                     CnfProgram::tiverkTypeName(program->kind, QStringLiteral("3.18"), true));
            QVERIFY(child<QLabel>(dialog, "typeMessage")->isHidden());
            const QStringList cells = tableTexts(*child<ParametersTable>(dialog, "tiverkTable"));
            QStringList expected;
            if (program->phaseCount() > 0) {
                ++withSteps;
                expected << QString::number(program->interstateVariant);
                for (const CnfPhaseDefPtr &def : program->phases())
                    expected << def->id() << QString::number(def->length());
            }
            // Other fields of the sequence rows are not set.
            QCOMPARE(cells.mid(0, 1) + stepCells(*child<ParametersTable>(dialog, "tiverkTable")),
                     expected);
        }
        QVERIFY(withSteps > 0);
    }

    // A step's duration changed in the table reaches the raw record and the
    // program's steps on OK, and both survive saving and loading.
    void durationEditedSavedAndReloaded()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        const QByteArray before = stored->data();
        QCOMPARE(before.size(), 64);
        QCOMPARE(quint8(before.at(4)), quint8(8));
        ProgramDlg dialog(nullptr, stored, &controller, false);
        auto *sequence = sequenceTable(*child<ParametersTable>(dialog, "tiverkTable"));
        QVERIFY(sequence);
        QCOMPARE(sequence->item(0, 0)->text(), QStringLiteral("2"));
        QCOMPARE(sequence->item(0, 1)->text(), QStringLiteral("8"));
        sequence->item(0, 1)->setText(QStringLiteral("13"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QByteArray after = before;
        after[4] = 13;
        QCOMPARE(dialog.program()->data().toHex(), after.toHex());
        QCOMPARE(dialog.program()->phaseDefAt(0)->length(), 13);
        QCOMPARE(dialog.program()->phaseCount(), 4);

        stored->clone(dialog.program());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("edited.cnf"));
        QString error;
        QVERIFY2(CnfNative::save(path, controller, error), qPrintable(error));
        CnfController reloaded;
        const CnfNativePtr native = CnfNative::loadNativeConfig(path);
        QVERIFY(native && native->createController(reloaded));
        const CnfProgramPtr program = reloaded.findProgram(QStringLiteral("1"));
        QCOMPARE(program->data().toHex(), after.toHex());
        QCOMPARE(program->phaseDefAt(0)->length(), 13);
        // The diagram draws the step 13 s long.
        ProgramDlg again(nullptr, program, &reloaded, false);
        child<QPushButton>(again, "showDiagramm")->setChecked(true);
        QCOMPARE(child<ParametersTable>(again, "phaseTable")->item(1, 0)->text(),
                 QStringLiteral("13"));
    }

    // A record shorter than the layout's keeps every value typed into it: OK
    // extends it (new bytes "not set") before the cells are written; the rows
    // not typed over keep the program's steps. A record only looked at stays as
    // it was.
    void shortRecordIsExtendedOnOk()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        stored->setData(QByteArray::fromHex("0101"));
        {
            ProgramDlg dialog(nullptr, stored, &controller, false);
            child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
            child<QPushButton>(dialog, "showDiagramm")->setChecked(false);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.program()->data(), QByteArray::fromHex("0101"));
        }
        ProgramDlg dialog(nullptr, stored, &controller, false);
        auto *table = child<ParametersTable>(dialog, "tiverkTable");
        QCOMPARE(table->item(0, 0)->text(), QString());
        table->item(0, 0)->setText(QStringLiteral("1"));
        auto *sequence = sequenceTable(*table);
        sequence->item(0, 0)->setText(QStringLiteral("3"));
        sequence->item(0, 1)->setText(QStringLiteral("40"));
        sequence->item(1, 0)->setText(QStringLiteral("1"));
        sequence->item(1, 1)->setText(QStringLiteral("20"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QByteArray expected(64, char(255));
        expected.replace(0, 11, QByteArray::fromHex("010101022800140214030a"));
        QCOMPARE(dialog.program()->data().toHex(), expected.toHex());
        QCOMPARE(dialog.program()->phaseCount(), 4);
        QCOMPARE(dialog.program()->phaseDefAt(0)->id(), QStringLiteral("3"));
        QCOMPARE(dialog.program()->phaseDefAt(0)->length(), 40);
        QCOMPARE(dialog.program()->phaseDefAt(3)->id(), QStringLiteral("4"));
    }

    // A program whose record ends before its step sequence (files written before the
    // record held it) shows its steps in the table, and a coordinated one the cycle
    // they make; OK with only the variant set keeps every step and the offset, and
    // the record then holds them. Only a row the user clears removes a step.
    void shortRecordKeepsTheSteps_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("cycle"); // the cycle cell; empty: the kind has none
        // The variant set; a coordinated program's cycle follows its transitions.
        QTest::addColumn<int>("variant");
        const QStringList local { "2", "8", "1", "35", "3", "20", "4", "10" };
        const QStringList coordinated { "2", "12", "1", "50", "3", "25" };
        QTest::newRow("empty record") << "1" << 0 << local << QString() << 2;
        QTest::newRow("number and kind") << "1" << 2 << local << QString() << 2;
        QTest::newRow("one byte short") << "1" << 63 << local << QString() << 2;
        QTest::newRow("coordinated, empty record") << "2" << 0 << coordinated << "114" << 1;
        QTest::newRow("coordinated, number and kind") << "2" << 2 << coordinated << "114" << 1;
    }

    void shortRecordKeepsTheSteps()
    {
        QFETCH(QString, id);
        QFETCH(int, size);
        QFETCH(QStringList, steps);
        QFETCH(QString, cycle);
        QFETCH(int, variant);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        controller.setNativeData(QStringLiteral("interstateVariantCount"), 2);
        const CnfProgramPtr stored = controller.findProgram(id);
        QByteArray full = stored->data();
        stored->setData(full.left(size));
        full[2] = char(variant);
        {
            ProgramDlg dialog(nullptr, stored, &controller, false);
            auto *table = child<ParametersTable>(dialog, "tiverkTable");
            QCOMPARE(stepCells(*table), steps);
            QString shownCycle;
            for (int column = 0; column < table->columnCount(); ++column) {
                if (table->horizontalHeaderItem(column)->text() == QStringLiteral("Cycle"))
                    shownCycle = table->item(0, column)->text();
            }
            QCOMPARE(shownCycle, cycle);
            table->item(0, 0)->setText(QString::number(variant));
            // The diagram page opened after an edit stores the table: the steps stay.
            child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
            QCOMPARE(dialog.program()->phaseCount(), steps.size() / 2);
            child<QPushButton>(dialog, "showDiagramm")->setChecked(false);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.program()->phaseCount(), steps.size() / 2);
            QCOMPARE(dialog.program()->data().toHex(), full.toHex());
            QCOMPARE(dialog.program()->cycleOffset(-1), stored->cycleOffset(-1));
        }
        ProgramDlg dialog(nullptr, stored, &controller, false);
        auto *table = child<ParametersTable>(dialog, "tiverkTable");
        table->item(0, 0)->setText(QStringLiteral("1"));
        sequenceTable(*table)->item(steps.size() / 2 - 1, 0)->setText(QString());
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        QCOMPARE(dialog.program()->phaseCount(), steps.size() / 2 - 1);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(stepCells(*table), steps.mid(0, steps.size() - 2));
        QCOMPARE(dialog.program()->phaseCount(), steps.size() / 2 - 1);
    }

    // OK refused on the diagram page: the dialog goes back to the table, and
    // the diagram button goes on switching between table and diagram.
    void refusedOkKeepsTheDiagramButton()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        controller.setNativeData(QStringLiteral("interstateVariantCount"), 2);
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        stored->setData(QByteArray::fromHex("0101"));
        MessageSink window;
        ProgramDlg dialog(&window, stored, &controller, false);
        auto *button = child<QPushButton>(dialog, "showDiagramm");
        auto *pages = child<QStackedWidget>(dialog, "progParamPages");
        auto *table = child<ParametersTable>(dialog, "tiverkTable");
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("no"));
        button->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("diagrammPage"));
        child<QLineEdit>(dialog, "progNum")->setText(QStringLiteral("5"));
        dialog.setResult(-1);
        dialog.accept();
        QCOMPARE(dialog.result(), -1);
        QCOMPARE(window.errors, QStringList { QStringLiteral("Interstate variant not set") });
        QVERIFY(!button->isChecked());
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tiverkPage"));

        table->item(0, 0)->setText(QStringLiteral("2"));
        button->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("diagrammPage"));
        QCOMPARE(dialog.program()->interstateVariant, 2);
        button->click();
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("tiverkPage"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->data().left(3).toHex(), QByteArray("050102"));
        QCOMPARE(dialog.program()->data().size(), 64);
    }

    // Steps changed on the diagram page go into the record and the table, so
    // OK keeps them.
    void diagramEditsReachTheTable()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        ProgramDlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller, false);
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        auto *phases = child<ParametersTable>(dialog, "phaseTable");
        phases->item(0, 3)->setText(QString()); // the fourth step goes
        QCOMPARE(dialog.program()->phaseCount(), 3);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->phaseCount(), 3);
        QCOMPARE(dialog.program()->data().mid(3, 8).toHex(), QByteArray("010800230214ffff"));
        QStringList shown = stepCells(*child<ParametersTable>(dialog, "tiverkTable"));
        QCOMPARE(shown, QStringList({ "2", "8", "1", "35", "3", "20" }));
    }

    // The type chosen goes into byte 1 and the program's kind; an unchanged program
    // gives Rejected and its bytes stay.
    void unchangedAndChanged()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        const QByteArray before = stored->data();
        {
            ProgramDlg dialog(nullptr, stored, &controller, false);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.program()->data(), before);
        }
        ProgramDlg dialog(nullptr, stored, &controller, false);
        auto *types = child<QComboBox>(dialog, "algType");
        types->setCurrentIndex(types->findData(0, Qt::UserRole + 1));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->kind, 0);
        QCOMPARE(dialog.program()->data().left(2), QByteArray::fromHex("0100"));
        QCOMPARE(stored->kind, 1);
    }

    // A program without a record (a timeline program of the file) given only
    // a new number keeps none, also when the number is a text; a type chosen
    // in the dialog is an edit, which its record then states.
    void programWithoutRecord_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("type"); // -1: the one shown
        QTest::addColumn<QByteArray>("recordStart"); // empty: no record
        QTest::newRow("new number") << "98" << -1 << QByteArray();
        QTest::newRow("text number") << "T7" << -1 << QByteArray();
        QTest::newRow("type chosen") << "98" << 1 << QByteArray::fromHex("620101");
    }

    void programWithoutRecord()
    {
        QFETCH(QString, number);
        QFETCH(int, type);
        QFETCH(QByteArray, recordStart);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr timeline = addTimelineProgram(controller);
        ProgramDlg dialog(nullptr, timeline, &controller, false);
        QVERIFY(dialog.program()->data().isEmpty());
        if (type >= 0) {
            auto *types = child<QComboBox>(dialog, "algType");
            types->setCurrentIndex(types->findData(type, Qt::UserRole + 1));
            // The type's variant, in column 0.
            child<ParametersTable>(dialog, "tiverkTable")->item(0, 0)->setText(QStringLiteral("1"));
        }
        child<QLineEdit>(dialog, "progNum")->setText(number);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->id, number);
        QCOMPARE(dialog.program()->data().left(recordStart.size()), recordStart);
        QCOMPARE(dialog.program()->data().isEmpty(), recordStart.isEmpty());
        QVERIFY(timeline->data().isEmpty());
    }

    // Byte 0 of the record is the program's number: the dialog takes for a
    // program whose record it writes only a number the byte holds, and stays
    // open on any other.
    void numberTheRecordHolds_data()
    {
        QTest::addColumn<bool>("newProgram"); // else the timeline program, given a type
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("taken");
        QTest::newRow("new, 254") << true << "254" << true;
        QTest::newRow("new, 255") << true << "255" << false;
        QTest::newRow("new, a text") << true << "T7" << false;
        QTest::newRow("first record, 98") << false << "98" << true;
        QTest::newRow("first record, a text") << false << "T7" << false;
    }

    void numberTheRecordHolds()
    {
        QFETCH(bool, newProgram);
        QFETCH(QString, number);
        QFETCH(bool, taken);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr timeline = addTimelineProgram(controller);
        MessageSink window;
        ProgramDlg dialog(&window, newProgram ? CnfProgramPtr() : timeline, &controller, false);
        if (!newProgram) {
            auto *types = child<QComboBox>(dialog, "algType");
            types->setCurrentIndex(types->findData(6, Qt::UserRole + 1)); // no variant
        }
        child<QLineEdit>(dialog, "progNum")->setText(number);
        dialog.setResult(-1);
        dialog.accept();
        if (!taken) {
            QCOMPARE(dialog.result(), -1);
            QCOMPARE(window.errors,
                     QStringList { QStringLiteral("The record of program %1 holds its number: the "
                                                  "id must be a number from 0 to 254")
                                       .arg(number) });
            return;
        }
        QCOMPARE(window.errors, QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(quint8(dialog.program()->data().at(0))), number.toInt());
    }

    void variantNotSetKeepsItOpen()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        controller.setNativeData(QStringLiteral("interstateVariantCount"), 2);
        MessageSink window;
        ProgramDlg dialog(&window, fullRecordProgram(controller, QStringLiteral("1")), &controller,
                          false);
        auto *table = child<ParametersTable>(dialog, "tiverkTable");
        table->item(0, 0)->setText(QStringLiteral("no"));
        // Kind 1: the variant in column 0, not set in the stored bytes.
        dialog.setResult(-1);
        table->item(0, 0)->setText(QStringLiteral("no"));
        table->modified = true;
        dialog.accept();
        QCOMPARE(dialog.result(), -1);
        QCOMPARE(window.errors, QStringList { QStringLiteral("Interstate variant not set") });
        table->item(0, 0)->setText(QStringLiteral("2"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(quint8(dialog.program()->data().at(2)), quint8(2));
    }

    // The embedded editor changes the controller's groups in place; Cancel gives
    // every group its own records back, also after a step was removed.
    void cancelRestoresInterstates()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        QMap<int, QMap<int, QByteArray>> before;
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            before.insert(group->id, group->interstates);
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        ProgramDlg dialog(nullptr, program, &controller, false);
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        auto *phases = child<ParametersTable>(dialog, "phaseTable");
        QCOMPARE(phases->columnCount(), program->phaseCount() + 1);
        phases->item(0, 0)->setText(QString());
        QCOMPARE(dialog.program()->phaseCount(), program->phaseCount() - 1);
        QCOMPARE(phases->columnCount(), program->phaseCount());
        for (const CnfSignalGroupPtr &group : controller.signalGroups()) {
            QVERIFY(QMetaObject::invokeMethod(&dialog, "istateChanged",
                                              Q_ARG(CnfSignalGroupPtr, group), Q_ARG(int, 1),
                                              Q_ARG(uint, 2), Q_ARG(int, 9)));
            QCOMPARE(group->interstate(1).at(2), char(9));
        }
        QVERIFY(QMetaObject::invokeMethod(
            &dialog, "istateChanged", Q_ARG(CnfSignalGroupPtr, controller.signalGroups().last()),
            Q_ARG(int, 3), Q_ARG(uint, 0), Q_ARG(int, 4)));
        dialog.reject();
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            QCOMPARE(group->interstates, before.value(group->id));
    }

    // The embedded interstate editor drives the dialog: its tab is the
    // program's variant, its edits reach the groups at once, the diagram page
    // turns it to the program's variant, and Cancel takes the edits back.
    void interstateEditorDrivesTheDialog()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        QMap<int, QMap<int, QByteArray>> before;
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            before.insert(group->id, group->interstates);
        const CnfProgramPtr program = fullRecordProgram(controller, QStringLiteral("1"));
        program->interstateVariant = 2;
        ProgramDlg dialog(nullptr, program, &controller, false);
        auto *editor = dialog.findChild<InterstatesDlg *>();
        QVERIFY(editor);
        auto *tabs = editor->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        QCOMPARE(tabs->count(), 6);

        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        QCOMPARE(tabs->currentIndex(), 1);

        tabs->setCurrentIndex(2);
        QCOMPARE(dialog.program()->interstateVariant, 3);
        auto *table = qobject_cast<QTableWidget *>(tabs->widget(2));
        const CnfSignalGroupPtr group
            = controller.findSG(table->verticalHeaderItem(0)->data(Qt::UserRole).toInt());
        QVERIFY(group);
        table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("300")));
        QCOMPARE(group->interstateByte(3, CnfSignalGroup::GF), 255);

        dialog.reject();
        for (const CnfSignalGroupPtr &each : controller.signalGroups())
            QCOMPARE(each->interstates, before.value(each->id));
    }

    void greenStartTime_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("sequenceColumn");
        QTest::newRow("3.16") << "3.16" << 4;
        QTest::newRow("3.18") << "3.18" << 5;
    }

    // Green start = offset + AG1 + GF + Y + AR of the last phase's first group
    // - AG2 of the first phase's first group, within the cycle.
    void greenStartTime()
    {
        QFETCH(QString, version);
        QFETCH(int, sequenceColumn);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        controller.setProperty("version", version);
        const QList<CnfPhasePtr> phases = controller.phases();
        QVERIFY(phases.size() >= 2);
        phases.at(0)->signalGroups.first()->setInterstate(1, QByteArray::fromHex("000000000007"));
        phases.at(2)->signalGroups.first()->setInterstate(1, QByteArray::fromHex("0102030400ff"));
        const CnfProgramPtr program = fullRecordProgram(controller, QStringLiteral("2"));
        ProgramDlg dialog(nullptr, program, &controller, false);
        auto *table = child<ParametersTable>(dialog, "tiverkTable");
        auto *green = child<QSpinBox>(dialog, "greenStartTime");
        QVERIFY(!green->isHidden());
        auto *sequence = qobject_cast<ParametersTable *>(table->cellWidget(0, sequenceColumn));
        QVERIFY(sequence);
        table->item(0, 0)->setText(QStringLiteral("1"));
        table->item(0, sequenceColumn - 2)->setText(QStringLiteral("90"));
        table->item(0, sequenceColumn - 1)->setText(QStringLiteral("5"));
        sequence->item(0, 0)->setText(phases.at(0)->id);
        QCOMPARE(green->value(), 0);
        sequence->item(1, 0)->setText(phases.at(2)->id);
        // 5 + 1 + 2 + 3 + 4 - 7 = 8
        QCOMPARE(green->value(), 8);
        table->item(0, sequenceColumn - 1)->setText(QStringLiteral("1"));
        // 1 + 10 - 7 = 4
        QCOMPARE(green->value(), 4);
        green->setValue(20);
        QCOMPARE(table->item(0, sequenceColumn - 1)->text(), QStringLiteral("17"));
        green->setValue(2);
        // -1 within the cycle of 90
        QCOMPARE(table->item(0, sequenceColumn - 1)->text(), QStringLiteral("89"));
        sequence->item(1, 0)->setText(QString());
        green->setValue(3);
        QCOMPARE(table->item(0, sequenceColumn - 1)->text(), QStringLiteral("-1"));
    }

    // The sample's coordinated program (steps 2, 1, 3 of 12, 50 and 25 s, each after a
    // change of 10 s, but 7 s into step 1: cycle 114) at several offsets. The diagram and the
    // report picture draw the program's own seconds from 0 to the cycle, whatever the offset; the
    // steps start and the green start time lies at the controller's seconds, the offset later.
    void coordinatedProgramInOneTimeFrame_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("sample's offset") << 15;
        QTest::newRow("no offset") << 0;
        QTest::newRow("first step wraps round the cycle") << 108;
    }

    void coordinatedProgramInOneTimeFrame()
    {
        QFETCH(int, offset);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("2"));
        QCOMPARE(program->cycleOffset(0), 15);
        QByteArray bytes = program->data();
        QCOMPARE(bytes.mid(6, 4).toHex(), QByteArray("72000f00")); // cycle 114, offset 15
        bytes[8] = char(offset);
        QVERIFY(controller.setProgramRawData(program, bytes));
        program->setCycleOffset(offset);

        ProgramDlg dialog(nullptr, program, &controller, false);
        // The main road's group 1 turns red-yellow 2 s before the green of step 2 (the main
        // left arrow, which enters without red-yellow) ends its change: second 8 of the
        // program, offset + 8 of the controller's cycle. The change into step 1 takes 7 s
        // (the arrow's blink and clearance, group 2's red-yellow) and the cycle is 114 s.
        QCOMPARE(child<QSpinBox>(dialog, "greenStartTime")->value(), (8 + offset) % 114);
        QCOMPARE(dialog.program()->phaseDefAt(0)->start(), (10 + offset) % 114);
        QCOMPARE(dialog.program()->phaseDefAt(1)->start(), (29 + offset) % 114);
        QCOMPARE(dialog.program()->phaseDefAt(2)->start(), (89 + offset) % 114);

        const QStringList group1 { "0-8 red",      "8-10 red+yellow", "10-22 green",
                                   "22-29 green",  "29-79 green",     "79-82 blink",
                                   "82-85 yellow", "85-89 red",       "89-114 red" };
        const QStringList group2 { "0-10 red",         "10-22 red",   "22-27 red",
                                   "27-29 red+yellow", "29-79 green", "79-82 blink",
                                   "82-85 yellow",     "85-89 red",   "89-114 red" };
        auto *chart = child<plotlet::Chart>(dialog, "chart");
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 114);
        // The seven groups of the program's phases: group 1 in row 7, group 2 in row 6.
        QCOMPARE(chartRow(*chart, 7), group1);
        QCOMPARE(chartRow(*chart, 6), group2);
        QCOMPARE(chartBounds(*chart).left(), 0.0);
        QCOMPARE(chartBounds(*chart).right(), 114.0);

        QTemporaryDir dir;
        QVERIFY(
            dialog.saveDiagramImage(dir.filePath(QStringLiteral("prog_2.png")), QSize(1024, 600)));
        QCOMPARE(chartRow(*chart, 7), group1);
        QCOMPARE(chartRow(*chart, 6), group2);
        QCOMPARE(chartBounds(*chart).right(), 114.0);
    }

    // The sample's coordinated program states its cycle in its record. A step made
    // 2 s longer: the stated cycle follows what the steps make, unless the user typed
    // a cycle, which stays and is named on OK beside what the steps make. Which page
    // OK is pressed on does not matter: the table, the diagram page (which fits the
    // cycle on its way in) or the table again after the diagram.
    void cycleAfterAStepEdit_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("typeCycle");
        // The typed cycle, in seconds over what the steps make.
        QTest::addColumn<int>("typedOverSteps");
        for (const char *path : { "table", "diagram", "diagram and back" }) {
            QTest::addRow("cycle left, OK on the %s", path) << path << false << 0;
            QTest::addRow("cycle typed, OK on the %s", path) << path << true << 8;
            QTest::addRow("typed as the steps make it, OK on the %s", path) << path << true << 0;
        }
    }

    void cycleAfterAStepEdit()
    {
        QFETCH(QString, path);
        QFETCH(bool, typeCycle);
        QFETCH(int, typedOverSteps);
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("2"));
        const int made = stored->cycle(true) + 2;
        const int stated = typeCycle ? made + typedOverSteps : made;
        const QStringList warnings = typeCycle && typedOverSteps != 0
            ? QStringList { QStringLiteral("Program 2: the cycle is %1 s, its steps make %2 s")
                                .arg(stated)
                                .arg(made) }
            : QStringList();
        MessageSink window;
        {
            ProgramDlg dialog(&window, stored, &controller, false);
            auto *table = child<ParametersTable>(dialog, "tiverkTable");
            QCOMPARE(table->item(0, 3)->text(), QString::number(made - 2));
            QTableWidgetItem *step2 = sequenceTable(*table)->item(1, 1);
            step2->setText(QString::number(step2->text().toInt() + 2));
            if (typeCycle)
                table->item(0, 3)->setText(QString::number(stated));
            if (path != QLatin1String("table")) {
                auto *showDiagram = child<QPushButton>(dialog, "showDiagramm");
                showDiagram->setChecked(true);
                QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), made);
                if (path == QLatin1String("diagram and back")) {
                    showDiagram->setChecked(false);
                    QCOMPARE(table->item(0, 3)->text(), QString::number(stated));
                }
            }
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.program()->cycle(true), made);
            const QByteArray data = dialog.program()->data();
            QCOMPARE(quint8(data.at(6)) | quint8(data.at(7)) << 8, stated);
            QCOMPARE(window.warnings, warnings);
            stored->clone(dialog.program());
        }
        ProgramDlg again(&window, stored, &controller, false);
        QCOMPARE(child<ParametersTable>(again, "tiverkTable")->item(0, 3)->text(),
                 QString::number(stated));
        child<QPushButton>(again, "showDiagramm")->setChecked(true);
        QCOMPARE(child<QSpinBox>(again, "cycleLength")->value(), made);
    }

    // A cycle the dialog itself fitted to the steps (on the way to the diagram) is
    // not one the user typed: a later step edit on the diagram page fits it again,
    // without a warning.
    void fittedCycleFollowsLaterEdits()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        MessageSink window;
        ProgramDlg dialog(&window, controller.findProgram(QStringLiteral("2")), &controller, false);
        sequenceTable(*child<ParametersTable>(dialog, "tiverkTable"))
            ->item(0, 1)
            ->setText(QStringLiteral("14"));
        auto *showDiagram = child<QPushButton>(dialog, "showDiagramm");
        showDiagram->setChecked(true);
        // Step 1's full duration (its change included) from 24 to 29 s.
        child<ParametersTable>(dialog, "phaseTable")->item(2, 0)->setText(QStringLiteral("29"));
        showDiagram->setChecked(false);
        // Back on the table the cycle is the one the diagram showed.
        QCOMPARE(child<ParametersTable>(dialog, "tiverkTable")->item(0, 3)->text(),
                 QStringLiteral("121"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QByteArray data = dialog.program()->data();
        QCOMPARE(quint8(data.at(6)) | quint8(data.at(7)) << 8, 121);
        QCOMPARE(window.warnings, QStringList());
    }

    // An interstate edit on the diagram page changes the full durations: the phase
    // table's row shows them at once, as the cycle does.
    void fullDurationFollowsInterstateEdits()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        ProgramDlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller, false);
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        auto *phases = child<ParametersTable>(dialog, "phaseTable");
        const auto fullDurations = [phases] {
            QStringList texts;
            for (int column = 0; column + 1 < phases->columnCount(); ++column)
                texts << phases->item(2, column)->text();
            return texts;
        };
        QCOMPARE(fullDurations(), QStringList({ "17", "42", "30", "18" }));
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 107);

        // AG1 of group 2 (main road) becomes 4 s in the editor's tab of variant 1.
        auto *tabs = dialog.findChild<InterstatesDlg *>()->findChild<QTabWidget *>(
            QStringLiteral("tabWidget"));
        auto *table = qobject_cast<QTableWidget *>(tabs->widget(0));
        int row = 0;
        while (row < table->rowCount()
               && table->verticalHeaderItem(row)->data(Qt::UserRole).toInt() != 2)
            ++row;
        QVERIFY(row < table->rowCount());
        table->setItem(row, 1, new QTableWidgetItem(QStringLiteral("4")));
        QCOMPARE(controller.findSG(2)->interstateByte(1, CnfSignalGroup::AG1), 4);
        QCOMPARE(fullDurations(), QStringList({ "17", "42", "34", "18" }));
        QCOMPARE(child<QSpinBox>(dialog, "cycleLength")->value(), 111);
    }

    void pluginSettingSurvives()
    {
        QSettings settings;
        settings.remove(QStringLiteral("QTlc/DisabledPlugins"));
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        ProgramDlg(nullptr, controller.findProgram(QStringLiteral("1")), &controller, false);
        QCOMPARE(settings.value(QStringLiteral("QTlc/DisabledPlugins")).toString(),
                 QStringLiteral("SystemBus,Keyboard"));
        settings.setValue(QStringLiteral("QTlc/DisabledPlugins"), QStringLiteral("Keyboard"));
        ProgramDlg(nullptr, controller.findProgram(QStringLiteral("1")), &controller, false);
        QCOMPARE(settings.value(QStringLiteral("QTlc/DisabledPlugins")).toString(),
                 QStringLiteral("Keyboard"));
    }

    void cancelledTimeDialogKeepsTheEndTime()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const QDateTime end(QDate(2027, 3, 1), QTime(18, 30));
        controller.setProperty("dprog_stop", end);
        ProgramDlg dialog(nullptr, fullRecordProgram(controller, QStringLiteral("1")), &controller,
                          true);
        auto *label = child<QLabel>(dialog, "action_time");
        QCOMPARE(label->text(), QStringLiteral("01.03.2027 18:30:00"));
        QVERIFY(child<QLineEdit>(dialog, "progNum")->isHidden());
        ModalAnswerer answerer;
        answerer.reject();
        child<QToolButton>(dialog, "changeActionTime")->click();
        QVERIFY(answerer.answered());
        QCOMPARE(label->text(), QStringLiteral("01.03.2027 18:30:00"));
        child<ParametersTable>(dialog, "tiverkTable")->modified = true;
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(controller.property("dprog_stop").toDateTime(), end);
    }

    void refusedRawDataIsReported()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        const CnfProgramPtr program = controller.findProgram(QStringLiteral("1"));
        // A record longer than the controller's is refused; the dialog says why.
        program->setData(QByteArray(70, char(255)));
        MessageSink window;
        ProgramDlg dialog(&window, program, &controller, false);
        child<ParametersTable>(dialog, "tiverkTable")->modified = true;
        dialog.accept();
        QVERIFY(!window.errors.isEmpty());
        QVERIFY2(window.errors.first().contains(QLatin1String("70")),
                 qPrintable(window.errors.first()));
    }

    // A typed full duration sets the whole step, its change time included;
    // typing the same value again leaves the step as it is.
    void fullDurationSetsTheWholeStep()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        ProgramDlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller, false);
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        auto *phases = child<ParametersTable>(dialog, "phaseTable");
        const CnfPhaseDefPtr step = dialog.program()->phaseDefAt(0);
        QVERIFY(step);
        const int full = step->fullLength() + 7;
        const int changeTime = step->phaseInterstate();
        for (int i = 0; i < 2; ++i) {
            phases->item(2, 0)->setText(QString::number(full));
            QCOMPARE(step->fullLength(), full);
            QCOMPARE(step->length(), full - changeTime);
            QCOMPARE(phases->item(2, 0)->text(), QString::number(full));
        }
    }

    void invalidPhaseIsAWarning()
    {
        CnfController controller;
        QVERIFY(loadExample(controller, QStringLiteral("tiverk318_intersection.cnf")));
        MessageSink window;
        ProgramDlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller, false);
        child<QPushButton>(dialog, "showDiagramm")->setChecked(true);
        auto *phases = child<ParametersTable>(dialog, "phaseTable");
        const QString first = phases->item(0, 0)->text();
        phases->item(0, 0)->setText(QStringLiteral("99"));
        QCOMPARE(window.warnings, QStringList { QStringLiteral("Invalid phase 99") });
        QCOMPARE(phases->item(0, 0)->text(), first);
        QVERIFY(window.errors.isEmpty());
    }
};

PROJECT_TEST(TestTiverk3ProgramDlg);
#include "tst_programdlg.moc"
