#include "zu_moltconfig.h"
#include "zu_moltconfigreaderprivate.h"
#include "zu_moltformat.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfinterstate.h"
#include "cnfjsonparser.h"
#include "cnfjsonread.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftreeschema.h"
#include "cnfweekcard.h"

#include <QSet>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>
#include <limits>

using namespace ZuMoltFormat;

void ZuMoltConfigReader::readSignalGroups(const CnfJsonValue &root)
{
    const CnfJsonValue &groups = r.object(root, QStringLiteral("signalGroups"));
    QStringList known = sgTimes();
    const CnfJsonValue &defaults = r.object(groups, QStringLiteral("default"));
    if (!defaults.isUndefined()) {
        auto group = CnfSignalGroupPtr::create();
        setProperties(*group, defaults, known, readTimes(*group, defaults));
        c.setDefaulSignalGroup(group);
    }
    known << QStringLiteral("name") << QStringLiteral("id") << QStringLiteral("type");
    eachObject(r.array(groups, QStringLiteral("items")), tr("a signal group"),
               [&](const CnfJsonValue &item) {
                   auto group = CnfSignalGroupPtr::create();
                   if (!id(item, tr("signal group"), &group->id))
                       return;
                   group->name = name(item);
                   const int type = enumValue(item, QStringLiteral("type"), sgTypeKeys());
                   group->setType(type < 0 ? CnfSignalGroup::Traffic : type);
                   // Left out (or unreadable), it stays out while the group is of the default type.
                   if (type < 0)
                       group->unsetMembers.append(QStringLiteral("type"));
                   setProperties(*group, item, known, readTimes(*group, item));
                   if (r.ok() && !c.addSignalGroup(group))
                       warn(item, c.lastError());
               });
}

QStringList ZuMoltConfigReader::readTimes(CnfSignalGroup &group, const CnfJsonValue &item)
{
    QStringList nulls;
    for (const QString &key : sgTimes()) {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined())
            continue;
        if (value.type() == CnfJsonValue::Null) {
            nulls.append(key);
            continue;
        }
        if (value.type() != CnfJsonValue::Integer) {
            warn(value, tr("'%1' attribute has invalid type").arg(key));
            continue;
        }
        group.setProperty(key.toLatin1().constData(),
                          r.integerValue(value, QStringLiteral("'%1'").arg(key)));
    }
    return nulls;
}

void ZuMoltConfigReader::readStages(const CnfJsonValue &root)
{
    static const QStringList known
        = { QStringLiteral("name"),     QStringLiteral("id"),       QStringLiteral("groups"),
            QStringLiteral("minGreen"), QStringLiteral("maxGreen"), QStringLiteral("minTime"),
            QStringLiteral("maxTime") };
    eachObject(
        r.array(root, QStringLiteral("stages")), tr("a stage"), [&](const CnfJsonValue &item) {
            int number = 0;
            if (!id(item, tr("stage"), &number))
                return;
            auto phase = CnfPhasePtr::create();
            phase->id = QString::number(number);
            phase->name = name(item);
            for (const CnfJsonValue &group : r.array(item, QStringLiteral("groups")).items()) {
                CnfJsonValue holder(CnfJsonValue::Object);
                holder.insert(QStringLiteral("group"), group);
                if (const CnfSignalGroupPtr found = groupRef(holder, QStringLiteral("group")))
                    phase->signalGroups.append(found);
            }
            const QString minKey
                = item.member(QStringLiteral("minGreen")).type() == CnfJsonValue::Integer
                ? QStringLiteral("minGreen")
                : QStringLiteral("minTime");
            const QString maxKey
                = item.member(QStringLiteral("maxGreen")).type() == CnfJsonValue::Integer
                ? QStringLiteral("maxGreen")
                : QStringLiteral("maxTime");
            phase->minTime = r.integer(item, minKey, -1, -1);
            phase->maxTime = r.integer(item, maxKey, -1, -1);
            stash(QLatin1String(stagesKind), phase->id, leftover(item, known));
            if (r.ok() && !c.addPhase(phase))
                warn(item, c.lastError());
        });
}

