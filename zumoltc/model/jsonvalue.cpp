#include "jsonvalue.h"
#include "jsonvalue_p.h"

#include <algorithm>
#include <climits>

JsonValue::JsonValue() = default;

JsonValue::JsonValue(const std::shared_ptr<Document> &document, const Node *node)
    : m_document(document), m_node(node)
{
}

int JsonValue::type() const
{
    return m_node ? m_node->type : Undefined;
}

int JsonValue::offset() const
{
    return m_node ? m_node->offset : 0;
}

int JsonValue::line() const
{
    return m_node ? m_node->line : 0;
}

int JsonValue::column() const
{
    return m_node ? m_node->column : 0;
}

bool JsonValue::toBool() const
{
    return type() == Bool && m_node->scalar.b;
}

int JsonValue::toInt() const
{
    switch (type()) {
    case Integer:
        return m_node->scalar.i;
    case Double: {
        // Truncation toward zero; doubles outside the int range saturate instead
        // of converting with undefined behaviour.
        const double value = m_node->scalar.d;
        if (value >= double(INT_MAX))
            return INT_MAX;
        if (value <= double(INT_MIN))
            return INT_MIN;
        return int(value);
    }
    default:
        return INT_MAX;
    }
}

QString JsonValue::toString() const
{
    return type() == String ? m_node->text : QString();
}

QVariant JsonValue::toVariant() const
{
    switch (type()) {
    case Bool:
        return QVariant(m_node->scalar.b);
    case Double:
        return QVariant(m_node->scalar.d);
    case Integer:
        return QVariant(m_node->scalar.i);
    case String:
        return QVariant(m_node->text);
    default:
        return QVariant();
    }
}

JsonValue JsonValue::toArray() const
{
    return type() == Array ? *this : JsonValue();
}

JsonValue JsonValue::toObject() const
{
    return type() == Object ? *this : JsonValue();
}

int JsonValue::size() const
{
    return type() == Array ? m_node->count : 0;
}

JsonValue JsonValue::at(int i) const
{
    if (i < 0 || i >= size())
        return JsonValue();
    return JsonValue(m_document, m_node->children[i]);
}

JsonValue::const_iterator JsonValue::begin() const
{
    if (type() != Array)
        return const_iterator();
    return const_iterator(m_document, m_node->children);
}

JsonValue::const_iterator JsonValue::end() const
{
    if (type() != Array)
        return const_iterator();
    return const_iterator(m_document, m_node->children + m_node->count);
}

namespace {

// The order of QString::compare with a Latin-1 key, inline: readers look members
// up by name several times per element.
int compareToLatin1(const QString &name, QLatin1String key)
{
    const int common = std::min(name.size(), key.size());
    const QChar *text = name.constData();
    const char *latin1 = key.data();
    for (int i = 0; i < common; ++i) {
        const int difference = int(text[i].unicode()) - int(uchar(latin1[i]));
        if (difference != 0)
            return difference;
    }
    return name.size() - key.size();
}

} // namespace

JsonValue JsonValue::member(const char *name) const
{
    if (type() != Object || !name)
        return JsonValue();
    const QLatin1String key(name);
    Node *const *first = m_node->children;
    Node *const *last = first + m_node->count;
    Node *const *it = std::lower_bound(first, last, key, [](const Node *member, QLatin1String k) {
        return compareToLatin1(member->name, k) < 0;
    });
    if (it == last || compareToLatin1((*it)->name, key) != 0)
        return JsonValue();
    return JsonValue(m_document, *it);
}

int JsonValue::memberCount() const
{
    return type() == Object ? m_node->count : 0;
}

QStringList JsonValue::memberNames() const
{
    QStringList names;
    if (type() != Object)
        return names;
    names.reserve(m_node->count);
    for (int i = 0; i < m_node->count; ++i)
        names.append(m_node->children[i]->name);
    return names;
}

JsonValue JsonValue::fromInt(int value)
{
    auto document = std::make_shared<Document>();
    Node *node = document->newNode();
    node->type = Integer;
    node->scalar.i = value;
    return JsonValue(document, node);
}
