#include "stagewidget.h"
#include "ui_stagewidget.h"

#include "editorpages.h"

#include "common/widgets/checkboxdelegate.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QHash>
#include <QHeaderView>

namespace {

QString prefix()
{
    return Prefixes::prefix(Prefixes::Stage);
}

} // namespace

StageWidget::StageWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::StageWidget)
{
    ui->setupUi(this);
    ParametersTable *table = ui->sgTable;
    table->setColumnCount(SgColumnCount);
    table->setHorizontalHeaderLabels({ tr("Assigned"), tr("ID"), tr("Name"), tr("Type") });
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(25);
    table->setItemDelegateForColumn(Assigned, new CheckBoxDelegate(table, false, false));
    m_validator = new DialogItemValidator(this);
}

StageWidget::~StageWidget()
{
    delete ui;
}

bool StageWidget::showsOneStage() const
{
    return m_configuration && m_stages.size() == 1;
}

void StageWidget::setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUStage>> &stages)
{
    if (m_configuration && m_configuration != configuration)
        disconnect(m_configuration, nullptr, this, nullptr);
    m_configuration = configuration;
    if (configuration) {
        connect(configuration, &ZUConfiguration::objectAdded, this,
                &StageWidget::configuration_objectAdded, Qt::UniqueConnection);
        connect(configuration, &ZUConfiguration::objectDestroyed, this,
                &StageWidget::configuration_objectDestroyed, Qt::UniqueConnection);
    }
    m_stages = stages;
    if (stages.isEmpty() || !configuration)
        return;
    const bool one = stages.size() == 1;
    EditorPages::forbidOtherIdsAndNames(m_validator, ui->id, ui->name, stages,
                                        configuration->stages());

    PageProtocol::clearIdAndName(ui->id, ui->name, ui->manualName);
    ui->minTime->reset();
    ui->maxTime->reset();
    ui->assignedSg->clear();
    ui->use_matrix->setChecked(false);
    ui->sgTable->setRowCount(0);
    ui->sgTable->setEnabled(one);
    ui->use_matrix->setEnabled(one);
    ui->assignedSg->setVisible(one);
    ui->assignedSgLabel->setVisible(one);

    for (const QPointer<ZUStage> &stage : stages) {
        if (!stage)
            continue;
        if (one) {
            PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, prefix(), stage->id(),
                                        stage->name());
            fillSgTable();
        }
        ui->minTime->mergeValue(stage->minTime());
        ui->maxTime->mergeValue(stage->maxTime());
    }
    updateAssignedSg();
    m_validator->snapshotAll();
}

void StageWidget::fillSgTable()
{
    if (!showsOneStage() || !m_stages.first())
        return;
    ZUStage *stage = m_stages.first();
    ParametersTable *table = ui->sgTable;
    const QList<QPointer<ZUSignalGroup>> &assigned = stage->groups();
    int row = 0;
    for (const QPointer<ZUSignalGroup> &group : m_configuration->signalGroups()) {
        if (!group)
            continue;
        if (row >= table->rowCount())
            table->setRowCount(row + 1);
        table->setCellData(row, Assigned, assigned.contains(group), true);
        table->setCellData(row, Id, group->id(), true);
        table->setCellData(row, Name, group->name(), true);
        table->setCellData(row, Type, enumText<zu::SGType>(group->type()), true);
        ++row;
    }
    table->setRowCount(row);
}

void StageWidget::updateAssignedSg()
{
    if (!showsOneStage())
        return;
    QStringList entries;
    const ParametersTable *table = ui->sgTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->cellData(row, Assigned).toBool())
            entries << table->cellData(row, Id).toString() + QLatin1Char('(')
                    + table->cellData(row, Name).toString() + QLatin1Char(')');
    }
    ui->assignedSg->setText(entries.join(QLatin1Char(',')));
}

void StageWidget::on_use_matrix_clicked(bool checked)
{
    if (!m_configuration || m_checkingConflicts)
        return;
    m_checkingConflicts = true;
    const ZUIntergreenMatrix *matrix = m_configuration->intergreenMatrix();
    ParametersTable *table = ui->sgTable;
    QHash<ZUSignalGroup *, int> rowOfGroup;
    QList<QPointer<ZUSignalGroup>> groupOfRow;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QPointer<ZUSignalGroup> group
            = m_configuration->findSignalGroup(table->cellData(row, Id));
        groupOfRow << group;
        if (group && !rowOfGroup.contains(group))
            rowOfGroup.insert(group, row);
        table->setCellEditable(row, Assigned, true);
    }
    if (checked && matrix) {
        for (int row = 0; row < table->rowCount(); ++row) {
            if (!groupOfRow.at(row) || !table->cellData(row, Assigned).toBool())
                continue;
            for (const QPointer<ZUSignalGroup> &partner :
                 matrix->conflictingGroups(groupOfRow.at(row))) {
                const int partnerRow = rowOfGroup.value(partner, -1);
                if (partnerRow >= 0 && partnerRow != row)
                    table->setCellData(partnerRow, Assigned, false, false);
            }
        }
    }
    m_checkingConflicts = false;
}

void StageWidget::on_sgTable_itemChanged(QTableWidgetItem *item)
{
    if (!item || item->column() != Assigned)
        return;
    updateAssignedSg();
    if (ui->use_matrix->isChecked())
        on_use_matrix_clicked(true);
}

void StageWidget::configurationHasChanged(const char *className)
{
    if (!m_configuration || className != ZUSignalGroup::staticMetaObject.className())
        return;
    fillSgTable();
    updateAssignedSg();
    m_validator->snapshot(ui->sgTable);
}

void StageWidget::configuration_objectAdded(ZUBaseObject *obj, int pos)
{
    Q_UNUSED(pos)
    if (qobject_cast<ZUSignalGroup *>(obj))
        configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
}

void StageWidget::configuration_objectDestroyed(ZUBaseObject *obj)
{
    // The configuration has taken the group off its list already.
    if (qobject_cast<ZUSignalGroup *>(obj))
        configurationHasChanged(ZUSignalGroup::staticMetaObject.className());
}

void StageWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, prefix(), text);
}

void StageWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, prefix(), ui->id->text());
}

void StageWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    const bool one = m_stages.size() == 1;
    for (const QPointer<ZUStage> &stage : qAsConst(m_stages)) {
        if (!stage)
            continue;
        if (one) {
            EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, stage);
            if (m_validator->isChanged(ui->sgTable)) {
                const ParametersTable *table = ui->sgTable;
                for (int row = 0; row < table->rowCount(); ++row) {
                    const QPointer<ZUSignalGroup> group
                        = m_configuration->findSignalGroup(table->cellData(row, Id));
                    if (!group)
                        continue;
                    if (table->cellData(row, Assigned).toBool())
                        stage->addGroup(group);
                    else
                        stage->removeGroup(group);
                }
            }
            setWindowTitle(stage->text(QString()));
        }
        if (m_validator->isChanged(ui->minTime))
            stage->setMinTime(ui->minTime->value());
        if (m_validator->isChanged(ui->maxTime))
            stage->setMaxTime(ui->maxTime->value());
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUStage::staticMetaObject.className());
}
