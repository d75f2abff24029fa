#pragma once

#include "vobject.h"

#include <QMap>
#include <QString>
#include <QVariant>
#include <QVector>

#include <memory>

// One node of a native data tree. Children are owned by their container;
// the parent link is weak so that a removed node simply has none.
struct VNode : std::enable_shared_from_this<VNode>
{
    // The entries of a list node, with the read interface of a QVector.
    //
    // A removal by handle (take) only empties the entry's slot; every read
    // closes the holes first, in one pass over the list. Removing many entries
    // one after the other thus costs one pass in all, where closing up the
    // list at each removal grew with the square of its length. Each entry
    // knows its position, so that a removal needs no search either.
    class Entries
    {
    public:
        using Ptr = std::shared_ptr<VNode>;
        using const_iterator = QVector<Ptr>::const_iterator;

        int size() const { return closed().size(); }
        bool isEmpty() const { return size() == 0; }
        const Ptr &at(int index) const { return closed().at(index); }
        const_iterator begin() const { return closed().cbegin(); }
        const_iterator end() const { return closed().cend(); }

        void reserve(int count) { m_entries.reserve(count); }
        void clear()
        {
            m_entries.clear();
            m_holes = 0;
        }
        // Holes may stay: the new entry goes after them.
        void append(const Ptr &child)
        {
            child->positionInParent = m_entries.size();
            m_entries.append(child);
        }
        void replace(int index, const Ptr &child)
        {
            closed();
            child->positionInParent = index;
            m_entries[index] = child;
        }
        void removeAt(int index)
        {
            closed().removeAt(index);
            renumberFrom(index);
        }
        // Empties the slot of a listed child; false when it is not an entry.
        bool take(const VNode *child)
        {
            const int position = child->positionInParent;
            if (position >= 0 && position < m_entries.size()
                && m_entries.at(position).get() == child) {
                m_entries[position].reset();
                ++m_holes;
                return true;
            }
            // Not where it should be: found by a scan.
            const QVector<Ptr> &entries = closed();
            for (int i = entries.size() - 1; i >= 0; --i) {
                if (entries.at(i).get() == child) {
                    removeAt(i);
                    return true;
                }
            }
            return false;
        }

    private:
        QVector<Ptr> &closed() const
        {
            if (m_holes > 0) {
                int kept = 0;
                for (int i = 0; i < m_entries.size(); ++i) {
                    if (m_entries.at(i)) {
                        if (kept != i)
                            m_entries[kept] = std::move(m_entries[i]);
                        m_entries[kept]->positionInParent = kept;
                        ++kept;
                    }
                }
                m_entries.resize(kept);
                m_holes = 0;
            }
            return m_entries;
        }
        void renumberFrom(int index)
        {
            for (int i = index; i < m_entries.size(); ++i)
                m_entries.at(i)->positionInParent = i;
        }

        // Mutable so that a read can close the holes.
        mutable QVector<Ptr> m_entries;
        mutable int m_holes = 0;
    };

    VObject::NodeKind kind = VObject::Null;
    QVariant value; // scalars only
    QMap<QString, std::shared_ptr<VNode>> map; // maps only
    Entries list; // lists only
    std::weak_ptr<VNode> parent;
    // The key of this node in its parent map, so that a removal finds it
    // without a scan of the map.
    QString keyInParent;
    // The position of this node in its parent list, kept by the list.
    int positionInParent = -1;
    bool isTreeRoot = false; // a controller's root: never moved into another tree
    // Set by removeInvalidValues(true): from then on no not-set value is kept
    // anywhere below this node (a not-set value written there removes the entry).
    bool dropsInvalid = false;

    static std::shared_ptr<VNode> fromVariant(const QVariant &value);
    static std::shared_ptr<VNode> deepCopy(const std::shared_ptr<VNode> &source);

    void assign(const QVariant &value); // replaces the content, keeps identity
    void assignContent(VNode &other); // takes over other's content
    void makeKind(VObject::NodeKind kind); // drops content of another kind
    void detachChildren();
    void insertChild(const QString &key, const std::shared_ptr<VNode> &child);
    void appendChild(const std::shared_ptr<VNode> &child);
    void setListChild(int index, const std::shared_ptr<VNode> &child); // pads with nulls
    bool detachFromParent();
    void removeInvalid(bool recursive);
    bool keepsNoInvalid() const; // this node or one above it drops not-set values
    QVariant toVariant() const;
    bool equalTo(const VNode &other) const;
};

// A scalar as the tree keeps it: an integer as int where it fits, else as
// qlonglong (or double past that); float as double; bytes and a character as text.
QVariant normalizedScalar(const QVariant &value);
// Scalars compared as the tree compares them: numbers by value, a number and
// a text alike when the text reads as that number.
bool scalarEqual(const QVariant &a, const QVariant &b);
