#pragma once

#include "cnfjsonvalue.h"

#include <QString>
#include <QStringList>

#include <limits>

// Typed reading of the members of a parsed object for the configuration
// readers. The first failure is kept ("Line L, column C: message", at the value
// concerned) and later reads return their defaults, so a reader can read on
// and test ok() once. An absent member gives the default without error.
class CnfJsonRead
{
public:
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    // Records message at the place of `at` (the first failure wins); returns false.
    bool fail(const CnfJsonValue &at, const QString &message);

    bool isType(const CnfJsonValue &value, CnfJsonValue::Type type, const QString &what);

    qlonglong integer64(const CnfJsonValue &object, const QString &key, qlonglong defaultValue,
                        qlonglong min = std::numeric_limits<qlonglong>::min(),
                        qlonglong max = std::numeric_limits<qlonglong>::max());
    int integer(const CnfJsonValue &object, const QString &key, int defaultValue,
                int min = std::numeric_limits<int>::min(),
                int max = std::numeric_limits<int>::max());
    double number(const CnfJsonValue &object, const QString &key, double defaultValue);
    bool boolean(const CnfJsonValue &object, const QString &key, bool defaultValue);
    QString text(const CnfJsonValue &object, const QString &key,
                 const QString &defaultValue = QString());
    // An identifier given as a text or as an integer, as text.
    QString idText(const CnfJsonValue &object, const QString &key);
    // The member when it is of the type (an empty Undefined value when absent).
    const CnfJsonValue &object(const CnfJsonValue &object, const QString &key);
    const CnfJsonValue &array(const CnfJsonValue &object, const QString &key);
    // Fails on the first member whose name is not listed.
    bool onlyKeys(const CnfJsonValue &object, const QStringList &keys, const QString &what);

    // Integer value check of a bare value (array items).
    int integerValue(const CnfJsonValue &value, const QString &what,
                     int min = std::numeric_limits<int>::min(),
                     int max = std::numeric_limits<int>::max());

private:
    QString m_error;
};
