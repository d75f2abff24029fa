#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

class QSettings;

// The settings store of zumoltc: QSettings opened with its default constructor, so
// under the organisation and application names that main sets. Text and path values
// are stored as Base64 of their UTF-8 bytes, written as byte-array values, so that
// any character survives every platform's store.
namespace Settings {

// The stored form of a text value, and back. A value that is no Base64 decodes to
// whatever bytes Base64 decoding makes of it; an invalid value gives an empty text.
QByteArray encodeText(const QString &text);
QString decodeText(const QVariant &value);

// The text stored under key in settings' current group; defaultValue when the key
// is absent (a stored empty text stays empty).
QString text(const QSettings &settings, const QString &key,
             const QString &defaultValue = QString());
void setText(QSettings &settings, const QString &key, const QString &text);

// The folder stored under key when it still exists; the current folder for an
// absent key, an empty value or a folder that has gone since.
QString dirSetting(const QString &key);
// Stores path under key when it names an existing folder; otherwise removes key.
void setDirSetting(const QString &key, const QString &path);

} // namespace Settings
