#include "cnfjsonparser.h"

#include "utf8/utf8.h"

#include <QHash>

#include <cmath>
#include <cstdlib>

CnfJsonParser::CnfJsonParser(Dialect dialect)
    : m_dialect(dialect)
{
}

bool CnfJsonParser::parse(const QByteArray &data)
{
    m_root = CnfJsonValue();
    m_error.clear();
    m_begin = data.constData();
    m_pos = m_begin;
    m_end = m_begin + data.size();
    m_line = 1;
    m_column = 1;
    if (data.startsWith("\xEF\xBB\xBF"))
        m_pos += 3;

    skipSpace();
    if (atEnd())
        return fail(QStringLiteral("the file is empty"));
    if (peek() != '{' && peek() != '[')
        return fail(QStringLiteral("a JSON document must begin with '{' or '['"));
    CnfJsonValue root;
    if (!parseValue(root, 0))
        return false;
    if (m_dialect == Standard) {
        skipSpace();
        if (!atEnd())
            return fail(QStringLiteral("unexpected text after the end of the document"));
    }
    m_root = root;
    return true;
}

void CnfJsonParser::advance()
{
    const unsigned char byte = static_cast<unsigned char>(*m_pos++);
    if (byte == '\n') {
        ++m_line;
        m_column = 1;
    } else if ((byte & 0xC0) != 0x80) {
        ++m_column;
    }
}

void CnfJsonParser::skipSpace()
{
    while (!atEnd()) {
        const char c = peek();
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            break;
        advance();
    }
}

bool CnfJsonParser::fail(const QString &message)
{
    m_root = CnfJsonValue();
    m_error = QStringLiteral("Line %1, column %2: %3").arg(m_line).arg(m_column).arg(message);
    return false;
}

bool CnfJsonParser::parseValue(CnfJsonValue &value, int depth)
{
    if (depth > maxDepth)
        return fail(
            QStringLiteral("the document is nested more than %1 levels deep").arg(maxDepth));
    skipSpace();
    if (atEnd())
        return fail(
            QStringLiteral("the document ends where a value is expected (the file is truncated)"));
    const int line = m_line;
    const int column = m_column;
    switch (peek()) {
    case '{':
        value = CnfJsonValue(CnfJsonValue::Object, line, column);
        return parseObject(value, depth);
    case '[':
        value = CnfJsonValue(CnfJsonValue::Array, line, column);
        return parseArray(value, depth);
    case '"': {
        QString text;
        if (!parseString(text))
            return false;
        value = CnfJsonValue(CnfJsonValue::String, line, column);
        value.setScalar(text);
        return true;
    }
    case 't':
        return parseLiteral("true", CnfJsonValue::Bool, true, value);
    case 'f':
        return parseLiteral("false", CnfJsonValue::Bool, false, value);
    case 'n':
        return parseLiteral("null", CnfJsonValue::Null, QVariant(), value);
    default:
        break;
    }
    const char c = peek();
    if (c == '-' || (c >= '0' && c <= '9'))
        return parseNumber(value);
    return fail(QStringLiteral("unexpected character '%1' where a value is expected")
                    .arg(QChar::fromLatin1(c)));
}

bool CnfJsonParser::parseLiteral(const char *word, CnfJsonValue::Type type, const QVariant &scalar,
                                 CnfJsonValue &value)
{
    const int line = m_line;
    const int column = m_column;
    for (const char *w = word; *w; ++w) {
        if (atEnd())
            return fail(QStringLiteral("the document ends inside '%1' (the file is truncated)")
                            .arg(QLatin1String(word)));
        if (peek() != *w)
            return fail(QStringLiteral("invalid literal, '%1' expected").arg(QLatin1String(word)));
        advance();
    }
    value = CnfJsonValue(type, line, column);
    value.setScalar(scalar);
    return true;
}

bool CnfJsonParser::parseObject(CnfJsonValue &value, int depth)
{
    advance(); // '{'
    QHash<QString, int> seen;
    skipSpace();
    if (!atEnd() && peek() == '}') {
        advance();
        return true;
    }
    for (;;) {
        skipSpace();
        if (atEnd())
            return fail(
                QStringLiteral("the document ends inside an object (the file is truncated)"));
        if (peek() != '"')
            return fail(QStringLiteral("a member name in double quotes is expected"));
        QString name;
        if (!parseString(name))
            return false;
        if (m_dialect == Verbatim)
            name = escapedControls(name);
        skipSpace();
        if (atEnd())
            return fail(
                QStringLiteral("the document ends inside an object (the file is truncated)"));
        if (peek() != ':')
            return fail(
                QStringLiteral("':' expected after the member name \"%1\"").arg(quoted(name)));
        advance();
        CnfJsonValue member;
        if (!parseValue(member, depth + 1))
            return false;
        const auto found = seen.constFind(name);
        if (found != seen.constEnd()) {
            value.replaceMember(found.value(), member);
        } else {
            seen.insert(name, value.members().size());
            value.appendMember(name, member);
        }
        skipSpace();
        if (atEnd())
            return fail(
                QStringLiteral("the document ends inside an object (the file is truncated)"));
        if (peek() == '}') {
            advance();
            return true;
        }
        if (peek() != ',')
            return fail(QStringLiteral("',' or '}' expected after a member"));
        advance();
    }
}

bool CnfJsonParser::parseArray(CnfJsonValue &value, int depth)
{
    advance(); // '['
    skipSpace();
    if (!atEnd() && peek() == ']') {
        advance();
        return true;
    }
    for (;;) {
        CnfJsonValue item;
        if (!parseValue(item, depth + 1))
            return false;
        value.append(item);
        skipSpace();
        if (atEnd())
            return fail(
                QStringLiteral("the document ends inside an array (the file is truncated)"));
        if (peek() == ']') {
            advance();
            return true;
        }
        if (peek() != ',')
            return fail(QStringLiteral("',' or ']' expected after an array item"));
        advance();
    }
}

