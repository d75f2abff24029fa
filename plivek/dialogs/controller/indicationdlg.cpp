#include "indicationdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"
#include "nativenumber.h"
#include "plivek/framework/checkboxcomboboxdelegate.h"
#include "plivek/framework/comboboxdelegate.h"
#include "ui_indicationdlg.h"

#include <QMessageBox>

#include <set>

namespace {

enum Column { TypeColumn, GroupColumn, RedColumn, AmberColumn, GreenColumn, PlansColumn };

const char *const colourKeys[] = { "red", "amber", "green" };

// The id of an output given by its id or by its exact name; 0 for none.
int outputId(const QVariant &value, const QVariantList &outputs)
{
    if (isNativeNumberType(value.userType()))
        return value.toInt();
    const QString name = value.toString();
    if (name.isEmpty())
        return 0;
    for (const QVariant &output : outputs) {
        const QVariantMap entry = output.toMap();
        if (entry.value(QStringLiteral("name")).toString() == name)
            return entry.value(QStringLiteral("id")).toInt();
    }
    return 0;
}

} // namespace

IndicationDlg::IndicationDlg(CnfController *controller, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::IndicationDlg)
    , controller(controller)
{
    ui->setupUi(this);
    installDelegates();
    load();
}

IndicationDlg::~IndicationDlg()
{
    delete ui;
}

void IndicationDlg::installDelegates()
{
    QTableWidget *table = ui->indTable;
    table->setItemDelegateForColumn(
        TypeColumn,
        new ComboBoxDelegate(this, { tr("Button"), tr("'Silicium' button"), tr("Countdown board") },
                             { QStringLiteral("button"), QStringLiteral("button_silicium"),
                               QStringLiteral("wait") }));

    auto *groups = new ComboBoxDelegate(this);
    for (const CnfSignalGroupPtr &group : controller->signalGroups())
        groups->addItem(QStringLiteral("%1(%2)").arg(group->id).arg(
                            CnfSignalGroup::type2String(group->type, true)),
                        group->id);
    table->setItemDelegateForColumn(GroupColumn, groups);

    auto *outputs = new ComboBoxDelegate(this);
    const QVariantList outputList = controller->nativeData()["outputs"].toVariant().toList();
    for (const QVariant &output : outputList) {
        const QVariantMap entry = output.toMap();
        const QString id = entry.value(QStringLiteral("id")).toString();
        const QString name = entry.value(QStringLiteral("name")).toString();
        outputs->addItem(name.isEmpty() ? id : QStringLiteral("%1 (%2)").arg(id, name),
                         entry.value(QStringLiteral("id")));
    }
    for (int column = RedColumn; column <= GreenColumn; ++column)
        table->setItemDelegateForColumn(column, outputs);

    QStringList programs;
    for (const CnfProgramPtr &program : controller->programs())
        programs.append(program->id);
    table->setItemDelegateForColumn(PlansColumn, new CheckBoxComboBoxDelegate(this, programs));
}

void IndicationDlg::load()
{
    QTableWidget *table = ui->indTable;
    const VObject indications = controller->nativeData()["modules"]["Indication"];
    const QVariantList outputs = controller->nativeData()["outputs"].toVariant().toList();
    table->setRowCount(indications.size());
    for (int row = 0; row < indications.size(); ++row) {
        const VObject entry = indications[row];
        setTableCellValue(table, row, TypeColumn, entry["type"].toVariant(), true);
        setTableCellValue(table, row, GroupColumn, entry["signalGroup"].toVariant(), true);
        for (int colour = 0; colour < 3; ++colour) {
            const int id = outputId(entry[colourKeys[colour]].toVariant(), outputs);
            if (id != 0)
                setTableCellValue(table, row, RedColumn + colour, id, true);
        }

        // One plan or a list of them, by number or by name; each shown once.
        const QVariant plans = entry["plans"].toVariant();
        const QVariantList given = plans.type() == QVariant::List && !plans.toList().isEmpty()
            ? plans.toList()
            : QVariantList { plans };
        QStringList shown;
        for (const QVariant &plan : given) {
            const CnfProgramPtr program = isNativeNumberType(plan.userType())
                ? controller->findProgram(plan.toString())
                : controller->findProgramByName(plan.toString());
            if (program && !shown.contains(program->id))
                shown.append(program->id);
        }
        setTableCellValue(table, row, PlansColumn, shown.join(QLatin1Char(',')), true);
    }
    table->resizeColumnsToContents();
}

void IndicationDlg::accept()
{
    const QTableWidget *table = ui->indTable;
    QVariantList indications;
    for (int row = 0; row < table->rowCount(); ++row) {
        QVariantMap entry;
        entry.insert(QStringLiteral("type"), tableCellValue(table, row, TypeColumn));
        entry.insert(QStringLiteral("signalGroup"), tableCellValue(table, row, GroupColumn));
        for (int colour = 0; colour < 3; ++colour)
            entry.insert(QLatin1String(colourKeys[colour]),
                         tableCellValue(table, row, RedColumn + colour));
        QVariantList plans;
        const QStringList parts = tableCellValue(table, row, PlansColumn)
                                      .toString()
                                      .split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &part : parts) {
            bool numeric = false;
            const int number = part.toInt(&numeric);
            if (numeric && QString::number(number) == part) {
                plans.append(number);
                continue;
            }
            // A program whose id is no number is named by its name, which the
            // format reads from a text; one without a name cannot be named.
            const CnfProgramPtr program = controller->findProgram(part);
            if (!program || program->name.isEmpty()) {
                QMessageBox::critical(this, tr("Error"),
                                      tr("Row %1: program %2 has neither a number nor a name to "
                                         "be named by")
                                          .arg(row + 1)
                                          .arg(part));
                return;
            }
            plans.append(program->name);
        }
        if (!plans.isEmpty())
            entry.insert(QStringLiteral("plans"), plans);
        for (auto it = entry.begin(); it != entry.end();) {
            if (!it.value().isValid() || it.value().isNull())
                it = entry.erase(it);
            else
                ++it;
        }
        indications.append(entry);
    }
    controller->nativeData()["modules"]["Indication"] = QVariant(indications);
    QDialog::accept();
}

void IndicationDlg::on_add_clicked()
{
    ui->indTable->setRowCount(ui->indTable->rowCount() + 1);
}

void IndicationDlg::on_del_clicked()
{
    std::set<int> rows;
    const QList<QTableWidgetSelectionRange> ranges = ui->indTable->selectedRanges();
    for (const QTableWidgetSelectionRange &range : ranges) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
            rows.insert(row);
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        ui->indTable->removeRow(*it);
}

void IndicationDlg::on_indTable_itemSelectionChanged()
{
    ui->del->setEnabled(!ui->indTable->selectedRanges().isEmpty());
}
