#pragma once

#include "jsonreader.h"
#include "zuconfiguration.h"
#include "zuconfigurationreader.h"
#include "zulookup.h"

#include "flatindex/flatindex.h"
#include "utf8/utf8.h"

#include <QHash>
#include <QTime>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

// The id a reference names: an Integer as it stands; another number by the
// model's rule for numeric keys (a Double rounded, when it fits). Texts name no id.
inline bool referencedId(const JsonValue &value, int &id)
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
template<typename T> class ReferenceIndex
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
                position = slot >= 0 && slot < qint64(m_positions.size())
                    ? m_positions[size_t(slot)]
                    : -1;
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
    FlatIndex<int> m_ids; // otherwise
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
template<typename T> using Pending = std::unique_ptr<T>;

// The parsing state of ZUConfigurationReader: one read...() per section of the
// file. Defined over zuconfigurationreader.cpp (the root, signal groups, stages,
// matrix, detectors and the value helpers), zuconfigurationreaderplans.cpp,
// zuconfigurationreaderscheduler.cpp and zuconfigurationreaderdevices.cpp.
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
    auto readReference(const char *key, Lookup lookup, bool nullAllowed = false,
                       bool required = false) -> decltype(lookup(JsonValue()));

    // Calls read(item) for each element of the array `key`, with the element as
    // the reader's context.
    template<typename Read> bool forEachItem(const char *key, Read read);
    template<typename Read> bool forEachItem(const JsonValue &array, Read read);
    // Calls read() with the member `key` as context when it is an object.
    template<typename Read> bool inObject(const char *key, Read read);

    void readRoot();
    void readTimeZone();
    void readNetwork();
    void readSignalGroupTimes(ZUSignalGroup *group);
    void readSignalGroups();
    void readStages();
    // The conflict points given so far in any IGM element, by table or list, each
    // with the members its item held beyond the known ones (none for a table cell).
    using GivenConflictPoints
        = QHash<QPair<const ZUSignalGroup *, const ZUSignalGroup *>, QVector<JsonRawMember>>;
    void readMatrix();
    void readMatrixTable(const JsonValue &matrix, GivenConflictPoints &given);
    void takeConflictPoint(GivenConflictPoints &given, ZUSignalGroup *clearing,
                           ZUSignalGroup *entering, int time, const JsonValue &where,
                           const QVector<JsonRawMember> &members);
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
        return [this](const JsonValue &key) {
            return m_signalGroups.find(c->signalGroups(), key);
        };
    }
    auto stageLookup()
    {
        return [this](const JsonValue &key) {
            return m_stages.find(c->stages(), key);
        };
    }
    auto detectorLookup()
    {
        return [this](const JsonValue &key) {
            return m_detectors.find(c->detectors(), key);
        };
    }
    auto signalPlanLookup()
    {
        return [this](const JsonValue &key) {
            return m_signalPlans.find(c->signalPlans(), key);
        };
    }
    auto dayPlanLookup()
    {
        return [this](const JsonValue &key) {
            return m_dayPlans.find(c->dayPlans(), key);
        };
    }
    auto weekPlanLookup()
    {
        return [this](const JsonValue &key) {
            return m_weekPlans.find(c->weekPlans(), key);
        };
    }
    auto controlSourceLookup()
    {
        return [this](const JsonValue &key) {
            return m_controlSources.find(c->controlSources(), key);
        };
    }
};

template<typename Lookup>
auto ZUConfigurationReader::Private::resolveReference(const JsonValue &value, Lookup lookup,
                                                      bool nullAllowed)
    -> decltype(lookup(JsonValue()))
{
    if (nullAllowed && value.type() == JsonValue::Null)
        return nullptr;
    if (auto found = lookup(value))
        return found;
    const QVariant key = value.toVariant();
    QString text;
    if (value.type() == JsonValue::String) {
        text = value.toString().isEmpty()
            ? JsonReader::tr("Object with empty name")
            : JsonReader::tr("Object with name %1 not found").arg(Utf8::quoted(value.toString()));
    } else if (!key.isValid()) {
        text = JsonReader::tr("Object with empty id");
    } else {
        text = JsonReader::tr("Object with id %1 not found").arg(Utf8::quoted(key.toString()));
    }
    reader.addWarning(text, value);
    return nullptr;
}

template<typename Lookup>
auto ZUConfigurationReader::Private::readReference(const char *key, Lookup lookup, bool nullAllowed,
                                                   bool required) -> decltype(lookup(JsonValue()))
{
    if (!reader.check(key, required))
        return nullptr;
    return resolveReference(reader.current(), lookup, nullAllowed);
}

template<typename Read> bool ZUConfigurationReader::Private::forEachItem(const char *key, Read read)
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

template<typename Read> bool ZUConfigurationReader::Private::inObject(const char *key, Read read)
{
    if (!reader.isObject(key))
        return true;
    reader.enter(reader.current());
    const bool ok = read();
    reader.leave();
    return ok;
}
