#pragma once

#include "zumoltc/model/zuenums.h"

#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>

// Searches for values that no live object of a kind carries yet: ids, names,
// output addresses and control-source priorities of new objects. Every search
// reads only the live entries of the model's list and returns the smallest free
// value from its start. Values reach up to 2147483646: 2147483647 is the not-set
// value, so a search with nothing free below it answers zu::NotSet (ints) or a
// null QString (names), and callers refuse the add.

// The smallest value not below start that getter gives for no live object.
template<typename T, typename Getter>
int uniqueValue(const QList<QPointer<T>> &list, Getter getter, int start)
{
    QSet<int> taken;
    for (const QPointer<T> &object : list) {
        if (object)
            taken.insert(std::invoke(getter, object.data()));
    }
    for (qint64 candidate = start; candidate < zu::NotSet; ++candidate) {
        if (!taken.contains(int(candidate)))
            return int(candidate);
    }
    return zu::NotSet;
}

template<typename T> int uniqueId(const QList<QPointer<T>> &list, int start)
{
    return uniqueValue(list, &T::id, start);
}

template<typename T> int uniqueAddress(const QList<QPointer<T>> &list, int start)
{
    return uniqueValue(list, &T::addr, start);
}

// prefix + n for the smallest n not below start whose name no live object has
// (exact, case-sensitive comparison).
template<typename T>
QString uniqueName(const QList<QPointer<T>> &list, const QString &prefix, int start)
{
    QSet<QString> taken;
    for (const QPointer<T> &object : list) {
        if (object)
            taken.insert(object->name());
    }
    for (qint64 n = start; n < zu::NotSet; ++n) {
        const QString candidate = prefix + QString::number(n, 10);
        if (!taken.contains(candidate))
            return candidate;
    }
    return QString();
}

// Splits a name into its base and the number its trailing decimal digits give
// plus one ("North 5" -> "North ", 6; "A009" -> "A", 10; "X-1" -> "X-", 2). No
// digits, or a number too large to be raised, start at 1.
void splitCopyName(const QString &sourceName, QString *base, int *next);

// The name of a copy: the source's base with the next free number.
template<typename T>
QString uniqueCopyName(const QList<QPointer<T>> &list, const QString &sourceName)
{
    QString base;
    int next = 1;
    splitCopyName(sourceName, &base, &next);
    return uniqueName(list, base, next);
}
