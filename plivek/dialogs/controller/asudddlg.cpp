#include "asudddlg.h"

#include "ui_asudddlg.h"

#include "cnf/cnfcontroller.h"
#include "common/widgets/tablecells.h"
#include "controlsources.h"

#include <QSet>
#include <QUrl>

namespace {

enum ItsColumn { HostColumn = 0, PortColumn = 1, TimeoutColumn = 2 };

// The root keys of the link of TIVERK 3.x, in the order of loading and storing.
const char *const tiverkKeys[] = { "asudd_allowedInactivity",
                                   "asudd_priority_on_vpu",
                                   "asudd_prom_variant",
                                   "tsku_addr",
                                   "tsku_signal_level",
                                   "mgr_button",
                                   "mgr_tsku_phase",
                                   "mgr_phase_length",
                                   "mgr_length",
                                   nullptr };

enum AsuddType { Signal = 1, Tsctm = 2, Tiverk = 3 };

// The priority of the entry, when it is a number.
bool priorityOf(const VObject &entry, int *priority)
{
    bool ok = false;
    *priority = entry["priority"].toInt(&ok);
    return ok;
}

void widen(int priority, int *lowest, int *highest)
{
    *lowest = qMin(*lowest, priority);
    *highest = qMax(*highest, priority);
}

int firstFree(const QSet<int> &used)
{
    int value = 1;
    while (used.contains(value))
        ++value;
    return value;
}

} // namespace

AsuddDlg::AsuddDlg(QWidget *parent, CnfController *controller)
    : UiDataExchange(parent)
    , ui(new Ui::AsuddDlg)
    , controller(controller)
{
    qRegisterMetaType<VObject>("VObject");
    ui->setupUi(this);
    connect(ui->enable_asudd, &QCheckBox::clicked, ui->groupBox, &QWidget::setEnabled);
    connect(ui->enable_asudd, &QCheckBox::clicked, ui->asudd_priority_on_vpu_2,
            &QWidget::setEnabled);
    connect(ui->asudd_enabled, &QCheckBox::clicked, ui->asudd_priority_on_vpu_3,
            &QWidget::setEnabled);
    connect(ui->asudd_enabled, &QCheckBox::clicked, ui->controlTimeout_2, &QWidget::setEnabled);
    if (!controller)
        return;
    root = controller->nativeData();
    const QString type = controller->property("type").toString();
    if (type == QLatin1String("tiverkii")) {
        ui->stackedWidget->setCurrentWidget(ui->page_tiverk_2);
        loadTiverkII();
    } else if (type == QLatin1String("ZU_MOLT")) {
        ui->stackedWidget->setCurrentWidget(ui->page_zu_molt);
        loadZuMolt();
    } else {
        ui->stackedWidget->setCurrentWidget(ui->page_tiverk_1);
        loadTiverk();
    }
}

AsuddDlg::~AsuddDlg()
{
    delete ui;
}

void AsuddDlg::loadTiverk()
{
    const QString version = controller->property("version").toString();
    if (version != QLatin1String("3.17")) {
        ui->asudd_prom_variant->hide();
        ui->asudd_prom_variantLabel->hide();
    }
    if (version == QLatin1String("3.14"))
        ui->asudd_priority_on_vpu->hide();

    QList<QWidget *> hidden;
    const int asuddType = root["asudd_type"].toInt();
    if (asuddType == Signal || asuddType == Tiverk)
        hidden << ui->tsku_addr << ui->tsku_addrLabel << ui->tsku_signal_level
               << ui->tsku_signal_levelLabel;
    if (asuddType == Tsctm || asuddType == Tiverk)
        hidden << ui->mgr_button << ui->mgr_buttonLabel << ui->mgr_phase_length
               << ui->mgr_phase_lengthLabel << ui->mgr_length << ui->mgr_lengthLabel;
    if (asuddType == Tiverk)
        hidden << ui->mgr_tsku_phase << ui->mgr_tsku_phaseLabel;
    for (QWidget *widget : hidden)
        widget->hide();

    for (const char *const *key = tiverkKeys; *key; ++key)
        setWidgetValue(QLatin1String(*key), root[*key].toVariant());
    shownTiverk = widgetValues(tiverkKeys);
}