void ZuMoltConfigReader::readMatrices(const CnfJsonValue &root)
{
    const CnfJsonValue &igm = r.array(root, QStringLiteral("IGM"));
    if (igm.isUndefined())
        return;
    auto matrix = CnfMatrixPtr::create();
    eachObject(igm, tr("a matrix"), [&](const CnfJsonValue &item) {
        if (item.contains(QStringLiteral("id"))) {
            matrix->setId(r.integer(item, QStringLiteral("id"), 1));
        } else {
            matrix->unsetMembers.append(QStringLiteral("id"));
            matrix->unsetId = matrix->id();
        }
        if (item.contains(QStringLiteral("name")))
            matrix->setName(name(item));
        stash(QLatin1String(conflictMatrixKind), QString::number(matrix->id()),
              leftover(item,
                       { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("items"),
                         QStringLiteral("matrix") }));
        const CnfJsonValue &table = item.member(QStringLiteral("matrix"));
        if (table.type() == CnfJsonValue::Array) {
            const QList<CnfSignalGroupPtr> groups = c.signalGroups();
            if (table.size() != groups.size()) {
                warn(table,
                     tr("'matrix' has %1 rows for %2 signal groups")
                         .arg(table.size())
                         .arg(groups.size()));
                return;
            }
            for (int row = 0; row < table.size(); ++row) {
                const CnfJsonValue &cells = table.at(row);
                if (cells.type() != CnfJsonValue::Array || cells.size() != groups.size()) {
                    warn(cells,
                         tr("row %1 of 'matrix' is not an array of %2 numbers")
                             .arg(row + 1)
                             .arg(groups.size()));
                    return;
                }
                for (int column = 0; column < cells.size(); ++column) {
                    if (!cells.at(column).isNumber())
                        continue;
                    matrix->setReleaf(groups.at(row), groups.at(column),
                                      std::trunc(cells.at(column).scalar().toDouble()));
                    stash(QLatin1String(conflictPointsKind),
                          conflictPointId(groups.at(row)->id, groups.at(column)->id), QVariantMap(),
                          true);
                }
            }
            return;
        }
        const CnfJsonValue &items = item.member(QStringLiteral("items"));
        if (items.type() != CnfJsonValue::Array) {
            warn(item, tr("Matrix not contains conflict points"));
            return;
        }
        eachObject(items, tr("a conflict point"), [&](const CnfJsonValue &point) {
            const CnfSignalGroupPtr clearing = groupRef(point, QStringLiteral("clearing"));
            const CnfSignalGroupPtr entering = groupRef(point, QStringLiteral("entering"));
            const CnfJsonValue &time = point.member(QStringLiteral("time"));
            if (!clearing || !entering)
                return;
            const double value = time.isNumber() ? time.scalar().toDouble() : double(notSetTime);
            matrix->appendReleaf(clearing->id, entering->id, value);
            matrix->setReleaf(clearing, entering, value);
            stash(QLatin1String(conflictPointsKind), conflictPointId(clearing->id, entering->id),
                  leftover(point,
                           { QStringLiteral("clearing"), QStringLiteral("entering"),
                             QStringLiteral("time") }),
                  true);
        });
    });
    if (r.ok())
        c.addMatrix(matrix, true, true);
}

