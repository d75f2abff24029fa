#include "paramheader.h"

#include "parameterstable.h"

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
    if (event->button() == Qt::RightButton && section >= 0) {
        if (auto *table = qobject_cast<ParametersTable *>(parentWidget()))
            table->fillColumnFromSelection(section);
    }
    QHeaderView::mousePressEvent(event);
}
