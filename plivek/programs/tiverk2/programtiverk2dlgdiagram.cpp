#include "programtiverk2dlg.h"
#include "ui_programtiverk2dlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "plivek/dialogs/elements/matrixdlg.h"
#include "plivek/programs/emulation/tiverk2diagrammdlg.h"
#include "plivek/programs/emulation/tiverk2logdlg.h"

#include <QSettings>

// The windows linked to the dialog: the diagram window and the emulator log.

void ProgramTiverk2Dlg::on_showDiagramm_toggled(bool checked)
{
    auto *chart = findChild<Tiverk2DiagrammDlg *>(QStringLiteral("chart_dlg"));
    if (!checked) {
        if (chart && chart->isVisible())
            chart->hide();
        return;
    }
    if (!chart) {
        chart = new Tiverk2DiagrammDlg(this, m_controller);
        chart->setObjectName(QStringLiteral("chart_dlg"));
        connect(chart, &Tiverk2DiagrammDlg::visibilityChanged, ui->showDiagramm,
                &QAbstractButton::setChecked);
        connect(chart, &Tiverk2DiagrammDlg::needToRefresh, this, &ProgramTiverk2Dlg::refresh_chart);
    }
    chart->show();
    refresh_chart();
}

void ProgramTiverk2Dlg::on_showEmulatorLog_toggled(bool checked)
{
    auto *log = findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg"));
    if (log && log->isVisible() != checked)
        log->setVisible(checked);
}

void ProgramTiverk2Dlg::on_updateChartDelayTimer_timeout()
{
    refresh_chart();
}

void ProgramTiverk2Dlg::refresh_chart()
{
    if (auto *log = findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg")))
        log->clearLog();
    storeProgram(false);
    m_changed = true;
    CnfMatrixPtr shown = m_matrix;
    if (matrixEditor() && matrixEditorMatrix())
        shown = matrixEditorMatrix();
    auto *chart = findChild<Tiverk2DiagrammDlg *>(QStringLiteral("chart_dlg"));
    if (chart && chart->isVisible())
        chart->setData(m_program, m_multiRing, shown);
    if (ui->cycleLength->isVisible() && !ui->coordinated->isChecked())
        ui->cycleLength->setValue(m_program->cycle(true));
}
