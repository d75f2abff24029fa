#include "mainwindow.h"
#include "startup.h"

#include "zumoltc/shell/framework/prefixes.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
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
