// CnfController: the calendar (day cards, week cards, season plans, special
// days, the default day card and programs) and the interstate flags.

#include "cnfcontroller.h"
#include "cnfcontrollerprivate.h"
#include "cnfinterstate.h"
#include "cnfseasonplan.h"

QList<CnfDayCardPtr> CnfController::dayCards() const
{
    return d->dayCards.elements();
}

bool CnfController::addDayCard(const CnfDayCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No day card given");
        return false;
    }
    if (d->dayCards.add(card) == CnfIndexedList<CnfDayCard, QString>::KeyTaken) {
        d->lastError = tr("Day card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    return true;
}

bool CnfController::removeDayCard(const CnfDayCardPtr &card)
{
    if (!d->dayCards.remove(card))
        return false;
    if (d->defaultDayCard == card)
        d->defaultDayCard.reset();
    return true;
}

CnfDayCardPtr CnfController::findDayCard(const QString &id) const
{
    return d->dayCards.find(id);
}

QList<CnfWeekCardPtr> CnfController::weekCards() const
{
    return d->weekCards.elements();
}

bool CnfController::addWeekCard(const CnfWeekCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No week card given");
        return false;
    }
    if (d->weekCards.add(card) == CnfIndexedList<CnfWeekCard, QString>::KeyTaken) {
        d->lastError = tr("Week card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    return true;
}

bool CnfController::removeWeekCard(const CnfWeekCardPtr &card)
{
    return d->weekCards.remove(card);
}

CnfWeekCardPtr CnfController::findWeekCard(const QString &id) const
{
    return d->weekCards.find(id);
}

QList<CnfSeasonPlanPtr> CnfController::seasonPlans() const
{
    return d->seasonPlans;
}

bool CnfController::addSeasonPlan(const CnfSeasonPlanPtr &plan)
{
    if (!plan) {
        d->lastError = tr("No season plan given");
        return false;
    }
    if (!d->seasonPlans.contains(plan))
        d->seasonPlans.append(plan);
    return true;
}

bool CnfController::removeSeasonPlan(const CnfSeasonPlanPtr &plan)
{
    return plan && d->seasonPlans.removeAll(plan) > 0;
}

QMap<QDate, CnfSpecialDayPtr> CnfController::specialDays() const
{
    return d->specialDays;
}

bool CnfController::addSpecialDay(const QDate &date, const CnfSpecialDayPtr &day)
{
    if (!date.isValid() || !day) {
        d->lastError = tr("A special day needs a valid date");
        return false;
    }
    d->specialDays.insert(date, day);
    return true;
}

bool CnfController::removeSpecialDay(const QDate &date)
{
    return d->specialDays.remove(date) > 0;
}

CnfDayCardPtr CnfController::defaultDayCard() const
{
    return d->defaultDayCard;
}

void CnfController::setDefaultDayCard(const CnfDayCardPtr &card)
{
    d->defaultDayCard = card;
}

CnfProgramPtr CnfController::defaultProgram() const
{
    return d->defaultProgram;
}

void CnfController::setDefaultProgram(const CnfProgramPtr &program)
{
    d->defaultProgram = program;
}

CnfProgramPtr CnfController::reserveProgram() const
{
    return d->reserveProgram;
}

void CnfController::setReserveProgram(const CnfProgramPtr &program)
{
    d->reserveProgram = program;
}

CnfInterstatePtr CnfController::interstate() const
{
    return d->interstate;
}

void CnfController::setInterstate(const CnfInterstatePtr &interstate)
{
    d->interstate = interstate;
}
