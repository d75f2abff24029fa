#pragma once

#include "plivek/mainwindow/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>

// Helpers shared by the main-window tests: the program's identity, an empty
// settings store per test, and looking at the window's children by name.
namespace WindowTesting {

inline void useProgramIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("tovel"));
    QCoreApplication::setApplicationName(QStringLiteral("plivek"));
}

inline void clearSettings()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}

// No zumoltc can be found on PATH, so ZU_MOLT documents stay in the window.
inline void hideZuMoltEditor(const QTemporaryDir &emptyDir)
{
    qputenv("PATH", emptyDir.path().toLocal8Bit());
}

// The program's identity, and no zumoltc to hand ZU_MOLT documents to.
inline void actAsPlivek(const QTemporaryDir &emptyDir)
{
    useProgramIdentity();
    hideZuMoltEditor(emptyDir);
}

template<typename T = QWidget> T *child(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

inline QTableWidget *table(const QWidget &window, const char *name)
{
    return child<QTableWidget>(window, name);
}

// Whether an action or widget of the window is shown (the window itself need
// not be on screen).
inline bool isShown(const QWidget &window, const char *name)
{
    QObject *object = window.findChild<QObject *>(QLatin1String(name));
    if (auto *action = qobject_cast<QAction *>(object))
        return action->isVisible();
    if (auto *widget = qobject_cast<QWidget *>(object))
        return !widget->isHidden();
    return false;
}

inline QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

// The texts of the message table's rows.
inline QStringList messageTexts(const QWidget &window)
{
    const QTableWidget *messages = table(window, "messageTable");
    QStringList texts;
    for (int row = 0; row < messages->rowCount(); ++row)
        texts << cellText(messages, row, 2);
    return texts;
}

// The paths of the shown recent-file entries of the File menu.
inline QStringList recentFiles(const QWidget &window)
{
    QStringList paths;
    const auto entries = child<QMenu>(window, "menuFile")->findChild<QActionGroup *>()->actions();
    for (const QAction *entry : entries) {
        if (entry->isVisible())
            paths << entry->text();
    }
    return paths;
}

} // namespace WindowTesting
