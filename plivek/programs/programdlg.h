#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>
#include <QVariantList>

class ParametersTable;
class QSize;
class QTableWidget;
namespace Halm58a {
class Network;
}
namespace Ui {
class ProgramDlg;
}

// The program dialog of the TIVERK 3.x and adapter families and, with reduced
// function, of any family without a dialog of its own. It edits a clone of the
// given program (or a new program with the first free number); after Accepted
// the caller takes program() and adds it, clones it into the stored program or
// hands it to CnfController::createDynamicProgram. The dialog writes nothing into
// the controller itself; any other result means cancel.
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
    // The chart's context menu: asks for a file and saves the diagram as SVG at the
    // chart's size; the folder is remembered in "chart_save_dir".
    void chart_save_as_svg();

private:
    // 0 any other family, 1 "tiverk", 2 "adapter" (the controller's "type").
    int family() const;
    // The parameter table: one column per step of the program, the step's phase
    // and its own length.
    void fillParameterTable();
    // Takes the edited step lengths and the name back into the clone.
    void storeParameterTable();
    // Redraws the chart for the program (ProgramDiagram); families other than
    // TIVERK 3.x and the adapter show "not supported".
    void buildDiagram(const CnfProgramPtr &program);
    // To the parent window's slot "printError"; without a parent to the critical log.
    void printError(const QString &message);

    Ui::ProgramDlg *ui;
    CnfController *m_controller;
    Halm58a::Network *m_network;
    CnfProgramPtr m_program;
    bool m_durationMode;
};
