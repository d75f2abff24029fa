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
    VObject::NodeKind kind = VObject::Null;
    QVariant value;                                 // scalars only
    QMap<QString, std::shared_ptr<VNode>> map;      // maps only
    QVector<std::shared_ptr<VNode>> list;           // lists only
    std::weak_ptr<VNode> parent;
    // The key of this node in its parent map, so that a removal finds it
    // without a scan of the map.
    QString keyInParent;
    bool isTreeRoot = false; // a controller's root: never moved into another tree
    // Set by removeInvalidValues(true): from then on no not-set value is kept
    // anywhere below this node (a not-set value written there removes the entry).
    bool dropsInvalid = false;

    static std::shared_ptr<VNode> fromVariant(const QVariant &value);
    static std::shared_ptr<VNode> deepCopy(const std::shared_ptr<VNode> &source);

    void assign(const QVariant &value);     // replaces the content, keeps identity
    void assignContent(VNode &other);       // takes over other's content
    void makeKind(VObject::NodeKind kind);  // drops content of another kind
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
