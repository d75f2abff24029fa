#include "parameterstable.h"

#include "paramheader.h"
#include "rowdragdrop.h"
#include "tablecells.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMimeData>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace {

void appendDistinct(QList<int> &list, int value)
{
    if (!list.contains(value))
        list.append(value);
}

// The distinct rows or columns (`part`) of the view's selected cells, items
// or not, in the order first met.
QList<int> selectedParts(const QAbstractItemView *view, int (QModelIndex::*part)() const)
{
    QList<int> parts;
    if (const QItemSelectionModel *selection = view->selectionModel()) {
        for (const QModelIndex &index : selection->selectedIndexes())
            appendDistinct(parts, (index.*part)());
    }
    return parts;
}

#ifdef COMMON_WIDGETS_ZUMOLTC
QList<int> selectedCellRows(const QAbstractItemView *view)
{
    return selectedParts(view, &QModelIndex::row);
}

QString clipboardField(const QTableWidgetItem *item)
{
    return clipboardValueText(item->data(Qt::EditRole));
}

// A time or a date as copy writes them (ISO 8601: 08:30:00.000, 2024-05-01);
// invalid for anything else.
QVariant copiedTimeOrDate(const QString &field)
{
    if (field.contains(QLatin1Char(':'))) {
        const QTime time = QTime::fromString(field, Qt::ISODateWithMs);
        if (time.isValid())
            return time;
    } else if (field.size() == 10 && field.at(4) == QLatin1Char('-')
               && field.at(7) == QLatin1Char('-')) {
        const QDate date = QDate::fromString(field, Qt::ISODate);
        if (date.isValid())
            return date;
    }
    return QVariant();
}

} // namespace

QString clipboardValueText(const QVariant &value)
{
    if (value.type() == QVariant::String)
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return value.toString();
}

QVariant pastedValue(const QString &field)
{
    const QChar quote = QLatin1Char('"');
    if (field.startsWith(quote) && field.endsWith(quote))
        return field.size() < 2 ? QString() : field.mid(1, field.size() - 2);
    if (field == QLatin1String("true"))
        return true;
    if (field == QLatin1String("false"))
        return false;
    if (const QVariant value = copiedTimeOrDate(field); value.isValid())
        return value;
    if (field.contains(QLatin1Char('.')))
        return field.toDouble();
    bool ok = false;
    const int number = field.toInt(&ok);
    if (ok)
        return number;
    const double real = field.toDouble(&ok);
    if (ok && std::isfinite(real))
        return real;
    return 0;
}

namespace {
#else
QString clipboardField(const QTableWidgetItem *item)
{
    return item->text();
}

QVariant pastedValue(const QString &field)
{
    return field;
}
#endif

} // namespace

ParametersTable::ParametersTable(QWidget *parent)
    : QTableWidget(parent)
{
    auto *header = new ParamHeader(Qt::Horizontal, this);
    connect(header, &ParamHeader::fillColumnRequested, this,
            &ParametersTable::fillColumnFromSelection);
    setHorizontalHeader(header);
    createActions();
}

ParametersTable::~ParametersTable() = default;

void ParametersTable::createActions()
{
    const auto addTableAction
        = [this](const QString &text, const char *name, const QKeySequence &shortcut,
                 void (ParametersTable::*slot)()) {
              auto *action = new QAction(text, this);
              action->setObjectName(QString::fromLatin1(name));
              action->setShortcut(shortcut);
              action->setShortcutContext(Qt::WidgetShortcut);
              connect(action, &QAction::triggered, this, slot);
              addAction(action);
          };
    addTableAction(tr("Copy"), "copy", QKeySequence::Copy, &ParametersTable::copy);
#ifndef COMMON_WIDGETS_ZUMOLTC
    addTableAction(tr("Copy all with titles"), "copy_all",
                   QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), &ParametersTable::copy_all);
#endif
    addTableAction(tr("Paste"), "paste", QKeySequence::Paste, &ParametersTable::paste);
    addTableAction(tr("Remove"), "clear", QKeySequence::Delete, &ParametersTable::clear);
}

// ---- Cells ----------------------------------------------------------------

QVariant ParametersTable::cellData(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->data(Qt::EditRole) : QVariant();
}

QTableWidgetItem *ParametersTable::ensureItem(int row, int column)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    return cell;
}

void ParametersTable::setCellData(int row, int column, const QVariant &value, bool editable)
{
    if (QTableWidgetItem *cell = ensureItem(row, column)) {
        cell->setData(Qt::EditRole, value);
        setCellEditable(row, column, editable);
    }
}

void ParametersTable::setCellEditable(int row, int column, bool editable)
{
    QTableWidgetItem *cell = ensureItem(row, column);
    if (!cell)
        return;
    const Qt::ItemFlags flags
        = editable ? cell->flags() | Qt::ItemIsEditable : cell->flags() & ~Qt::ItemIsEditable;
    if (flags != cell->flags()) // every write signals a change; spare the unchanged ones
        cell->setFlags(flags);
    cell->setBackground(editable ? Qt::white : Qt::lightGray);
}

