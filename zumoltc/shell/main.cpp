#include "mainwindow.h"
#include "prefixes.h"
#include "startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::setApplicationIdentity();

    QTranslator translator;
    Startup::installTranslations(&translator,
                                 Startup::translationDirectories(QCoreApplication::applicationDirPath()), &app);
    loadPrefixes(false);

    MainWindow window;
    window.show();
    return app.exec();
}
