#pragma once

#include "jsonvalue.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

class ParserState;

// Parses one UTF-8 JSON document into a tree of positioned JsonValue nodes.
//
// zumoltc's own JSON stack (Parser, JsonValue, JsonReader, JsonWriter); the
// configuration library has another (libs/cnf CnfJsonParser), on purpose:
// zumoltc links no part of libs/cnf, and its values keep the file's bytes so
// that what the user did not touch is written back as it stood.
//
// Differences from a library parser, on purpose: escape sequences are checked
// but kept as written; numbers without fraction or exponent in
// -33554431..33554431 become Integer, all others Double; whatever follows the
// root value is not read. Nesting deeper than 512 containers is refused.
//
// A failed parse reports one text "Line %1, column %2: <message>" (1-based, the
// column counted in bytes) and keeps no tree; a successful one keeps its root
// until the next parse. A text holding a byte that is not UTF-8 is still read (the
// byte becomes U+FFFD) and gives a warning "Line %1, column %2: the byte 0xFF is not
// UTF-8" at its first such byte.
class Parser
{
    Q_DECLARE_TR_FUNCTIONS(Parser)

public:
    static constexpr int MaxDepth = 512;

    Parser();
    ~Parser();
    Parser(const Parser &) = delete;
    Parser &operator=(const Parser &) = delete;

    bool parse(const QByteArray &data, QString *error);
    JsonValue root() const;
    // The warnings of the last successful parse, in the order of the text.
    QStringList warnings() const;

private:
    std::unique_ptr<ParserState> m_state;
};