void ZuMoltConfigReader::readExtraMatrices(const CnfJsonValue &root)
{
    const CnfJsonValue &list = r.array(root, QLatin1String(extraMatricesKey));
    const QSet<qlonglong> fileIds = numbersOf(list, QStringLiteral("id"));
    const auto taken = [this](int id) {
        return bool(c.findMatrix(id));
    };
    eachObject(list, tr("a matrix"), [&](const CnfJsonValue &item) {
        auto matrix = CnfMatrixPtr::create();
        QVariantMap kept = leftover(
            item, { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("cells") });
        if (!item.contains(QStringLiteral("id"))) {
            // Not set: listed under a free id and written without one again.
            matrix->setId(listedNumber(1, fileIds, taken));
            matrix->unsetMembers.append(QStringLiteral("id"));
            matrix->unsetId = matrix->id();
        } else {
            const int fileId = r.integer(item, QStringLiteral("id"), 1);
            matrix->setId(fileId);
            if (c.findMatrix(fileId)) {
                matrix->setId(listedNumber(1, fileIds, taken));
                kept.insert(QStringLiteral("id"), fileId);
            }
        }
        stash(QLatin1String(extraMatricesKind), QString::number(matrix->id()), kept);
        if (!item.contains(QStringLiteral("name")))
            matrix->unsetMembers.append(QStringLiteral("name"));
        matrix->setName(name(item));
        for (const CnfJsonValue &cell : r.array(item, QStringLiteral("cells")).items()) {
            if (cell.type() != CnfJsonValue::Array || cell.size() != 3 || !cell.at(2).isNumber()) {
                r.fail(cell, tr("a matrix cell must be [group, group, value]"));
                return;
            }
            matrix->appendReleaf(r.integerValue(cell.at(0), tr("a signal group of a cell")),
                                 r.integerValue(cell.at(1), tr("a signal group of a cell")),
                                 cell.at(2).scalar().toDouble());
        }
        if (r.ok() && !c.addMatrix(matrix, false, false))
            warn(item, c.lastError());
    });
}

void ZuMoltConfigReader::readPlans(const CnfJsonValue &root)
{
    eachObject(r.array(root, QStringLiteral("plans")), tr("a plan"), [&](const CnfJsonValue &item) {
        int number = 0;
        if (!id(item, tr("plan"), &number))
            return;
        auto program = CnfProgramPtr::create(&c);
        program->id = QString::number(number);
        program->name = name(item);
        setProperties(
            *program, item,
            { QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("algorithm") });
        const CnfJsonValue &algorithm = item.member(QStringLiteral("algorithm"));
        if (algorithm.type() == CnfJsonValue::Object)
            readAlgorithm(*program, algorithm);
        else
            program->type = 0;
        if (r.ok() && !c.addProgram(program))
            warn(item, c.lastError());
    });
}

