#include "commandlineoptions.h"
#include "crashhandler.h"
#include "halm58ga/networkg.h"
#include "mapview/tileview.h"
#include "startup.h"
#include "utf8/filenamecodec.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Texts and file names are UTF-8 whatever the locale; a name that is not still
    // reaches its file.
    FileNameCodec::install();
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const CommandLineOptions options = CommandLineOptions::parse(arguments);
    // The quiet modes show no window, so they need no display either: a script
    // may run them where there is none.
    const CommandLineOptions::Mode mode = options.mode();
    if (mode != CommandLineOptions::Window && mode != CommandLineOptions::EditProgram
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    Startup::setApplicationIdentity();
    installCrashHandler();

    const QStringList translationDirs
        = Startup::translationDirectories(QCoreApplication::applicationDirPath());
    Startup::installToolkitTranslations(translationDirs);
    QTranslator translator;
    const QString translationDir
        = Startup::installApplicationTranslation(&translator, translationDirs);
    // The network editor and the map view load their own translations from the same place.
    Halm58ga::Networkg::loadTranslations(translationDir);
    TileView::loadTranslations(translationDir);

    if (mode != CommandLineOptions::Window)
        return Startup::runBatchMode(options);
    return Startup::runMainWindow(options);
}
