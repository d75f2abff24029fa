#pragma once

#include <QList>
#include <QPointer>
#include <QVariant>

namespace zu {

// True when value, converted by QVariant's integer conversion, keeps its number:
// a number outside the int range (or NaN) would wrap around to an unrelated int
// while the conversion still reports success.
bool fitsInt(const QVariant &value);

// A number key means an id: true when key is of a numeric type (int, unsigned,
// 64-bit or double) that converts to an int, which is then stored in id. A number
// outside the int range does not convert.
bool numericKey(const QVariant &key, int &id);

// The first live object of list whose id (for a numeric key) or name (for a text
// key, compared exactly) matches key; null for any other key or no match.
template<typename T> QPointer<T> findInList(const QList<QPointer<T>> &list, const QVariant &key)
{
    int id = 0;
    const bool byId = numericKey(key, id);
    if (!byId && key.userType() != QMetaType::QString)
        return nullptr;
    const QString name = byId ? QString() : key.toString();
    for (const QPointer<T> &object : list) {
        if (object && (byId ? object->id() == id : object->name() == name))
            return object;
    }
    return nullptr;
}

} // namespace zu
