#pragma once

#include "zumoltc/editors/lampicon.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QMessageBox>
#include <QSet>
#include <QTabWidget>

#include <memory>

class QModelIndex;
class QToolButton;
class QTreeWidgetItem;
class RecentFiles;
class UserDialogs;
class ZUBaseObject;
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
// The section tree on the left has one item per part of the configuration, a branch
// item per object kind with one child per model object (kept in step with the
// configuration's objectAdded and objectDestroyed), and the five DIO modules under
// "Inputs/Outputs". The current item carries a strip of tool buttons (add, remove,
// move); Insert, Delete and Ctrl+Home/End/Up/Down reach the same operations.
//
// The enabled state of "actionSave" is the one modified flag: enabled while the
// configuration holds changes not yet saved. Every way of leaving a configuration
// asks checkForUnsaved first. Modal windows and file dialogs go through
// userDialogs(), which tests replace.
//
// Defined over mainwindow.cpp (the frame), mainwindowfiles.cpp (new, open, save,
// backup, close), mainwindowpages.cpp (the editor pages and what a change
// reaches), mainwindowsections.cpp (the section tree and its branch updaters) and
// mainwindowitemstrip.cpp (the add, remove and move buttons and keys).
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

    // The tree item of a model object and back; null when there is none.
    QTreeWidgetItem *objectItem(ZUBaseObject *object) const;
    ZUBaseObject *itemObject(QTreeWidgetItem *item) const;

    // Takes over how the window shows modal windows and asks for files.
    void setUserDialogs(std::unique_ptr<UserDialogs> dialogs);
    UserDialogs *userDialogs() const;

    bool eventFilter(QObject *watched, QEvent *event) override;

    // The page of class W among the tabs, retitled, or a new one added as a tab and
    // connected to page_items_changed and configuration_changed where it declares
    // changed(bool) and configurationChanged(const char*). At most one page of a
    // class is open.
    template<typename W> W *openPage(QTabWidget *tabs, const QString &title)
    {
        for (int index = 0; index < tabs->count(); ++index) {
            if (auto *page = qobject_cast<W *>(tabs->widget(index))) {
                tabs->setTabText(index, title);
                return page;
            }
        }
        auto *page = new W;
        connectPage(page);
        tabs->addTab(page, title);
        return page;
    }

public slots:
    void updateWindowTitle();
    void showError(const QString &message);
    // After an applied page edit or an object added or destroyed: the configuration
    // is modified.
    // The sender page's window title names its tab; the model's dependent objects
    // are kept in step (configurationupkeep.h); the sender's branch texts are
    // refreshed and every other open page hears configurationHasChanged.
    void configuration_changed(const char *className = nullptr);
    // A page's changed(bool): the tree stays disabled while any page holds
    // unapplied edits, so the selection cannot drop them.
    void page_items_changed(bool changed);
    // Builds or refreshes the tool strip of the tree's current item.
    void setButtonsForCurrentItem();

    // The item operations of the tool strip and the keyboard: add, remove, and move
    // by the object name of the sending button ("up", "top", "down", "bottom").
    void treeItem_add();
    void treeItem_remove();
    void treeItem_move();

    // Branch updaters: refresh the texts of the kind's object items.
    void update_sg_branch();
    void update_stages_branch();
    void update_detectors_branch();
    void update_plans_branch();
    void update_day_plans_branch();
    void update_week_plans_branch();
    void update_extra_periods_branch();
    void update_extra_days_branch();
    void update_cs_branch();
    void update_kmp_branch();
    // Also sets the lamp icon by the switch's colour.
    void update_sw_branch();

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
    // The object's item goes in at pos of its kind's branch.
    void on_configuration_objectAdded(ZUBaseObject *object, int pos);
    // The object's item goes; a remote-control-panel source takes the panel with it.
    void on_configuration_objectDestroyed(ZUBaseObject *object);
    void on_section_list_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void on_section_list_expanded(const QModelIndex &index);
    // Opens the pages of the selected items, one per page class, and closes the others.
    void on_section_list_itemSelectionChanged();

