#pragma once

#include <QDialog>
#include <QStringList>

class CnfController;
class ComboBoxDelegate;
class ExtTextDelegate;
class QAbstractItemView;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class CalendarDlg;
}

// The calendar schedule of one controller: its day cards (time records naming a
// program and a reserve program), week cards (a day card per weekday), seasonal
// timetable (date periods naming a week card), special days (dates running a day
// card) and the default program, reserve program and day card.
//
// The constructor copies the whole timetable into the dialog's views; editing
// works on that copy only, where cards refer to each other by number text.
// accept() replaces every day card, week card, season plan and special day of
// the controller with new objects built from the views and sets the three
// defaults; it never refuses. Cancel leaves the controller untouched. The caller
// moves no data. The controller is not owned and must outlive the dialog.
class CalendarDlg : public QDialog
{
    Q_OBJECT
public:
    CalendarDlg(QWidget *parent, CnfController *controller);
    ~CalendarDlg() override;

    void accept() override;

    // Reports an error of this dialog (see the static form).
    void printError(const QString &message);
    // Reports an error of `dialog`: to the slot "printError(QString)" of its parent
    // window (the main window's message table), or to the critical log when it has
    // none (command-line modes), and then, when the dialog is shown, in a message
    // box over it. Shared by the parameter and program dialogs.
    static void printError(QWidget *dialog, const QString &message);

    // The context menu of one of the four views as the user would get it at this
    // moment, parented to the view; the caller runs and deletes it.
    QMenu *contextMenu(QAbstractItemView *view);

private slots:
    void addDaycard();
    void addDaycardItem();
    void removeDaycard();
    void addWeekcard();
    void addWeekcardItem();
    void removeWeekcard();
    void addSeasonPlanItem();
    void removeSeasonPlanItem();
    void addspecialDaysItem();
    void removespecialDaysItem();
    void on_dayCards_customContextMenuRequested(const QPoint &pos);
    void on_weekCards_customContextMenuRequested(const QPoint &pos);
    void on_seasonPlan_customContextMenuRequested(const QPoint &pos);
    void on_specialDays_customContextMenuRequested(const QPoint &pos);
    void on_dayCards_itemChanged(QTreeWidgetItem *item, int column);
    void on_weekCards_itemChanged(QTreeWidgetItem *item, int column);

private:
    void applyFamilyRules();
    void loadDayCards();
    void loadWeekCards();
    void loadSeasonPlans();
    void loadSpecialDays();
    void selectDefaults();
    void createEditActions();
    void addEditAction(QWidget *view, const QString &name, const QString &text,
                       const QKeySequence &shortcut, void (CalendarDlg::*slot)());
    void showContextMenu(QAbstractItemView *view, const QPoint &pos);

    void storeDayCards();
    // The members a file keeps for the calendar's objects follow the objects.
    void followKeptMembers();
    void completeEndTimes();
    void storeWeekCards();
    void storeSeasonPlans();
    void storeSpecialDays();
    void storeDefaults();

    // Renews the day-card editors and the default day-card box; a default that
    // showed `renamedFrom` follows it to `renamedTo`.
    void updateDayCardLists(const QString &renamedFrom = QString(),
                            const QString &renamedTo = QString());
    void updateWeekCardLists();
    // The week card of the minimal data set (see createMinimal).
    void addMinimalWeekCard();
    // A card number typed into column 0: rewrites the references to it, or puts
    // the remembered number back when the new one is empty or taken.
    bool renameCard(QTreeWidget *tree, QTreeWidgetItem *item, int column, QString *oldNumber);
    QTreeWidgetItem *addCardRow(QTreeWidget *tree, const QString &number, const QString &name);
    void removeSeasonPlansOf(const QString &weekCard);
    QString newDayCardName(const QString &number) const;
    QString newWeekCardName(const QString &number) const;
    QString newSeasonPlanName() const;

    Ui::CalendarDlg *ui;
    CnfController *controller;
    bool tiverk = false; // TIVERK 3.x: a single week card
    bool adapter = false;
    bool tiverkII = false;
    bool zuMolt = false; // default names, end times completed on OK
    QStringList dayNames; // "Mon" .. "Sun"; position 0 is Monday

    ComboBoxDelegate *programDelegate = nullptr; // day-card records, both program columns
    ExtTextDelegate *dayNumberDelegate = nullptr; // day-card numbers
    ExtTextDelegate *weekNumberDelegate = nullptr; // week-card numbers
    ComboBoxDelegate *weekDayDelegate = nullptr; // weekday of a week-card record
    ComboBoxDelegate *weekDayCardDelegate = nullptr; // day card of a week-card record
    ComboBoxDelegate *seasonWeekCardDelegate = nullptr;
    ComboBoxDelegate *specialDayCardDelegate = nullptr;
};
