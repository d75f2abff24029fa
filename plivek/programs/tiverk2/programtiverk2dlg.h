#pragma once

#include "cnf/cnffwd.h"

#include <QDateTime>
#include <QDialog>
#include <QTimer>
#include <QVariantMap>

class ComboBoxDelegate;
class DialogItemValidator;
class MatrixDlg;
class QTableWidgetItem;
class QTextEdit;
namespace Halm58a {
class Network;
}
namespace Ui {
class ProgramTiverk2Dlg;
}

// The program dialog of the families "tiverkii" and "ZU_MOLT". It edits a private
// clone of the given program (or a new program with the first free number); after
// Accepted the caller takes program() and adds it, clones it into the stored
// program or hands it to CnfController::createDynamicProgram. The program itself
// reaches the controller only through the caller; the dialog writes the
// controller's MultiRing module settings back on every close, an accepted matrix
// editor changes the controller's matrix at once, and the command-line mode
// stores the end of the program's action as "dprog_stop".
//
// Every edit restarts a 50 ms single-shot timer; its timeout rebuilds the working
// program from the form and hands it to the diagram window when that is shown.
class ProgramTiverk2Dlg : public QDialog
{
    Q_OBJECT
public:
    // The command-line mode: `commandLine` is true only when one program is edited
    // for an outside caller (no parent, no road network); `network` is the road
    // network of the document or null.
    ProgramTiverk2Dlg(QWidget *parent, const CnfProgramPtr &program, CnfController *controller,
                      Halm58a::Network *network = nullptr, bool commandLine = false);
    ~ProgramTiverk2Dlg() override;

    // The working program; never null.
    CnfProgramPtr program() const;

    void done(int result) override;

    // Rebuilds the working program from the form. `validate` reports bad input
    // and stops with false; without it the store goes on quietly (chart refresh).
    // True without any change when nothing was edited since the last store.
    bool storeProgram(bool validate);

    // Shows the page and the widgets of the working program's type and fills the
    // page from the program.
    void fillAlgorithmPage();
    // One row per controller signal group, one "state|seconds" cell per interval.
    void fillTimelineTable();
    // The JSON of a text editor; a parse error selects its line, is reported and
    // clears `ok`. A null editor gives false and leaves `ok` alone.
    QVariant parseJsonEdit(QTextEdit *edit, bool *ok);

    // A new empty step column at `position` (0-based); references to the steps
    // after it move up by one.
    void insertStep(int position);
    // The step numbers offered in the step-number rows: 1 to `count`; a
    // negative count means the number of step columns.
    void updateStepChoices(int count);
    // The cycle length as the sum of the phases' full lengths.
    void updateCycleFromStages();
    // Row totals of the timeline in the row titles; the longest row is the cycle.
    void updateTimelineTotals();

private slots:
    void on_algType_currentIndexChanged(int index);
    void appendPhase();
    void removePhase();
    void on_stageTable_itemChanged(QTableWidgetItem *item);
    void appendCrosswalk();
    void removeCrosswalk();
    void on_pedestrianTable_itemChanged(QTableWidgetItem *item);
    void on_stagering_table_itemChanged(QTableWidgetItem *item);
    void stagering_table_remove_step();
    void stagering_table_insert_step();
    void stagering_table_insert_step_before();
    void on_stagering_table_itemSelectionChanged();
    void stagering_dt_table_remove_detector();
    void stagering_dt_table_insert_detector();
    void stagering_dt_table_insert_detector_before();
    void on_stagering_dt_table_itemSelectionChanged();
    void on_stagering_dt_table_itemChanged(QTableWidgetItem *item);
    void on_pattern_textChanged(const QString &arg1);
    void on_mr_mod_script_textChanged();
    void on_scriptParam_textChanged();
    void on_extensions_editingFinished();
    void on_script_editingFinished();
    void on_patternContent_textChanged();
    void on_timeline_table_itemChanged(QTableWidgetItem *item);
    void on_matrix_currentIndexChanged(int index);
    void on_changeMatrix_toggled(bool checked);
    void matrixValueChanged(int offSg, int onSg, qreal value);
    void saveMatrixChanges();
    void resetMatrixChanges();
    void on_showDiagramm_toggled(bool checked);
    void on_showEmulatorLog_toggled(bool checked);
    void on_updateChartDelayTimer_timeout();
    void refresh_chart();
    void on_formatScript_clicked();
    void on_coordinated_toggled(bool checked);
    void on_cycleOffset_valueChanged(int value);
    void on_cycleLength_valueChanged(int value);
    void on_specialPattern_clicked(bool checked);
    void on_changeActionTime_clicked();

private:
    void init(const CnfProgramPtr &program);
    void setUpDelegates();
    void setUpActions();
    void fillTypeList();
    void fillMatrixList(const CnfProgramPtr &given);
    void fillStages(int type);
    void fillMultiRing();
    void fillScript();
    void fillTimeline(int type);
    void fillSteps();
    void fillCrosswalks();
    // The ids of the listed signal groups, sensors or detectors, found by id or
    // by name; one that is not found is reported and left out.
    QStringList resolvedIds(const QVariantList &elements, int kind);
    bool storeStages(int type, bool validate);
    bool storeSequence(bool validate);
    bool storeMultiRing(bool validate);
    bool storeScript();
    void storeTimeline(int type);
    bool storeSteps(bool validate);
    QVariantList conditionsFromTable() const;
    bool storeCrosswalks(bool validate);
    // Renumbers the step references after step `removed` (1-based) was taken away.
    void renumberAfterRemovedStep(int removed);
    void setCycleWidgetsVisible(bool visible);
    void setMatrixWidgetsVisible(bool visible);
    void showActionTime();
    // Marks the program edited and restarts the chart delay timer.
    void edited();
    int currentTypeCode() const;
    MatrixDlg *matrixEditor() const;
    CnfMatrixPtr matrixEditorMatrix() const;
    void keepMatrixEditorGeometry();
    void matrixEditorClosed();

    Ui::ProgramTiverk2Dlg *ui = nullptr;
    DialogItemValidator *m_validator = nullptr;
    CnfController *m_controller;
    Halm58a::Network *m_network;
    CnfProgramPtr m_program;
    // The program as given, for the parts of it that the form does not edit.
    CnfProgramPtr m_original;
    CnfMatrixPtr m_matrix;
    QVariantMap m_multiRing;
    bool m_changed = false;
    bool m_defaultMatrix = false;
    bool m_commandLine;
    QTimer m_updateChartDelayTimer;
    QDateTime m_actionEnd;
    ComboBoxDelegate *m_stepNumbers = nullptr;
};
