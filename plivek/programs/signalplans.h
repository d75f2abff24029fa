#pragma once

#include "halm58a/signalplan.h"

#include <QList>

class CnfController;

// The controller's programs as signal plans for a simulator, one per program in the
// controller's order. A fixed-time program (steps of a TIVERK 3.x or adapter fixed-time
// kind, or a fixed-time or coordinated program with steps) gives the colours that its
// program diagram draws, second by second from the cycle's start; any other program
// gives a plan with only its id and the reason in `error`. None when the junction
// number is not the controller's number: another controller's junction.
QList<Halm58a::SignalPlan> signalPlansOf(const CnfController &controller, int junctionNumber);
