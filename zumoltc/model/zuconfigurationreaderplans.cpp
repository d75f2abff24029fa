#include "zuconfigurationreaderprivate.h"

bool ZUConfigurationReader::Private::readPlans(QString *error)
{
    return forEachItem("plans", [this, error](const JsonValue &item) {
        Pending<ZUSignalPlan> plan(new ZUSignalPlan);
        plan->setId(reader.readInt("id"));
        plan->setName(reader.readString("name"));
        if (!inObject("algorithm",
                      [this, &plan, error] { return readPlanAlgorithm(plan.get(), error); }))
            return false;
        keep(plan->keptMembers(), item);
        c->addSignalPlan(plan.release());
        return true;
    });
}

bool ZUConfigurationReader::Private::readPlanAlgorithm(ZUSignalPlan *plan, QString *error)
{
    plan->setType(reader.readEnum<zu::PlanType>("type"));
    plan->setMode(reader.readEnum<zu::SpecialMode>("mode"));
    plan->setCoordinated(reader.readBool("coordinated"));
    plan->setCycle(reader.readInt("cycle"));
    plan->setOffset(reader.readInt("offset"));

    // Everything is read whatever the type; what the type does not use is kept
    // with a warning.
    readSequences(plan);
    warnInvalidForType(plan, !plan->sequences().isEmpty(), zu::Timeline, "sequences");
    if (!readPhases(plan, error))
        return false;
    warnInvalidForType(plan, !plan->phases().isEmpty(), zu::StageRing, "phases");
    const PhaseIndex phases(plan->phases());
    readPlanDetectors(plan, phases);
    warnInvalidForType(plan, !plan->detectors().isEmpty(), zu::StageRing, "detectors");
    readPhaseSequence(plan, phases);
    keep(plan->keptMembers(), reader.context(), "algorithm");
    return true;
}

void ZUConfigurationReader::Private::warnInvalidForType(ZUSignalPlan *plan, bool present,
                                                        int validType, const char *key)
{
    // The warning points at the data concerned; it stays in the plan.
    if (present && plan->type() != validType)
        reader.addWarning(tr("'%1' attribute is not valid for algorithm type '%2'")
                              .arg(QLatin1String(key), enumKey<zu::PlanType>(plan->type())),
                          reader.context().member(key));
}

void ZUConfigurationReader::Private::readSequences(ZUSignalPlan *plan)
{
    forEachItem("sequences", [this, plan](const JsonValue &element) {
        const QPointer<ZUSignalGroup> group
            = readReference("group", signalGroupLookup(), false, true);
        if (!group)
            return true;
        QMap<int, zu::TimelineState> sequence;
        KeptMembers kept;
        int previous = 0;
        forEachItem("sequence", [this, &sequence, &kept, &previous](const JsonValue &record) {
            // A record sits at its point, or at a span after the previous record.
            // Spans add up in 64 bits: a point beyond the int range is refused.
            int point = 0;
            if (reader.isInteger("point")) {
                point = reader.current().toInt();
            } else if (reader.isInteger("span")) {
                const qint64 sum = qint64(previous) + reader.current().toInt();
                if (sum < std::numeric_limits<int>::min()
                    || sum > std::numeric_limits<int>::max()) {
                    reader.addWarning(
                        tr("'span' attribute puts the record at %1, out of range. Record ignored")
                            .arg(sum),
                        reader.current());
                    return true;
                }
                point = int(sum);
            } else {
                reader.addWarning(tr("'sequence' record not contains 'point' nor 'span' "
                                     "attributes. Record ignored"),
                                  JsonValue());
                return true;
            }
            sequence.insert(point, zu::TimelineState(reader.readEnum<zu::TimelineState>("state")));
            reader.markKnown({ "span" }); // a point makes it void
            const QVector<JsonRawMember> members = record.unaskedMembers();
            if (!members.isEmpty() || !kept.isEmpty())
                kept.setMembers(QByteArray::number(point).constData(), members);
            previous = point;
            return true;
        });
        plan->setGroupSequence(group, sequence);
        keep(kept, element);
        if (!kept.isEmpty()) {
            for (ZUSignalPlan::Sequence &entry : plan->sequences()) {
                if (entry.group == group)
                    entry.kept = kept;
            }
        }
        return true;
    });
}

