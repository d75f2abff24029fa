#include "mainwindow.h"
#include "startup.h"

#include "utf8/filenamecodec.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // A file name that is not UTF-8 (handed over by plivek, or typed) still reaches
    // its file: the arguments and every file name keep their bytes.
    FileNameCodec::install();
    QApplication app(argc, argv);
    Startup::setApplicationIdentity();

    QTranslator translator;
    Startup::installTranslations(
        &translator, Startup::translationDirectories(QCoreApplication::applicationDirPath()), &app);
    loadPrefixes(false);

    MainWindow window;
    // Only the first argument is opened; a file that does not load leaves a new
    // configuration after its error has been shown.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        window.loadFile(arguments.at(1));
    window.show();
    return app.exec();
}
