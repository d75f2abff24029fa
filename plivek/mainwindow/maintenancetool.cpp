#include "maintenancetool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString &toolFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString MaintenanceTool::path()
{
    const QString folder
        = toolFolder().isEmpty() ? QCoreApplication::applicationDirPath() : toolFolder();
    return QFileInfo(QDir(folder), QStringLiteral("maintenancetool")).absoluteFilePath();
}

bool MaintenanceTool::exists()
{
    return QFileInfo::exists(path());
}

void MaintenanceTool::setFolder(const QString &folder)
{
    toolFolder() = folder;
}

QStringList MaintenanceTool::checkArguments()
{
    return { QStringLiteral("ch"), QStringLiteral("-g"), QStringLiteral("ifw.*=false") };
}

QStringList MaintenanceTool::updateArguments()
{
    return { QStringLiteral("--su") };
}
