#pragma once

#include <QMainWindow>

class QAction;
class ZUConfiguration;

// The main window of zumoltc: it owns one ZU_MOLT configuration for its whole life.
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

private:
    ZUConfiguration *m_configuration;
    QAction *m_actionChecking;
};
