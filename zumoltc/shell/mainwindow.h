#pragma once

#include <QMainWindow>
#include <QMessageBox>

#include <memory>

class RecentFiles;
class UserDialogs;
class ZUConfiguration;

namespace Ui {
class MainWindow;
}

// The main window of zumoltc: it owns one ZU_MOLT configuration (object name
// "configuration", the window its parent) for its whole life; New, Close and Open
// empty and refill it, never replace it. Its constructor stores the display texts of
// the zu enumerations that every list of the editor shows. The splitter's state is
// kept in the setting "splitterSizes".
//
// The enabled state of "actionSave" is the one modified flag: enabled while the
// configuration holds changes not yet saved. Every way of leaving a configuration
// asks checkForUnsaved first. Modal windows and file dialogs go through
// userDialogs(), which tests replace.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The window's configuration; the same object for the window's whole life.
    ZUConfiguration *configuration() const;
    // Path of the open file as it was given; empty for a new configuration.
    QString fileName() const;

    // Replaces the configuration by the file's content; on failure (or when the user
    // turns down its warnings) the window holds a new, empty configuration.
    bool loadFile(const QString &path);
    // True when the caller may drop the configuration: nothing is modified, the user
    // said No, or said Yes and the save succeeded.
    bool checkForUnsaved();
    // Empties the configuration and everything shown of it; the title is left to the caller.
    void resetView();

    // Takes over how the window shows modal windows and asks for files.
    void setUserDialogs(std::unique_ptr<UserDialogs> dialogs);
    UserDialogs *userDialogs() const;

public slots:
    void updateWindowTitle();
    void showError(const QString &message);
    // After an applied page edit or an object added or destroyed: the configuration
    // is modified.
    void configuration_changed(const char *className = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_actionNew_triggered();
    void on_actionClose_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSave_as_triggered();
    void on_actionSettings_triggered();
    // Checks the configuration into the window's one checking dialog (made on the
    // first check, then reused and cleared): shows the dialog, not modal, when a
    // rule fails, else the message "No errors found".
    void on_actionchecking_triggered();
    void on_recentFiles_openFile(const QString &fileName);

private:
    // Applies the edits that open pages hold unapplied (pages whose Apply is enabled).
    void applyPendingEdits();
    // Save to the open file with its ".bak" copy, or Save as without a file; true when saved.
    bool save();
    // Asks for a file name and saves there without a backup; false when cancelled or failed.
    bool saveAs();
    // Writes the configuration to path; shows the model's error text on failure.
    bool saveTo(const QString &path);
    void setModified(bool modified);
    int ask(QMessageBox::Icon icon, const QString &title, const QString &text, QMessageBox::StandardButtons buttons);

    Ui::MainWindow *ui;
    ZUConfiguration *m_configuration;
    RecentFiles *m_recentFiles;
    std::unique_ptr<UserDialogs> m_dialogs;
    QString m_fileName;
};
