#include "vobject.h"

#include "vnode.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int registerMetaType()
{
    static const int id = [] {
        const int type = qRegisterMetaType<VObject>("VObject");
        QMetaType::registerEqualsComparator<VObject>();
        return type;
    }();
    return id;
}

using NodePtr = std::shared_ptr<VNode>;

bool isAncestorOrSelf(const VNode *candidate, const NodePtr &node)
{
    NodePtr current = node;
    while (current) {
        if (current.get() == candidate)
            return true;
        current = current->parent.lock();
    }
    return false;
}

// A node may be put into a tree as it is when it belongs to none; otherwise
// (or when that would make it its own ancestor) a copy goes in.
NodePtr nodeToInsert(const NodePtr &source, const NodePtr &container)
{
    if (!source)
        return std::make_shared<VNode>();
    if (source->parent.expired() && !source->isTreeRoot
        && !isAncestorOrSelf(source.get(), container))
        return source;
    return VNode::deepCopy(source);
}

// A path with a negative position leads nowhere: writing through it must
// create nothing on the way.
bool isPlace(const QVector<QVariant> &path)
{
    for (const QVariant &step : path) {
        if (step.userType() == QMetaType::Int && step.toInt() < 0)
            return false;
    }
    return true;
}

// A node just written: when it or a node above it was cleaned by
// removeInvalidValues(true), it keeps no not-set value, and a not-set node
// does not stay in its parent. Returns the map that held such a node and
// its key, so that the writing handle can stay on that place.
std::pair<NodePtr, QString> dropInvalidBelowCleaned(const NodePtr &node)
{
    if (!node->keepsNoInvalid())
        return {};
    if (node->kind != VObject::Null) {
        node->removeInvalid(true);
        return {};
    }
    const NodePtr owner = node->parent.lock();
    QString key;
    if (owner && owner->kind == VObject::Map)
        key = owner->map.value(node->keyInParent) == node ? node->keyInParent
                                                          : owner->map.key(node);
    node->detachFromParent();
    if (key.isNull())
        return {};
    return { owner, key };
}

} // namespace

// ---------------------------------------------------------------- VObject

VObject::VObject()
    : m_node(std::make_shared<VNode>())
{
    registerMetaType();
}

VObject::VObject(const QVariant &value)
{
    registerMetaType();
    if (value.userType() == qMetaTypeId<VObject>()) {
        const VObject other = value.value<VObject>();
        m_node = other.m_node;
        m_anchor = other.m_anchor;
        m_path = other.m_path;
        return;
    }
    m_node = VNode::fromVariant(value);
}

VObject::VObject(const QVariantMap &map)
    : VObject(QVariant(map))
{
}

VObject::VObject(const QVariantList &list)
    : VObject(QVariant(list))
{
}

VObject VObject::map()
{
    VObject result;
    result.m_node->kind = Map;
    return result;
}

VObject VObject::list()
{
    VObject result;
    result.m_node->kind = List;
    return result;
}

VObject::VObject(const VObject &other) = default;
VObject::VObject(VObject &&other) noexcept = default;
VObject::~VObject() = default;

VObject VObject::fromNode(const std::shared_ptr<VNode> &node)
{
    registerMetaType();
    VObject result { NoNode() };
    result.m_node = node ? node : std::make_shared<VNode>();
    return result;
}

std::shared_ptr<VNode> VObject::resolved() const
{
    if (m_node)
        return m_node;
    NodePtr current = m_anchor;
    for (const QVariant &step : m_path) {
        if (!current)
            return {};
        if (step.userType() == QMetaType::Int) {
            const int index = step.toInt();
            if (current->kind != List || index < 0 || index >= current->list.size())
                return {};
            current = current->list.at(index);
        } else {
            if (current->kind != Map)
                return {};
            current = current->map.value(step.toString());
        }
    }
    return current;
}

// A write by position through a map, or by key through a list, would turn the
// container into the other kind and drop all it holds: refused (with a warning in the
// log) unless the container is empty or not set.
static bool mayTakeKind(const std::shared_ptr<VNode> &node, VObject::NodeKind wanted)
{
    const bool filled = (node->kind == VObject::Map && !node->map.isEmpty())
        || (node->kind == VObject::List && !node->list.isEmpty());
    if (!filled || node->kind == wanted)
        return true;
    qWarning("Native data: a write by %s into a %s that holds %d entries is refused",
             wanted == VObject::List ? "position" : "key",
             node->kind == VObject::Map ? "map" : "list",
             int(node->kind == VObject::Map ? node->map.size() : node->list.size()));
    return false;
}

