#include "cnfsectiontext.h"

#include "cnfjsonparser.h"
#include "cnfjsonwriter.h"
#include "utf8/utf8.h"

#include <QRegularExpression>
#include <QVariantList>
#include <QVariantMap>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// The part of text from `from` on, `size` characters long, and that part without
// the white space around it; inline, as every line of a file goes through them.
QStringRef part(const QStringRef &text, int from, int size)
{
    return QStringRef(text.string(), text.position() + from, size);
}

QStringRef trimmed(const QStringRef &text, int from, int size)
{
    while (size > 0 && text.at(from).isSpace()) {
        ++from;
        --size;
    }
    while (size > 0 && text.at(from + size - 1).isSpace())
        --size;
    return part(text, from, size);
}

bool isBareChar(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_')
        || c == QLatin1Char('-');
}

// Parses a JSON text starting at text[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const QStringRef &text, int &pos, QString *out)
{
    int end = pos + 1;
    while (end < text.size() && text.at(end) != QLatin1Char('"')) {
        if (text.at(end) == QLatin1Char('\\'))
            ++end;
        ++end;
    }
    if (end >= text.size())
        return false;
    CnfJsonParser parser;
    if (!parser.parse(QStringLiteral("[%1]").arg(text.mid(pos, end - pos + 1)).toUtf8()))
        return false;
    *out = parser.root().at(0).scalar().toString();
    pos = end + 1;
    return true;
}

// One step of a path: a name, or the index of a list item.
struct Segment
{
    QStringRef bare; // a bare name, in the text
    QString quoted; // a quoted name, read
    int index = -1; // >= 0: list item
};

bool parsePath(const QStringRef &path, QVector<Segment> *segments, QString *error)
{
    segments->resize(0);
    int pos = 0;
    bool expectKey = true;
    while (pos < path.size()) {
        const QChar c = path.at(pos);
        if (c == QLatin1Char('[')) {
            const int close = path.indexOf(QLatin1Char(']'), pos);
            bool ok = false;
            const int index = close > pos ? path.mid(pos + 1, close - pos - 1).toInt(&ok) : -1;
            if (!ok || index < 0) {
                *error = QStringLiteral("invalid list index in \"%1\"")
                             .arg(Utf8::quoted(path.toString()));
                return false;
            }
            Segment segment;
            segment.index = index;
            segments->append(segment);
            pos = close + 1;
            expectKey = false;
            continue;
        }
        if (c == QLatin1Char('.')) {
            if (expectKey || pos + 1 >= path.size()) {
                *error = QStringLiteral("empty name in \"%1\"").arg(Utf8::quoted(path.toString()));
                return false;
            }
            expectKey = true;
            ++pos;
            continue;
        }
        if (!expectKey) {
            *error = QStringLiteral("'.' expected in \"%1\"").arg(Utf8::quoted(path.toString()));
            return false;
        }
        Segment segment;
        if (c == QLatin1Char('"')) {
            if (!readQuoted(path, pos, &segment.quoted)) {
                *error = QStringLiteral("invalid quoted name in \"%1\"")
                             .arg(Utf8::quoted(path.toString()));
                return false;
            }
        } else {
            const int start = pos;
            while (pos < path.size() && isBareChar(path.at(pos)))
                ++pos;
            if (pos == start) {
                // The whole character, also one past U+FFFF.
                const int width = c.isHighSurrogate() && pos + 1 < path.size()
                        && path.at(pos + 1).isLowSurrogate()
                    ? 2
                    : 1;
                *error = QStringLiteral("invalid character '%1' in \"%2\"")
                             .arg(Utf8::quoted(path.mid(pos, width).toString()),
                                  Utf8::quoted(path.toString()));
                return false;
            }
            segment.bare = part(path, start, pos - start);
        }
        segments->append(segment);
        expectKey = false;
    }
    if (segments->isEmpty() || expectKey) {
        *error = QStringLiteral("empty name");
        return false;
    }
    return true;
}

