#include "interstatesdlg.h"

#include "ui_interstatesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"

#include <QSignalBlocker>

namespace {

enum Column { Tist = 0, AG1, GF, Y, AR, RY, AG2, ColumnCount };

bool hasNoAmber(int type)
{
    return type >= CnfSignalGroup::Pedestrian && type <= CnfSignalGroup::AlwaysOn;
}

} // namespace

InterstatesDlg::InterstatesDlg(QWidget *parent, CnfController *controller, bool embedded)
    : QDialog(parent)
    , ui(new Ui::InterstatesDlg)
    , controller(controller)
{
    ui->setupUi(this);
    if (embedded) {
        setWindowFlags(Qt::Widget);
        delete ui->buttonBox;
        ui->buttonBox = nullptr;
    }
    const int count = variantCount(controller);
    for (int variant = 1; variant <= count; ++variant)
        ui->tabWidget->addTab(createTable(variant), tr("variant %1").arg(variant));
    ui->tabWidget->setCurrentIndex(0);
}

InterstatesDlg::~InterstatesDlg()
{
    // Closing an open cell editor while the dialog goes away commits it:
    // no edit may reach the half-destroyed dialog.
    for (ParametersTable *table : findChildren<ParametersTable *>())
        disconnect(table, nullptr, this, nullptr);
    delete ui;
}

int InterstatesDlg::variantCount(const CnfController *controller)
{
    const QString version = controller ? controller->property("version").toString() : QString();
    if (version == QLatin1String("3.17"))
        return 8;
    if (version == QLatin1String("3.18"))
        return 6;
    return 4;
}

ParametersTable *InterstatesDlg::createTable(int variant)
{
    auto *table = new ParametersTable(this);
    const QList<CnfSignalGroupPtr> groups
        = controller ? controller->signalGroups() : QList<CnfSignalGroupPtr>();
    table->setRowCount(groups.size());
    table->setColumnCount(ColumnCount);
    table->setHorizontalHeaderLabels(
        { tr("Tist"), tr("AG1"), tr("GF"), tr("Y"), tr("AR"), tr("RY"), tr("AG2") });
    table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(table, &QTableWidget::itemChanged, this, &InterstatesDlg::tableItemChanged);
    for (int row = 0; row < groups.size(); ++row) {
        const CnfSignalGroupPtr &group = groups.at(row);
        auto *header = new QTableWidgetItem(QStringLiteral("%1(%2)").arg(group->id).arg(
            CnfSignalGroup::type2String(group->type, true)));
        header->setData(Qt::UserRole, group->id);
        table->setVerticalHeaderItem(row, header);
        auto *total = new QTableWidgetItem;
        total->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table->setItem(row, Tist, total);
        const bool hasRecord = group->hasInterstate(variant);
        if (hasRecord) {
            const QByteArray record = group->interstate(variant);
            for (int column = AG1; column <= AG2; ++column)
                setTableCellValue(table, row, column, int(quint8(record.at(column - 1))), true);
        }
        if (hasNoAmber(group->type)) {
            for (int column : { Y, RY }) {
                auto *grey = new QTableWidgetItem;
                grey->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                grey->setBackground(QColor(Qt::lightGray));
                const QSignalBlocker blocker(table);
                table->setItem(row, column, grey);
            }
            // The total was counted while Y was still filled in; without Y it
            // must match what an edit of the row shows.
            if (hasRecord)
                updateTotal(table, row);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    return table;
}

void InterstatesDlg::setVariant(int variant)
{
    if (variant >= 1 && variant <= ui->tabWidget->count())
        ui->tabWidget->setCurrentIndex(variant - 1);
}

void InterstatesDlg::on_tabWidget_currentChanged(int index)
{
    emit variantChanged(index + 1);
}

int InterstatesDlg::tabOf(const QObject *table) const
{
    for (int index = 0; index < ui->tabWidget->count(); ++index) {
        if (ui->tabWidget->widget(index) == table)
            return index;
    }
    return -1;
}

CnfSignalGroupPtr InterstatesDlg::rowGroup(const ParametersTable *table, int row) const
{
    const QTableWidgetItem *header = table->verticalHeaderItem(row);
    if (!header || !controller)
        return CnfSignalGroupPtr();
    return controller->findSG(header->data(Qt::UserRole).toInt());
}

void InterstatesDlg::updateTotal(ParametersTable *table, int row)
{
    int total = 0;
    for (int column = AG1; column <= AR; ++column)
        total += tableCellValue(table, row, column).toInt();
    setTableCellValue(table, row, Tist, total, true);
}

void InterstatesDlg::tableItemChanged(QTableWidgetItem *item)
{
    if (!item || item->column() == Tist || !(item->flags() & Qt::ItemIsEditable))
        return;
    auto *table = qobject_cast<ParametersTable *>(sender());
    // During construction the table is not yet a tab; it still counts its totals.
    if (!table || (table->parent() != this && tabOf(table) < 0))
        return;
    int val = item->data(Qt::DisplayRole).toInt();
    // A record byte holds 0 to 255: a larger entry is limited at once rather
    // than cut to its low byte later.
    const int bounded = qBound(0, val, 255);
    if (bounded != val
        || (item->data(Qt::DisplayRole).type() != QVariant::Int && !item->text().isEmpty())) {
        val = bounded;
        const QSignalBlocker blocker(table);
        item->setData(Qt::EditRole, val);
    }
    const int tab = tabOf(table);
    if (tab >= 0) {
        if (const CnfSignalGroupPtr group = rowGroup(table, item->row()))
            emit istateChanged(group, tab + 1, uint(item->column() - 1), val);
    }
    if (item->column() >= AG1 && item->column() <= AR)
        updateTotal(table, item->row());
}

void InterstatesDlg::applyToController()
{
    if (!controller)
        return;
    for (int tab = 0; tab < ui->tabWidget->count(); ++tab) {
        auto *table = qobject_cast<ParametersTable *>(ui->tabWidget->widget(tab));
        if (!table)
            continue;
        const int variant = tab + 1;
        bool allZero = true;
        for (int row = 0; row < table->rowCount(); ++row) {
            const CnfSignalGroupPtr group = rowGroup(table, row);
            if (!group)
                continue;
            QByteArray record(CnfSignalGroup::InterstateSize, '\0');
            for (int column = AG1; column <= AG2; ++column) {
                const int value = qBound(0, tableCellValue(table, row, column).toInt(), 255);
                record[column - 1] = char(value);
                if (value != 0)
                    allZero = false;
            }
            group->setInterstate(variant, record);
        }
        if (allZero) {
            for (const CnfSignalGroupPtr &group : controller->signalGroups())
                group->interstates.remove(variant);
        }
    }
}
