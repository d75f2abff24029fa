#pragma once

#include <QString>
#include <QVariant>

// A cell delegate that shows a text for the value a cell stands for (the
// combo-box delegate of plivek). The table cell functions (tablecells.h)
// read and write such cells through it, so code works with values while the
// user sees texts.
class CellValueMapping
{
public:
    virtual ~CellValueMapping() = default;

    // The text shown for a value; the value's own text when none is listed.
    virtual QString textForValue(const QVariant &value) const = 0;
    // The value behind a shown text; invalid when the text stands for none.
    virtual QVariant valueForText(const QString &text) const = 0;
};
