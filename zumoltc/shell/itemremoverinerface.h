#pragma once

class QObject;
class QString;
class QTreeWidgetItem;

// Deletes the selected objects of one kind after the user confirmed. (The name's
// spelling is the one the rest of the editor uses.)
class ItemRemoverInerface
{
public:
    virtual ~ItemRemoverInerface() = default;
    virtual void collect(QTreeWidgetItem *parent, QObject *object) = 0;
    // Appends a line naming the collected objects, when there are any.
    virtual void appendDescription(QString &text) = 0;
    // Whether anything was deleted.
    virtual bool deleteObjects() = 0;
    virtual QTreeWidgetItem *branchItem() const = 0;
};
