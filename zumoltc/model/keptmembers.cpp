#include "keptmembers.h"

#include <algorithm>

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

void KeptMembers::addMembers(const char *part, const QVector<JsonRawMember> &members)
{
    if (members.isEmpty())
        return;
    QVector<JsonRawMember> result = this->members(part);
    for (const JsonRawMember &member : members) {
        const auto same
            = std::find_if(result.begin(), result.end(), [&member](const JsonRawMember &held) {
                  return held.name == member.name;
              });
        if (same != result.end())
            same->value = member.value;
        else
            result.append(member);
    }
    setMembers(part, result);
}
