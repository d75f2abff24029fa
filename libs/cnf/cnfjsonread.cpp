#include "cnfjsonread.h"

#include "cnfjsonparser.h"

#include <algorithm>

bool CnfJsonRead::fail(const CnfJsonValue &at, const QString &message)
{
    if (m_error.isEmpty())
        m_error
            = QStringLiteral("Line %1, column %2: %3").arg(at.line()).arg(at.column()).arg(message);
    return false;
}

// Callers test the type first where the description of the value is built for
// the message only, so that a value of the right type costs no text.
bool CnfJsonRead::isType(const CnfJsonValue &value, CnfJsonValue::Type type, const QString &what)
{
    if (value.type() == type)
        return true;
    return fail(value,
                QStringLiteral("%1 must be %2, not %3")
                    .arg(what, CnfJsonValue::typeName(type), CnfJsonValue::typeName(value.type())));
}

int CnfJsonRead::integerValue(const CnfJsonValue &value, const QString &what, int min, int max)
{
    if (value.type() != CnfJsonValue::Integer && !isType(value, CnfJsonValue::Integer, what))
        return 0;
    const qlonglong number = value.scalar().toLongLong();
    if (number < min || number > max) {
        fail(value,
             QStringLiteral("%1 has the value %2, out of the range %3 to %4")
                 .arg(what)
                 .arg(number)
                 .arg(min)
                 .arg(max));
        return 0;
    }
    return int(number);
}

qlonglong CnfJsonRead::integer64(const CnfJsonValue &object, const QString &key,
                                 qlonglong defaultValue, qlonglong min, qlonglong max)
{
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return defaultValue;
    if (value.type() == CnfJsonValue::Double) {
        fail(value,
             QStringLiteral("'%1' must be a whole number in range, not %2")
                 .arg(key)
                 .arg(value.scalar().toDouble()));
        return defaultValue;
    }
    if (value.type() != CnfJsonValue::Integer
        && !isType(value, CnfJsonValue::Integer, QStringLiteral("'%1'").arg(key)))
        return defaultValue;
    const qlonglong number = value.scalar().toLongLong();
    if (number < min || number > max) {
        fail(value,
             QStringLiteral("'%1' has the value %2, out of the range %3 to %4")
                 .arg(key)
                 .arg(number)
                 .arg(min)
                 .arg(max));
        return defaultValue;
    }
    return number;
}

int CnfJsonRead::integer(const CnfJsonValue &object, const QString &key, int defaultValue, int min,
                         int max)
{
    return int(integer64(object, key, defaultValue, min, max));
}

double CnfJsonRead::number(const CnfJsonValue &object, const QString &key, double defaultValue)
{
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return defaultValue;
    if (!value.isNumber()) {
        fail(value,
             QStringLiteral("'%1' must be a number, not %2")
                 .arg(key, CnfJsonValue::typeName(value.type())));
        return defaultValue;
    }
    return value.scalar().toDouble();
}

bool CnfJsonRead::boolean(const CnfJsonValue &object, const QString &key, bool defaultValue)
{
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return defaultValue;
    if (value.type() != CnfJsonValue::Bool
        && !isType(value, CnfJsonValue::Bool, QStringLiteral("'%1'").arg(key)))
        return defaultValue;
    return value.scalar().toBool();
}

QString CnfJsonRead::text(const CnfJsonValue &object, const QString &key,
                          const QString &defaultValue)
{
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return defaultValue;
    if (value.type() != CnfJsonValue::String
        && !isType(value, CnfJsonValue::String, QStringLiteral("'%1'").arg(key)))
        return defaultValue;
    return value.scalar().toString();
}

QString CnfJsonRead::idText(const CnfJsonValue &object, const QString &key)
{
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return QString();
    if (value.type() == CnfJsonValue::Integer || value.type() == CnfJsonValue::String)
        return value.scalar().toString();
    fail(value,
         QStringLiteral("'%1' must be a text or a whole number, not %2")
             .arg(key, CnfJsonValue::typeName(value.type())));
    return QString();
}

const CnfJsonValue &CnfJsonRead::object(const CnfJsonValue &object, const QString &key)
{
    static const CnfJsonValue undefined;
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return undefined;
    return value.type() == CnfJsonValue::Object
            || isType(value, CnfJsonValue::Object, QStringLiteral("'%1'").arg(key))
        ? value
        : undefined;
}

const CnfJsonValue &CnfJsonRead::array(const CnfJsonValue &object, const QString &key)
{
    static const CnfJsonValue undefined;
    const CnfJsonValue &value = object.member(key);
    if (value.isUndefined() || !ok())
        return undefined;
    return value.type() == CnfJsonValue::Array
            || isType(value, CnfJsonValue::Array, QStringLiteral("'%1'").arg(key))
        ? value
        : undefined;
}

bool CnfJsonRead::onlyKeys(const CnfJsonValue &object, const QStringList &keys, const QString &what)
{
    for (const auto &member : object.members()) {
        const bool known = std::any_of(keys.cbegin(), keys.cend(), [&](const QString &key) {
            return CnfJsonValue::sameName(key, member.first);
        });
        if (!known)
            return fail(member.second,
                        QStringLiteral("unknown key '%1' in %2")
                            .arg(CnfJsonParser::quoted(member.first), what));
    }
    return true;
}
