#include "matrixdlg.h"

#include "cnf/cnfmatrix.h"
#include "ui_matrixdlg.h"

MatrixDlg::MatrixDlg(QWidget *parent, CnfController *controller, const CnfMatrixPtr &matrix,
                     Halm58a::Network *network, bool conflict)
    : QDialog(parent)
    , ui(new Ui::MatrixDlg)
    , controller(controller)
    , edited(matrix)
    , network(network)
    , conflict(conflict)
{
    ui->setupUi(this);
    if (!edited) {
        edited = CnfMatrixPtr::create();
        setWindowTitle(conflict ? tr("New conflict matrix") : tr("New matrix"));
    } else if (conflict) {
        setWindowTitle(tr("Conflict matrix"));
    } else {
        ui->id->setValue(edited->id());
        ui->name->setText(edited->name());
        QString title = tr("Matrix %1").arg(edited->id());
        if (!edited->name().isEmpty())
            title += QLatin1Char(' ') + edited->name();
        setWindowTitle(title);
    }
    if (conflict) {
        // The conflict matrix has no identifier or name of its own to edit.
        for (QWidget *widget : {static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->id),
                                static_cast<QWidget *>(ui->label_2), static_cast<QWidget *>(ui->name)})
            widget->hide();
    }
    ui->matrixTable->setPasteTextAsIs(conflict);
}

MatrixDlg::~MatrixDlg()
{
    delete ui;
}

void MatrixDlg::lockIdAndName()
{
    ui->id->setEnabled(false);
    ui->name->setEnabled(false);
}
