#pragma once

#include <QStringList>
#include <QtCore/qnamespace.h>

class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The rows of the calendar dialog's views: their columns and the card rows
// that loading and editing both create.
namespace CalendarRows {

enum DayCardColumn {
    DayCardNumber,
    DayCardName,
    RecordStart,
    RecordEnd,
    RecordProgram,
    RecordReserve
};
enum WeekCardColumn { WeekCardNumber, WeekCardName, WeekDay, WeekDayCard };
enum SeasonPlanColumn { PlanName, PlanFrom, PlanTo, PlanWeekCard };
enum SpecialDayColumn { SpecialNumber, SpecialName, SpecialDate, SpecialDayCard };

// The number a card row had when it was last committed; renaming rewrites the
// references from it.
constexpr int RememberedNumberRole = Qt::UserRole;
// The number a card row had in the controller when the dialog opened (on the
// first cell of a season plan row: its place in the list; of a special day
// row: its number); none for a row added in the dialog. The members a file
// keeps for the object follow it.
constexpr int LoadedNumberRole = Qt::UserRole + 1;

// An editable row.
QTreeWidgetItem *newRow();
// A card row; it remembers its number as committed.
QTreeWidgetItem *newCardRow(const QString &number, const QString &name);
// The numbers of the cards, in view order.
QStringList cardNumbers(const QTreeWidget *tree);
// Taken numbers for a card-number editor: an empty number is never free, as
// nothing could refer to it.
QStringList takenNumbers(const QStringList &numbers);
// The text of a cell, empty for a cell without item.
QString cellText(const QTableWidget *table, int row, int column);
// Puts `value` into a new item of the cell.
void setCell(QTableWidget *table, int row, int column, const QVariant &value);

} // namespace CalendarRows
