#pragma once

class QObject;
class QString;
class QTreeWidgetItem;

// Moves the selected objects of one kind within their list: "up", "top", "down"
// or "bottom".
class ItemMoverInterface
{
public:
    virtual ~ItemMoverInterface() = default;
    virtual void collect(QTreeWidgetItem *parent, QObject *object) = 0;
    virtual void move(const QString &direction) = 0;
};
