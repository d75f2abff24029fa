#pragma once

#include "itemappenderinterface.h"
#include "uniquevalues.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QTreeWidgetItem>

#include <type_traits>

// Adds objects of kind T (a model class with id and name) to the list that
// Parent keeps: a copy of a selected object of the kind, or a default object for
// the kind's branch item. The new object gets the smallest free id from the
// source's id + 1 (from 1 without a source or when the source's id is not set),
// a name of prefix + number (from the id) or, when the source's name does not
// start with the prefix, the source's name with the next free trailing number,
// and, for kinds with an output address, the lowest free address from
// addressStart. Parent's insert operation then lists it right after `after` and
// takes ownership. No free id, name or address: nothing is added.
template<typename Parent, typename T> class ItemAppender : public ItemAppenderInterface
{
public:
    using Insert = void (Parent::*)(QPointer<T>, QPointer<T>);

    ItemAppender(Parent *parent, QTreeWidgetItem *branch, QList<QPointer<T>> *list,
                 const QString &prefix, Insert insert, int addressStart = 0)
        : m_parent(parent)
        , m_branch(branch)
        , m_list(list)
        , m_prefix(prefix)
        , m_insert(insert)
        , m_addressStart(addressStart)
    {
    }

    QObject *append(QTreeWidgetItem *item, QTreeWidgetItem *parentItem, QObject *object,
                    QObject *after) override
    {
        if (!m_branch || (item != m_branch && parentItem != m_branch))
            return nullptr;
        // An object item copies its object; the branch item (or an item whose
        // object is gone) gets a default object.
        T *source = parentItem == m_branch ? qobject_cast<T *>(object) : nullptr;

        const bool prefixed = !source || source->name().startsWith(m_prefix);
        const int idStart = source && source->id() != zu::NotSet ? source->id() + 1 : 1;
        const int id = idStart < zu::NotSet ? uniqueId(*m_list, idStart) : zu::NotSet;
        if (id == zu::NotSet)
            return nullptr;
        const QString name = prefixed ? uniqueName(*m_list, m_prefix, id)
                                      : uniqueCopyName(*m_list, source->name());
        if (name.isNull())
            return nullptr;
        int address = zu::NotSet;
        if constexpr (HasAddress<T>::value) {
            address = uniqueAddress(*m_list, m_addressStart);
            if (address == zu::NotSet)
                return nullptr;
        }

        T *created = source ? new T(*source) : new T();
        created->setId(id);
        created->setName(name);
        if constexpr (HasAddress<T>::value)
            created->setAddr(address);
        (m_parent->*m_insert)(QPointer<T>(created), QPointer<T>(qobject_cast<T *>(after)));
        return created;
    }

    QTreeWidgetItem *branchItem() const override { return m_branch; }

private:
    template<typename U, typename = void> struct HasAddress : std::false_type
    {
    };
    template<typename U>
    struct HasAddress<U, std::void_t<decltype(std::declval<U &>().setAddr(0))>> : std::true_type
    {
    };

    Parent *m_parent;
    QTreeWidgetItem *m_branch;
    QList<QPointer<T>> *m_list;
    QString m_prefix;
    Insert m_insert;
    int m_addressStart;
};
