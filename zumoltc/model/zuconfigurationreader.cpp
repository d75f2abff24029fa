#include "zuconfigurationreader.h"

#include "jsonreader.h"
#include "zuconfiguration.h"
#include "zulookup.h"

#include "flatindex/flatindex.h"

#include <QHash>
#include <QRegularExpression>
#include <QTime>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Restores the configuration's loading flag however the read ends.
class LoadingScope
{
public:
    explicit LoadingScope(ZUConfiguration *configuration)
        : m_configuration(configuration), m_previous(configuration->loading())
    {
        configuration->setLoading(true);
    }
    ~LoadingScope() { m_configuration->setLoading(m_previous); }

private:
    ZUConfiguration *m_configuration;
    bool m_previous;
};

// The id a reference names: an Integer as it stands; another number by the
// model's rule for numeric keys (a Double rounded, when it fits). Texts name no id.
bool referencedId(const JsonValue &value, int &id)
{
    if (value.type() == JsonValue::Integer) {
        id = value.toInt();
        return true;
    }
    return value.type() == JsonValue::Double && zu::numericKey(value.toVariant(), id);
}

// Finds the objects of one list by id or name with the rules of the model's
// lookups (a number is an id, a text a name, the first match wins), through an
// index built once the list stops growing: a large file holds many references,
// and a scan per reference would make reading it quadratic. Lists only grow
// while a file is read, so a changed size means a rebuild. Ids that number the
// list without large gaps (the usual case) are found in a table by position;
// names, rarely used in references, are indexed on the first lookup by name.
template<typename T>
class ReferenceIndex
{
public:
    QPointer<T> find(const QList<QPointer<T>> &list, const JsonValue &value)
    {
        if (list.size() != m_size)
            rebuild(list);
        int position = -1;
        int id = 0;
        if (referencedId(value, id)) {
            if (m_denseIds) {
                const qint64 slot = qint64(id) - m_firstId;
                position = slot >= 0 && slot < qint64(m_positions.size()) ? m_positions[size_t(slot)] : -1;
            } else {
                position = m_ids.value(id);
            }
        } else if (value.type() == JsonValue::String) {
            if (!m_namesBuilt)
                buildNames(list);
            position = m_names.value(value.toString());
        }
        return position >= 0 ? list.at(position) : nullptr;
    }

private:
    // Positions in the list; the first object of an id or a name keeps it.
    void rebuild(const QList<QPointer<T>> &list)
    {
        m_size = list.size();
        m_ids = FlatIndex<int>();
        m_positions.clear();
        m_names = FlatIndex<QString>();
        m_namesBuilt = false;
        int lowest = std::numeric_limits<int>::max();
        int highest = std::numeric_limits<int>::min();
        for (const QPointer<T> &object : list) {
            if (object) {
                lowest = std::min(lowest, object->id());
                highest = std::max(highest, object->id());
            }
        }
        m_denseIds = lowest <= highest && qint64(highest) - lowest < 2 * qint64(list.size()) + 16;
        m_firstId = lowest;
        if (m_denseIds)
            m_positions.assign(size_t(qint64(highest) - lowest + 1), -1);
        for (int position = 0; position < list.size(); ++position) {
            const T *object = list.at(position).data();
            if (!object)
                continue;
            if (!m_denseIds) {
                m_ids.insert(object->id(), position);
            } else if (int &slot = m_positions[size_t(qint64(object->id()) - lowest)]; slot < 0) {
                slot = position;
            }
        }
    }

    void buildNames(const QList<QPointer<T>> &list)
    {
        m_namesBuilt = true;
        for (int position = 0; position < list.size(); ++position) {
            if (const T *object = list.at(position).data())
                m_names.insert(object->name(), position);
        }
    }

    int m_size = -1;
    bool m_denseIds = false;
    int m_firstId = 0;
    std::vector<int> m_positions; // by id - m_firstId, when the ids are dense
    FlatIndex<int> m_ids;         // otherwise
    bool m_namesBuilt = false;
    FlatIndex<QString> m_names;
};

