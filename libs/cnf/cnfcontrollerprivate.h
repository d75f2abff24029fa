#pragma once

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfindexedlist.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfsignalgroup.h"
#include "cnfweekcard.h"
#include "vnode.h"

#include <memory>

// The lists and pointers of a CnfController, shared by its area files
// (cnfcontroller.cpp, cnfcontrollercalendar.cpp, cnfcontrollerids.cpp).
namespace CnfControllerKeys {

inline QString programKey(const CnfProgram &p)
{
    return p.id;
}
inline QString phaseKey(const CnfPhase &p)
{
    return p.id;
}
inline int groupKey(const CnfSignalGroup &g)
{
    return g.id;
}
inline int deviceKey(const CnfPowerDevice &p)
{
    return p.id;
}
inline int deviceAddressKey(const CnfPowerDevice &p)
{
    return p.address;
}
inline int detectorKey(const CnfDetector &e)
{
    return e.id();
}
inline int matrixKey(const CnfMatrix &m)
{
    return m.id();
}
inline QString dayCardKey(const CnfDayCard &c)
{
    return c.id;
}
inline QString weekCardKey(const CnfWeekCard &c)
{
    return c.id;
}

// Power devices are found by id (key 0) and by address (key 1).
enum DeviceKey { ById, ByAddress };

} // namespace CnfControllerKeys

using DetectorList = CnfIndexedList<CnfDetector, int>;

class CnfControllerPrivate
{
public:
    CnfControllerPrivate()
        : root(std::make_shared<VNode>())
    {
        root->kind = VObject::Map;
        root->isTreeRoot = true;
    }

    QString lastError;
    CnfIndexedList<CnfProgram, QString> programs { CnfControllerKeys::programKey };
    CnfIndexedList<CnfPhase, QString> phases { CnfControllerKeys::phaseKey };
    CnfIndexedList<CnfSignalGroup, int> signalGroups { CnfControllerKeys::groupKey };
    CnfSignalGroupPtr defaultSignalGroup;
    CnfIndexedList<CnfPowerDevice, int> powerDevices { CnfControllerKeys::deviceKey,
                                                       CnfControllerKeys::deviceAddressKey };
    DetectorList detectors { CnfControllerKeys::detectorKey };
    DetectorList sensors { CnfControllerKeys::detectorKey };
    CnfIndexedList<CnfMatrix, int> matrices { CnfControllerKeys::matrixKey };
    CnfMatrixPtr defaultMatrix;
    CnfMatrixPtr safetyMatrix;
    CnfIndexedList<CnfDayCard, QString> dayCards { CnfControllerKeys::dayCardKey };
    CnfIndexedList<CnfWeekCard, QString> weekCards { CnfControllerKeys::weekCardKey };
    QList<CnfSeasonPlanPtr> seasonPlans;
    QMap<QDate, CnfSpecialDayPtr> specialDays;
    CnfDayCardPtr defaultDayCard;
    CnfProgramPtr defaultProgram;
    CnfProgramPtr reserveProgram;
    CnfInterstatePtr interstate;
    std::shared_ptr<VNode> root;
    QStringList nullProperties;
};
