#pragma once

#include <QList>
#include <QPointer>

namespace zu {

// Removes, from the last entry to the first, every entry whose key reference has
// died, and returns the list itself. key maps an entry to its guarded reference.
template<typename Entry, typename Key>
QList<Entry> &pruneDead(QList<Entry> &list, Key key)
{
    for (int i = list.size() - 1; i >= 0; --i) {
        if (!key(list.at(i)))
            list.removeAt(i);
    }
    return list;
}

template<typename T>
QList<QPointer<T>> &pruneDead(QList<QPointer<T>> &list)
{
    return pruneDead(list, [](const QPointer<T> &entry) { return !entry.isNull(); });
}

} // namespace zu
