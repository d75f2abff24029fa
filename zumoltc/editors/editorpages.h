#pragma once

#include "zumoltc/model/zubaseobject.h"
#include "zumoltc/shell/framework/comboboxdelegate.h"
#include "zumoltc/shell/framework/intedit.h"
#include "zumoltc/shell/framework/objectselection.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QList>
#include <QPointer>

class QLineEdit;
class QRegExpValidator;
class QString;
class QWidget;

// Helpers shared by the editor pages of subsystem objects that reference other
// objects by id (the scheduler pages, the switch and source pages).
namespace EditorPages {

// Enables or disables every descendant widget of page except its
// QDialogButtonBox itself; the box's own buttons follow the rest. Pages that
// edit one object only show a selection of several this way.
void setDescendantsEnabled(QWidget *page, bool enabled);

// The start of loading a page that edits one object of a kind at a time. One
// selected: the other objects' ids (0 allowed) and names are forbidden;
// several: the validator is reset. Either way id and name are emptied and
// the page is enabled for one, disabled for several. True for one.
template<typename T>
bool startLoading(QWidget *page, DialogItemValidator *validator, IntEdit *id, QLineEdit *name,
                  const QList<QPointer<T>> &selected, const QList<QPointer<T>> &all)
{
    const bool one = selected.size() == 1;
    if (one) {
        forbidOtherIds(validator, id, selected, all, true);
        forbidOtherNames(validator, name, selected, all);
    } else {
        validator->reset();
    }
    id->reset();
    name->clear();
    setDescendantsEnabled(page, one);
    return one;
}

// Writes a changed id and a changed name into the object.
void writeIdAndName(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name, ZUBaseObject *object);

// The "Invalid data" question before storing what the page found invalid; true
// only for Yes (No or closing the box is false).
bool askSaveAnyway(QWidget *page, const QString &text);

// A day and month "d.M" or "dd.MM" (day 1..31, month 1..12, not checked
// against each other), owned by parent.
QRegExpValidator *dayMonthValidator(QObject *parent);

// Refills combo with the list texts of the live objects, the ids as item
// data, and selects again the item of the id it showed (none when gone).
template<typename T>
void refillObjects(QComboBox *combo, const QList<QPointer<T>> &objects)
{
    const QVariant shown = combo->currentData();
    combo->clear();
    for (const QPointer<T> &object : objects) {
        if (object)
            combo->addItem(object->text(QString()), object->id());
    }
    combo->setCurrentIndex(shown.isValid() ? combo->findData(shown) : -1);
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

// Refills the combo box delegate of a view's column like refillObjects and
// repaints the view; the cells keep their ids.
template<typename T>
void refillColumn(QAbstractItemView *view, int column, const QList<QPointer<T>> &objects)
{
    if (auto *delegate = qobject_cast<ComboBoxDelegate *>(view->itemDelegateForColumn(column)))
        refillObjects(delegate, objects);
    view->viewport()->update();
}

// Selects the item of the object's id, or none for a dead object.
void selectObject(QComboBox *combo, const ZUBaseObject *object);

// The switch types by key name, the values as item data, none chosen.
void fillSwitchTypes(QComboBox *types);
// The current bounds of a switch are shown exactly while the type of the item
// at index is not ZU4_SW (no item chosen shows them).
void showCurrentBounds(QWidget *bounds, const QComboBox *types, int index);

} // namespace EditorPages
