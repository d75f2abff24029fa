#pragma once

// Small helpers that several areas of the main window share: its settings and
// the selections of its element tables. Texts keep the "MainWindow" context.

#include "common/widgets/parameterstable.h"
#include "halm58a/signalgroup.h"

#include <QCoreApplication>
#include <QList>
#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QVariant>

#include <memory>

namespace MainWindowHelpers {

// The per-user settings of plivek; texts are stored as UTF-8.
inline std::unique_ptr<QSettings> openSettings()
{
    auto settings = std::make_unique<QSettings>();
    settings->setIniCodec("UTF-8");
    return settings;
}

inline QString withoutAmpersands(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// A path stored as UTF-8 bytes, or as text by older versions.
inline QString pathFromSetting(const QVariant &value)
{
    if (value.type() == QVariant::ByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

// The first (searching from the last) of the granule's signal groups drawn
// for the controller's group id.
inline Halm58a::SignalGroup *findNetworkGroup(const QList<Halm58a::SignalGroup *> &groups, int id)
{
    for (int i = groups.size() - 1; i >= 0; --i) {
        if (groups.at(i)->tlId() == id)
            return groups.at(i);
    }
    return nullptr;
}

// The column-0 items of the selected rows, each row once, in selection order;
// rows without one are left out.
inline QList<QTableWidgetItem *> idItemsOfSelectedRows(const QTableWidget *table)
{
    QList<QTableWidgetItem *> items;
    for (int row : selectedItemRows(table)) {
        if (QTableWidgetItem *item = table->item(row, 0))
            items << item;
    }
    return items;
}

// The selected items of column 0 (the ids), in selection order.
inline QList<QTableWidgetItem *> selectedIdItems(const QTableWidget *table)
{
    QList<QTableWidgetItem *> items;
    for (QTableWidgetItem *item : table->selectedItems()) {
        if (item->column() == 0)
            items << item;
    }
    return items;
}

// The column-0 item of the first selected item's row; null without a
// selection or when that row has none.
inline QTableWidgetItem *firstSelectedIdItem(const QTableWidget *table)
{
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    return selected.isEmpty() ? nullptr : table->item(selected.first()->row(), 0);
}

// The texts in column 0 of the table's selected rows, from the last selected to the first.
inline QStringList selectedIdsLastFirst(const QTableWidget *table)
{
    QStringList ids;
    const QList<int> rows = selectedItemRows(table);
    for (int i = rows.size() - 1; i >= 0; --i) {
        const QTableWidgetItem *item = table->item(rows.at(i), 0);
        ids << (item ? item->text() : QString());
    }
    return ids;
}

// The elements of the table's rows in row order, each found by find() from the
// text of its row's column-0 item; false when a row has no such item, names no
// element or repeats one. The order the user dragged the rows into is stored
// only when it is complete.
template<typename Ptr, typename Find>
bool elementsInRowOrder(const QTableWidget *table, Find find, QList<Ptr> *order)
{
    order->clear();
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 0);
        const Ptr element = item ? find(item->text()) : Ptr();
        if (!element || order->contains(element))
            return false;
        *order << element;
    }
    return true;
}

inline QStringList textsOf(const QList<QTableWidgetItem *> &items)
{
    QStringList texts;
    for (const QTableWidgetItem *item : items)
        texts << item->text();
    return texts;
}

// The question before a removal; true on Yes.
inline bool confirmRemoval(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, QCoreApplication::translate("MainWindow", "Removing"),
                                 question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::NoButton)
        == QMessageBox::Yes;
}

} // namespace MainWindowHelpers