bool ParametersTable::isCellEditable(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return !cell || cell->flags().testFlag(Qt::ItemIsEditable);
}

void ParametersTable::writeUserValue(int row, int column, const QVariant &value)
{
#ifdef COMMON_WIDGETS_ZUMOLTC
    setCellData(row, column, value, true);
#else
    // Through the cell's combo-box mapping, so a pasted value shows its text.
    setTableCellValue(this, row, column, value, true);
#endif
}

QList<int> ParametersTable::selectedColumns() const
{
    return ::selectedColumns(this);
}

// ---- Clipboard --------------------------------------------------------------

void ParametersTable::copy()
{
    const QString text = selectedCellsText(this, clipboardField);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void ParametersTable::paste()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
#ifdef COMMON_WIDGETS_ZUMOLTC
    const QMimeData *data = clipboard->mimeData();
    if (!data || data->formats().isEmpty())
        return;
#endif
    QString text = clipboard->text();
    // Spreadsheets on other systems end their lines with CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#ifdef COMMON_WIDGETS_ZUMOLTC
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
#else
    // An empty line uses up a row without changing it.
    const QStringList lines = text.split(QLatin1Char('\n'));
#endif

    int startRow = 0, startColumn = 0;
    if (const QTableWidgetItem *current = currentItem()) {
        startRow = current->row();
        startColumn = current->column();
    } else if (const QModelIndexList indexes = selectionModel()->selectedIndexes();
               !indexes.isEmpty()) {
        startRow = indexes.first().row();
        startColumn = indexes.first().column();
        for (const QModelIndex &index : indexes) {
            startRow = std::min(startRow, index.row());
            startColumn = std::min(startColumn, index.column());
        }
    }

    // Lines past the last row and fields past the last column are dropped:
    // the table never grows.
    for (int line = 0, row = startRow; line < lines.size() && row < rowCount(); ++line, ++row) {
        const QStringList fields = lines.at(line).split(QLatin1Char('\t'));
        for (int field = 0, column = startColumn; field < fields.size() && column < columnCount();
             ++field, ++column) {
            if (fields.at(field).isEmpty() || !isCellEditable(row, column))
                continue;
            writeUserValue(row, column, pastedValue(fields.at(field)));
        }
    }
}

void ParametersTable::clear()
{
    const QList<QTableWidgetItem *> items = selectedItems();
    for (QTableWidgetItem *cell : items)
        cell->setData(Qt::EditRole, QVariant());
}

#ifndef COMMON_WIDGETS_ZUMOLTC
void ParametersTable::copy_all()
{
    QGuiApplication::clipboard()->setText(tableTextWithTitles(this), QClipboard::Clipboard);
}

QString tableTextWithTitles(const QTableWidget *table)
{
    QString text;
    if (table->rowCount() == 0)
        return text;
    // Whether the headers show once the table is on screen.
    const bool columnTitles = table->horizontalHeader()->isVisibleTo(table);
    const bool rowTitles = table->verticalHeader()->isVisibleTo(table);
    if (columnTitles) {
        for (int column = 0; column < table->columnCount(); ++column) {
            text += QLatin1Char('\t');
            if (const QTableWidgetItem *title = table->horizontalHeaderItem(column))
                text += title->text();
        }
        text += QLatin1Char('\n');
    }
    for (int row = 0; row < table->rowCount(); ++row) {
        if (rowTitles) {
            if (const QTableWidgetItem *title = table->verticalHeaderItem(row))
                text += title->text();
            text += QLatin1Char('\t');
        }
        for (int column = 0; column < table->columnCount(); ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            if (const QTableWidgetItem *cell = table->item(row, column))
                text += cell->text();
        }
        text += QLatin1Char('\n');
    }
    return text;
}
#endif