void AsuddDlg::storeTiverk()
{
    // A widget left as it showed its key (an absent key's default, a hidden
    // widget of another version) writes nothing.
    for (const char *const *key = tiverkKeys; *key; ++key) {
        const QVariant value = widgetValue(QLatin1String(*key));
        if (value != shownTiverk.value(QLatin1String(*key)))
            ControlSources::setOrRemove(root, QLatin1String(*key), value);
    }
}

VObject AsuddDlg::rowEntry(int row) const
{
    const QTableWidgetItem *item = ui->itsTable->item(row, HostColumn);
    const QVariant bound = item ? item->data(Qt::UserRole) : QVariant();
    return bound.canConvert<VObject>() ? bound.value<VObject>() : VObject();
}

void AsuddDlg::fillItsRow(const VObject &source, int row, const VObject &entry)
{
    if (source["url"].isNull())
        return;
    while (ui->itsTable->rowCount() <= row)
        ui->itsTable->insertRow(ui->itsTable->rowCount());
    if (!ui->enable_asudd->isChecked())
        ui->enable_asudd->click();
    const QUrl url(source["url"].toString());
    setTableCellValue(ui->itsTable, row, HostColumn, url.host(QUrl::FullyDecoded), true);
    ui->itsTable->item(row, HostColumn)
        ->setData(Qt::UserRole, QVariant::fromValue(entry.isNull() ? source : entry));
    setTableCellValue(ui->itsTable, row, PortColumn, url.port(-1), true);
    bool ok = false;
    const int timeout = source["controlTimeout"].toInt(&ok);
    if (ok)
        setTableCellValue(ui->itsTable, row, TimeoutColumn, timeout, true);
}

void AsuddDlg::loadTiverkII()
{
    const VObject module = root["modules"]["TiverkITS"];
    const VObject primary = module["controlSource"];
    const VObject rcuPointer = root["modules"]["SystemBus"]["devices"]["VPU1"]["controlSource"];
    int lowest = ControlSources::RankLimit;
    int highest = 0;
    if (!primary.isNull() || module.isNull() || !rcuPointer.isNull()) {
        const VObject sources = ControlSources::list(root);
        for (int i = 0; i < sources.size(); ++i) {
            const VObject entry = sources[i];
            const int row = ui->itsTable->rowCount();
            bool central = true;
            if (ControlSources::matchesNameOrId(primary, entry))
                fillItsRow(module, row, entry);
            else if (entry["type"] == "TiverkIts")
                fillItsRow(entry, row, VObject());
            else
                central = false;
            int priority = 0;
            if (central && priorityOf(entry, &priority))
                widen(priority, &lowest, &highest);
            if (rcuPriority.isNull() && !rcuPointer.isNull()
                && (ControlSources::matchesNameOrId(rcuPointer, entry) || entry["type"] == "VPU1"))
                rcuPriority = entry["priority"];
        }
    }
    if (ui->itsTable->rowCount() > 0)
        ui->itsTable->resizeColumnsToContents();
    if (!rcuPriority.isNull() && lowest <= highest)
        root["asudd_priority_on_vpu"] = rcuPriority.toInt() < lowest;
    ui->asudd_priority_on_vpu_2->setChecked(root["asudd_priority_on_vpu"].toBool());
}

// Unticked: the primary link and every central-system source go, also those
// of rows deleted before (an untyped primary source would be left behind).
void AsuddDlg::storeTiverkIIDisabled()
{
    root["modules"].remove(QStringLiteral("TiverkITS"));
    for (int row = 0; row < ui->itsTable->rowCount(); ++row) {
        VObject entry = rowEntry(row);
        if (!entry.isNull())
            entry.remove();
    }
    for (VObject entry : qAsConst(deletedEntries))
        entry.remove();
    VObject sources = ControlSources::list(root);
    for (int i = sources.size() - 1; i >= 0; --i) {
        if (sources[i]["type"] == "TiverkIts")
            sources.removeAt(i);
    }
}

