#pragma once

#include "zumoltc/model/zubaseobject.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/objectselection.h"

#include "common/widgets/parameterstable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QList>
#include <QPointer>
#include <QSignalBlocker>
#include <QVariant>

class QLineEdit;
class QRegExpValidator;
class QString;
class QWidget;

// The one home of the helpers that zumoltc's editor pages share: the id and name
// fields, enabling a page, table cells as model ints, and the combo boxes and
// delegates of pages that reference other objects by id.
namespace EditorPages {

// Enables or disables every descendant widget of page except its
// QDialogButtonBox itself; the box's own buttons follow the rest. Pages that
// edit one object only show a selection of several this way.
void setDescendantsEnabled(QWidget *page, bool enabled);

// Before a selection is shown: one object may not take another's id (0 stays
// allowed) or name; several objects get no forbidden values at all.
template<typename T>
void forbidOtherIdsAndNames(DialogItemValidator *validator, QWidget *id, QWidget *name,
                            const QList<QPointer<T>> &selected, const QList<QPointer<T>> &all)
{
    if (selected.size() == 1) {
        forbidOtherIds(validator, id, selected, all, true);
        forbidOtherNames(validator, name, selected, all);
    } else {
        validator->reset();
    }
}

// The start of loading a page that edits one object of a kind at a time: the
// ids and names forbidden as forbidOtherIdsAndNames says, id and name emptied,
// and the page enabled for one, disabled for several. True for one.
template<typename T>
bool startLoading(QWidget *page, DialogItemValidator *validator, IntEdit *id, QLineEdit *name,
                  const QList<QPointer<T>> &selected, const QList<QPointer<T>> &all)
{
    const bool one = selected.size() == 1;
    forbidOtherIdsAndNames(validator, id, name, selected, all);
    id->reset();
    name->clear();
    setDescendantsEnabled(page, one);
    return one;
}

// On Apply of one object: its id and its name, each only when the user changed it.
void writeIdAndName(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name,
                    ZUBaseObject *object);

// The "Invalid data" question before storing what the page found invalid; true
// only for Yes (No or closing the box is false).
bool askSaveAnyway(QWidget *page, const QString &text);

// A day and month "d.M" or "dd.MM" (day 1..31, month 1..12, not checked
// against each other), owned by parent.
QRegExpValidator *dayMonthValidator(QObject *parent);

// Refills combo with the list texts of the live objects, the ids as item
// data, and selects again the item of the id it showed (none when gone).
// Unless the user changed the choice, the validator takes the refilled box as
// its snapshot: another object's change is no edit on this page.
template<typename T>
void refillObjects(QComboBox *combo, const QList<QPointer<T>> &objects,
                   DialogItemValidator *validator)
{
    const bool edited = validator && validator->isChanged(combo);
    const QVariant shown = combo->currentData();
    {
        // The box changes only once for the page, from the old choice to the new.
        const QSignalBlocker blocker(combo);
        combo->clear();
        for (const QPointer<T> &object : objects) {
            if (object)
                combo->addItem(object->text(QString()), object->id());
        }
        combo->setCurrentIndex(shown.isValid() ? combo->findData(shown) : -1);
    }
    if (validator && !edited)
        validator->snapshot(combo);
}

// Refills a delegate of table cells with the list texts and ids of the live
// objects; the cells keep their ids.
template<typename T>
void refillObjects(ComboBoxDelegate *delegate, const QList<QPointer<T>> &objects)
{
    delegate->clear();
    for (const QPointer<T> &object : objects) {
        if (object) {
            delegate->texts << object->text(QString());
            delegate->values << QVariant(object->id());
        }
    }
}

// The ids of the live objects.
template<typename T> QList<int> liveIds(const QList<QPointer<T>> &objects)
{
    QList<int> ids;
    for (const QPointer<T> &object : objects) {
        if (object)
            ids.append(object->id());
    }
    return ids;
}

// Empties every cell of the table's column (row < 0) or row (column < 0) whose
// id names none of ids: the object is gone, and so is the model's reference to
// it. Without unapplied edits in the table this is no edit of the user's: the
// table's snapshot follows, so the page stays unchanged.
void emptyCellsOfGoneObjects(ParametersTable *table, int row, int column, const QList<int> &ids,
                             DialogItemValidator *validator);

// After the objects of a kind changed: the combo box delegate of the table's
// column gets the live objects as refillObjects says, cells of objects that are
// gone are emptied (emptyCellsOfGoneObjects) and the table is repainted.
template<typename T>
void refillColumn(ParametersTable *table, int column, const QList<QPointer<T>> &objects,
                  DialogItemValidator *validator)
{
    if (auto *delegate = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForColumn(column)))
        refillObjects(delegate, objects);
    emptyCellsOfGoneObjects(table, -1, column, liveIds(objects), validator);
    table->viewport()->update();
}

// refillColumn for a table whose delegate edits one row.
template<typename T>
void refillRow(ParametersTable *table, int row, const QList<QPointer<T>> &objects,
               DialogItemValidator *validator)
{
    if (auto *delegate = qobject_cast<ComboBoxDelegate *>(table->itemDelegateForRow(row)))
        refillObjects(delegate, objects);
    emptyCellsOfGoneObjects(table, row, -1, liveIds(objects), validator);
    table->viewport()->update();
}

// Selects the item of the object's id, or none for a dead object.
void selectObject(QComboBox *combo, const ZUBaseObject *object);

// The pages whose "Enable" box stands for a set type or protocol: every direct
// child widget but the box itself ("enabled") and "buttonBox" follows it.
void followEnabled(QWidget *page, bool enabled);

// A model int as a table cell: not set is an empty cell.
QVariant intCell(int value);
// A table cell as a model int, the one rule of every page: the cell's text,
// without surrounding blanks, as an integer; a null or empty cell, or one
// whose text is no integer, is not set (zu::NotSet).
int cellInt(const QVariant &cell);

} // namespace EditorPages
