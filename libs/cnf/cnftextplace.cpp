#include "cnftextplace.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace CnfTextPlace {

int utf8SequenceLength(const QByteArray &bytes, int i)
{
    const auto at = [&bytes](int k) {
        return static_cast<quint8>(bytes.at(k));
    };
    const quint8 lead = at(i);
    if (lead < 0x80)
        return 1;
    int length = 0;
    quint8 low = 0x80;
    quint8 high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    // The second byte has the narrowed range, the others the plain one.
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (int k = i + 2; k < i + length; ++k) {
        if (at(k) < 0x80 || at(k) > 0xBF)
            return 0;
    }
    return length;
}

NonUtf8Byte firstNonUtf8Byte(const QByteArray &bytes)
{
    NonUtf8Byte found;
    qint64 line = 1;
    qint64 column = 1;
    for (int i = 0; i < bytes.size();) {
        const int length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            found.offset = i;
            found.line = line;
            found.column = column;
            found.byte = static_cast<quint8>(bytes.at(i));
            return found;
        }
        if (bytes.at(i) == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i += length;
    }
    return found;
}

QString nonUtf8Message(quint8 byte)
{
    return QCoreApplication::translate("CnfTextPlace", "the byte 0x%1 is not UTF-8")
        .arg(QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0')));
}

XmlError xmlError(const QXmlStreamReader &xml, const QByteArray &bytes)
{
    // Qt's own words for a text that its decoder refused.
    const bool encodingError = xml.error() == QXmlStreamReader::NotWellFormedError
        && xml.errorString()
            == QCoreApplication::translate("QXmlStream",
                                           "Encountered incorrectly encoded content.");
    const QString encoding = xml.documentEncoding().toString();
    if (encodingError
        && (encoding.isEmpty()
            || encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0)) {
        const NonUtf8Byte bad = firstNonUtf8Byte(bytes);
        if (bad.offset >= 0)
            return { bad.line, bad.column, nonUtf8Message(bad.byte) };
    }
    return { xml.lineNumber(), xml.columnNumber(), xml.errorString() };
}

} // namespace CnfTextPlace
