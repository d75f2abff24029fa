#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class EmulataorParametersDlg;
}

// Edits three settings of the emulation run: the configuration modules left
// out of the description handed to the emulator
// ("EmulatorParameters/ExcludedModules"), the emulator plug-ins switched off
// ("QTlc/DisabledPlugins", default EmulatorPlugins::defaultDisabled()) and the levels of the
// log4cxx loggers (group "Log4qt", one key per logger name, a level name as value). It keeps
// nothing itself: OK writes the settings and applies the levels, Cancel stores nothing.
class EmulatorParametersDlg : public QDialog
{
    Q_OBJECT
public:
    explicit EmulatorParametersDlg(QWidget *parent = nullptr);
    ~EmulatorParametersDlg() override;

    static QString defaultExcludedModules();
    // Gives every existing logger named in the group "Log4qt" its stored
    // level; a stored text that is no level name changes nothing.
    static void applyLoggingSettings();

public slots:
    void accept() override;

private slots:
    void on_notIncludedReset_clicked();
    void on_disabledPluginsReset_clicked();

private:
    Ui::EmulataorParametersDlg *ui;
};