// The names of a file repeat on every item ("id", "name", ...): each is made a
// string once and shared by every member that carries it. A file has a few dozen
// names, so a small table without chains holds them; a name whose place another
// name takes is made anew when it comes again.
class NameTable
{
public:
    const QString &name(const Segment &segment)
    {
        if (segment.bare.isNull())
            return segment.quoted;
        const QStringRef &bare = segment.bare;
        QString &known = m_names[qHash(bare) % m_names.size()];
        if (known.size() != bare.size()
            || std::memcmp(known.constData(), bare.constData(), size_t(bare.size()) * sizeof(QChar))
                != 0)
            known = bare.toString();
        return known;
    }

private:
    std::array<QString, 256> m_names;
};

// The common values of a line (a whole number, a text without escapes, a
// literal) read without a JSON parser: a file has one value per line.
bool readPlainValue(const QStringRef &text, CnfJsonValue::Type *type, QVariant *scalar)
{
    const int size = text.size();
    if (size >= 2 && text.at(0) == QLatin1Char('"') && text.at(size - 1) == QLatin1Char('"')) {
        for (int i = 1; i < size - 1; ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('"') || c == QLatin1Char('\\') || c.unicode() < 0x20)
                return false;
        }
        *type = CnfJsonValue::String;
        *scalar = text.mid(1, size - 2).toString();
        return true;
    }
    const int digitsStart = size > 0 && text.at(0) == QLatin1Char('-') ? 1 : 0;
    // 18 digits always fit in 64 bits; longer numbers go through the parser.
    if (size > digitsStart && size - digitsStart <= 18) {
        qlonglong number = 0;
        bool digits = true;
        for (int i = digitsStart; i < size; ++i) {
            const int digit = text.at(i).unicode() - '0';
            if (digit < 0 || digit > 9) {
                digits = false;
                break;
            }
            number = number * 10 + digit;
        }
        if (digits) {
            *type = CnfJsonValue::Integer;
            *scalar = digitsStart ? -number : number;
            return true;
        }
    }
    if (text == QLatin1String("true") || text == QLatin1String("false")) {
        *type = CnfJsonValue::Bool;
        *scalar = text == QLatin1String("true");
        return true;
    }
    if (text == QLatin1String("null")) {
        *type = CnfJsonValue::Null;
        *scalar = QVariant();
        return true;
    }
    return false;
}

bool parseValue(const QStringRef &text, CnfJsonValue::Type *type, QVariant *scalar, QString *error)
{
    if (readPlainValue(text, type, scalar))
        return true;
    *scalar = QVariant();
    if (text == QLatin1String("{}")) {
        *type = CnfJsonValue::Object;
        return true;
    }
    if (text == QLatin1String("[]")) {
        *type = CnfJsonValue::Array;
        return true;
    }
    const double special = text == QLatin1String("nan") ? std::numeric_limits<double>::quiet_NaN()
        : text == QLatin1String("inf")                  ? std::numeric_limits<double>::infinity()
        : text == QLatin1String("-inf")                 ? -std::numeric_limits<double>::infinity()
                                                        : 0.0;
    if (special != 0.0 || text == QLatin1String("nan")) {
        *type = CnfJsonValue::Double;
        *scalar = special;
        return true;
    }
    CnfJsonParser parser;
    if (text.isEmpty()
        || !parser.parse((QLatin1Char('[') + text.toString() + QLatin1Char(']')).toUtf8())
        || parser.root().size() != 1 || parser.root().at(0).type() == CnfJsonValue::Array
        || parser.root().at(0).type() == CnfJsonValue::Object) {
        const QString reason = parser.error().section(QLatin1String(": "), 1);
        *error = text.isEmpty()
            ? QStringLiteral("value missing")
            : QStringLiteral("invalid value %1%2")
                  .arg(CnfJsonParser::quoted(text.toString()),
                       reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
        return false;
    }
    const CnfJsonValue &parsed = parser.root().at(0);
    *type = parsed.type();
    *scalar = parsed.scalar();
    return true;
}

} // namespace

