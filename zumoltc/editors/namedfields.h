#pragma once

#include "zumoltc/shell/framework/objectselection.h"

class IntEdit;
class QLineEdit;
class ZUBaseObject;

// The id and name fields of the pages of named kinds.
namespace NamedFields {

// Before a selection is shown: one object may not take another's id or name
// (0 stays allowed); several objects get no forbidden values at all.
template<typename T>
void prepare(DialogItemValidator *validator, QWidget *id, QWidget *name, const QList<QPointer<T>> &selected,
             const QList<QPointer<T>> &all)
{
    if (selected.size() == 1) {
        forbidOtherIds(validator, id, selected, all, true);
        forbidOtherNames(validator, name, selected, all);
    } else {
        validator->reset();
    }
}

// On Apply of one object: its id and its name, each only when the user changed it.
void write(const DialogItemValidator &validator, IntEdit *id, QLineEdit *name, ZUBaseObject *object);

} // namespace NamedFields