static VObject::NodeKind kindOfStep(const QVariant &step)
{
    return step.userType() == QMetaType::Int ? VObject::List : VObject::Map;
}

std::shared_ptr<VNode> VObject::materialize() const
{
    if (m_node)
        return m_node;
    NodePtr current = m_anchor;
    if (!current)
        return {};
    if (!isPlace(m_path))
        return {};
    // Nothing is created unless every container on the way keeps its kind.
    NodePtr node = current;
    for (const QVariant &step : m_path) {
        if (!node)
            break;
        if (!mayTakeKind(node, kindOfStep(step)))
            return {};
        if (step.userType() == QMetaType::Int) {
            const int index = step.toInt();
            node = node->kind == List && index < node->list.size() ? node->list.at(index)
                                                                   : NodePtr();
        } else {
            node = node->kind == Map ? node->map.value(step.toString()) : NodePtr();
        }
    }
    for (const QVariant &step : m_path) {
        if (step.userType() == QMetaType::Int) {
            const int index = step.toInt();
            current->makeKind(List);
            if (index >= current->list.size())
                current->setListChild(index, std::make_shared<VNode>());
            current = current->list.at(index);
        } else {
            const QString key = step.toString();
            current->makeKind(Map);
            NodePtr next = current->map.value(key);
            if (!next) {
                next = std::make_shared<VNode>();
                current->insertChild(key, next);
            }
            current = next;
        }
    }
    m_node = current;
    return current;
}

bool VObject::isAttached() const
{
    if (!m_node)
        return true;
    return !m_node->parent.expired();
}

VObject &VObject::operator=(const VObject &other) &
{
    if (this != &other) {
        m_node = other.m_node;
        m_anchor = other.m_anchor;
        m_path = other.m_path;
    }
    return *this;
}

VObject &VObject::operator=(const VObject &other) &&
{
    if (this == &other)
        return *this;
    const NodePtr target = resolved();
    const NodePtr source = other.resolved();
    if (target && source && target == source) {
        m_node = target;
        return *this;
    }
    if (!isAttached()) {
        m_node = other.m_node;
        m_anchor = other.m_anchor;
        m_path = other.m_path;
        return *this;
    }
    if (!source) {
        // A missing node carries no value: like assigning an invalid value.
        *this = QVariant();
        return *this;
    }
    placeNode(source);
    return *this;
}

void VObject::placeNode(const std::shared_ptr<VNode> &source)
{
    // Find the container and the step that lead to this handle's place.
    NodePtr container;
    QVariant step;
    if (m_node) {
        container = m_node->parent.lock();
        if (!container)
            return;
        if (container->kind == List) {
            for (int i = 0; i < container->list.size(); ++i) {
                if (container->list.at(i) == m_node) {
                    step = i;
                    break;
                }
            }
        } else {
            for (auto it = container->map.constBegin(); it != container->map.constEnd(); ++it) {
                if (it.value() == m_node) {
                    step = it.key();
                    break;
                }
            }
        }
        if (!step.isValid())
            return;
    } else {
        if (!isPlace(m_path))
            return;
        VObject parentHandle { NoNode() };
        if (m_path.size() == 1) {
            container = m_anchor;
        } else {
            parentHandle.m_anchor = m_anchor;
            parentHandle.m_path = m_path.mid(0, m_path.size() - 1);
            container = parentHandle.materialize();
        }
        if (!container || m_path.isEmpty())
            return;
        step = m_path.last();
    }
    if (!mayTakeKind(container, kindOfStep(step)))
        return;
    const NodePtr node = nodeToInsert(source, container);
    if (step.userType() == QMetaType::Int) {
        if (step.toInt() < 0)
            return;
        container->makeKind(List);
        container->setListChild(step.toInt(), node);
    } else {
        container->makeKind(Map);
        container->insertChild(step.toString(), node);
    }
    m_node = node;
    m_anchor.reset();
    m_path.clear();
    keepPlaceOfDropped(dropInvalidBelowCleaned(node));
}

void VObject::keepPlaceOfDropped(const std::pair<std::shared_ptr<VNode>, QString> &place)
{
    // A not-set value dropped from a map leaves the handle pending on its key,
    // so that a later write through it puts the entry back.
    if (!place.first)
        return;
    m_node.reset();
    m_anchor = place.first;
    m_path = { QVariant(place.second) };
}

VObject &VObject::operator=(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<VObject>())
        return std::move(*this) = value.value<VObject>();
    if (!m_node && !value.isValid())
        return *this; // an invalid value through a missing path creates nothing
    const NodePtr node = materialize();
    if (!node)
        return *this;
    node->assign(value);
    keepPlaceOfDropped(dropInvalidBelowCleaned(node));
    return *this;
}

