#pragma once

#include <QMap>

// The change from one phase to the next: for each signal group (by id) the
// second, counted from the start of the change, at which its green ends
// (groups that lose green; blinking green counts as green) or begins (groups
// that gain green). A group that
// is absent from a map counts as 0.
class CnfTransition
{
public:
    QMap<int, int> greenEnd;
    QMap<int, int> greenStart;
    int length = 0; // seconds from the start of the change to the last green start
};
