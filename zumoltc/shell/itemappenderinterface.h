#pragma once

class QObject;
class QTreeWidgetItem;

// Adds an object of one kind for a selected tree item: a copy of the item's
// object, or a new default object for the kind's branch item.
class ItemAppenderInterface
{
public:
    virtual ~ItemAppenderInterface() = default;
    // The new object, inserted after `after` (when that is of the kind), or null
    // when the item does not concern this appender or no free id, name or address
    // is left.
    virtual QObject *append(QTreeWidgetItem *item, QTreeWidgetItem *parent, QObject *object,
                            QObject *after)
        = 0;
    virtual QTreeWidgetItem *branchItem() const = 0;
};
