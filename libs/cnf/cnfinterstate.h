#pragma once

#include <QStringList>

// Controller-wide interstate flags: whether green blinking, yellow and
// red-yellow are shown between phases (0 = no, 1 = yes).
class CnfInterstate
{
public:
    CnfInterstate() = default;
    CnfInterstate(int greenBlink, int yellow, int redYellow)
        : greenBlink(greenBlink)
        , yellow(yellow)
        , redYellow(redYellow)
    {
    }

    int greenBlink = 0;
    int yellow = 0;
    int redYellow = 0;
    // The members a ZU_MOLT "interstate" was read without ("greenBlink",
    // "yellow", "redYellow"): the field holds 0, and the ZU_MOLT writer leaves
    // the member out again while it still does.
    QStringList unsetMembers;
};
