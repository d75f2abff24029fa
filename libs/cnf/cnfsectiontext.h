#pragma once

#include "cnfjsonvalue.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

// The plain text surface of the adapter configuration: "[section]" headers and
// "path = value" lines (UTF-8; blank lines and lines starting with '#' are
// ignored). A path names a place below the section: segments joined by '.',
// each a bare word of letters, digits, '_' and '-' or a JSON text in double
// quotes, and "[n]" for the n-th item of a list (items in order, from 0). A
// value is a JSON scalar (text in double quotes, number, true, false, null) or
// "{}" / "[]" for an empty map or list. Numbers with '.' or an exponent are
// doubles; nan, inf and -inf are doubles too.
//
// Reading builds the same tree as a JSON document (a CnfJsonValue object), so
// that one typed reader serves both surfaces: a list section (named in
// listSections, mapped to the root key of its list) adds one object to that
// list per header, any other section fills the root member of its own name,
// and lines before the first header fill the root. Errors read
// "Line L: message".
class CnfSectionText
{
public:
    static bool read(const QByteArray &data, const QHash<QString, QString> &listSections,
                     CnfJsonValue *root, QString *error);

    // Writer.
    void comment(const QString &text);
    void section(const QString &name);
    // Writes value under path; maps and lists are spread over one line per
    // scalar. Invalid values are not written.
    void entry(const QString &path, const QVariant &value);
    // A member or item read from a file: an invalid value is a null member
    // that stays, written as "path = null".
    void memberEntry(const QString &path, const QVariant &value);
    QByteArray data() const { return m_text; }
    QString error() const { return m_error; }

    static QString pathSegment(const QString &key);

private:
    void writeLine(const QString &path, const QByteArray &value);

    QByteArray m_text;
    QString m_error;
};
