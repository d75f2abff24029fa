#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <iterator>
#include <memory>

// A member of an object as the file gives it: the name's bytes between its
// quotes and the value's bytes, escapes, numbers and layout as written.
struct JsonRawMember
{
    QByteArray name;
    QByteArray value;
};

// One value of a parsed JSON document, as a shared handle. All values of one
// parse live together in one document; a handle keeps that document alive, so
// a value stays valid as long as any handle to it (or into its tree) exists. A
// handle may be null; every accessor is safe on it and answers as for an absent
// value (type Undefined).
//
// Each value remembers where it stood in the text: 0-based line and column (in
// bytes) and the byte offset. The position is the value's first byte, except for
// an Object, whose position is the byte just after its "{". Texts keep escape
// sequences as written (see Parser).
class JsonValue
{
public:
    enum Type {
        Null = 0,
        Bool = 1,
        Double = 2,
        Integer = 3,
        String = 4,
        Array = 5,
        Object = 6,
        Undefined = 128
    };

    struct Node;
    struct Document;

    // Iterates over the items of an Array, giving a handle per item.
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = JsonValue;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = JsonValue;

        const_iterator() = default;
        JsonValue operator*() const { return JsonValue(m_document, *m_item); }
        const_iterator &operator++()
        {
            ++m_item;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator old = *this;
            ++m_item;
            return old;
        }
        bool operator==(const const_iterator &other) const { return m_item == other.m_item; }
        bool operator!=(const const_iterator &other) const { return m_item != other.m_item; }

    private:
        friend class JsonValue;
        const_iterator(const std::shared_ptr<Document> &document, const Node *const *item)
            : m_document(document)
            , m_item(item)
        {
        }
        std::shared_ptr<Document> m_document;
        const Node *const *m_item = nullptr;
    };

    JsonValue();

    int type() const;
    int offset() const;
    int line() const;
    int column() const;

    bool toBool() const;
    // Integer as is; Double truncated toward zero (clamped to the int range);
    // 2147483647 (the not-set value of the model) for anything else.
    int toInt() const;
    QString toString() const;
    QVariant toVariant() const;
    JsonValue toArray() const;
    JsonValue toObject() const;

    int size() const;
    JsonValue at(int i) const;
    const_iterator begin() const;
    const_iterator end() const;

    // Members of an Object: one per name (a later duplicate replaces an earlier
    // one), kept in name order. A member looked up here counts as known to the
    // reader from then on (see unaskedMembers).
    JsonValue member(const char *name) const;
    int memberCount() const;
    QStringList memberNames() const;
    // The members of an Object that member() was never asked for, in the order
    // of the file, as their text: what a reader did not know, for a writer to
    // give back unchanged.
    QVector<JsonRawMember> unaskedMembers() const;

    // The value's text as it stands in the parsed data; empty for a value made
    // without a text (fromInt).
    QByteArray rawText() const;

    static JsonValue fromInt(int value);

private:
    friend class ParserState;
    JsonValue(const std::shared_ptr<Document> &document, const Node *node);

    std::shared_ptr<Document> m_document;
    const Node *m_node = nullptr;
};
