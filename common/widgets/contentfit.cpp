#include "contentfit.h"

#include <QHeaderView>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QTableView>
#include <QWidget>

#include <algorithm>

namespace {

// The room a table's rows and columns take beyond what its viewport shows.
QSize hiddenTablePart(const QTableView *table)
{
    const QWidget *viewport = table->viewport();
    return QSize(std::max(0, table->horizontalHeader()->length() - viewport->width()),
                 std::max(0, table->verticalHeader()->length() - viewport->height()));
}

// A table shown in a cell of another table takes its room from that table.
bool insideTable(const QWidget *widget, const QWidget *window)
{
    for (const QWidget *up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
        if (qobject_cast<const QTableView *>(up))
            return true;
    }
    return false;
}

QRect availableArea(const QWidget *window)
{
    const QWidget *anchor = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen *screen = anchor->screen();
    return screen ? screen->availableGeometry() : QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// The window's size grown to its size hint, within the area.
QSize hintedSize(QWidget *window, const QRect &area)
{
    const QSize hint = window->sizeHint();
    if (!hint.isValid())
        return window->size();
    return window->size().expandedTo(hint.boundedTo(area.size()));
}

// Resizes the window, keeping its centre where it was, within the area.
void resizeCentred(QWidget *window, const QSize &size, const QRect &area)
{
    QRect frame(QPoint(), size);
    frame.moveCenter(window->geometry().center());
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() + 1 - size.width())));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - size.height())));
    window->setGeometry(frame);
}

// Once the window is shown and laid out: its size hint again (widgets may ask
// for more once shown), and what its tables still hide, since tables ask their
// layout for a small fixed size whatever they hold.
void growShown(QWidget *window)
{
    const QRect area = availableArea(window);
    // The layout may share the added room with other stretching widgets: a
    // few rounds give the tables theirs.
    for (int round = 0; round < 4; ++round) {
        if (QLayout *layout = window->layout())
            layout->activate();
        QSize hidden(0, 0);
        for (const QTableView *table : window->findChildren<QTableView *>()) {
            if (table->isVisible() && !insideTable(table, window))
                hidden = hidden.expandedTo(hiddenTablePart(table));
        }
        const QSize size
            = (hintedSize(window, area) + hidden).boundedTo(area.size()).expandedTo(window->size());
        if (size == window->size())
            return;
        resizeCentred(window, size, area);
    }
}

} // namespace

void growToContent(QWidget *window)
{
    window->ensurePolished();
    const QSize size = hintedSize(window, availableArea(window));
    if (size != window->size())
        window->resize(size);
    if (window->isVisible())
        growShown(window);
    else
        QMetaObject::invokeMethod(
            window, [window] { growShown(window); }, Qt::QueuedConnection);
}
