#pragma once

#include "pagetesting.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zukmp1.h"
#include "zumoltc/model/zukmpdevice.h"
#include "zumoltc/shell/mainwindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// A main window holding a copy of the example file: selects sections, drives the
// open page's Apply and saves, so page tests check what reaches the file.
struct PageWindow
{
    PageWindow()
    {
        path = dir.filePath(QStringLiteral("crossing.json"));
        QFile::copy(TestSupport::examplesPath(QStringLiteral("zumolt_intersection.json")), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        dialogs = new ScriptedDialogs;
        window.setUserDialogs(std::unique_ptr<UserDialogs>(dialogs));
        loaded = window.loadFile(path);
    }

    ZUConfiguration *configuration() { return window.configuration(); }
    QTreeWidget *tree() { return window.findChild<QTreeWidget *>(QStringLiteral("section_list")); }
    QTabWidget *tabs() { return window.findChild<QTabWidget *>(QStringLiteral("section_tabs")); }
    QTreeWidgetItem *section(const QString &text)
    {
        return tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive, 0).value(0);
    }

    // Selects the section item alone; the page of class W it opened.
    template<typename W> W *open(const QString &text)
    {
        // A fresh selection, so that the section's page is loaded again.
        tree()->clearSelection();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tree()->setCurrentItem(section(text));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<W *>(tabs()->currentWidget());
    }

    static QPushButton *apply(QWidget *page)
    {
        return page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Apply);
    }
    static void clickApply(QWidget *page) { QTest::mouseClick(apply(page), Qt::LeftButton); }

    // Saves through the window's Save and reads the file back.
    QJsonObject save()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    // The KMP devices of one device type in the saved file.
    static QJsonArray devices(const QJsonObject &saved, const QString &device)
    {
        QJsonArray found;
        for (const QJsonValue &value : saved.value(QStringLiteral("KMP1"))
                                           .toObject()
                                           .value(QStringLiteral("devices"))
                                           .toArray()) {
            if (value.toObject().value(QStringLiteral("device")).toString() == device)
                found.append(value);
        }
        return found;
    }

    QTemporaryDir dir;
    QString path;
    MainWindow window;
    ScriptedDialogs *dialogs = nullptr;
    bool loaded = false;
};
