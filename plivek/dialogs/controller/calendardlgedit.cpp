#include "calendardlg.h"

#include "calendarrows.h"
#include "ui_calendardlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/exttextdelegate.h"

#include <QSignalBlocker>

#include <algorithm>

using namespace CalendarRows;

namespace {

QTreeWidgetItem *cardOf(QTreeWidgetItem *item)
{
    return item->parent() ? item->parent() : item;
}

QTreeWidgetItem *selectedItem(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QStringList columnTexts(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (const QTableWidgetItem *item = table->item(row, column))
            texts.append(item->text());
    }
    return texts;
}

void appendTableRow(QTableWidget *table, const QVariantList &cells)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < cells.size(); ++column)
        setCell(table, row, column, cells.at(column));
}

// Removes the rows in descending order, so that no removal shifts another.
void removeTableRows(QTableWidget *table, QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        table->removeRow(row);
}

void removeRowsNaming(QTableWidget *table, int column, const QString &number)
{
    QList<int> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (cellText(table, row, column) == number)
            rows.append(row);
    }
    removeTableRows(table, rows);
}

void renameCells(QTableWidget *table, int column, const QString &from, const QString &to)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *item = table->item(row, column);
        if (item && item->text() == from)
            item->setText(to);
    }
}

// The next number after the last card's: its trailing digits counted up (or
// a counter appended) until no card has it.
QString freeNumber(const QStringList &numbers)
{
    if (numbers.isEmpty())
        return QStringLiteral("1");
    const QString last = numbers.last();
    int digits = 0;
    while (digits < last.size()) {
        const QChar c = last.at(last.size() - 1 - digits);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        ++digits;
    }
    const QString prefix = last.left(last.size() - digits);
    bool ok = false;
    qulonglong counter = digits ? last.right(digits).toULongLong(&ok) : 1;
    if (!ok)
        counter = 1;
    QString candidate = prefix + QString::number(counter);
    while (numbers.contains(candidate))
        candidate = prefix + QString::number(++counter);
    return candidate;
}

// `pattern` with the first counter from `start` on that gives an unused name.
QString freeName(const QString &pattern, int start, const QStringList &used)
{
    int counter = start;
    QString name = pattern.arg(counter);
    while (used.contains(name))
        name = pattern.arg(++counter);
    return name;
}

QStringList nonEmpty(QStringList texts)
{
    texts.removeAll(QString());
    return texts;
}

} // namespace

QTreeWidgetItem *CalendarDlg::addCardRow(QTreeWidget *tree, const QString &number,
                                         const QString &name)
{
    QTreeWidgetItem *row = newCardRow(number, name);
    if (QTreeWidgetItem *selected = selectedItem(tree))
        tree->insertTopLevelItem(tree->indexOfTopLevelItem(cardOf(selected)) + 1, row);
    else
        tree->addTopLevelItem(row);
    tree->setCurrentItem(row, 0);
    return row;
}

QString CalendarDlg::newDayCardName(const QString &number) const
{
    if (!zuMolt)
        return QString();
    QStringList used;
    const QList<CnfDayCardPtr> cards = controller->dayCards();
    for (const CnfDayCardPtr &card : cards)
        used.append(card->name);
    return freeName(tr("Daily.%1"), number.toInt(), nonEmpty(used));
}

QString CalendarDlg::newWeekCardName(const QString &number) const
{
    if (!zuMolt)
        return QString();
    QStringList used;
    for (int i = 0; i < ui->weekCards->topLevelItemCount(); ++i)
        used.append(ui->weekCards->topLevelItem(i)->text(WeekCardName));
    return freeName(tr("Weekly.%1"), number.toInt(), nonEmpty(used));
}

QString CalendarDlg::newSeasonPlanName() const
{
    if (!zuMolt)
        return QString();
    return freeName(tr("Seasonly.%1"), 1, nonEmpty(columnTexts(ui->seasonPlan, PlanName)));
}

void CalendarDlg::addDaycard()
{
    const int limit = controller->getMaxDayCardCount();
    if (ui->dayCards->topLevelItemCount() + 1 > limit) {
        printError(
            tr("Impossible to add new daily card. Maximum numbers for given type of controller: %1")
                .arg(limit));
        return;
    }
    const bool first = ui->dayCards->topLevelItemCount() == 0;
    const QString number = freeNumber(cardNumbers(ui->dayCards));
    addCardRow(ui->dayCards, number, newDayCardName(number));
    addDaycardItem();
    if (first)
        addMinimalWeekCard();
}

void CalendarDlg::addDaycardItem()
{
    QTreeWidgetItem *selected = selectedItem(ui->dayCards);
    if (!selected)
        return;
    QTreeWidgetItem *card = cardOf(selected);
    const int limit = controller->getMaxDayCardItems();
    if (card->childCount() + 1 > limit) {
        printError(tr("Impossible to add new record to daily card. Maximum numbers for given type "
                      "of controller: %1")
                       .arg(limit));
        return;
    }
    QTreeWidgetItem *record = newRow();
    record->setData(RecordStart, Qt::EditRole, QTime(0, 0));
    record->setText(RecordProgram, programDelegate->texts().value(0));
    if (selected != card)
        card->insertChild(card->indexOfChild(selected) + 1, record);
    else
        card->addChild(record);
    card->setExpanded(true);
    ui->dayCards->setCurrentItem(record, 1);
    updateDayCardLists();
}

