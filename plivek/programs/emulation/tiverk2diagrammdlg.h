#pragma once

#include "cnf/cnffwd.h"

#include <QDialog>
#include <QVariantMap>

namespace Ui {
class Tiverk2DiagrammDlg;
}

// The diagram window of the TIVERK II program dialog. The dialog hands it the
// program being edited whenever that changes while the window is shown; the
// window asks for fresh data with needToRefresh() when its display range changes
// or the user asks for it. It keeps its geometry under "Tiverk2DiagrammDlg/geometry".
//
// First version: the window keeps the data it is given and keeps the chosen time
// window with an empty chart; the emulation run that fills the chart comes later.
class Tiverk2DiagrammDlg : public QDialog
{
    Q_OBJECT
public:
    // The controller is the document's and is not owned.
    Tiverk2DiagrammDlg(QWidget *parent, CnfController *controller);
    ~Tiverk2DiagrammDlg() override;

    // Takes copies of the program, the MultiRing module settings and the matrix.
    void setData(const CnfProgramPtr &program, const QVariantMap &multiRing, const CnfMatrixPtr &matrix);
    CnfProgramPtr program() const { return m_program; }
    QVariantMap multiRing() const { return m_multiRing; }
    CnfMatrixPtr matrix() const { return m_matrix; }

    void setVisible(bool visible) override;

signals:
    void visibilityChanged(bool visible);
    void needToRefresh();

private slots:
    void on_displayRefresh_clicked();
    void on_displayFrom_valueChanged(int value);
    void on_displayTo_valueChanged(int value);

private:
    Ui::Tiverk2DiagrammDlg *ui;
    CnfController *m_controller;
    CnfProgramPtr m_program;
    QVariantMap m_multiRing;
    CnfMatrixPtr m_matrix;
};
