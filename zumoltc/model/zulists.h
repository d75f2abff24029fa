#pragma once

// Operations shared by the model's lists of guarded references.

#include <QList>
#include <QPointer>

namespace zu {

// Removes, from the last entry to the first, every entry whose key reference has
// died, and returns the list itself. key maps an entry to its guarded reference.
template<typename Entry, typename Key> QList<Entry> &pruneDead(QList<Entry> &list, Key key)
{
    for (int i = list.size() - 1; i >= 0; --i) {
        if (!key(list.at(i)))
            list.removeAt(i);
    }
    return list;
}

template<typename T> QList<QPointer<T>> &pruneDead(QList<QPointer<T>> &list)
{
    return pruneDead(list, [](const QPointer<T> &entry) { return !entry.isNull(); });
}

// Inserts obj right after `after`, or at the end when after is null or not in the
// list, and returns the index where it went.
template<typename T>
int insertAfter(QList<QPointer<T>> &list, const QPointer<T> &obj, const QPointer<T> &after)
{
    int index = after ? list.indexOf(after) : -1;
    if (index < 0)
        index = list.size() - 1;
    list.insert(index + 1, obj);
    return index + 1;
}

// Takes the entry at from and puts it at to, when both lie inside the list.
template<typename T> void moveWithin(QList<T> &list, int from, int to)
{
    if (from < 0 || from >= list.size() || to < 0 || to >= list.size())
        return;
    list.move(from, to);
}

} // namespace zu
