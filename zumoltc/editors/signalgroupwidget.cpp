#include "signalgroupwidget.h"
#include "ui_signalgroupwidget.h"

#include "editorpages.h"

#include "lampicon.h"
#include "signalgrouptimes.h"

#include "common/widgets/checkboxdelegate.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QIcon>
#include <QLineEdit>

namespace {

// A not-set number shows as an empty cell.
QVariant cellNumber(int value)
{
    return value == zu::NotSet ? QVariant() : QVariant(value);
}

QString prefix()
{
    return Prefixes::prefix(Prefixes::SignalGroup);
}

} // namespace

SignalGroupWidget::SignalGroupWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::SignalGroupWidget)
{
    ui->setupUi(this);
    m_times = new SignalGroupTimes(true, ui->redefined_times);
    ui->timesLayout->addWidget(m_times);
    const QList<QPair<QString, int>> types = enumItems<zu::SGType>(false);
    for (const auto &type : types)
        ui->type->addItem(type.first, type.second);
    ui->type->setCurrentIndex(-1);

    ui->keysTable->setColumnCount(KeyColumnCount);
    ui->keysTable->setHorizontalHeaderLabels({ tr("Assigned"), tr("Address"), tr("Name"),
                                               tr("Type"), tr("Load control"), tr("Lamps count"),
                                               tr("Color") });
    ui->keysTable->setItemDelegateForColumn(Assigned,
                                            new CheckBoxDelegate(ui->keysTable, false, false));
    ui->keysTable->setItemDelegateForColumn(
        Type, new ComboBoxDelegate(ui->keysTable, enumItems<zu::Switch>(true)));
    ui->keysTable->setItemDelegateForColumn(LoadControl,
                                            new CheckBoxDelegate(ui->keysTable, false, true));
    on_type_currentIndexChanged(ui->type->currentIndex());

    m_validator = new DialogItemValidator(this);
}

SignalGroupWidget::~SignalGroupWidget()
{
    delete ui;
}

void SignalGroupWidget::setObjects(ZUConfiguration *configuration,
                                   const QList<QPointer<ZUSignalGroup>> &groups)
{
    m_configuration = configuration;
    m_groups = groups;
    if (groups.isEmpty() || !configuration)
        return;
    const bool one = groups.size() == 1;
    EditorPages::forbidOtherIdsAndNames(m_validator, ui->id, ui->name, groups,
                                        configuration->signalGroups());

    const QPointer<ZUSignalGroup> defaults = configuration->signalGroupDefaults();
    ui->redefine_times->setTristate(!one);
    ui->redefine_times->setCheckState(Qt::Unchecked);
    PageProtocol::clearIdAndName(ui->id, ui->name, ui->manualName);
    ui->tClusterId->reset();
    m_times->clear();
    ui->assignedKeys->clear();
    // A type shown as unknown by the last load leaves the combo disabled and editable.
    ui->type->setEditable(false);
    ui->type->setEnabled(true);
    ui->type->setCurrentIndex(-1);
    ui->keysTable->setEnabled(one);

    fillKeysTable();
    if (!one)
        ui->redefine_times->setCheckState(Qt::PartiallyChecked);

    bool typeShown = false; // the first live group's type shows
    for (const QPointer<ZUSignalGroup> &group : groups) {
        if (!group)
            continue;
        if (one)
            PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, prefix(), group->id(),
                                        group->name());
        if (!typeShown)
            showType(group->type());
        typeShown = true;
        if (one && group->hasTimes() && !group->timesEqual(defaults))
            ui->redefine_times->setCheckState(Qt::Checked);
        m_times->load(group, nullptr, true);
        ui->tClusterId->mergeValue(group->tClusterId());
    }
    // The defaults come last, so that groups with differing own times show empty.
    m_times->showInherited(defaults);
    m_validator->snapshotAll();
}

void SignalGroupWidget::showType(int type)
{
    const int index = ui->type->findData(type);
    if (index >= 0) {
        ui->type->setCurrentIndex(index);
        return;
    }
    ui->type->setEnabled(false);
    ui->type->setEditable(true);
    ui->type->setEditText(tr("unknown"));
}

void SignalGroupWidget::configurationHasChanged(const char *className)
{
    if (className == ZUSwitch::staticMetaObject.className())
        fillKeysTable();
}

