#include "zu_moltconfig.h"
#include "zu_moltformat.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfjsonparser.h"
#include "cnfjsonwriter.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftreeschema.h"
#include "cnfweekcard.h"
#include "flatindex/flatindex.h"

#include <QHash>
#include <QSet>
#include <QVariantList>
#include <QVariantMap>

#include <algorithm>
#include <cmath>

using namespace ZuMoltFormat;

namespace {

// A member that an element was read without stays out while the element
// still holds the default it got in its place (`isDefault`), as zumoltc
// writes no value that is not set; a value given since is written.
bool isUnset(const QStringList &unsetMembers, const char *key, bool isDefault)
{
    return isDefault && unsetMembers.contains(QLatin1String(key));
}

class ZuWriter
{
public:
    ZuWriter(const CnfController &controller)
        : c(controller)
        , listed(controller)
        , w(CnfJsonWriter::Verbatim)
    {
        w.setShape(shape);
        native = CnfTreeSchema::plain(c.nativeData().toVariant()).toMap();
        extras = native.take(QLatin1String(extrasKey)).toMap();
        writtenNames = ZuMoltFormat::writtenNames(extras);
    }

    const CnfController &c;
    // A reference to an element that is not listed is never written: both
    // readers would warn about it on every load.
    const CnfTreeSchema::Listed listed;
    CnfJsonWriter w;
    QVariantMap native;
    QHash<QString, QString> writtenNames; // letters -> the file's form (namesKind)
    QVariantMap extras;
    QString error;

    bool fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
        return false;
    }

    QVariantMap extrasOf(const QString &kind, const QString &id) const
    {
        return extras.value(kind).toMap().value(id).toMap();
    }

    void writeMembers(const QVariantMap &members, const QStringList &order = QStringList())
    {
        for (const QString &key : inOrder(members.keys(), order))
            w.writeMember(key, members.value(key));
    }

    // The integer of a text id; ZU_MOLT files refer to objects by number.
    bool number(const QString &id, const QString &what, int *value)
    {
        bool ok = false;
        *value = id.toInt(&ok);
        if (!ok)
            return fail(tr("%1 \"%2\" has no numeric id, which a ZU_MOLT file needs")
                            .arg(what, CnfJsonParser::quoted(id)));
        return true;
    }

    void writeNative(const QString &key)
    {
        if (native.contains(key))
            w.writeValue(key, native.take(key));
    }

    QVariantMap takeNativeMap(const QString &key)
    {
        if (native.value(key).userType() == QMetaType::QVariantMap)
            return native.take(key).toMap();
        return QVariantMap();
    }

    static QString timeText(const QTime &time)
    {
        return time.toString(time.second() == 0 ? QStringLiteral("HH:mm")
                                                : QStringLiteral("HH:mm:ss"));
    }

    static QString dateText(const QDate &date) { return date.toString(QStringLiteral("dd.MM")); }

    // Native keys that would stand twice in the file, beside what the writer makes.
    bool checkNative()
    {
        static const QStringList reserved = { QStringLiteral("configVersion"),
                                              QStringLiteral("type"),
                                              QStringLiteral("id"),
                                              QStringLiteral("description"),
                                              QStringLiteral("stages"),
                                              QStringLiteral("IGM"),
                                              QStringLiteral("plans"),
                                              QLatin1String(extraMatricesKey),
                                              QLatin1String(sensorsKey),
                                              QLatin1String(interstateKey),
                                              QLatin1String(propertiesKey) };
        static const QStringList containers
            = { QStringLiteral("signalGroups"), QStringLiteral("detectors"),
                QStringLiteral("scheduler"), QStringLiteral("switches") };
        for (auto it = native.cbegin(); it != native.cend(); ++it) {
            if (reserved.contains(it.key())
                || (containers.contains(it.key())
                    && it.value().userType() != QMetaType::QVariantMap)) {
                return fail(tr("The native data key \"%1\" clashes with a key that the ZU_MOLT "
                               "file gives itself")
                                .arg(CnfJsonParser::quoted(it.key())));
            }
        }
        return true;
    }

