#include "chartsavefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace ChartSaveFolder {

namespace {

const char Key[] = "chart_save_dir";

} // namespace

QString folder()
{
    QSettings settings;
    settings.setIniCodec("UTF-8");
    const QVariant stored = settings.value(QLatin1String(Key));
    const QString path = stored.type() == QVariant::ByteArray
        ? QString::fromUtf8(stored.toByteArray())
        : stored.toString();
    return !path.isEmpty() && QDir(path).exists() ? path : QDir::currentPath();
}

void remember(const QString &chosenFile, const QString &shownFolder)
{
    const QString chosenFolder = QFileInfo(chosenFile).absolutePath();
    if (chosenFolder == shownFolder)
        return;
    QSettings settings;
    settings.setIniCodec("UTF-8");
    settings.setValue(QLatin1String(Key), chosenFolder.toUtf8());
}

} // namespace ChartSaveFolder