// Finds the phases of one plan by id with the rule of ZUSignalPlan::findPhase
// (only a number matches, the first phase with the id wins), through a hash:
// every call, detector record and sequence element names a phase, and a scan
// per name would make reading a long phase list quadratic. The plan's phase list
// does not change while its references are read.
class PhaseIndex
{
public:
    explicit PhaseIndex(const QList<QPointer<ZUSignalPlanPhase>> &phases)
    {
        for (const QPointer<ZUSignalPlanPhase> &phase : phases) {
            if (phase && !m_ids.contains(phase->id()))
                m_ids.insert(phase->id(), phase);
        }
    }

    QPointer<ZUSignalPlanPhase> find(int id) const { return m_ids.value(id); }
    QPointer<ZUSignalPlanPhase> find(const JsonValue &value) const
    {
        int id = 0;
        return referencedId(value, id) ? find(id) : nullptr;
    }

private:
    QHash<int, QPointer<ZUSignalPlanPhase>> m_ids;
};

// Not in the model's hands until it is added; deleted when a fatal error stops
// the read first.
template<typename T>
using Pending = std::unique_ptr<T>;

} // namespace

class ZUConfigurationReader::Private
{
public:
    explicit Private(ZUConfiguration *configuration)
        : c(configuration)
    {
    }

    bool read(const QByteArray &data, QString *error);

    ZUConfiguration *c;
    JsonReader reader;

private:
    // A reference in the file: a number names an id, a text a name. Unresolved
    // references leave the target empty with one warning at the value.
    template<typename Lookup>
    auto resolveReference(const JsonValue &value, Lookup lookup, bool nullAllowed = false)
        -> decltype(lookup(JsonValue()));
    template<typename Lookup>
    auto readReference(const char *key, Lookup lookup, bool nullAllowed = false, bool required = false)
        -> decltype(lookup(JsonValue()));

    // Calls read(item) for each element of the array `key`, with the element as
    // the reader's context.
    template<typename Read>
    bool forEachItem(const char *key, Read read);
    template<typename Read>
    bool forEachItem(const JsonValue &array, Read read);
    // Calls read() with the member `key` as context when it is an object.
    template<typename Read>
    bool inObject(const char *key, Read read);

    void readRoot();
    void readTimeZone();
    void readNetwork();
    void readSignalGroupTimes(ZUSignalGroup *group);
    void readSignalGroups();
    void readStages();
    void readMatrix();
    void readMatrixTable(const JsonValue &matrix);
    void readDetectors();
    bool readPlans(QString *error);
    bool readPlanAlgorithm(ZUSignalPlan *plan, QString *error);
    void readSequences(ZUSignalPlan *plan);
    bool readPhases(ZUSignalPlan *plan, QString *error);
    void readPlanDetectors(ZUSignalPlan *plan, const PhaseIndex &phases);
    void readPhaseSequence(ZUSignalPlan *plan, const PhaseIndex &phases);
    void warnInvalidForType(ZUSignalPlan *plan, bool present, int validType, const char *key);
    void readScheduler();
    void readDayPlans();
    void readWeekPlans();
    void readExtraPeriods();
    void readExtraDays();
    void readControlSources();
    void readKmp();
    void readSwitchValues(ZUSwitch *sw);
    void readSwitches();
    void readCountdownBoards();
    void readInputsOutputs();
    void readRemoteControlPanel();
    void readRecovery();
    void readRecoveryError(const char *key, ZURecoveryParameters::ErrorRecovery &record);

    // Keeps the members of object that no lookup asked for with the model object
    // they belong to, under the part given; called when the object is read.
    static void keep(KeptMembers &kept, const JsonValue &object, const char *part = "")
    {
        kept.setMembers(part, object.unaskedMembers());
    }

    void readNameAndId(ZUBaseObject *object);
    quint16 readPort(const char *key);
    QTime readTime(const char *key, const QString &warning);
    bool readDate(const char *key, const QString &warning, ZUDayMonth *date);

    ReferenceIndex<ZUSignalGroup> m_signalGroups;
    ReferenceIndex<ZUStage> m_stages;
    ReferenceIndex<ZUDetector> m_detectors;
    ReferenceIndex<ZUSignalPlan> m_signalPlans;
    ReferenceIndex<ZUDayPlan> m_dayPlans;
    ReferenceIndex<ZUWeekPlan> m_weekPlans;
    ReferenceIndex<ZUControlSource> m_controlSources;

