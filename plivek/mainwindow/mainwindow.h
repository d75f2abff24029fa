#pragma once

#include <QMainWindow>

// The main window of plivek: it owns the open document for its whole life.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;
};
