#include "zuconfigurationwriter.h"

#include "jsonwriter.h"
#include "zuconfiguration.h"

#include <QSet>

namespace {

const char *const timeKeys[] = { "extRed", "redAmber", "greenBlink", "amber",     "minRed",
                                 "maxRed", "minGreen", "maxGreen",   "extGreen1", "extGreen2" };

// The ten times of a signal group in file order.
QVector<int> times(const ZUSignalGroup *group)
{
    return { group->extRed(),    group->redAmber(), group->greenBlink(), group->amber(),
             group->minRed(),    group->maxRed(),   group->minGreen(),   group->maxGreen(),
             group->extGreen1(), group->extGreen2() };
}

} // namespace

class ZUConfigurationWriter::Private
{
public:
    explicit Private(ZUConfiguration *configuration)
        : c(configuration)
    {
        w.setSkipValue(zu::NotSet);
    }

    void writeRoot();

    ZUConfiguration *c;
    JsonWriter w;

private:
    // A reference is the target's id; a dead target is left out, or written as
    // null when forced.
    template<typename T>
    void writeReference(const char *key, const QPointer<T> &target, bool force = false)
    {
        // A forced reference keeps its place: null when there is no id to write.
        if (target && (!force || target->id() != zu::NotSet))
            w.writeValue(key, target->id(), force);
        else if (force)
            w.writeValue(key, QVariant(QVariant::Int), true);
    }
    template<typename T> void writeReferenceItem(const QPointer<T> &target, bool force = false)
    {
        writeReference(nullptr, target, force);
    }
    template<typename E> void writeEnum(const char *key, int value)
    {
        w.writeValue(key, enumKey<E>(value));
    }
    void writeNameAndId(const ZUBaseObject *object)
    {
        w.writeValue("name", object->name());
        w.writeValue("id", object->id());
    }
    void writeFlag(const char *key, bool on)
    {
        if (on)
            w.writeValue(key, true);
    }
    // Ints whose not-set value is 0.
    void writeNonZero(const char *key, int value)
    {
        if (value != 0)
            w.writeValue(key, value);
    }

    // Members the file held beyond what the model knows, after the known ones.
    void writeKept(const KeptMembers &kept, const char *part = "")
    {
        if (!kept.isEmpty())
            w.writeRawMembers(kept.members(part));
    }
    // A part of the configuration's own: a section or an object nested in one.
    void writeSectionKept(const char *part) { writeKept(c->keptMembers(), part); }

    void writeNetwork();
    void writeSignalGroups();
    void writeStages();
    void writeMatrix();
    void writeDetectors();
    void writePlans();
    void writeAlgorithm(ZUSignalPlan *plan);
    void writeSequences(ZUSignalPlan *plan);
    void writePhases(ZUSignalPlan *plan);
    void writePlanDetectors(ZUSignalPlan *plan);
    void writeScheduler();
    void writeWeekDays(ZUWeekPlan *week);
    void writeControlSources();
    void writeKmp();
    void writeSwitches();
    void writeCountdownBoards();
    void writeInputsOutputs();
    void writeRemoteControlPanel();
    void writeRecovery();
    void writeRecoveryError(const ZURecoveryParameters::ErrorRecovery &record, const char *key);
};

void ZUConfigurationWriter::Private::writeRoot()
{
    w.beginObject();
    w.writeValue("configVersion", c->configVersion());
    w.writeValue("type", QStringLiteral("ZU_MOLT"));
    writeNameAndId(c);
    w.writeValue("description", c->description());
    w.writeValue("timeZone", c->timeZone());
    w.writeValue("maxCurrent", c->maxCurrent());
    if (c->allRed() != zu::NotSet || c->amberBlink() != zu::NotSet) {
        w.beginObject("startTime", true);
        w.writeValue("allRed", c->allRed());
        w.writeValue("amberBlink", c->amberBlink());
        writeSectionKept("startTime");
        w.endObject();
    }
    writeNetwork();
    writeSignalGroups();
    writeStages();
    writeMatrix();
    writeDetectors();
    writePlans();
    writeScheduler();
    writeControlSources();
    writeKmp();
    writeSwitches();
    writeCountdownBoards();
    writeInputsOutputs();
    writeRemoteControlPanel();
    writeRecovery();
    writeKept(c->keptMembers());
    w.endObject();
}

