#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.2.0"));
    QCoreApplication::setApplicationName(QStringLiteral("zumoltc"));
}

QStringList translationDirectories(const QString &applicationDir)
{
    QStringList directories { applicationDir };
    const QString optional[] = { QDir(applicationDir).filePath(QStringLiteral("translations")),
                                 QLibraryInfo::location(QLibraryInfo::TranslationsPath) };
    for (const QString &path : optional) {
        const QFileInfo folder(path);
        if (folder.isDir())
            directories << folder.absoluteFilePath();
    }
    return directories;
}

static bool load(QTranslator *translator, const QString &name, const QString &directory)
{
    return translator->load(QLocale::system(), name, QStringLiteral("_"), directory);
}

// A translator of owner that is kept only when it loads.
static void installOwned(const QString &name, const QString &directory, QObject *owner)
{
    auto *translator = new QTranslator(owner);
    if (load(translator, name, directory))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

QString installTranslations(QTranslator *translator, const QStringList &directories, QObject *owner)
{
    installOwned(QStringLiteral("qt"), directories.value(0), owner);

    QString found;
    for (const QString &directory : directories) {
        if (load(translator, QStringLiteral("zumoltc"), directory)) {
            QCoreApplication::installTranslator(translator);
            found = directory;
            break;
        }
    }
    installOwned(QStringLiteral("zumolt"), found, owner);
    return found;
}

} // namespace Startup
