#pragma once

#include "pagefixture.h"
#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"
#include "zumoltc/shell/userdialogs.h"

#include <QAction>
#include <QSettings>
#include <QTabWidget>
#include <QTreeWidget>

// The main window offscreen with a copy of the page tests' fixture opened: the
// user selects tree items, edits the page that opens, applies and saves.
class WindowFixture
{
public:
    WindowFixture()
    {
        Startup::setApplicationIdentity();
        QSettings().clear();
        zu::registerDisplayTexts();
        path = dir.filePath(QStringLiteral("pages.json"));
        QFile::copy(TestSupport::dataPath(QStringLiteral("zumolt/pages.json")), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs = new RefusingDialogs));
        loaded = window.loadFile(path);
    }

    ZUConfiguration *configuration() const { return window.configuration(); }
    QTreeWidget *tree() const { return window.findChild<QTreeWidget *>(QStringLiteral("section_list")); }
    QTabWidget *tabs() const { return window.findChild<QTabWidget *>(QStringLiteral("section_tabs")); }
    QTreeWidgetItem *section(const QString &text) const
    {
        return tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0).value(0);
    }

    // Selects the items alone, as a click and Ctrl+clicks do.
    void select(const QList<QTreeWidgetItem *> &items)
    {
        tree()->setCurrentItem(items.value(0));
        for (QTreeWidgetItem *item : items)
            item->setSelected(true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template<typename T>
    void selectObjects(const QList<T *> &objects)
    {
        QList<QTreeWidgetItem *> items;
        for (T *object : objects)
            items << window.objectItem(object);
        select(items);
    }

    // The open page of class W.
    template<typename W>
    W *page() const
    {
        for (int tab = 0; tab < tabs()->count(); ++tab) {
            if (auto *found = qobject_cast<W *>(tabs()->widget(tab)))
                return found;
        }
        return nullptr;
    }
    QString tabText(const QWidget *page) const { return tabs()->tabText(tabs()->indexOf(const_cast<QWidget *>(page))); }

    // Save in the menu, then the file as written.
    QJsonObject save()
    {
        window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
        return QJsonDocument::fromJson(TestSupport::readFile(path)).object();
    }

    // No question is expected; any that comes is declined and counted.
    class RefusingDialogs : public UserDialogs
    {
    public:
        int exec(QDialog *) override { ++asked; return 0; }
        QString openFileName(QWidget *, const QString &, const QString &, const QString &) override
        {
            ++asked;
            return {};
        }
        QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override
        {
            ++asked;
            return {};
        }
        int asked = 0;
    };

    QTemporaryDir dir;
    QString path;
    MainWindow window;
    RefusingDialogs *dialogs = nullptr;
    bool loaded = false;
};