void CalendarDlg::removeDaycard()
{
    QTreeWidgetItem *selected = selectedItem(ui->dayCards);
    if (!selected)
        return;
    const QString number = selected->text(DayCardNumber);
    const bool card = !selected->parent();
    delete selected;
    if (!card)
        return;

    // The week-card records of that day card go, and with them every week
    // card left without records, together with its season plans.
    bool weekCardsRemoved = false;
    for (int i = ui->weekCards->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *weekCard = ui->weekCards->topLevelItem(i);
        for (int r = weekCard->childCount() - 1; r >= 0; --r) {
            if (weekCard->child(r)->text(WeekDayCard) == number)
                delete weekCard->child(r);
        }
    }
    for (int i = ui->weekCards->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *weekCard = ui->weekCards->topLevelItem(i);
        if (weekCard->childCount() > 0)
            continue;
        removeSeasonPlansOf(weekCard->text(WeekCardNumber));
        delete weekCard;
        weekCardsRemoved = true;
    }
    removeRowsNaming(ui->specialDays, SpecialDayCard, number);
    if (ui->def_daycard->currentIndex() > 0 && ui->def_daycard->currentText() == number)
        ui->def_daycard->setCurrentIndex(0);
    updateDayCardLists();
    if (weekCardsRemoved)
        updateWeekCardLists();
}

void CalendarDlg::addWeekcard()
{
    if (tiverk && ui->weekCards->topLevelItemCount() > 0)
        return;
    const bool first = ui->weekCards->topLevelItemCount() == 0;
    const QString number = freeNumber(cardNumbers(ui->weekCards));
    addCardRow(ui->weekCards, number, newWeekCardName(number));
    updateWeekCardLists();
    addWeekcardItem();
    if (first)
        addMinimalWeekCard();
}

void CalendarDlg::addWeekcardItem()
{
    QTreeWidgetItem *selected = selectedItem(ui->weekCards);
    if (!selected)
        return;
    QTreeWidgetItem *card = cardOf(selected);
    // After a record the following day (Sunday wraps to Monday); otherwise Monday.
    QString day = dayNames.first();
    if (selected->childCount() == 0) {
        const int position = dayNames.indexOf(selected->text(WeekDay));
        if (position >= 0)
            day = dayNames.at((position + 1) % dayNames.size());
    }
    QTreeWidgetItem *record = newRow();
    record->setText(WeekDay, day);
    record->setText(WeekDayCard, weekDayCardDelegate->texts().value(0));
    if (selected != card)
        card->insertChild(card->indexOfChild(selected) + 1, record);
    else
        card->addChild(record);
    card->setExpanded(true);
    ui->weekCards->setCurrentItem(record, 1);
}

void CalendarDlg::removeWeekcard()
{
    QTreeWidgetItem *selected = selectedItem(ui->weekCards);
    if (!selected)
        return;
    QTreeWidgetItem *card = selected->parent();
    const QString number = selected->text(WeekCardNumber);
    delete selected;
    if (!card) {
        removeSeasonPlansOf(number);
        updateWeekCardLists();
        return;
    }
    if (card->childCount() > 0)
        return;
    // Its last record went: the week card goes too.
    removeSeasonPlansOf(card->text(WeekCardNumber));
    delete card;
    updateWeekCardLists();
}

void CalendarDlg::removeSeasonPlansOf(const QString &weekCard)
{
    removeRowsNaming(ui->seasonPlan, PlanWeekCard, weekCard);
}

void CalendarDlg::addSeasonPlanItem()
{
    const QDate today = QDate::currentDate();
    appendTableRow(
        ui->seasonPlan,
        { newSeasonPlanName(), today, today.addDays(1), seasonWeekCardDelegate->texts().value(0) });
}

void CalendarDlg::removeSeasonPlanItem()
{
    QList<int> rows;
    const QModelIndexList selected = ui->seasonPlan->selectionModel()->selectedRows();
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    removeTableRows(ui->seasonPlan, rows);
}

void CalendarDlg::addspecialDaysItem()
{
    const int limit = controller->getMaxSpecialDayCount();
    if (ui->specialDays->rowCount() + 1 > limit) {
        printError(tr("Impossible to add new special day. Maximum numbers for given type of "
                      "controller: %1")
                       .arg(limit));
        return;
    }
    QStringList usedNumbers = columnTexts(ui->specialDays, SpecialNumber);
    QStringList usedNames = columnTexts(ui->specialDays, SpecialName);
    const QMap<QDate, CnfSpecialDayPtr> stored = controller->specialDays();
    for (const CnfSpecialDayPtr &day : stored) {
        if (day) {
            usedNumbers.append(day->id);
            usedNames.append(day->name);
        }
    }
    int number = 1;
    while (usedNumbers.contains(QString::number(number)))
        ++number;
    const QString name
        = zuMolt ? freeName(tr("Special.%1"), number + 1, nonEmpty(usedNames)) : QString();
    appendTableRow(ui->specialDays,
                   { QString::number(number), name, QDate::currentDate(), QString() });
}

