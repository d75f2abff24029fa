#pragma once

#include <QTableView>

class ConflictMatrixModel;

// The table of the conflict-matrix page: a view over a ConflictMatrixModel with
// the parameter tables' clipboard and edit actions (Copy and Paste as
// TAB-separated lines, Remove empties the selected cells, a right click on a
// column title fills the column from its first selected cell). Only the
// visible cells cost anything, whatever the number of groups.
class ConflictMatrixView : public QTableView
{
    Q_OBJECT
public:
    explicit ConflictMatrixView(QWidget *parent = nullptr);
    ~ConflictMatrixView() override;

    ConflictMatrixModel *matrixModel() const { return m_model; }

public slots:
    void copy();
    void paste();
    void clear();

protected:
    // Typing letters never moves the current cell.
    void keyboardSearch(const QString &search) override;

private:
    void fillColumnFromSelection(int column);
    void writeUserValue(int row, int column, const QVariant &value);

    ConflictMatrixModel *m_model;
};
