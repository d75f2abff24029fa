#pragma once

#include "cnf/cnfcontroller.h"
#include "testdata.h"

#include <QJsonDocument>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>

// Native trees of the tests, written as JSON: each top-level key becomes a
// native key of the controller. Whole numbers become integers, as the
// configuration files give them.
namespace NativeTree {

inline QVariant integral(const QVariant &value)
{
    if (value.type() == QVariant::Map) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = integral(it.value());
        return map;
    }
    if (value.type() == QVariant::List) {
        QVariantList list = value.toList();
        for (QVariant &element : list)
            element = integral(element);
        return list;
    }
    if (value.type() == QVariant::Double) {
        const double number = value.toDouble();
        if (std::floor(number) == number && std::abs(number) < 2147483648.0)
            return int(number);
    }
    return value;
}

inline bool load(CnfController &controller, const QByteArray &json)
{
    const QVariantMap map = integral(QJsonDocument::fromJson(json).toVariant()).toMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        controller.setNativeData(it.key(), it.value());
    return !map.isEmpty();
}

// A fixture under tests/data/controlsources/.
inline bool loadFixture(CnfController &controller, const QString &name)
{
    return load(
        controller,
        TestSupport::readFile(TestSupport::dataPath(QStringLiteral("controlsources/") + name)));
}

// The values of one key over the entries of a list node.
inline QVariantList fieldOf(const VObject &list, const char *key)
{
    QVariantList values;
    for (int i = 0; i < list.size(); ++i)
        values << list[i][key].toVariant();
    return values;
}

// The whole tree as compact JSON, for comparisons.
inline QByteArray json(const VObject &node)
{
    return QJsonDocument::fromVariant(node.toVariant()).toJson(QJsonDocument::Compact);
}

} // namespace NativeTree
