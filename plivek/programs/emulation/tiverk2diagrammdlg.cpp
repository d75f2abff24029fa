#include "tiverk2diagrammdlg.h"
#include "ui_tiverk2diagrammdlg.h"

#include "cnf/cnfmatrix.h"
#include "cnf/cnfprogram.h"

#include <QSettings>

namespace {
const char *const GeometryKey = "Tiverk2DiagrammDlg/geometry";
const char *const FromKey = "Tiverk2Prog/chart_from";
const char *const ToKey = "Tiverk2Prog/chart_to";
} // namespace

Tiverk2DiagrammDlg::Tiverk2DiagrammDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::Tiverk2DiagrammDlg)
    , m_controller(controller)
{
    ui->setupUi(this);
    const QSettings settings;
    const QSignalBlocker fromBlocker(ui->displayFrom);
    const QSignalBlocker toBlocker(ui->displayTo);
    ui->displayFrom->setValue(settings.value(QLatin1String(FromKey), 0).toInt());
    ui->displayTo->setValue(settings.value(QLatin1String(ToKey), 100).toInt());
}

Tiverk2DiagrammDlg::~Tiverk2DiagrammDlg()
{
    delete ui;
}

void Tiverk2DiagrammDlg::setData(const CnfProgramPtr &program, const QVariantMap &multiRing,
                                 const CnfMatrixPtr &matrix)
{
    m_program = CnfProgramPtr::create(m_controller);
    if (program)
        m_program->clone(*program);
    m_multiRing = multiRing;
    m_matrix = CnfMatrixPtr::create();
    if (matrix)
        m_matrix->clone(matrix);
    setWindowTitle(m_program->name.isEmpty() ? tr("plotlet::Chart") : m_program->name);
}

void Tiverk2DiagrammDlg::setVisible(bool visible)
{
    QSettings settings;
    if (visible) {
        const QByteArray geometry = settings.value(QLatin1String(GeometryKey)).toByteArray();
        if (!geometry.isEmpty())
            restoreGeometry(geometry);
    } else if (isVisible()) {
        settings.setValue(QLatin1String(GeometryKey), saveGeometry());
    }
    QDialog::setVisible(visible);
    emit visibilityChanged(visible);
}

void Tiverk2DiagrammDlg::on_displayRefresh_clicked()
{
    emit needToRefresh();
}

void Tiverk2DiagrammDlg::on_displayFrom_valueChanged(int value)
{
    QSettings().setValue(QLatin1String(FromKey), value);
    emit needToRefresh();
}

void Tiverk2DiagrammDlg::on_displayTo_valueChanged(int value)
{
    QSettings().setValue(QLatin1String(ToKey), value);
    emit needToRefresh();
}
