#include "settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace Settings {

QByteArray encodeText(const QString &text)
{
    return text.toUtf8().toBase64();
}

QString decodeText(const QVariant &value)
{
    return QString::fromUtf8(QByteArray::fromBase64(value.toByteArray()));
}

QString text(const QSettings &settings, const QString &key, const QString &defaultValue)
{
    if (!settings.contains(key))
        return defaultValue;
    return decodeText(settings.value(key));
}

void setText(QSettings &settings, const QString &key, const QString &text)
{
    settings.setValue(key, encodeText(text));
}

static bool isExistingDir(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString dirSetting(const QString &key)
{
    const QString path = text(QSettings(), key);
    return isExistingDir(path) ? path : QDir::currentPath();
}

void setDirSetting(const QString &key, const QString &path)
{
    QSettings settings;
    if (isExistingDir(path))
        setText(settings, key, path);
    else
        settings.remove(key);
}

} // namespace Settings
