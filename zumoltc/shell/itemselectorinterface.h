#pragma once

#include <QSet>

class QObject;
class QTabWidget;
class QTreeWidgetItem;
class QWidget;

// Opens the editor page of one object kind for the selected tree items. The main
// window offers every selected item to every selector; each selector keeps only the
// objects whose parent item is its own branch item.
class ItemSelectorInterface
{
public:
    virtual ~ItemSelectorInterface() = default;
    virtual void collect(QTreeWidgetItem *item, QTreeWidgetItem *parent, QObject *object) = 0;
    // Opens or reuses the kind's page when something was collected and adds it to pages.
    virtual void openPages(QTabWidget *tabs, QSet<QWidget *> &pages) = 0;
};
