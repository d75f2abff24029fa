#pragma once

#include "jsonvalue.h"

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
    void clear() { m_parts.clear(); }

private:
    QVector<QPair<QByteArray, QVector<JsonRawMember>>> m_parts;
};
