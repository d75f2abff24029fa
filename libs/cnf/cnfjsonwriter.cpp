#include "cnfjsonwriter.h"

#include "cnfjsonparser.h"
#include "utf8/utf8.h"

#include <QLocale>
#include <QVariantList>
#include <QVariantMap>

#include <cctype>
#include <cmath>

namespace {

void appendUnicodeEscape(QByteArray &text, unsigned unit)
{
    char buffer[8];
    qsnprintf(buffer, sizeof buffer, "\\u%04x", unit);
    text.append(buffer);
}

} // namespace

CnfJsonWriter::CnfJsonWriter(Escaping escaping, int baseIndent)
    : m_escaping(escaping)
    , m_baseIndent(baseIndent)
{
}

void CnfJsonWriter::indent(int levels)
{
    m_text.append(QByteArray(4 * (levels + m_baseIndent), ' '));
}

bool CnfJsonWriter::compactLayout() const
{
    for (const Level &level : m_levels) {
        if (level.layout == Inline)
            return true;
    }
    return false;
}

void CnfJsonWriter::separator()
{
    if (m_levels.isEmpty())
        return;
    Level &level = m_levels.last();
    const Layout layout = compactLayout() ? Inline : level.layout;
    if (layout == Inline) {
        if (!level.first)
            m_text.append(", ");
    } else if (layout == SingleLine) {
        if (level.first) {
            m_text.append('\n');
            indent(m_levels.size());
        } else {
            m_text.append(", ");
        }
    } else {
        m_text.append(level.first ? "\n" : ",\n");
        indent(m_levels.size());
    }
    level.first = false;
}

void CnfJsonWriter::writeName(const QString &name)
{
    if (!m_levels.isEmpty() && m_levels.last().object) {
        // A raw control character would not be read back as part of the name.
        writeText(m_escaping == Verbatim ? CnfJsonParser::escapedControls(name) : name);
        m_text.append(": ");
    }
}

void CnfJsonWriter::begin(const QString &name, Layout layout, char bracket, bool object)
{
    // A file nested deeper than the parser takes could never be opened again.
    if (m_levels.size() >= CnfJsonParser::maxDepth && m_error.isEmpty())
        m_error = QStringLiteral("the data are nested more than %1 levels deep")
                      .arg(CnfJsonParser::maxDepth);
    separator();
    writeName(name);
    m_text.append(bracket);
    Level level;
    level.object = object;
    level.layout = layout;
    level.name = !m_levels.isEmpty() && !m_levels.last().object ? QStringLiteral("*") : name;
    m_levels.append(level);
}

void CnfJsonWriter::beginObject(const QString &name, Layout layout)
{
    begin(name, layout, '{', true);
}

void CnfJsonWriter::beginArray(const QString &name, Layout layout)
{
    begin(name, layout, '[', false);
}

void CnfJsonWriter::end(char bracket)
{
    if (m_levels.isEmpty())
        return;
    const bool compact = compactLayout();
    const Level level = m_levels.takeLast();
    if (!compact && !level.first && level.layout != Inline) {
        m_text.append('\n');
        indent(m_levels.size());
    } else if (m_escaping == Verbatim && !compact && level.first && level.layout == Normal) {
        // The ZU_MOLT dialect writes an empty object or array over three lines.
        m_text.append("\n\n");
        indent(m_levels.size());
    }
    m_text.append(bracket);
}

QStringList CnfJsonWriter::path() const
{
    QStringList names;
    for (int i = 1; i < m_levels.size(); ++i)
        names.append(m_levels.at(i).name);
    return names;
}

CnfJsonWriter::Layout CnfJsonWriter::layoutFor(const QVariant &value) const
{
    // Short runs of scalars read best on one line.
    int count = 0;
    auto scalarOnly = [&count](const QVariant &item) {
        ++count;
        const int type = item.userType();
        return type != QMetaType::QVariantMap && type != QMetaType::QVariantList
            && type != QMetaType::QStringList;
    };
    bool scalars = true;
    if (value.userType() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend() && scalars; ++it)
            scalars = scalarOnly(it.value());
        return scalars && count <= 6 ? Inline : Normal;
    }
    const QVariantList list = value.toList();
    for (const QVariant &item : list) {
        if (!(scalars = scalarOnly(item)))
            break;
    }
    return scalars && count <= 16 ? Inline : Normal;
}

void CnfJsonWriter::writeMember(const QString &name, const QVariant &value)
{
    if (value.isValid())
        writeValue(name, value);
    else
        writeNull(name);
}

