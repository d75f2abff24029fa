#include "parser.h"
#include "jsonvalue_p.h"

#include "utf8/utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

enum class Message {
    InvalidBegin,
    UnterminatedObject,
    MissingNameSeparator,
    MissingObject,
    UnterminatedArray,
    MissingValueSeparator,
    IllegalValue,
    TerminationByNumber,
    IllegalNumber,
    UnterminatedString,
    IllegalEscape,
    NestingTooDeep
};

QString messageText(Message message)
{
    switch (message) {
    case Message::InvalidBegin:
        return Parser::tr("Invalid begin of document");
    case Message::UnterminatedObject:
        return Parser::tr("Unterminated object");
    case Message::MissingNameSeparator:
        return Parser::tr("Missing name separator");
    case Message::MissingObject:
        return Parser::tr("Missing object");
    case Message::UnterminatedArray:
        return Parser::tr("Unterminated array");
    case Message::MissingValueSeparator:
        return Parser::tr("Missing value separator");
    case Message::IllegalValue:
        return Parser::tr("Illegal value");
    case Message::TerminationByNumber:
        return Parser::tr("Termination by number");
    case Message::IllegalNumber:
        return Parser::tr("Illegal number");
    case Message::UnterminatedString:
        return Parser::tr("Unterminated string");
    case Message::IllegalEscape:
        return Parser::tr("Illegal escape sequence");
    case Message::NestingTooDeep:
        return Parser::tr("Nesting too deep");
    }
    return QString();
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr int IntegerLimit = 33554431; // 2^25 - 1: larger integers stay Double

} // namespace

// The working record of one parse. Offset and column are derived from the scan
// pointer (offset from the data start, column from the start of the line), so
// consuming a byte is a single pointer step. A skipped byte-order mark is still
// part of the data and so counts three columns and three bytes of offset.
class ParserState
{
public:
    explicit ParserState(const QByteArray &input)
        : data(input)
        , document(std::make_shared<JsonValue::Document>())
    {
        document->source = input;
    }

    bool parseDocument();

    JsonValue root;
    QByteArray data;
    QString error;
    QStringList warnings;

private:
    using Node = JsonValue::Node;

    std::shared_ptr<JsonValue::Document> document;
    // Children of the containers being parsed; a container takes its run from
    // the top when it closes.
    std::vector<Node *> pending;

    const char *pos = nullptr;
    const char *end = nullptr;
    const char *lineStart = nullptr;
    int line = 0;
    int depth = 0;

    int offset() const { return int(pos - data.constData()); }
    int column() const { return int(pos - lineStart); }

    bool setError(Message message);
    bool noteNonUtf8Byte(const char *start, int length, const QString &text);
    bool eatSpace();
    char nextToken();
    void markPosition(Node *node) const
    {
        node->offset = offset();
        node->line = line;
        node->column = column();
    }
    bool enterContainer();

    bool parseObject(Node *node);
    bool parseMember();
    bool parseArray(Node *node);
    bool parseValue(Node *node);
    bool parseLiteral(Node *node, const char *rest, int restLength);
    bool parseNumber(Node *node);
    bool parseString(QString *text);
    bool parseName(QString *name);
    bool scanString(const char **start, int *length);

    // Member names repeat on every element ("id", "name", ...): each is decoded
    // once and shared, which saves an allocation per member and keeps the names
    // that lookups compare in the cache. A name whose place another one takes
    // is decoded anew when it comes again.
    struct KnownName
    {
        const char *raw = nullptr; // in data
        int length = -1;
        QString text;
    };
    std::array<KnownName, 256> knownNames;

    void takeChildren(Node *container, size_t first);
    static void finishMembers(Node *object, bool sorted);
};

bool ParserState::setError(Message message)
{
    error
        = Parser::tr("Line %1, column %2: ").arg(line + 1).arg(column() + 1) + messageText(message);
    return false;
}

