#pragma once

#include <QSharedPointer>

// Shared-pointer names of the configuration elements. Elements are shared
// between the controller and its callers: a write through any pointer is the
// controller's.
class CnfController;
class CnfProgram;
class CnfPhase;
class CnfPhaseDef;
class CnfTransition;
class CnfSignalGroup;
class CnfDetector;
class CnfPowerDevice;
class CnfMatrix;
class CnfDayCard;
class CnfWeekCard;
class CnfSeasonPlan;
class CnfSpecialDay;
class CnfInterstate;
class CnfNative;

using CnfProgramPtr = QSharedPointer<CnfProgram>;
using CnfPhasePtr = QSharedPointer<CnfPhase>;
using CnfPhaseDefPtr = QSharedPointer<CnfPhaseDef>;
using CnfTransitionPtr = QSharedPointer<CnfTransition>;
using CnfSignalGroupPtr = QSharedPointer<CnfSignalGroup>;
using CnfDetectorPtr = QSharedPointer<CnfDetector>;
using CnfPowerDevicePtr = QSharedPointer<CnfPowerDevice>;
using CnfMatrixPtr = QSharedPointer<CnfMatrix>;
using CnfDayCardPtr = QSharedPointer<CnfDayCard>;
using CnfWeekCardPtr = QSharedPointer<CnfWeekCard>;
using CnfSeasonPlanPtr = QSharedPointer<CnfSeasonPlan>;
using CnfSpecialDayPtr = QSharedPointer<CnfSpecialDay>;
using CnfInterstatePtr = QSharedPointer<CnfInterstate>;
using CnfNativePtr = QSharedPointer<CnfNative>;
