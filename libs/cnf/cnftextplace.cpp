#include "cnftextplace.h"

#include "utf8/utf8.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace CnfTextPlace {

NonUtf8Byte firstNonUtf8Byte(const QByteArray &bytes)
{
    NonUtf8Byte found;
    qint64 line = 1;
    qint64 column = 1;
    for (int i = 0; i < bytes.size();) {
        const int length = Utf8::sequenceLength(bytes, i);
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