bool CnfSectionText::read(const QByteArray &data, const QHash<QString, QString> &listSections,
                          CnfJsonValue *root, QString *error)
{
    *root = CnfJsonValue(CnfJsonValue::Object, 1, 1);
    CnfJsonValue *sectionRoot = root;
    QString sectionName;
    // Kept from line to line, so that a line allocates no more than its value.
    QVector<Segment> segments;
    NameTable names;
    QVariant scalar;
    auto fail = [error](int line, const QString &message) {
        *error = QStringLiteral("Line %1: %2").arg(line).arg(message);
        return false;
    };

    // The text is decoded a block of whole lines at a time (a line's pieces are
    // copied out before the next block), so that it stays small and in the cache.
    const int blockSize = 64 * 1024;
    int next = data.startsWith("\xEF\xBB\xBF") ? 3 : 0; // the first byte not decoded yet
    QString text;
    int start = 1; // past the end of the empty block, so that the first turn decodes
    int lineNumber = 0;
    for (;;) {
        if (start > text.size()) {
            if (next > data.size())
                break;
            int blockEnd
                = data.size() - next > blockSize ? data.indexOf('\n', next + blockSize) : -1;
            if (blockEnd < 0)
                blockEnd = data.size();
            // Only the file's first bytes may be a byte-order mark; a block
            // that begins with U+FEFF keeps it.
            text = Utf8::decode(data.constData() + next, blockEnd - next);
            next = blockEnd + 1;
            start = 0;
        }
        int end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        const QStringRef raw(&text, start, end - start);
        start = end + 1;
        ++lineNumber;
        const QStringRef line = trimmed(raw, 0, raw.size());
        if (line.isEmpty() || line.at(0) == QLatin1Char('#'))
            continue;
        if (line.at(0) == QLatin1Char('[')) {
            if (!line.endsWith(QLatin1Char(']')) || line.size() < 3)
                return fail(
                    lineNumber,
                    QStringLiteral("invalid section header %1").arg(Utf8::quoted(line.toString())));
            sectionName = line.mid(1, line.size() - 2).trimmed().toString();
            const auto list = listSections.constFind(sectionName);
            if (list != listSections.constEnd()) {
                CnfJsonValue &array = root->memberRef(list.value(), lineNumber, 1);
                if (array.isUndefined())
                    array.setType(CnfJsonValue::Array, lineNumber, 1);
                array.append(CnfJsonValue(CnfJsonValue::Object, lineNumber, 1));
                sectionRoot = &array.itemRef(array.size() - 1);
                // Items of a section mostly have the members of the one before.
                if (array.size() > 1)
                    sectionRoot->reserveMembers(array.at(array.size() - 2).members().size());
            } else {
                CnfJsonValue &object = root->memberRef(sectionName, lineNumber, 1);
                if (object.isUndefined())
                    object.setType(CnfJsonValue::Object, lineNumber, 1);
                if (object.type() != CnfJsonValue::Object)
                    return fail(lineNumber,
                                QStringLiteral("section [%1] clashes with a value of that name")
                                    .arg(Utf8::quoted(sectionName)));
                sectionRoot = &object;
            }
            continue;
        }
        // The '=' that separates path and value is the first one outside quotes.
        int equals = -1;
        bool quoted = false;
        for (int i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (quoted && c == QLatin1Char('\\'))
                ++i;
            else if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (!quoted && c == QLatin1Char('=')) {
                equals = i;
                break;
            }
        }
        if (equals < 0)
            return fail(lineNumber, QStringLiteral("\"name = value\" or a [section] expected"));
        const QStringRef path = trimmed(line, 0, equals);
        const QStringRef valueText = trimmed(line, equals + 1, line.size() - equals - 1);
        QString message;
        if (!parsePath(path, &segments, &message))
            return fail(lineNumber, message);
        CnfJsonValue::Type type = CnfJsonValue::Undefined;
        if (!parseValue(valueText, &type, &scalar, &message))
            return fail(lineNumber,
                        QStringLiteral("%1: %2").arg(Utf8::quoted(path.toString()), message));
        // 1-based column of the value's first character in the raw line.
        const int column = int(valueText.position() - raw.position()) + 1;

        // Walk down, creating maps and lists on the way.
        CnfJsonValue *node = sectionRoot;
        for (int s = 0; s < segments.size(); ++s) {
            const Segment &segment = segments.at(s);
            const bool last = s + 1 == segments.size();
            CnfJsonValue *child = nullptr;
            if (segment.index >= 0) {
                if (node->type() != CnfJsonValue::Array)
                    return fail(
                        lineNumber,
                        QStringLiteral("%1: not a list").arg(Utf8::quoted(path.toString())));
                if (segment.index > node->size())
                    return fail(lineNumber,
                                QStringLiteral("%1: list item %2 comes before item %3")
                                    .arg(Utf8::quoted(path.toString()))
                                    .arg(segment.index)
                                    .arg(node->size()));
                if (segment.index == node->size())
                    node->append(CnfJsonValue(CnfJsonValue::Undefined, lineNumber, column));
                child = &node->itemRef(segment.index);
            } else {
                if (node->type() != CnfJsonValue::Object)
                    return fail(lineNumber,
                                QStringLiteral("%1: not a map").arg(Utf8::quoted(path.toString())));
                child = &node->memberRef(names.name(segment), lineNumber, column);
            }
            if (last) {
                if (!child->isUndefined())
                    return fail(
                        lineNumber,
                        QStringLiteral("%1 is given twice").arg(Utf8::quoted(path.toString())));
                child->setType(type, lineNumber, column);
                child->setScalar(std::move(scalar));
            } else if (child->isUndefined()) {
                const bool nextIsIndex = segments.at(s + 1).index >= 0;
                child->setType(nextIsIndex ? CnfJsonValue::Array : CnfJsonValue::Object, lineNumber,
                               column);
            }
            node = child;
        }
    }
    return true;
}

