#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

// The application of a benchmark that opens zumoltc's window: offscreen where there
// is no display, and the window's settings (recent files, sizes) in a folder of its
// own instead of the user's.
class BenchApplication
{
public:
    BenchApplication(int &argc, char **argv, const QString &name)
        : m_settingsReady(useSettingsHome(m_settingsHome))
        , m_app(argc, argv)
    {
        QCoreApplication::setOrganizationName(name);
    }

private:
    static bool useSettingsHome(const QTemporaryDir &home)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
            && qEnvironmentVariableIsEmpty("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    }

    QTemporaryDir m_settingsHome;
    bool m_settingsReady;
    QApplication m_app;
};

// Paints a window that has just been shown, as its first appearance would.
inline void showAndPaint(QWidget *window)
{
    window->resize(1200, 800);
    window->show();
    QApplication::processEvents();
    window->repaint();
}
