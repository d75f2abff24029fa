#pragma once

#include "cnf/cnffwd.h"

#include <QColor>
#include <QDialog>
#include <QSharedPointer>

class CnfController;
class DialogItemValidator;
class QTableWidgetItem;
namespace Halm58a {
class ConflictMatrix;
class Granule;
class Network;
class SignalGroup;
} // namespace Halm58a
namespace Ui {
class MatrixDlg;
}

// One matrix of the controller: an ordinary matrix of the matrix list (a
// number or nothing per cell) or, with the conflict flag, the conflict matrix
// (a yes/no flag per cell, kept symmetric). One row and one column per signal
// group: the row is the group that ends, the column the group that starts, so
// the cell (R, C) holds releaf(C, R).
//
// A null matrix makes the dialog edit a new empty one (matrix() gives it). The
// edited matrix changes only in accept(). The controller and the road network
// (may be null) are not owned. With a network the dialog can derive the table
// from the junction's geometry and highlights the current row's and column's
// signal groups on the map.
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

    // Writes the table into the matrix (its values replaced).
    void saveToMatrix(CnfMatrix &matrix) const;
    // Fills the table from a matrix derived from the network, then warns about
    // signal groups that it puts in conflict although a phase runs them together.
    void loadGeometryMatrix(const QSharedPointer<Halm58a::ConflictMatrix> &geometry);

public slots:
    void accept() override;

signals:
    // One edited cell: the value between the groups switched off and on (NaN
    // when the cell is empty or not a number).
    void valueChanged(int off_sg, int on_sg, qreal val);

private slots:
    void on_matrixTable_itemChanged(QTableWidgetItem *item);
    void on_matrixTable_currentCellChanged(int currentRow, int currentColumn, int previousRow,
                                           int previousColumn);
    void on_fromGeometry_clicked();
    void on_useConflictMatrix_toggled(bool checked);
    void on_forbid_cells_with_same_phase_toggled(bool checked);
    void on_show_full_name_of_sg_clicked(bool checked);
    void on_rounding_2_clicked();

private:
    void fillTable();
    CnfSignalGroupPtr rowGroup(int row) const;
    CnfSignalGroupPtr columnGroup(int column) const;
    void markAsymmetry(QTableWidgetItem *item);
    void markMirror(QTableWidgetItem *item);
    // Highlights (or with an invalid colour clears) one signal group on the map.
    void highlightGroup(int number, const QColor &color);
    void paintLine(int index, bool row, const QBrush &brush);
    // The junction of the controller in the network; null when there is none.
    Halm58a::Granule *junction() const;
    QList<Halm58a::SignalGroup *> junctionGroups(Halm58a::Granule *granule) const;
    Halm58a::SignalGroup *lastGroupWithNumber(const QList<Halm58a::SignalGroup *> &groups,
                                              int number) const;
    void showGranuleNotFound();
    void reportSamePhaseConflicts();

    Ui::MatrixDlg *ui;
    CnfController *controller;
    CnfMatrixPtr edited;
    Halm58a::Network *network;
    bool conflict;
    bool busy = false;
    DialogItemValidator *validator;
};
