#include "vpudlg.h"

#include "ui_vpudlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "controlsources.h"
#include "plivek/framework/comboboxdelegate.h"

namespace {

enum ButtonColumn { ButtonColumn = 0, PhaseColumn = 1, ProgramColumn = 2, RequestColumn = 3 };
constexpr int ButtonCount = 8;
// Buttons 1 to 4 take a phase and a program, 5 to 8 a phase and a request.
constexpr int FirstRequestRow = 4;
constexpr int ReducedRowCount = 5;
// The RCU's interface device on the bus of a ZU_MOLT controller.
constexpr int InterfaceAddress = 4;

const QColor lockedCellColour(165, 165, 165);

bool isPassive(const QString &type)
{
    return type == QLatin1String("passive") || type == QLatin1String("passive_ind");
}

bool isNumber(const VObject &value)
{
    return value.type() == QMetaType::Int || value.type() == QMetaType::LongLong;
}

// Column 0 numbers the buttons; locked cells show grey and take no input.
void prepareButtonTable(QTableWidget *table, int columns)
{
    table->setRowCount(ButtonCount);
    table->setColumnCount(columns);
    table->setProperty("background", QBrush(QColor(165, 165, 165, 163)));
    for (int row = 0; row < ButtonCount; ++row) {
        auto *button = new QTableWidgetItem(QString::number(row + 1));
        button->setTextAlignment(Qt::AlignCenter);
        button->setFlags(button->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, ButtonColumn, button);
    }
}

void lockCell(QTableWidget *table, int row, int column)
{
    auto *item = new QTableWidgetItem;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setBackground(lockedCellColour);
    table->setItem(row, column, item);
}

// The first element of the list whose `key` is `value` (null when none).
VObject findByKey(const VObject &list, const char *key, const char *value)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list[i][key] == value)
            return list[i];
    }
    return VObject();
}

// True when `key` of the record keeps what it holds: a box left as it was
// opened does not replace a stored value, even one it cannot show ("1234", 5).
bool keepsStoredValue(const VObject &record, const char *key, bool checked, bool opened)
{
    return checked == opened && record.contains(QLatin1String(key));
}

} // namespace

VpuDlg::VpuDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::VpuDlg)
    , controller(controller)
{
    ui->setupUi(this);
    // The port names are shown translated but stored as they are.
    ui->port->addItem(tr("RS485_1"), QStringLiteral("RS485_1"));
    ui->port->addItem(tr("RS485_2"), QStringLiteral("RS485_2"));
    connect(ui->vpu_enabled, &QCheckBox::toggled, ui->emergencyTimeout, &QWidget::setEnabled);
    connect(ui->vpu_enabled, &QCheckBox::toggled, ui->stageTimeout, &QWidget::setEnabled);
    if (!controller)
        return;
    root = controller->nativeData();

    QStringList phases;
    for (const CnfPhasePtr &phase : controller->phases())
        phases << phase->id;
    QStringList programs;
    for (const CnfProgramPtr &program : controller->programs())
        programs << program->id;

    const QString type = controller->property("type").toString();
    if (type == QLatin1String("tiverkii")) {
        ui->stackedWidget->setCurrentWidget(ui->tiverk2_page);
        loadTiverkII();
    } else if (type == QLatin1String("ZU_MOLT")) {
        ui->stackedWidget->setCurrentWidget(ui->zu_molt_page);
        loadZuMolt(phases, programs);
    } else {
        ui->stackedWidget->setCurrentWidget(ui->tiverk1_page);
        loadTiverk(phases, programs);
    }
}

VpuDlg::~VpuDlg()
{
    delete ui;
}

// Rows of a column that hold its values: the requests belong to buttons 5 to 8.
int VpuDlg::firstColumnRow(int column) const
{
    return column == RequestColumn ? FirstRequestRow : 0;
}

QVariant VpuDlg::columnValue(const QString &key) const
{
    const int column = columnKeys.indexOf(key) + 1;
    if (column <= 0)
        return widgetValue(key);
    const auto *delegate
        = qobject_cast<ComboBoxDelegate *>(ui->buttonTable->itemDelegateForColumn(column));
    QVariantList values;
    for (int row = firstColumnRow(column); row < ui->buttonTable->rowCount(); ++row) {
        QVariant value = ui->buttonTable->cellValue(row, column);
        if (column == RequestColumn && delegate) {
            const int index = delegate->texts().indexOf(value.toString());
            if (index >= 0)
                value = index;
        }
        values << value;
    }
    return values;
}

