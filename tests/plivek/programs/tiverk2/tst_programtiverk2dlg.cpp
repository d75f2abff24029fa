#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/vobject.h"
#include "common/widgets/parameterstable.h"
#include "halm58a/network.h"
#include "messagecapture.h"
#include "modalanswerer.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"
#include "plivek/programs/emulation/tiverk2logdlg.h"
#include "plivek/programs/tiverk2/programtiverk2dlg.h"
#include "testmain.h"
#include "tiverk2dialogfixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace Tiverk2Fixture;

namespace {

ParametersTable *stageTable(QObject &dialog)
{
    return child<ParametersTable>(dialog, "stageTable");
}

QPushButton *okButton(QObject &dialog)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok);
}

QTimer *chartTimer(QObject &dialog)
{
    return child<QTimer>(dialog, "updateChartDelayTimer");
}

// Lets the refresh that every dialog starts with run.
void waitForFirstRefresh(QObject &dialog)
{
    QSignalSpy spy(chartTimer(dialog), &QTimer::timeout);
    QVERIFY(spy.wait(1000));
}

} // namespace

class TestProgramTiverk2Dlg : public QObject
{
    Q_OBJECT
private slots:
    void form()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller);
        QCOMPARE(dialog.size(), QSize(962, 597));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Control plan"));
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("timerPage"));
        QCOMPARE(stageTable(dialog)->verticalHeaderItem(1)->text(),
                 QStringLiteral("Full length, sec."));
        QCOMPARE(child<ParametersTable>(dialog, "pedestrianTable")->rowCount(), 12);
        QCOMPARE(child<ParametersTable>(dialog, "stagering_table")->verticalHeaderItem(7)->text(),
                 QStringLiteral("Max. correction, sec"));
        QCOMPARE(child<QToolButton>(dialog, "add_detector")->toolTip(),
                 QStringLiteral("Insert call source"));
        QVERIFY(!child<QToolButton>(dialog, "remove_step")->isEnabled());
        QVERIFY(!child<QToolButton>(dialog, "add_step")->icon().isNull());
        // The step table's own actions follow those of the dialog.
        const QList<QAction *> stepActions
            = child<ParametersTable>(dialog, "stagering_table")->actions();
        QCOMPARE(stepActions.at(0)->objectName(), QStringLiteral("ins_after"));
        QCOMPARE(stepActions.at(0)->shortcut(), QKeySequence(Qt::Key_Insert));
        QCOMPARE(stepActions.at(1)->objectName(), QStringLiteral("ins_before"));
        QVERIFY(child<Tiverk2LogDlg>(dialog, "log_dlg"));
        QVERIFY(child<QPushButton>(dialog, "showEmulatorLog")->isHidden());
        QVERIFY(child<QLabel>(dialog, "action_time")->isHidden());
    }

    void expertModeOffersTheLog()
    {
        QSettings().setValue(QStringLiteral("expert_mode"), true);
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, CnfProgramPtr(), &controller);
        QSettings().remove(QStringLiteral("expert_mode"));
        auto *toggle = child<QPushButton>(dialog, "showEmulatorLog");
        QVERIFY(!toggle->isHidden());
        toggle->click();
        auto *log = child<Tiverk2LogDlg>(dialog, "log_dlg");
        QVERIFY(log->isVisible());
        log->hide();
        QVERIFY(!toggle->isChecked());
    }

    void newProgram_data()
    {
        QTest::addColumn<QString>("otherName");
        QTest::addColumn<QString>("name");
        QTest::newRow("first name free") << QStringLiteral("Peak") << QStringLiteral("Program.1");
        QTest::newRow("first name taken")
            << QStringLiteral("Program.1") << QStringLiteral("Program.2");
    }

    void newProgram()
    {
        QFETCH(QString, otherName);
        QFETCH(QString, name);
        CnfController controller;
        for (const char *id : { "1", "2", "4" }) {
            auto program = CnfProgramPtr::create(&controller);
            program->id = QLatin1String(id);
            program->name = id == QLatin1String("2") ? otherName : QString();
            QVERIFY(controller.addProgram(program));
        }
        for (bool commandLine : { false, true }) {
            ProgramTiverk2Dlg dialog(nullptr, CnfProgramPtr(), &controller, nullptr, commandLine);
            QCOMPARE(dialog.program()->id, QStringLiteral("3"));
            QCOMPARE(child<QLineEdit>(dialog, "progName")->text(), name);
            QCOMPARE(dialog.program()->name, name);
        }
    }

    void editsACopy()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        QVERIFY(stored);
        const int fullLength = stored->phaseDefAt(1)->fullLength();
        ProgramTiverk2Dlg dialog(nullptr, stored, &controller, nullptr, true);
        ParametersTable *table = stageTable(dialog);
        QVERIFY(table);
        QCOMPARE(table->columnCount(), stored->phaseCount());
        table->item(1, 1)->setData(Qt::EditRole, fullLength + 5);
        dialog.reject();
        QCOMPARE(stored->phaseDefAt(1)->fullLength(), fullLength);
        QCOMPARE(dialog.program()->phaseDefAt(1)->fullLength(), fullLength);
        dialog.accept();
        QCOMPARE(stored->phaseDefAt(1)->fullLength(), fullLength);
        QCOMPARE(dialog.program()->phaseDefAt(1)->fullLength(), fullLength + 5);
    }

    void commandLineMode()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller,
                                 nullptr, true);
        auto *number = child<QLineEdit>(dialog, "progNum");
        QVERIFY(number->text().isEmpty());
        QVERIFY(dialog.program()->id.isEmpty());
        QVERIFY(number->isHidden());
        QVERIFY(child<QLineEdit>(dialog, "progName")->isHidden());
        QVERIFY(!child<QComboBox>(dialog, "algType")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "changeMatrix")->isEnabled());
        QVERIFY(!child<QLabel>(dialog, "action_time")->isHidden());
        QCOMPARE(child<QLabel>(dialog, "action_time")->text(), QStringLiteral("unlimited"));
        // "0" and the other programs' numbers are taken; its own number is not.
        for (const char *text : { "0", "2" }) {
            number->setText(QLatin1String(text));
            QVERIFY2(!okButton(dialog)->isEnabled(), text);
        }
        number->setText(QStringLiteral("1"));
        QVERIFY(okButton(dialog)->isEnabled());
    }

    void pages_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("3") << 3 << QStringLiteral("timerPage")
                           << QStringList { QStringLiteral("cycleLength") }
                           << QStringList { QStringLiteral("coordinated"),
                                            QStringLiteral("cycleOffset"),
                                            QStringLiteral("script") };
        QTest::newRow("4") << 4 << QStringLiteral("timerPage")
                           << QStringList { QStringLiteral("cycleLength"),
                                            QStringLiteral("cycleOffset") }
                           << QStringList { QStringLiteral("coordinated") };
        QTest::newRow("6") << 6 << QStringLiteral("multiringPage")
                           << QStringList { QStringLiteral("matrix") }
                           << QStringList { QStringLiteral("cycleLength"),
                                            QStringLiteral("patternContent") };
        QTest::newRow("7") << 7 << QStringLiteral("scriptPage")
                           << QStringList { QStringLiteral("script"), QStringLiteral("extensions") }
                           << QStringList { QStringLiteral("cycleLength") };
        QTest::newRow("8") << 8 << QStringLiteral("timelinePage")
                           << QStringList { QStringLiteral("cycleLength") }
                           << QStringList { QStringLiteral("cycleOffset"),
                                            QStringLiteral("coordinated"), QStringLiteral("matrix"),
                                            QStringLiteral("changeMatrix") };
        QTest::newRow("9") << 9 << QStringLiteral("timelinePage")
                           << QStringList { QStringLiteral("cycleLength"),
                                            QStringLiteral("cycleOffset") }
                           << QStringList { QStringLiteral("coordinated"),
                                            QStringLiteral("matrix") };
        QTest::newRow("10") << 10 << QStringLiteral("stageringPage")
                            << QStringList { QStringLiteral("coordinated"),
                                             QStringLiteral("cycleOffset"),
                                             QStringLiteral("matrix") }
                            << QStringList { QStringLiteral("script") };
        QTest::newRow("11") << 11 << QStringLiteral("pedestrianPage")
                            << QStringList { QStringLiteral("matrix") }
                            << QStringList { QStringLiteral("cycleLength") };
        QTest::newRow("12") << 12 << QStringLiteral("timerPage")
                            << QStringList { QStringLiteral("matrix") }
                            << QStringList { QStringLiteral("showDiagramm"),
                                             QStringLiteral("cycleLength") };
        QTest::newRow("1") << 1 << QStringLiteral("emptyPage")
                           << QStringList { QStringLiteral("showDiagramm") }
                           << QStringList { QStringLiteral("cycleLength"),
                                            QStringLiteral("script") };
    }

    void pages()
    {
        QFETCH(int, type);
        QFETCH(QString, page);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr program = unlistedProgram(controller, QStringLiteral("7"), type);
        ProgramTiverk2Dlg dialog(nullptr, program, &controller);
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 page);
        for (const QString &name : qAsConst(shown))
            QVERIFY2(!dialog.findChild<QWidget *>(name)->isHidden(), qPrintable(name));
        for (const QString &name : qAsConst(hidden))
            QVERIFY2(dialog.findChild<QWidget *>(name)->isHidden(), qPrintable(name));
        if (type == CnfProgram::FixedTime)
            QVERIFY(child<QSpinBox>(dialog, "cycleLength")->isReadOnly());
        if (type == CnfProgram::Sequence)
            QVERIFY(stageTable(dialog)->isRowHidden(1));
    }

    void typeChangeShowsItsPage()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller);
        auto *type = child<QComboBox>(dialog, "algType");
        type->setCurrentIndex(type->findData(CnfProgram::Stagering, Qt::UserRole + 1));
        QCOMPARE(dialog.program()->type, int(CnfProgram::Stagering));
        QCOMPARE(child<QStackedWidget>(dialog, "stackedWidget")->currentWidget()->objectName(),
                 QStringLiteral("stageringPage"));
    }

    void matrixList()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        {
            // The program's own matrix is current.
            stored->defaultMatrix = false;
            ProgramTiverk2Dlg dialog(nullptr, stored, &controller);
            auto *matrix = child<QComboBox>(dialog, "matrix");
            QCOMPARE(matrix->count(), 2);
            QCOMPARE(matrix->itemText(0), QStringLiteral("Default"));
            QCOMPARE(matrix->itemData(0).toInt(), -1);
            QCOMPARE(matrix->itemText(1), QStringLiteral("1 (default_matrix)"));
            QCOMPARE(matrix->currentIndex(), 1);
        }
        {
            // A matrix that is not in the controller's list.
            auto foreign = CnfMatrixPtr::create();
            foreign->setId(9);
            stored->matrix = foreign;
            ProgramTiverk2Dlg dialog(nullptr, stored, &controller);
            QCOMPARE(child<QComboBox>(dialog, "matrix")->currentText(), QStringLiteral("Default"));
        }
    }

    void defaultMatrixFlag_data()
    {
        QTest::addColumn<int>("chosen"); // -1: the list is left as opened
        QTest::addColumn<bool>("followsDefault");
        QTest::newRow("untouched") << -1 << true;
        QTest::newRow("Default chosen") << 0 << true;
        QTest::newRow("matrix 1 chosen") << 1 << false;
    }

    // A program that follows the default matrix keeps doing so through OK;
    // only choosing a listed matrix pins it to that one.
    void defaultMatrixFlag()
    {
        QFETCH(int, chosen);
        QFETCH(bool, followsDefault);
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("1"));
        QVERIFY(stored->defaultMatrix);
        QCOMPARE(stored->matrix, controller.defaultMatrix());
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, stored, &controller);
        auto *matrix = child<QComboBox>(dialog, "matrix");
        QCOMPARE(matrix->currentIndex(), 1);
        if (chosen >= 0) {
            matrix->setCurrentIndex(1 - chosen);
            matrix->setCurrentIndex(chosen);
        }
        waitForFirstRefresh(dialog);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program()->defaultMatrix, followsDefault);
        QCOMPARE(dialog.program()->matrix, controller.defaultMatrix());
    }

    void editsWithin40msGiveOneRefresh()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        QTimer *timer = chartTimer(dialog);
        QVERIFY(timer);
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 50);
        // Opening the dialog starts the first refresh.
        QVERIFY(timer->isActive());
        waitForFirstRefresh(dialog);

        QSignalSpy refreshes(timer, &QTimer::timeout);
        QElapsedTimer clock;
        clock.start();
        ParametersTable *table = stageTable(dialog);
        for (int i = 0; i < 5; ++i)
            table->item(1, 0)->setData(Qt::EditRole, 20 + i);
        // The edits took less than 40 ms, so the refresh is 50 ms after the last.
        if (clock.elapsed() >= 40)
            QSKIP("the machine is too slow for this check");
        QVERIFY(timer->isActive());
        QVERIFY(timer->remainingTime() > 40);
        QCOMPARE(refreshes.count(), 0);
        QVERIFY(refreshes.wait(1000));
        QCOMPARE(refreshes.count(), 1);
        QVERIFY(!timer->isActive());
        QCOMPARE(dialog.program()->phaseDefAt(0)->fullLength(), 24);
    }

    void failingStoreKeepsTheDialogOpen()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        dialog.show();
        stageTable(dialog)->item(0, 1)->setData(Qt::EditRole, QStringLiteral("77"));
        MessageCapture capture;
        // Without a window to list it, the shown dialog tells the user itself.
        ModalAnswerer box;
        box.pressButton(QMessageBox::Ok);
        okButton(dialog)->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(capture.criticals(),
                 QStringList { QStringLiteral("Phase '77' defined in column 1 not exist") });
        QCOMPARE(box.seenText(), QStringLiteral("Phase '77' defined in column 1 not exist"));
        stageTable(dialog)->item(0, 1)->setData(Qt::EditRole, QStringLiteral("2"));
        okButton(dialog)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void errorsGoToTheWindow()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller);
        stageTable(dialog)->item(0, 0)->setData(Qt::EditRole, QStringLiteral("9"));
        dialog.accept();
        QCOMPARE(window.errors,
                 QStringList { QStringLiteral("Phase '9' defined in column 0 not exist") });
    }

    void formatScript()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ErrorWindow window;
        ProgramTiverk2Dlg dialog(
            &window, unlistedProgram(controller, QStringLiteral("8"), CnfProgram::MultiRing),
            &controller);
        auto *script = child<QTextEdit>(dialog, "mr_mod_script");
        script->setPlainText(QStringLiteral("{\"cycle\": 90, \"rings\": [1, 2]}"));
        child<QPushButton>(dialog, "formatScript")->click();
        const QString formatted = script->toPlainText();
        QVERIFY(formatted.contains(QLatin1Char('\n')));
        QVERIFY(formatted.contains(QLatin1String("90")));
        QVERIFY(window.errors.isEmpty());
        // An error on the third line selects that line and leaves the text.
        const QString broken = QStringLiteral("{\n\"cycle\": 90,\n\"rings\": [1, 2,\n}");
        script->setPlainText(broken);
        child<QPushButton>(dialog, "formatScript")->click();
        QCOMPARE(script->toPlainText(), broken);
        QCOMPARE(window.errors.size(), 1);
        QVERIFY2(window.errors.first().startsWith(QLatin1String("Error at line 4: ")),
                 qPrintable(window.errors.first()));
        QCOMPARE(script->textCursor().selectedText(), QStringLiteral("}"));
    }

    void matrixEditor_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<double>("stored");
        QTest::newRow("accepted") << true << 9.0;
        QTest::newRow("rejected") << false << 5.0;
    }

    // Accepting the editor changes the controller's matrix at once, also when the
    // program dialog is cancelled after; either way the list is offered again.
    void matrixEditor()
    {
        QFETCH(bool, accept);
        QFETCH(double, stored);
        CnfController controller;
        QVERIFY(loadExample(controller));
        Halm58a::Network network;
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller,
                                 &network);
        auto *change = child<QPushButton>(dialog, "changeMatrix");
        auto *list = child<QComboBox>(dialog, "matrix");
        change->click();
        auto *editor = child<MatrixDlg>(dialog, "matrix_dlg");
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QVERIFY(!list->isEnabled());
        QVERIFY(!editor->findChild<QLineEdit *>(QStringLiteral("name"))->isEnabled());
        // The editor works on a copy of the matrix the program uses.
        QCOMPARE(editor->matrix()->releaf(1, 2), 5.0);
        QVERIFY(editor->matrix() != controller.defaultMatrix());
        emit editor->valueChanged(1, 2, 7.0);
        QCOMPARE(editor->matrix()->releaf(2, 1), 7.0);
        // Accepting stores the editor's table: the new value goes in as an edit.
        auto *cells = editor->findChild<QTableWidget *>(QStringLiteral("matrixTable"));
        int row = -1;
        int column = -1;
        for (int index = 0; index < cells->rowCount(); ++index) {
            if (cells->verticalHeaderItem(index)->data(Qt::UserRole).toInt() == 2)
                row = index;
            if (cells->horizontalHeaderItem(index)->data(Qt::UserRole).toInt() == 1)
                column = index;
        }
        cells->item(row, column)->setData(Qt::EditRole, 9.0);
        if (accept)
            editor->accept();
        else
            editor->reject();
        QTRY_VERIFY(!change->isChecked());
        QVERIFY(list->isEnabled());
        QVERIFY(!QSettings()
                     .value(QStringLiteral("ProgramTiverk2Dlg/geometry"))
                     .toByteArray()
                     .isEmpty());
        dialog.reject();
        QCOMPARE(controller.defaultMatrix()->releaf(1, 2), stored);
    }

    // Without a road network no editor opens, and unticking gives the list back.
    void matrixEditorNeedsANetwork()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller);
        auto *change = child<QPushButton>(dialog, "changeMatrix");
        change->click();
        QVERIFY(!child<MatrixDlg>(dialog, "matrix_dlg"));
        QVERIFY(!child<QComboBox>(dialog, "matrix")->isEnabled());
        change->click();
        QVERIFY(child<QComboBox>(dialog, "matrix")->isEnabled());
    }

    void endOfActionWrittenOnAccept()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const QDateTime end(QDate(2026, 5, 1), QTime(18, 30, 0));
        controller.setProperty("dprog_stop", end);
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller,
                                 nullptr, true);
        QCOMPARE(child<QLabel>(dialog, "action_time")->text(),
                 QStringLiteral("01.05.2026 18:30:00"));
        // Cancelling the time dialog keeps the end.
        ModalAnswerer answerer;
        answerer.reject();
        child<QToolButton>(dialog, "changeActionTime")->click();
        QVERIFY(answerer.answered());
        QCOMPARE(child<QLabel>(dialog, "action_time")->text(),
                 QStringLiteral("01.05.2026 18:30:00"));
        controller.setProperty("dprog_stop", QVariant());
        dialog.accept();
        QCOMPARE(controller.property("dprog_stop").toDateTime(), end);
    }

    void multiRingWrittenBackOnEveryClose_data()
    {
        QTest::addColumn<int>("result");
        QTest::newRow("Cancel") << int(QDialog::Rejected);
        QTest::newRow("OK") << int(QDialog::Accepted);
    }

    void multiRingWrittenBackOnEveryClose()
    {
        QFETCH(int, result);
        CnfController controller;
        QVERIFY(loadExample(controller));
        const QVariantMap modules { { QStringLiteral("cycle"), 90 } };
        controller.nativeData()["modules"]["MultiRing"] = QVariant(modules);
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        controller.nativeData()["modules"]["MultiRing"]
            = QVariant(QVariantMap { { QStringLiteral("cycle"), 60 } });
        dialog.done(result);
        QCOMPARE(controller.nativeData()["modules"]["MultiRing"].toVariant().toMap(), modules);
    }

    void noMultiRingNothingWritten()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        ProgramTiverk2Dlg dialog(nullptr, controller.findProgram(QStringLiteral("1")), &controller);
        dialog.reject();
        QVERIFY(!controller.nativeData()["modules"].contains(QStringLiteral("MultiRing")));
    }

    // A type the list does not offer shows an item of its own and is given back as it came.
    void unlistedTypeKeepsTypeAndContent_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("algorithmType");
        QTest::addColumn<QString>("itemText");
        QTest::newRow("5 named") << 5 << QStringLiteral("tiverk-adaptive")
                                 << QStringLiteral("tiverk-adaptive");
        QTest::newRow("0 unnamed") << 0 << QString() << QStringLiteral("Unknown type");
    }

    void unlistedTypeKeepsTypeAndContent()
    {
        QFETCH(int, type);
        QFETCH(QString, algorithmType);
        QFETCH(QString, itemText);
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr program = unlistedProgram(controller, QStringLiteral("8"), type);
        program->name = QStringLiteral("Adaptive");
        program->matrix = controller.defaultMatrix();
        program->appendPhase(controller.findPhase(QStringLiteral("1")), 30);
        program->setProperty("algorithm",
                             QVariantMap { { QStringLiteral("type"), algorithmType } });
        program->setProperty("params", QVariantMap { { QStringLiteral("gap"), 3 } });
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, program, &controller);
        auto *types = child<QComboBox>(dialog, "algType");
        QCOMPARE(types->currentText(), itemText);
        QCOMPARE(types->currentData(Qt::UserRole + 1).toInt(), -1);
        waitForFirstRefresh(dialog);
        child<QLineEdit>(dialog, "progName")->setText(QStringLiteral("Adaptive 2"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const CnfProgramPtr result = dialog.program();
        QCOMPARE(result->type, type);
        QCOMPARE(result->name, QStringLiteral("Adaptive 2"));
        QCOMPARE(result->id, QStringLiteral("8"));
        QCOMPARE(result->phaseCount(), 1);
        QCOMPARE(result->property("params").toMap().value(QStringLiteral("gap")).toInt(), 3);
        QCOMPARE(result->property("algorithm").toMap().value(QStringLiteral("type")).toString(),
                 algorithmType);
    }

    // Until its page edits it, a program keeps the content of its own type.
    void timelineKeptThroughRefreshAndOk()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        const CnfProgramPtr stored = controller.findProgram(QStringLiteral("2"));
        QCOMPARE(stored->type, int(CnfProgram::Timeline));
        ProgramTiverk2Dlg dialog(nullptr, stored, &controller);
        waitForFirstRefresh(dialog);
        dialog.accept();
        QCOMPARE(dialog.program()->getTimelineData(1), stored->getTimelineData(1));
        QVERIFY(!dialog.program()->getTimelineData(1).isEmpty());
        QVERIFY(!dialog.program()->matrix);
    }

    void diagramWindow()
    {
        CnfController controller;
        QVERIFY(loadExample(controller));
        QWidget window;
        ProgramTiverk2Dlg dialog(&window, controller.findProgram(QStringLiteral("1")), &controller);
        auto *toggle = child<QPushButton>(dialog, "showDiagramm");
        toggle->click();
        auto *chart = child<Tiverk2DiagrammDlg>(dialog, "chart_dlg");
        QVERIFY(chart);
        QVERIFY(chart->isVisible());
        QVERIFY(chart->program());
        QCOMPARE(chart->program()->phaseCount(), 2);
        QCOMPARE(chart->matrix()->releaf(1, 2), 5.0);
        // An edit reaches the window with the next refresh.
        stageTable(dialog)->item(1, 0)->setData(Qt::EditRole, 41);
        QSignalSpy refresh(chartTimer(dialog), &QTimer::timeout);
        QVERIFY(refresh.wait(1000));
        QCOMPARE(chart->program()->phaseDefAt(0)->fullLength(), 41);
        chart->hide();
        QVERIFY(!toggle->isChecked());
        toggle->click();
        QCOMPARE(dialog.findChildren<Tiverk2DiagrammDlg *>().size(), 1);
    }
};

PROJECT_TEST(TestProgramTiverk2Dlg);
#include "tst_programtiverk2dlg.moc"
