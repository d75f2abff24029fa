#pragma once

#include <QHeaderView>

// Horizontal header of a parameter table. A right click on a column's title
// asks the table to fill the column's editable cells with the value of the
// first selected cell of that column; other clicks behave as in any header.
class ParamHeader : public QHeaderView
{
    Q_OBJECT
public:
    explicit ParamHeader(Qt::Orientation orientation, QWidget *parent = nullptr);

signals:
    void fillColumnRequested(int column);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