    bool write()
    {
        if (!checkNative())
            return false;
        w.beginObject();
        w.writeValue(QStringLiteral("configVersion"), 1);
        w.writeValue(QStringLiteral("type"), QStringLiteral("ZU_MOLT"));
        writeNative(QStringLiteral("name"));
        bool ok = false;
        const int id = c.property("number").toInt(&ok);
        if (ok)
            w.writeValue(QStringLiteral("id"), id);
        const QString description = c.property("description").toString();
        if (!description.isEmpty())
            w.writeValue(QStringLiteral("description"), description);
        writeNative(QStringLiteral("timeZone"));
        writeNative(QStringLiteral("maxCurrent"));
        writeNative(QStringLiteral("startTime"));
        writeNative(QStringLiteral("LAN"));
        writeSignalGroups();
        writeStages();
        writeMatrix();
        writeDetectors();
        writePlans();
        writeScheduler();
        writeNative(QStringLiteral("controlSources"));
        if (!native.contains(QStringLiteral("KMP1")))
            w.writeValue(QStringLiteral("KMP1"), QVariantMap());
        writeNative(QStringLiteral("KMP1"));
        writeSwitches();
        writeNative(QStringLiteral("countdownBoards"));
        writeNative(QStringLiteral("inputsOutputs"));
        writeNative(QStringLiteral("remoteControlPanel"));
        writeNative(QStringLiteral("recovery"));
        // Keys of the file that plivek does not know and what zumoltc has no place
        // for, as the file ordered them (zumoltc keeps them in the file's order).
        QVector<QPair<QString, QVariant>> tail;
        for (auto it = native.cbegin(); it != native.cend(); ++it)
            tail.append({ it.key(), it.value() });
        tail += extraEntries();
        writeFirst(tail, extras.value(QLatin1String(rootOrderKey)).toStringList());
        w.endObject();
        if (w.hasError())
            fail(w.error());
        return error.isEmpty();
    }

    void writeTimes(const CnfSignalGroup &group, const CnfSignalGroup *defaults)
    {
        for (const QString &key : sgTimes()) {
            const QVariant value = group.property(key.toLatin1().constData());
            if (!value.isValid()) {
                if (group.nullProperties().contains(key))
                    w.writeNull(key); // read as null and still not set
                continue;
            }
            if (defaults && defaults->property(key.toLatin1().constData()) == value)
                continue;
            w.writeValue(key, value);
        }
    }

    // The dynamic properties of an element in the order they were set, so that
    // the members of a file keep the file's order, as zumoltc keeps them; then,
    // as null, the null members it was read with and still has no value for.
    template<typename Element>
    QVector<QPair<QString, QVariant>> ownMembers(const Element &element, const QStringList &skip)
    {
        QVector<QPair<QString, QVariant>> members;
        QSet<QString> taken(skip.cbegin(), skip.cend());
        for (const QByteArray &name : element.dynamicPropertyNames()) {
            const QString key = QString::fromUtf8(name);
            if (name.startsWith("_q_") || taken.contains(key))
                continue;
            members.append({ key, CnfTreeSchema::plain(element.property(name.constData())) });
            taken.insert(key);
        }
        for (const QString &key : element.nullProperties()) {
            if (!taken.contains(key)) {
                members.append({ key, QVariant() });
                taken.insert(key);
            }
        }
        return members;
    }

    template<typename Element>
    QVariantMap otherProperties(const Element &element, const QStringList &skip)
    {
        QVariantMap rest;
        for (const auto &member : ownMembers(element, skip))
            rest.insert(member.first, member.second);
        return rest;
    }

    // The members zumoltc knows (`known`, in its order) before the others.
    template<typename Element>
    void writeOtherProperties(const Element &element, const QStringList &skip,
                              const QStringList &known = QStringList())
    {
        writeFirst(ownMembers(element, skip), known);
    }

    // The members named in `first`, in its order, then the others as they come.
    void writeFirst(QVector<QPair<QString, QVariant>> members, const QStringList &first)
    {
        std::stable_sort(members.begin(), members.end(), [&first](const auto &a, const auto &b) {
            const auto place = [&first](const QString &key) {
                const int at = first.indexOf(key);
                return at < 0 ? first.size() : at;
            };
            return place(a.first) < place(b.first);
        });
        for (const auto &member : qAsConst(members))
            w.writeMember(member.first, member.second);
    }