    // The lookups of the configuration's lists, for resolveReference.
    auto signalGroupLookup()
    {
        return [this](const JsonValue &key) { return m_signalGroups.find(c->signalGroups(), key); };
    }
    auto stageLookup()
    {
        return [this](const JsonValue &key) { return m_stages.find(c->stages(), key); };
    }
    auto detectorLookup()
    {
        return [this](const JsonValue &key) { return m_detectors.find(c->detectors(), key); };
    }
    auto signalPlanLookup()
    {
        return [this](const JsonValue &key) { return m_signalPlans.find(c->signalPlans(), key); };
    }
    auto dayPlanLookup()
    {
        return [this](const JsonValue &key) { return m_dayPlans.find(c->dayPlans(), key); };
    }
    auto weekPlanLookup()
    {
        return [this](const JsonValue &key) { return m_weekPlans.find(c->weekPlans(), key); };
    }
    auto controlSourceLookup()
    {
        return [this](const JsonValue &key) { return m_controlSources.find(c->controlSources(), key); };
    }
};

template<typename Lookup>
auto ZUConfigurationReader::Private::resolveReference(const JsonValue &value, Lookup lookup, bool nullAllowed)
    -> decltype(lookup(JsonValue()))
{
    if (nullAllowed && value.type() == JsonValue::Null)
        return nullptr;
    if (auto found = lookup(value))
        return found;
    const QVariant key = value.toVariant();
    QString text;
    if (value.type() == JsonValue::String) {
        text = value.toString().isEmpty() ? JsonReader::tr("Object with empty name")
                                          : JsonReader::tr("Object with name %1 not found").arg(value.toString());
    } else if (!key.isValid()) {
        text = JsonReader::tr("Object with empty id");
    } else {
        text = JsonReader::tr("Object with id %1 not found").arg(key.toString());
    }
    reader.addWarning(text, value);
    return nullptr;
}

template<typename Lookup>
auto ZUConfigurationReader::Private::readReference(const char *key, Lookup lookup, bool nullAllowed, bool required)
    -> decltype(lookup(JsonValue()))
{
    if (!reader.check(key, required))
        return nullptr;
    return resolveReference(reader.current(), lookup, nullAllowed);
}

template<typename Read>
bool ZUConfigurationReader::Private::forEachItem(const char *key, Read read)
{
    return forEachItem(reader.readArray(key), read);
}

template<typename Read>
bool ZUConfigurationReader::Private::forEachItem(const JsonValue &array, Read read)
{
    // Each element is entered, so that an element without members never reads the
    // attributes of the object around it.
    for (const JsonValue &item : array) {
        reader.enter(item);
        const bool ok = read(item);
        reader.leave();
        if (!ok)
            return false;
    }
    return true;
}

template<typename Read>
bool ZUConfigurationReader::Private::inObject(const char *key, Read read)
{
    if (!reader.isObject(key))
        return true;
    reader.enter(reader.current());
    const bool ok = read();
    reader.leave();
    return ok;
}

bool ZUConfigurationReader::Private::read(const QByteArray &data, QString *error)
{
    c->warnings().clear();
    if (error)
        error->clear();
    if (!reader.load(data, error))
        return false;

    c->reset();

    if (!reader.check("configVersion")) {
        reader.addWarning(tr("Configuration version not defined. Using version 1"), JsonValue());
    } else if (reader.current().toInt() != 1) {
        if (error)
            *error = tr("Unsupported configuration version %1").arg(reader.current().toVariant().toString());
        return false;
    }
    if (!reader.check("type")) {
        if (error)
            *error = tr("'type' attribute not defined");
        return false;
    }
    if (reader.current().toString() != QLatin1String("ZU_MOLT")) {
        if (error)
            *error = tr("'type' attribute has invalid value %1").arg(reader.current().toString());
        return false;
    }

    readRoot();
    readSignalGroups();
    readStages();
    readMatrix();
    readDetectors();
    if (!readPlans(error)) {
        c->warnings().clear();
        return false;
    }
    readScheduler();
    readControlSources();
    readKmp();
    readSwitches();
    readCountdownBoards();
    readInputsOutputs();
    readRemoteControlPanel();
    readRecovery();
    keep(c->keptMembers(), reader.context());

    c->warnings() = reader.warnings();
    return true;
}

