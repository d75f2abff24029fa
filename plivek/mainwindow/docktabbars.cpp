#include "docktabbars.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QMainWindow>
#include <QTabBar>

namespace {

// Lays the bar out again, which also scrolls its current tab into view: a tab
// made current while the bar had not yet measured its whole titles may
// otherwise stay scrolled out of sight.
void showCurrentTab(QTabBar *bar)
{
    QResizeEvent relayout(bar->size(), bar->size());
    QCoreApplication::sendEvent(bar, &relayout);
}

void keepTitlesWhole(QTabBar *bar)
{
    bar->setElideMode(Qt::ElideNone);
    bar->setUsesScrollButtons(true);
    if (bar->property("dockTabsWatched").toBool())
        return;
    bar->setProperty("dockTabsWatched", true);
    QObject::connect(
        bar, &QTabBar::currentChanged, bar, [bar] { showCurrentTab(bar); }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(bar, [bar] { showCurrentTab(bar); }, Qt::QueuedConnection);
}

} // namespace

DockTabBars::DockTabBars(QMainWindow *window)
    : QObject(window)
{
    for (QTabBar *bar : window->findChildren<QTabBar *>(QString(), Qt::FindDirectChildrenOnly))
        keepTitlesWhole(bar);
    window->installEventFilter(this);
}

bool DockTabBars::eventFilter(QObject *watched, QEvent *event)
{
    // The window sets up a tab bar of its own (eliding) before showing it; the
    // bar is polished when shown, so the setting made here is the last one.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *bar = qobject_cast<QTabBar *>(static_cast<QChildEvent *>(event)->child()))
            keepTitlesWhole(bar);
    }
    return QObject::eventFilter(watched, event);
}
