#include "cnfjsonvalue.h"

#include <QVariantList>
#include <QVariantMap>

#include <limits>

CnfJsonValue::CnfJsonValue(Type type, int line, int column)
    : m_type(type)
    , m_line(line)
    , m_column(column)
{
}

const CnfJsonValue &CnfJsonValue::at(int index) const
{
    static const CnfJsonValue undefined;
    return index >= 0 && index < m_items.size() ? m_items.at(index) : undefined;
}

int CnfJsonValue::indexOf(const QString &name) const
{
    if (m_members.size() > 8) {
        if (m_index.size() != m_members.size()) {
            m_index.clear();
            for (int i = 0; i < m_members.size(); ++i)
                m_index.insert(m_members.at(i).first, i);
        }
        return m_index.value(name, -1);
    }
    for (int i = 0; i < m_members.size(); ++i) {
        if (sameName(m_members.at(i).first, name))
            return i;
    }
    return -1;
}

const CnfJsonValue &CnfJsonValue::member(const QString &name) const
{
    static const CnfJsonValue undefined;
    const int index = indexOf(name);
    return index >= 0 ? m_members.at(index).second : undefined;
}

void CnfJsonValue::insert(const QString &name, const CnfJsonValue &value)
{
    const int index = indexOf(name);
    if (index >= 0)
        m_members[index].second = value;
    else
        memberRef(name) = value;
}

CnfJsonValue &CnfJsonValue::memberRef(const QString &name, int line, int column)
{
    int index = indexOf(name);
    if (index < 0) {
        index = m_members.size();
        if (m_index.size() == index && index > 0)
            m_index.insert(name, index);
        m_members.append(qMakePair(name, CnfJsonValue(Undefined, line, column)));
    }
    return m_members[index].second;
}

void CnfJsonValue::setType(Type type, int line, int column)
{
    m_type = type;
    m_line = line;
    m_column = column;
}

QVariant CnfJsonValue::toVariant() const
{
    switch (m_type) {
    case Integer: {
        const qlonglong value = m_scalar.toLongLong();
        if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
            return QVariant(int(value));
        return QVariant(value);
    }
    case Bool:
    case Double:
    case String:
        return m_scalar;
    case Array: {
        QVariantList list;
        list.reserve(m_items.size());
        for (const CnfJsonValue &item : m_items)
            list.append(item.toVariant());
        return list;
    }
    case Object: {
        QVariantMap map;
        for (const auto &member : m_members)
            map.insert(member.first, member.second.toVariant());
        return map;
    }
    case Null:
    case Undefined:
        break;
    }
    return QVariant();
}

QString CnfJsonValue::typeName(Type type)
{
    switch (type) {
    case Null:
        return QStringLiteral("null");
    case Bool:
        return QStringLiteral("boolean");
    case Integer:
        return QStringLiteral("integer");
    case Double:
        return QStringLiteral("number");
    case String:
        return QStringLiteral("text");
    case Array:
        return QStringLiteral("array");
    case Object:
        return QStringLiteral("object");
    case Undefined:
        break;
    }
    return QStringLiteral("nothing");
}

QString CnfJsonValue::where() const
{
    return QStringLiteral("line %1, column %2").arg(m_line).arg(m_column);
}
