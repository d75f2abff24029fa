#pragma once

#include "cnf/vobject.h"

class CnfController;
class ParametersTable;
class QComboBox;

// The board table shared by the countdown-boards dialogs: one column per
// board, rows "Signal group" (chosen by the group's friendly name, stored as
// its number), "Address", "Boards count" and "Warning time, sec".
class CountdownBoards
{
public:
    enum Row { GroupRow = 0, AddressRow = 1, BoardsRow = 2, WarnTimeRow = 3 };

    // Gives row 0 the signal groups of the controller and lets the table grow
    // a column when the last one is edited; "Boards count" starts hidden.
    static void prepareTable(ParametersTable *table, const CnfController *controller);
    // The node's "items", one column each.
    static void loadItems(ParametersTable *table, const VObject &node);
    // Replaces the node's "items" by the columns that name a signal group;
    // empty cells are left out, and no "items" are stored without a board.
    static void storeItems(const ParametersTable *table, VObject node);
    // Selects the protocol item of the node's text; none found keeps the choice.
    static void loadProtocol(QComboBox *protocol, const VObject &node);
};