void ZUConfigurationReader::Private::readRoot()
{
    c->setName(reader.readString("name"));
    c->setId(reader.readInt("id", true));
    c->setDescription(reader.readString("description"));
    readTimeZone();
    c->setMaxCurrent(reader.readInt("maxCurrent"));
    inObject("startTime", [this] {
        c->setAllRed(reader.readInt("allRed"));
        c->setAmberBlink(reader.readInt("amberBlink"));
        keep(c->keptMembers(), reader.context(), "startTime");
        return true;
    });
    readNetwork();
}

void ZUConfigurationReader::Private::readTimeZone()
{
    if (!reader.check("timeZone"))
        return;
    const JsonValue value = reader.current();
    if (value.type() == JsonValue::Integer || value.type() == JsonValue::Double) {
        const int hours = value.toInt();
        if (hours < -12 || hours > 12)
            reader.addWarning(tr("'timeZone' has invalid value %1 (must be >=-12 and <=12)").arg(hours), value);
    } else if (value.type() == JsonValue::String) {
        static const QRegularExpression pattern(QStringLiteral("\\A[+-]?\\d{0,2}:\\d{0,2}\\z"));
        if (!pattern.match(value.toString()).hasMatch())
            reader.addWarning(tr("'timeZone' value %1 has invalid format").arg(value.toString()), value);
    }
    // Kept whatever it is, so that a save writes back what the file held.
    c->setTimeZone(value.toVariant());
}

void ZUConfigurationReader::Private::readNetwork()
{
    inObject("LAN", [this] {
        ZUNetworkParameters *network = c->networkParameters();
        network->setAllowed(true);
        const int mode = reader.readEnum<zu::LanMode>("lanMode");
        if (mode != zu::NotSet)
            network->setLanMode(mode);
        if (mode == zu::staticIP) {
            network->setLanIP(reader.readString("lanIP"));
            network->setLanMask(reader.readString("lanMask"));
            network->setGtwIP(reader.readString("gtwIP"));
            network->setDnsIP(reader.readString("dnsIP"));
        } else {
            // Addresses of a static setting are void under any other mode.
            reader.markKnown({"lanIP", "lanMask", "gtwIP", "dnsIP"});
        }
        network->setSrvIP(reader.readString("srvIP"));
        network->setSrvName(reader.readString("srvName"));
        network->setAsudPort(readPort("asudPort"));
        network->setMacAddres(reader.readString("macAddres"));
        network->setSntpIP(reader.readString("sntpIP"));
        network->setSntpName(reader.readString("sntpName"));
        keep(c->keptMembers(), reader.context(), "LAN");
        return true;
    });
}

void ZUConfigurationReader::Private::readSignalGroupTimes(ZUSignalGroup *group)
{
    group->setExtRed(reader.readInt("extRed"));
    group->setRedAmber(reader.readInt("redAmber"));
    group->setGreenBlink(reader.readInt("greenBlink"));
    group->setAmber(reader.readInt("amber"));
    group->setMinRed(reader.readInt("minRed"));
    group->setMaxRed(reader.readInt("maxRed"));
    group->setMinGreen(reader.readInt("minGreen"));
    group->setMaxGreen(reader.readInt("maxGreen"));
    group->setExtGreen1(reader.readInt("extGreen1"));
    group->setExtGreen2(reader.readInt("extGreen2"));
}

void ZUConfigurationReader::Private::readSignalGroups()
{
    inObject("signalGroups", [this] {
        inObject("default", [this] {
            readSignalGroupTimes(c->signalGroupDefaults());
            keep(c->signalGroupDefaults()->keptMembers(), reader.context());
            return true;
        });
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUSignalGroup> group(new ZUSignalGroup);
            readNameAndId(group.get());
            group->setType(reader.readEnum<zu::SGType>("type"));
            readSignalGroupTimes(group.get());
            keep(group->keptMembers(), item);
            c->addSignalGroup(group.release());
            return true;
        });
        keep(c->keptMembers(), reader.context(), "signalGroups");
        return true;
    });
}

