#pragma once

#include <QList>
#include <QTableWidget>

#include <functional>

class QAbstractItemView;

// The editable parameter table of both programs: typed cells, clipboard copy
// and paste as TAB-separated lines, a Remove action that empties the selected
// cells, a header that fills a column by a right click, an optional column
// that grows to the right while the user edits, and a modified flag.
//
// A cell's value is its item's Qt::EditRole data (invalid when the cell has
// no item); a read-only cell is an item without Qt::ItemIsEditable.
//
// The zumoltc build (COMMON_WIDGETS_ZUMOLTC) quotes texts on the clipboard,
// parses numbers on paste, signals columns that it appends and moves rows;
// the plivek build copies display texts, offers "Copy all with titles" and
// writes pasted texts through the cell's combo-box mapping (tablecells.h).
class ParametersTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit ParametersTable(QWidget *parent = nullptr);
    ~ParametersTable() override;

    // Item data role of a row's first cell under which a page keeps what the
    // row was loaded from; the zumoltc row moves carry it with the row's values.
    static constexpr int RowKeyRole = Qt::UserRole + 0x100;

    // Set by every change of a cell's data; cleared only by resetModified().
    bool modified = false;
    // When true the table keeps one empty column after the last column
    // that holds data while the user edits.
    bool autoExtendColumns = false;

    // Clears the flag of this table and of every ParametersTable held as a
    // cell widget, recursively.
    void resetModified();

    // The value of a cell; invalid when the cell has no item.
    QVariant cellData(int row, int column) const;
    // Creates the item when missing, stores the value in Qt::EditRole and
    // gives the cell the editable (white) or read-only (light grey) look.
    void setCellData(int row, int column, const QVariant &value, bool editable);
    void setCellEditable(int row, int column, bool editable);
    // True when the cell has no item, else whether its item is editable.
    bool isCellEditable(int row, int column) const;

    QList<int> selectedColumns() const;

    // Typing letters never moves the current cell.
    void keyboardSearch(const QString &search) override;

public slots:
    void copy();
    void paste();
    // Empties every selected cell (read-only ones too); items and flags stay.
    // Hides QTableWidget::clear(), which would delete every item.
    void clear();
#ifndef COMMON_WIDGETS_ZUMOLTC
    void copy_all();
#else
    void add_row();
    void remove_selected_rows();
    void move_selected_top();
    void move_selected_up();
    void move_selected_bottom();
    void move_selected_down();
#endif

signals:
    void rowOrderChanged();
#ifdef COMMON_WIDGETS_ZUMOLTC
    void columnInserted(int col);
#endif

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

    // Row drag and drop (rowdragdrop.h): the drag carries the row numbers of
    // the dragged items, the drop moves those rows to the row under the drop
    // position and emits rowOrderChanged(). Only that payload can be dropped.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QTableWidgetItem *> items) const override;
    void dropEvent(QDropEvent *event) override;

private:
    // The cell's item, made when missing; null outside the table.
    QTableWidgetItem *ensureItem(int row, int column);
    void markModified();
    void createActions();
    // Stores one pasted or filled value; the two programs differ here.
    void writeUserValue(int row, int column, const QVariant &value);
    // Right click on a column title (ParamHeader): bottom-up, every editable
    // cell of the column gets the value of the first selected cell in it.
    void fillColumnFromSelection(int column);
    bool isColumnEmpty(int column) const;
    // Whether the current cell or the editor's own cell lies in the last column.
    bool editsLastColumn(QWidget *editor) const;
    void appendColumn();
    void removeTrailingEmptyColumns();
#ifdef COMMON_WIDGETS_ZUMOLTC
    // Moves the rows of the selected cells one place; step is -1 or +1.
    void moveSelectedRows(int step);
    void swapRowValues(int row, int otherRow);
#endif

    bool adjustingColumns = false;
    bool shrinkPending = false;
};

// Distinct column numbers of the view's selected cells, in the order first met.
QList<int> selectedColumns(const QAbstractItemView *view);
// Distinct row numbers of the table's selected items, in the order first met.
QList<int> selectedItemRows(const QTableWidget *table);

// The selected cells as clipboard text: the rectangle around the selection,
// one field per selected cell (empty for unselected cells), TAB between fields
// and a line feed after every row. Empty when nothing is selected.
QString selectedCellsText(const QAbstractItemView *view,
                          const std::function<QString(const QModelIndex &)> &field);
// The same over a table's items: `field` of a selected item, the item text when
// null; empty for cells without an item.
QString selectedCellsText(const QTableWidget *table,
                          QString (*field)(const QTableWidgetItem *item) = nullptr);

#ifdef COMMON_WIDGETS_ZUMOLTC
// One clipboard field of a cell value: a text between double quotes, any other
// value as its text (numbers in the C locale, nothing for an empty cell).
QString clipboardValueText(const QVariant &value);
// A pasted field: a quoted text, a bool, time or date written by copy, a
// double when it has a point, else an integer (0 for words). Numbers that fit
// no int, such as "1e+20", stay doubles instead of turning into 0.
QVariant pastedValue(const QString &field);
#endif

#ifndef COMMON_WIDGETS_ZUMOLTC
// The whole table as text with its column and row titles (where the headers
// are visible): a title line starting with a TAB, then one line per row.
QString tableTextWithTitles(const QTableWidget *table);
#endif
