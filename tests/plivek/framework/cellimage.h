#pragma once

#include <QImage>
#include <QItemDelegate>
#include <QPainter>
#include <QStandardItemModel>

// Paints one cell with an item delegate into an image, so that tests can
// compare what two delegates show for a cell.
namespace CellImage {

inline QImage paint(const QAbstractItemDelegate &delegate, const QVariant &value,
                    bool selected = false)
{
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), value, Qt::EditRole);
    QImage image(120, 24, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    delegate.paint(&painter, option, model.index(0, 0));
    return image;
}

// Shows a fixed text in every cell, as a delegate that draws its own text does.
class FixedTextDelegate : public QItemDelegate
{
public:
    explicit FixedTextDelegate(const QString &text)
        : text(text)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        drawBackground(painter, option, index);
        drawDisplay(painter, option, option.rect, text);
        drawFocus(painter, option, option.rect);
    }

private:
    QString text;
};

} // namespace CellImage