void ZUConfigurationReader::Private::readStages()
{
    forEachItem("stages", [this](const JsonValue &item) {
        Pending<ZUStage> stage(new ZUStage);
        readNameAndId(stage.get());
        for (const JsonValue &item : reader.readArray("groups")) {
            if (const QPointer<ZUSignalGroup> group = resolveReference(item, signalGroupLookup()))
                stage->addGroup(group);
        }
        // minTime and maxTime are older names of the same values.
        stage->setMinTime(reader.isInteger("minGreen") ? reader.current().toInt() : reader.readInt("minTime"));
        stage->setMaxTime(reader.isInteger("maxGreen") ? reader.current().toInt() : reader.readInt("maxTime"));
        reader.markKnown({"minTime", "maxTime"});
        keep(stage->keptMembers(), item);
        c->addStage(stage.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readMatrix()
{
    ZUIntergreenMatrix *matrix = c->intergreenMatrix();
    forEachItem("IGM", [this, matrix](const JsonValue &element) {
        matrix->setId(reader.readInt("id"));
        matrix->setName(reader.readString("name"));
        if (reader.isArray("matrix")) {
            readMatrixTable(reader.current());
            reader.markKnown({"items"}); // the table replaces the list
        } else if (reader.isArray("items")) {
            // Points with members of their own are rare: they are found again
            // once after the list, not by a search per point.
            QHash<QPair<const ZUSignalGroup *, const ZUSignalGroup *>, QVector<JsonRawMember>> kept;
            forEachItem(reader.current(), [this, matrix, &kept](const JsonValue &item) {
                const QPointer<ZUSignalGroup> clearing = readReference("clearing", signalGroupLookup(), false, true);
                const QPointer<ZUSignalGroup> entering = readReference("entering", signalGroupLookup(), false, true);
                const int time = reader.readInt("time");
                if (clearing && entering) {
                    matrix->setConflictTime(clearing, entering, time);
                    const QVector<JsonRawMember> members = item.unaskedMembers();
                    if (!members.isEmpty())
                        kept.insert({clearing.data(), entering.data()}, members);
                }
                return true;
            });
            if (!kept.isEmpty()) {
                for (ZUIntergreenMatrix::Point &point : matrix->points())
                    point.kept.setMembers("", kept.value({point.clearing.data(), point.entering.data()}));
            }
        } else {
            reader.addWarning(tr("Matrix not contains conflict points"), element.member("items"));
        }
        keep(matrix->keptMembers(), element);
        return true;
    });
}

void ZUConfigurationReader::Private::readMatrixTable(const JsonValue &matrix)
{
    // Row r and column c belong to the r-th and c-th signal group of the file.
    const QList<QPointer<ZUSignalGroup>> groups = c->signalGroups();
    const int count = groups.size();
    if (matrix.size() != count) {
        reader.addWarning(tr("Row count in matrix %1 != signal group count %2. Matrix ignored")
                              .arg(matrix.size())
                              .arg(count),
                          matrix);
        return;
    }
    for (int r = 0; r < count; ++r) {
        const JsonValue row = matrix.at(r);
        if (row.type() != JsonValue::Array) {
            reader.addWarning(tr("Rows in matrix must be arrays. Matrix ignored"), matrix);
            return;
        }
        if (row.size() != count) {
            reader.addWarning(tr("Column count in matrix %1 != signal group count %2. Matrix ignored")
                                  .arg(row.size())
                                  .arg(count),
                              matrix);
            return;
        }
        for (int col = 0; col < count; ++col) {
            const JsonValue cell = row.at(col);
            if (cell.type() == JsonValue::Integer || cell.type() == JsonValue::Double)
                c->intergreenMatrix()->setConflictTime(groups.at(r), groups.at(col), cell.toInt());
        }
    }
}

void ZUConfigurationReader::Private::readDetectors()
{
    if (!reader.check("detectors"))
        return;
    const JsonValue detectors = reader.current();
    if (detectors.type() == JsonValue::Array) {
        // The older form: a bare list of detectors without report flags.
        forEachItem(detectors, [this](const JsonValue &item) {
            Pending<ZUDetector> detector(new ZUDetector);
            readNameAndId(detector.get());
            reader.markKnown({"report"}); // not read in this form
            keep(detector->keptMembers(), item);
            c->addDetector(detector.release());
            return true;
        });
    } else if (detectors.type() == JsonValue::Object) {
        reader.enter(detectors);
        c->detectorIntervals()->logInterval = reader.readInt("logInterval");
        c->detectorIntervals()->logIntervalASUDD = reader.readInt("logIntervalASUDD");
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUDetector> detector(new ZUDetector);
            readNameAndId(detector.get());
            detector->setReport(reader.readBool("report"));
            keep(detector->keptMembers(), item);
            c->addDetector(detector.release());
            return true;
        });
        keep(c->keptMembers(), detectors, "detectors");
        reader.leave();
    } else {
        reader.addWarning(tr("'detectors' attribute has invalid type (must be array or object)"), detectors);
    }
}

bool ZUConfigurationReader::Private::readPlans(QString *error)
{
    return forEachItem("plans", [this, error](const JsonValue &item) {
        Pending<ZUSignalPlan> plan(new ZUSignalPlan);
        plan->setId(reader.readInt("id"));
        plan->setName(reader.readString("name"));
        if (!inObject("algorithm", [this, &plan, error] { return readPlanAlgorithm(plan.get(), error); }))
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

void ZUConfigurationReader::Private::warnInvalidForType(ZUSignalPlan *plan, bool present, int validType,
                                                        const char *key)
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
        const QPointer<ZUSignalGroup> group = readReference("group", signalGroupLookup(), false, true);
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
                if (sum < std::numeric_limits<int>::min() || sum > std::numeric_limits<int>::max()) {
                    reader.addWarning(tr("'span' attribute puts the record at %1, out of range. Record ignored").arg(sum),
                                      reader.current());
                    return true;
                }
                point = int(sum);
            } else {
                reader.addWarning(tr("'sequence' record not contains 'point' nor 'span' attributes. Record ignored"),
                                  JsonValue());
                return true;
            }
            sequence.insert(point, zu::TimelineState(reader.readEnum<zu::TimelineState>("state")));
            reader.markKnown({"span"}); // a point makes it void
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
        const QPointer<ZUSignalPlanPhase> phase = plan->addPhase(id, stage, maxGreen, minGreen, recall);
        if (!phase) {
            if (error)
                *error = tr("Internal error: ZUSignalPlan::addPhase return NULL");
            return false;
        }
        phase->setPassage(reader.readInt("passage"));
        phase->setCountdownBoard(reader.readEnum<zu::CountdownBoard>("countdownBoard"));
        made.append({element, phase});
        return true;
    });
    if (!ok)
        return false;
    // A call may name any phase of the plan, also one further down the list.
    const PhaseIndex index(plan->phases());
    auto phaseLookup = [&index](const JsonValue &key) { return index.find(key); };
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
    auto phaseLookup = [&phases](const JsonValue &key) { return phases.find(key); };
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
            reader.addWarning(tr("phase %1 not found").arg(item.toVariant().toString()), sequence);
    }
    if (!ordered.isEmpty())
        plan->setPhases(ordered);
}

