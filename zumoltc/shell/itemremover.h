#pragma once

#include "itemremoverinerface.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTreeWidgetItem>

// Deletes the selected objects of kind T (a model class) that sit under the
// kind's branch item. appendDescription adds to one text shared by all kinds: the
// heading once, then per kind a line "<label>: <text>,<text>". The deletion itself
// sets everything else off through the model's destruction signals.
template<typename T> class ItemRemover : public ItemRemoverInerface
{
public:
    // An empty label takes the branch item's text.
    ItemRemover(QTreeWidgetItem *branch, const QString &label = QString())
        : m_branch(branch)
        , m_label(label.isEmpty() && branch ? branch->text(0) : label)
    {
    }

    void collect(QTreeWidgetItem *parent, QObject *object) override
    {
        if (parent && parent == m_branch) {
            if (T *collected = qobject_cast<T *>(object))
                m_objects.append(collected);
        }
    }

    void appendDescription(QString &text) override
    {
        bool first = true;
        for (const QPointer<T> &object : qAsConst(m_objects)) {
            if (first) {
                if (text.isEmpty())
                    text += QCoreApplication::translate("ItemRemover",
                                                        "Following objects will be deleted:");
                text += QLatin1Char('\n') + m_label + QLatin1String(": ");
                first = false;
            } else {
                text += QLatin1Char(',');
            }
            if (object)
                text += object->text(QString());
        }
    }

    bool deleteObjects() override
    {
        if (m_objects.isEmpty())
            return false;
        // Guarded: deleting one object may take others of the list with it.
        for (const QPointer<T> &object : qAsConst(m_objects))
            delete object.data();
        m_objects.clear();
        return true;
    }

    QTreeWidgetItem *branchItem() const override { return m_branch; }

private:
    QTreeWidgetItem *m_branch;
    QList<QPointer<T>> m_objects;
    QString m_label;
};