void ZuMoltConfigReader::readAlgorithm(CnfProgram &program, const CnfJsonValue &algorithm)
{
    QStringList known
        = { QStringLiteral("type"),      QStringLiteral("coordinated"), QStringLiteral("cycle"),
            QStringLiteral("offset"),    QStringLiteral("sequences"),   QStringLiteral("phases"),
            QStringLiteral("detectors"), QStringLiteral("sequence"),    QStringLiteral("mode") };
    const QString type = algorithm.member(QStringLiteral("type")).scalar().toString();
    const QString mode = algorithm.member(QStringLiteral("mode")).scalar().toString();
    const bool coordinated = r.boolean(algorithm, QStringLiteral("coordinated"), false);
    if (type == QLatin1String("Timeline")) {
        program.type = coordinated ? CnfProgram::CoordinatedTimeline : CnfProgram::Timeline;
    } else if (type == QLatin1String("StageRing")) {
        program.type = CnfProgram::Stagering;
        if (coordinated)
            program.setProperty("coordinated", true);
    } else if (type == QLatin1String("Special") && mode == QLatin1String("AB")) {
        program.type = CnfProgram::YellowFlash;
    } else if (type == QLatin1String("Special") && mode == QLatin1String("OFF")) {
        program.type = CnfProgram::Dark;
    } else {
        // Kept as they stand, so that the plan is written back unchanged.
        program.type = 0;
        known.removeOne(QStringLiteral("type"));
        known.removeOne(QStringLiteral("mode"));
        known.removeOne(QStringLiteral("coordinated"));
    }
    if (type == QLatin1String("Timeline") || type == QLatin1String("StageRing"))
        known.removeOne(QStringLiteral("mode"));
    program.cycleLength = r.integer(algorithm, QStringLiteral("cycle"), 0);
    // "cycle": 0 is the value the writer otherwise leaves out: a plan that sets it keeps it.
    if (algorithm.contains(QStringLiteral("cycle")) && program.cycleLength == 0)
        program.defaultMembers.append(QStringLiteral("cycle"));
    program.setCycleOffset(r.integer(algorithm, QStringLiteral("offset"), -1));

    // Timelines.
    for (const CnfJsonValue &entry : r.array(algorithm, QStringLiteral("sequences")).items()) {
        if (!r.isType(entry, CnfJsonValue::Object, tr("an item of 'sequences'")))
            return;
        const CnfSignalGroupPtr group = groupRef(entry, QStringLiteral("group"));
        if (!group)
            continue;
        stash(QLatin1String(sequencesKind), sequenceId(program.id, group->id),
              leftover(entry, { QStringLiteral("group"), QStringLiteral("sequence") }));
        int previous = 0;
        for (const CnfJsonValue &record : r.array(entry, QStringLiteral("sequence")).items()) {
            if (!r.isType(record, CnfJsonValue::Object, tr("a 'sequence' record")))
                return;
            const CnfJsonValue &point = record.member(QStringLiteral("point"));
            const CnfJsonValue &span = record.member(QStringLiteral("span"));
            int at = 0;
            if (point.type() == CnfJsonValue::Integer) {
                at = r.integerValue(point, QStringLiteral("'point'"));
            } else if (span.type() == CnfJsonValue::Integer) {
                // Spans add up in 64 bits: a point beyond the int range is an error.
                const qint64 sum = qint64(previous) + span.scalar().toLongLong();
                if (sum < std::numeric_limits<int>::min()
                    || sum > std::numeric_limits<int>::max()) {
                    r.fail(span,
                           tr("'span' puts the record at %1, out of the range %2 to %3")
                               .arg(sum)
                               .arg(std::numeric_limits<int>::min())
                               .arg(std::numeric_limits<int>::max()));
                    return;
                }
                at = int(sum);
            } else {
                warn(record,
                     tr("'sequence' record not contains 'point' nor 'span' attributes. Record "
                        "ignored"));
                continue;
            }
            previous = at;
            const QString stateKey = record.member(QStringLiteral("state")).scalar().toString();
            int state = lookup(timelineStates(), stateKey);
            if (state < 0)
                state = CnfSignalGroup::string2ColorState(stateKey);
            if (state < 0) {
                warn(record,
                     tr("'state' attribute has invalid value %1; record ignored")
                         .arg(CnfJsonParser::quoted(stateKey)));
                continue;
            }
            program.appendTimelineData(group->id, at, state);
            stash(QLatin1String(sequenceRecordsKind), sequenceRecordId(program.id, group->id, at),
                  leftover(
                      record,
                      { QStringLiteral("state"), QStringLiteral("point"), QStringLiteral("span") }),
                  true);
        }
    }

    // Stage-ring phases become the program's steps, in 'sequence' order
    // when it names any of them. One rule names a phase everywhere in the
    // plan ('sequence', a phase's "call", the detector records): its own
    // "id", else its position in 'phases' from 1 where no phase has that
    // number as its own "id" (zumoltc names a phase by its "id" only, so the
    // "id" wins). A phase without "id" whose position is another's "id" is
    // named by nothing.
    struct Phase
    {
        qlonglong fileId;
        bool ownId;
        CnfJsonValue value;
        CnfPhasePtr stage;
        bool named;
    };
    const QSet<qlonglong> ownIds
        = numbersOf(algorithm.member(QStringLiteral("phases")), QStringLiteral("id"));
    QVector<Phase> phases;
    QVector<Phase> withoutStage;
    int position = 0;
    for (const CnfJsonValue &phase : r.array(algorithm, QStringLiteral("phases")).items()) {
        if (!r.isType(phase, CnfJsonValue::Object, tr("an item of 'phases'")))
            return;
        ++position;
        int own = 0;
        const bool ownId = idNumber(phase.member(QStringLiteral("id")), &own);
        // A phase whose stage is missing or unknown is not part of the plan.
        const CnfPhasePtr stage = stageOf(phase.member(QStringLiteral("stage")));
        (stage ? phases : withoutStage)
            .append({ ownId ? own : position, ownId, phase, stage,
                      ownId || !ownIds.contains(position) });
    }
    // The first phase of an id, as a scan would find it, without a scan per entry.
    QHash<qlonglong, int> phaseOfId;
    for (int i = phases.size() - 1; i >= 0; --i) {
        if (phases.at(i).named)
            phaseOfId.insert(phases.at(i).fileId, i);
    }
    const CnfJsonValue &sequence = r.array(algorithm, QStringLiteral("sequence"));
    QVector<int> ordered; // places in `phases`
    for (const CnfJsonValue &entry : sequence.items()) {
        const int found = entry.type() == CnfJsonValue::Integer
            ? phaseOfId.value(entry.scalar().toLongLong(), -1)
            : -1;
        if (found >= 0)
            ordered.append(found);
        else
            warn(entry,
                 tr("phase %1 not found").arg(CnfJsonParser::quoted(entry.scalar().toString())));
    }
    if (ordered.isEmpty()) {
        for (int i = 0; i < phases.size(); ++i)
            ordered.append(i);
    }
    // A 'sequence' that names no phase runs them in their order: the writer
    // writes it so again while a phase is counted by its position.
    if (sequence.size() == 0 && !phases.isEmpty())
        program.defaultMembers.append(QStringLiteral("sequence"));
    QSet<int> runs; // places in `phases`
    QSet<qlonglong> placed; // the numbers that name them
    for (int index : qAsConst(ordered)) {
        const Phase &phase = phases.at(index);
        const CnfPhaseDefPtr step = program.appendPhase(phase.stage, 0);
        if (!phase.value.contains(QStringLiteral("id")))
            step->unsetMembers.append(QStringLiteral("id"));
        // A step without an "id" property has the id of its position. A phase
        // that 'sequence' runs again is a step of its own, a copy under an id
        // that nothing in the file names.
        const bool again = runs.contains(index);
        if (again)
            warn(phase.value,
                 tr("phase %1 stands in the 'sequence' of plan %2 more than once; each further "
                    "run is a copy of it with an id of its own")
                     .arg(phase.fileId)
                     .arg(program.id));
        runs.insert(index);
        if (phase.named)
            placed.insert(phase.fileId);
        const bool atItsPosition = phase.named && phase.fileId == program.phaseCount();
        setProperties(*step, phase.value,
                      again || atItsPosition
                          ? QStringList { QStringLiteral("stage"), QStringLiteral("id") }
                          : QStringList { QStringLiteral("stage") });
        // Counted by its position in the file but standing elsewhere in the
        // plan: it keeps the id it had, as its own. One named by nothing
        // takes an id that no other step has (ZuMoltFormat::stepIds).
        if (!again && !atItsPosition && phase.named && !phase.ownId)
            step->setProperty("id", int(phase.fileId));
    }
    const CnfJsonValue &detectors = algorithm.member(QStringLiteral("detectors"));
    if (!detectors.isUndefined())
        program.setProperty("detectors", detectors.toVariant());
    // A phase without a stage of the file goes as a stage's Delete takes it,
    // and so does one that 'sequence' does not run: nothing in the plan is
    // left naming it (unless a phase that stays has its id).
    QSet<int> forgotten;
    const auto leaveOut = [&](const Phase &phase, const QString &why) {
        if (!phase.named) {
            warn(phase.value,
                 tr("the phase at position %1 of plan %2 is left out: %3 (another phase has %1 "
                    "as its 'id', so nothing names this one)")
                     .arg(QString::number(phase.fileId), program.id, why));
            return;
        }
        warn(phase.value,
             tr("phase %1 of plan %2 is left out, with the calls and detector records that name "
                "it: %3")
                 .arg(QString::number(phase.fileId), program.id, why));
        if (!placed.contains(phase.fileId)) {
            ZuMoltFormat::forgetStep(program, int(phase.fileId));
            forgotten.insert(int(phase.fileId));
        }
    };
    for (const Phase &phase : qAsConst(withoutStage)) {
        const CnfJsonValue &stage = phase.value.member(QStringLiteral("stage"));
        leaveOut(phase,
                 stage.isUndefined() || stage.type() == CnfJsonValue::Null
                     ? tr("it has no 'stage'")
                     : tr("'stage' refers to no stage %1")
                           .arg(CnfJsonParser::quoted(stage.scalar().toString())));
    }
    for (int index = 0; index < phases.size(); ++index) {
        if (!runs.contains(index))
            leaveOut(phases.at(index), tr("'sequence' does not run it"));
    }
    // Any other call or detector record that names no phase of the plan goes
    // too, as zumoltc reads none, before it could come to name a copy.
    const auto forgetUnknown = [&](const CnfJsonValue &item, const QString &key) {
        const CnfJsonValue &value = item.member(key);
        int number = 0;
        if (!idNumber(value, &number) || placed.contains(number) || forgotten.contains(number))
            return false;
        warn(value,
             tr("'%1' refers to no phase %2 of plan %3").arg(key).arg(number).arg(program.id));
        ZuMoltFormat::forgetStep(program, number);
        forgotten.insert(number);
        return true;
    };
    for (int index = 0; index < phases.size(); ++index) {
        if (runs.contains(index))
            forgetUnknown(phases.at(index).value, QStringLiteral("call"));
    }
    for (const CnfJsonValue &record : detectors.items()) {
        if (record.type() == CnfJsonValue::Object
            && !forgetUnknown(record, QStringLiteral("phase"))) {
            forgetUnknown(record, QStringLiteral("call"));
            forgetUnknown(record, QStringLiteral("redirect"));
        }
    }
    const QVariantMap rest = leftover(algorithm, known);
    if (!rest.isEmpty())
        program.setProperty("algorithm", rest);
}

