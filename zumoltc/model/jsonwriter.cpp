#include "jsonwriter.h"
#include "jsonvalue_p.h"

#include <QTime>

#include <charconv>

namespace {

// Length of the JSON escape sequence that starts at text[i] (a backslash), or 0
// when the backslash begins none.
int escapeLength(const QByteArray &text, int i)
{
    if (i + 1 >= text.size())
        return 0;
    switch (text.at(i + 1)) {
    case '"':
    case '\\':
    case '/':
    case 'b':
    case 'f':
    case 'n':
    case 'r':
    case 't':
        return 2;
    case 'u':
        if (i + 6 > text.size())
            return 0;
        for (int k = i + 2; k < i + 6; ++k) {
            if (!isJsonHexDigit(text.at(k)))
                return 0;
        }
        return 6;
    default:
        return 0;
    }
}

} // namespace

JsonWriter::JsonWriter() = default;

void JsonWriter::setSkipValue(const QVariant &value)
{
    m_skipValue = value;
}

void JsonWriter::beginObject(const char *name, bool inlined)
{
    begin(name, inlined, '{');
}

void JsonWriter::beginArray(const char *name, bool inlined)
{
    begin(name, inlined, '[');
}

void JsonWriter::endObject()
{
    end('}');
}

void JsonWriter::endArray()
{
    end(']');
}

void JsonWriter::setSingleLine(bool on)
{
    m_mode = on ? SingleLine : Normal;
}

void JsonWriter::begin(const char *name, bool inlined, char bracket)
{
    if (!m_firstItem.isEmpty() && !m_firstItem.top())
        m_text += m_mode == Normal ? ",\n" : ", ";
    indent();
    if (name)
        writeName(name);
    if (inlined)
        m_mode = Inline;
    m_text += bracket;
    if (m_mode == Normal)
        m_text += '\n';
    m_indent += 4;
    m_firstItem.push(true);
}

void JsonWriter::end(char bracket)
{
    m_indent -= 4;
    if (m_mode != Inline) {
        m_text += '\n';
        indent();
    }
    m_text += bracket;
    m_firstItem.pop();
    if (!m_firstItem.isEmpty())
        m_firstItem.top() = false;
    m_mode = Normal;
}

void JsonWriter::writeValue(const char *name, const QVariant &value, bool force)
{
    if (!value.isValid())
        return;
    const int type = value.userType();
    if (!force && (value.isNull() || (type == QMetaType::QString && value.toString().isEmpty())))
        return;
    if (type == QMetaType::Int && m_skipValue.isValid() && !value.isNull()
        && (m_skipValue.userType() == QMetaType::Int ? value.toInt() == m_skipValue.toInt()
                                                     : value == m_skipValue))
        return;

    separate();
    if (name)
        writeName(name);

    if (value.isNull()) {
        m_text += "null";
    } else if (type == QMetaType::QString) {
        writeQuoted(value.toString());
    } else if (type == QMetaType::Bool) {
        m_text += value.toBool() ? "true" : "false";
    } else if (type == QMetaType::QTime) {
        const QTime time = value.toTime();
        writeQuoted(time.toString(time.second() == 0 ? QStringLiteral("hh:mm")
                                                     : QStringLiteral("hh:mm:ss")));
    } else if (type == QMetaType::Int || type == QMetaType::LongLong) {
        // Whole numbers, the most frequent values, written without a text between.
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, value.toLongLong());
        m_text.append(digits, int(written.ptr - digits));
    } else {
        m_text += value.toString().toUtf8();
    }
    m_firstItem.top() = false;
}

void JsonWriter::writeRawMembers(const QVector<JsonRawMember> &members)
{
    for (const JsonRawMember &member : members) {
        separate();
        m_text += '"';
        m_text += member.name;
        m_text += "\": ";
        m_text += member.value;
        m_firstItem.top() = false;
    }
}

// What goes before an item: the indentation for the first one (none inline),
// then ",\n" and the indentation, or ", " on one line.
void JsonWriter::separate()
{
    if (m_firstItem.top()) {
        if (m_mode != Inline)
            indent();
    } else if (m_mode == Normal) {
        m_text += ",\n";
        indent();
    } else {
        m_text += ", ";
    }
}

void JsonWriter::writeName(const char *name)
{
    m_text += '"';
    appendEscaped(m_text, QByteArray::fromRawData(name, int(qstrlen(name))));
    m_text += "\": ";
}

void JsonWriter::writeQuoted(const QString &text)
{
    m_text += '"';
    appendEscaped(m_text, text.toUtf8());
    m_text += '"';
}

QByteArray JsonWriter::escaped(const QString &text)
{
    QByteArray out;
    appendEscaped(out, text.toUtf8());
    return out;
}

void JsonWriter::appendEscaped(QByteArray &out, const QByteArray &utf8)
{
    const int size = utf8.size();
    int plainFrom = 0; // bytes that need no escaping are copied in runs
    for (int i = 0; i < size; ++i) {
        const char c = utf8.at(i);
        if (c != '\\' && c != '"' && uchar(c) >= 0x20)
            continue;
        out.append(utf8.constData() + plainFrom, i - plainFrom);
        if (c == '\\') {
            const int length = escapeLength(utf8, i);
            if (length > 0) {
                out.append(utf8.constData() + i, length);
                i += length - 1;
            } else {
                out += "\\\\";
            }
        } else if (c == '"') {
            out += "\\\"";
        } else {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(uchar(c) >> 4) & 0xf];
            out += hex[uchar(c) & 0xf];
        }
        plainFrom = i + 1;
    }
    out.append(utf8.constData() + plainFrom, size - plainFrom);
}

void JsonWriter::indent()
{
    m_text.append(m_indent, ' ');
}
