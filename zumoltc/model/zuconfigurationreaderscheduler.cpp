#include "zuconfigurationreaderprivate.h"

void ZUConfigurationReader::Private::readScheduler()
{
    inObject("scheduler", [this] {
        readDayPlans();
        readWeekPlans();
        readExtraPeriods();
        readExtraDays();
        inObject("default", [this] {
            c->setDefaultDayPlan(readReference("dayPlan", dayPlanLookup()));
            c->setDefaultProgram(readReference("program", signalPlanLookup()));
            c->setDefaultSpareProgram(readReference("spareProgram", signalPlanLookup()));
            keep(c->keptMembers(), reader.context(), "scheduler/default");
            return true;
        });
        keep(c->keptMembers(), reader.context(), "scheduler");
        return true;
    });
}

void ZUConfigurationReader::Private::readDayPlans()
{
    forEachItem("days", [this](const JsonValue &item) {
        const int id = reader.readInt("id");
        Pending<ZUDayPlan> dayPlan(new ZUDayPlan(id, reader.readString("name")));
        forEachItem("plans", [this, &dayPlan](const JsonValue &element) {
            const QTime start = readTime("start", tr("'start' attribute has invalid time format"));
            const QTime stop = readTime("stop", tr("'stop' attribute has invalid time format"));
            const QPointer<ZUSignalPlan> program
                = readReference("program", signalPlanLookup(), false, true);
            const QPointer<ZUSignalPlan> spareProgram
                = readReference("spareProgram", signalPlanLookup());
            dayPlan->addPeriod(start, stop, program, spareProgram);
            // A period without its program is dropped with what it held.
            const QVector<JsonRawMember> members = element.unaskedMembers();
            if (program && !members.isEmpty())
                dayPlan->periods().last().kept.setMembers("", members);
            return true;
        });
        keep(dayPlan->keptMembers(), item);
        c->addDayPlan(dayPlan.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readWeekPlans()
{
    static const char *const dayNames[]
        = { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday" };
    forEachItem("weeks", [this](const JsonValue &item) {
        const int id = reader.readInt("id");
        Pending<ZUWeekPlan> week(new ZUWeekPlan(id, reader.readString("name")));
        if (reader.check("days", true)) {
            const JsonValue days = reader.current();
            if (days.type() == JsonValue::Array) {
                if (days.size() != 7)
                    reader.addWarning(
                        tr("'days' array has invalid size %1. Must be 7").arg(days.size()), days);
                for (int i = 0; i < qMin(days.size(), 7); ++i) {
                    // null keeps the place of a day without a plan.
                    if (days.at(i).type() == JsonValue::Null)
                        week->insert(Qt::DayOfWeek(i + 1), nullptr);
                    else if (const QPointer<ZUDayPlan> plan
                             = resolveReference(days.at(i), dayPlanLookup()))
                        week->insert(Qt::DayOfWeek(i + 1), plan);
                }
            } else if (days.type() == JsonValue::Object) {
                reader.enter(days);
                for (int i = 0; i < 7; ++i) {
                    if (const QPointer<ZUDayPlan> plan
                        = readReference(dayNames[i], dayPlanLookup()))
                        week->insert(Qt::DayOfWeek(i + 1), plan);
                }
                reader.leave();
            } else {
                reader.addWarning(tr("'days' attribute has invalid type"), days);
            }
        }
        keep(week->keptMembers(), item);
        c->addWeekPlan(week.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readExtraPeriods()
{
    forEachItem("extraPeriods", [this](const JsonValue &item) {
        Pending<ZUExtraPeriod> period(new ZUExtraPeriod);
        readNameAndId(period.get());
        ZUDayMonth date;
        if (readDate("start", tr("'start' attribute has invalid date format"), &date))
            period->setStart(date);
        if (readDate("stop", tr("'stop' attribute has invalid date format"), &date))
            period->setStop(date);
        period->setWeek(readReference("week", weekPlanLookup(), false, true));
        keep(period->keptMembers(), item);
        c->addExtraPeriod(period.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readExtraDays()
{
    forEachItem("extraDays", [this](const JsonValue &item) {
        Pending<ZUExtraDay> day(new ZUExtraDay);
        readNameAndId(day.get());
        ZUDayMonth date;
        if (readDate("date", tr("'date' attribute has invalid date format"), &date))
            day->setDate(date);
        day->setDayPlan(readReference("day", dayPlanLookup(), false, true));
        keep(day->keptMembers(), item);
        c->addExtraDay(day.release());
        return true;
    });
}