private:
    using BranchUpdater = void (MainWindow::*)();

    // One section item into member: under parent (or top level), with its branch
    // updater, icon (a resource path beginning with ':' or a theme icon name) and
    // whether it opens a page of its own; objectClass names the class of the model
    // objects listed below it.
    void addSectionItem(QTreeWidgetItem *parent, QTreeWidgetItem *&member, const QString &text,
                        BranchUpdater updater, const QString &icon, bool opensPage,
                        const char *objectClass = nullptr);
    void createSectionItems();
    // The add, remove and move buttons that suit item, in column 1.
    void createItemToolStrip(QTreeWidgetItem *item);
    QToolButton *stripButton(QTreeWidgetItem *item, const QString &name) const;

    // Applies the edits that open pages hold unapplied (pages whose Apply is enabled).
    void applyPendingEdits();
    void connectPage(QWidget *page);
    // Opens and loads the page that a section item opens by itself; false for other items.
    bool openSectionPage(QTreeWidgetItem *item, QSet<QWidget *> &pages);
    // Puts the items held back while a file was read into their branches (into
    // branch only, when given).
    void insertPendingItems(QTreeWidgetItem *branch = nullptr);
    // Save to the open file with its ".bak" copy, or Save as without a file; true when saved.
    bool save();
    // Copies the file as it stands to fileName + ".bak"; the reason when that
    // failed, else an empty text.
    QString keepPreviousVersion() const;
    // Asks for a file name and saves there without a backup; false when cancelled or failed.
    bool saveAs();
    // Writes the configuration to path; shows the model's error text on failure.
    bool saveTo(const QString &path);
    void setModified(bool modified);
    int ask(QMessageBox::Icon icon, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons);

    Ui::MainWindow *ui;
    // The lamp of a switch item by the switch's colour; grey when none is set.
    LampIcon::Cache m_lampIcons;
    ZUConfiguration *m_configuration;
    RecentFiles *m_recentFiles;
    std::unique_ptr<UserDialogs> m_dialogs;
    QString m_fileName;

    // The section items; they live as long as the window.
    QTreeWidgetItem *commonParamItem = nullptr;
    QTreeWidgetItem *netParamItem = nullptr;
    QTreeWidgetItem *sgItem = nullptr;
    QTreeWidgetItem *stagesItem = nullptr;
    QTreeWidgetItem *matrixItem = nullptr;
    QTreeWidgetItem *detectorsItem = nullptr;
    QTreeWidgetItem *plansItem = nullptr;
    QTreeWidgetItem *schedulerItem = nullptr;
    QTreeWidgetItem *dayPlansItem = nullptr;
    QTreeWidgetItem *weekPlansItem = nullptr;
    QTreeWidgetItem *extraPeriodsItem = nullptr;
    QTreeWidgetItem *extraDaysItem = nullptr;
    QTreeWidgetItem *switchesItem = nullptr;
    QTreeWidgetItem *countdownItem = nullptr;
    QTreeWidgetItem *ioItem = nullptr;
    QTreeWidgetItem *rcpItem = nullptr;
    QTreeWidgetItem *csItem = nullptr;
    QTreeWidgetItem *kmpItem = nullptr;
    QTreeWidgetItem *recoveryItem = nullptr;
    // The "DIO%1" items; index i stands for the configuration's DIO module i.
    QList<QTreeWidgetItem *> dioItems;
    // Items that open a page of their own, and their parents: no tool strip.
    QList<QTreeWidgetItem *> pageSectionItems;
    QMap<QTreeWidgetItem *, BranchUpdater> branchUpdaters;
    // The branch item of each model class that has one.
    QMap<QByteArray, QTreeWidgetItem *> branchItems;
    // Object items are the window's; the objects are the model's.
    QMap<ZUBaseObject *, QTreeWidgetItem *> objectItems;
    QMap<QTreeWidgetItem *, ZUBaseObject *> itemObjects;
    // Every open page and the tree item it stands for.
    QMap<QWidget *, QTreeWidgetItem *> pageItems;
    // What a file being loaded announced; the upkeep waits until the whole file is in.
    QList<QByteArray> m_loadedClasses;
    // Items of the objects a file being loaded announced, per branch, in list order:
    // they join their branch at once when the load is done (insertPendingItems), as
    // a tree reports every single insertion and text change of an item it shows.
    QHash<QTreeWidgetItem *, QList<QTreeWidgetItem *>> m_pendingItems;
};