VObject VObject::child(const QVariant &step) const
{
    VObject result { NoNode() };
    const NodePtr node = resolved();
    if (node) {
        NodePtr found;
        if (step.userType() == QMetaType::Int) {
            const int index = step.toInt();
            if (node->kind == List && index >= 0 && index < node->list.size())
                found = node->list.at(index);
        } else if (node->kind == Map) {
            found = node->map.value(step.toString());
        }
        if (found) {
            result.m_node = found;
            return result;
        }
        result.m_anchor = node;
        result.m_path = { step };
        return result;
    }
    result.m_anchor = m_anchor;
    result.m_path = m_path;
    result.m_path.append(step);
    return result;
}

VObject VObject::operator[](const QString &key) const
{
    return child(QVariant(key));
}

VObject VObject::operator[](const char *key) const
{
    return child(QVariant(QString::fromUtf8(key)));
}

VObject VObject::operator[](int index) const
{
    return child(QVariant(index));
}

bool VObject::isNull() const
{
    const NodePtr node = resolved();
    return !node || node->kind == Null;
}

VObject::NodeKind VObject::kind() const
{
    const NodePtr node = resolved();
    return node ? node->kind : Null;
}

int VObject::type() const
{
    const NodePtr node = resolved();
    if (!node)
        return QMetaType::UnknownType;
    switch (node->kind) {
    case Null:
        return QMetaType::UnknownType;
    case Map:
        return QMetaType::QVariantMap;
    case List:
        return QMetaType::QVariantList;
    case Scalar:
        return node->value.userType();
    }
    return QMetaType::UnknownType;
}

int VObject::size() const
{
    const NodePtr node = resolved();
    return node && node->kind == List ? node->list.size() : 0;
}

QStringList VObject::keys() const
{
    const NodePtr node = resolved();
    return node && node->kind == Map ? node->map.keys() : QStringList();
}

bool VObject::contains(const QString &key) const
{
    const NodePtr node = resolved();
    return node && node->kind == Map && node->map.contains(key);
}

VObject VObject::parent() const
{
    VObject result;
    if (m_node) {
        const NodePtr owner = m_node->parent.lock();
        if (owner)
            result.m_node = owner;
        return result;
    }
    if (m_path.size() <= 1) {
        if (m_anchor)
            result.m_node = m_anchor;
        return result;
    }
    result = VObject(NoNode());
    result.m_anchor = m_anchor;
    result.m_path = m_path.mid(0, m_path.size() - 1);
    return result;
}

QVariant VObject::toVariant() const
{
    const NodePtr node = resolved();
    return node ? node->toVariant() : QVariant();
}

static QVariant scalarOf(const std::shared_ptr<VNode> &node)
{
    return node && node->kind == VObject::Scalar ? node->value : QVariant();
}

int VObject::toInt(bool *ok) const
{
    const QVariant value = scalarOf(resolved());
    bool converted = false;
    qlonglong number = 0;
    if (value.userType() == QMetaType::Double) {
        const double d = value.toDouble();
        converted = std::isfinite(d) && d >= std::numeric_limits<int>::min()
            && d <= std::numeric_limits<int>::max();
        number = converted ? qlonglong(std::llround(d)) : 0;
    } else if (value.userType() == QMetaType::QString) {
        number = value.toString().trimmed().toLongLong(&converted);
    } else if (value.isValid()) {
        number = value.toLongLong(&converted);
    }
    if (converted
        && (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())) {
        converted = false;
    }
    if (ok)
        *ok = converted;
    return converted ? int(number) : 0;
}

qlonglong VObject::toLongLong(bool *ok) const
{
    const QVariant value = scalarOf(resolved());
    bool converted = false;
    qlonglong number = 0;
    if (value.userType() == QMetaType::Double) {
        const double d = value.toDouble();
        converted = std::isfinite(d) && std::fabs(d) < 9.2e18;
        number = converted ? qlonglong(std::llround(d)) : 0;
    } else if (value.userType() == QMetaType::QString) {
        number = value.toString().trimmed().toLongLong(&converted);
    } else if (value.isValid()) {
        number = value.toLongLong(&converted);
    }
    if (ok)
        *ok = converted;
    return converted ? number : 0;
}

double VObject::toDouble(bool *ok) const
{
    const QVariant value = scalarOf(resolved());
    bool converted = false;
    double number = 0.0;
    if (value.userType() == QMetaType::QString)
        number = value.toString().trimmed().toDouble(&converted);
    else if (value.isValid())
        number = value.toDouble(&converted);
    if (ok)
        *ok = converted;
    return converted ? number : 0.0;
}

