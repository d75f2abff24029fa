#pragma once

#include "cnf/vobject.h"

#include <QString>

// The "controlSources" list of the native data: every source that may command
// the controller, each with an "id", a "name", a "type" and a "priority" (the
// smaller number takes precedence). The RCU and the central-system dialogs
// edit their own entries in place, append new ones at the end and keep the
// rank of the RCU against the central system only by exchanging two priority
// numbers, so the entries of everyone else keep their numbers.
class ControlSources
{
public:
    // Priorities of this value and above are outside the ranking.
    static constexpr int RankLimit = 9999;

    // The list below the native root (null when absent).
    static VObject list(const VObject &root);

    // A pointer by its own type: a text names the entry's "name", a number
    // (integer or real) its "id", numbers compared by value (3 == 3.0).
    static bool matchesByType(const VObject &pointer, const VObject &entry);
    // The entry's "name" first, then its "id", whatever the pointer holds.
    static bool matchesNameOrId(const VObject &pointer, const VObject &entry);

    // "JsConsole" and "JsonRPC" sources do not take part in the ranking.
    static bool isUnranked(const VObject &entry);
    // The largest priority below RankLimit among ranked entries not named
    // `excludedName`, and at least 1.
    static int highestPriority(const VObject &sources, const QString &excludedName);
    // The first priority from `start` upwards that no entry holds.
    static int firstFreePriority(const VObject &sources, int start);
    // The largest "id" (at least 1) and the smallest positive one not in use.
    static int largestId(const VObject &sources);
    static int smallestFreeId(const VObject &sources);
    // The last entry of the list whose priority is `priority` (null when none).
    static VObject lastWithPriority(const VObject &sources, int priority);

    // Writes a set value under the key of the map node; a not-set value
    // removes the key instead of storing a null.
    static void setOrRemove(VObject node, const QString &key, const QVariant &value);

    // Keeps the RCU above or below one central-system source: when
    // `centralUnderRcu` is set and the RCU has the larger number, or it is
    // clear and the central system has the larger number, the two exchange
    // their numbers. Nothing happens when either is not set. True when they
    // were exchanged.
    static bool exchange(VObject rcuPriority, VObject centralPriority, bool centralUnderRcu);
    // The same against several central-system sources holding priorities
    // `lowest` to `highest`: the RCU takes `lowest` (flag set, RCU below it)
    // or `highest` (flag clear, RCU above it) from the last entry holding it,
    // which takes the RCU's number.
    static bool exchangeWithCentral(const VObject &sources, VObject rcuPriority,
                                    bool centralUnderRcu, int lowest, int highest);
};
