#include "outputstable.h"

#include "namefollowing.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfreferences.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"

#include <QList>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

const QString Outputs = QStringLiteral("outputs");
const QString Id = QStringLiteral("id");

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

int OutputsTable::remove(CnfController &controller, int id, QStringList *kept)
{
    VObject outputs = controller.nativeData()[Outputs];
    int removed = 0;
    for (int i = 0; i < outputs.size();) {
        if (outputs[i][Id] != id) {
            ++i;
            continue;
        }
        const CnfReferences::Element output { CnfReferences::Kind::Output, QString::number(id),
                                              outputs[i][QStringLiteral("name")].toString() };
        if (kept) {
            for (const QString &line : NameFollowing::keptOnDelete(controller, output)) {
                if (!kept->contains(line))
                    *kept << line;
            }
        }
        outputs.removeAt(i);
        ++removed;
        CnfReferences::clear(controller, output);
    }
    return removed;
}

int OutputsTable::rename(CnfController &controller, VObject output, int newId)
{
    const int id = output[Id].toInt();
    const int renamed = CnfReferences::rename(controller,
                                              { CnfReferences::Kind::Output, QString::number(id),
                                                output[QStringLiteral("name")].toString() },
                                              QString::number(newId));
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
