#pragma once

#include "flatindex/flatindex.h"

#include <QList>
#include <QSet>
#include <QSharedPointer>
#include <QString>

#include <initializer_list>
#include <vector>

// One of the controller's element lists (programs, phases, signal groups, ...)
// with an index by id beside it, so that adding and finding by id need no scan
// while a file loads.
//
// The list keeps its stored order; each element is listed at most once. An
// element is found by a key (its id; power devices also by address): the first
// in list order that carries it, as a scan would find it. An empty text key is
// never found nor added.
//
// Ids are plain fields that callers may edit in place. find() confirms a miss by
// a scan, so an edited id is found under its new value; taken(), the check of
// every add, trusts the index until the element has been found under its new id
// or the list has changed in another way than by an append.
template<typename T, typename Key> class CnfIndexedList
{
public:
    using Ptr = QSharedPointer<T>;
    using KeyOf = Key (*)(const T &);

    // What add() did.
    enum Added { Appended, AlreadyListed, KeyTaken };

    // `keys`: the keys an element is found by; the first is its id.
    CnfIndexedList(std::initializer_list<KeyOf> keys)
    {
        for (KeyOf keyOf : keys)
            m_indexes.emplace_back(keyOf, m_indexes.empty());
    }

    const QList<Ptr> &elements() const { return m_list; }

    bool contains(const Ptr &element) const
    {
        return element && m_indexes.front().contains(m_list, element);
    }

    // The first listed element whose key number `by` is `key`, or null.
    Ptr find(const Key &key, int by = 0) const
    {
        if (isBlank(key))
            return {};
        return m_indexes.at(by).find(m_list, key);
    }

    // The element that holds `key` as far as the index knows, for the check of an
    // add; null when the key is free.
    Ptr taken(const Key &key, int by = 0) const { return m_indexes.at(by).taken(m_list, key); }

    // The first element in list order for which pred holds, or null.
    template<typename Pred> Ptr findBy(Pred pred) const
    {
        for (const Ptr &element : m_list) {
            if (element && pred(*element))
                return element;
        }
        return {};
    }

    // Appends a non-null element unless it is listed already or one of its keys
    // is empty or taken; *takenKey tells which key was taken.
    Added add(const Ptr &element, int *takenKey = nullptr)
    {
        if (contains(element))
            return AlreadyListed;
        for (int by = 0; by < int(m_indexes.size()); ++by) {
            const ListIndex &index = m_indexes.at(by);
            const Key key = index.keyOf(*element);
            if (isBlank(key) || index.taken(m_list, key)) {
                if (takenKey)
                    *takenKey = by;
                return KeyTaken;
            }
        }
        m_list.append(element);
        for (ListIndex &index : m_indexes)
            index.appended(m_list);
        return Appended;
    }

    // Puts `element` in the place of the listed `old`.
    void replace(const Ptr &old, const Ptr &element)
    {
        m_list[m_list.indexOf(old)] = element;
        reset();
    }

    // False when the element was not listed.
    bool remove(const Ptr &element)
    {
        if (!element || !m_list.removeAll(element))
            return false;
        reset();
        return true;
    }

    // Takes `proposed` as the new order when it holds the listed elements, each
    // once, possibly in another order; anything else changes nothing (false).
    bool reorder(const QList<Ptr> &proposed)
    {
        if (m_list.size() != proposed.size())
            return false;
        QSet<const T *> seen;
        for (const Ptr &element : proposed) {
            if (!element || seen.contains(element.data()) || !contains(element))
                return false;
            seen.insert(element.data());
        }
        m_list = proposed;
        reset();
        return true;
    }

private:
    static bool isBlank(const QString &key) { return key.isEmpty(); }
    static bool isBlank(int) { return false; }

    // The position of each value of one key and, for the first key, of each
    // listed element. It follows the list through appended(); any other change of
    // the list's size, or a hit that no longer carries its key, rebuilds it from
    // the list.
    class ListIndex
    {
    public:
        ListIndex(KeyOf keyOf, bool withElements)
            : keyOf(keyOf)
            , m_withElements(withElements)
        {
        }

        Ptr find(const QList<Ptr> &list, const Key &key) const
        {
            if (const Ptr hit = taken(list, key))
                return hit;
            for (const Ptr &element : list) {
                if (element && keyOf(*element) == key) {
                    rebuild(list);
                    return element;
                }
            }
            return {};
        }

        Ptr taken(const QList<Ptr> &list, const Key &key) const
        {
            sync(list);
            int position = m_byKey.value(key);
            if (position >= 0 && keyOf(*list.at(position)) != key) {
                rebuild(list);
                position = m_byKey.value(key);
            }
            return position >= 0 ? list.at(position) : Ptr();
        }

        // Only for the index that lists the elements.
        bool contains(const QList<Ptr> &list, const Ptr &element) const
        {
            sync(list);
            return m_elements.contains(element.data());
        }

        // Call after list.append(element).
        void appended(const QList<Ptr> &list)
        {
            if (m_size != list.size() - 1) {
                rebuild(list);
                return;
            }
            insert(list, m_size);
            m_size = list.size();
        }

        void reset() { m_size = -1; }

        KeyOf keyOf;

    private:
        void sync(const QList<Ptr> &list) const
        {
            if (m_size != list.size())
                rebuild(list);
        }

        void rebuild(const QList<Ptr> &list) const
        {
            m_byKey.clear();
            m_elements.clear();
            for (int position = 0; position < list.size(); ++position)
                insert(list, position);
            m_size = list.size();
        }

        // The first element of a key keeps it, as a scan of the list would find it.
        void insert(const QList<Ptr> &list, int position) const
        {
            const T *element = list.at(position).data();
            if (!element)
                return;
            if (m_withElements)
                m_elements.insert(element, position);
            m_byKey.insert(keyOf(*element), position);
        }

        const bool m_withElements;
        mutable FlatIndex<Key> m_byKey;
        mutable FlatIndex<const T *> m_elements;
        mutable int m_size = -1;
    };

    void reset()
    {
        for (ListIndex &index : m_indexes)
            index.reset();
    }

    QList<Ptr> m_list;
    std::vector<ListIndex> m_indexes;
};
