#include "phasedlg.h"

#include "ui_phasedlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/checkboxdelegate.h"
#include "common/widgets/tablecells.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "plivek/framework/dialogitemvalidator.h"

#include <QGraphicsScene>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace {

// The duration a spin box gives the phase. A box the family hides, or one left
// at what it showed for the phase's value, keeps that value: the box cannot
// show every value a file may hold (beyond its range).
int editedDuration(const QSpinBox *box, int stored)
{
    if (box->isHidden())
        return stored;
    const int shown = qBound(box->minimum(), stored, box->maximum());
    return box->value() == shown ? stored : box->value();
}

} // namespace

PhaseDlg::PhaseDlg(QWidget *parent, const CnfPhasePtr &phase, CnfController *controller,
                   Halm58a::Network *network)
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
    highlightRow(ui->sgTable->currentRow(), false);
    delete ui;
}

void PhaseDlg::loadPhase()
{
    if (!phase || !controller)
        return;
    if (auto *drawn = qobject_cast<Halm58ga::Networkg *>(network))
        drawn->scene()->clearSelection();
    const QString family = controller->property("type").toString();
    const bool tiverkII = family == QLatin1String("tiverkii");
    const bool zuMolt = family == QLatin1String("ZU_MOLT");

    // An empty id is refused as well as a taken one.
    QStringList numbers { QStringLiteral("0"), QString() };
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
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->minTime), static_cast<QWidget *>(ui->minTime_label),
           static_cast<QWidget *>(ui->maxTime), static_cast<QWidget *>(ui->maxTime_label) })
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
        setTableCellValue(table, row, TypeColumn,
                          CnfSignalGroup::type2String(group->type, true, false), false);
    }
    table->resizeColumnsToContents();
    table->blockSignals(false);
    updateAssignedLabel();
    checkConflicts();
}

void PhaseDlg::done(int result)
{
    if (result == QDialog::Accepted && phase && controller) {
        // A phase still to be added has no id in the controller yet.
        const QString id = controller->findPhase(phase->id) == phase ? phase->id : QString();
        const QString typed = ui->number->text();
        const QString refusal = typed != id ? controller->phaseIdRefusal(id, typed) : QString();
        if (!refusal.isEmpty()) {
            // The window that opened the dialog lists the refusal in its
            // message table and shows it; without one the dialog shows it.
            QWidget *window = parentWidget();
            if (window && window->metaObject()->indexOfSlot("printError(QString)") >= 0)
                QMetaObject::invokeMethod(window, "printError", Q_ARG(QString, refusal));
            else
                QMessageBox::critical(this, tr("Error"), refusal);
            return;
        }
    }
    UiDataExchange::done(result);
}

void PhaseDlg::saveToPhase()
{
    if (!phase || !controller)
        return;
    phase->id = ui->number->text();
    // A field the family hides keeps the phase's value.
    if (!ui->name->isHidden())
        phase->name = ui->name->text();
    phase->minTime = editedDuration(ui->minTime, phase->minTime);
    phase->maxTime = editedDuration(ui->maxTime, phase->maxTime);
    phase->signalGroups.clear();
    const QTableWidget *table = ui->sgTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!tableCellValue(table, row, AssignedColumn).toBool())
            continue;
        if (const CnfSignalGroupPtr group
            = controller->findSG(tableCellValue(table, row, NumberColumn).toInt()))
            phase->signalGroups << group;
    }
}

void PhaseDlg::on_sgTable_itemChanged(QTableWidgetItem *item)
{
    if (!item)
        return;
    updateAssignedLabel();
    checkConflicts();
}

