#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <type_traits>
#include <utility>

struct VNode;

// A handle on one node of a native data tree: a map (text keys), a list
// (positions from 0) or a scalar (bool, int, qlonglong, double or text).
//
// Handles follow nodes, not paths: two handles on the same node see each
// other's writes, and a handle stays on its node when other entries of the
// same map or list are removed. A handle on a removed node is detached: it
// still reads and writes that node, but never puts it back into the tree.
//
// A missing child (operator[] of a key or position that does not exist) is a
// pending handle: it is null, has size 0 and creates nothing by being read.
// Writing through it (assignment, append, operator[] chains and then a write)
// creates every missing map on the way (a missing list when the step is a
// position) and the child itself, starting from the nearest ancestor that
// existed when the handle was made.
//
// Assignment. Assigning a QVariant writes at the handle's place. Assigning a
// handle to a temporary handle writes too (`node["key"] = other` replaces the
// value at that place), while a named handle variable is re-pointed
// (`VObject entry; entry = list[i];` shares list[i]'s node and writes
// nothing), so handles can be kept in members and containers safely. When a
// node that belongs to no tree (built with the constructors below) is written
// into a tree, that very node goes in, so later writes through its own handle
// reach the stored entry; a node that already sits in a tree goes in as a copy.
//
// Assigning an invalid QVariant to an existing entry stores a not-set value
// there (removeInvalidValues drops those, and after removeInvalidValues(true)
// the entry is removed instead); through a missing path it creates nothing.
class VObject
{
public:
    enum NodeKind { Null, Map, List, Scalar };

    // An empty standalone node (null until written).
    VObject();
    // A standalone node holding a converted copy of the value: a QVariantMap
    // becomes a map node, a QVariantList or QStringList a list node, a
    // QVariant holding a VObject is that handle, anything else a scalar.
    explicit VObject(const QVariant &value);
    explicit VObject(const QVariantMap &map);
    explicit VObject(const QVariantList &list);
    static VObject map();
    static VObject list();
    VObject(const VObject &other);
    VObject(VObject &&other) noexcept;
    ~VObject();

    // A named handle is re-pointed by assignment from another handle (it
    // then shares that node); a temporary handle (`node["key"] = other`)
    // writes at its place instead.
    VObject &operator=(const VObject &other) &;
    VObject &operator=(const VObject &other) &&;
    // Writes the value at the handle's place, named or not.
    VObject &operator=(const QVariant &value);

    // Children. Never create anything by themselves.
    VObject operator[](const QString &key) const;
    VObject operator[](const char *key) const;
    VObject operator[](int index) const;

    bool isNull() const; // missing, or holding no value
    NodeKind kind() const;
    // QMetaType id of the value: QVariantMap, QVariantList, Bool, Int,
    // LongLong, Double, QString; QMetaType::UnknownType for a null node.
    int type() const;
    int size() const; // entries of a list; 0 for anything else
    QStringList keys() const; // keys of a map in sorted order
    bool contains(const QString &key) const;
    VObject parent() const; // null handle for a root or standalone node
    bool isAttached() const; // has a parent, or is pending under one

    // The value: a map, list, scalar or invalid. To carry the handle itself
    // in a QVariant (metatype "VObject") use QVariant::fromValue(handle).
    QVariant toVariant() const;
    operator QVariant() const { return toVariant(); }
    int toInt(bool *ok = nullptr) const;
    qlonglong toLongLong(bool *ok = nullptr) const;
    double toDouble(bool *ok = nullptr) const;
    bool toBool(bool *ok = nullptr) const;
    QString toString(bool *ok = nullptr) const;

    // Same node (or, for pending handles, same place).
    bool operator==(const VObject &other) const;
    // Value comparisons; numbers compare by value (3 == 3.0), a number and a
    // text compare as text.
    bool operator==(const QVariant &value) const;
    bool operator==(const QString &text) const;
    bool operator==(QLatin1String text) const { return *this == QString(text); }
    bool operator==(const char *text) const;
    template<typename T, typename std::enable_if<std::is_arithmetic<T>::value, int>::type = 0>
    bool operator==(T number) const
    {
        return equalsNumber(QVariant::fromValue(number));
    }
    template<typename T> bool operator!=(const T &value) const { return !(*this == value); }
    bool operator!=(const char *text) const { return !(*this == text); }
    // Deep value comparison of two nodes.
    bool dataEqual(const VObject &other) const;

    // Appends to a list (a null or pending node becomes a list first). A
    // standalone node is appended itself and stays writable through `entry`;
    // a node that already sits in a tree is appended as a copy.
    VObject append(const VObject &entry);
    VObject append(const QVariant &value);
    bool remove(const QString &key); // false when the key was absent
    bool removeAt(int index); // false when out of range
    bool remove(); // takes this node out of its parent
    void clear(); // empties a map or list; a scalar becomes null
    // Drops not-set values (null nodes) of this map or list; with `recursive`
    // also from every map and list below, and from then on no not-set value
    // is kept below this node: writing one there removes the entry (a handle
    // on a removed map entry stays on its key), and maps and lists written
    // there lose their not-set values.
    void removeInvalidValues(bool recursive);

    // Deep copy as a new standalone node.
    VObject clone() const;

    // For the readers and writers of this library: the node behind the
    // handle (null for a missing child) and a handle on a node.
    std::shared_ptr<VNode> node() const { return resolved(); }
    static VObject fromNode(const std::shared_ptr<VNode> &node);

private:
    friend struct VNode;
    struct NoNode
    {
    };
    explicit VObject(NoNode) { }
    std::shared_ptr<VNode> resolved() const;
    std::shared_ptr<VNode> materialize() const;
    VObject child(const QVariant &step) const;
    void placeNode(const std::shared_ptr<VNode> &source);
    void keepPlaceOfDropped(const std::pair<std::shared_ptr<VNode>, QString> &place);
    bool equalsNumber(const QVariant &number) const;

    // Either m_node is set (the handle is bound to a node), or m_anchor and
    // m_path describe a missing child below an existing node.
    mutable std::shared_ptr<VNode> m_node;
    std::shared_ptr<VNode> m_anchor;
    QVector<QVariant> m_path; // QString keys and int positions
};

// The same comparisons with the value on the left.
template<typename T, typename std::enable_if<!std::is_same<T, VObject>::value, int>::type = 0>
inline auto operator==(const T &value, const VObject &node) -> decltype(node == value)
{
    return node == value;
}
template<typename T, typename std::enable_if<!std::is_same<T, VObject>::value, int>::type = 0>
inline auto operator!=(const T &value, const VObject &node) -> decltype(node != value)
{
    return node != value;
}

Q_DECLARE_METATYPE(VObject)