// Warns of the first byte of a text that is not UTF-8: the decoder has put U+FFFD in
// its place, and a save would write that character instead of the byte. False then.
bool ParserState::noteNonUtf8Byte(const char *start, int length, const QString &text)
{
    if (!text.contains(QChar::ReplacementCharacter))
        return true;
    const auto bad = int(Utf8::firstInvalidByte(reinterpret_cast<const uchar *>(start), length));
    if (bad < 0)
        return true;
    // The parser counts no line inside a text; the byte's own line is the one to find.
    int badLine = line;
    const char *badLineStart = lineStart;
    for (const char *p = start; p < start + bad; ++p) {
        if (*p == '\n') {
            ++badLine;
            badLineStart = p + 1;
        }
    }
    const auto byte = uchar(start[bad]);
    warnings
        << Parser::tr("Line %1, column %2: ").arg(badLine + 1).arg(start + bad - badLineStart + 1)
            + Parser::tr("the byte 0x%1 is not UTF-8")
                  .arg(QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0')));
    return false;
}

bool ParserState::eatSpace()
{
    while (pos < end) {
        const char c = *pos;
        if (c == ' ' || c == '\t' || c == '\r') {
            ++pos;
        } else if (c == '\n') {
            ++pos;
            ++line;
            lineStart = pos;
        } else {
            return true;
        }
    }
    return false;
}

char ParserState::nextToken()
{
    if (!eatSpace())
        return 0;
    const char c = *pos++;
    switch (c) {
    case '{':
    case '}':
    case '[':
    case ']':
    case ':':
    case ',':
    case '"':
        return c;
    default:
        return 0;
    }
}

bool ParserState::enterContainer()
{
    // Each level costs a stack frame; a hostile file must not exhaust the stack.
    if (++depth > Parser::MaxDepth)
        return setError(Message::NestingTooDeep);
    return true;
}

bool ParserState::parseDocument()
{
    error.clear();
    pos = data.constData();
    end = pos + data.size();
    lineStart = pos;
    line = 0;
    depth = 0;
    if (data.size() > 3 && data.startsWith("\xEF\xBB\xBF"))
        pos += 3;

    const char token = nextToken();
    if (token == '{') {
        Node *node = document->newNode();
        root = JsonValue(document, node);
        return parseObject(node);
    }
    if (token == '[') {
        // A root array keeps position 0/0/0.
        Node *node = document->newNode();
        node->type = JsonValue::Array;
        root = JsonValue(document, node);
        return parseArray(node);
    }
    return setError(Message::InvalidBegin);
}

void ParserState::takeChildren(Node *container, size_t first)
{
    container->count = int(pending.size() - first);
    container->children = document->newChildren(container->count);
    std::copy(pending.begin() + std::ptrdiff_t(first), pending.end(), container->children);
    pending.resize(first);
}

void ParserState::finishMembers(Node *object, bool sorted)
{
    Node **members = object->children;
    const int count = object->count;
    if (!sorted)
        std::stable_sort(members, members + count,
                         [](const Node *a, const Node *b) { return a->name < b->name; });
    // Duplicate names: the member that came later in the document wins. After the
    // stable sort, duplicates sit together in document order.
    if (count < 2)
        return;
    int out = 0;
    for (int i = 1; i < count; ++i) {
        if (members[i]->name != members[out]->name)
            ++out;
        members[out] = members[i];
    }
    object->count = out + 1;
}

bool ParserState::parseObject(Node *node)
{
    if (!enterContainer())
        return false;
    node->type = JsonValue::Object;
    markPosition(node);

    const char token = nextToken();
    if (token == '}') {
        --depth;
        return true;
    }
    if (token != '"')
        return setError(Message::UnterminatedObject);

    const size_t first = pending.size();
    bool sorted = true;
    for (;;) {
        if (!parseMember())
            return false;
        const size_t count = pending.size() - first;
        if (sorted && count > 1 && !(pending[pending.size() - 2]->name < pending.back()->name))
            sorted = false;

        if (!eatSpace())
            return setError(Message::UnterminatedObject);
        const char c = *pos++;
        if (c == '}')
            break;
        if (c != ',')
            return setError(Message::UnterminatedObject);
        if (!eatSpace())
            return setError(Message::UnterminatedObject);
        const char next = *pos++;
        if (next == '}')
            return setError(Message::MissingObject);
        if (next != '"')
            return setError(Message::UnterminatedObject);
    }
    takeChildren(node, first);
    finishMembers(node, sorted);
    --depth;
    return true;
}

bool ParserState::parseMember()
{
    Node *value = document->newNode();
    pending.push_back(value);
    if (!parseName(&value->name))
        return false;
    if (nextToken() != ':')
        return setError(Message::MissingNameSeparator);
    if (!eatSpace())
        return setError(Message::UnterminatedObject);
    return parseValue(value);
}

bool ParserState::parseArray(Node *node)
{
    if (!enterContainer())
        return false;
    node->type = JsonValue::Array;

    if (!eatSpace())
        return setError(Message::UnterminatedArray);
    if (*pos == ']') {
        ++pos;
        --depth;
        return true;
    }
    const size_t first = pending.size();
    for (;;) {
        if (!eatSpace())
            return setError(Message::UnterminatedArray);
        Node *item = document->newNode();
        pending.push_back(item);
        if (!parseValue(item))
            return false;
        if (!eatSpace())
            return setError(Message::UnterminatedArray);
        const char c = *pos++;
        if (c == ']')
            break;
        if (c != ',')
            return setError(eatSpace() ? Message::MissingValueSeparator
                                       : Message::UnterminatedArray);
    }
    takeChildren(node, first);
    --depth;
    return true;
}

bool ParserState::parseValue(Node *node)
{
    markPosition(node);
    const char c = *pos++;
    switch (c) {
    case '"':
        node->type = JsonValue::String;
        return parseString(&node->text);
    case '{':
        return parseObject(node);
    case '[':
        return parseArray(node);
    case ']':
    case '}':
        return setError(Message::MissingObject);
    case ',':
        return setError(Message::IllegalValue);
    case 'n':
        node->type = JsonValue::Null;
        return parseLiteral(node, "ull", 3);
    case 't':
        node->type = JsonValue::Bool;
        node->scalar.b = true;
        return parseLiteral(node, "rue", 3);
    case 'f':
        node->type = JsonValue::Bool;
        node->scalar.b = false;
        return parseLiteral(node, "alse", 4);
    default:
        --pos;
        return parseNumber(node);
    }
}

bool ParserState::parseLiteral(Node *, const char *rest, int restLength)
{
    // The literal must be followed by at least one more byte; a valid document
    // always has its closing bracket there.
    if (end - pos < restLength + 1)
        return setError(Message::IllegalValue);
    const char *literal = pos;
    pos += restLength; // the position moves over the whole literal before it is judged
    if (memcmp(literal, rest, size_t(restLength)) != 0)
        return setError(Message::IllegalValue);
    return true;
}

bool ParserState::parseNumber(Node *node)
{
    node->type = JsonValue::Double;
    markPosition(node);
    const char *start = pos;
    bool integral = true;

    auto step = [this]() {
        return ++pos < end;
    };
    auto skipDigits = [&]() {
        while (isDigit(*pos)) {
            if (!step())
                return false;
        }
        return true;
    };

    bool ok = pos < end;
    if (ok && *pos == '-')
        ok = step();
    if (ok) {
        if (*pos == '0')
            ok = step();
        else
            ok = skipDigits();
    }
    if (ok && *pos == '.') {
        integral = false;
        ok = step() && skipDigits();
    }
    if (ok && (*pos == 'e' || *pos == 'E')) {
        integral = false;
        ok = step();
        if (ok && (*pos == '+' || *pos == '-'))
            ok = step();
        ok = ok && skipDigits();
    }
    if (!ok)
        return setError(Message::TerminationByNumber);

    const int length = int(pos - start);
    if (integral) {
        // At most 8 digits can lie in the Integer range; longer runs are Doubles.
        const char *digits = start + (*start == '-' ? 1 : 0);
        const int count = int(pos - digits);
        if (count > 0 && count <= 8) {
            int value = 0;
            for (const char *p = digits; p < pos; ++p)
                value = value * 10 + (*p - '0');
            if (value <= IntegerLimit) {
                node->type = JsonValue::Integer;
                node->scalar.i = digits == start ? value : -value;
                return true;
            }
        }
    }
    bool converted = false;
    const double value = QByteArray::fromRawData(start, length).toDouble(&converted);
    if (!converted || length == 0)
        return setError(Message::IllegalNumber);
    node->scalar.d = value;
    return true;
}

bool ParserState::parseString(QString *text)
{
    const char *start = nullptr;
    int length = 0;
    if (!scanString(&start, &length))
        return false;
    *text = Utf8::decode(start, length);
    noteNonUtf8Byte(start, length, *text);
    return true;
}

bool ParserState::parseName(QString *name)
{
    const char *start = nullptr;
    int length = 0;
    if (!scanString(&start, &length))
        return false;
    uint hash = uint(length);
    for (int i = 0; i < length; ++i)
        hash = hash * 31 + uchar(start[i]);
    KnownName &known = knownNames[hash % knownNames.size()];
    if (known.length != length || memcmp(known.raw, start, size_t(length)) != 0) {
        known.raw = start;
        known.length = length;
        known.text = Utf8::decode(start, length);
        // A name with a byte that is not UTF-8 is not kept, so each place is told.
        if (!noteNonUtf8Byte(start, length, known.text))
            known.length = -1;
    }
    *name = known.text;
    return true;
}

// Steps over a string whose opening quote was read; start and length give its
// bytes between the quotes, escapes as they stand.
bool ParserState::scanString(const char **start, int *length)
{
    *start = pos;
    for (;;) {
        if (pos >= end)
            return setError(Message::UnterminatedString);
        const char c = *pos++;
        if (c == '"')
            break;
        if (c != '\\')
            continue;
        if (pos >= end)
            return setError(Message::IllegalEscape);
        if (*pos++ != 'u')
            continue;
        if (end - pos < 4)
            return setError(Message::IllegalEscape);
        for (int i = 0; i < 4; ++i) {
            if (!isJsonHexDigit(*pos++))
                return setError(Message::IllegalEscape);
        }
    }
    *length = int(pos - 1 - *start);
    if (pos >= end)
        return setError(Message::UnterminatedString);
    return true;
}

Parser::Parser() = default;
Parser::~Parser() = default;

bool Parser::parse(const QByteArray &data, QString *error)
{
    m_state.reset(new ParserState(data));
    if (m_state->parseDocument())
        return true;
    if (error)
        *error = m_state->error;
    m_state.reset();
    return false;
}

QStringList Parser::warnings() const
{
    return m_state ? m_state->warnings : QStringList();
}

JsonValue Parser::root() const
{
    return m_state ? m_state->root : JsonValue();
}
