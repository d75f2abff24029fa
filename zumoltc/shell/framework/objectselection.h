#pragma once

#include "dialogitemvalidator.h"

#include <QList>
#include <QPointer>
#include <QStringList>

class QWidget;

// How a page shows its selection of objects of one kind.
//
// One object: forbidOtherIds on the `id` field and forbidOtherNames on the `name`
// field, then the object's values as they are (PageProtocol::showIdAndName); a
// field that shows or is given a taken id or name turns red and keeps Apply
// disabled.
//
// Several objects: the validator is reset (no forbidden values), `id`, `name` and
// `manualName` are cleared and disabled (PageProtocol::clearIdAndName), so ids and
// names are never written to several objects; every IntEdit is reset and given
// each object's value by mergeValue in list order (equal values show, differing
// ones leave the field empty with a placeholder); a check box of a boolean
// attribute is made tristate, starts unchecked and disabled, takes the first
// object's value and is enabled, and turns PartiallyChecked (for good) at the
// first object that differs.
//
// Either way the load ends with snapshotAll(), so the merged display is the
// baseline: a field left as merged writes nothing, a box left partly checked
// writes nothing, and emptying a merged field again before Apply leaves the
// objects' differing values alone.
//
// Pages that map table rows to objects by their position (the conflict matrix
// and the signal plan map rows to signal groups) reload on every
// configurationHasChanged, or keep a guarded pointer per row: objects may have
// been moved or removed meanwhile, and a row must never write to another object.

// Forbids on widget the ids of every live object of `all` that is not selected
// (duplicates kept), after 0 when zero is not allowed (the switch page).
template<typename T>
void forbidOtherIds(DialogItemValidator *validator, QWidget *widget,
                    const QList<QPointer<T>> &selected, const QList<QPointer<T>> &all,
                    bool zeroAllowed)
{
    QList<int> ids;
    if (!zeroAllowed)
        ids << 0;
    for (const QPointer<T> &object : all) {
        if (object && !selected.contains(object))
            ids << object->id();
    }
    validator->setForbiddenInts(widget, ids);
}

// Forbids on widget the names of every live object of `all` that is not
// selected, empty names included.
template<typename T>
void forbidOtherNames(DialogItemValidator *validator, QWidget *widget,
                      const QList<QPointer<T>> &selected, const QList<QPointer<T>> &all)
{
    QStringList names;
    for (const QPointer<T> &object : all) {
        if (object && !selected.contains(object))
            names << object->name();
    }
    validator->setForbiddenTexts(widget, names);
}
