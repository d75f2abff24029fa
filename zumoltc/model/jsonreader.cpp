#include "jsonreader.h"

#include "utf8/utf8.h"

JsonReader::JsonReader() = default;

bool JsonReader::load(const QByteArray &data, QString *error)
{
    if (!m_parser.parse(data, error))
        return false;
    const JsonValue root = m_parser.root();
    if (root.type() == JsonValue::Object) {
        m_context = root;
        m_warnings = m_parser.warnings();
        return true;
    }
    if (error)
        *error = tr("Configuration must be JSON Object");
    return false;
}

bool JsonReader::check(const char *name, bool warnIfMissing, int type, const JsonValue &object)
{
    const JsonValue where = object.memberCount() > 0 ? object : m_context;
    m_current = where.member(name);
    if (m_current.type() == JsonValue::Undefined) {
        if (warnIfMissing)
            addWarning(tr("Attribute '%1' not defined").arg(QLatin1String(name)), where);
        return false;
    }
    if (type == JsonValue::Undefined || m_current.type() == type)
        return true;
    addWarning(tr("'%1' value %2 has invalid type %3 (must be %4). Value ignored")
                   .arg(QLatin1String(name), Utf8::quoted(m_current.toVariant().toString()),
                        typeName(m_current.type()), typeName(type)),
               m_current);
    return false;
}

bool JsonReader::isArray(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return check(name, warnIfMissing, JsonValue::Array, object);
}

bool JsonReader::isInteger(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return check(name, warnIfMissing, JsonValue::Integer, object);
}

bool JsonReader::isObject(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return check(name, warnIfMissing, JsonValue::Object, object);
}

bool JsonReader::isString(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return check(name, warnIfMissing, JsonValue::String, object);
}

JsonValue JsonReader::readArray(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return isArray(name, warnIfMissing, object) ? m_current : JsonValue();
}

bool JsonReader::readBool(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return check(name, warnIfMissing, JsonValue::Bool, object) && m_current.toBool();
}

int JsonReader::readInt(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return readInt(name, NotSet, warnIfMissing, object);
}

int JsonReader::readInt(const char *name, int defaultValue, bool warnIfMissing,
                        const JsonValue &object)
{
    return isInteger(name, warnIfMissing, object) ? m_current.toInt() : defaultValue;
}

QString JsonReader::readString(const char *name, bool warnIfMissing, const JsonValue &object)
{
    return isString(name, warnIfMissing, object) ? m_current.toString() : QString();
}

bool JsonReader::readEnumAttribute(const QMetaEnum &metaEnum, const char *name, bool warnIfMissing,
                                   const JsonValue &object)
{
    if (!isString(name, warnIfMissing, object))
        return false;
    // Keys compare exactly: no case folding and no "Scope::key" forms, which
    // QMetaEnum::keyToValue would accept.
    const QString text = m_current.toString();
    if (!text.isEmpty()) {
        for (int i = 0; i < metaEnum.keyCount(); ++i) {
            if (text == QLatin1String(metaEnum.key(i))) {
                m_current = JsonValue::fromInt(metaEnum.value(i));
                return true;
            }
        }
    }
    addWarning(
        tr("'%1' attribute has invalid value %2").arg(QLatin1String(name), Utf8::quoted(text)),
        m_current);
    return false;
}

void JsonReader::markKnown(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        m_context.member(name);
}

void JsonReader::enter(const JsonValue &object)
{
    m_contextStack.append(m_context);
    m_context = object;
}

void JsonReader::leave()
{
    if (m_contextStack.isEmpty())
        return;
    m_context = m_contextStack.takeLast();
}

void JsonReader::addWarning(const QString &text, const JsonValue &at)
{
    if (at.type() == JsonValue::Undefined)
        m_warnings.append(text);
    else
        m_warnings.append(tr("Line %1, column %2: ").arg(at.line() + 1).arg(at.column() + 1)
                          + text);
}

void JsonReader::addWarning(const QString &text)
{
    addWarning(text, m_current);
}

QString JsonReader::typeName(int type)
{
    switch (type) {
    case JsonValue::Null:
        return QStringLiteral("Null");
    case JsonValue::Bool:
        return QStringLiteral("Bool");
    case JsonValue::Double:
        return QStringLiteral("Double");
    case JsonValue::Integer:
        return QStringLiteral("Integer");
    case JsonValue::String:
        return QStringLiteral("String");
    case JsonValue::Array:
        return QStringLiteral("Array");
    case JsonValue::Object:
        return QStringLiteral("Object");
    default:
        return QStringLiteral("Unknown");
    }
}
