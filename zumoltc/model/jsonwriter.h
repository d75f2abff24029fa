#pragma once

#include "jsonvalue.h"

#include <QByteArray>
#include <QStack>
#include <QVariant>
#include <QVector>

// The writer of zumoltc's own JSON stack (see parser.h for why the
// configuration library has another).
//
// Streams the text of a configuration file: the caller opens objects and
// arrays, writes named members or unnamed array items, and closes the
// containers again. Layout: one item per line, four blanks per level, ",\n"
// between items; or an inline container that stays wholly on its key's line
// (inlined = true); or a single-line container whose items share one line
// between brackets on lines of their own (setSingleLine(true) right after
// opening it). Closing any container ends the inline or single-line mode.
//
// Values that are not set are left out: an invalid QVariant; unless forced, a
// null value or an empty text; and ints equal to the skip value, even forced.
//
// Texts are written so that every one of them reads back: a double quote and a
// backslash that does not begin a JSON escape sequence are escaped, control
// characters become \u00XX, and escape sequences already in the text (texts
// read from a file keep theirs) are written as they are.
class JsonWriter
{
public:
    JsonWriter();

    void setSkipValue(const QVariant &value);

    void beginObject(const char *name = nullptr, bool inlined = false);
    void beginArray(const char *name = nullptr, bool inlined = false);
    void endObject();
    void endArray();
    void setSingleLine(bool on);

    void writeValue(const char *name, const QVariant &value, bool force = false);
    // An array item: the same as writeValue without a name.
    void writeItem(const QVariant &value, bool force = false) { writeValue(nullptr, value, force); }

    // Members given as the text of a file (kept by a reader that did not know
    // them): name and value are written exactly as they are, in the current
    // container's layout.
    void writeRawMembers(const QVector<JsonRawMember> &members);

    QByteArray data() const { return m_text; }

    // The text as it stands between the double quotes of the file.
    static QByteArray escaped(const QString &text);

private:
    enum Mode { Normal = 0, Inline = 1, SingleLine = 2 };

    void begin(const char *name, bool inlined, char bracket);
    void end(char bracket);
    void separate();
    void writeName(const char *name);
    void writeQuoted(const QString &text);
    static void appendEscaped(QByteArray &out, const QByteArray &utf8);
    void indent();

    QByteArray m_text;
    int m_indent = 0;
    int m_mode = Normal;
    QVariant m_skipValue;
    QStack<bool> m_firstItem;
};
