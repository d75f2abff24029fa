#pragma once

#include "jsonvalue.h"
#include "parser.h"
#include "zuenums.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QStringList>
#include <QVector>

#include <initializer_list>

// Typed reading of one parsed configuration file: the caller asks for one
// attribute at a time by name and expected type. A missing attribute (when the
// caller requires it) or one of the wrong type gives a warning and a default
// value; a load never stops for them. Each warning carries the position of the
// value concerned as "Line %1, column %2: ".
//
// Lookups use the given object, or the context object when the given one is null
// or has no members. The context is the root after load() and changes with
// enter()/leave(). The value found by the last lookup is current().
class JsonReader
{
    Q_DECLARE_TR_FUNCTIONS(JsonReader)

public:
    static constexpr int NotSet = 2147483647;

    JsonReader();

    // Parses the text; fails with the parser's positioned error or, when the
    // root is no object, with "Configuration must be JSON Object". The parser's
    // warnings (bytes that are not UTF-8) are the first warnings.
    bool load(const QByteArray &data, QString *error);

    bool check(const char *name, bool warnIfMissing = false, int type = JsonValue::Undefined,
               const JsonValue &object = JsonValue());
    bool isArray(const char *name, bool warnIfMissing = false,
                 const JsonValue &object = JsonValue());
    bool isInteger(const char *name, bool warnIfMissing = false,
                   const JsonValue &object = JsonValue());
    bool isObject(const char *name, bool warnIfMissing = false,
                  const JsonValue &object = JsonValue());
    bool isString(const char *name, bool warnIfMissing = false,
                  const JsonValue &object = JsonValue());

    JsonValue readArray(const char *name, bool warnIfMissing = false,
                        const JsonValue &object = JsonValue());
    bool readBool(const char *name, bool warnIfMissing = false,
                  const JsonValue &object = JsonValue());
    int readInt(const char *name, bool warnIfMissing = false,
                const JsonValue &object = JsonValue());
    int readInt(const char *name, int defaultValue, bool warnIfMissing = false,
                const JsonValue &object = JsonValue());
    QString readString(const char *name, bool warnIfMissing = false,
                       const JsonValue &object = JsonValue());

    // A String member whose text is exactly a key of the registered enumeration
    // E; current() then holds the value as an Integer.
    template<typename E>
    bool readEnumAttribute(const char *name, bool warnIfMissing = false,
                           const JsonValue &object = JsonValue())
    {
        return readEnumAttribute(zu::metaEnum<E>(), name, warnIfMissing, object);
    }
    // The value of E, or 2147483647 when absent, mistyped or no key of E.
    template<typename E>
    int readEnum(const char *name, bool warnIfMissing = false,
                 const JsonValue &object = JsonValue())
    {
        return readEnumAttribute<E>(name, warnIfMissing, object) ? m_current.toInt() : NotSet;
    }

    // Marks members of the context as known without reading them: keys of the
    // format that other values of the same object make void, so they are not
    // kept as unknown members (JsonValue::unaskedMembers) either.
    void markKnown(std::initializer_list<const char *> names);

    void enter(const JsonValue &object);
    void leave();
    JsonValue context() const { return m_context; }

    void addWarning(const QString &text, const JsonValue &at);
    void addWarning(const QString &text);
    QStringList warnings() const { return m_warnings; }

    JsonValue current() const { return m_current; }

    static QString typeName(int type);

private:
    bool readEnumAttribute(const QMetaEnum &metaEnum, const char *name, bool warnIfMissing,
                           const JsonValue &object);

    Parser m_parser;
    JsonValue m_context;
    QVector<JsonValue> m_contextStack;
    JsonValue m_current;
    QStringList m_warnings;
};
