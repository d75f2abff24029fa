#pragma once

#include "cnffwd.h"

// One value of a matrix: the pair (a, b) of signal groups and its value.
// The pointers are null when the matrix is not tied to a controller's groups;
// the ids are always set.
struct CnfMatrixCell
{
    CnfSignalGroupPtr a;
    CnfSignalGroupPtr b;
    int aId = 0;
    int bId = 0;
    double value = 0.0;
};