void SignalGroupWidget::fillKeysTable()
{
    if (!m_configuration)
        return;
    ParametersTable *table = ui->keysTable;
    table->setRowCount(0);
    const QPointer<ZUSwitch> defaults = m_configuration->switchDefaults();
    for (const QPointer<ZUSwitch> &key : m_configuration->switches()) {
        if (!key)
            continue;
        const QPointer<ZUSignalGroup> group = key->signalGroup();
        const bool assigned = group && m_groups.contains(group);
        if (group && !assigned)
            continue;
        const int row = table->rowCount();
        table->setRowCount(row + 1);
        int type = key->type();
        if (type == zu::NotSet && defaults)
            type = defaults->type();
        table->setCellData(row, Assigned, assigned, true);
        table->setCellData(row, Address, cellNumber(key->addr()), true);
        table->setCellData(row, Name, key->name(), true);
        table->setCellData(row, Type, cellNumber(type), true);
        table->setCellData(row, LoadControl, key->control(), true);
        table->setCellData(row, LampsCount, cellNumber(key->heads()), true);
        table->setCellData(row, Color, QVariant(), true);
        table->item(row, Color)->setIcon(m_lampIcons.icon(key->color()));
    }
    updateAssignedKeys();
    table->resizeColumnsToContents();
    m_validator->snapshot(table);
}

void SignalGroupWidget::updateAssignedKeys()
{
    if (!m_configuration || m_groups.size() > 1)
        return;
    QString html = QStringLiteral("<html><head/><body><table border=\"1\"><tr>");
    const ParametersTable *table = ui->keysTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!table->cellData(row, Assigned).toBool())
            continue;
        const QPointer<ZUSwitch> key
            = m_configuration->findSwitchByAddr(table->cellData(row, Address));
        if (!key)
            continue;
        // Switch names are the user's text, not markup.
        html += QStringLiteral(
                    "<td><table><tr><td>%1</td><td><img src=\"%2\"/></td></tr></table></td>")
                    .arg(key->text(QString()).toHtmlEscaped(), LampIcon::path(key->color()));
    }
    html += QStringLiteral("</tr></table></body></html>");
    ui->assignedKeys->setText(html);
}

void SignalGroupWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, prefix(), text);
}

void SignalGroupWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, prefix(), ui->id->text());
}

void SignalGroupWidget::on_type_currentIndexChanged(int index)
{
    const bool tram = index >= 0 && ui->type->itemData(index).toInt() == zu::tram;
    ui->tClusterIdLabel->setVisible(tram);
    ui->tClusterId->setVisible(tram);
}

void SignalGroupWidget::on_redefine_times_stateChanged(int state)
{
    ui->redefined_times->setEnabled(state == Qt::Checked);
}

void SignalGroupWidget::on_keysTable_itemChanged(QTableWidgetItem *item)
{
    if (item && item->column() == Assigned)
        updateAssignedKeys();
}

void SignalGroupWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    const bool one = m_groups.size() == 1;
    for (const QPointer<ZUSignalGroup> &group : qAsConst(m_groups)) {
        if (group)
            applyTo(group, one);
    }
    m_validator->snapshotAll();
    emit configurationChanged(ZUSignalGroup::staticMetaObject.className());
}

void SignalGroupWidget::applyTo(ZUSignalGroup *group, bool one)
{
    if (one) {
        EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, group);
        if (m_validator->isChanged(ui->keysTable)) {
            const ParametersTable *table = ui->keysTable;
            for (int row = 0; row < table->rowCount(); ++row) {
                const QPointer<ZUSwitch> key
                    = m_configuration->findSwitchByAddr(table->cellData(row, Address));
                if (!key)
                    continue;
                if (table->cellData(row, Assigned).toBool())
                    key->setSignalGroup(group);
                else if (key->signalGroup() == group)
                    key->setSignalGroup(nullptr);
            }
        }
    }
    if (m_validator->isChanged(ui->type))
        group->setType(enumValue<zu::SGType>(ui->type->currentData()));

    const int type = group->type();
    const int tCluster = group->tClusterId();
    switch (ui->redefine_times->checkState()) {
    case Qt::Checked:
        m_times->store(group, m_validator);
        break;
    case Qt::Unchecked:
        // The group goes back to the default times; its type stays, also one the
        // combo box cannot show.
        group->clear();
        group->setType(type);
        group->setTClusterId(tCluster);
        break;
    case Qt::PartiallyChecked:
        break;
    }
    // One group always takes the field; several only a number the user typed,
    // never the merged display.
    if (one || m_validator->isChanged(ui->tClusterId))
        group->setTClusterId(ui->tClusterId->value());
    if (one)
        setWindowTitle(group->text(enumText<zu::SGType>(group->type())));
}
