#include "utf8.h"

namespace Utf8 {

namespace {

// The text of the bytes, decoded by QString::fromUtf8 between the sequences it
// would not give back: a U+FEFF where a piece starts (it drops that as a
// byte-order mark) and, with `surrogates`, a surrogate's own three bytes.
QString decodePieces(const char *bytes, qsizetype length, bool surrogates)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes);
    QString text;
    qsizetype from = 0;
    auto flush = [&](qsizetype to) {
        if (to > from)
            text += QString::fromUtf8(bytes + from, int(to - from));
    };
    // Without `surrogates` only the marks at the very start need a look.
    for (qsizetype i = 0; i + 2 < length && (surrogates || i == from); ++i) {
        const uchar lead = data[i];
        if (lead == 0xEF && i == from && data[i + 1] == 0xBB && data[i + 2] == 0xBF) {
            text += QChar(0xFEFF);
        } else if (surrogates && lead == 0xED && data[i + 1] >= 0xA0 && data[i + 1] <= 0xBF
                   && (data[i + 2] & 0xC0) == 0x80) {
            flush(i);
            text += QChar(ushort(0xD000 | ((data[i + 1] & 0x3F) << 6) | (data[i + 2] & 0x3F)));
        } else {
            continue;
        }
        i += 2;
        from = i + 1;
    }
    // The last piece as QString::fromUtf8 gives it, so that an empty text stays
    // empty and not null, as it was.
    const QString rest = QString::fromUtf8(bytes + from, int(length - from));
    return text.isEmpty() ? rest : text + rest;
}

} // namespace

QString decode(const char *bytes, qsizetype length)
{
    return decodePieces(bytes, length, false);
}

QByteArray encodeKeepingSurrogates(const QString &text)
{
    QByteArray bytes;
    int from = 0;
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            bytes += text.midRef(from, i - from).toUtf8();
            bytes += char(0xE0 | (unit >> 12));
            bytes += char(0x80 | ((unit >> 6) & 0x3F));
            bytes += char(0x80 | (unit & 0x3F));
            from = i + 1;
        }
    }
    return from == 0 ? text.toUtf8() : bytes + text.midRef(from).toUtf8();
}

QString decodeKeepingSurrogates(const QByteArray &bytes)
{
    return decodePieces(bytes.constData(), bytes.size(), true);
}

namespace {

bool showsNothing(uint code)
{
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Separator_Space:
        return code != 0x20;
    default:
        return QChar::isNonCharacter(code);
    }
}

} // namespace

QString visible(const QString &text)
{
    QString shown;
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort unit = text.at(i).unicode();
        const bool pair = QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(text.at(i + 1).unicode());
        const uint code = pair ? QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()) : unit;
        const int units = pair ? 2 : 1;
        for (int k = 0; k < units; ++k) {
            const ushort part = text.at(i + k).unicode();
            if (showsNothing(code))
                shown += QStringLiteral("\\u%1").arg(part, 4, 16, QLatin1Char('0'));
            else
                shown += QChar(part);
        }
        i += units - 1;
    }
    return shown;
}

QString quoted(const QString &text)
{
    const int size = text.size();
    int end = 0;
    for (int characters = 0; end < size && characters < QuotedLength; ++characters) {
        const bool pair = QChar::isHighSurrogate(text.at(end).unicode()) && end + 1 < size
            && QChar::isLowSurrogate(text.at(end + 1).unicode());
        end += pair ? 2 : 1;
    }
    if (end == size)
        return visible(text);
    return visible(text.left(end)) + QStringLiteral("...");
}

} // namespace Utf8