void AsuddDlg::storeTiverkII()
{
    if (!ui->enable_asudd->isChecked()) {
        storeTiverkIIDisabled();
        return;
    }
    VObject module = root["modules"]["TiverkITS"];
    if (module.isNull())
        module = VObject();
    VObject sources = ControlSources::list(root);
    QSet<int> usedIds;
    for (int i = 0; i < sources.size(); ++i) {
        bool ok = false;
        const int id = sources[i]["id"].toInt(&ok);
        if (ok)
            usedIds.insert(id);
    }
    int last = ControlSources::highestPriority(sources, QStringLiteral("vpu"));
    int lowest = ControlSources::RankLimit;
    int highest = 0;
    QSet<QString> takenNames;

    // The module goes with its source, whether it points to it by id or by name.
    for (VObject entry : qAsConst(deletedEntries)) {
        if (!module.isNull() && ControlSources::matchesNameOrId(module["controlSource"], entry)) {
            module.remove();
            module = VObject();
        }
        entry.remove();
    }

    const auto storeModule
        = [this, &module](const VObject &sourceId, int timeout, const QString &url) {
              module = VObject::map();
              module["controlSource"] = sourceId.toVariant();
              if (timeout >= 0)
                  module["controlTimeout"] = timeout;
              module["url"] = url;
              root["modules"]["TiverkITS"] = module;
          };
    for (int row = 0; row < ui->itsTable->rowCount(); ++row) {
        const QString host = tableCellValue(ui->itsTable, row, HostColumn).toString();
        const int port = tableCellValue(ui->itsTable, row, PortColumn).toInt();
        const QString url = QStringLiteral("tcp://%1:%2/").arg(host).arg(port);
        bool ok = false;
        int timeout = tableCellValue(ui->itsTable, row, TimeoutColumn).toInt(&ok);
        if (!ok)
            timeout = -1;
        const QVariant timeoutValue = timeout >= 0 ? QVariant(timeout) : QVariant();

        VObject entry = rowEntry(row);
        if (!entry.isNull()) {
            if (module.isNull())
                storeModule(entry["id"], timeout, url);
            if (host.isEmpty() || port == 0) {
                // An emptied row removes its source; nothing more is done
                // with it, and its priority no longer counts.
                if (ControlSources::matchesNameOrId(module["controlSource"], entry)) {
                    module.remove();
                    module = VObject();
                }
                entry.remove();
                continue;
            }
            if (timeout < 0)
                entry.remove(QStringLiteral("controlTimeout"));
            if (!entry["name"].isNull())
                takenNames.insert(entry["name"].toString());
            if (ControlSources::matchesNameOrId(module["controlSource"], entry)) {
                module["url"] = url;
                entry.remove(QStringLiteral("url"));
                entry.remove(QStringLiteral("controlTimeout"));
                ControlSources::setOrRemove(module, QStringLiteral("controlTimeout"), timeoutValue);
            } else {
                entry["url"] = url;
                ControlSources::setOrRemove(entry, QStringLiteral("controlTimeout"), timeoutValue);
            }
            int priority = 0;
            if (priorityOf(entry, &priority))
                widen(priority, &lowest, &highest);
        } else if (!host.isEmpty() && port != 0) {
            QString name = QStringLiteral("its");
            for (int suffix = 1; takenNames.contains(name); ++suffix)
                name = QStringLiteral("its%1").arg(suffix);
            takenNames.insert(name);
            const int id = firstFree(usedIds);
            usedIds.insert(id);
            ++last;
            widen(last, &lowest, &highest);
            VObject created = VObject::map();
            created["id"] = id;
            created["name"] = name;
            created["priority"] = last;
            if (!module.isNull()) {
                created["type"] = QStringLiteral("TiverkIts");
                if (timeout >= 0)
                    created["controlTimeout"] = timeout;
                created["url"] = url;
            } else {
                storeModule(created["id"], timeout, url);
            }
            sources.append(created);
        }
    }

    const bool centralUnderRcu = ui->asudd_priority_on_vpu_2->isChecked();
    root["asudd_priority_on_vpu"] = centralUnderRcu;
    if (!rcuPriority.isNull())
        ControlSources::exchangeWithCentral(sources, rcuPriority, centralUnderRcu, lowest, highest);
}

