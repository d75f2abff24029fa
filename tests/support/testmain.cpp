#include "testmain.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>

namespace TestSupport {

static std::map<QString, TestFactory> &registry()
{
    static std::map<QString, TestFactory> tests;
    return tests;
}

bool registerTest(const char *sourceFile, TestFactory factory)
{
    registry()[QFileInfo(QString::fromLocal8Bit(sourceFile)).completeBaseName()]
        = std::move(factory);
    return true;
}

} // namespace TestSupport

int main(int argc, char *argv[])
{
    // Headless, and never touch the user's own settings: each run gets an empty store.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", settingsHome.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", settingsHome.path().toLocal8Bit());

    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);

    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && TestSupport::registry().count(args.at(1))) {
        only = args.at(1);
        args.removeAt(1);
    }

    int failures = 0;
    for (const auto &[name, factory] : TestSupport::registry()) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
