#include "filenamecodec.h"

#include "utf8.h"

namespace {

// The surrogates that stand for single bytes 0x80 to 0xFF (bytes below 0x80 are
// always well-formed).
constexpr ushort escapedBytes = 0xDC00;

bool isEscapedByte(ushort unit)
{
    return unit >= escapedBytes + 0x80 && unit <= escapedBytes + 0xFF;
}

// Whether the bytes from `index` to the end may be the start of a sequence that the
// next piece of a stream completes.
bool mayBeCutSequence(const QByteArray &bytes, int index)
{
    const auto lead = static_cast<quint8>(bytes.at(index));
    const int needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || bytes.size() - index >= needed)
        return false;
    for (int k = index + 1; k < bytes.size(); ++k) {
        if ((static_cast<quint8>(bytes.at(k)) & 0xC0) != 0x80)
            return false;
    }
    return true;
}

uint codePoint(const QByteArray &bytes, int index, int length)
{
    static const quint8 leadMasks[] = { 0, 0x7F, 0x1F, 0x0F, 0x07 };
    uint point = static_cast<quint8>(bytes.at(index)) & leadMasks[length];
    for (int k = index + 1; k < index + length; ++k)
        point = (point << 6) | (static_cast<quint8>(bytes.at(k)) & 0x3F);
    return point;
}

void appendUtf8(QByteArray &bytes, uint point)
{
    if (point < 0x80) {
        bytes += char(point);
    } else if (point < 0x800) {
        bytes += char(0xC0 | (point >> 6));
        bytes += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        bytes += char(0xE0 | (point >> 12));
        bytes += char(0x80 | ((point >> 6) & 0x3F));
        bytes += char(0x80 | (point & 0x3F));
    } else {
        bytes += char(0xF0 | (point >> 18));
        bytes += char(0x80 | ((point >> 12) & 0x3F));
        bytes += char(0x80 | ((point >> 6) & 0x3F));
        bytes += char(0x80 | (point & 0x3F));
    }
}

} // namespace

void FileNameCodec::install()
{
    static FileNameCodec *codec = new FileNameCodec;
    QTextCodec::setCodecForLocale(codec);
}

QByteArray FileNameCodec::name() const
{
    return QByteArrayLiteral("UTF-8 keeping bytes");
}

int FileNameCodec::mibEnum() const
{
    // No registered character set: a number of Qt's private range.
    return -1060;
}

QString FileNameCodec::convertToUnicode(const char *in, int length, ConverterState *state) const
{
    // A stream's piece may end inside a sequence: its first bytes wait in the state.
    QByteArray bytes;
    if (state && state->remainingChars > 0) {
        for (int k = 0; k < state->remainingChars; ++k)
            bytes += char((state->state_data[0] >> (8 * k)) & 0xFF);
        state->remainingChars = 0;
        state->state_data[0] = 0;
    }
    bytes.append(in, length);
    QString text;
    text.reserve(bytes.size());
    for (int i = 0; i < bytes.size();) {
        const int sequence = Utf8::sequenceLength(bytes, i);
        if (sequence > 0) {
            const uint point = codePoint(bytes, i, sequence);
            if (QChar::requiresSurrogates(point)) {
                text += QChar(QChar::highSurrogate(point));
                text += QChar(QChar::lowSurrogate(point));
            } else {
                text += QChar(ushort(point));
            }
            i += sequence;
        } else if (state && mayBeCutSequence(bytes, i)) {
            state->remainingChars = bytes.size() - i;
            for (int k = 0; k < state->remainingChars; ++k)
                state->state_data[0] |= uint(static_cast<quint8>(bytes.at(i + k))) << (8 * k);
            break;
        } else {
            text += QChar(ushort(escapedBytes + static_cast<quint8>(bytes.at(i))));
            ++i;
        }
    }
    return text;
}

QByteArray FileNameCodec::convertFromUnicode(const QChar *in, int length,
                                             ConverterState *state) const
{
    // A stream's piece may end between the two halves of a surrogate pair.
    QString units;
    if (state && state->remainingChars > 0) {
        units += QChar(ushort(state->state_data[0]));
        state->remainingChars = 0;
        state->state_data[0] = 0;
    }
    units.append(in, length);
    QByteArray bytes;
    bytes.reserve(units.size());
    for (int i = 0; i < units.size(); ++i) {
        const ushort unit = units.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < units.size()
            && QChar::isLowSurrogate(units.at(i + 1).unicode())) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, units.at(i + 1).unicode()));
            ++i;
        } else if (QChar::isHighSurrogate(unit) && i + 1 == units.size() && state) {
            state->remainingChars = 1;
            state->state_data[0] = unit;
        } else if (isEscapedByte(unit)) {
            bytes += char(unit - escapedBytes);
        } else if (QChar::isSurrogate(unit)) {
            // A surrogate that stands for nothing has no bytes.
            bytes += '?';
            if (state)
                ++state->invalidChars;
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}
