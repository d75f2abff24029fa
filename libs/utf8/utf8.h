#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The rule of well-formed UTF-8 (RFC 3629: no overlong form, no surrogate, nothing
// above U+10FFFF) that the readers of both programs and the file-name codec share.
namespace Utf8 {

// The length of the well-formed sequence at `index` of the `length` bytes; 0 when
// the bytes there are none. Inline: the JSON readers call it for every byte.
inline int sequenceLength(const uchar *bytes, qsizetype length, qsizetype index)
{
    const uchar lead = bytes[index];
    if (lead < 0x80)
        return 1;
    int size = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    // The second byte has the narrowed range, the others the plain one.
    if (index + size > length || bytes[index + 1] < low || bytes[index + 1] > high)
        return 0;
    for (qsizetype k = index + 2; k < index + size; ++k) {
        if (bytes[k] < 0x80 || bytes[k] > 0xBF)
            return 0;
    }
    return size;
}

inline int sequenceLength(const QByteArray &bytes, qsizetype index)
{
    return sequenceLength(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), index);
}

// The offset of the first byte of the `length` bytes that belongs to no
// well-formed sequence; -1 when every byte does.
inline qsizetype firstInvalidByte(const uchar *bytes, qsizetype length)
{
    for (qsizetype i = 0; i < length;) {
        const int size = sequenceLength(bytes, length, i);
        if (size == 0)
            return i;
        i += size;
    }
    return -1;
}

// The text of `length` UTF-8 bytes. Unlike QString::fromUtf8 it keeps a U+FEFF at
// the start: in a text that is a character like any other, not a byte-order mark.
QString decode(const char *bytes, qsizetype length);

inline QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// For a store of our own, not for files others read: UTF-8 in which a lone
// surrogate (which has no UTF-8) keeps its code unit as three bytes, and back.
QByteArray encodeKeepingSurrogates(const QString &text);
QString decodeKeepingSurrogates(const QByteArray &bytes);

// A text from a file as a message quotes it: every character that shows
// nothing or shows as another (controls, format characters such as U+FEFF,
// separators but the blank, private use, non-characters, a lone surrogate) as
// its escape sequence, "\ufeff" (a character past U+FFFF as its two code
// units), so that the user sees what the text holds. The rest stays.
QString visible(const QString &text);

// The most characters of a text from a file that a message quotes.
constexpr int QuotedLength = 40;

// A text from a file as a message quotes it: its first QuotedLength
// characters (a pair of surrogates is one character, never split), shown as
// visible() shows them, and "..." after them when the text goes on, so that a
// huge value does not flood the message and a cut text is never taken for
// the whole.
QString quoted(const QString &text);

} // namespace Utf8