void VpuDlg::setColumnValue(const QString &key, const QVariant &value)
{
    const int column = columnKeys.indexOf(key) + 1;
    if (column <= 0) {
        setWidgetValue(key, value);
        return;
    }
    const auto *delegate
        = qobject_cast<ComboBoxDelegate *>(ui->buttonTable->itemDelegateForColumn(column));
    const QVariantList values = value.toList();
    int row = firstColumnRow(column);
    for (auto it = values.cbegin(); it != values.cend() && row < ui->buttonTable->rowCount();
         ++it, ++row) {
        QVariant cell = *it;
        if (column == RequestColumn) {
            if (!cell.isValid())
                continue;
            bool isIndex = false;
            const int index = cell.toInt(&isIndex);
            if (isIndex && cell.type() != QVariant::String) {
                const QStringList texts = delegate ? delegate->texts() : QStringList();
                cell
                    = index >= 0 && index < texts.size() ? texts.at(index) : QString::number(index);
            }
        }
        ui->buttonTable->setCellValue(row, column, cell);
    }
}

void VpuDlg::loadTiverk(const QStringList &phases, const QStringList &programs)
{
    const bool intelligent = root["vpu2"].toBool();
    const int variants = root["interstateVariantCount"].toInt();
    columnKeys = QStringList { "vpu_phases", "vpu_programs", "vpu_requests" };

    prepareButtonTable(ui->buttonTable, 4);
    for (int row = 0; row < ButtonCount; ++row)
        lockCell(ui->buttonTable, row, row < FirstRequestRow ? RequestColumn : ProgramColumn);
    ui->buttonTable->setItemDelegateForColumn(PhaseColumn,
                                              new ComboBoxDelegate(ui->buttonTable, phases));
    ui->buttonTable->setItemDelegateForColumn(
        RequestColumn, new ComboBoxDelegate(ui->buttonTable, { tr("no"), tr("yes") }));
    ui->buttonTable->setItemDelegateForColumn(ProgramColumn,
                                              new ComboBoxDelegate(ui->buttonTable, programs));

    const QString version = controller->property("version").toString();
    if (version != QLatin1String("3.17")) {
        ui->vpu_interstateVariant->hide();
        ui->vpu_interstateVariantLabel->hide();
    }
    if (version == QLatin1String("3.14") || version == QLatin1String("3.15")) {
        ui->allowedInactivity->hide();
        ui->allowedInactivityLabel->hide();
        reduceButtonTable();
    } else if (!intelligent) {
        reduceButtonTable();
    } else {
        ui->buttonTable->resizeColumnToContents(ProgramColumn);
    }
    for (int variant = 1; variant <= variants; ++variant)
        ui->vpu_interstateVariant->addItem(QString::number(variant));

    for (const char *key : { "allowedInactivity", "useKey", "vpu_interstateVariant", "vpu_phases",
                             "vpu_requests", "vpu_programs" })
        setColumnValue(QLatin1String(key), root[key].toVariant());
}

// A panel without the intelligent part has five buttons with a phase each.
void VpuDlg::reduceButtonTable()
{
    ui->useKey->hide();
    ui->buttonTable->setRowCount(ReducedRowCount);
    ui->buttonTable->removeColumn(RequestColumn);
    ui->buttonTable->removeColumn(ProgramColumn);
    columnKeys = QStringList { "vpu_phases" };
}

void VpuDlg::loadTiverkII()
{
    const VObject device = root["modules"]["SystemBus"]["devices"]["VPU1"];
    const VObject rcuPointer = device["controlSource"];
    const VObject centralPointer = root["modules"]["TiverkITS"]["controlSource"];
    if (rcuPointer.isNull() && !device.isNull() && centralPointer.isNull())
        return;

    const VObject sources = ControlSources::list(root);
    bool centralFound = false;
    for (int i = 0; i < sources.size() && (rcuEntry.isNull() || !centralFound); ++i) {
        const VObject entry = sources[i];
        if (rcuEntry.isNull()) {
            const bool match = rcuPointer.isNull()
                ? entry["type"] == "VPU1"
                : ControlSources::matchesByType(rcuPointer, entry);
            if (match)
                rcuEntry = entry;
        }
        if (!centralFound && !centralPointer.isNull()) {
            // The central-system pointer names a name or an integer id; any
            // secondary central-system source will do otherwise.
            const bool byPointer = centralPointer.type() == QMetaType::QString
                ? entry["name"] == centralPointer.toString()
                : isNumber(centralPointer) && entry["id"] == centralPointer.toVariant();
            if (byPointer || entry["type"] == "TiverkIts") {
                centralPriority = entry["priority"];
                centralFound = true;
            }
        }
    }
    if (rcuEntry.isNull())
        return;
    ui->vpu_enabled->click();
    for (const char *key : { "emergencyTimeout", "stageTimeout" })
        setColumnValue(QLatin1String(key), rcuEntry[key].toVariant());
}

