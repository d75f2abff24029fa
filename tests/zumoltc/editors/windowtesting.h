#pragma once

#include "pagetesting.h"

#include "zumoltc/shell/mainwindow.h"
#include "zumoltc/shell/startup.h"

#include <QAction>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

// The main window with a copy of a fixture of tests/data/zumoltc (or of another
// folder of tests/data, or of "examples") open, its pages opened by selecting
// tree items as the user does.
struct WindowFixture
{
    explicit WindowFixture(const QString &fixture,
                           const QString &folder = QStringLiteral("zumoltc"))
    {
        Startup::setApplicationIdentity();
        path = dir.filePath(fixture);
        QFile::copy(folder == QLatin1String("examples")
                        ? TestSupport::examplesPath(fixture)
                        : TestSupport::dataPath(folder + QLatin1Char('/') + fixture),
                    path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        loaded = window.loadFile(path);
    }

    ZUConfiguration *configuration() const { return window.configuration(); }
    QTreeWidget *tree() const
    {
        return window.findChild<QTreeWidget *>(QStringLiteral("section_list"));
    }
    QTabWidget *tabs() const
    {
        return window.findChild<QTabWidget *>(QStringLiteral("section_tabs"));
    }

    // Selects exactly these tree items, the first in place of the selection
    // before (so an open page of its kind stays), then the others one by one.
    void select(const QList<QTreeWidgetItem *> &items) const
    {
        tree()->setCurrentItem(items.value(0), 0, QItemSelectionModel::ClearAndSelect);
        for (QTreeWidgetItem *item : items.mid(1))
            item->setSelected(true);
    }
    void selectObjects(const QList<ZUBaseObject *> &objects) const
    {
        QList<QTreeWidgetItem *> items;
        for (ZUBaseObject *object : objects)
            items << window.objectItem(object);
        select(items);
    }
    void selectSection(const QString &text) const
    {
        select({ tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0).value(0) });
    }

    // The open page of class W and its tab text.
    template<typename W> W *page() const
    {
        for (int tab = 0; tab < tabs()->count(); ++tab) {
            if (auto *found = qobject_cast<W *>(tabs()->widget(tab)))
                return found;
        }
        return nullptr;
    }
    QString tabText(const QWidget *page) const
    {
        return tabs()->tabText(tabs()->indexOf(const_cast<QWidget *>(page)));
    }

    void save() const { window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger(); }
    QByteArray savedBytes() const { return TestSupport::readFile(path); }
    QJsonObject savedFile() const { return QJsonDocument::fromJson(savedBytes()).object(); }

    QTemporaryDir dir;
    QString path;
    MainWindow window;
    bool loaded = false;
};
