#include "calendardlg.h"

#include "calendarrows.h"
#include "ui_calendardlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdaycard.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfseasonplan.h"
#include "cnf/cnfweekcard.h"
#include "cnf/zu_moltconfig.h"

#include <algorithm>

using namespace CalendarRows;

namespace {

QVariant cellData(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->data(Qt::EditRole) : QVariant();
}

// The number each card that is stored had when the dialog opened, to the one it
// has now (a card without records is not stored).
QMap<QString, QString> storedNumbers(const QTreeWidget *cards)
{
    QMap<QString, QString> numbers;
    for (int i = 0; i < cards->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = cards->topLevelItem(i);
        const QVariant loaded = row->data(0, LoadedNumberRole);
        if (row->childCount() > 0 && loaded.isValid() && !numbers.contains(loaded.toString()))
            numbers.insert(loaded.toString(), row->text(0));
    }
    return numbers;
}

} // namespace

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
    followKeptMembers();
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
            // A number no program bears (a deleted program's) is kept as it stands.
            card->addRecord(record->data(RecordStart, Qt::EditRole).toTime(),
                            record->data(RecordEnd, Qt::EditRole).toTime(),
                            record->text(RecordProgram), record->text(RecordReserve), *controller);
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
        const CnfWeekCardPtr weekCard
            = controller->findWeekCard(cellText(ui->seasonPlan, row, PlanWeekCard));
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
        const CnfDayCardPtr dayCard
            = controller->findDayCard(cellText(ui->specialDays, row, SpecialDayCard));
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

void CalendarDlg::followKeptMembers()
{
    ZU_MOLTConfig::CalendarIds ids;
    ids.dayPlans = storedNumbers(ui->dayCards);
    ids.weekPlans = storedNumbers(ui->weekCards);
    // A season plan or a special day is stored when it names a card that is.
    int position = 0;
    for (int row = 0; row < ui->seasonPlan->rowCount(); ++row) {
        if (!controller->findWeekCard(cellText(ui->seasonPlan, row, PlanWeekCard)))
            continue;
        const QTableWidgetItem *first = ui->seasonPlan->item(row, PlanName);
        if (first && first->data(LoadedNumberRole).isValid())
            ids.extraPeriods.insert(first->data(LoadedNumberRole).toString(),
                                    QString::number(position));
        ++position;
    }
    for (int row = 0; row < ui->specialDays->rowCount(); ++row) {
        const QTableWidgetItem *number = ui->specialDays->item(row, SpecialNumber);
        if (number && number->data(LoadedNumberRole).isValid()
            && controller->findDayCard(cellText(ui->specialDays, row, SpecialDayCard))
            && !ids.extraDays.contains(number->data(LoadedNumberRole).toString()))
            ids.extraDays.insert(number->data(LoadedNumberRole).toString(), number->text());
    }
    ZU_MOLTConfig::followCalendar(*controller, ids);
}
