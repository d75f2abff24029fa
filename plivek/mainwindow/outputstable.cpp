#include "outputstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"

#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

const QString Outputs = QStringLiteral("outputs");
const QString Id = QStringLiteral("id");

bool isNumber(const VObject &value)
{
    const int type = value.type();
    return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double;
}

// "out" of a board channel names the output by its number, or by its name.
bool channelRefers(const VObject &out, int id, const QString &name)
{
    if (out.isNull())
        return false;
    if (isNumber(out))
        return out.toLongLong() == id;
    return !name.isEmpty() && out == name;
}

void clearReferences(const VObject &modules, int id, const QString &name)
{
    const VObject devices = modules[QStringLiteral("SystemBus")][QStringLiteral("devices")];
    for (int board = 1; board <= 9; ++board) {
        VObject channels = devices[QStringLiteral("DIO%1").arg(board)][QStringLiteral("channels")];
        for (int i = channels.size() - 1; i >= 0; --i) {
            if (channelRefers(channels[i][QStringLiteral("out")], id, name))
                channels.removeAt(i);
        }
    }
    const VObject indication = modules[QStringLiteral("Indication")];
    for (int i = 0; i < indication.size(); ++i) {
        VObject entry = indication[i];
        for (const QString &colour :
             { QStringLiteral("red"), QStringLiteral("amber"), QStringLiteral("green") }) {
            const VObject value = entry[colour];
            if (value == id || (!name.isEmpty() && value == name))
                entry.remove(colour);
        }
    }
}

} // namespace

void OutputsTable::fill(QTableWidget *table, const CnfController &controller)
{
    const VObject outputs = controller.nativeData()[Outputs];
    const QSignalBlocker blocker(table);
    table->setRowCount(outputs.size());
    for (int row = 0; row < outputs.size(); ++row) {
        const VObject output = outputs[row];
        setTableCellValue(table, row, 0, output[Id].toString(), false);
        setTableCellValue(table, row, 1, output[QStringLiteral("name")].toString(), false);
    }
}

int OutputsTable::remove(CnfController &controller, int id)
{
    const VObject root = controller.nativeData();
    VObject outputs = root[Outputs];
    int removed = 0;
    for (int i = 0; i < outputs.size();) {
        if (outputs[i][Id] != id) {
            ++i;
            continue;
        }
        const QString name = outputs[i][QStringLiteral("name")].toString();
        outputs.removeAt(i);
        ++removed;
        clearReferences(root[QStringLiteral("modules")], id, name);
    }
    return removed;
}

bool OutputsTable::sortById(CnfController &controller)
{
    const VObject outputs = controller.nativeData()[Outputs];
    if (outputs.size() < 2)
        return false;
    QVariantList list = outputs.toVariant().toList();
    std::stable_sort(list.begin(), list.end(), [](const QVariant &a, const QVariant &b) {
        return a.toMap().value(Id).toInt() < b.toMap().value(Id).toInt();
    });
    controller.setNativeData(Outputs, list);
    return true;
}
