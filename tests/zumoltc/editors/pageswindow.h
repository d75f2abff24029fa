#pragma once

#include "pagefixture.h"
#include "windowtesting.h"

#include <QTreeWidget>

// The main window with the page tests' fixture (pagefixture.h) open.
struct PagesWindow : WindowFixture
{
    PagesWindow()
        : WindowFixture(QStringLiteral("pages.json"))
    {
        zu::registerDisplayTexts();
    }

    QTreeWidgetItem *section(const QString &text) const
    {
        return tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0).value(0);
    }
    template<typename T> void selectObjects(const QList<T *> &objects) const
    {
        WindowFixture::selectObjects(QList<ZUBaseObject *>(objects.cbegin(), objects.cend()));
    }
    // Save in the menu, then the file as written.
    QJsonObject save() const
    {
        WindowFixture::save();
        return savedFile();
    }
};
