#pragma once

#include "itemmoverinterface.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QTreeWidgetItem>

#include <algorithm>
#include <functional>

// Moves the selected objects of kind T within the model list that Parent keeps,
// and their items under the kind's branch item alike (the branch's children are
// the list's objects in list order). "up" and "down" move the block by one row,
// "top" and "bottom" to the ends, keeping its inner order. The caller offers
// only selections that can move that way (the tool strip enables the buttons so).
template<typename Parent, typename T> class ItemMover : public ItemMoverInterface
{
public:
    using Move = void (Parent::*)(int from, int to);

    ItemMover(QList<QPointer<T>> *list, QTreeWidgetItem *branch, Parent *parent, Move move)
        : m_list(list)
        , m_branch(branch)
        , m_parent(parent)
        , m_move(move)
    {
    }

    void collect(QTreeWidgetItem *parent, QObject *object) override
    {
        if (!parent || parent != m_branch)
            return;
        T *collected = qobject_cast<T *>(object);
        if (!collected)
            return;
        for (int i = 0; i < m_list->size(); ++i) {
            if (m_list->at(i) && m_list->at(i).data() == collected) {
                m_indexes.append(i);
                return;
            }
        }
    }

    void move(const QString &direction) override
    {
        QList<int> rows = m_indexes;
        if (direction == QLatin1String("up") || direction == QLatin1String("top")) {
            std::sort(rows.begin(), rows.end());
            const bool top = direction == QLatin1String("top");
            for (int k = 0; k < rows.size(); ++k)
                moveRow(rows.at(k), top ? k : rows.at(k) - 1);
        } else if (direction == QLatin1String("down") || direction == QLatin1String("bottom")) {
            std::sort(rows.begin(), rows.end(), std::greater<int>());
            const bool bottom = direction == QLatin1String("bottom");
            const int last = m_branch ? m_branch->childCount() - 1 : -1;
            for (int k = 0; k < rows.size(); ++k)
                moveRow(rows.at(k), bottom ? last - k : rows.at(k) + 1);
        }
    }

private:
    void moveRow(int from, int to)
    {
        (m_parent->*m_move)(from, to);
        if (!m_branch || from < 0 || from >= m_branch->childCount() || to < 0)
            return;
        QTreeWidgetItem *item = m_branch->takeChild(from);
        m_branch->insertChild(std::min(to, m_branch->childCount()), item);
    }

    QList<QPointer<T>> *m_list;
    QTreeWidgetItem *m_branch;
    QList<int> m_indexes;
    Parent *m_parent;
    Move m_move;
};