QString selectedCellsText(const QAbstractItemView *view,
                          const std::function<QString(const QModelIndex &)> &field)
{
    const QItemSelectionModel *selection = view->selectionModel();
    const QModelIndexList indexes = selection ? selection->selectedIndexes() : QModelIndexList();
    if (indexes.isEmpty())
        return QString();
    int top = indexes.first().row(), bottom = top;
    int left = indexes.first().column(), right = left;
    for (const QModelIndex &index : indexes) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const QAbstractItemModel *model = view->model();
    QString text;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column <= right; ++column) {
            if (column > left)
                text += QLatin1Char('\t');
            const QModelIndex index = model->index(row, column);
            if (selection->isSelected(index))
                text += field(index);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QString selectedCellsText(const QTableWidget *table, QString (*field)(const QTableWidgetItem *item))
{
    return selectedCellsText(table, [table, field](const QModelIndex &index) {
        const QTableWidgetItem *cell = table->item(index.row(), index.column());
        if (!cell)
            return QString();
        return field ? field(cell) : cell->text();
    });
}

// ---- Modified flag ----------------------------------------------------------

void ParametersTable::markModified()
{
    modified = true;
    // A table nested in a cell of another table sits in that table's
    // viewport: parent and grandparent reach the outer table.
    QWidget *widget = parentWidget();
    for (int level = 0; widget && level < 2; ++level, widget = widget->parentWidget()) {
        if (auto *outer = qobject_cast<ParametersTable *>(widget)) {
            outer->modified = true;
            break;
        }
    }
}

void ParametersTable::resetModified()
{
    modified = false;
    for (int row = rowCount() - 1; row >= 0; --row) {
        for (int column = columnCount() - 1; column >= 0; --column) {
            if (auto *nested = qobject_cast<ParametersTable *>(cellWidget(row, column)))
                nested->resetModified();
        }
    }
}

void ParametersTable::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                  const QVector<int> &roles)
{
    markModified();
    QTableWidget::dataChanged(topLeft, bottomRight, roles);
}

void ParametersTable::keyboardSearch(const QString &) { }

// ---- Auto-extending columns -----------------------------------------------

bool ParametersTable::isColumnEmpty(int column) const
{
    for (int row = 0; row < rowCount(); ++row) {
        const QTableWidgetItem *cell = item(row, column);
        if (cell && cell->data(Qt::EditRole).isValid())
            return false;
    }
    return true;
}

void ParametersTable::appendColumn()
{
    const int column = columnCount();
    insertColumn(column);
#ifdef COMMON_WIDGETS_ZUMOLTC
    emit columnInserted(column);
    // The new column matches its neighbour, whatever a listener made of it.
    if (column > 0)
        setColumnWidth(column, columnWidth(column - 1));
#endif
}

void ParametersTable::removeTrailingEmptyColumns()
{
    // Leaves exactly one empty column after the last one that holds data.
    while (columnCount() > 1 && isColumnEmpty(columnCount() - 2))
        removeColumn(columnCount() - 1);
}

void ParametersTable::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The base commits an editor still open on the previous cell first, so
    // the emptiness tests below see the value just typed.
    QTableWidget::currentChanged(current, previous);
    if (!autoExtendColumns || !current.isValid() || adjustingColumns)
        return;
    const int last = columnCount() - 1;
    if (current.column() == last) {
        if (!isColumnEmpty(last))
            appendColumn();
    } else if (isColumnEmpty(last) && !shrinkPending) {
        // Other listeners of this change still hold indexes of the columns
        // to go (the previous cell's among them): remove them afterwards.
        shrinkPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                shrinkPending = false;
                const QModelIndex now = currentIndex();
                if (autoExtendColumns && now.isValid() && now.column() < columnCount() - 1) {
                    adjustingColumns = true;
                    removeTrailingEmptyColumns();
                    adjustingColumns = false;
                }
            },
            Qt::QueuedConnection);
    }
}

bool ParametersTable::editsLastColumn(QWidget *editor) const
{
    // The current cell may have moved on already: the view closes the editor
    // of the cell it leaves only after the move.
    const int last = columnCount() - 1;
    if (currentIndex().isValid() && currentIndex().column() == last)
        return true;
    for (int row = 0; row < rowCount(); ++row) {
        if (indexWidget(model()->index(row, last)) == editor)
            return true;
    }
    return false;
}

void ParametersTable::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The editor has committed by now. An edit left undone (Escape) in the
    // empty last column adds nothing: one empty column at the end is enough.
    if (autoExtendColumns && !adjustingColumns && editsLastColumn(editor)
        && !isColumnEmpty(columnCount() - 1)) {
        adjustingColumns = true;
        appendColumn();
        adjustingColumns = false;
    }
    QTableWidget::closeEditor(editor, hint);
    // Keep the keyboard focus once the editor is gone; but Tab has opened the
    // editor of the next cell by then, and taking the focus from it would
    // close it and store its empty value.
    if (autoExtendColumns) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (state() != EditingState)
                    setFocus();
            },
            Qt::QueuedConnection);
    }
}

// ---- Header column fill -----------------------------------------------------

void ParametersTable::fillColumnFromSelection(int column)
{
    const QList<QTableWidgetItem *> items = selectedItems();
    const auto source
        = std::find_if(items.cbegin(), items.cend(),
                       [column](const QTableWidgetItem *cell) { return cell->column() == column; });
    if (source == items.cend())
        return;
    const QVariant value = (*source)->data(Qt::DisplayRole);
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (isCellEditable(row, column))
            writeUserValue(row, column, value);
    }
}

// ---- Row operations ---------------------------------------------------------

