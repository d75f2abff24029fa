#include "startup.h"

#include "batchmodes.h"
#include "commandlineoptions.h"
#include "plivek/mainwindow/mainwindow.h"
#include "reportwriter.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTextCodec>
#include <QTextStream>
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
    QStringList directories { applicationDir };
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
    switch (options.mode()) {
    case CommandLineOptions::AlgorithmList: {
        // The statistics go to standard output through the locale codec: UTF-8
        // that gives back the bytes of a file name that is not UTF-8.
        QTextStream out(stdout);
        out.setCodec(QTextCodec::codecForLocale());
        return BatchModes::algorithmList(QDir::current(), out);
    }
    case CommandLineOptions::EditProgram:
        return BatchModes::editProgram(options.editProg, options.controllerConfig, options.objectId,
                                       options.progId);
    case CommandLineOptions::ProgramList:
        return BatchModes::programList(options.progListFile, options.controllerConfig,
                                       options.objectId);
    case CommandLineOptions::BatchReport:
        return ReportWriter::batchReportMode(options.configDir, options.reportDir);
    case CommandLineOptions::CreateReport:
        return ReportWriter::createReportMode(options.controllerConfig, options.reportDir);
    case CommandLineOptions::Window:
        break;
    }
    return 1;
}

int runMainWindow(const CommandLineOptions &options)
{
    setEmulatorPluginPath(QCoreApplication::applicationDirPath());
    MainWindow window;
    // Shown before anything is loaded, so that the recovery question and a
    // load error appear over the window they belong to, not over an empty screen.
    window.show();
    if (!window.recoverCrashSave() && !options.document.isEmpty())
        window.loadDocument(options.document);
    return QApplication::exec();
}

} // namespace Startup
