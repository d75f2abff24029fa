#include "recoverywidget.h"
#include "ui_recoverywidget.h"

#include "editorpages.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zurecoveryparameters.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

#include <QHeaderView>
#include <QStyle>

using namespace EditorPages;

namespace {

// The table shows the interval first; the model keeps attempts first.
enum ErrorColumn { IntervalColumn, AttemptsColumn, FilterColumn };

} // namespace

RecoveryWidget::RecoveryWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::RecoveryWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
}

RecoveryWidget::~RecoveryWidget()
{
    delete ui;
}

void RecoveryWidget::load(ZUConfiguration *configuration)
{
    if (!configuration)
        return;
    m_configuration = configuration;
    const ZURecoveryParameters *recovery = configuration->recoveryParameters();
    ui->errors->clearContents();
    ui->defectSwitchRate->setValue(recovery->defectSwitchRate());
    ui->confidenceInterval->setValue(recovery->confidenceInterval());
    const ZURecoveryParameters::Errors &errors = recovery->errors();
    for (int row = 0; row < ui->errors->rowCount() && row < int(errors.size()); ++row) {
        ui->errors->setCellData(row, IntervalColumn, intCell(errors[row].interval), true);
        ui->errors->setCellData(row, AttemptsColumn, intCell(errors[row].attempts), true);
        ui->errors->setCellData(row, FilterColumn, intCell(errors[row].filter), true);
    }
    ui->errors->resizeColumnsToContents();
    keepErrorColumnsInView();
    m_validator->snapshotAll();
}

void RecoveryWidget::keepErrorColumnsInView()
{
    // Three narrow columns beside long row names: the page asks for room for
    // all of them rather than hiding the last one behind a scroll bar.
    const QHeaderView *columns = ui->errors->horizontalHeader();
    int width = 2 * ui->errors->frameWidth() + ui->errors->verticalHeader()->sizeHint().width();
    for (int column = 0; column < columns->count(); ++column) {
        const bool stretched = columns->stretchLastSection() && column == columns->count() - 1;
        width += stretched ? columns->sectionSizeHint(column) : columns->sectionSize(column);
    }
    if (ui->errors->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        width += ui->errors->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ui->errors);
    ui->errors->setMinimumWidth(width);
}

void RecoveryWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZURecoveryParameters *recovery = m_configuration->recoveryParameters();
    if (m_validator->isChanged(ui->defectSwitchRate))
        recovery->setDefectSwitchRate(ui->defectSwitchRate->value());
    if (m_validator->isChanged(ui->confidenceInterval))
        recovery->setConfidenceInterval(ui->confidenceInterval->value());
    if (m_validator->isChanged(ui->errors)) {
        ZURecoveryParameters::Errors &errors = recovery->errors();
        for (int row = 0; row < ui->errors->rowCount() && row < int(errors.size()); ++row) {
            errors[row].interval = cellInt(ui->errors->cellData(row, IntervalColumn));
            errors[row].attempts = cellInt(ui->errors->cellData(row, AttemptsColumn));
            errors[row].filter = cellInt(ui->errors->cellData(row, FilterColumn));
        }
    }
    emit configurationChanged(nullptr);
    m_validator->snapshotAll();
}