    void writeSignalGroups()
    {
        const CnfSignalGroupPtr defaults = c.defaultSignalGroup();
        bool hasDefaultTimes = false;
        for (const QString &key : sgTimes())
            hasDefaultTimes = hasDefaultTimes
                || (defaults && defaults->property(key.toLatin1().constData()).isValid());
        const QVariantMap rest = without(takeNativeMap(QStringLiteral("signalGroups")),
                                         { QStringLiteral("default"), QStringLiteral("items") });
        const QList<CnfSignalGroupPtr> groups = c.signalGroups();
        // A default group without a value is not written, nor the section
        // that would hold nothing else.
        const bool withDefaults = defaults
            && (hasDefaultTimes || !defaults->dynamicPropertyNames().isEmpty()
                || !defaults->nullProperties().isEmpty());
        if (groups.isEmpty() && !withDefaults && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("signalGroups"));
        if (withDefaults) {
            w.beginObject(QStringLiteral("default"), CnfJsonWriter::SingleLine);
            writeTimes(*defaults, nullptr);
            writeOtherProperties(*defaults, sgTimes());
            w.endObject();
        }
        if (!groups.isEmpty()) {
            w.beginArray(QStringLiteral("items"));
            for (const CnfSignalGroupPtr &group : groups) {
                w.beginObject(QString(), CnfJsonWriter::Inline);
                writeName(group->name);
                w.writeValue(QStringLiteral("id"), group->id);
                const bool typeSet
                    = !isUnset(group->unsetMembers, "type", group->type == CnfSignalGroup::Traffic);
                if (typeSet && group->type >= 0 && group->type < sgTypeKeys().size())
                    w.writeValue(QStringLiteral("type"), sgTypeKeys().at(group->type));
                else if (typeSet)
                    w.writeValue(QStringLiteral("type"),
                                 group->type); // no ZU_MOLT key: kept as a number
                writeTimes(*group, defaults && hasDefaultTimes ? defaults.data() : nullptr);
                writeOtherProperties(*group, sgTimes());
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(rest);
        w.endObject();
    }

    void writeStages()
    {
        const QList<CnfPhasePtr> phases = c.phases();
        if (phases.isEmpty())
            return;
        w.beginArray(QStringLiteral("stages"));
        for (const CnfPhasePtr &phase : phases) {
            int id = 0;
            if (!number(phase->id, tr("Phase"), &id))
                return;
            w.beginObject();
            writeName(phase->name);
            w.writeValue(QStringLiteral("id"), id);
            QVariantList groups;
            for (const CnfSignalGroupPtr &group : phase->signalGroups) {
                if (listed.has(group))
                    groups.append(group->id);
            }
            if (!groups.isEmpty()) {
                w.beginArray(QStringLiteral("groups"), CnfJsonWriter::Inline);
                for (const QVariant &group : groups)
                    w.writeValue(QString(), group);
                w.endArray();
            }
            if (phase->minTime >= 0)
                w.writeValue(QStringLiteral("minGreen"), phase->minTime);
            if (phase->maxTime >= 0)
                w.writeValue(QStringLiteral("maxGreen"), phase->maxTime);
            writeMembers(extrasOf(QLatin1String(stagesKind), phase->id));
            w.endObject();
        }
        w.endArray();
    }

    // The time of a conflict point; a point without a time (the not-set value
    // 2147483647, as an absent "time" reads) gets no "time", as zumoltc writes it.
    static QVariant cellValue(double value)
    {
        if (value == double(notSetTime))
            return QVariant();
        return value == std::trunc(value) && std::fabs(value) < 2147483647.0 ? QVariant(int(value))
                                                                             : QVariant(value);
    }

    void writeMatrix()
    {
        const CnfMatrixPtr matrix = c.conflictMatrix();
        if (!matrix)
            return;
        QList<CnfMatrixCell> cells = matrix->cellsInListOrder();
        cells.erase(std::remove_if(cells.begin(), cells.end(),
                                   [this](const CnfMatrixCell &cell) {
                                       return !c.findSG(cell.aId) || !c.findSG(cell.bId);
                                   }),
                    cells.end());
        // A matrix without a conflict point is not written, as zumoltc writes none.
        if (cells.isEmpty())
            return;
        w.beginArray(QStringLiteral("IGM"));
        w.beginObject();
        writeName(matrix->name());
        if (!isUnset(matrix->unsetMembers, "id", matrix->id() == matrix->unsetId))
            w.writeValue(QStringLiteral("id"), matrix->id());
        w.beginArray(QStringLiteral("items"));
        for (const CnfMatrixCell &cell : qAsConst(cells)) {
            w.beginObject(QString(), CnfJsonWriter::Inline);
            w.writeValue(QStringLiteral("clearing"), cell.aId);
            w.writeValue(QStringLiteral("entering"), cell.bId);
            w.writeValue(QStringLiteral("time"), cellValue(cell.value));
            writeMembers(
                extrasOf(QLatin1String(conflictPointsKind), conflictPointId(cell.aId, cell.bId)));
            w.endObject();
        }
        w.endArray();
        writeMembers(extrasOf(QLatin1String(conflictMatrixKind), QString::number(matrix->id())));
        w.endObject();
        w.endArray();
    }

    void writeDetectors()
    {
        const QList<CnfDetectorPtr> detectors = c.detectorsList();
        const QVariantMap rest
            = without(takeNativeMap(QStringLiteral("detectors")), { QStringLiteral("items") });
        if (detectors.isEmpty() && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("detectors"));
        // zumoltc's report intervals before the items, members it does not know after them.
        static const QStringList intervals
            = { QStringLiteral("logInterval"), QStringLiteral("logIntervalASUDD") };
        QVariantMap unknown = rest;
        for (const QString &key : intervals) {
            if (unknown.contains(key))
                w.writeMember(key, unknown.take(key));
        }
        w.beginArray(QStringLiteral("items"));
        for (const CnfDetectorPtr &detector : detectors) {
            w.beginObject(QString(), CnfJsonWriter::Inline);
            writeName(detector->name());
            w.writeValue(QStringLiteral("id"), detector->id());
            writeOtherProperties(*detector, {}, { QStringLiteral("report") });
            w.endObject();
        }
        w.endArray();
        writeMembers(unknown);
        w.endObject();
    }

    void writePlans()
    {
        const QList<CnfProgramPtr> programs = c.programs();
        if (programs.isEmpty())
            return;
        w.beginArray(QStringLiteral("plans"));
        for (const CnfProgramPtr &program : programs) {
            int id = 0;
            if (!number(program->id, tr("Program"), &id))
                return;
            w.beginObject();
            writeName(program->name);
            w.writeValue(QStringLiteral("id"), id);
            w.beginObject(QStringLiteral("algorithm"));
            if (!writeAlgorithm(*program))
                return;
            w.endObject();
            writeOtherProperties(*program,
                                 { QStringLiteral("coordinated"), QStringLiteral("detectors"),
                                   QStringLiteral("algorithm") });
            w.endObject();
        }
        w.endArray();
    }

    bool writeAlgorithm(const CnfProgram &program)
    {
        const QVariantMap kept = CnfTreeSchema::plain(program.property("algorithm")).toMap();
        switch (program.type) {
        case CnfProgram::Timeline:
        case CnfProgram::CoordinatedTimeline:
            w.writeValue(QStringLiteral("type"), QStringLiteral("Timeline"));
            if (program.type == CnfProgram::CoordinatedTimeline)
                w.writeValue(QStringLiteral("coordinated"), true);
            break;
        case CnfProgram::Stagering:
            w.writeValue(QStringLiteral("type"), QStringLiteral("StageRing"));
            if (program.property("coordinated").toBool())
                w.writeValue(QStringLiteral("coordinated"), true);
            break;
        case CnfProgram::YellowFlash:
        case CnfProgram::Dark:
            w.writeValue(QStringLiteral("type"), QStringLiteral("Special"));
            break;
        case 0:
            break;
        default:
            return fail(tr("Program \"%1\" is of type \"%2\", which a ZU_MOLT file cannot hold")
                            .arg(CnfJsonParser::quoted(program.id),
                                 CnfProgram::typeName(program.type, false)));
        }
        if (program.cycleLength != 0 || program.defaultMembers.contains(QLatin1String("cycle")))
            w.writeValue(QStringLiteral("cycle"), program.cycleLength);
        if (program.hasCycleOffset())
            w.writeValue(QStringLiteral("offset"), program.cycleOffset(0));
        if (program.type == CnfProgram::YellowFlash || program.type == CnfProgram::Dark)
            w.writeValue(QStringLiteral("mode"),
                         program.type == CnfProgram::YellowFlash ? QStringLiteral("AB")
                                                                 : QStringLiteral("OFF"));

        const QList<int> groups = program.timelineGroups();
        if (!groups.isEmpty()) {
            w.beginArray(QStringLiteral("sequences"));
            for (int group : groups) {
                if (!c.findSG(group))
                    continue;
                w.beginObject();
                w.writeValue(QStringLiteral("group"), group);
                w.beginArray(QStringLiteral("sequence"));
                const QMap<int, int> points = program.getTimelineData(group);
                for (auto it = points.cbegin(); it != points.cend(); ++it) {
                    w.beginObject(QString(), CnfJsonWriter::Inline);
                    QString state = lookup(timelineStates(), it.value());
                    if (state.isEmpty())
                        state = CnfSignalGroup::colorStateKey(
                            it.value()); // zumoltc skips it; plivek reads it back
                    w.writeValue(QStringLiteral("state"), state);
                    w.writeValue(QStringLiteral("point"), it.key());
                    writeMembers(extrasOf(QLatin1String(sequenceRecordsKind),
                                          sequenceRecordId(program.id, group, it.key())));
                    w.endObject();
                }
                w.endArray();
                writeMembers(extrasOf(QLatin1String(sequencesKind), sequenceId(program.id, group)));
                w.endObject();
            }
            w.endArray();
        }

        const QList<CnfPhaseDefPtr> steps = program.phases();
        if (!steps.isEmpty()) {
            static const QStringList order = { QStringLiteral("id"),
                                               QStringLiteral("stage"),
                                               QStringLiteral("call"),
                                               QStringLiteral("recall"),
                                               QStringLiteral("countdownBoard"),
                                               QStringLiteral("passage"),
                                               QStringLiteral("minGreen"),
                                               QStringLiteral("maxGreen") };
            const QVector<int> ids = stepIds(c, steps);
            QVariantList sequence;
            int byPosition = 0;
            w.beginArray(QStringLiteral("phases"));
            for (int i = 0; i < steps.size(); ++i) {
                const CnfPhaseDefPtr &step = steps.at(i);
                if (!c.findPhase(step->id()))
                    continue;
                int stage = 0;
                if (!number(step->id(), tr("Phase"), &stage))
                    return false;
                const int id = ids.at(i);
                sequence.append(id);
                w.beginObject();
                // A plan phase that the file counts by its position stays so
                // while it stands there (among the phases written).
                if (isUnset(step->unsetMembers, "id", id == sequence.size()))
                    ++byPosition;
                else
                    w.writeValue(QStringLiteral("id"), id);
                w.writeValue(QStringLiteral("stage"), stage);
                QVariantMap known;
                for (int k = 2; k < order.size(); ++k) {
                    const QVariant value = step->property(order.at(k).toLatin1().constData());
                    if (value.isValid() || step->nullProperties().contains(order.at(k)))
                        known.insert(order.at(k), CnfTreeSchema::plain(value));
                }
                writeMembers(known, order);
                writeOtherProperties(*step, order);
                w.endObject();
            }
            w.endArray();
            const QVariant detectors = CnfTreeSchema::plain(program.property("detectors"));
            if (!detectors.toList().isEmpty())
                w.writeValue(QStringLiteral("detectors"), detectors);
            // zumoltc finds a phase in 'sequence' by its own "id" only, and runs
            // just the phases it finds there; an empty one runs them all in
            // their order, as plivek reads it too. So a 'sequence' that the
            // file left empty (or out) stays empty while a phase is counted
            // by its position, which zumoltc could not find in it.
            if (byPosition != 0 && program.defaultMembers.contains(QLatin1String("sequence")))
                sequence.clear();
            w.beginArray(QStringLiteral("sequence"), CnfJsonWriter::Inline);
            for (const QVariant &id : sequence)
                w.writeValue(QString(), id);
            w.endArray();
        } else if (program.property("detectors").isValid()) {
            w.writeValue(QStringLiteral("detectors"),
                         CnfTreeSchema::plain(program.property("detectors")));
        }
        writeMembers(kept);
        return true;
    }

    bool hasScheduler() const
    {
        return !c.dayCards().isEmpty() || !c.weekCards().isEmpty() || !c.seasonPlans().isEmpty()
            || !c.specialDays().isEmpty() || c.defaultDayCard() || c.defaultProgram()
            || c.reserveProgram();
    }

    // An empty name is left out: the file gives an unnamed element no "name".
    void writeName(const QString &name)
    {
        if (!name.isEmpty())
            w.writeValue(QStringLiteral("name"), writtenName(name));
    }

    QString writtenName(const QString &name) const
    {
        return ZuMoltFormat::writtenName(writtenNames, name);
    }

    void writeRef(const QString &key, const QString &id, const QString &what)
    {
        int value = 0;
        if (!id.isNull() && number(id, what, &value))
            w.writeValue(key, value);
    }

    template<typename T>
    void writeRef(const QString &key, const QSharedPointer<T> &element, const QString &what)
    {
        if (listed.has(element))
            writeRef(key, element->id, what);
    }

    // A period names its plan, or the id of a deleted one when it is a number
    // (the file has no place for another).
    void writePeriodPlan(const QString &key, const CnfProgramPtr &plan, const QString &missingId)
    {
        bool isNumber = false;
        const int value = missingId.toInt(&isNumber);
        if (plan)
            writeRef(key, plan, tr("Program"));
        else if (isNumber)
            w.writeValue(key, value);
    }

    void writeScheduler()
    {
        const QVariantMap rest
            = without(takeNativeMap(QStringLiteral("scheduler")),
                      { QStringLiteral("default"), QStringLiteral("days"), QStringLiteral("weeks"),
                        QStringLiteral("extraPeriods"), QStringLiteral("extraDays") });
        const QVariantMap defaultsKept
            = extrasOf(QLatin1String(singleObjectsKind), QStringLiteral("scheduler/default"));
        // Written whenever the calendar holds anything, so that week plans and
        // extra periods without day plans are not lost.
        if (!hasScheduler() && rest.isEmpty() && defaultsKept.isEmpty())
            return;
        w.beginObject(QStringLiteral("scheduler"));
        if (c.defaultDayCard() || c.defaultProgram() || c.reserveProgram()
            || !defaultsKept.isEmpty()) {
            w.beginObject(QStringLiteral("default"));
            writeRef(QStringLiteral("dayPlan"), c.defaultDayCard(), tr("Day card"));
            writeRef(QStringLiteral("program"), c.defaultProgram(), tr("Program"));
            writeRef(QStringLiteral("spareProgram"), c.reserveProgram(), tr("Program"));
            writeMembers(defaultsKept);
            w.endObject();
        }
        const QList<CnfDayCardPtr> days = c.dayCards();
        if (!days.isEmpty()) {
            w.beginArray(QStringLiteral("days"));
            for (const CnfDayCardPtr &card : days) {
                w.beginObject();
                writeName(card->name);
                writeRef(QStringLiteral("id"), card->id, tr("Day card"));
                if (!card->records.isEmpty()) {
                    w.beginArray(QStringLiteral("plans"));
                    for (auto it = card->records.cbegin(); it != card->records.cend(); ++it) {
                        if (!it.key().isValid())
                            continue; // a period without a start time has no place in the day
                        w.beginObject();
                        w.writeValue(QStringLiteral("start"), timeText(it.key()));
                        if (it.value().end.isValid())
                            w.writeValue(QStringLiteral("stop"), timeText(it.value().end));
                        writePeriodPlan(QStringLiteral("program"), it.value().program,
                                        it.value().missingProgram);
                        writePeriodPlan(QStringLiteral("spareProgram"), it.value().reserve,
                                        it.value().missingReserve);
                        writeMembers(
                            extrasOf(QLatin1String(periodsKind), periodId(card->id, it.key())));
                        w.endObject();
                    }
                    w.endArray();
                }
                writeMembers(extrasOf(QLatin1String(dayPlansKind), card->id));
                w.endObject();
            }
            w.endArray();
        }
        const QList<CnfWeekCardPtr> weeks = c.weekCards();
        if (!weeks.isEmpty()) {
            w.beginArray(QStringLiteral("weeks"));
            for (const CnfWeekCardPtr &card : weeks) {
                w.beginObject();
                writeName(card->name);
                writeRef(QStringLiteral("id"), card->id, tr("Week card"));
                writeWeekDays(*card);
                writeMembers(extrasOf(QLatin1String(weekPlansKind), card->id));
                w.endObject();
            }
            w.endArray();
        }
        const QList<CnfSeasonPlanPtr> seasons = c.seasonPlans();
        if (!seasons.isEmpty()) {
            w.beginArray(QStringLiteral("extraPeriods"));
            for (int i = 0; i < seasons.size(); ++i) {
                const CnfSeasonPlanPtr &plan = seasons.at(i);
                QVariantMap kept = extrasOf(QLatin1String(extraPeriodsKind), QString::number(i));
                w.beginObject();
                writeName(plan->name);
                w.writeValue(QStringLiteral("id"),
                             kept.contains(QStringLiteral("id")) ? kept.take(QStringLiteral("id"))
                                                                 : QVariant(i + 1));
                if (plan->from.isValid())
                    w.writeValue(QStringLiteral("start"), dateText(plan->from));
                if (plan->to.isValid())
                    w.writeValue(QStringLiteral("stop"), dateText(plan->to));
                writeRef(QStringLiteral("week"), plan->weekCard, tr("Week card"));
                writeMembers(kept);
                w.endObject();
            }
            w.endArray();
        }
        const QMap<QDate, CnfSpecialDayPtr> special = c.specialDays();
        if (!special.isEmpty()) {
            w.beginArray(QStringLiteral("extraDays"));
            int position = 0;
            for (auto it = special.cbegin(); it != special.cend(); ++it) {
                ++position;
                w.beginObject();
                writeName(it.value()->name);
                if (it.value()->id.isEmpty())
                    w.writeValue(QStringLiteral("id"), position);
                else
                    writeRef(QStringLiteral("id"), it.value()->id, tr("Special day"));
                w.writeValue(QStringLiteral("date"), dateText(it.key()));
                writeRef(QStringLiteral("day"), it.value()->dayCard, tr("Day card"));
                writeMembers(extrasOf(QLatin1String(extraDaysKind), it.value()->id));
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(rest);
        w.endObject();
    }

    // Seven entries, Monday first, as zumoltc writes them: a day of the week
    // card names its day card, or is null when it has none (or one that is not
    // listed); a day that the card does not hold repeats the entry of the
    // nearest earlier day that it holds, counting backwards around the week. A
    // card that holds no day has seven days without a day card, as zumoltc
    // reads such a week ("days" of no weekday), and is written so.
    void writeWeekDays(const CnfWeekCard &card)
    {
        int held = 0;
        for (int day = 1; day <= 7; ++day)
            held = card.days.contains(day) ? day : held;
        QVariantList days;
        for (int day = 1; day <= 7; ++day) {
            if (card.days.contains(day))
                held = day;
            const CnfDayCardPtr plan = card.days.value(held);
            int id = 0;
            if (!listed.has(plan))
                days.append(QVariant());
            else if (number(plan->id, tr("Day card"), &id))
                days.append(id);
            else
                return;
        }
        w.beginArray(QStringLiteral("days"), CnfJsonWriter::Inline);
        for (const QVariant &id : days)
            w.writeMember(QString(), id);
        w.endArray();
    }

    void writeSwitches()
    {
        const QList<CnfPowerDevicePtr> devices = c.powerDevices();
        const QVariantMap rest
            = without(takeNativeMap(QStringLiteral("switches")), { QStringLiteral("items") });
        if (devices.isEmpty() && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("switches"));
        // As in zumoltc, an item leaves out the type that the default switch gives it.
        const bool defaultType
            = rest.value(QStringLiteral("default")).toMap().value(QStringLiteral("type"))
            == QLatin1String("ZU4_SW");
        if (rest.contains(QStringLiteral("default")))
            w.writeValue(QStringLiteral("default"), rest.value(QStringLiteral("default")));
        if (!devices.isEmpty()) {
            // The group of each switch, as findPowerDeviceSg gives it (the first group in
            // list order that holds it), from one pass over the groups instead of a
            // search of every group per switch.
            const QList<CnfSignalGroupPtr> groups = c.signalGroups();
            FlatIndex<const CnfPowerDevice *> groupOf;
            for (int i = 0; i < groups.size(); ++i) {
                for (const CnfPowerDevicePtr &assigned : groups.at(i)->devices) {
                    if (assigned)
                        groupOf.insert(assigned.data(), i);
                }
            }
            w.beginArray(QStringLiteral("items"));
            for (const CnfPowerDevicePtr &device : devices) {
                w.beginObject(QString(), CnfJsonWriter::Inline);
                writeName(device->name);
                w.writeValue(QStringLiteral("id"), device->id);
                // A member the switch was read without stays out while the
                // device keeps the default it got for it.
                const auto unset = [&device](const char *key, bool isDefault) {
                    return isUnset(device->unsetMembers, key, isDefault);
                };
                if (!defaultType && !unset("type", true))
                    w.writeValue(QStringLiteral("type"), QStringLiteral("ZU4_SW"));
                const int group = groupOf.value(device.data());
                if (group >= 0)
                    w.writeValue(QStringLiteral("signalGroup"), groups.at(group)->id);
                if (!unset("addr", device->address == device->unsetAddress))
                    w.writeValue(QStringLiteral("addr"), device->address);
                const QString color = lookup(colors(), device->color);
                if (!color.isEmpty() && !unset("color", device->color == CnfPowerDevice::Red))
                    w.writeValue(QStringLiteral("color"), color);
                if (!unset("heads", device->lampsCount == 1))
                    w.writeValue(QStringLiteral("heads"), device->lampsCount);
                // A set flag is always written, also when the default switch has it.
                if (device->burnoutControl != 0)
                    w.writeValue(QStringLiteral("control"), true);
                writeMembers(extrasOf(QLatin1String(switchesKind), QString::number(device->id)),
                             { QStringLiteral("lowCurrent"), QStringLiteral("upCurrent"),
                               QStringLiteral("minCurrent") });
                if (device->type != CnfPowerDevice::OutputZuMolt)
                    w.writeValue(QStringLiteral("deviceType"), device->type);
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(without(rest, { QStringLiteral("default") }));
        w.endObject();
    }

    // The root keys that zumoltc does not know, for what its file has no place for.
    QVector<QPair<QString, QVariant>> extraEntries()
    {
        QVector<QPair<QString, QVariant>> entries;
        const CnfMatrixPtr conflict = c.conflictMatrix();
        QVariantList matrices;
        for (const CnfMatrixPtr &matrix : c.matrixList()) {
            if (matrix == conflict)
                continue;
            QVariantList cells;
            for (const CnfMatrixCell &cell : matrix->cellsInListOrder())
                cells.append(QVariant(QVariantList { cell.aId, cell.bId, cell.value }));
            // Kept members, and the file's id of a matrix listed under another one.
            QVariantMap entry
                = extrasOf(QLatin1String(extraMatricesKind), QString::number(matrix->id()));
            if (!entry.contains(QStringLiteral("id"))
                && !isUnset(matrix->unsetMembers, "id", matrix->id() == matrix->unsetId))
                entry.insert(QStringLiteral("id"), matrix->id());
            if (!isUnset(matrix->unsetMembers, "name", matrix->name().isEmpty()))
                entry.insert(QStringLiteral("name"), writtenName(matrix->name()));
            if (!cells.isEmpty())
                entry.insert(QStringLiteral("cells"), cells);
            matrices.append(entry);
        }
        if (!matrices.isEmpty())
            entries.append({ QLatin1String(extraMatricesKey), matrices });
        QVariantList sensors;
        for (const CnfDetectorPtr &sensor : c.sensorsList()) {
            QVariantMap entry = otherProperties(*sensor, {});
            if (!isUnset(sensor->unsetMembers, "id", sensor->id() == sensor->unsetId))
                entry.insert(QStringLiteral("id"), sensor->id());
            if (!isUnset(sensor->unsetMembers, "name", sensor->name().isEmpty()))
                entry.insert(QStringLiteral("name"), writtenName(sensor->name()));
            sensors.append(entry);
        }
        if (!sensors.isEmpty())
            entries.append({ QLatin1String(sensorsKey), sensors });
        if (const CnfInterstatePtr interstate = c.interstate()) {
            QVariantMap entry
                = extrasOf(QLatin1String(singleObjectsKind), QLatin1String(interstateKey));
            const auto flag = [&](const char *key, int value) {
                if (!isUnset(interstate->unsetMembers, key, value == 0))
                    entry.insert(QLatin1String(key), value);
            };
            flag("greenBlink", interstate->greenBlink);
            flag("yellow", interstate->yellow);
            flag("redYellow", interstate->redYellow);
            entries.append({ QLatin1String(interstateKey), entry });
        }
        const QVariantMap props
            = otherProperties(c,
                              { QStringLiteral("type"), QStringLiteral("version"),
                                QStringLiteral("number"), QStringLiteral("description") });
        if (!props.isEmpty())
            entries.append({ QLatin1String(propertiesKey), props });
        return entries;
    }
};

} // namespace

QByteArray ZU_MOLTConfig::save(const CnfController &controller)
{
    setError(QString());
    ZuWriter writer(controller);
    if (!writer.write()) {
        fail(writer.error);
        return QByteArray();
    }
    // Like zumoltc's, the text ends with the root's closing brace.
    return writer.w.data();
}
