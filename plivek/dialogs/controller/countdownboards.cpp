#include "countdownboards.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/parameterstable.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/comboboxdelegate.h"

#include <QComboBox>
#include <QHeaderView>

namespace {

struct ItemKey
{
    CountdownBoards::Row row;
    const char *key;
};

// The integer keys of a board item and their rows.
const ItemKey numberKeys[] = { { CountdownBoards::AddressRow, "addr" },
                               { CountdownBoards::BoardsRow, "boards" },
                               { CountdownBoards::WarnTimeRow, "warnTime" } };

} // namespace

void CountdownBoards::prepareTable(ParametersTable *table, const CnfController *controller)
{
    auto *groups = new ComboBoxDelegate(table);
    if (controller) {
        for (const CnfSignalGroupPtr &group : controller->signalGroups())
            groups->addItem(group->friendlyName(), group->id);
    }
    table->horizontalHeader()->setDefaultSectionSize(
        groups->sizeHint(QStyleOptionViewItem(), QModelIndex()).width());
    table->autoExtendColumns = true;
    table->setItemDelegateForRow(GroupRow, groups);
    table->hideRow(BoardsRow);
}

void CountdownBoards::loadItems(ParametersTable *table, const VObject &node)
{
    const VObject items = node["items"];
    if (items.size() == 0)
        return;
    table->setColumnCount(items.size());
    for (int column = 0; column < items.size(); ++column) {
        const VObject item = items[column];
        if (!item["id"].isNull())
            setTableCellValue(table, GroupRow, column, item["id"].toVariant(), true);
        for (const ItemKey &key : numberKeys) {
            if (!item[key.key].isNull())
                setTableCellValue(table, key.row, column, item[key.key].toVariant(), true);
        }
    }
}

void CountdownBoards::storeItems(const ParametersTable *table, VObject node)
{
    node.remove(QStringLiteral("items"));
    QVariantList items;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QVariant group = tableCellValue(table, GroupRow, column);
        if (!group.isValid() || group.isNull())
            continue;
        QVariantMap item { { QStringLiteral("id"), group } };
        for (const ItemKey &key : numberKeys) {
            const QVariant value = tableCellValueAs(table, key.row, column, QMetaType::Int);
            if (value.isValid() && !value.isNull())
                item.insert(QLatin1String(key.key), value);
        }
        items << item;
    }
    if (!items.isEmpty())
        node["items"] = items;
}

void CountdownBoards::loadProtocol(QComboBox *protocol, const VObject &node)
{
    const int index = protocol->findText(node["protocol"].toString(),
                                         Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        protocol->setCurrentIndex(index);
}
