#pragma once

#include <QByteArray>
#include <QString>

class QXmlStreamReader;

// Places in a text of the configuration files as the messages give them: the line
// from 1 and the column from 1, counted in characters.
namespace CnfTextPlace {

// The first byte of `bytes` that does not belong to a well-formed UTF-8 sequence;
// `offset` is -1 when every byte does.
struct NonUtf8Byte
{
    int offset = -1;
    qint64 line = 0;
    qint64 column = 0;
    quint8 byte = 0;
};
NonUtf8Byte firstNonUtf8Byte(const QByteArray &bytes);

// "the byte 0xFF is not UTF-8", the message for such a byte.
QString nonUtf8Message(quint8 byte);

// Where the XML reader's error lies in `bytes`, the text it read, and its message.
// Qt decodes the whole text before it reads the first tag and so reports a byte
// that is not UTF-8 at the start; that error is placed at the byte itself.
struct XmlError
{
    qint64 line = 0;
    qint64 column = 0;
    QString message;
};
XmlError xmlError(const QXmlStreamReader &xml, const QByteArray &bytes);

} // namespace CnfTextPlace
