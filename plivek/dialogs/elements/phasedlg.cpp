#include "phasedlg.h"

#include "ui_phasedlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/tablecells.h"
#include "plivek/framework/dialogitemvalidator.h"

PhaseDlg::PhaseDlg(QWidget *parent, const CnfPhasePtr &phase, CnfController *controller, Halm58a::Network *network)
    : UiDataExchange(parent)
    , ui(new Ui::PhaseDlg)
    , phase(phase)
    , controller(controller)
    , network(network)
    , validator(new DialogItemValidator(this))
{
    ui->setupUi(this);
    ui->sgTable->setItemDelegateForColumn(AssignedColumn, new CheckBoxDelegate(ui->sgTable));
    loadPhase();
}

PhaseDlg::~PhaseDlg()
{
    delete ui;
}

void PhaseDlg::loadPhase()
{
    if (!phase || !controller)
        return;
    const QString family = controller->property("type").toString();
    const bool tiverkII = family == QLatin1String("tiverkii");
    const bool zuMolt = family == QLatin1String("ZU_MOLT");

    QStringList numbers{QStringLiteral("0")};
    QStringList names;
    for (const CnfPhasePtr &other : controller->phases()) {
        if (other == phase)
            continue;
        numbers << other->id;
        names << other->name;
    }
    // A ZU_MOLT phase needs a name; elsewhere a missing name is no clash.
    if (zuMolt)
        names << QString();
    else
        names.removeAll(QString());
    if ((tiverkII || zuMolt) && phase->name.isEmpty()) {
        for (int n = 1;; ++n) {
            const QString name = QStringLiteral("Phase.%1").arg(n);
            if (!names.contains(name)) {
                phase->name = name;
                break;
            }
        }
    }
    validator->addLineEdit(ui->number, numbers);
    validator->addLineEdit(ui->name, names);

    ui->name->setVisible(tiverkII || zuMolt);
    ui->name_label->setVisible(tiverkII || zuMolt);
    for (QWidget *widget : {static_cast<QWidget *>(ui->minTime), static_cast<QWidget *>(ui->minTime_label),
                            static_cast<QWidget *>(ui->maxTime), static_cast<QWidget *>(ui->maxTime_label)})
        widget->setVisible(!tiverkII);
    ui->sgTable->setColumnHidden(NameColumn, !tiverkII && !zuMolt);
    ui->number->setText(phase->id);
    ui->name->setText(phase->name);
    ui->minTime->setValue(phase->minTime);
    ui->maxTime->setValue(phase->maxTime);

    QTableWidget *table = ui->sgTable;
    const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
    table->blockSignals(true);
    table->setRowCount(groups.size());
    for (int row = 0; row < groups.size(); ++row) {
        const CnfSignalGroupPtr &group = groups.at(row);
        setTableCellValue(table, row, AssignedColumn, phase->contains(group->id), true);
        setTableCellValue(table, row, NumberColumn, group->id, false);
        setTableCellValue(table, row, NameColumn, group->name, false);
        setTableCellValue(table, row, TypeColumn, CnfSignalGroup::type2String(group->type, true, false), false);
    }
    table->resizeColumnsToContents();
    table->blockSignals(false);
    updateAssignedLabel();
}

void PhaseDlg::saveToPhase()
{
    if (!phase || !controller)
        return;
    phase->id = ui->number->text();
    phase->name = ui->name->text();
    // A hidden spin box (TIVERK II) leaves the duration not set.
    phase->minTime = ui->minTime->isHidden() ? -1 : ui->minTime->value();
    phase->maxTime = ui->maxTime->isHidden() ? -1 : ui->maxTime->value();
    phase->signalGroups.clear();
    const QTableWidget *table = ui->sgTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!tableCellValue(table, row, AssignedColumn).toBool())
            continue;
        if (const CnfSignalGroupPtr group = controller->findSG(tableCellValue(table, row, NumberColumn).toInt()))
            phase->signalGroups << group;
    }
}

void PhaseDlg::on_sgTable_itemChanged(QTableWidgetItem *item)
{
    if (item)
        updateAssignedLabel();
}

// "name(type)" of every assigned group (its number when it has no name).
void PhaseDlg::updateAssignedLabel()
{
    QStringList texts;
    const QTableWidget *table = ui->sgTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!tableCellValue(table, row, AssignedColumn).toBool())
            continue;
        const CnfSignalGroupPtr group = controller->findSG(tableCellValue(table, row, NumberColumn).toInt());
        if (!group)
            continue;
        texts << QStringLiteral("%1(%2)")
                     .arg(group->name.isEmpty() ? QString::number(group->id) : group->name,
                          CnfSignalGroup::type2String(group->type, true));
    }
    ui->assignedSg->setText(texts.join(QStringLiteral(", ")));
}
