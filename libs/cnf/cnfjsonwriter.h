#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

// The writer of the configuration library's JSON stack (see cnfjsonparser.h
// for why zumoltc has a stack of its own).
//
// Streams a JSON document with a fixed human layout: one member per line, four
// blanks per level, and two compact forms: Inline (the whole container on its
// key's line) and SingleLine (the items share one line between bracket lines).
//
// Standard escapes texts as JSON does. Verbatim writes texts exactly as they
// stand, for the ZU_MOLT dialect whose reader keeps escape sequences as
// written, and member names with their control characters escaped, as that
// reader gives them; a text that dialect cannot carry (an unescaped double
// quote, a backslash that starts no valid escape) is not written and sets error();
// there an empty object or array of the Normal layout stands over three lines
// ("{", an empty line, "}"), as zumoltc writes it.
// Non-finite doubles are refused the same way. Doubles always carry a '.' or
// an exponent so that they read back as doubles.
class CnfJsonWriter
{
public:
    enum Escaping { Standard, Verbatim };
    enum Layout { Normal, Inline, SingleLine };

    explicit CnfJsonWriter(Escaping escaping = Standard, int baseIndent = 0);

    void beginObject(const QString &name = QString(), Layout layout = Normal);
    void beginArray(const QString &name = QString(), Layout layout = Normal);
    void endObject() { end('}'); }
    void endArray() { end(']'); }

    // One member (inside an object) or item (inside an array, name ignored).
    // An invalid QVariant writes nothing; a map or list is written as a nested
    // container (small containers of scalars inline), its invalid items and
    // members as null.
    void writeValue(const QString &name, const QVariant &value);
    // A null item (inside an array, name ignored) or member.
    void writeNull(const QString &name = QString());
    // A member of a map read from a file: an invalid value is a null member
    // that stays, so it is written as null (writeValue would leave it out).
    void writeMember(const QString &name, const QVariant &value);

    // The form of a map or list that writeValue writes: given its path
    // (member names from the root, "*" for an item of an array), it may
    // reorder the keys of a map (given in key order; `keys` is null for a
    // list) and change the layout (chosen by size). Without one, members
    // follow in key order.
    using Shape = std::function<void(const QStringList &path, QStringList *keys, Layout *layout)>;
    void setShape(const Shape &shape) { m_shape = shape; }

    QByteArray data() const { return m_text; }
    bool hasError() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    // True when the Verbatim dialect can carry the text unchanged.
    static bool verbatimStorable(const QString &text);
    // The text as the Verbatim dialect writes it so that it reads back as the
    // same letters (CnfJsonParser::unescaped): a double quote and a backslash
    // escaped, a control character and a lone surrogate as their escape
    // sequences ("\u0009"), as zumoltc writes them; the rest as it stands.
    static QString verbatimEscaped(const QString &text);
    static QByteArray numberText(const QVariant &value, bool *ok);

private:
    struct Level
    {
        bool first = true;
        bool object = true;
        Layout layout = Normal;
        QString name; // member name, "*" for an array item
    };

    void begin(const QString &name, Layout layout, char bracket, bool object);
    void end(char bracket);
    void separator();
    void writeName(const QString &name);
    void writeScalar(const QVariant &value);
    void writeText(const QString &text);
    // The bytes of a text with what JSON must escape escaped.
    void appendEscaped(const QByteArray &utf8);
    void indent(int levels);
    bool compactLayout() const;
    Layout layoutFor(const QVariant &value) const;
    QStringList path() const;

    Escaping m_escaping;
    int m_baseIndent;
    QByteArray m_text;
    QVector<Level> m_levels;
    QString m_error;
    Shape m_shape;
};