void ZUConfigurationWriter::Private::writeNetwork()
{
    const ZUNetworkParameters *network = c->networkParameters();
    if (!network->allowed())
        return;
    w.beginObject("LAN");
    writeEnum<zu::LanMode>("lanMode", network->lanMode());
    if (network->lanMode() == zu::staticIP) {
        w.writeValue("lanIP", network->lanIP());
        w.writeValue("lanMask", network->lanMask());
        w.writeValue("gtwIP", network->gtwIP());
        w.writeValue("dnsIP", network->dnsIP());
    }
    w.writeValue("srvIP", network->srvIP());
    w.writeValue("srvName", network->srvName());
    writeNonZero("asudPort", network->asudPort());
    w.writeValue("macAddres", network->macAddres());
    w.writeValue("sntpIP", network->sntpIP());
    w.writeValue("sntpName", network->sntpName());
    writeSectionKept("LAN");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeSignalGroups()
{
    const QPointer<ZUSignalGroup> defaults = c->signalGroupDefaults();
    const bool withDefaults = defaults && defaults->hasTimes();
    const QList<QPointer<ZUSignalGroup>> groups = c->signalGroups();
    if (groups.isEmpty() && !withDefaults)
        return;
    w.beginObject("signalGroups");
    const QVector<int> defaultTimes = withDefaults ? times(defaults) : QVector<int>();
    if (withDefaults) {
        w.beginObject("default");
        w.setSingleLine(true);
        for (int i = 0; i < defaultTimes.size(); ++i)
            w.writeValue(timeKeys[i], defaultTimes.at(i));
        writeKept(defaults->keptMembers());
        w.endObject();
    }
    if (!groups.isEmpty()) {
        w.beginArray("items");
        for (const QPointer<ZUSignalGroup> &group : groups) {
            if (!group)
                continue;
            w.beginObject(nullptr, true);
            writeNameAndId(group);
            writeEnum<zu::SGType>("type", group->type());
            // Times equal to the defaults are left out: the group takes them anyway.
            const QVector<int> own = times(group);
            for (int i = 0; i < own.size(); ++i) {
                if (!withDefaults || own.at(i) != defaultTimes.at(i))
                    w.writeValue(timeKeys[i], own.at(i));
            }
            writeKept(group->keptMembers());
            w.endObject();
        }
        w.endArray();
    }
    writeSectionKept("signalGroups");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeStages()
{
    if (c->stages().isEmpty())
        return;
    w.beginArray("stages");
    for (const QPointer<ZUStage> &stage : c->stages()) {
        if (!stage)
            continue;
        w.beginObject();
        writeNameAndId(stage);
        if (!stage->groups().isEmpty()) {
            w.beginArray("groups", true);
            for (const QPointer<ZUSignalGroup> &group : stage->groups())
                writeReferenceItem(group);
            w.endArray();
        }
        w.writeValue("minGreen", stage->minTime());
        w.writeValue("maxGreen", stage->maxTime());
        writeKept(stage->keptMembers());
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writeMatrix()
{
    ZUIntergreenMatrix *matrix = c->intergreenMatrix();
    if (matrix->points().isEmpty())
        return;
    w.beginArray("IGM");
    w.beginObject();
    writeNameAndId(matrix);
    w.beginArray("items");
    for (const ZUIntergreenMatrix::Point &point : matrix->points()) {
        w.beginObject(nullptr, true);
        writeReference("clearing", point.clearing);
        writeReference("entering", point.entering);
        w.writeValue("time", point.time);
        writeKept(point.kept);
        w.endObject();
    }
    w.endArray();
    writeKept(matrix->keptMembers());
    w.endObject();
    w.endArray();
}

void ZUConfigurationWriter::Private::writeDetectors()
{
    if (c->detectors().isEmpty())
        return;
    w.beginObject("detectors");
    w.writeValue("logInterval", c->detectorIntervals()->logInterval);
    w.writeValue("logIntervalASUDD", c->detectorIntervals()->logIntervalASUDD);
    w.beginArray("items");
    for (const QPointer<ZUDetector> &detector : c->detectors()) {
        if (!detector)
            continue;
        w.beginObject(nullptr, true);
        writeNameAndId(detector);
        writeFlag("report", detector->report());
        writeKept(detector->keptMembers());
        w.endObject();
    }
    w.endArray();
    writeSectionKept("detectors");
    w.endObject();
}

void ZUConfigurationWriter::Private::writePlans()
{
    if (c->signalPlans().isEmpty())
        return;
    w.beginArray("plans");
    for (const QPointer<ZUSignalPlan> &plan : c->signalPlans()) {
        if (!plan)
            continue;
        w.beginObject();
        writeNameAndId(plan);
        writeAlgorithm(plan);
        writeKept(plan->keptMembers());
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writeAlgorithm(ZUSignalPlan *plan)
{
    w.beginObject("algorithm");
    writeEnum<zu::PlanType>("type", plan->type());
    writeFlag("coordinated", plan->coordinated());
    w.writeValue("cycle", plan->cycle());
    w.writeValue("offset", plan->offset());
    switch (plan->type()) {
    case zu::Timeline:
        writeSequences(plan);
        break;
    case zu::StageRing:
        writePhases(plan);
        writePlanDetectors(plan);
        if (!plan->phases().isEmpty()) {
            w.beginArray("sequence", true);
            for (const QPointer<ZUSignalPlanPhase> &phase : plan->phases())
                w.writeItem(phase->id());
            w.endArray();
        }
        break;
    case zu::Special:
        writeEnum<zu::SpecialMode>("mode", plan->mode());
        break;
    default:
        break;
    }
    writeKept(plan->keptMembers(), "algorithm");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeSequences(ZUSignalPlan *plan)
{
    if (plan->sequences().isEmpty())
        return;
    w.beginArray("sequences");
    for (const ZUSignalPlan::Sequence &sequence : plan->sequences()) {
        w.beginObject();
        writeReference("group", sequence.group);
        if (!sequence.sequence.isEmpty()) {
            w.beginArray("sequence");
            for (auto it = sequence.sequence.cbegin(); it != sequence.sequence.cend(); ++it) {
                w.beginObject(nullptr, true);
                writeEnum<zu::TimelineState>("state", int(it.value()));
                w.writeValue("point", it.key());
                if (!sequence.kept.isEmpty())
                    writeKept(sequence.kept, QByteArray::number(it.key()).constData());
                w.endObject();
            }
            w.endArray();
        }
        writeKept(sequence.kept);
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writePhases(ZUSignalPlan *plan)
{
    if (plan->phases().isEmpty())
        return;
    // A phase whose id was written before is left out: ids name phases in the file.
    QSet<int> written;
    w.beginArray("phases");
    for (const QPointer<ZUSignalPlanPhase> &phase : plan->phases()) {
        if (written.contains(phase->id()))
            continue;
        written.insert(phase->id());
        w.beginObject();
        w.writeValue("id", phase->id());
        writeReference("stage", phase->stage());
        writeReference("call", phase->call());
        writeEnum<zu::Recall>("recall", phase->recall());
        writeEnum<zu::CountdownBoard>("countdownBoard", phase->countdownBoard());
        w.writeValue("passage", phase->passage());
        w.writeValue("minGreen", phase->minGreen());
        w.writeValue("maxGreen", phase->maxGreen());
        writeKept(phase->keptMembers());
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writePlanDetectors(ZUSignalPlan *plan)
{
    if (plan->detectors().isEmpty())
        return;
    w.beginArray("detectors");
    for (const ZUSignalPlan::DetectorControl &record : plan->detectors()) {
        w.beginObject();
        writeReference("phase", record.phase);
        writeReference("call", record.call);
        writeReference("redirect", record.redirect);
        writeFlag("control", record.control);
        writeReference("detector", record.detector);
        writeReference("indicator", record.indicator);
        writeKept(record.kept);
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writeScheduler()
{
    // Written whenever any part of the timetable exists, so that week plans,
    // extra periods and extra days survive a save without day plans.
    const bool withDefault = c->defaultDayPlan() || c->defaultProgram() || c->defaultSpareProgram();
    if (!withDefault && c->dayPlans().isEmpty() && c->weekPlans().isEmpty()
        && c->extraPeriods().isEmpty() && c->extraDays().isEmpty())
        return;
    w.beginObject("scheduler");
    if (withDefault) {
        w.beginObject("default");
        writeReference("dayPlan", c->defaultDayPlan());
        writeReference("program", c->defaultProgram());
        writeReference("spareProgram", c->defaultSpareProgram());
        writeSectionKept("scheduler/default");
        w.endObject();
    }
    if (!c->dayPlans().isEmpty()) {
        w.beginArray("days");
        for (const QPointer<ZUDayPlan> &dayPlan : c->dayPlans()) {
            if (!dayPlan)
                continue;
            w.beginObject();
            writeNameAndId(dayPlan);
            if (!dayPlan->periods().isEmpty()) {
                w.beginArray("plans");
                for (const ZUDayPlan::Period &period : dayPlan->periods()) {
                    w.beginObject();
                    w.writeValue("start", period.start);
                    w.writeValue("stop", period.stop);
                    writeReference("program", period.program);
                    writeReference("spareProgram", period.spareProgram);
                    writeKept(period.kept);
                    w.endObject();
                }
                w.endArray();
            }
            writeKept(dayPlan->keptMembers());
            w.endObject();
        }
        w.endArray();
    }
    if (!c->weekPlans().isEmpty()) {
        w.beginArray("weeks");
        for (const QPointer<ZUWeekPlan> &week : c->weekPlans()) {
            if (!week)
                continue;
            w.beginObject();
            writeNameAndId(week);
            writeWeekDays(week);
            writeKept(week->keptMembers());
            w.endObject();
        }
        w.endArray();
    }
    if (!c->extraPeriods().isEmpty()) {
        w.beginArray("extraPeriods");
        for (const QPointer<ZUExtraPeriod> &period : c->extraPeriods()) {
            if (!period)
                continue;
            w.beginObject();
            writeNameAndId(period);
            w.writeValue("start", period->start().toVariant());
            w.writeValue("stop", period->stop().toVariant());
            writeReference("week", period->week());
            writeKept(period->keptMembers());
            w.endObject();
        }
        w.endArray();
    }
    if (!c->extraDays().isEmpty()) {
        w.beginArray("extraDays");
        for (const QPointer<ZUExtraDay> &day : c->extraDays()) {
            if (!day)
                continue;
            w.beginObject();
            writeNameAndId(day);
            w.writeValue("date", day->date().toVariant());
            writeReference("day", day->dayPlan());
            writeKept(day->keptMembers());
            w.endObject();
        }
        w.endArray();
    }
    writeSectionKept("scheduler");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeWeekDays(ZUWeekPlan *week)
{
    auto hasDay = [week](int day) {
        return week->contains(Qt::DayOfWeek(day));
    };
    if (week->isEmpty())
        return;
    // A day that is not in the week takes the entry of the nearest earlier day
    // that is, counting backwards around the week. Every day keeps its place: a
    // day whose plan is gone or has no id is written as null, so that the days
    // after it do not move.
    QPointer<ZUDayPlan> last;
    bool found = false;
    w.beginArray("days", true);
    for (int day = 1; day <= 7; ++day) {
        if (hasDay(day)) {
            last = week->value(Qt::DayOfWeek(day));
            found = true;
        } else if (!found) {
            for (int back = 1; back <= 6 && !found; ++back) {
                const int earlier = (day - 1 - back + 7) % 7 + 1;
                found = hasDay(earlier);
                last = week->value(Qt::DayOfWeek(earlier));
            }
        }
        writeReferenceItem(last, true);
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writeControlSources()
{
    if (c->controlSources().isEmpty())
        return;
    w.beginArray("controlSources");
    for (const QPointer<ZUControlSource> &source : c->controlSources()) {
        if (!source)
            continue;
        w.beginObject();
        writeEnum<zu::CsType>("type", source->type());
        w.writeValue("id", source->id());
        w.writeValue("priority", source->priority());
        w.writeValue("timeout", source->timeout());
        writeKept(source->keptMembers());
        w.endObject();
    }
    w.endArray();
}

void ZUConfigurationWriter::Private::writeKmp()
{
    ZUKMP1 *kmp = c->kmp1();
    w.beginObject("KMP1");
    if (!kmp->devices().isEmpty()) {
        w.beginArray("devices");
        for (const QPointer<ZUKMPDevice> &device : kmp->devices()) {
            w.beginObject();
            writeEnum<zu::KMPDevice::Type>("device", device->device());
            w.writeValue("addr", device->addr());
            writeEnum<zu::KMPDevice::SubType>("type", device->type());
            writeEnum<zu::KMPDevPort::Value>("port", device->port());
            writeKept(device->keptMembers());
            w.endObject();
        }
        w.endArray();
        w.writeValue("auto", kmp->autoDetect());
    }
    writeSectionKept("KMP1");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeSwitches()
{
    if (c->switches().isEmpty())
        return;
    const QPointer<ZUSwitch> defaults = c->switchDefaults();
    const bool withDefaults = defaults && defaults->hasValues();
    w.beginObject("switches");
    if (withDefaults) {
        w.beginObject("default");
        writeEnum<zu::Switch>("type", defaults->type());
        writeFlag("control", defaults->control());
        w.writeValue("lowCurrent", defaults->lowCurrent());
        w.writeValue("upCurrent", defaults->upCurrent());
        w.writeValue("minCurrent", defaults->minCurrent());
        writeKept(defaults->keptMembers());
        w.endObject();
    }
    // Values equal to the defaults are left out: the switch takes them anyway.
    auto own = [&defaults, withDefaults](const ZUSwitch *sw, int (ZUSwitch::*value)() const) {
        const int v = (sw->*value)();
        return withDefaults && v == (defaults.data()->*value)() ? zu::NotSet : v;
    };
    w.beginArray("items");
    for (const QPointer<ZUSwitch> &sw : c->switches()) {
        if (!sw)
            continue;
        w.beginObject(nullptr, true);
        writeNameAndId(sw);
        writeEnum<zu::Switch>("type", own(sw, &ZUSwitch::type));
        writeReference("signalGroup", sw->signalGroup());
        w.writeValue("addr", sw->addr());
        writeEnum<zu::Color::Value>("color", sw->color());
        w.writeValue("heads", sw->heads());
        // Always written when on: an absent control reads back as off.
        writeFlag("control", sw->control());
        w.writeValue("lowCurrent", own(sw, &ZUSwitch::lowCurrent));
        w.writeValue("upCurrent", own(sw, &ZUSwitch::upCurrent));
        w.writeValue("minCurrent", own(sw, &ZUSwitch::minCurrent));
        writeKept(sw->keptMembers());
        w.endObject();
    }
    w.endArray();
    writeSectionKept("switches");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeCountdownBoards()
{
    ZUCountdownBoards *boards = c->countdownBoards();
    // A protocol without boards yet is written with an empty list, which reads back
    // as it stands: the boards are in use, and their KTV1 device has its block.
    if (boards->protocol() == zu::NotSet)
        return;
    w.beginObject("countdownBoards");
    writeEnum<zu::CountdownBoardProtocol>("protocol", boards->protocol());
    w.writeValue("warnTime", boards->warnTime());
    w.beginArray("items");
    for (const ZUCountdownBoards::Board &board : boards->boards()) {
        w.beginObject(nullptr, true);
        writeReference("id", board.group);
        w.writeValue("addr", board.addr);
        w.writeValue("boards", board.boards);
        if (board.warnTime != boards->warnTime())
            w.writeValue("warnTime", board.warnTime);
        writeKept(board.kept);
        w.endObject();
    }
    w.endArray();
    writeSectionKept("countdownBoards");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeInputsOutputs()
{
    const QList<QPointer<ZUDIO>> dios = c->dios();
    // A module in use is written also before its channels are, with an empty
    // list, so that it and its KMP device read back together.
    auto written = [](ZUDIO *dio) {
        return dio && dio->type() != zu::NotSet;
    };
    if (std::none_of(dios.cbegin(), dios.cend(),
                     [&written](const QPointer<ZUDIO> &dio) { return written(dio); }))
        return;
    w.beginObject("inputsOutputs");
    for (int i = 0; i < dios.size(); ++i) {
        ZUDIO *dio = dios.at(i);
        if (!written(dio))
            continue;
        const QByteArray key = "DIO" + QByteArray::number(i + 1);
        w.beginObject(key.constData());
        writeEnum<zu::DIO::Type>("type", dio->type());
        writeEnum<zu::Polarity>("common", dio->common());
        // Only network modules have an address.
        if ((dio->type() == zu::DIO::traficam || dio->type() == zu::DIO::sitilog)
            && !dio->ip().isEmpty() && dio->port() != 0) {
            w.writeValue("IP", dio->ip());
            w.writeValue("port", int(dio->port()));
        }
        w.beginArray("channels");
        for (const ZUDIO::Channel &channel : dio->channels()) {
            w.beginObject();
            w.writeValue("channel", channel.channel);
            writeEnum<zu::ChannelType>("type", channel.type);
            writeEnum<zu::Polarity>("common", channel.common);
            writeReference("detector", channel.detector);
            writeKept(channel.kept);
            w.endObject();
        }
        w.endArray();
        writeSectionKept(QByteArray("inputsOutputs/" + key).constData());
        w.endObject();
    }
    writeSectionKept("inputsOutputs");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeRemoteControlPanel()
{
    ZUVPU *vpu = c->vpu();
    if (vpu->type() == zu::NotSet)
        return;
    w.beginObject("remoteControlPanel");
    w.beginObject("VPU1");
    writeEnum<zu::VPUType>("type", vpu->type());
    writeReference("sourceId", vpu->source());
    w.writeValue("priority", vpu->priority());
    writeFlag("idleInd", vpu->idleInd());
    writeEnum<zu::Polarity>("common", vpu->common());
    if (!vpu->stages().isEmpty()) {
        // One entry per button: a button whose stage is gone keeps its place as null.
        w.beginArray("stageId", true);
        for (const QPointer<ZUStage> &stage : vpu->stages())
            writeReferenceItem(stage, true);
        w.endArray();
    }
    writeSectionKept("remoteControlPanel/VPU1");
    w.endObject();
    writeSectionKept("remoteControlPanel");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeRecovery()
{
    const ZURecoveryParameters *recovery = c->recoveryParameters();
    if (!recovery->hasValues())
        return;
    w.beginObject("recovery");
    w.writeValue("defectSwitchRate", recovery->defectSwitchRate());
    w.writeValue("confidenceInterval", recovery->confidenceInterval());
    if (recovery->hasErrors()) {
        w.beginObject("errors");
        const QStringList keys = ZURecoveryParameters::errorKeys();
        for (int i = 0; i < keys.size(); ++i)
            writeRecoveryError(recovery->errors()[size_t(i)], keys.at(i).toLatin1().constData());
        writeSectionKept("recovery/errors");
        w.endObject();
    }
    writeSectionKept("recovery");
    w.endObject();
}

void ZUConfigurationWriter::Private::writeRecoveryError(
    const ZURecoveryParameters::ErrorRecovery &record, const char *key)
{
    if (!record.inUse())
        return;
    w.beginObject(key, true);
    w.writeValue("attempts", record.attempts);
    w.writeValue("interval", record.interval);
    w.writeValue("filter", record.filter);
    writeSectionKept(QByteArray(QByteArray("recovery/errors/") + key).constData());
    w.endObject();
}

ZUConfigurationWriter::ZUConfigurationWriter(ZUConfiguration *configuration)
    : d(new Private(configuration))
{
}

ZUConfigurationWriter::~ZUConfigurationWriter() = default;

QByteArray ZUConfigurationWriter::write()
{
    d->writeRoot();
    return d->w.data();
}
