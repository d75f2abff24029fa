#pragma once

#include <QMap>
#include <QString>
#include <QVector>

namespace Halm58a {

// One signal program of a controller as a simulator sees it: the colour that every
// signal group (by its controller id, the tlId of the network's groups) shows in each
// second of the cycle. Second 0 is the start of the program's cycle, where the offset
// places it; every group holds cycle colours.
struct SignalPlan
{
    enum Colour { Dark, Red, RedYellow, Green, GreenBlink, Yellow };

    QString id; // the program's id
    int offset = 0; // seconds from the reference time to the cycle's start
    int cycle = 0; // seconds
    QMap<int, QVector<Colour>> colours;
    // Not empty when the program cannot be given as such a plan: the reason.
    QString error;
};

} // namespace Halm58a
