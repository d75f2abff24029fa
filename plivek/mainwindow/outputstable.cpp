#include "outputstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"

#include <QList>
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

// A board channel names the output under "out" or, as the output dialog
// binds it, under "output": by its number, or by its name.
bool channelRefers(const VObject &out, int id, const QString &name)
{
    if (out.isNull())
        return false;
    if (isNumber(out))
        return out.toLongLong() == id;
    return !name.isEmpty() && out == name;
}

// An indication colour names the output by its number (also written as
// text) or by its name.
bool colourRefers(const VObject &value, int id, const QString &name)
{
    return value == id || (!name.isEmpty() && value == name);
}

// Where a reference sits: a board channel goes whole with its output and
// names it by number or by name; an indication keeps its other colours and
// takes a text of the number for the number.
enum class Place { BoardChannel, IndicationColour };

// One reference to an output: the entry holding it under `key`.
struct Reference
{
    VObject entry;
    QString key;
    Place place;
};

// Every place of the native data that names the output: the board channels
// of "DIO1" to "DIO9" and the indication colours "red", "amber", "green".
QList<Reference> referencesTo(const VObject &modules, int id, const QString &name)
{
    QList<Reference> found;
    const VObject devices = modules[QStringLiteral("SystemBus")][QStringLiteral("devices")];
    for (int board = 1; board <= 9; ++board) {
        const VObject channels
            = devices[QStringLiteral("DIO%1").arg(board)][QStringLiteral("channels")];
        for (int i = 0; i < channels.size(); ++i) {
            const VObject channel = channels[i];
            for (const QString &key : { QStringLiteral("out"), QStringLiteral("output") }) {
                if (channelRefers(channel[key], id, name)) {
                    found << Reference { channel, key, Place::BoardChannel };
                    break;
                }
            }
        }
    }
    const VObject indication = modules[QStringLiteral("Indication")];
    for (int i = 0; i < indication.size(); ++i) {
        const VObject entry = indication[i];
        for (const QString &colour :
             { QStringLiteral("red"), QStringLiteral("amber"), QStringLiteral("green") }) {
            if (colourRefers(entry[colour], id, name))
                found << Reference { entry, colour, Place::IndicationColour };
        }
    }
    return found;
}

// The reference with the id replaced by the new one, in the same form
// (number or text); invalid when it names the output by its name, which an
// id change leaves as it is.
QVariant withNewId(const Reference &reference, int id, int newId)
{
    const VObject value = reference.entry[reference.key];
    if (isNumber(value))
        return value.toLongLong() == id ? QVariant(newId) : QVariant();
    if (reference.place == Place::IndicationColour && value == id)
        return QString::number(newId);
    return QVariant();
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
        for (const Reference &reference : referencesTo(root[QStringLiteral("modules")], id, name)) {
            VObject entry = reference.entry;
            if (reference.place == Place::BoardChannel)
                entry.remove();
            else
                entry.remove(reference.key);
        }
    }
    return removed;
}

int OutputsTable::rename(CnfController &controller, VObject output, int newId)
{
    const VObject root = controller.nativeData();
    const int id = output[Id].toInt();
    const VObject outputs = root[Outputs];
    bool idStillTaken = false;
    for (int i = 0; i < outputs.size(); ++i)
        idStillTaken = idStillTaken || (outputs[i] != output && outputs[i][Id] == id);
    int renamed = 0;
    // While another output keeps the id, the references name that one.
    if (!idStillTaken) {
        for (const Reference &reference : referencesTo(root[QStringLiteral("modules")], id,
                                                       output[QStringLiteral("name")].toString())) {
            VObject entry = reference.entry;
            const QVariant value = withNewId(reference, id, newId);
            if (!value.isValid())
                continue;
            entry[reference.key] = value;
            ++renamed;
        }
    }
    output[Id] = newId;
    return renamed;
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
