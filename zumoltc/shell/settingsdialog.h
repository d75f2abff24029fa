#pragma once

#include <QDialog>

class QAbstractButton;

namespace Ui {
class SettingsDialog;
}

// Edits the object-name prefixes. It works on the process-wide prefixes itself:
// Ok makes the rows' texts the prefixes and stores them; Restore Defaults puts the
// defaults in use at once and shows them; leaving by Cancel, Escape or the close
// button after Restore Defaults brings the stored prefixes back.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    void showPrefixes();

public slots:
    void reject() override;

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_buttonBox_accepted();

private:
    Ui::SettingsDialog *ui;
    bool m_restored = false;
};
