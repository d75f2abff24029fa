#pragma once

#include <QObject>

class ParametersTable;
class QToolButton;

// The row tools of an editor page's record table: the add and remove buttons and
// the four move buttons call the table's row operations, and an add action
// (Insert) and a remove action (Ctrl+Delete) with the buttons' icons and tool
// tips head the table's context menu. Remove and the moves are enabled only
// while the table has a selection.
class RowTableActions : public QObject
{
    Q_OBJECT
public:
    struct Buttons
    {
        QToolButton *add;
        QToolButton *remove;
        QToolButton *top;
        QToolButton *up;
        QToolButton *down;
        QToolButton *bottom;
    };

    // Owned by the page (parent of the table's actions as well).
    RowTableActions(QWidget *page, ParametersTable *table, const Buttons &buttons);

    // Remove and the moves follow the table's selection; add is not touched.
    void followSelection();

private:
    ParametersTable *m_table;
    Buttons m_buttons;
};
