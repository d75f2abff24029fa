#include "vnode.h"

#include <algorithm>
#include <limits>

namespace {

using NodePtr = std::shared_ptr<VNode>;

} // namespace

// ---------------------------------------------------------------- VNode

NodePtr VNode::fromVariant(const QVariant &value)
{
    auto node = std::make_shared<VNode>();
    node->assign(value);
    return node;
}

void VNode::detachChildren()
{
    for (const NodePtr &child : qAsConst(map))
        child->parent.reset();
    for (const NodePtr &child : qAsConst(list))
        child->parent.reset();
    map.clear();
    list.clear();
}

void VNode::makeKind(VObject::NodeKind wanted)
{
    if (kind == wanted)
        return;
    detachChildren();
    value = QVariant();
    kind = wanted;
}

QVariant normalizedScalar(const QVariant &value)
{
    switch (int(value.userType())) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::QString:
        return value;
    case QMetaType::Float:
        return QVariant(double(value.toFloat()));
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long: {
        const qlonglong number = value.toLongLong();
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            return QVariant(int(number));
        return QVariant(number);
    }
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number <= qulonglong(std::numeric_limits<int>::max()))
            return QVariant(int(number));
        if (number <= qulonglong(std::numeric_limits<qlonglong>::max()))
            return QVariant(qlonglong(number));
        return QVariant(double(number));
    }
    case QMetaType::QByteArray:
        return QVariant(QString::fromUtf8(value.toByteArray()));
    case QMetaType::QChar:
        return QVariant(QString(value.toChar()));
    default:
        return value;
    }
}

void VNode::assign(const QVariant &source)
{
    if (source.userType() == qMetaTypeId<VObject>()) {
        const NodePtr node = source.value<VObject>().resolved();
        if (!node) {
            makeKind(VObject::Null);
            return;
        }
        if (node.get() == this)
            return;
        assignContent(*deepCopy(node));
        return;
    }
    switch (int(source.userType())) {
    case QMetaType::UnknownType:
        makeKind(VObject::Null);
        return;
    case QMetaType::QVariantMap: {
        const QVariantMap values = source.toMap();
        makeKind(VObject::Null);
        kind = VObject::Map;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            insertChild(it.key(), fromVariant(it.value()));
        return;
    }
    case QMetaType::QVariantHash: {
        const QVariantHash values = source.toHash();
        makeKind(VObject::Null);
        kind = VObject::Map;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            insertChild(it.key(), fromVariant(it.value()));
        return;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QVariantList values = source.toList();
        makeKind(VObject::Null);
        kind = VObject::List;
        list.reserve(values.size());
        for (const QVariant &entry : values)
            appendChild(fromVariant(entry));
        return;
    }
    default:
        break;
    }
    if (source.userType() >= QMetaType::User && source.canConvert<QVariantList>()) {
        // Other sequential containers (QList<int>, ...) become lists too.
        const QVariantList values = source.value<QVariantList>();
        makeKind(VObject::Null);
        kind = VObject::List;
        for (const QVariant &entry : values)
            appendChild(fromVariant(entry));
        return;
    }
    makeKind(VObject::Null);
    kind = VObject::Scalar;
    value = normalizedScalar(source);
}

void VNode::assignContent(VNode &other)
{
    makeKind(VObject::Null);
    kind = other.kind;
    value = other.value;
    const auto mapCopy = other.map;
    const auto listCopy = other.list;
    other.map.clear();
    other.list.clear();
    for (auto it = mapCopy.constBegin(); it != mapCopy.constEnd(); ++it)
        insertChild(it.key(), it.value());
    for (const NodePtr &child : listCopy)
        appendChild(child);
}

void VNode::insertChild(const QString &key, const NodePtr &child)
{
    auto it = map.find(key);
    if (it != map.end()) {
        if (it.value() == child)
            return;
        it.value()->parent.reset();
        it.value() = child;
    } else {
        map.insert(key, child);
    }
    child->parent = weak_from_this();
    child->keyInParent = key;
}

void VNode::appendChild(const NodePtr &child)
{
    list.append(child);
    child->parent = weak_from_this();
}

void VNode::setListChild(int index, const NodePtr &child)
{
    while (list.size() <= index)
        appendChild(std::make_shared<VNode>());
    if (list.at(index) == child)
        return;
    list.at(index)->parent.reset();
    list.replace(index, child);
    child->parent = weak_from_this();
}

