#pragma once

#include "itemselectorinterface.h"
#include "mainwindow.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QTabWidget>
#include <QTreeWidgetItem>

class ZUConfiguration;

// Opens the page Widget for the selected objects of kind T: all objects collected
// from the kind's branch go to one page, made or reused by the window's
// openPage<Widget>. One object titles the tab with its tree text, several with
// "<label> (<count>)". Widget offers setObjects(ZUConfiguration *, QList<QPointer<T>>).
template<typename T, typename Widget> class ItemSelector : public ItemSelectorInterface
{
public:
    // An empty label takes the branch item's text.
    ItemSelector(MainWindow *window, ZUConfiguration *configuration, QTreeWidgetItem *branch,
                 QMap<QWidget *, QTreeWidgetItem *> *pageItems, const QString &label = QString())
        : m_window(window)
        , m_configuration(configuration)
        , m_branch(branch)
        , m_pageItems(pageItems)
        , m_name(label.isEmpty() && branch ? branch->text(0) : label)
    {
    }

    void collect(QTreeWidgetItem *item, QTreeWidgetItem *parent, QObject *object) override
    {
        if (!object || !parent || parent != m_branch)
            return;
        m_title = item ? item->text(0) : QString();
        if (T *collected = qobject_cast<T *>(object))
            m_objects.append(collected);
    }

    void openPages(QTabWidget *tabs, QSet<QWidget *> &pages) override
    {
        if (!tabs || m_objects.isEmpty())
            return;
        if (m_objects.size() > 1)
            m_title = QStringLiteral("%1 (%2)").arg(m_name).arg(m_objects.size());
        Widget *page = m_window->template openPage<Widget>(tabs, m_title);
        page->setObjects(m_configuration, m_objects);
        if (m_pageItems)
            m_pageItems->insert(page, m_branch);
        pages.insert(page);
    }

private:
    MainWindow *m_window;
    ZUConfiguration *m_configuration;
    QTreeWidgetItem *m_branch;
    QMap<QWidget *, QTreeWidgetItem *> *m_pageItems;
    QString m_name;
    QString m_title;
    QList<QPointer<T>> m_objects;
};
