#include "controlsources.h"

#include "nativenumber.h"

#include <QSet>

namespace {

bool holdsPriority(const VObject &entry, int *priority)
{
    bool ok = false;
    *priority = entry["priority"].toInt(&ok);
    return ok;
}

} // namespace

VObject ControlSources::list(const VObject &root)
{
    return root["controlSources"];
}

bool ControlSources::matchesByType(const VObject &pointer, const VObject &entry)
{
    if (pointer.type() == QMetaType::QString)
        return entry["name"].type() == QMetaType::QString && entry["name"] == pointer.toString();
    if (isNativeNumberType(pointer.type()))
        return isNativeNumberType(entry["id"].type()) && entry["id"] == pointer.toVariant();
    return false;
}

bool ControlSources::matchesNameOrId(const VObject &pointer, const VObject &entry)
{
    if (pointer.isNull())
        return false;
    const VObject name = entry["name"];
    const VObject id = entry["id"];
    return (!name.isNull() && name == pointer.toVariant())
        || (!id.isNull() && id == pointer.toVariant());
}

bool ControlSources::isUnranked(const VObject &entry)
{
    return entry["type"] == "JsConsole" || entry["type"] == "JsonRPC";
}

int ControlSources::highestPriority(const VObject &sources, const QString &excludedName)
{
    int highest = 1;
    for (int i = 0; i < sources.size(); ++i) {
        const VObject entry = sources[i];
        int priority = 0;
        if (!holdsPriority(entry, &priority) || priority >= RankLimit || isUnranked(entry)
            || entry["name"] == excludedName)
            continue;
        highest = qMax(highest, priority);
    }
    return highest;
}

int ControlSources::firstFreePriority(const VObject &sources, int start)
{
    QSet<int> used;
    for (int i = 0; i < sources.size(); ++i) {
        int priority = 0;
        if (holdsPriority(sources[i], &priority))
            used.insert(priority);
    }
    int priority = start;
    while (used.contains(priority))
        ++priority;
    return priority;
}

int ControlSources::largestId(const VObject &sources)
{
    int largest = 1;
    for (int i = 0; i < sources.size(); ++i) {
        bool ok = false;
        const int id = sources[i]["id"].toInt(&ok);
        if (ok)
            largest = qMax(largest, id);
    }
    return largest;
}

int ControlSources::smallestFreeId(const VObject &sources)
{
    QSet<int> used;
    for (int i = 0; i < sources.size(); ++i) {
        bool ok = false;
        const int id = sources[i]["id"].toInt(&ok);
        if (ok)
            used.insert(id);
    }
    int id = 1;
    while (used.contains(id))
        ++id;
    return id;
}

VObject ControlSources::lastWithPriority(const VObject &sources, int priority)
{
    for (int i = sources.size() - 1; i >= 0; --i) {
        int held = 0;
        if (holdsPriority(sources[i], &held) && held == priority)
            return sources[i];
    }
    return VObject();
}

void ControlSources::setOrRemove(VObject node, const QString &key, const QVariant &value)
{
    if (value.isValid())
        node[key] = value;
    else
        node.remove(key);
}

bool ControlSources::exchange(VObject rcuPriority, VObject centralPriority, bool centralUnderRcu)
{
    bool rcuSet = false;
    bool centralSet = false;
    const int rcu = rcuPriority.toInt(&rcuSet);
    const int central = centralPriority.toInt(&centralSet);
    if (!rcuSet || !centralSet)
        return false;
    if (centralUnderRcu ? rcu <= central : central <= rcu)
        return false;
    rcuPriority = QVariant(central);
    centralPriority = QVariant(rcu);
    return true;
}

bool ControlSources::exchangeWithCentral(const VObject &sources, VObject rcuPriority,
                                         bool centralUnderRcu, int lowest, int highest)
{
    bool rcuSet = false;
    const int rcu = rcuPriority.toInt(&rcuSet);
    if (!rcuSet || lowest > highest)
        return false;
    const int taken = centralUnderRcu ? lowest : highest;
    if (centralUnderRcu ? lowest >= rcu : rcu >= highest)
        return false;
    VObject holder = ControlSources::lastWithPriority(sources, taken);
    if (!holder.isNull())
        holder["priority"] = QVariant(rcu);
    rcuPriority = QVariant(taken);
    return true;
}