void CalendarDlg::removespecialDaysItem()
{
    QList<int> rows;
    const QModelIndexList selected = ui->specialDays->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    removeTableRows(ui->specialDays, rows);
}

// ---------------------------------------------------------------- renaming

bool CalendarDlg::renameCard(QTreeWidget *tree, QTreeWidgetItem *item, int column,
                             QString *oldNumber)
{
    // Only a card's number renames; the other cells of a card row and every
    // cell of a record row are plain data.
    if (column != 0 || item->parent())
        return false;
    const QString from = item->data(0, RememberedNumberRole).toString();
    const QString to = item->text(0);
    if (to == from)
        return false;
    const QSignalBlocker blocker(tree);
    int sameNumber = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (tree->topLevelItem(i)->text(0) == to)
            ++sameNumber;
    }
    // An empty or taken number would lose every reference on OK: keep the old one.
    if (to.isEmpty() || sameNumber > 1) {
        item->setText(0, from);
        return false;
    }
    item->setData(0, RememberedNumberRole, to);
    *oldNumber = from;
    return true;
}

void CalendarDlg::on_dayCards_itemChanged(QTreeWidgetItem *item, int column)
{
    QString from;
    if (!renameCard(ui->dayCards, item, column, &from))
        return;
    const QString to = item->text(0);
    {
        const QSignalBlocker blocker(ui->weekCards);
        for (int i = 0; i < ui->weekCards->topLevelItemCount(); ++i) {
            QTreeWidgetItem *weekCard = ui->weekCards->topLevelItem(i);
            if (weekCard->text(WeekDayCard) == from)
                weekCard->setText(WeekDayCard, to);
            for (int r = 0; r < weekCard->childCount(); ++r) {
                if (weekCard->child(r)->text(WeekDayCard) == from)
                    weekCard->child(r)->setText(WeekDayCard, to);
            }
        }
    }
    renameCells(ui->specialDays, SpecialDayCard, from, to);
    updateDayCardLists(from, to);
}

void CalendarDlg::on_weekCards_itemChanged(QTreeWidgetItem *item, int column)
{
    QString from;
    if (!renameCard(ui->weekCards, item, column, &from))
        return;
    renameCells(ui->seasonPlan, PlanWeekCard, from, item->text(0));
    updateWeekCardLists();
}

// ---------------------------------------------------------------- lists

void CalendarDlg::updateDayCardLists(const QString &renamedFrom, const QString &renamedTo)
{
    const QStringList numbers = cardNumbers(ui->dayCards);
    weekDayCardDelegate->setTexts(numbers);
    specialDayCardDelegate->setTexts(numbers);
    dayNumberDelegate->setTakenTexts(takenNumbers(numbers));

    // The default day card stays what it was while it exists (and follows a
    // rename), so that editing other cards never clears it on OK.
    const int index = ui->def_daycard->currentIndex();
    QString shown = index > 0 ? ui->def_daycard->currentText() : QString();
    if (!renamedFrom.isEmpty() && shown == renamedFrom)
        shown = renamedTo;
    int current = index < 0 ? -1 : 0; // no current item (a default not among the cards) stays so
    if (!shown.isEmpty())
        current = numbers.indexOf(shown) + 1; // "not set" once that card is gone
    const QSignalBlocker blocker(ui->def_daycard);
    ui->def_daycard->clear();
    ui->def_daycard->addItem(tr("not set"));
    ui->def_daycard->addItems(numbers);
    ui->def_daycard->setCurrentIndex(current);
}

void CalendarDlg::updateWeekCardLists()
{
    const QStringList numbers = cardNumbers(ui->weekCards);
    seasonWeekCardDelegate->setTexts(numbers);
    weekNumberDelegate->setTakenTexts(takenNumbers(numbers));
}

void CalendarDlg::addMinimalWeekCard()
{
    if (!ui->createMinimal->isChecked() || ui->dayCards->topLevelItemCount() != 1)
        return;
    QTreeWidgetItem *weekCard = ui->weekCards->topLevelItem(0);
    if (!weekCard) {
        weekCard = newCardRow(QStringLiteral("1"), QString());
        ui->weekCards->addTopLevelItem(weekCard);
        updateWeekCardLists();
    }
    QTreeWidgetItem *record = newRow();
    record->setText(WeekDay, dayNames.first());
    record->setText(WeekDayCard, ui->dayCards->topLevelItem(0)->text(DayCardNumber));
    weekCard->addChild(record);
    weekCard->setExpanded(true);
}
