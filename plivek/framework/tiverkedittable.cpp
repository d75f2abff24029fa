#include "tiverkedittable.h"

#include "common/widgets/parameterstable.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int UnsetEntry = 255;

// Only an exact 255 marks an unset entry. QVariant::toInt rounds reals, so
// reals are compared as they are: a stored 254.5 or 255.3 is a value.
bool isUnsetEntry(const QVariant &value)
{
    const int type = value.userType();
    if (type == QMetaType::Double || type == QMetaType::Float)
        return value.toDouble() == UnsetEntry;
    bool ok = false;
    return value.toLongLong(&ok) == UnsetEntry && ok;
}

bool isEditable(const QTableWidgetItem *item)
{
    return item->flags() & Qt::ItemIsEditable;
}

} // namespace

TiverkEditTable::TiverkEditTable(QWidget *parent)
    : QTableWidget(parent)
{
    struct ActionDef
    {
        const char *text;
        const char *name;
        QKeySequence shortcut;
        void (TiverkEditTable::*slot)();
    };
    const ActionDef defs[] = {
        { QT_TR_NOOP("Copy"), "copy", QKeySequence(QKeySequence::Copy), &TiverkEditTable::copy },
        { QT_TR_NOOP("Copy all with titles"), "copy_all",
          QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), &TiverkEditTable::copy_all },
        { QT_TR_NOOP("Paste"), "paste", QKeySequence(QKeySequence::Paste),
          &TiverkEditTable::paste },
    };
    for (const ActionDef &def : defs) {
        auto *action = new QAction(tr(def.text), this);
        action->setObjectName(QLatin1String(def.name));
        action->setShortcut(def.shortcut);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, def.slot);
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

TiverkEditTable::~TiverkEditTable() = default;

QVariant TiverkEditTable::tableData() const
{
    QVariantList rows;
    for (int row = 0; row < rowCount(); ++row) {
        QVariantList cells;
        for (int column = 0; column < columnCount(); ++column)
            cells.append(cellValue(row, column));
        rows.append(QVariant(cells));
    }
    return rows;
}

void TiverkEditTable::setTableData(const QVariant &data)
{
    const QVariantList rows = data.toList();
    for (int row = 0; row < rows.size(); ++row) {
        const QVariant &entry = rows.at(row);
        if (entry.type() == QVariant::List || entry.type() == QVariant::StringList) {
            const QVariantList cells = entry.toList();
            for (int column = 0; column < cells.size(); ++column)
                setCellValue(row, column, cells.at(column));
        } else {
            setCellValue(row, 0, entry);
        }
    }
}

QVariant TiverkEditTable::cellValue(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->data(Qt::EditRole) : QVariant();
}

void TiverkEditTable::setCellValue(int row, int column, QVariant value)
{
    if (row < 0 || column < 0)
        return;
    if (isUnsetEntry(value))
        value = QVariant();
    if (row >= rowCount())
        setRowCount(row + 1);
    if (column >= columnCount())
        setColumnCount(column + 1);
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    if (isEditable(cell))
        cell->setData(Qt::EditRole, value);
}

void TiverkEditTable::setPasteTextAsIs(bool asIs)
{
    pasteTextAsIs = asIs;
}

void TiverkEditTable::copy()
{
    const QString text = selectedCellsText(this);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void TiverkEditTable::copy_all()
{
    QGuiApplication::clipboard()->setText(tableTextWithTitles(this));
}

void TiverkEditTable::paste()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    QStringList lines = clipboard->text().split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return;

    int startRow = 0;
    int startColumn = 0;
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (!indexes.isEmpty()) {
        startRow = indexes.first().row();
        startColumn = indexes.first().column();
        for (const QModelIndex &index : indexes) {
            startRow = std::min(startRow, index.row());
            startColumn = std::min(startColumn, index.column());
        }
    } else if (currentIndex().isValid()) {
        // The current cell, whether or not it holds an item yet.
        startRow = currentIndex().row();
        startColumn = currentIndex().column();
    }
    // With neither a selection nor a current cell the paste starts at the
    // first cell rather than outside the table.
    if (startRow >= rowCount())
        return;

    static const QRegularExpression separator(QStringLiteral("[;\t]"));
    for (int line = 0; line < lines.size() && startRow + line < rowCount(); ++line) {
        const int row = startRow + line;
        const QStringList fields = lines.at(line).split(separator);
        for (int field = 0; field < fields.size() && startColumn + field < columnCount(); ++field) {
            const int column = startColumn + field;
            QString text = fields.at(field);
            if (!pasteTextAsIs && !text.isEmpty() && !text.at(0).isDigit())
                text = text == QLatin1String("true") ? QStringLiteral("1") : QString();
            const QTableWidgetItem *cell = item(row, column);
            if (cell && !isEditable(cell))
                continue;
            setCellValue(row, column, text.isEmpty() ? QVariant() : QVariant(text));
        }
    }
}

void TiverkEditTable::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    for (QTableWidgetItem *cell : selectedItems()) {
        // The diagonal of a square matrix holds no value to clear.
        if (pasteTextAsIs && cell->row() == cell->column())
            continue;
        if (isEditable(cell))
            cell->setData(Qt::EditRole, QVariant());
    }
    clearSelection();
    event->accept();
}
