#include "jsonvalue.h"
#include "jsonvalue_p.h"

#include <algorithm>
#include <climits>
#include <cstring>

JsonValue::JsonValue() = default;

JsonValue::JsonValue(const std::shared_ptr<Document> &document, const Node *node)
    : m_document(document)
    , m_node(node)
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

// Steps over a string whose opening quote p has passed; returns the byte after
// the closing quote.
const char *skipString(const char *p, const char *end)
{
    while (p < end && *p != '"')
        p += *p == '\\' ? 2 : 1;
    return std::min(p + 1, end);
}

// Length of the value that starts at start in text that the parser accepted:
// nodes keep where a value starts, not where it ends, and only kept members ask.
int valueLength(const QByteArray &text, int start)
{
    const char *const begin = text.constData() + start;
    const char *const end = text.constData() + text.size();
    if (begin >= end)
        return 0;
    const char *p = begin + 1;
    if (*begin == '"')
        return int(skipString(p, end) - begin);
    if (*begin != '{' && *begin != '[') {
        // A number or literal ends at the first byte that may follow a value.
        while (p < end && !strchr(",}] \t\r\n", *p))
            ++p;
        return int(p - begin);
    }
    int depth = 1;
    while (p < end && depth > 0) {
        const char c = *p++;
        if (c == '"')
            p = skipString(p, end);
        else if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']')
            --depth;
    }
    return int(p - begin);
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
    (*it)->asked = true;
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

QVector<JsonRawMember> JsonValue::unaskedMembers() const
{
    QVector<JsonRawMember> members;
    if (type() != Object)
        return members;
    QVector<const Node *> unasked;
    for (int i = 0; i < m_node->count; ++i) {
        if (!m_node->children[i]->asked)
            unasked.append(m_node->children[i]);
    }
    if (unasked.isEmpty())
        return members;
    // Members are held in name order; the file's order is that of their offsets.
    std::sort(unasked.begin(), unasked.end(),
              [](const Node *a, const Node *b) { return a->offset < b->offset; });
    members.reserve(unasked.size());
    for (const Node *node : qAsConst(unasked))
        members.append({ node->name.toUtf8(), JsonValue(m_document, node).rawText() });
    return members;
}

QByteArray JsonValue::rawText() const
{
    if (!m_node || m_document->source.isEmpty())
        return QByteArray();
    // An Object's position is the byte after its "{".
    const int start = m_node->type == Object ? m_node->offset - 1 : m_node->offset;
    return m_document->source.mid(start, valueLength(m_document->source, start));
}

JsonValue JsonValue::fromInt(int value)
{
    auto document = std::make_shared<Document>();
    Node *node = document->newNode();
    node->type = Integer;
    node->scalar.i = value;
    return JsonValue(document, node);
}
