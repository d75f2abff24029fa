#include "rcpwidget.h"
#include "ui_rcpwidget.h"

#include "editorpages.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuvpu.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"

using namespace EditorPages;

namespace {

constexpr int ButtonCount = 4;

} // namespace

RCPWidget::RCPWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::RCPWidget)
{
    ui->setupUi(this);
    m_validator = new DialogItemValidator(this);
    for (const int type : { int(zu::passive), int(zu::passive_ind) })
        ui->type->addItem(enumText<zu::VPUType>(type), type);
    for (const auto &item : enumItems<zu::Polarity>(false))
        ui->common->addItem(item.first, item.second);
    ui->buttons->setItemDelegateForRow(0, new ComboBoxDelegate(this, QList<QPair<QString, int>>()));
}

RCPWidget::~RCPWidget()
{
    delete ui;
}

void RCPWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || !m_panel)
        return;
    if (className == ZUStage::staticMetaObject.className()) {
        EditorPages::refillRows(ui->buttons, { 0 }, m_configuration->stages(), m_validator);
    } else if (className == ZUControlSource::staticMetaObject.className()) {
        // The window's upkeep after a control-source change may have changed the panel.
        ui->enabled->setChecked(m_panel->type() != zu::NotSet);
        m_validator->snapshot(ui->enabled);
        followEnabled(this, ui->enabled->isChecked());
    }
}

void RCPWidget::load(ZUConfiguration *configuration, ZUVPU *panel)
{
    if (!configuration || !panel)
        return;
    m_configuration = configuration;
    m_panel = panel;
    for (int column = 0; column < ui->buttons->columnCount(); ++column)
        delete ui->buttons->takeItem(0, column);
    configurationHasChanged(ZUStage::staticMetaObject.className());
    ui->type->setCurrentIndex(ui->type->findData(panel->type()));
    ui->idleInd->setChecked(panel->idleInd());
    ui->common->setCurrentIndex(ui->common->findData(panel->common()));
    const QList<QPointer<ZUStage>> stages = panel->stages();
    for (int button = 0; button < stages.size() && button < ui->buttons->columnCount(); ++button) {
        if (stages.at(button))
            ui->buttons->setCellData(0, button, stages.at(button)->id(), true);
    }
    ui->buttons->resizeColumnsToContents();
    ui->enabled->setChecked(panel->type() != zu::NotSet);
    followEnabled(this, ui->enabled->isChecked());
    m_validator->snapshotAll();
}

void RCPWidget::on_enabled_clicked(bool checked)
{
    followEnabled(this, checked);
}

void RCPWidget::on_clear_common_clicked()
{
    ui->common->setCurrentIndex(-1);
}

void RCPWidget::on_buttons_itemChanged(QTableWidgetItem *item)
{
    if (item)
        ui->buttons->resizeColumnToContents(item->column());
}

void RCPWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, m_configuration && m_panel, *m_validator))
        return;
    // ZUVPU has no meta-object of its own: the window knows the panel by this name.
    const char *className = QObject::staticMetaObject.className();
    const bool enabledChanged = m_validator->isChanged(ui->enabled);
    if (enabledChanged && !ui->enabled->isChecked()) {
        m_panel->setType(zu::NotSet);
        // Only the type is written: what else was typed goes back to the stored values.
        load(m_configuration, m_panel);
        emit configurationChanged(className);
        return;
    }
    if (enabledChanged || m_validator->isChanged(ui->type))
        m_panel->setType(enumValue<zu::VPUType>(ui->type->currentData()));
    if (m_validator->isChanged(ui->idleInd))
        m_panel->setIdleInd(ui->idleInd->isChecked());
    if (m_validator->isChanged(ui->common))
        m_panel->setCommon(enumValue<zu::Polarity>(ui->common->currentData()));
    if (m_validator->isChanged(ui->buttons)) {
        m_panel->clearStages();
        for (int column = 0; column < ui->buttons->columnCount() && column < ButtonCount; ++column)
            m_panel->addStage(m_configuration->findStage(ui->buttons->cellData(0, column)));
    }
    // "Enable" without a type leaves the panel unused: the page shows so at once.
    if (m_panel->type() == zu::NotSet)
        load(m_configuration, m_panel);
    emit configurationChanged(className);
    m_validator->snapshotAll();
}
