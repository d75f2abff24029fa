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
#include <QStringList>
#include <QVariant>

class QLineEdit;
class QRegExpValidator;
class QString;
class QWidget;

// The one home of the helpers that zumoltc's editor pages share: the id and name
// fields, enabling a page, table cells as model ints, and the combo boxes and
// delegates of pages that reference other objects: cells and items hold ids,
// and follow their objects when another page renumbers or removes them.
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

// The choices a page offers of the live objects of a kind: their list texts,
// their ids and the objects themselves, by which a choice or a cell made
// earlier finds its object again under a new id.
struct ObjectChoices
{
    QStringList texts;
    QList<QVariant> ids;
    QList<QPointer<QObject>> objects;
};

template<typename T> ObjectChoices objectChoices(const QList<QPointer<T>> &objects)
{
    ObjectChoices choices;
    for (const QPointer<T> &object : objects) {
        if (object) {
            choices.texts << object->text(QString());
            choices.ids << QVariant(object->id());
            choices.objects << QPointer<QObject>(object.data());
        }
    }
    return choices;
}

// The item data role under which a combo box of objects keeps each item's
// object; the item's id is its Qt::UserRole data.
constexpr int ObjectRole = Qt::UserRole + 1;

// Refills combo with the choices and selects again the object it showed, by
// the id the object has now (none when it is gone). Unless the user changed
// the choice, the validator takes the refilled box as its snapshot: another
// object's change is no edit on this page; the snapshot of a choice the user
// changed keeps naming the object it named.
void refillObjects(QComboBox *combo, const ObjectChoices &choices, DialogItemValidator *validator);

template<typename T>
void refillObjects(QComboBox *combo, const QList<QPointer<T>> &objects,
                   DialogItemValidator *validator)
{
    refillObjects(combo, objectChoices(objects), validator);
}

// Refills a delegate of table cells with the choices; the delegate keeps the
// objects beside their ids (see refillLines).
void refillObjects(ComboBoxDelegate *delegate, const ObjectChoices &choices);

template<typename T>
void refillObjects(ComboBoxDelegate *delegate, const QList<QPointer<T>> &objects)
{
    refillObjects(delegate, objectChoices(objects));
}

// After the objects of a kind changed: the combo box delegate of the table's
// columns (or rows, where byRow) gets the choices, and each cell of those
// lines names the object it named before, by the object's id now: a cell of a
// renumbered object shows the new id, a cell of an object that is gone is
// emptied. Without unapplied edits in the table this is no edit of the user's
// (the table's snapshot follows); with them, the snapshot follows the objects
// too, so that Cancel shows them as they are now. The lines share one delegate.
void refillLines(ParametersTable *table, bool byRow, const QList<int> &lines,
                 const ObjectChoices &choices, DialogItemValidator *validator);

template<typename T>
void refillColumns(ParametersTable *table, const QList<int> &columns,
                   const QList<QPointer<T>> &objects, DialogItemValidator *validator)
{
    refillLines(table, false, columns, objectChoices(objects), validator);
}

// refillColumns for a table whose delegates edit rows.
template<typename T>
void refillRows(ParametersTable *table, const QList<int> &rows, const QList<QPointer<T>> &objects,
                DialogItemValidator *validator)
{
    refillLines(table, true, rows, objectChoices(objects), validator);
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
