#include "commandlineoptions.h"
#include "crashhandler.h"
#include "networkg.h"
#include "startup.h"
#include "tileview.h"

#include <QApplication>
#include <QTextCodec>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    Startup::setApplicationIdentity();
    installCrashHandler();

    const QStringList translationDirs =
        Startup::translationDirectories(QCoreApplication::applicationDirPath());
    Startup::installToolkitTranslations(translationDirs);
    QTranslator translator;
    const QString translationDir = Startup::installApplicationTranslation(&translator, translationDirs);
    // The network editor and the map view load their own translations from the same place.
    Halm58ga::Networkg::loadTranslations(translationDir);
    TileView::loadTranslations(translationDir);

    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const CommandLineOptions options = CommandLineOptions::parse(arguments);
    if (options.mode() != CommandLineOptions::Window)
        return Startup::runBatchMode(options);
    return Startup::runMainWindow(options);
}