void PhaseDlg::checkConflicts()
{
    if (!controller)
        return;
    const CnfMatrixPtr matrix
        = controller->safetyMatrix() ? controller->safetyMatrix() : controller->conflictMatrix();
    if (!matrix)
        return;
    QTableWidget *table = ui->sgTable;
    const QSignalBlocker blocker(table);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (QTableWidgetItem *item = table->item(row, AssignedColumn))
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
    }
    // Only the direction from each assigned group to the others is read; two
    // assigned groups are read both ways.
    bool conflict = false;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!tableCellValue(table, row, AssignedColumn).toBool())
            continue;
        const CnfSignalGroupPtr a
            = controller->findSG(tableCellValue(table, row, NumberColumn).toInt());
        for (int other = 0; other < table->rowCount(); ++other) {
            QTableWidgetItem *item = table->item(other, AssignedColumn);
            if (other == row || !item)
                continue;
            const CnfSignalGroupPtr b
                = controller->findSG(tableCellValue(table, other, NumberColumn).toInt());
            if (std::isnan(matrix->releaf(a, b)))
                continue;
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (item->data(Qt::EditRole).toBool())
                conflict = true;
        }
    }
    if (QPushButton *ok = ui->buttonBox->button(QDialogButtonBox::Ok))
        ok->setEnabled(!conflict);
}

QList<QTableWidgetItem *> PhaseDlg::selectedAssignedItems() const
{
    QList<QTableWidgetItem *> items;
    for (QTableWidgetItem *item : ui->sgTable->selectedItems()) {
        if (item->column() == AssignedColumn)
            items << item;
    }
    return items;
}

void PhaseDlg::on_sgTable_customContextMenuRequested(const QPoint &pos)
{
    const QList<QTableWidgetItem *> items = selectedAssignedItems();
    if (items.isEmpty())
        return;
    bool anyAssigned = false;
    bool anyFree = false;
    for (const QTableWidgetItem *item : items) {
        if (item->data(Qt::EditRole).toBool())
            anyAssigned = true;
        else
            anyFree = true;
    }
    QMenu menu(this);
    if (anyAssigned)
        menu.addAction(tr("Remove from phase"), this, &PhaseDlg::releaseSg);
    if (anyFree)
        menu.addAction(tr("Assign"), this, &PhaseDlg::assignSg);
    menu.exec(ui->sgTable->viewport()->mapToGlobal(pos));
}

// Works on locked cells too: assigning a conflicting group this way leaves
// both ticked and OK disabled.
void PhaseDlg::setSelectedAssigned(bool assigned)
{
    for (QTableWidgetItem *item : selectedAssignedItems())
        item->setData(Qt::DisplayRole, assigned);
}

void PhaseDlg::releaseSg()
{
    setSelectedAssigned(false);
}

void PhaseDlg::assignSg()
{
    setSelectedAssigned(true);
}

void PhaseDlg::on_sgTable_currentCellChanged(int currentRow, int, int previousRow, int)
{
    if (currentRow == previousRow)
        return;
    highlightRow(previousRow, false);
    highlightRow(currentRow, true);
}

void PhaseDlg::highlightRow(int row, bool on)
{
    auto *drawn = qobject_cast<Halm58ga::Networkg *>(network);
    if (!drawn || row < 0 || row >= ui->sgTable->rowCount())
        return;
    const QString number = QString::number(tableCellValue(ui->sgTable, row, NumberColumn).toInt());
    auto *group = drawn->findChild<Halm58a::SignalGroup *>(number);
    if (!group)
        return;
    auto mark = [&](Halm58a::NetObject *object) {
        if (Halm58ga::GenericGraphicsItem *item = drawn->object2item(object)) {
            if (on)
                item->setHighlightColor(QColor(Qt::green));
            else
                item->removeHighlightColor();
        }
    };
    const QList<Halm58a::Connection *> connections = group->connections();
    for (int index = connections.size() - 1; index >= 0; --index)
        mark(connections.at(index));
    const QList<Halm58a::CrossWalk *> crossWalks = group->crossWalks();
    for (int index = crossWalks.size() - 1; index >= 0; --index)
        mark(crossWalks.at(index));
}

// "name(type)" of every assigned group (its number when it has no name).
void PhaseDlg::updateAssignedLabel()
{
    QStringList texts;
    const QTableWidget *table = ui->sgTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!tableCellValue(table, row, AssignedColumn).toBool())
            continue;
        const CnfSignalGroupPtr group
            = controller->findSG(tableCellValue(table, row, NumberColumn).toInt());
        if (!group)
            continue;
        texts << QStringLiteral("%1(%2)").arg(group->name.isEmpty() ? QString::number(group->id)
                                                                    : group->name,
                                              CnfSignalGroup::type2String(group->type, true));
    }
    ui->assignedSg->setText(texts.join(QStringLiteral(", ")));
}