static int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool CnfJsonParser::parseString(QString &text)
{
    advance(); // opening quote
    QByteArray bytes;
    QString decoded; // Standard dialect: text before the pending bytes
    // Decoded by its size: the decoder of a whole QByteArray stops at a NUL byte,
    // which the Verbatim dialect takes into a text like any other byte. A U+FEFF
    // in a text is a character, not a byte-order mark.
    auto flush = [&] {
        decoded += Utf8::decode(bytes.constData(), bytes.size());
        bytes.clear();
    };
    for (;;) {
        if (atEnd())
            return fail(QStringLiteral("the document ends inside a text (the file is truncated)"));
        const char c = peek();
        if (c == '"') {
            advance();
            break;
        }
        if (c == '\\') {
            const char *start = m_pos;
            advance();
            if (atEnd())
                return fail(QStringLiteral(
                    "the document ends inside an escape sequence (the file is truncated)"));
            const char e = peek();
            advance();
            if (e == 'u') {
                uint code = 0;
                for (int i = 0; i < 4; ++i) {
                    if (atEnd() || hexValue(peek()) < 0)
                        return fail(
                            QStringLiteral("'\\u' must be followed by four hexadecimal digits"));
                    code = code * 16 + uint(hexValue(peek()));
                    advance();
                }
                if (m_dialect == Standard) {
                    flush();
                    decoded += QChar(ushort(code));
                }
            } else if (m_dialect == Standard) {
                char out = 0;
                switch (e) {
                case '"':
                    out = '"';
                    break;
                case '\\':
                    out = '\\';
                    break;
                case '/':
                    out = '/';
                    break;
                case 'b':
                    out = '\b';
                    break;
                case 'f':
                    out = '\f';
                    break;
                case 'n':
                    out = '\n';
                    break;
                case 'r':
                    out = '\r';
                    break;
                case 't':
                    out = '\t';
                    break;
                default:
                    return fail(
                        QStringLiteral("invalid escape sequence '\\%1'").arg(QChar::fromLatin1(e)));
                }
                bytes.append(out);
            }
            if (m_dialect == Verbatim)
                bytes.append(start, int(m_pos - start));
            continue;
        }
        if (m_dialect == Standard && static_cast<unsigned char>(c) < 0x20)
            return fail(QStringLiteral("a control character inside a text must be escaped"));
        bytes.append(c);
        advance();
    }
    flush();
    text = decoded;
    return true;
}

bool CnfJsonParser::parseNumber(CnfJsonValue &value)
{
    const int line = m_line;
    const int column = m_column;
    const char *start = m_pos;
    bool integral = true;
    if (peek() == '-')
        advance();
    auto digits = [this] {
        int count = 0;
        while (!atEnd() && peek() >= '0' && peek() <= '9') {
            advance();
            ++count;
        }
        return count;
    };
    if (digits() == 0)
        return fail(QStringLiteral("invalid number"));
    if (!atEnd() && peek() == '.') {
        integral = false;
        advance();
        if (digits() == 0)
            return fail(QStringLiteral("invalid number: digits expected after '.'"));
    }
    if (!atEnd() && (peek() == 'e' || peek() == 'E')) {
        integral = false;
        advance();
        if (!atEnd() && (peek() == '+' || peek() == '-'))
            advance();
        if (digits() == 0)
            return fail(QStringLiteral("invalid number: digits expected in the exponent"));
    }
    if (atEnd() && m_dialect == Verbatim)
        return fail(QStringLiteral("the document ends inside a number (the file is truncated)"));
    const QByteArray literal(start, int(m_pos - start));
    if (integral) {
        bool ok = false;
        const qlonglong number = literal.toLongLong(&ok);
        if (ok) {
            value = CnfJsonValue(CnfJsonValue::Integer, line, column);
            value.setScalar(number);
            return true;
        }
    }
    bool ok = false;
    const double number = literal.toDouble(&ok);
    if (!ok || !std::isfinite(number)) {
        m_line = line;
        m_column = column;
        return fail(QStringLiteral("the number %1 is out of range")
                        .arg(quoted(QString::fromLatin1(literal))));
    }
    value = CnfJsonValue(CnfJsonValue::Double, line, column);
    value.setScalar(number);
    return true;
}

QString CnfJsonParser::escapedControls(const QString &name)
{
    QString escaped;
    escaped.reserve(name.size());
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

QString CnfJsonParser::unescaped(const QString &verbatim)
{
    if (!verbatim.contains(QLatin1Char('\\')))
        return verbatim;
    QString letters;
    letters.reserve(verbatim.size());
    const int size = verbatim.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = verbatim.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= size) {
            letters += c;
            continue;
        }
        const char e = verbatim.at(++i).toLatin1();
        // The letters of the escapes of a control character, in the order of "\b\f\n\r\t".
        const int control = e == '\0' ? -1 : QByteArrayLiteral("bfnrt").indexOf(e);
        if (e == 'u') {
            // The two halves of a pair are two escapes, each one code unit.
            letters += QChar(ushort(verbatim.midRef(i + 1, 4).toUInt(nullptr, 16)));
            i += 4;
        } else if (control >= 0) {
            letters += QLatin1Char("\b\f\n\r\t"[control]);
        } else { // '"', '\\' and '/' stand for themselves
            letters += verbatim.at(i);
        }
    }
    return letters;
}

QString CnfJsonParser::quoted(const QString &text)
{
    return Utf8::quoted(text);
}
