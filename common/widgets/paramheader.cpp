#include "paramheader.h"

#include <QMouseEvent>

ParamHeader::ParamHeader(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{
    // A table sets these only on the header it makes itself.
    setSectionsClickable(true);
    setHighlightSections(true);
}

void ParamHeader::mousePressEvent(QMouseEvent *event)
{
    const int section = logicalIndexAt(event->pos());
    if (event->button() == Qt::RightButton && section >= 0)
        emit fillColumnRequested(section);
    QHeaderView::mousePressEvent(event);
}
