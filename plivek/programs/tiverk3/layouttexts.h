#pragma once

#include <QString>

// The texts of the controller's program layout (CnfController::tiverkLayout) as the
// program dialog shows them: field names for the column titles and list entries
// for the cells. The layout holds them in the controller's own words, and the
// records and the code that finds a field by its name ("Цикл", "Вариант
// промтакта", ...) rely on them; the dialog shows each through the translation of
// an English text, so that the English interface reads English and the Russian
// one the controller's words. A text the table does not know is shown as it
// stands.
class LayoutTexts
{
public:
    // The text shown for a field name or list entry of the layout.
    static QString shown(const QString &own);
};
