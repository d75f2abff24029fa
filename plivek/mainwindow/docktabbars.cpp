#include "docktabbars.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QResizeEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>

namespace {

// Whether the current tab lies whole inside the bar, clear of its scroll buttons.
bool currentTabInView(const QTabBar *bar)
{
    if (bar->currentIndex() < 0 || !bar->isVisible())
        return true;
    int right = bar->width();
    for (const QToolButton *button :
         bar->findChildren<QToolButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button->isVisible())
            right = std::min(right, button->x());
    }
    const QRect tab = bar->tabRect(bar->currentIndex());
    // A tab wider than the bar cannot be shown whole; scrolling would not help.
    return tab.width() >= right || (tab.left() >= 0 && tab.right() < right);
}

// Lays the bar out again, which also scrolls its current tab into view: the
// window sets a bar's current tab with its signals blocked, often before the
// bar has measured its whole titles, and the tab may then stay out of sight.
void showCurrentTab(QTabBar *bar)
{
    QResizeEvent relayout(bar->size(), bar->size());
    QCoreApplication::sendEvent(bar, &relayout);
}

void keepTitlesWhole(QTabBar *bar)
{
    bar->setElideMode(Qt::ElideNone);
    bar->setUsesScrollButtons(true);
}

} // namespace

DockTabBars::DockTabBars(QMainWindow *window)
    : QObject(window)
{
    for (QTabBar *bar : window->findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly))
        watch(bar);
    window->installEventFilter(this);
}

int DockTabBars::widthForTitles(const QList<QDockWidget *> &docks)
{
    // Measured on a bar set up as the window sets up its own: tabs below the docks.
    QTabBar bar;
    bar.setShape(QTabBar::RoundedSouth);
    bar.setDrawBase(false);
    keepTitlesWhole(&bar);
    for (const QDockWidget *dock : docks)
        bar.addTab(dock->windowTitle());
    const int separator = bar.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    return bar.sizeHint().width() + separator;
}

void DockTabBars::watch(QTabBar *bar)
{
    keepTitlesWhole(bar);
    if (m_watched.contains(bar))
        return;
    m_watched.insert(bar);
    connect(bar, &QObject::destroyed, this, [this, bar] { m_watched.remove(bar); });
    bar->installEventFilter(this);
}

bool DockTabBars::eventFilter(QObject *watched, QEvent *event)
{
    // The window sets up a tab bar of its own (eliding) before showing it; the
    // bar is polished when shown, so the setting made here is the last one.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *bar = qobject_cast<QTabBar *>(static_cast<QChildEvent *>(event)->child()))
            watch(bar);
    } else if (event->type() == QEvent::Paint) {
        auto *bar = qobject_cast<QTabBar *>(watched);
        if (bar && m_watched.contains(bar)) {
            // Brought into view once per current tab and bar width: not again
            // when the user scrolls the tabs, nor on every paint of a bar that
            // cannot show it.
            const QPoint seen(bar->currentIndex(), bar->width());
            const bool again = bar->property("dockTabsSeen").toPoint() == seen;
            bar->setProperty("dockTabsSeen", seen);
            if (!again && !currentTabInView(bar))
                showCurrentTab(bar);
        }
    }
    return QObject::eventFilter(watched, event);
}