void AsuddDlg::loadZuMolt()
{
    const VObject sources = ControlSources::list(root);
    VObject central;
    for (int i = 0; i < sources.size(); ++i) {
        if (sources[i]["type"] == "tiverkITS")
            central = sources[i];
        else if (sources[i]["type"] == "remoteControlPanel")
            rcuPriority = sources[i]["priority"];
    }
    const VObject centralPriority = central["priority"];
    if (!rcuPriority.isNull() && !centralPriority.isNull())
        root["asudd_priority_on_vpu"] = rcuPriority.toInt() < centralPriority.toInt();
    ui->asudd_priority_on_vpu_3->setChecked(root["asudd_priority_on_vpu"].toBool());
    if (central.isNull())
        return;
    if (!central["timeout"].isNull())
        ui->controlTimeout_2->setValue(central["timeout"].toInt());
    ui->asudd_enabled->click();
}

void AsuddDlg::storeZuMolt()
{
    VObject sources = ControlSources::list(root);
    QSet<int> priorities;
    QSet<int> ids;
    VObject central;
    VObject rcu;
    for (int i = 0; i < sources.size(); ++i) {
        const VObject entry = sources[i];
        bool ok = false;
        const int priority = entry["priority"].toInt(&ok);
        if (ok)
            priorities.insert(priority);
        const int id = entry["id"].toInt(&ok);
        if (ok)
            ids.insert(id);
        if (central.isNull() && entry["type"] == "tiverkITS")
            central = entry;
        if (rcu.isNull() && entry["type"] == "remoteControlPanel")
            rcu = entry;
    }

    VObject record = root["remoteControlPanel"]["VPU1"];
    // The panel record keeps a copy of its source's priority.
    const auto followRcu = [&record](const VObject &priority) {
        if (!record.isNull())
            record["priority"] = priority.toVariant();
    };

    if (!ui->asudd_enabled->isChecked()) {
        if (!central.isNull())
            central.remove();
    } else {
        if (central.isNull()) {
            central = VObject::map();
            const int priority = firstFree(priorities);
            bool ok = false;
            const int rcuNumber = rcu["priority"].toInt(&ok);
            if (ok && rcuNumber < priority) {
                rcu["priority"] = priority;
                followRcu(rcu["priority"]);
                central["priority"] = rcuNumber;
            } else {
                central["priority"] = priority;
            }
            central["type"] = QStringLiteral("tiverkITS");
            central["id"] = firstFree(ids);
            sources.append(central);
        }
        const int timeout = ui->controlTimeout_2->value();
        ControlSources::setOrRemove(central, QStringLiteral("timeout"),
                                    timeout >= 0 ? QVariant(timeout) : QVariant());
    }

    const bool centralUnderRcu = ui->asudd_priority_on_vpu_3->isChecked();
    root["asudd_priority_on_vpu"] = centralUnderRcu;
    if (!central.isNull() && central.isAttached()
        && ControlSources::exchange(rcuPriority, central["priority"], centralUnderRcu))
        followRcu(rcuPriority);
}

void AsuddDlg::accept()
{
    if (controller) {
        if (ui->stackedWidget->currentWidget() == ui->page_tiverk_2)
            storeTiverkII();
        else if (ui->stackedWidget->currentWidget() == ui->page_zu_molt)
            storeZuMolt();
        else
            storeTiverk();
    }
    QDialog::accept();
}

void AsuddDlg::on_addIts_clicked()
{
    int row = ui->itsTable->currentRow();
    if (row < 0)
        row = ui->itsTable->rowCount();
    ui->itsTable->insertRow(row);
    ui->itsTable->setCurrentCell(row, HostColumn);
    ui->itsTable->setFocus();
}

void AsuddDlg::on_deleteIts_clicked()
{
    const int row = ui->itsTable->currentRow();
    if (row < 0)
        return;
    const VObject entry = rowEntry(row);
    if (!entry.isNull())
        deletedEntries << entry;
    ui->itsTable->removeRow(row);
}

void AsuddDlg::on_itsTable_currentCellChanged(int currentRow, int, int, int)
{
    ui->deleteIts->setEnabled(currentRow >= 0);
}