void VpuDlg::loadZuMolt(const QStringList &phases, const QStringList &programs)
{
    ui->type->addItem(tr("passive"), QStringLiteral("passive"));
    ui->type->addItem(tr("passive with indication"), QStringLiteral("passive_ind"));
    ui->type->addItem(tr("with interface tiverk1"), QStringLiteral("interface_tiverk1"));
    ui->type->addItem(tr("with interface tiverk2"), QStringLiteral("interface_tiverk2"));
    prepareButtonTable(ui->buttonTable_2, 3);
    ui->buttonTable_2->setItemDelegateForColumn(PhaseColumn,
                                                new ComboBoxDelegate(ui->buttonTable_2, phases));
    ui->buttonTable_2->setItemDelegateForColumn(ProgramColumn,
                                                new ComboBoxDelegate(ui->buttonTable_2, programs));

    const VObject entry = findByKey(ControlSources::list(root), "type", "remoteControlPanel");
    const VObject timeout = entry["timeout"];
    ui->allowedInactivity_2->setValue(timeout.isNull() ? -1 : timeout.toInt());

    const VObject record = root["remoteControlPanel"]["VPU1"];
    if (record.isNull()) {
        on_vpu_enabled_zu_molt_toggled(false);
        return;
    }
    ui->vpu_enabled_zu_molt->setChecked(true);
    ui->type->setCurrentIndex(ui->type->findData(record["type"].toVariant(), Qt::UserRole,
                                                 Qt::MatchExactly | Qt::MatchCaseSensitive));

    bool ok = false;
    const bool idle = record["idleInd"].toBool(&ok);
    if (ok)
        ui->idleInd->setChecked(idle);
    const bool passkey = record["passkey"].toBool(&ok);
    if (ok)
        ui->passkey->setChecked(passkey);
    if (record["common"] == "positive")
        ui->common_positive->setChecked(true);
    openedIdleInd = ui->idleInd->isChecked();
    openedPasskey = ui->passkey->isChecked();
    openedPositive = ui->common_positive->isChecked();

    const VObject stages = record["stageId"];
    for (int k = 0; k < stages.size(); ++k)
        ui->buttonTable_2->setCellValue(k, PhaseColumn, stages[k].toVariant());
    const VObject programIds = record["programId"];
    for (int k = 0; k < programIds.size(); ++k)
        ui->buttonTable_2->setCellValue(k, ProgramColumn, programIds[k].toVariant());

    const VObject device = findByKey(root["KMP1"]["devices"], "device", "VPU1");
    ui->port->setCurrentIndex(ui->port->findData(device["port"].toVariant(), Qt::UserRole,
                                                 Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// One stage per button up to the last that has one, or as far as the stored
// list reached: a button without a valid stage keeps its place as null.
QVariantList VpuDlg::buttonStages(int storedCount) const
{
    QVariantList stages;
    int length = 0;
    for (int row = 0; row < ui->buttonTable_2->rowCount(); ++row) {
        bool ok = false;
        const int stage = ui->buttonTable_2->cellValue(row, PhaseColumn).toInt(&ok);
        stages << (ok ? QVariant(stage) : QVariant());
        if (ok || row < storedCount)
            length = row + 1;
    }
    return stages.mid(0, length);
}

void VpuDlg::on_type_currentIndexChanged(int index)
{
    const QString type = ui->type->itemData(index).toString();
    ui->groupBox->setVisible(type == QLatin1String("passive"));
    const bool withInterface
        = type == QLatin1String("interface_tiverk1") || type == QLatin1String("interface_tiverk2");
    ui->port->setVisible(withInterface);
    ui->portLabel->setVisible(withInterface);
}

void VpuDlg::on_vpu_enabled_zu_molt_toggled(bool on)
{
    for (QWidget *widget : ui->zu_molt_page->findChildren<QWidget *>()) {
        if (widget != ui->vpu_enabled_zu_molt)
            widget->setEnabled(on);
    }
}

void VpuDlg::accept()
{
    if (controller) {
        if (ui->stackedWidget->currentWidget() == ui->tiverk2_page)
            storeTiverkII();
        else if (ui->stackedWidget->currentWidget() == ui->zu_molt_page)
            storeZuMolt();
        else
            storeTiverk();
    }
    QDialog::accept();
}

void VpuDlg::storeTiverk()
{
    for (const char *key : { "allowedInactivity", "useKey", "vpu_interstateVariant", "vpu_phases",
                             "vpu_requests", "vpu_programs" })
        ControlSources::setOrRemove(root, QLatin1String(key), columnValue(QLatin1String(key)));
}

void VpuDlg::storeTiverkII()
{
    VObject devices = root["modules"]["SystemBus"]["devices"];
    if (!ui->vpu_enabled->isChecked()) {
        if (!rcuEntry.isNull())
            rcuEntry.remove();
        devices.remove(QStringLiteral("VPU1"));
        return;
    }
    VObject sources = ControlSources::list(root);
    if (rcuEntry.isNull()) {
        VObject entry = VObject::map();
        entry["id"] = ControlSources::largestId(sources) + 1;
        entry["name"] = QStringLiteral("vpu");
        entry["priority"] = ControlSources::firstFreePriority(
            sources, ControlSources::highestPriority(sources, QStringLiteral("its")));
        sources.append(entry);
        rcuEntry = entry;
        devices["VPU1"]["controlSource"] = QStringLiteral("vpu");
    }
    ControlSources::exchange(rcuEntry["priority"], centralPriority,
                             root["asudd_priority_on_vpu"].toBool());
    for (const char *key : { "emergencyTimeout", "stageTimeout" })
        ControlSources::setOrRemove(rcuEntry, QLatin1String(key), columnValue(QLatin1String(key)));
}

void VpuDlg::storeZuMolt()
{
    VObject record = root["remoteControlPanel"]["VPU1"];
    VObject devices = root["KMP1"]["devices"];
    VObject device = findByKey(devices, "device", "VPU1");
    VObject sources = ControlSources::list(root);
    VObject entry;
    int highestPriority = 1;
    int highestId = 1;
    for (int i = 0; i < sources.size(); ++i) {
        const VObject source = sources[i];
        if (entry.isNull() && !record["sourceId"].isNull()
            && source["id"] == record["sourceId"].toVariant())
            entry = source;
        bool ok = false;
        const int priority = source["priority"].toInt(&ok);
        if (ok && priority != 255)
            highestPriority = qMax(highestPriority, priority);
        const int id = source["id"].toInt(&ok);
        if (ok)
            highestId = qMax(highestId, id);
    }

    if (!ui->vpu_enabled_zu_molt->isChecked()) {
        if (!device.isNull())
            device.remove();
        if (!record.isNull())
            record.remove();
        if (!entry.isNull())
            entry.remove();
        if (!devices.isNull() && devices.size() == 0)
            root["KMP1"].remove(QStringLiteral("devices"));
        if (!root["remoteControlPanel"].isNull() && root["remoteControlPanel"].keys().isEmpty())
            root.remove(QStringLiteral("remoteControlPanel"));
        return;
    }

    // A type that matches no item stays as it is while none is chosen.
    const QString type = ui->type->currentIndex() >= 0 ? ui->type->currentData().toString()
                                                       : record["type"].toString();
    if (ui->type->currentIndex() >= 0)
        record["type"] = type;
    if (isPassive(type)
        && !keepsStoredValue(record, "common", ui->common_positive->isChecked(), openedPositive)) {
        record["common"] = ui->common_positive->isChecked() ? QStringLiteral("positive")
                                                            : QStringLiteral("negative");
    }
    if (!keepsStoredValue(record, "idleInd", ui->idleInd->isChecked(), openedIdleInd))
        record["idleInd"] = ui->idleInd->isChecked();
    if (!keepsStoredValue(record, "passkey", ui->passkey->isChecked(), openedPasskey))
        record["passkey"] = ui->passkey->isChecked();
    record["stageId"] = buttonStages(record["stageId"].size());
    QVariantList programs;
    for (int row = 0; row < ui->buttonTable_2->rowCount(); ++row) {
        bool ok = false;
        const int program = ui->buttonTable_2->cellValue(row, ProgramColumn).toInt(&ok);
        if (ok)
            programs << program;
    }
    record["programId"] = programs;

    if (device.isNull()) {
        device = VObject::map();
        device["device"] = QStringLiteral("VPU1");
        device["addr"] = InterfaceAddress;
        devices.append(device);
    }
    device["type"] = type;
    if (isPassive(type))
        device["port"] = QStringLiteral("dryContact");
    else if (ui->port->currentIndex() >= 0)
        device["port"] = ui->port->currentData();

    if (entry.isNull()) {
        entry = VObject::map();
        entry["id"] = highestId + 1;
        entry["type"] = QStringLiteral("remoteControlPanel");
        entry["priority"] = highestPriority + 1;
        sources.append(entry);
    }
    const int timeout = ui->allowedInactivity_2->value();
    ControlSources::setOrRemove(entry, QStringLiteral("timeout"),
                                timeout >= 0 ? QVariant(timeout) : QVariant());
    record["sourceId"] = entry["id"].toVariant();
    record["priority"] = entry["priority"].toVariant();
}
