#include "keptmembers.h"

QVector<JsonRawMember> KeptMembers::members(const char *part) const
{
    for (const auto &entry : m_parts) {
        if (entry.first == part)
            return entry.second;
    }
    return QVector<JsonRawMember>();
}

void KeptMembers::setMembers(const char *part, const QVector<JsonRawMember> &members)
{
    for (int i = 0; i < m_parts.size(); ++i) {
        if (m_parts.at(i).first == part) {
            if (members.isEmpty())
                m_parts.removeAt(i);
            else
                m_parts[i].second = members;
            return;
        }
    }
    if (!members.isEmpty())
        m_parts.append({ QByteArray(part), members });
}
