#pragma once

#include <QDialog>
#include <QSettings>
#include <QString>

namespace Ui {
class EmulataorParametersDlg;
}

// Edits three settings of the emulation run: the configuration modules left
// out of the description handed to the emulator
// ("EmulatorParameters/ExcludedModules"), the emulator plug-ins switched off
// ("QTlc/DisabledPlugins") and the levels of the log4cxx loggers (group "Log4qt", one key
// per logger name, a level name as value). It keeps nothing itself: OK writes the settings
// and applies the levels, Cancel stores nothing.
class EmulatorParametersDlg : public QDialog
{
    Q_OBJECT
public:
    explicit EmulatorParametersDlg(QWidget *parent = nullptr);
    ~EmulatorParametersDlg() override;

    static QString defaultExcludedModules();
    // The emulator plug-ins switched off unless the user chose otherwise: the bus and the
    // keyboard, which the emulator cannot serve. The one place of this default. Defined in
    // the header, as the next one is, because the TIVERK 3 program dialog, in the library
    // below this one, stores it too.
    static QString defaultDisabledPlugins() { return QStringLiteral("SystemBus,Keyboard"); }
    // Stores defaultDisabledPlugins() as the plug-ins the emulator library leaves out, unless
    // the user already has a value there.
    static void storeDefaultDisabledPluginsUnlessSet()
    {
        QSettings settings;
        if (!settings.contains(disabledPluginsKey()))
            settings.setValue(disabledPluginsKey(), defaultDisabledPlugins());
    }
    // Gives every existing logger named in the group "Log4qt" its stored
    // level; a stored text that is no level name changes nothing.
    static void applyLoggingSettings();

public slots:
    void accept() override;

private slots:
    void on_notIncludedReset_clicked();
    void on_disabledPluginsReset_clicked();

private:
    static QString disabledPluginsKey() { return QStringLiteral("QTlc/DisabledPlugins"); }

    Ui::EmulataorParametersDlg *ui;
};