bool ZUConfigurationReader::Private::readPhases(ZUSignalPlan *plan, QString *error)
{
    const JsonValue phases = reader.readArray("phases");
    // Each element with the phase it made: the second pass reads more of it.
    QVector<QPair<JsonValue, QPointer<ZUSignalPlanPhase>>> made;
    const bool ok = forEachItem(phases, [this, plan, error, &made](const JsonValue &element) {
        const QPointer<ZUStage> stage = readReference("stage", stageLookup());
        if (!stage)
            return true;
        const int id = reader.readInt("id");
        const int maxGreen = reader.readInt("maxGreen");
        const int minGreen = reader.readInt("minGreen");
        const int recall = reader.readEnum<zu::Recall>("recall");
        const QPointer<ZUSignalPlanPhase> phase
            = plan->addPhase(id, stage, maxGreen, minGreen, recall);
        if (!phase) {
            if (error)
                *error = tr("Internal error: ZUSignalPlan::addPhase return NULL");
            return false;
        }
        phase->setPassage(reader.readInt("passage"));
        phase->setCountdownBoard(reader.readEnum<zu::CountdownBoard>("countdownBoard"));
        made.append({ element, phase });
        return true;
    });
    if (!ok)
        return false;
    // A call may name any phase of the plan, also one further down the list.
    const PhaseIndex index(plan->phases());
    auto phaseLookup = [&index](const JsonValue &key) {
        return index.find(key);
    };
    forEachItem(phases, [this, &index, phaseLookup](const JsonValue &element) {
        // The id as the first pass took it: a phase without a valid id was made
        // with the not-set id, and its call must be found for it too.
        const JsonValue id = element.member("id");
        const int phaseId = id.type() == JsonValue::Integer ? id.toInt() : zu::NotSet;
        if (const QPointer<ZUSignalPlanPhase> phase = index.find(phaseId))
            phase->setCall(readReference("call", phaseLookup));
        return true;
    });
    for (const auto &entry : qAsConst(made))
        keep(entry.second->keptMembers(), entry.first);
    return true;
}

void ZUConfigurationReader::Private::readPlanDetectors(ZUSignalPlan *plan, const PhaseIndex &phases)
{
    auto phaseLookup = [&phases](const JsonValue &key) {
        return phases.find(key);
    };
    forEachItem("detectors", [this, plan, phaseLookup](const JsonValue &item) {
        ZUSignalPlan::DetectorControl record;
        record.phase = readReference("phase", phaseLookup);
        record.call = readReference("call", phaseLookup, true);
        record.redirect = readReference("redirect", phaseLookup, true);
        record.control = reader.readBool("control");
        record.detector = readReference("detector", detectorLookup());
        record.indicator = readReference("indicator", detectorLookup());
        keep(record.kept, item);
        plan->addDetector(record);
        return true;
    });
}

void ZUConfigurationReader::Private::readPhaseSequence(ZUSignalPlan *plan, const PhaseIndex &phases)
{
    QList<QPointer<ZUSignalPlanPhase>> ordered;
    const JsonValue sequence = reader.readArray("sequence");
    for (const JsonValue &item : sequence) {
        // Phases have no name: only a number matches.
        const QPointer<ZUSignalPlanPhase> phase = phases.find(item);
        if (phase)
            ordered.append(phase);
        else
            reader.addWarning(
                tr("phase %1 not found").arg(Utf8::quoted(item.toVariant().toString())), sequence);
    }
    if (!ordered.isEmpty())
        plan->setPhases(ordered);
}
