#pragma once

#include <QTableWidget>
#include <QVariant>

// The edit table of plivek's dialogs. Its whole content is the property
// tableData (a list of rows, each a list of cell values, a cell without an item
// reading as an invalid QVariant), so the value exchange of the dialogs loads
// and stores it like any other widget.
//
// The cell value 255 (exactly: 254.5 or 255.3 are values) marks an unset
// entry and is kept as an invalid value.
// Copy, "Copy all with titles" and Paste form the context menu; Delete empties
// the selected editable cells. While paste-text-as-is is set (the default)
// pasted text goes in unchanged and Delete keeps the diagonal of a square
// matrix; while it is cleared, pasted words become "1" for "true" and empty
// otherwise.
class TiverkEditTable : public QTableWidget
{
    Q_OBJECT
    Q_PROPERTY(QVariant tableData READ tableData WRITE setTableData)
public:
    explicit TiverkEditTable(QWidget *parent = nullptr);
    ~TiverkEditTable() override;

    QVariant tableData() const;
    // Row r of the list fills row r; rows and cells beyond it stay as they are.
    void setTableData(const QVariant &data);

    QVariant cellValue(int row, int column) const;
    // Grows the table to hold the cell; a read-only item keeps its value.
    void setCellValue(int row, int column, QVariant value);
    void setPasteTextAsIs(bool asIs);

public slots:
    void copy();
    void copy_all();
    void paste();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool pasteTextAsIs = true;
};
