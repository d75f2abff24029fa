#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>

class CnfController;
namespace Halm58a {
class Network;
}
namespace Ui {
class MatrixDlg;
}

// One matrix of the controller: an ordinary matrix of the matrix list or, with
// the conflict flag, the conflict matrix. A null matrix makes the dialog edit
// a new empty one (matrix() gives it). The controller and the network (may be
// null) are not owned.
//
// First version: the form, the titles and the identifier row; OK writes
// nothing into the matrix yet.
class MatrixDlg : public QDialog
{
    Q_OBJECT
public:
    MatrixDlg(QWidget *parent, CnfController *controller, const CnfMatrixPtr &matrix,
              Halm58a::Network *network, bool conflict);
    ~MatrixDlg() override;

    CnfMatrixPtr matrix() const { return edited; }

    // Keeps the matrix's identifier and name as they are (an editor embedded in
    // another dialog edits the values only).
    void lockIdAndName();

signals:
    // One edited cell: the value between the groups switched off and on.
    void valueChanged(int off_sg, int on_sg, qreal val);

private:
    Ui::MatrixDlg *ui;
    CnfController *controller;
    CnfMatrixPtr edited;
    Halm58a::Network *network;
    bool conflict;
};