void CnfJsonWriter::writeValue(const QString &name, const QVariant &value)
{
    if (!value.isValid())
        return;
    const int type = value.userType();
    if (type == QMetaType::QVariantMap || type == QMetaType::QVariantHash) {
        const QVariantMap map = value.toMap();
        beginObject(name, layoutFor(map));
        QStringList keys = map.keys();
        if (m_shape)
            m_shape(path(), &keys, &m_levels.last().layout);
        for (const QString &key : keys)
            writeMember(key, map.value(key)); // layoutFor counted a null member too
        endObject();
        return;
    }
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        const QVariantList list = value.toList();
        beginArray(name, layoutFor(list));
        if (m_shape)
            m_shape(path(), nullptr, &m_levels.last().layout);
        for (const QVariant &item : list) {
            if (item.isValid())
                writeValue(QString(), item);
            else
                writeNull(); // keeps the positions of the other items
        }
        endArray();
        return;
    }
    separator();
    writeName(name);
    writeScalar(value);
}

void CnfJsonWriter::writeNull(const QString &name)
{
    separator();
    writeName(name);
    m_text.append("null");
}

QByteArray CnfJsonWriter::numberText(const QVariant &value, bool *ok)
{
    *ok = true;
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
        return QByteArray::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QByteArray::number(value.toULongLong());
    default:
        break;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number)) {
        *ok = false;
        return QByteArray();
    }
    QByteArray text = QString::number(number, 'g', QLocale::FloatingPointShortest).toLatin1();
    if (!text.contains('.') && !text.contains('e'))
        text.append(".0");
    return text;
}

void CnfJsonWriter::writeScalar(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        m_text.append("null");
        return;
    case QMetaType::Bool:
        m_text.append(value.toBool() ? "true" : "false");
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: {
        bool ok = false;
        const QByteArray text = numberText(value, &ok);
        if (!ok) {
            if (m_error.isEmpty())
                m_error = QStringLiteral("the number %1 cannot be stored in JSON")
                              .arg(value.toDouble());
            m_text.append("null");
            return;
        }
        m_text.append(text);
        return;
    }
    default:
        break;
    }
    if (value.userType() == QMetaType::QByteArray)
        writeText(Utf8::decode(value.toByteArray()));
    else
        writeText(value.toString());
}

bool CnfJsonWriter::verbatimStorable(const QString &text)
{
    // Mirrors how the ZU_MOLT reader scans a text up to its closing quote.
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"'))
            return false;
        if (c != QLatin1Char('\\'))
            continue;
        if (i + 1 >= text.size())
            return false;
        if (text.at(i + 1) == QLatin1Char('u')) {
            for (int k = i + 2; k < i + 6; ++k) {
                if (k >= text.size()
                    || !std::isxdigit(static_cast<unsigned char>(text.at(k).toLatin1())))
                    return false;
            }
            i += 5;
        } else {
            ++i;
        }
    }
    return true;
}

QString CnfJsonWriter::verbatimEscaped(const QString &text)
{
    QString written;
    written.reserve(text.size());
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            written += text.midRef(i, 2);
            ++i;
        } else if (unit == '"' || unit == '\\') {
            written += QLatin1Char('\\');
            written += QChar(unit);
        } else if (unit < 0x20 || QChar::isSurrogate(unit)) {
            written += QStringLiteral("\\u%1").arg(unit, 4, 16, QLatin1Char('0'));
        } else {
            written += QChar(unit);
        }
    }
    return written;
}

void CnfJsonWriter::writeText(const QString &text)
{
    m_text.append('"');
    if (m_escaping == Verbatim) {
        if (!verbatimStorable(text)) {
            if (m_error.isEmpty()) {
                m_error = QStringLiteral("the text \"%1\" holds a double quote or a backslash that "
                                         "a ZU_MOLT file cannot store")
                              .arg(CnfJsonParser::quoted(text));
            }
        } else {
            m_text.append(text.toUtf8());
        }
        m_text.append('"');
        return;
    }
    // A surrogate without its other half has no UTF-8 bytes: it is written
    // as an escape, which the reader gives back as that code unit.
    int from = 0;
    const int size = text.size();
    for (int i = 0; i <= size; ++i) {
        if (i < size) {
            const ushort unit = text.at(i).unicode();
            if (QChar::isHighSurrogate(unit) && i + 1 < size
                && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
                ++i;
                continue;
            }
            if (!QChar::isSurrogate(unit))
                continue;
        }
        appendEscaped(text.midRef(from, i - from).toUtf8());
        if (i < size)
            appendUnicodeEscape(m_text, text.at(i).unicode());
        from = i + 1;
    }
    m_text.append('"');
}

void CnfJsonWriter::appendEscaped(const QByteArray &utf8)
{
    for (const char c : utf8) {
        switch (c) {
        case '"':
            m_text.append("\\\"");
            break;
        case '\\':
            m_text.append("\\\\");
            break;
        case '\n':
            m_text.append("\\n");
            break;
        case '\r':
            m_text.append("\\r");
            break;
        case '\t':
            m_text.append("\\t");
            break;
        case '\b':
            m_text.append("\\b");
            break;
        case '\f':
            m_text.append("\\f");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                appendUnicodeEscape(m_text, static_cast<unsigned char>(c));
            else
                m_text.append(c);
        }
    }
}
