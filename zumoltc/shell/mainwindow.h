#pragma once

#include <QMainWindow>

class ZUConfiguration;

namespace Ui {
class MainWindow;
}

// The main window of zumoltc: it owns one ZU_MOLT configuration (object name
// "configuration", the window its parent) for its whole life. Its constructor
// stores the display texts of the zu enumerations that every list of the editor
// shows. The splitter's state is kept in the setting "splitterSizes".
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window's configuration; the same object for the window's whole life.
    ZUConfiguration *configuration() const;

private slots:
    // Checks the configuration into the window's one checking dialog (made on the
    // first check, then reused and cleared): shows the dialog, not modal, when a
    // rule fails, else the message "No errors found".
    void on_actionchecking_triggered();
    void on_actionSettings_triggered();

private:
    Ui::MainWindow *ui;
    ZUConfiguration *m_configuration;
};