void ZUConfigurationReader::Private::readNameAndId(ZUBaseObject *object)
{
    object->setName(reader.readString("name"));
    object->setId(reader.readInt("id"));
}

quint16 ZUConfigurationReader::Private::readPort(const char *key)
{
    // A port is 16 bits wide; a larger number would wrap around to an unrelated
    // port, so it is refused like any other invalid value.
    const int port = reader.readInt(key, 0);
    if (port >= 0 && port <= 0xFFFF)
        return quint16(port);
    reader.addWarning(JsonReader::tr("'%1' attribute has invalid value %2").arg(QLatin1String(key)).arg(port));
    return 0;
}

QTime ZUConfigurationReader::Private::readTime(const char *key, const QString &warning)
{
    if (!reader.isString(key, true))
        return QTime();
    const QTime time = QTime::fromString(reader.current().toString(), Qt::TextDate);
    if (!time.isValid())
        reader.addWarning(warning);
    return time;
}

bool ZUConfigurationReader::Private::readDate(const char *key, const QString &warning, ZUDayMonth *date)
{
    if (!reader.isString(key, true))
        return false;
    const ZUDayMonth value = ZUDayMonth::fromString(reader.current().toString());
    if (!value.isValid()) {
        reader.addWarning(warning);
        return false;
    }
    *date = value;
    return true;
}

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
            const QPointer<ZUSignalPlan> program = readReference("program", signalPlanLookup(), false, true);
            const QPointer<ZUSignalPlan> spareProgram = readReference("spareProgram", signalPlanLookup());
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
    static const char *const dayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                           "Friday", "Saturday", "Sunday"};
    forEachItem("weeks", [this](const JsonValue &item) {
        const int id = reader.readInt("id");
        Pending<ZUWeekPlan> week(new ZUWeekPlan(id, reader.readString("name")));
        if (reader.check("days", true)) {
            const JsonValue days = reader.current();
            if (days.type() == JsonValue::Array) {
                if (days.size() != 7)
                    reader.addWarning(tr("'days' array has invalid size %1. Must be 7").arg(days.size()), days);
                for (int i = 0; i < qMin(days.size(), 7); ++i) {
                    // null keeps the place of a day without a plan.
                    if (days.at(i).type() == JsonValue::Null)
                        week->insert(Qt::DayOfWeek(i + 1), nullptr);
                    else if (const QPointer<ZUDayPlan> plan = resolveReference(days.at(i), dayPlanLookup()))
                        week->insert(Qt::DayOfWeek(i + 1), plan);
                }
            } else if (days.type() == JsonValue::Object) {
                reader.enter(days);
                for (int i = 0; i < 7; ++i) {
                    if (const QPointer<ZUDayPlan> plan = readReference(dayNames[i], dayPlanLookup()))
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

void ZUConfigurationReader::Private::readControlSources()
{
    forEachItem("controlSources", [this](const JsonValue &item) {
        Pending<ZUControlSource> source(new ZUControlSource);
        source->setType(reader.readEnum<zu::CsType>("type"));
        source->setId(reader.readInt("id"));
        source->setPriority(reader.readInt("priority"));
        source->setTimeout(reader.readInt("timeout"));
        keep(source->keptMembers(), item);
        c->addControlSource(source.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readKmp()
{
    inObject("KMP1", [this] {
        ZUKMP1 *kmp = c->kmp1();
        forEachItem("devices", [this, kmp](const JsonValue &item) {
            const int device = reader.readEnum<zu::KMPDevice::Type>("device");
            const int addr = reader.readInt("addr");
            const int type = reader.readEnum<zu::KMPDevice::SubType>("type");
            const int port = reader.readEnum<zu::KMPDevPort::Value>("port");
            auto *created = new ZUKMPDevice(device, addr, type, port);
            keep(created->keptMembers(), item);
            kmp->addDevice(created);
            return true;
        });
        if (reader.isInteger("auto"))
            kmp->setAuto(reader.current().toInt() == 1 ? 1 : 0);
        keep(c->keptMembers(), reader.context(), "KMP1");
        return true;
    });
}

void ZUConfigurationReader::Private::readSwitchValues(ZUSwitch *sw)
{
    sw->setControl(reader.readBool("control"));
    sw->setLowCurrent(reader.readInt("lowCurrent"));
    sw->setUpCurrent(reader.readInt("upCurrent"));
    sw->setMinCurrent(reader.readInt("minCurrent"));
}

void ZUConfigurationReader::Private::readSwitches()
{
    inObject("switches", [this] {
        inObject("default", [this] {
            ZUSwitch *defaults = c->switchDefaults();
            defaults->setType(reader.readEnum<zu::Switch>("type"));
            readSwitchValues(defaults);
            keep(defaults->keptMembers(), reader.context());
            return true;
        });
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUSwitch> sw(new ZUSwitch);
            readNameAndId(sw.get());
            sw->setType(reader.readEnum<zu::Switch>("type"));
            sw->setSignalGroup(readReference("signalGroup", signalGroupLookup()));
            sw->setAddr(reader.readInt("addr"));
            sw->setColor(reader.readEnum<zu::Color::Value>("color"));
            sw->setHeads(reader.readInt("heads"));
            readSwitchValues(sw.get());
            keep(sw->keptMembers(), item);
            c->addSwitch(sw.release());
            return true;
        });
        keep(c->keptMembers(), reader.context(), "switches");
        return true;
    });
}

void ZUConfigurationReader::Private::readCountdownBoards()
{
    inObject("countdownBoards", [this] {
        ZUCountdownBoards *boards = c->countdownBoards();
        boards->setProtocol(reader.readEnum<zu::CountdownBoardProtocol>("protocol"));
        boards->setWarnTime(reader.readInt("warnTime"));
        forEachItem("items", [this, boards](const JsonValue &item) {
            const QPointer<ZUSignalGroup> group = readReference("id", signalGroupLookup());
            const int addr = reader.readInt("addr");
            const int count = reader.readInt("boards");
            const int warnTime = reader.readInt("warnTime");
            if (group) {
                boards->addBoard(group, count, addr, warnTime);
                keep(boards->boards().last().kept, item);
            }
            return true;
        });
        keep(c->keptMembers(), reader.context(), "countdownBoards");
        return true;
    });
}

void ZUConfigurationReader::Private::readInputsOutputs()
{
    inObject("inputsOutputs", [this] {
        const QList<QPointer<ZUDIO>> dios = c->dios();
        for (int i = 0; i < dios.size(); ++i) {
            const QByteArray key = "DIO" + QByteArray::number(i + 1);
            ZUDIO *dio = dios.at(i);
            inObject(key.constData(), [this, dio, &key] {
                dio->setType(reader.readEnum<zu::DIO::Type>("type"));
                dio->setCommon(reader.readEnum<zu::Polarity>("common"));
                dio->setIp(reader.readString("IP"));
                dio->setPort(readPort("port"));
                forEachItem("channels", [this, dio](const JsonValue &item) {
                    ZUDIO::Channel channel;
                    channel.channel = reader.readInt("channel");
                    channel.type = reader.readEnum<zu::ChannelType>("type");
                    channel.common = reader.readEnum<zu::Polarity>("common");
                    channel.detector = readReference("detector", detectorLookup());
                    keep(channel.kept, item);
                    dio->addChannel(channel);
                    return true;
                });
                keep(c->keptMembers(), reader.context(), QByteArray("inputsOutputs/" + key).constData());
                return true;
            });
        }
        keep(c->keptMembers(), reader.context(), "inputsOutputs");
        return true;
    });
}

void ZUConfigurationReader::Private::readRemoteControlPanel()
{
    inObject("remoteControlPanel", [this] {
        inObject("VPU1", [this] {
            ZUVPU *vpu = c->vpu();
            vpu->setType(reader.readEnum<zu::VPUType>("type"));
            if (const QPointer<ZUControlSource> source =
                    readReference("sourceId", controlSourceLookup()))
                vpu->setSource(source);
            // The panel's priority is that of its control source and overrides the
            // one given under controlSources; an absent one leaves it alone.
            if (reader.isInteger("priority"))
                vpu->setPriority(reader.current().toInt());
            vpu->setIdleInd(reader.readBool("idleInd"));
            vpu->setCommon(reader.readEnum<zu::Polarity>("common"));
            for (const JsonValue &item : reader.readArray("stageId"))
                vpu->addStage(resolveReference(item, stageLookup(), true));
            keep(c->keptMembers(), reader.context(), "remoteControlPanel/VPU1");
            return true;
        });
        keep(c->keptMembers(), reader.context(), "remoteControlPanel");
        return true;
    });
}

void ZUConfigurationReader::Private::readRecovery()
{
    inObject("recovery", [this] {
        ZURecoveryParameters *recovery = c->recoveryParameters();
        recovery->setDefectSwitchRate(reader.readInt("defectSwitchRate"));
        recovery->setConfidenceInterval(reader.readInt("confidenceInterval"));
        inObject("errors", [this, recovery] {
            const QStringList keys = ZURecoveryParameters::errorKeys();
            for (int i = 0; i < keys.size(); ++i)
                readRecoveryError(keys.at(i).toLatin1().constData(), recovery->errors()[size_t(i)]);
            keep(c->keptMembers(), reader.context(), "recovery/errors");
            return true;
        });
        keep(c->keptMembers(), reader.context(), "recovery");
        return true;
    });
}

void ZUConfigurationReader::Private::readRecoveryError(const char *key, ZURecoveryParameters::ErrorRecovery &record)
{
    record = ZURecoveryParameters::ErrorRecovery();
    inObject(key, [this, &record, key] {
        record.attempts = reader.readInt("attempts");
        record.interval = reader.readInt("interval");
        record.filter = reader.readInt("filter");
        keep(c->keptMembers(), reader.context(), QByteArray(QByteArray("recovery/errors/") + key).constData());
        return true;
    });
}

ZUConfigurationReader::ZUConfigurationReader(ZUConfiguration *configuration)
    : d(new Private(configuration))
{
}

ZUConfigurationReader::~ZUConfigurationReader() = default;

bool ZUConfigurationReader::read(const QByteArray &data, QString *error)
{
    LoadingScope loading(d->c);
    return d->read(data, error);
}
