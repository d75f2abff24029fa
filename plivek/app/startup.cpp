#include "startup.h"

#include "commandlineoptions.h"
#include "mainwindow.h"
#include "reporterror.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace Startup {

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("plivek"));
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.7.21"));
}

QStringList translationDirectories(const QString &applicationDir)
{
    QStringList directories{applicationDir};
    QDir dir(applicationDir);
    if (dir.cd(QStringLiteral("translations")))
        directories << dir.absolutePath();
    QDir toolkit(QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    if (toolkit.exists())
        directories << toolkit.absolutePath();
    return directories;
}

void installToolkitTranslations(const QStringList &directories)
{
    for (const QString &directory : directories) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"), directory))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

QString installApplicationTranslation(QTranslator *translator, const QStringList &directories)
{
    for (const QString &directory : directories) {
        if (translator->load(QLocale(), QStringLiteral("plivek"), QStringLiteral("_"), directory)) {
            QCoreApplication::installTranslator(translator);
            return directory;
        }
    }
    return QString();
}

void setEmulatorPluginPath(const QString &applicationDir)
{
    const QString key = QStringLiteral("QTlc/PluginPath");
    QSettings settings;
    settings.setValue(key, QDir(applicationDir).absoluteFilePath(QStringLiteral("plugins/QTlc")));
    if (!QDir(settings.value(key).toString()).exists())
        settings.remove(key);
}

int runBatchMode(const CommandLineOptions &options)
{
    // The batch modes come later; until then each says so in its own way of
    // reporting (only --edit-prog reports through message boxes).
    const CommandLineOptions::Mode mode = options.mode();
    static const char *const names[] = {"--alg-list", "--edit-prog", "--get-prog-list",
                                        "--batch-report", "--create-report"};
    const bool quiet = mode != CommandLineOptions::EditProgram;
    reportError(QCoreApplication::translate("main", "plivek"),
                QCoreApplication::translate("main", "The mode %1 is not available yet")
                    .arg(QLatin1String(names[mode])),
                quiet);
    return 1;
}

int runMainWindow(const CommandLineOptions &options)
{
    setEmulatorPluginPath(QCoreApplication::applicationDirPath());
    MainWindow window;
    if (!window.recoverCrashSave() && !options.document.isEmpty())
        window.loadDocument(options.document);
    window.show();
    return QApplication::exec();
}

} // namespace Startup
