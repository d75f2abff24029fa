#pragma once

#include "cnfjsonvalue.h"

#include <QByteArray>
#include <QString>

// Reads one JSON document (UTF-8, an optional byte-order mark) into a
// CnfJsonValue tree that remembers the line and column of every value.
//
// One of two JSON stacks, on purpose: this one (parser, CnfJsonValue,
// CnfJsonWriter) serves the configuration library, which plivek and its tools
// link; zumoltc keeps its own (zumoltc/model: Parser, JsonValue, JsonWriter),
// whose values keep the bytes of the file for its untouched saves. zumoltc
// links no part of libs/cnf, so neither can serve the other.
//
// Standard: strict JSON; escape sequences are translated.
// Verbatim: the dialect of the ZU_MOLT configuration file. Escape sequences are
//   checked but kept as written (the text keeps the backslash), raw control
//   characters are taken as they stand in values and as escape sequences in
//   member names, and text after the root value is ignored.
//
// Integral literals that fit in 64 bits are Integers, every other number a
// Double; a number beyond the range of a double is an error. Nesting is limited
// to maxDepth levels. Failure: parse() returns false and error() reads
// "Line L, column C: message".
class CnfJsonParser
{
public:
    enum Dialect { Standard, Verbatim };
    static constexpr int maxDepth = 256;

    explicit CnfJsonParser(Dialect dialect = Standard);

    bool parse(const QByteArray &data);
    const CnfJsonValue &root() const { return m_root; }
    QString error() const { return m_error; }

    // A name of the Verbatim dialect with its control characters written as
    // escape sequences ("\u0000"). The dialect keeps escapes as written, so it
    // is the same name, and one that no holder of names cuts (a property name
    // ends at a NUL).
    static QString escapedControls(const QString &name);

    // The letters of a text of the Verbatim dialect: its escape sequences
    // (which the dialect has checked) read as JSON reads them.
    static QString unescaped(const QString &verbatim);

    // A text from a file as an error message quotes it (Utf8::quoted: its
    // invisible characters escaped, cut at a whole character, the cut marked).
    static QString quoted(const QString &text);

private:
    bool parseValue(CnfJsonValue &value, int depth);
    bool parseObject(CnfJsonValue &value, int depth);
    bool parseArray(CnfJsonValue &value, int depth);
    bool parseString(QString &text);
    bool parseNumber(CnfJsonValue &value);
    bool parseLiteral(const char *word, CnfJsonValue::Type type, const QVariant &scalar,
                      CnfJsonValue &value);
    void skipSpace();
    bool atEnd() const { return m_pos >= m_end; }
    char peek() const { return *m_pos; }
    void advance();
    bool fail(const QString &message);

    Dialect m_dialect;
    const char *m_begin = nullptr;
    const char *m_pos = nullptr;
    const char *m_end = nullptr;
    int m_line = 1;
    int m_column = 1; // characters, not bytes
    CnfJsonValue m_root;
    QString m_error;
};