bool VObject::toBool(bool *ok) const
{
    const QVariant value = scalarOf(resolved());
    bool converted = value.isValid() && value.canConvert<bool>();
    if (value.userType() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        converted = text == QLatin1String("true") || text == QLatin1String("false")
            || text == QLatin1String("1") || text == QLatin1String("0");
    }
    if (ok)
        *ok = converted;
    return converted && value.toBool();
}

QString VObject::toString(bool *ok) const
{
    const QVariant value = scalarOf(resolved());
    const bool converted = value.isValid() && value.canConvert<QString>();
    if (ok)
        *ok = converted;
    if (!converted)
        return QString();
    if (value.userType() == QMetaType::Double) {
        // A whole number reads as its decimal digits, never as "1e+07".
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::fabs(number) < 9007199254740992.0)
            return QString::number(qlonglong(number));
    }
    return value.toString();
}

bool VObject::operator==(const VObject &other) const
{
    const NodePtr a = resolved();
    const NodePtr b = other.resolved();
    if (a || b)
        return a == b;
    return m_anchor == other.m_anchor && m_path == other.m_path;
}

bool VObject::operator==(const QVariant &value) const
{
    if (value.userType() == qMetaTypeId<VObject>())
        return dataEqual(value.value<VObject>());
    const NodePtr node = resolved();
    if (!node || node->kind == Null)
        return !value.isValid();
    if (node->kind == Scalar)
        return scalarEqual(node->value, normalizedScalar(value));
    return node->equalTo(*VNode::fromVariant(value));
}

bool VObject::operator==(const QString &text) const
{
    const NodePtr node = resolved();
    if (!node || node->kind != Scalar)
        return false;
    return scalarEqual(node->value, QVariant(text));
}

bool VObject::operator==(const char *text) const
{
    return *this == QString::fromUtf8(text);
}

bool VObject::equalsNumber(const QVariant &number) const
{
    const NodePtr node = resolved();
    return node && node->kind == Scalar && scalarEqual(node->value, normalizedScalar(number));
}

bool VObject::dataEqual(const VObject &other) const
{
    const NodePtr a = resolved();
    const NodePtr b = other.resolved();
    const bool aNull = !a || a->kind == Null;
    const bool bNull = !b || b->kind == Null;
    if (aNull || bNull)
        return aNull && bNull;
    return a->equalTo(*b);
}

VObject VObject::append(const VObject &entry)
{
    const NodePtr target = materialize();
    VObject result;
    if (!target || !mayTakeKind(target, List))
        return result;
    target->makeKind(List);
    const NodePtr node = nodeToInsert(entry.resolved(), target);
    target->appendChild(node);
    dropInvalidBelowCleaned(node);
    result.m_node = node;
    return result;
}

VObject VObject::append(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<VObject>())
        return append(value.value<VObject>());
    const NodePtr target = materialize();
    VObject result;
    if (!target || !mayTakeKind(target, List))
        return result;
    target->makeKind(List);
    const NodePtr node = VNode::fromVariant(value);
    target->appendChild(node);
    dropInvalidBelowCleaned(node);
    result.m_node = node;
    return result;
}

bool VObject::remove(const QString &key)
{
    const NodePtr node = resolved();
    if (!node || node->kind != Map)
        return false;
    const auto it = node->map.find(key);
    if (it == node->map.end())
        return false;
    it.value()->parent.reset();
    node->map.erase(it);
    return true;
}

bool VObject::removeAt(int index)
{
    const NodePtr node = resolved();
    if (!node || node->kind != List || index < 0 || index >= node->list.size())
        return false;
    node->list.at(index)->parent.reset();
    node->list.removeAt(index);
    return true;
}

bool VObject::remove()
{
    const NodePtr node = resolved();
    if (!node)
        return false;
    m_node = node;
    m_anchor.reset();
    m_path.clear();
    return node->detachFromParent();
}

void VObject::clear()
{
    const NodePtr node = resolved();
    if (!node)
        return;
    if (node->kind == Scalar)
        node->makeKind(Null);
    else
        node->detachChildren();
}

void VObject::removeInvalidValues(bool recursive)
{
    const NodePtr node = resolved();
    if (!node)
        return;
    node->removeInvalid(recursive);
    if (recursive)
        node->dropsInvalid = true;
}

VObject VObject::clone() const
{
    VObject result;
    result.m_node = VNode::deepCopy(resolved());
    return result;
}
