#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

namespace Halm58a {
class Network;
}
namespace Ui {
class ProgramTiverk2Dlg;
}

// The program dialog of the families "tiverkii" and "ZU_MOLT". It edits a private
// clone of the given program (or a new program with the first free number); after
// Accepted the caller takes program() and adds it, clones it into the stored
// program or hands it to CnfController::createDynamicProgram. The dialog writes
// nothing into the controller itself; any other result means cancel.
class ProgramTiverk2Dlg : public QDialog
{
    Q_OBJECT
public:
    // `commandLine` is true only when one program is edited for an outside caller;
    // `network` is the road network of the document or null.
    ProgramTiverk2Dlg(QWidget *parent, const CnfProgramPtr &program, CnfController *controller,
                      Halm58a::Network *network = nullptr, bool commandLine = false);
    ~ProgramTiverk2Dlg() override;

    // The working program; never null.
    CnfProgramPtr program() const;

    void done(int result) override;

private:
    // One column per step: the stage and its full length.
    void fillStageTable();
    // Takes the name and the edited full lengths back into the working program.
    void storeProgram();

    Ui::ProgramTiverk2Dlg *ui;
    CnfController *m_controller;
    Halm58a::Network *m_network;
    CnfProgramPtr m_program;
    bool m_commandLine;
};
