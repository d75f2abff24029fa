#pragma once

#include <QObject>
#include <QSet>

class QDockWidget;
class QMainWindow;
class QTabBar;

template<typename T> class QList;

// Keeps the tabs of tabified dock windows readable. The main window makes the
// tab bars of its dock areas itself, eliding their titles when the area is
// narrow, so that "Content of power part" and "Control programs" both read
// "Co…". Installed on a main window, this makes every such tab bar show whole
// titles and scroll instead, whenever the window lays its docks out anew
// (first start, restored state, docks moved by the user), and keeps the
// current tab in view.
class DockTabBars : public QObject
{
    Q_OBJECT
public:
    explicit DockTabBars(QMainWindow *window);

    // The width a dock area needs to show the whole titles of these docks as the
    // tabs of one group, without scrolling.
    static int widthForTitles(const QList<QDockWidget *> &docks);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QTabBar *bar);

    QSet<QTabBar *> m_watched;
};
