#pragma once

#include "jsonvalue.h"

#include <memory>
#include <vector>

// A value node; only the parser fills it. Children of an Array or Object are a
// run of pointers into the same document; members carry their name.
struct JsonValue::Node
{
    int type = JsonValue::Undefined;
    int offset = 0;
    int line = 0;
    int column = 0;
    union {
        bool b;
        int i;
        double d;
    } scalar = {};
    int count = 0;
    // A member looked up by name (JsonValue::member); it fills a gap of the
    // layout, so a node is no larger for it.
    mutable bool asked = false;
    Node **children = nullptr;
    QString text; // the value of a String
    QString name; // the name under which an Object holds this node
};

// Owns every node of one parse. Nodes and child runs are taken from chunks that
// never move, so a parse costs a few large allocations instead of one per value.
struct JsonValue::Document
{
    // The parsed text, for the raw text of values.
    QByteArray source;

    Node *newNode()
    {
        if (m_nodesUsed == m_nodesCapacity) {
            m_nodesCapacity = m_nodeChunks.empty() ? 4 : std::min(m_nodesCapacity * 2, 8192);
            m_nodeChunks.emplace_back(new Node[size_t(m_nodesCapacity)]);
            m_nodesUsed = 0;
        }
        return &m_nodeChunks.back()[size_t(m_nodesUsed++)];
    }

    Node **newChildren(int count)
    {
        if (count == 0)
            return nullptr;
        if (count > m_pointersCapacity - m_pointersUsed) {
            m_pointersCapacity
                = std::max(count, std::min(std::max(m_pointersCapacity * 2, 64), 16384));
            m_pointerChunks.emplace_back(new Node *[size_t(m_pointersCapacity)]);
            m_pointersUsed = 0;
        }
        Node **run = &m_pointerChunks.back()[size_t(m_pointersUsed)];
        m_pointersUsed += count;
        return run;
    }

private:
    std::vector<std::unique_ptr<Node[]>> m_nodeChunks;
    int m_nodesUsed = 0;
    int m_nodesCapacity = 0;
    std::vector<std::unique_ptr<Node *[]>> m_pointerChunks;
    int m_pointersUsed = 0;
    int m_pointersCapacity = 0;
};

// Hexadecimal digit of a \u escape sequence; the parser checks them, the writer
// keeps sequences that have them.
inline bool isJsonHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
