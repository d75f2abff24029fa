#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>

// Native-data fixtures written as JSON in the tests. Single quotes stand for
// double quotes, so fixtures fit in C++ string literals; whole numbers become
// integers (as the configuration files give them), others stay real.
namespace NativeJson {

inline QVariant fromJsonValue(const QJsonValue &value)
{
    if (value.isObject()) {
        QVariantMap map;
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            map.insert(it.key(), fromJsonValue(it.value()));
        return map;
    }
    if (value.isArray()) {
        QVariantList list;
        for (const QJsonValue &entry : value.toArray())
            list << fromJsonValue(entry);
        return list;
    }
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (std::floor(number) == number && std::fabs(number) < 2147483647.0)
            return int(number);
        return number;
    }
    return value.toVariant();
}

// The value of a JSON text ("{}" for an empty text); invalid when it does not parse.
inline QVariant value(const QByteArray &json)
{
    QByteArray text = json.isEmpty() ? QByteArray("{}") : json;
    text.replace('\'', '"');
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson("[" + text + "]", &error);
    if (error.error != QJsonParseError::NoError)
        return QVariant();
    return fromJsonValue(document.array().first());
}

inline QVariantMap map(const QByteArray &json)
{
    return value(json).toMap();
}

// A value as compact JSON with sorted keys, for comparing trees whatever the
// number types inside.
inline QByteArray text(const QVariant &value)
{
    return QJsonDocument(QJsonArray { QJsonValue::fromVariant(value) })
        .toJson(QJsonDocument::Compact);
}

} // namespace NativeJson
