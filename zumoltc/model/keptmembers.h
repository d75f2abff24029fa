#pragma once

#include "jsonvalue.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QVector>

// Members of file objects that the reader does not know, kept with the model
// object or record they came with, so that a save writes them back as they
// stood in the file (after the members the writer knows). One carrier may hold
// the members of several file objects, each under the name of its part: the
// carrier's own object under the empty name, a section or nested object under
// its own. Empty, it costs one shared pointer, so records carry one freely.
class KeptMembers
{
public:
    bool isEmpty() const { return m_parts.isEmpty(); }
    QVector<JsonRawMember> members(const char *part = "") const;
    // Replaces the members of the part; an empty list drops the part.
    void setMembers(const char *part, const QVector<JsonRawMember> &members);
    // Adds members to the part; one whose name the part holds already replaces that
    // member where it stands, as a later duplicate key of a file wins.
    void addMembers(const char *part, const QVector<JsonRawMember> &members);
    void clear() { m_parts.clear(); }

private:
    QVector<QPair<QByteArray, QVector<JsonRawMember>>> m_parts;
};

// A page that rebuilds a list of records on Apply hands the members the file
// held for the old records to the new records of the same key (the group of a
// board, the start of a period, the position of a step: what identifies a
// record to the user), so that an edit elsewhere in the list does not drop them.
// keyOf(record, position) gives the key; the first old record of a key wins.
template<typename Record, typename KeyOf>
void carryKeptMembers(const QList<Record> &before, QList<Record> &after, KeyOf keyOf)
{
    using Key = decltype(keyOf(before.first(), 0));
    QHash<Key, KeptMembers> kept;
    for (int i = 0; i < before.size(); ++i) {
        if (!before.at(i).kept.isEmpty() && !kept.contains(keyOf(before.at(i), i)))
            kept.insert(keyOf(before.at(i), i), before.at(i).kept);
    }
    if (kept.isEmpty())
        return;
    for (int i = 0; i < after.size(); ++i) {
        const auto found = kept.find(keyOf(after.at(i), i));
        if (found != kept.end() && after.at(i).kept.isEmpty()) {
            after[i].kept = found.value();
            kept.erase(found);
        }
    }
}