NodePtr VNode::deepCopy(const NodePtr &source)
{
    auto copy = std::make_shared<VNode>();
    if (!source)
        return copy;
    copy->kind = source->kind;
    copy->value = source->value;
    for (auto it = source->map.constBegin(); it != source->map.constEnd(); ++it)
        copy->insertChild(it.key(), deepCopy(it.value()));
    copy->list.reserve(source->list.size());
    for (const NodePtr &child : source->list)
        copy->appendChild(deepCopy(child));
    return copy;
}

QVariant VNode::toVariant() const
{
    switch (kind) {
    case VObject::Null:
        return QVariant();
    case VObject::Scalar:
        return value;
    case VObject::Map: {
        QVariantMap result;
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            result.insert(it.key(), it.value()->toVariant());
        return result;
    }
    case VObject::List: {
        QVariantList result;
        result.reserve(list.size());
        for (const NodePtr &child : list)
            result.append(child->toVariant());
        return result;
    }
    }
    return QVariant();
}

bool VNode::detachFromParent()
{
    const NodePtr owner = parent.lock();
    if (!owner)
        return false;
    bool removed = false;
    if (owner->kind == VObject::Map) {
        const auto isThis = [this](const NodePtr &child) {
            return child.get() == this;
        };
        auto it = owner->map.find(keyInParent);
        if (it == owner->map.end() || !isThis(it.value()))
            it = std::find_if(owner->map.begin(), owner->map.end(), isThis);
        if (it != owner->map.end()) {
            owner->map.erase(it);
            removed = true;
        }
    } else if (owner->kind == VObject::List) {
        removed = owner->list.take(this);
    }
    parent.reset();
    return removed;
}

void VNode::removeInvalid(bool recursive)
{
    if (kind == VObject::Map) {
        for (auto it = map.begin(); it != map.end();) {
            if (it.value()->kind == VObject::Null) {
                it.value()->parent.reset();
                it = map.erase(it);
            } else {
                if (recursive)
                    it.value()->removeInvalid(true);
                ++it;
            }
        }
    } else if (kind == VObject::List) {
        for (int i = list.size() - 1; i >= 0; --i) {
            if (list.at(i)->kind == VObject::Null) {
                list.at(i)->parent.reset();
                list.removeAt(i);
            } else if (recursive) {
                list.at(i)->removeInvalid(true);
            }
        }
    }
}

bool VNode::keepsNoInvalid() const
{
    if (dropsInvalid)
        return true;
    for (NodePtr owner = parent.lock(); owner; owner = owner->parent.lock()) {
        if (owner->dropsInvalid)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- comparisons

namespace {

bool isNumber(const QVariant &value)
{
    switch (int(value.userType())) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

bool isIntegral(const QVariant &value)
{
    return isNumber(value) && value.userType() != QMetaType::Double
        && value.userType() != QMetaType::Float;
}

} // namespace

bool scalarEqual(const QVariant &a, const QVariant &b)
{
    if (isNumber(a) && isNumber(b)) {
        if (isIntegral(a) && isIntegral(b))
            return a.toLongLong() == b.toLongLong();
        return a.toDouble() == b.toDouble();
    }
    if (isNumber(a) || isNumber(b)) {
        // A number and a text compare as text ("5" == 5).
        const QVariant &number = isNumber(a) ? a : b;
        const QVariant &other = isNumber(a) ? b : a;
        if (other.userType() != QMetaType::QString)
            return false;
        const QString text = other.toString().trimmed();
        bool ok = false;
        if (isIntegral(number)) {
            const qlonglong parsed = text.toLongLong(&ok);
            return ok && parsed == number.toLongLong();
        }
        const double parsed = text.toDouble(&ok);
        return ok && parsed == number.toDouble();
    }
    return a == b;
}

bool VNode::equalTo(const VNode &other) const
{
    if (kind != other.kind)
        return false;
    switch (kind) {
    case VObject::Null:
        return true;
    case VObject::Scalar:
        return scalarEqual(value, other.value);
    case VObject::Map: {
        if (map.size() != other.map.size())
            return false;
        for (auto it = map.constBegin(), jt = other.map.constBegin(); it != map.constEnd();
             ++it, ++jt) {
            if (it.key() != jt.key() || !it.value()->equalTo(*jt.value()))
                return false;
        }
        return true;
    }
    case VObject::List:
        if (list.size() != other.list.size())
            return false;
        for (int i = 0; i < list.size(); ++i) {
            if (!list.at(i)->equalTo(*other.list.at(i)))
                return false;
        }
        return true;
    }
    return false;
}
