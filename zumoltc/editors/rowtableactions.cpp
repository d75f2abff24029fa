#include "rowtableactions.h"

#include "common/widgets/parameterstable.h"

#include <QAction>
#include <QToolButton>

RowTableActions::RowTableActions(QWidget *page, ParametersTable *table, const Buttons &buttons)
    : QObject(page)
    , m_table(table)
    , m_buttons(buttons)
{
    auto *add = new QAction(buttons.add->icon(), buttons.add->toolTip(), page);
    add->setShortcut(QKeySequence(Qt::Key_Insert));
    add->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    auto *remove = new QAction(buttons.remove->icon(), buttons.remove->toolTip(), page);
    remove->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Delete));
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    const QList<QAction *> own = table->actions();
    QAction *first = own.isEmpty() ? nullptr : own.first();
    table->insertAction(first, add);
    table->insertAction(first, remove);
    table->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(add, &QAction::triggered, table, &ParametersTable::add_row);
    connect(buttons.add, &QToolButton::clicked, table, &ParametersTable::add_row);
    connect(remove, &QAction::triggered, table, &ParametersTable::remove_selected_rows);
    connect(buttons.remove, &QToolButton::clicked, table, &ParametersTable::remove_selected_rows);
    connect(buttons.top, &QToolButton::clicked, table, &ParametersTable::move_selected_top);
    connect(buttons.up, &QToolButton::clicked, table, &ParametersTable::move_selected_up);
    connect(buttons.down, &QToolButton::clicked, table, &ParametersTable::move_selected_down);
    connect(buttons.bottom, &QToolButton::clicked, table, &ParametersTable::move_selected_bottom);
    followSelection();
}

void RowTableActions::followSelection()
{
    const bool selected = !m_table->selectedItems().isEmpty();
    for (QToolButton *button :
         { m_buttons.remove, m_buttons.top, m_buttons.up, m_buttons.down, m_buttons.bottom })
        button->setEnabled(selected);
}
