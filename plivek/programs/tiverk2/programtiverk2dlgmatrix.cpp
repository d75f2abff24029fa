#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/framework/windowgeometry.h"

#include <QSettings>

// The matrix the program runs with and its editor.

namespace {

const char *const MatrixGeometryKey = "ProgramTiverk2Dlg/geometry";

} // namespace

void ProgramTiverk2Dlg::fillMatrixList(const CnfProgramPtr &given)
{
    const QList<CnfMatrixPtr> matrices
        = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
    int position = -1;
    {
        const QSignalBlocker blocker(ui->matrix);
        ui->matrix->clear();
        ui->matrix->addItem(tr("Default"), -1);
        for (int i = 0; i < matrices.size(); ++i) {
            const CnfMatrixPtr &matrix = matrices.at(i);
            ui->matrix->addItem(QString::number(matrix->id()) + QLatin1String(" (") + matrix->name()
                                    + QLatin1Char(')'),
                                i);
            if (m_program->matrix && matrix == m_program->matrix)
                position = i;
        }
        ui->matrix->setCurrentIndex(-1);
        m_defaultMatrix = position < 0;
        if (m_program->matrix && given)
            m_defaultMatrix = given->defaultMatrix;
        if (m_defaultMatrix && m_controller && m_controller->defaultMatrix())
            m_matrix->clone(m_controller->defaultMatrix());
    }
    // Selecting the program's own matrix is no choice of the user: a program
    // that follows the default matrix, and has it as its matrix, keeps doing so.
    const bool followsDefault = m_defaultMatrix && m_controller && position >= 0
        && matrices.at(position) == m_controller->defaultMatrix();
    ui->matrix->setCurrentIndex(position + 1);
    if (followsDefault)
        m_defaultMatrix = true;
}

void ProgramTiverk2Dlg::on_matrix_currentIndexChanged(int index)
{
    m_matrix->clear();
    const QList<CnfMatrixPtr> matrices
        = m_controller ? m_controller->matrixList() : QList<CnfMatrixPtr>();
    bool ok = false;
    const int position = ui->matrix->itemData(index, Qt::UserRole).toInt(&ok);
    if (ok && position >= 0 && position < matrices.size()) {
        m_matrix->clone(matrices.at(position));
        m_defaultMatrix = false;
    } else if (m_controller && m_controller->defaultMatrix()) {
        m_matrix->clone(m_controller->defaultMatrix());
    }
    edited();
}

MatrixDlg *ProgramTiverk2Dlg::matrixEditor() const
{
    return findChild<MatrixDlg *>(QStringLiteral("matrix_dlg"), Qt::FindDirectChildrenOnly);
}

CnfMatrixPtr ProgramTiverk2Dlg::matrixEditorMatrix() const
{
    MatrixDlg *editor = matrixEditor();
    return editor ? editor->matrix() : CnfMatrixPtr();
}

void ProgramTiverk2Dlg::on_changeMatrix_toggled(bool checked)
{
    MatrixDlg *editor = matrixEditor();
    if (!checked) {
        // The list comes back also when no editor could be opened (no road network).
        ui->matrix->setEnabled(true);
        if (editor) {
            keepMatrixEditorGeometry();
            delete editor;
        }
        return;
    }
    if (!editor && m_network) {
        auto copy = CnfMatrixPtr::create();
        copy->clone(m_matrix);
        editor = new MatrixDlg(this, m_controller, copy, m_network, false);
        editor->setObjectName(QStringLiteral("matrix_dlg"));
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->lockIdAndName();
        connect(editor, &MatrixDlg::valueChanged, this, &ProgramTiverk2Dlg::matrixValueChanged);
        connect(editor, &QDialog::accepted, this, &ProgramTiverk2Dlg::saveMatrixChanges);
        connect(editor, &QDialog::rejected, this, &ProgramTiverk2Dlg::resetMatrixChanges,
                Qt::QueuedConnection);
    }
    ui->matrix->setEnabled(false);
    if (editor) {
        WindowGeometry::restore(editor, QLatin1String(MatrixGeometryKey));
        editor->show();
    }
}

void ProgramTiverk2Dlg::keepMatrixEditorGeometry()
{
    if (MatrixDlg *editor = matrixEditor())
        WindowGeometry::store(editor, QLatin1String(MatrixGeometryKey));
}

// The editor closed: "Change matrix" is unticked without closing it again, and
// the matrix list is offered again.
void ProgramTiverk2Dlg::matrixEditorClosed()
{
    keepMatrixEditorGeometry();
    const QSignalBlocker blocker(ui->changeMatrix);
    ui->changeMatrix->setChecked(false);
    ui->matrix->setEnabled(true);
}

void ProgramTiverk2Dlg::matrixValueChanged(int offSg, int onSg, qreal value)
{
    const CnfMatrixPtr edited = matrixEditorMatrix();
    if (edited && m_controller) {
        const CnfSignalGroupPtr off = m_controller->findSG(offSg);
        const CnfSignalGroupPtr on = m_controller->findSG(onSg);
        if (off && on)
            edited->setReleaf(on, off, value);
    }
    m_updateChartDelayTimer.start();
}

// Accepting the editor changes the controller's matrix at once, whatever
// becomes of this dialog.
void ProgramTiverk2Dlg::saveMatrixChanges()
{
    const CnfMatrixPtr edited = matrixEditorMatrix();
    if (edited && m_controller) {
        const QList<CnfMatrixPtr> matrices = m_controller->matrixList();
        bool ok = false;
        const int position = ui->matrix->currentData(Qt::UserRole).toInt(&ok);
        if (m_defaultMatrix) {
            if (const CnfMatrixPtr target = m_controller->defaultMatrix()) {
                target->clone(edited);
                m_matrix->clone(target);
            }
        } else if (ok && position >= 0 && position < matrices.size()) {
            matrices.at(position)->clone(edited);
            m_matrix->clone(matrices.at(position));
        }
    }
    matrixEditorClosed();
}

void ProgramTiverk2Dlg::resetMatrixChanges()
{
    matrixEditorClosed();
    refresh_chart();
}
