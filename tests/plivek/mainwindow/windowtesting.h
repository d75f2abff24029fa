#pragma once

#include "cnf/cnfcontroller.h"
#include "common/widgets/rowdragdrop.h"
#include "plivek/mainwindow/mainwindow.h"
#include "plivek/programs/programdlg.h"
#include "plivek/programs/tiverk3/algorithmtable.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

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

// Drags the rows of the table's column-0 cells, in the given order, and drops
// them on a row, as the mouse would.
inline void dragRows(QTableWidget *table, const QList<int> &rows, int dropRow)
{
    QList<QTableWidgetItem *> items;
    for (int row : rows)
        items << table->item(row, 0);
    QMimeData data;
    data.setData(QLatin1String(RowDragDrop::RowsMimeType), RowDragDrop::encodeRows(items));
    const QPoint pos = table->visualItemRect(table->item(dropRow, 0)).center();
    // A drop goes to the widget that took the drag when it entered.
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(table->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(table->viewport(), &drop);
    QVERIFY(drop.isAccepted());
}

// The text of the cell of the program dialog's parameter table under the
// field of that name (as the layout names it); "?" without such a field.
inline QString programDialogCell(CnfController &controller, const CnfProgramPtr &program,
                                 const QString &field)
{
    ProgramDlg dialog(nullptr, program, &controller, false);
    const auto *parameters = dialog.findChild<QTableWidget *>(QStringLiteral("tiverkTable"));
    for (int column = 0; column < parameters->columnCount(); ++column) {
        const QTableWidgetItem *header = parameters->horizontalHeaderItem(column);
        if (header
            && header->data(AlgorithmTable::ElementRole)
                    .value<QDomElement>()
                    .attribute(QStringLiteral("name"))
                == field)
            return cellText(parameters, 0, column);
    }
    return QStringLiteral("?");
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
