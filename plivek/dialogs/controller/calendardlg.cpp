#include "calendardlg.h"

#include "ui_calendardlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "plivek/framework/comboboxdelegate.h"
#include "plivek/framework/datedelegate.h"
#include "plivek/framework/exttextdelegate.h"
#include "plivek/framework/timedelegate.h"

#include <QAction>
#include <QMenu>
#include <QMessageLogger>
#include <QSignalBlocker>

#include <algorithm>

namespace {

enum DayCardColumn { DayCardNumber, DayCardName, RecordStart, RecordEnd, RecordProgram, RecordReserve };
enum WeekCardColumn { WeekCardNumber, WeekCardName, WeekDay, WeekDayCard };
enum SeasonPlanColumn { PlanName, PlanFrom, PlanTo, PlanWeekCard };
enum SpecialDayColumn { SpecialNumber, SpecialName, SpecialDate, SpecialDayCard };

// The number a card row had when it was last committed; renaming rewrites the
// references from it.
constexpr int RememberedNumberRole = Qt::UserRole;

QTreeWidgetItem *newRow()
{
    auto *item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

// A card row; it remembers its number as committed.
QTreeWidgetItem *newCardRow(const QString &number, const QString &name)
{
    QTreeWidgetItem *row = newRow();
    row->setText(0, number);
    row->setText(1, name);
    row->setData(0, RememberedNumberRole, number);
    return row;
}

QTreeWidgetItem *cardOf(QTreeWidgetItem *item)
{
    return item->parent() ? item->parent() : item;
}

QTreeWidgetItem *selectedItem(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QStringList cardNumbers(const QTreeWidget *tree)
{
    QStringList numbers;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        numbers.append(tree->topLevelItem(i)->text(0));
    return numbers;
}

// Taken numbers for a card-number editor: an empty number is never free, as
// nothing could refer to it.
QStringList takenNumbers(const QStringList &numbers)
{
    return numbers + QStringList{QString()};
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

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

QVariant cellData(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->data(Qt::EditRole) : QVariant();
}

void setCell(QTableWidget *table, int row, int column, const QVariant &value)
{
    auto *item = new QTableWidgetItem;
    item->setData(Qt::EditRole, value);
    table->setItem(row, column, item);
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

CalendarDlg::CalendarDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::CalendarDlg)
    , controller(controller)
{
    ui->setupUi(this);
    dayNames = QStringList{tr("Mon"), tr("Tue"), tr("Wed"), tr("Thu"), tr("Fri"), tr("Sat"), tr("Sun")};
    const QString family = controller->property("type").toString();
    tiverk = family == QLatin1String("tiverk");
    adapter = family == QLatin1String("adapter");
    tiverkII = family == QLatin1String("tiverkii");
    zuMolt = family == QLatin1String("ZU_MOLT");
    applyFamilyRules();

    QStringList programNumbers;
    const QList<CnfProgramPtr> programs = controller->programs();
    for (const CnfProgramPtr &program : programs)
        programNumbers.append(program->id);
    ui->dayCards->setItemDelegateForColumn(RecordStart, new TimeDelegate(this, QStringLiteral("hh:mm")));
    ui->dayCards->setItemDelegateForColumn(RecordEnd, new TimeDelegate(this, QStringLiteral("hh:mm")));
    programDelegate = new ComboBoxDelegate(this, programNumbers);
    ui->dayCards->setItemDelegateForColumn(RecordProgram, programDelegate);
    ui->dayCards->setItemDelegateForColumn(RecordReserve, programDelegate);
    ui->def_prog->addItem(tr("not set"));
    ui->def_prog->addItems(programNumbers);
    ui->def_reserve_prog->addItem(tr("not set"));
    ui->def_reserve_prog->addItems(programNumbers);

    loadDayCards();
    loadWeekCards();
    loadSeasonPlans();
    loadSpecialDays();
    createEditActions();
    updateDayCardLists();
    selectDefaults();
}

CalendarDlg::~CalendarDlg()
{
    delete ui;
}

void CalendarDlg::applyFamilyRules()
{
    // The first product line and its adapter keep neither defaults, names nor
    // a seasonal timetable; what stays hidden is still loaded and stored.
    const bool firstLine = tiverk || adapter;
    ui->defaults->setVisible(!firstLine);
    if (firstLine)
        ui->tabWidget->removeTab(ui->tabWidget->indexOf(ui->tab_3));
    ui->dayCards->setColumnHidden(DayCardName, firstLine);
    ui->dayCards->setColumnHidden(RecordEnd, !zuMolt);
    ui->weekCards->setColumnHidden(WeekCardName, firstLine);
    ui->seasonPlan->setColumnHidden(PlanName, firstLine);
    ui->specialDays->setColumnHidden(SpecialNumber, firstLine);
    ui->specialDays->setColumnHidden(SpecialName, firstLine);
}

void CalendarDlg::loadDayCards()
{
    ui->dayCards->clear();
    const QList<CnfDayCardPtr> cards = controller->dayCards();
    for (const CnfDayCardPtr &card : cards) {
        QTreeWidgetItem *row = newCardRow(card->id, card->name);
        for (auto it = card->records.cbegin(); it != card->records.cend(); ++it) {
            QTreeWidgetItem *record = newRow();
            record->setData(RecordStart, Qt::EditRole, it.key());
            record->setData(RecordEnd, Qt::EditRole, it.value().end);
            record->setText(RecordProgram, it.value().program ? it.value().program->id : QString());
            record->setText(RecordReserve, it.value().reserve ? it.value().reserve->id : QString());
            row->addChild(record);
        }
        ui->dayCards->addTopLevelItem(row);
    }
    for (int column = DayCardNumber; column <= RecordProgram; ++column)
        ui->dayCards->resizeColumnToContents(column);
    // The time cell's size hint is a fixed one, and a cell that is not selected
    // shows the time in the locale's format: both must still show whole.
    const QString longestTime = ui->dayCards->locale().toString(QTime(23, 59, 59), QLocale::ShortFormat);
    const int timeWidth = ui->dayCards->fontMetrics().horizontalAdvance(longestTime) + 16;
    for (int column : {RecordStart, RecordEnd})
        ui->dayCards->setColumnWidth(column, std::max(ui->dayCards->columnWidth(column), timeWidth));
    ui->dayCards->expandAll();

    const QStringList numbers = cardNumbers(ui->dayCards);
    dayNumberDelegate = new ExtTextDelegate(this, takenNumbers(numbers));
    ui->dayCards->setItemDelegateForColumn(DayCardNumber, dayNumberDelegate);
    weekDayCardDelegate = new ComboBoxDelegate(this, numbers);
    ui->weekCards->setItemDelegateForColumn(WeekDayCard, weekDayCardDelegate);
    weekDayDelegate = new ComboBoxDelegate(this, dayNames);
    ui->weekCards->setItemDelegateForColumn(WeekDay, weekDayDelegate);
}

void CalendarDlg::loadWeekCards()
{
    ui->weekCards->clear();
    const QList<CnfWeekCardPtr> cards = controller->weekCards();
    for (const CnfWeekCardPtr &card : cards) {
        QTreeWidgetItem *row = newCardRow(card->id, card->name);
        for (auto it = card->days.cbegin(); it != card->days.cend(); ++it) {
            QTreeWidgetItem *record = newRow();
            // A day outside Monday..Sunday has no name and shows empty.
            record->setText(WeekDay, dayNames.value(it.key() - 1));
            record->setText(WeekDayCard, it.value() ? it.value()->id : QString());
            row->addChild(record);
        }
        ui->weekCards->addTopLevelItem(row);
    }
    ui->weekCards->resizeColumnToContents(WeekCardName);
    ui->weekCards->resizeColumnToContents(WeekDay);
    ui->weekCards->expandAll();

    weekNumberDelegate = new ExtTextDelegate(this, takenNumbers(cardNumbers(ui->weekCards)));
    ui->weekCards->setItemDelegateForColumn(WeekCardNumber, weekNumberDelegate);
    ui->seasonPlan->setItemDelegateForColumn(PlanFrom, new DateDelegate(this, QStringLiteral("dd.MM")));
    ui->seasonPlan->setItemDelegateForColumn(PlanTo, new DateDelegate(this, QStringLiteral("dd.MM")));
    seasonWeekCardDelegate = new ComboBoxDelegate(this, cardNumbers(ui->weekCards));
    ui->seasonPlan->setItemDelegateForColumn(PlanWeekCard, seasonWeekCardDelegate);
}

void CalendarDlg::loadSeasonPlans()
{
    const QList<CnfSeasonPlanPtr> plans = controller->seasonPlans();
    ui->seasonPlan->setRowCount(plans.size());
    for (int row = 0; row < plans.size(); ++row) {
        const CnfSeasonPlanPtr &plan = plans.at(row);
        setCell(ui->seasonPlan, row, PlanName, plan->name);
        setCell(ui->seasonPlan, row, PlanFrom, plan->from);
        setCell(ui->seasonPlan, row, PlanTo, plan->to);
        setCell(ui->seasonPlan, row, PlanWeekCard, plan->weekCard ? plan->weekCard->id : QString());
    }
}

void CalendarDlg::loadSpecialDays()
{
    ui->specialDays->setItemDelegateForColumn(SpecialDate, new DateDelegate(this, QStringLiteral("dd.MM.yyyy")));
    specialDayCardDelegate = new ComboBoxDelegate(this, cardNumbers(ui->dayCards));
    ui->specialDays->setItemDelegateForColumn(SpecialDayCard, specialDayCardDelegate);
    const QMap<QDate, CnfSpecialDayPtr> days = controller->specialDays();
    ui->specialDays->setRowCount(days.size());
    int row = 0;
    for (auto it = days.cbegin(); it != days.cend(); ++it, ++row) {
        const CnfSpecialDayPtr &day = it.value();
        setCell(ui->specialDays, row, SpecialNumber, day ? day->id : QString());
        setCell(ui->specialDays, row, SpecialName, day ? day->name : QString());
        setCell(ui->specialDays, row, SpecialDate, it.key());
        setCell(ui->specialDays, row, SpecialDayCard, day && day->dayCard ? day->dayCard->id : QString());
    }
}

void CalendarDlg::selectDefaults()
{
    // A default that is not among the items leaves its box without a current item.
    const auto select = [](QComboBox *box, const QString *number) {
        box->setCurrentIndex(number ? box->findText(*number, Qt::MatchExactly | Qt::MatchCaseSensitive) : 0);
    };
    const CnfDayCardPtr card = controller->defaultDayCard();
    const CnfProgramPtr program = controller->defaultProgram();
    const CnfProgramPtr reserve = controller->reserveProgram();
    select(ui->def_daycard, card ? &card->id : nullptr);
    select(ui->def_prog, program ? &program->id : nullptr);
    select(ui->def_reserve_prog, reserve ? &reserve->id : nullptr);
}

void CalendarDlg::createEditActions()
{
    addEditAction(ui->dayCards, QStringLiteral("daycardAdd"), tr("Add card"), Qt::Key_Insert,
                  &CalendarDlg::addDaycard);
    addEditAction(ui->dayCards, QStringLiteral("daycardItemAdd"), tr("Add record"), Qt::ALT + Qt::Key_Insert,
                  &CalendarDlg::addDaycardItem);
    addEditAction(ui->dayCards, QStringLiteral("daycardRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeDaycard);
    addEditAction(ui->weekCards, QStringLiteral("weekcardAdd"), tr("Add card"), Qt::Key_Insert,
                  &CalendarDlg::addWeekcard);
    addEditAction(ui->weekCards, QStringLiteral("weekcardItemAdd"), tr("Add record"), Qt::ALT + Qt::Key_Insert,
                  &CalendarDlg::addWeekcardItem);
    addEditAction(ui->weekCards, QStringLiteral("weekcardRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeWeekcard);
    addEditAction(ui->seasonPlan, QStringLiteral("seasonPlanAdd"), tr("Add record"), Qt::Key_Insert,
                  &CalendarDlg::addSeasonPlanItem);
    addEditAction(ui->seasonPlan, QStringLiteral("seasonPlanRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeSeasonPlanItem);
    addEditAction(ui->specialDays, QStringLiteral("specialDaysAdd"), tr("Add record"), Qt::Key_Insert,
                  &CalendarDlg::addspecialDaysItem);
    addEditAction(ui->specialDays, QStringLiteral("specialDaysRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removespecialDaysItem);
}

void CalendarDlg::addEditAction(QWidget *view, const QString &name, const QString &text,
                                const QKeySequence &shortcut, void (CalendarDlg::*slot)())
{
    auto *action = new QAction(text, view);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Only while the view has the focus, so the four views share the keys.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, slot);
    view->addAction(action);
}

// ---------------------------------------------------------------- storing

void CalendarDlg::accept()
{
    addMinimalWeekCard();

    const QList<CnfDayCardPtr> dayCards = controller->dayCards();
    for (const CnfDayCardPtr &card : dayCards)
        controller->removeDayCard(card);
    const QList<CnfWeekCardPtr> weekCards = controller->weekCards();
    for (const CnfWeekCardPtr &card : weekCards)
        controller->removeWeekCard(card);
    const QList<CnfSeasonPlanPtr> plans = controller->seasonPlans();
    for (const CnfSeasonPlanPtr &plan : plans)
        controller->removeSeasonPlan(plan);
    const QList<QDate> dates = controller->specialDays().keys();
    for (const QDate &date : dates)
        controller->removeSpecialDay(date);

    // Day cards first, then what refers to them by number.
    storeDayCards();
    if (zuMolt)
        completeEndTimes();
    storeWeekCards();
    storeSeasonPlans();
    storeSpecialDays();
    storeDefaults();
    QDialog::accept();
}

void CalendarDlg::storeDayCards()
{
    for (int i = 0; i < ui->dayCards->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ui->dayCards->topLevelItem(i);
        if (row->childCount() == 0)
            continue;
        auto card = CnfDayCardPtr::create();
        card->id = row->text(DayCardNumber);
        card->name = row->text(DayCardName);
        for (int r = 0; r < row->childCount(); ++r) {
            const QTreeWidgetItem *record = row->child(r);
            card->addRecord(record->data(RecordStart, Qt::EditRole).toTime(),
                            record->data(RecordEnd, Qt::EditRole).toTime(),
                            controller->findProgram(record->text(RecordProgram)),
                            controller->findProgram(record->text(RecordReserve)));
        }
        controller->addDayCard(card);
    }
}

void CalendarDlg::completeEndTimes()
{
    // A record without end runs until the next one starts; the last one until
    // the first one of the day starts again.
    const QList<CnfDayCardPtr> cards = controller->dayCards();
    for (const CnfDayCardPtr &card : cards) {
        if (card->records.isEmpty())
            continue;
        const QTime first = card->records.firstKey();
        for (auto it = card->records.begin(); it != card->records.end(); ++it) {
            if (it.value().end.isValid())
                continue;
            const auto next = std::next(it);
            it.value().end = next == card->records.end() ? first : next.key();
        }
    }
}

void CalendarDlg::storeWeekCards()
{
    for (int i = 0; i < ui->weekCards->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = ui->weekCards->topLevelItem(i);
        if (row->childCount() == 0)
            continue;
        auto card = CnfWeekCardPtr::create();
        card->id = row->text(WeekCardNumber);
        card->name = row->text(WeekCardName);
        // A later record of the same day replaces an earlier one.
        for (int r = 0; r < row->childCount(); ++r) {
            const QTreeWidgetItem *record = row->child(r);
            card->days.insert(dayNames.indexOf(record->text(WeekDay)) + 1,
                              controller->findDayCard(record->text(WeekDayCard)));
        }
        controller->addWeekCard(card);
    }
}

void CalendarDlg::storeSeasonPlans()
{
    for (int row = 0; row < ui->seasonPlan->rowCount(); ++row) {
        const CnfWeekCardPtr weekCard = controller->findWeekCard(cellText(ui->seasonPlan, row, PlanWeekCard));
        if (!weekCard)
            continue;
        auto plan = CnfSeasonPlanPtr::create();
        plan->name = cellText(ui->seasonPlan, row, PlanName);
        plan->from = cellData(ui->seasonPlan, row, PlanFrom).toDate();
        plan->to = cellData(ui->seasonPlan, row, PlanTo).toDate();
        plan->weekCard = weekCard;
        controller->addSeasonPlan(plan);
    }
}

void CalendarDlg::storeSpecialDays()
{
    for (int row = 0; row < ui->specialDays->rowCount(); ++row) {
        const CnfDayCardPtr dayCard = controller->findDayCard(cellText(ui->specialDays, row, SpecialDayCard));
        if (!dayCard)
            continue;
        auto day = CnfSpecialDayPtr::create();
        day->dayCard = dayCard;
        day->id = cellText(ui->specialDays, row, SpecialNumber);
        day->name = cellText(ui->specialDays, row, SpecialName);
        controller->addSpecialDay(cellData(ui->specialDays, row, SpecialDate).toDate(), day);
    }
}

void CalendarDlg::storeDefaults()
{
    const auto shown = [](const QComboBox *box) {
        return box->currentIndex() < 0 ? QString() : box->currentText();
    };
    controller->setDefaultDayCard(controller->findDayCard(shown(ui->def_daycard)));
    controller->setDefaultProgram(controller->findProgram(shown(ui->def_prog)));
    controller->setReserveProgram(controller->findProgram(shown(ui->def_reserve_prog)));
}

// ---------------------------------------------------------------- errors

void CalendarDlg::printError(const QString &message)
{
    printError(this, message);
}

void CalendarDlg::printError(const QWidget *dialog, const QString &message)
{
    QWidget *window = dialog ? dialog->parentWidget() : nullptr;
    if (window && window->metaObject()->indexOfSlot("printError(QString)") >= 0)
        QMetaObject::invokeMethod(window, "printError", Q_ARG(QString, message));
    else
        QMessageLogger().critical().noquote() << message;
}

// ---------------------------------------------------------------- context menus

QMenu *CalendarDlg::contextMenu(QAbstractItemView *view)
{
    auto *menu = new QMenu(view);
    const auto add = [view, menu](const char *name) {
        if (auto *action = view->findChild<QAction *>(QLatin1String(name)))
            menu->addAction(action);
    };
    const bool selection = view->selectionModel() && view->selectionModel()->hasSelection();
    if (view == ui->dayCards) {
        add("daycardAdd");
        if (selection) {
            add("daycardItemAdd");
            add("daycardRemove");
        }
    } else if (view == ui->weekCards) {
        if (!tiverk || ui->weekCards->topLevelItemCount() == 0)
            add("weekcardAdd");
        if (selection) {
            add("weekcardItemAdd");
            add("weekcardRemove");
        }
    } else if (view == ui->seasonPlan) {
        add("seasonPlanAdd");
        if (selection)
            add("seasonPlanRemove");
    } else if (view == ui->specialDays) {
        add("specialDaysAdd");
        if (selection)
            add("specialDaysRemove");
    }
    return menu;
}

void CalendarDlg::showContextMenu(QAbstractItemView *view, const QPoint &pos)
{
    QMenu *menu = contextMenu(view);
    menu->exec(view->viewport()->mapToGlobal(pos));
    delete menu;
}

void CalendarDlg::on_dayCards_customContextMenuRequested(const QPoint &pos)
{
    showContextMenu(ui->dayCards, pos);
}

void CalendarDlg::on_weekCards_customContextMenuRequested(const QPoint &pos)
{
    showContextMenu(ui->weekCards, pos);
}

void CalendarDlg::on_seasonPlan_customContextMenuRequested(const QPoint &pos)
{
    showContextMenu(ui->seasonPlan, pos);
}

void CalendarDlg::on_specialDays_customContextMenuRequested(const QPoint &pos)
{
    showContextMenu(ui->specialDays, pos);
}

// ---------------------------------------------------------------- editing

QTreeWidgetItem *CalendarDlg::addCardRow(QTreeWidget *tree, const QString &number, const QString &name)
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
        printError(tr("Impossible to add new daily card. Maximum numbers for given type of controller: %1")
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
        printError(tr("Impossible to add new record to daily card. Maximum numbers for given type of controller: %1")
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
    appendTableRow(ui->seasonPlan, {newSeasonPlanName(), today, today.addDays(1),
                                    seasonWeekCardDelegate->texts().value(0)});
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
        printError(tr("Impossible to add new special day. Maximum numbers for given type of controller: %1")
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
    const QString name = zuMolt ? freeName(tr("Special.%1"), number + 1, nonEmpty(usedNames)) : QString();
    appendTableRow(ui->specialDays, {QString::number(number), name, QDate::currentDate(), QString()});
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

bool CalendarDlg::renameCard(QTreeWidget *tree, QTreeWidgetItem *item, int column, QString *oldNumber)
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