void ZuMoltConfigReader::readScheduler(const CnfJsonValue &root)
{
    const CnfJsonValue &scheduler = r.object(root, QStringLiteral("scheduler"));
    eachObject(r.array(scheduler, QStringLiteral("days")), tr("a day plan"),
               [&](const CnfJsonValue &item) {
                   int number = 0;
                   if (!id(item, tr("day plan"), &number))
                       return;
                   auto card = CnfDayCardPtr::create();
                   card->id = QString::number(number);
                   card->name = name(item);
                   int position = 0;
                   eachObject(r.array(item, QStringLiteral("plans")), tr("a period"),
                              [&](const CnfJsonValue &period) {
                                  ++position;
                                  const QTime start = time(period, QStringLiteral("start"));
                                  const QTime stop = time(period, QStringLiteral("stop"));
                                  // The day plan keeps its periods by start; nothing
                                  // names a period.
                                  if (!start.isValid()) {
                                      warn(period,
                                           tr("period %1 of day plan %2 has no valid 'start'; "
                                              "it is left out")
                                               .arg(position)
                                               .arg(card->id));
                                      return;
                                  }
                                  card->addRecord(start, stop, periodPlan(period, "program"),
                                                  periodPlan(period, "spareProgram"), c);
                                  stash(QLatin1String(periodsKind), periodId(card->id, start),
                                        leftover(period,
                                                 { QStringLiteral("start"), QStringLiteral("stop"),
                                                   QStringLiteral("program"),
                                                   QStringLiteral("spareProgram") }),
                                        true);
                              });
                   stash(QLatin1String(dayPlansKind), card->id,
                         leftover(item,
                                  { QStringLiteral("name"), QStringLiteral("id"),
                                    QStringLiteral("plans") }));
                   if (r.ok() && !c.addDayCard(card))
                       warn(item, c.lastError());
               });
    eachObject(
        r.array(scheduler, QStringLiteral("weeks")), tr("a week plan"),
        [&](const CnfJsonValue &item) {
            int number = 0;
            if (!id(item, tr("week plan"), &number))
                return;
            auto card = CnfWeekCardPtr::create();
            card->id = QString::number(number);
            card->name = name(item);
            static const QStringList names
                = { QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                    QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                    QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                    QStringLiteral("Sunday") };
            // A day that names a day plan that is not listed stays without one
            // (it does not come to run another day's).
            const auto dayOf = [&](const CnfJsonValue &holder, const QString &key, int day) {
                card->days.insert(
                    day,
                    dayRef(holder, key,
                           tr("%1 of week plan %2 refers to no day plan %3; it stays without one")
                               .arg(names.at(day - 1), card->id)));
            };
            const CnfJsonValue &days = item.member(QStringLiteral("days"));
            if (days.type() == CnfJsonValue::Array) {
                if (days.size() != 7)
                    warn(days, tr("'days' array has invalid size %1. Must be 7").arg(days.size()));
                // A day given null has no day plan either; a day that the
                // array does not reach has no key, as zumoltc reads it.
                for (int day = 1; day <= 7 && day <= days.size(); ++day) {
                    CnfJsonValue holder(CnfJsonValue::Object);
                    holder.insert(QStringLiteral("day"), days.at(day - 1));
                    dayOf(holder, QStringLiteral("day"), day);
                }
            } else if (days.type() == CnfJsonValue::Object) {
                // A day left out or given null has no key, as zumoltc reads it.
                for (int day = 1; day <= 7; ++day) {
                    const CnfJsonValue &value = days.member(names.at(day - 1));
                    if (!value.isUndefined() && value.type() != CnfJsonValue::Null)
                        dayOf(days, names.at(day - 1), day);
                }
            } else {
                warn(item, tr("'days' attribute has invalid type"));
            }
            stash(
                QLatin1String(weekPlansKind), card->id,
                leftover(item,
                         { QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("days") }));
            if (r.ok() && !c.addWeekCard(card))
                warn(item, c.lastError());
        });
    int position = 0;
    eachObject(r.array(scheduler, QStringLiteral("extraPeriods")), tr("an extra period"),
               [&](const CnfJsonValue &item) {
                   auto plan = CnfSeasonPlanPtr::create();
                   plan->name = name(item);
                   plan->from = date(item, QStringLiteral("start"));
                   plan->to = date(item, QStringLiteral("stop"));
                   plan->weekCard = weekRef(item, QStringLiteral("week"));
                   // The file's id has no field in the plan: kept by position, unless
                   // it is the one the writer gives (the position from 1).
                   QVariantMap rest = leftover(item,
                                               { QStringLiteral("name"), QStringLiteral("start"),
                                                 QStringLiteral("stop"), QStringLiteral("week") });
                   if (rest.value(QStringLiteral("id")) == QVariant(position + 1))
                       rest.remove(QStringLiteral("id"));
                   stash(QLatin1String(extraPeriodsKind), QString::number(position++), rest);
                   if (r.ok())
                       c.addSeasonPlan(plan);
               });
    eachObject(r.array(scheduler, QStringLiteral("extraDays")), tr("an extra day"),
               [&](const CnfJsonValue &item) {
                   auto day = CnfSpecialDayPtr::create();
                   day->id = r.idText(item, QStringLiteral("id"));
                   day->name = name(item);
                   // The controller keeps an extra day under its date: one
                   // without goes (nothing names an extra day).
                   const QDate when = date(
                       item, QStringLiteral("date"),
                       tr("extra day %1 \"%2\" has no valid 'date'; it is left out")
                           .arg(CnfJsonParser::quoted(day->id), CnfJsonParser::quoted(day->name)));
                   if (!when.isValid())
                       return;
                   day->dayCard = dayRef(item, QStringLiteral("day"));
                   stash(QLatin1String(extraDaysKind), day->id,
                         leftover(item,
                                  { QStringLiteral("name"), QStringLiteral("id"),
                                    QStringLiteral("date"), QStringLiteral("day") }));
                   if (r.ok() && when.isValid())
                       c.addSpecialDay(when, day);
               });
    const CnfJsonValue &defaults = r.object(scheduler, QStringLiteral("default"));
    if (!defaults.isUndefined()) {
        c.setDefaultDayCard(dayRef(defaults, QStringLiteral("dayPlan")));
        c.setDefaultProgram(planRef(defaults, QStringLiteral("program")));
        c.setReserveProgram(planRef(defaults, QStringLiteral("spareProgram")));
        stash(QLatin1String(singleObjectsKind), QStringLiteral("scheduler/default"),
              leftover(defaults,
                       { QStringLiteral("dayPlan"), QStringLiteral("program"),
                         QStringLiteral("spareProgram") }));
    }
}

