#pragma once

#include <QDialog>

#include <memory>

class WAppender;
namespace Ui {
class Tiverk2LogDlg;
}

// The emulator's log: every event that reaches the root logger while the window
// exists becomes one coloured line (see WAppender), also while it is hidden.
// The window keeps its geometry under "Tiverk2LogDlg/geometry".
class Tiverk2LogDlg : public QDialog
{
    Q_OBJECT
public:
    explicit Tiverk2LogDlg(QWidget *parent = nullptr);
    ~Tiverk2LogDlg() override;

    void setVisible(bool visible) override;

public slots:
    void clearLog();

signals:
    void visibilityChanged(bool visible);

private:
    Ui::Tiverk2LogDlg *ui;
    std::shared_ptr<WAppender> m_appender;
};