#ifdef COMMON_WIDGETS_ZUMOLTC
void ParametersTable::add_row()
{
    insertRow(rowCount());
    markModified();
}

void ParametersTable::remove_selected_rows()
{
    // Rows of selected cells with or without items: a freshly added row has none.
    QList<int> rows = selectedCellRows(this);
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : qAsConst(rows))
        removeRow(row);
    markModified();
}

void ParametersTable::swapRowValues(int row, int otherRow)
{
    const QItemSelectionModel *selection = selectionModel();
    for (int column = 0; column < columnCount(); ++column) {
        const QModelIndex here = model()->index(row, column);
        const QModelIndex there = model()->index(otherRow, column);
        const bool hereSelected = selection->isSelected(here);
        const bool thereSelected = selection->isSelected(there);
        const QVariant value = cellData(row, column);
        setCellData(row, column, cellData(otherRow, column), true);
        setCellData(otherRow, column, value, true);
        // The selection travels with the values.
        if (hereSelected != thereSelected) {
            selectionModel()->select(
                here, hereSelected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select);
            selectionModel()->select(
                there, thereSelected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select);
        }
    }
    if (columnCount() == 0)
        return;
    const QTableWidgetItem *here = item(row, 0);
    const QTableWidgetItem *there = item(otherRow, 0);
    const QVariant key = here ? here->data(RowKeyRole) : QVariant();
    const QVariant otherKey = there ? there->data(RowKeyRole) : QVariant();
    if (key != otherKey) {
        ensureItem(row, 0)->setData(RowKeyRole, otherKey);
        ensureItem(otherRow, 0)->setData(RowKeyRole, key);
    }
}

void ParametersTable::moveSelectedRows(int step)
{
    QList<int> rows = selectedCellRows(this);
    if (step > 0)
        std::sort(rows.begin(), rows.end(), std::greater<int>());
    else
        std::sort(rows.begin(), rows.end());
    // A row at the edge stays, and so does every selected row packed against
    // a row that stays: a block touching the edge keeps its order.
    int blocked = step > 0 ? rowCount() - 1 : 0;
    for (int row : qAsConst(rows)) {
        if (row == blocked) {
            blocked -= step;
            continue;
        }
        swapRowValues(row, row + step);
    }
}

void ParametersTable::move_selected_up()
{
    moveSelectedRows(-1);
}

void ParametersTable::move_selected_down()
{
    moveSelectedRows(1);
}

void ParametersTable::move_selected_top()
{
    for (int round = rowCount(); round > 0; --round) {
        const QList<int> rows = selectedCellRows(this);
        if (rows.isEmpty() || *std::min_element(rows.cbegin(), rows.cend()) == 0)
            break;
        moveSelectedRows(-1);
    }
}

void ParametersTable::move_selected_bottom()
{
    for (int round = rowCount(); round > 0; --round) {
        const QList<int> rows = selectedCellRows(this);
        if (rows.isEmpty() || *std::max_element(rows.cbegin(), rows.cend()) == rowCount() - 1)
            break;
        moveSelectedRows(1);
    }
}
#endif

// ---- Selection functions ---------------------------------------------------

QList<int> selectedColumns(const QAbstractItemView *view)
{
    return selectedParts(view, &QModelIndex::column);
}

QList<int> selectedItemRows(const QTableWidget *table)
{
    QList<int> rows;
    for (const QTableWidgetItem *cell : table->selectedItems())
        appendDistinct(rows, cell->row());
    return rows;
}

// ---- Row drag and drop ----

QStringList ParametersTable::mimeTypes() const
{
    return { QLatin1String(RowDragDrop::RowsMimeType) };
}

QMimeData *ParametersTable::mimeData(const QList<QTableWidgetItem *> items) const
{
    auto *data = new QMimeData;
    data->setData(QLatin1String(RowDragDrop::RowsMimeType), RowDragDrop::encodeRows(items));
    return data;
}

void ParametersTable::dropEvent(QDropEvent *event)
{
    // The base handling would move cell data itself; only its end of the drag
    // state is wanted, or the view would stay in dragging state and scrolling.
    stopAutoScroll();
    setState(NoState);
    viewport()->update();

    const QMimeData *data = event->mimeData();
    const QByteArray payload
        = data ? data->data(QLatin1String(RowDragDrop::RowsMimeType)) : QByteArray();
    if (payload.isEmpty()) {
        event->ignore();
        return;
    }
    // Rows go above the row under the drop position, also over a cell without
    // an item; below the last row they go to the end.
    int dropRow = rowAt(event->pos().y());
    if (dropRow < 0)
        dropRow = rowCount() - 1;
    RowDragDrop::moveRows(this, RowDragDrop::decodeRows(payload, rowCount()), dropRow);
    // The rows are already in place: a move action would make the source
    // table clear the dragged cells.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit rowOrderChanged();
}