void ZuMoltConfigReader::readExtras(const CnfJsonValue &root)
{
    const CnfJsonValue &interstate = r.object(root, QLatin1String(interstateKey));
    if (!interstate.isUndefined()) {
        const auto flags
            = CnfInterstatePtr::create(r.integer(interstate, QStringLiteral("greenBlink"), 0),
                                       r.integer(interstate, QStringLiteral("yellow"), 0),
                                       r.integer(interstate, QStringLiteral("redYellow"), 0));
        for (const QString &key : { QStringLiteral("greenBlink"), QStringLiteral("yellow"),
                                    QStringLiteral("redYellow") }) {
            if (!interstate.contains(key))
                flags->unsetMembers.append(key);
        }
        c.setInterstate(flags);
        stash(QLatin1String(singleObjectsKind), QLatin1String(interstateKey),
              leftover(interstate,
                       { QStringLiteral("greenBlink"), QStringLiteral("yellow"),
                         QStringLiteral("redYellow") }));
    }
    const CnfJsonValue &props = r.object(root, QLatin1String(propertiesKey));
    setProperties(c, props, QStringList());
}

void ZuMoltConfigReader::readNative(const CnfJsonValue &root)
{
    const QVariantMap native = keptNative(root, extras);
    for (auto it = native.cbegin(); it != native.cend(); ++it)
        CnfTreeSchema::keepNative(c, it.key(), it.value());
}

