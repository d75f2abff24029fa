#pragma once

#include <QMainWindow>

// The main window of zumoltc: it owns one ZU_MOLT configuration for its whole life.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;
};