void CnfSectionText::comment(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines)
        m_text.append("# " + line.toUtf8() + '\n');
}

void CnfSectionText::section(const QString &name)
{
    if (!m_text.isEmpty())
        m_text.append('\n');
    m_text.append('[' + name.toUtf8() + "]\n");
}

QString CnfSectionText::pathSegment(const QString &key)
{
    bool bare = !key.isEmpty();
    for (const QChar c : key)
        bare = bare && isBareChar(c);
    if (bare)
        return key;
    CnfJsonWriter writer;
    writer.beginArray(QString(), CnfJsonWriter::Inline);
    writer.writeValue(QString(), key);
    writer.endArray();
    const QByteArray quoted = writer.data();
    return Utf8::decode(quoted.mid(1, quoted.size() - 2));
}

void CnfSectionText::writeLine(const QString &path, const QByteArray &value)
{
    m_text.append(path.toUtf8() + " = " + value + '\n');
}

void CnfSectionText::memberEntry(const QString &path, const QVariant &value)
{
    if (value.isValid())
        entry(path, value);
    else
        writeLine(path, "null");
}

void CnfSectionText::entry(const QString &path, const QVariant &value)
{
    const int type = value.userType();
    if (!value.isValid())
        return;
    if (type == QMetaType::QVariantMap || type == QMetaType::QVariantHash) {
        const QVariantMap map = value.toMap();
        if (map.isEmpty())
            writeLine(path, "{}");
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            memberEntry(path + QLatin1Char('.') + pathSegment(it.key()), it.value());
        return;
    }
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        const QVariantList list = value.toList();
        if (list.isEmpty())
            writeLine(path, "[]");
        for (int i = 0; i < list.size(); ++i)
            memberEntry(path + QStringLiteral("[%1]").arg(i), list.at(i)); // keeps the places
        return;
    }
    if (type == QMetaType::Double || type == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::isnan(number)) {
            writeLine(path, "nan");
            return;
        }
        if (std::isinf(number)) {
            writeLine(path, number > 0 ? "inf" : "-inf");
            return;
        }
    }
    CnfJsonWriter writer;
    writer.beginArray(QString(), CnfJsonWriter::Inline);
    writer.writeValue(QString(), value);
    writer.endArray();
    const QByteArray text = writer.data();
    writeLine(path, text.mid(1, text.size() - 2));
}