bool ZU_MOLTConfig::fill(CnfController &controller, QString *error)
{
    controller.setProperty("type", QStringLiteral("ZU_MOLT"));
    controller.setProperty("version", QStringLiteral("1.0"));
    QStringList warnings;
    ZuMoltConfigReader reader(controller, warnings);
    CnfJsonRead &r = reader.r;
    const CnfJsonValue &id = root().member(QStringLiteral("id"));
    if (id.isUndefined()) {
        // The controller goes without a number; the line says which one.
        reader.warn(
            root(),
            tr("Attribute '%1' not defined for %2")
                .arg(QStringLiteral("id"), ZuMoltConfigReader::named(root(), tr("controller"))));
    } else {
        controller.setProperty("number", r.integerValue(id, QStringLiteral("'id'")));
    }
    const QString description = r.text(root(), QStringLiteral("description"));
    if (!description.isEmpty())
        controller.setProperty("description", description);

    reader.readSignalGroups(root());
    reader.readStages(root());
    reader.readMatrices(root());
    reader.readExtraMatrices(root());
    reader.readDetectors(root());
    reader.readSwitches(root());
    reader.readPlans(root());
    reader.readScheduler(root());
    reader.readExtras(root());
    if (r.ok())
        reader.readNative(root());
    for (const QString &warning : warnings)
        addWarning(warning);
    *error = r.error();
    return r.ok();
}
