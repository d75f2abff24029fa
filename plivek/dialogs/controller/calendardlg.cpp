#include "calendardlg.h"

#include "calendarrows.h"
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
#include <QMessageBox>
#include <QMessageLogger>

#include <algorithm>

using namespace CalendarRows;

CalendarDlg::CalendarDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::CalendarDlg)
    , controller(controller)
{
    ui->setupUi(this);
    dayNames = QStringList { tr("Mon"), tr("Tue"), tr("Wed"), tr("Thu"),
                             tr("Fri"), tr("Sat"), tr("Sun") };
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
    ui->dayCards->setItemDelegateForColumn(RecordStart,
                                           new TimeDelegate(this, QStringLiteral("hh:mm")));
    ui->dayCards->setItemDelegateForColumn(RecordEnd,
                                           new TimeDelegate(this, QStringLiteral("hh:mm")));
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
        row->setData(0, LoadedNumberRole, card->id);
        for (auto it = card->records.cbegin(); it != card->records.cend(); ++it) {
            QTreeWidgetItem *record = newRow();
            record->setData(RecordStart, Qt::EditRole, it.key());
            record->setData(RecordEnd, Qt::EditRole, it.value().end);
            // A deleted program's id shows as the record keeps it.
            record->setText(RecordProgram, it.value().programId());
            record->setText(RecordReserve, it.value().reserveId());
            row->addChild(record);
        }
        ui->dayCards->addTopLevelItem(row);
    }
    for (int column = DayCardNumber; column <= RecordProgram; ++column)
        ui->dayCards->resizeColumnToContents(column);
    // The time cell's size hint is a fixed one, and a cell that is not selected
    // shows the time in the locale's format: both must still show whole.
    const QString longestTime
        = ui->dayCards->locale().toString(QTime(23, 59, 59), QLocale::ShortFormat);
    const int timeWidth = ui->dayCards->fontMetrics().horizontalAdvance(longestTime) + 16;
    for (int column : { RecordStart, RecordEnd })
        ui->dayCards->setColumnWidth(column,
                                     std::max(ui->dayCards->columnWidth(column), timeWidth));
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
        row->setData(0, LoadedNumberRole, card->id);
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
    ui->seasonPlan->setItemDelegateForColumn(PlanFrom,
                                             new DateDelegate(this, QStringLiteral("dd.MM")));
    ui->seasonPlan->setItemDelegateForColumn(PlanTo,
                                             new DateDelegate(this, QStringLiteral("dd.MM")));
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
        ui->seasonPlan->item(row, PlanName)->setData(LoadedNumberRole, row);
        setCell(ui->seasonPlan, row, PlanFrom, plan->from);
        setCell(ui->seasonPlan, row, PlanTo, plan->to);
        setCell(ui->seasonPlan, row, PlanWeekCard, plan->weekCard ? plan->weekCard->id : QString());
    }
}

void CalendarDlg::loadSpecialDays()
{
    ui->specialDays->setItemDelegateForColumn(SpecialDate,
                                              new DateDelegate(this, QStringLiteral("dd.MM.yyyy")));
    specialDayCardDelegate = new ComboBoxDelegate(this, cardNumbers(ui->dayCards));
    ui->specialDays->setItemDelegateForColumn(SpecialDayCard, specialDayCardDelegate);
    const QMap<QDate, CnfSpecialDayPtr> days = controller->specialDays();
    ui->specialDays->setRowCount(days.size());
    int row = 0;
    for (auto it = days.cbegin(); it != days.cend(); ++it, ++row) {
        const CnfSpecialDayPtr &day = it.value();
        setCell(ui->specialDays, row, SpecialNumber, day ? day->id : QString());
        ui->specialDays->item(row, SpecialNumber)
            ->setData(LoadedNumberRole, day ? day->id : QString());
        setCell(ui->specialDays, row, SpecialName, day ? day->name : QString());
        setCell(ui->specialDays, row, SpecialDate, it.key());
        setCell(ui->specialDays, row, SpecialDayCard,
                day && day->dayCard ? day->dayCard->id : QString());
    }
}

void CalendarDlg::selectDefaults()
{
    // A default that is not among the items leaves its box without a current item.
    const auto select = [](QComboBox *box, const QString *number) {
        box->setCurrentIndex(
            number ? box->findText(*number, Qt::MatchExactly | Qt::MatchCaseSensitive) : 0);
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
    addEditAction(ui->dayCards, QStringLiteral("daycardItemAdd"), tr("Add record"),
                  Qt::ALT + Qt::Key_Insert, &CalendarDlg::addDaycardItem);
    addEditAction(ui->dayCards, QStringLiteral("daycardRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeDaycard);
    addEditAction(ui->weekCards, QStringLiteral("weekcardAdd"), tr("Add card"), Qt::Key_Insert,
                  &CalendarDlg::addWeekcard);
    addEditAction(ui->weekCards, QStringLiteral("weekcardItemAdd"), tr("Add record"),
                  Qt::ALT + Qt::Key_Insert, &CalendarDlg::addWeekcardItem);
    addEditAction(ui->weekCards, QStringLiteral("weekcardRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeWeekcard);
    addEditAction(ui->seasonPlan, QStringLiteral("seasonPlanAdd"), tr("Add record"), Qt::Key_Insert,
                  &CalendarDlg::addSeasonPlanItem);
    addEditAction(ui->seasonPlan, QStringLiteral("seasonPlanRemove"), tr("Remove"), Qt::Key_Delete,
                  &CalendarDlg::removeSeasonPlanItem);
    addEditAction(ui->specialDays, QStringLiteral("specialDaysAdd"), tr("Add record"),
                  Qt::Key_Insert, &CalendarDlg::addspecialDaysItem);
    addEditAction(ui->specialDays, QStringLiteral("specialDaysRemove"), tr("Remove"),
                  Qt::Key_Delete, &CalendarDlg::removespecialDaysItem);
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

// ---------------------------------------------------------------- errors

void CalendarDlg::printError(const QString &message)
{
    printError(this, message);
}

void CalendarDlg::printError(QWidget *dialog, const QString &message)
{
    QWidget *window = dialog ? dialog->parentWidget() : nullptr;
    if (window && window->metaObject()->indexOfSlot("printError(QString)") >= 0) {
        QMetaObject::invokeMethod(window, "printError", Q_ARG(QString, message));
        return;
    }
    QMessageLogger().critical().noquote() << message;
    // Without a window that lists it, a dialog on screen shows the message
    // itself, as the main window does; a dialog never shown stays silent.
    if (dialog && dialog->isVisible())
        QMessageBox::critical(dialog, tr("Error"), message, QMessageBox::Ok);
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
