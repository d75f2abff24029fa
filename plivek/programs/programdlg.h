#pragma once

#include "cnf/cnffwd.h"

#include <QByteArray>
#include <QDateTime>
#include <QDialog>
#include <QDomDocument>
#include <QMap>
#include <QVariantList>

class AlgorithmTable;
class ComboBoxDelegate;
class DialogItemValidator;
class InterstatesDlg;
class QSize;
class QTableWidget;
class QTableWidgetItem;
namespace Halm58a {
class Network;
}
namespace Ui {
class ProgramDlg;
}

// The program dialog of the TIVERK 3.x and adapter families and, with reduced
// function, of any family without a dialog of its own. It edits a clone of the
// given program (or a new program with the first free number): number and name,
// the algorithm type and its parameter table (the raw program bytes, see
// AlgorithmTable), the end time in duration mode, and a diagram page with the
// phase sequence, the cycle length and the interstate editor.
//
// On OK it writes the raw bytes into the clone through the controller, and the
// steps and interstate variant the bytes hold into the clone's steps, so that
// the table and the diagram show one program; the caller
// then takes program() and adds it, clones it into the stored program or hands it
// to CnfController::createDynamicProgram. An unchanged TIVERK 3.x or adapter
// program gives Rejected; a program without raw bytes given only a new number
// or name stays without them. Any other result means cancel.
//
// The report writer makes one without showing it and takes the parameter table
// (tiverkTableData) and the diagram picture (saveDiagramImage).
class ProgramDlg : public QDialog
{
    Q_OBJECT
public:
    // `durationMode` is true only when one program is edited for an outside caller
    // (command line); `network` is the road network of the document or null.
    ProgramDlg(QWidget *parent, const CnfProgramPtr &program, CnfController *controller,
               bool durationMode, Halm58a::Network *network = nullptr);
    ~ProgramDlg() override;

    // The edited clone; never null.
    CnfProgramPtr program() const;

    // The parameter table "tiverkTable" as rows of values (tableToVariant).
    QVariantList tiverkTableData() const;
    // A table as rows of values: the header row of the visible columns, then one
    // list per row (its vertical header text first when it has one); empty for a
    // table of fewer than two columns. Nested tables become nested lists, empty
    // cells invalid values, values that convert to a number integers.
    static QVariantList tableToVariant(const QTableWidget *table);

    // Writes the diagram of the program at `size` on a white background, SVG for
    // the suffix ".svg", otherwise the image format the suffix names. The adapter
    // family has no diagram: nothing is written, nothing reported. A picture that
    // cannot be written is reported through printError ("Can't save %1").
    // False when nothing was written.
    bool saveDiagramImage(const QString &path, const QSize &size);

    void done(int result) override;

private slots:
    void on_algType_currentIndexChanged(int index);
    void tableCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
    void on_showDiagramm_toggled(bool checked);
    void on_phaseTable_itemChanged(QTableWidgetItem *item);
    void istateVariantChanged(int variant);
    void istateChanged(const CnfSignalGroupPtr &group, int variant, uint offset, int value);
    void on_tiverkTable_itemChanged(QTableWidgetItem *item);
    void on_changeActionTime_clicked();
    void appendPhase();
    void removePhase();
    void on_cycleLength_valueChanged(int value);
    void on_greenStartTime_valueChanged(int value);
    // The chart's context menu: asks for a file and saves the diagram as SVG at the
    // chart's size; the folder is remembered in "chart_save_dir".
    void chart_save_as_svg();

private:
    void init(const CnfProgramPtr &program);
    // 0 any other family, 1 "tiverk", 2 "adapter" (the controller's "type").
    int readFamily() const;
    // Writes the table's bytes into the clone through the controller and gives
    // the clone the steps and interstate variant they hold. A record shorter
    // than the layout's is first extended (new bytes 255) so that no typed value
    // is dropped.
    bool storeRawData();
    // The program's record, extended with "not set" bytes to the layout's size.
    QByteArray fullRecord() const;
    // A cycle the user typed that the steps do not make; -1 when none.
    int typedCycleMismatch() const;
    // The record stating the cycle the program's steps make, unless the user
    // typed a cycle into it.
    QByteArray withCycleOfSteps(const QByteArray &record) const;
    // The record the parameter table shows: the full record, holding the program's
    // steps when the stored record lacks its step sequence.
    QByteArray tableRecord() const;
    // After the diagram page changed the steps or the variant: writes them into
    // the record and rebuilds the parameter table from it.
    void storeDiagramEdits();
    // Shows which algorithm type of the program the layout does not describe.
    void showTypeMessage();
    // The algorithm type id of the current algType item; -1 without one.
    int currentType() const;
    // Shows the green start time of the coordinated type, signals blocked.
    void updateGreenStartTime();
    // After a cell of the parameter table was checked: cycle of the other family,
    // green start time, OK button.
    void tableEdited(QTableWidgetItem *item);
    // OK only while the validator and every parameter cell allow it.
    void updateOkButton();
    void showActionTime();
    void fillPhaseTable();
    // Fills the phase table again while the diagram page shows it.
    void refreshPhaseTable();
    void fillPhaseColumn(int column);
    // Redraws the chart for the program (ProgramDiagram) and shows the cycle of a
    // TIVERK 3.x or adapter program in cycleLength.
    void buildDiagram(const CnfProgramPtr &program);
    // Through CalendarDlg::printError: the parent window's slot "printError", else the critical
    // log.
    void printError(const QString &message);
    // To the parent window's slot "printWarning"; without one to the debug log.
    void printWarning(const QString &message);

    Ui::ProgramDlg *ui;
    CnfController *m_controller;
    Halm58a::Network *m_network;
    CnfProgramPtr m_program;
    bool m_durationMode;
    int m_family = 0;
    bool m_modified = false;
    QDateTime m_endTime;
    QDomDocument m_layout;
    // Every signal group's interstate records as they were at set-up.
    QMap<int, QMap<int, QByteArray>> m_savedInterstates;
    AlgorithmTable *m_table = nullptr;
    DialogItemValidator *m_validator = nullptr;
    InterstatesDlg *m_interstates = nullptr;
    bool m_fillingPhases = false;
    // The diagram page changed steps or variant since the table was last built.
    bool m_diagramEdited = false;
    // The user typed into the cycle cell: the record keeps that cycle. Any other
    // cycle follows the steps, whichever page they were edited on.
    bool m_cycleTyped = false;
};
