#include "cnfcontroller.h"

#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfindexedlist.h"
#include "cnfinterstate.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfprogramrecord.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftiverklayout.h"
#include "cnftransition.h"
#include "cnfweekcard.h"
#include "cnfxmlreader.h"
#include "cnfxmlwriter.h"
#include "vnode.h"

#include <QCoreApplication>

namespace {

QString programKey(const CnfProgram &p)
{
    return p.id;
}
QString phaseKey(const CnfPhase &p)
{
    return p.id;
}
int groupKey(const CnfSignalGroup &g)
{
    return g.id;
}
int deviceKey(const CnfPowerDevice &p)
{
    return p.id;
}
int deviceAddressKey(const CnfPowerDevice &p)
{
    return p.address;
}
int detectorKey(const CnfDetector &e)
{
    return e.id();
}
int matrixKey(const CnfMatrix &m)
{
    return m.id();
}
QString dayCardKey(const CnfDayCard &c)
{
    return c.id;
}
QString weekCardKey(const CnfWeekCard &c)
{
    return c.id;
}

// Power devices are found by id (key 0) and by address (key 1).
enum DeviceKey { ById, ByAddress };

using DetectorList = CnfIndexedList<CnfDetector, int>;

} // namespace

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
    CnfIndexedList<CnfProgram, QString> programs { programKey };
    CnfIndexedList<CnfPhase, QString> phases { phaseKey };
    CnfIndexedList<CnfSignalGroup, int> signalGroups { groupKey };
    CnfSignalGroupPtr defaultSignalGroup;
    CnfIndexedList<CnfPowerDevice, int> powerDevices { deviceKey, deviceAddressKey };
    DetectorList detectors { detectorKey };
    DetectorList sensors { detectorKey };
    CnfIndexedList<CnfMatrix, int> matrices { matrixKey };
    CnfMatrixPtr defaultMatrix;
    CnfMatrixPtr safetyMatrix;
    CnfIndexedList<CnfDayCard, QString> dayCards { dayCardKey };
    CnfIndexedList<CnfWeekCard, QString> weekCards { weekCardKey };
    QList<CnfSeasonPlanPtr> seasonPlans;
    QMap<QDate, CnfSpecialDayPtr> specialDays;
    CnfDayCardPtr defaultDayCard;
    CnfProgramPtr defaultProgram;
    CnfProgramPtr reserveProgram;
    CnfInterstatePtr interstate;
    std::shared_ptr<VNode> root;
    QStringList nullProperties;
};

namespace {

bool isFirstLine(const QString &family)
{
    return family == QLatin1String("tiverk") || family == QLatin1String("adapter");
}

// The phase ids that each program's record counts by place, in program order.
QList<QStringList> recordPhaseIds(const CnfController &controller)
{
    QList<QStringList> ids;
    for (const CnfProgramPtr &program : controller.programs())
        ids << (program ? CnfProgramRecord::phaseIds(controller, *program) : QStringList());
    return ids;
}

// After a change of the phase list: every first-line program's record counts
// the phases anew, so that it names the ids it named before (`before` from
// recordPhaseIds, taken before the change).
void reindexRecords(const CnfController &controller, const QList<QStringList> &before)
{
    if (!isFirstLine(controller.property("type").toString()))
        return;
    const QDomDocument layout = controller.tiverkLayout();
    const QList<CnfProgramPtr> programs = controller.programs();
    for (int i = 0; i < programs.size() && i < before.size(); ++i) {
        const CnfProgramPtr &program = programs.at(i);
        if (program && program->data().size() > 2)
            program->setData(
                CnfProgramRecord::reindexed(layout, program->data(), before.at(i),
                                            CnfProgramRecord::phaseIds(controller, *program)));
    }
}

// The program ids in the order the records' program indexes count them.
QStringList programIds(const CnfController &controller)
{
    QStringList ids;
    for (const CnfProgramPtr &program : controller.programs())
        ids << (program ? program->id : QString());
    return ids;
}

// After a change of the program list: every first-line record's program
// indexes (a queue or return program) name the ids they named before
// (`before` from programIds), or nothing when that program is gone.
void reindexProgramIndexes(const CnfController &controller, const QStringList &before)
{
    if (!isFirstLine(controller.property("type").toString()))
        return;
    const QDomDocument layout = controller.tiverkLayout();
    const QStringList after = programIds(controller);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (program && program->data().size() > 2)
            program->setData(
                CnfProgramRecord::withProgramsReindexed(layout, program->data(), before, after));
    }
}

// Every entry of a list of the remote control panel ("vpu_phases" and
// "vpu_programs" of TIVERK 3.x, "stageId" and "programId" of the ZU_MOLT
// panel record) that names `id` names `newId`.
void renameRemoteEntries(const VObject &list, const QString &id, const QString &newId)
{
    for (int i = 0; i < list.size(); ++i) {
        VObject entry = list[i];
        if (entry.isNull() || entry.toString() != id)
            continue;
        // A number stays a number, a text a text.
        bool numeric = false;
        const int number = newId.toInt(&numeric);
        entry = entry.type() == QMetaType::QString || !numeric ? QVariant(newId) : QVariant(number);
    }
}

VObject zuMoltPanel(const CnfController &controller)
{
    return controller.nativeData()[QStringLiteral("remoteControlPanel")][QStringLiteral("VPU1")];
}

// A phase id as the records' "phases" fields hold it: the number itself;
// -1 for an id that is not a number a byte holds.
int phaseIdValue(const QString &id)
{
    bool ok = false;
    const int value = id.toInt(&ok);
    return ok && value >= 0 && value < 255 ? value : -1;
}

// The ids of the programs whose records hold one of the values in a field
// of the list; `skip` are left out.
QStringList programsWithListValue(const CnfController &controller, const char *listId,
                                  const QList<int> &values, const QStringList &skip)
{
    QStringList ids;
    if (!isFirstLine(controller.property("type").toString()))
        return ids;
    const QDomDocument layout = controller.tiverkLayout();
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program || skip.contains(program->id) || ids.contains(program->id))
            continue;
        const QList<int> held
            = CnfProgramRecord::listValues(layout, program->data(), QString::fromLatin1(listId));
        for (int value : values) {
            if (value >= 0 && held.contains(value)) {
                ids << program->id;
                break;
            }
        }
    }
    return ids;
}

} // namespace

CnfController::CnfController(QObject *parent)
    : QObject(parent)
    , d(new CnfControllerPrivate)
{
}

CnfController::~CnfController() = default;

void CnfController::clear()
{
    const QString error = d->lastError;
    for (const CnfProgramPtr &program : d->programs.elements()) {
        if (program->controller() == this)
            program->setController(nullptr);
    }
    const std::shared_ptr<VNode> root = d->root;
    root->detachChildren();
    root->makeKind(VObject::Map);
    root->dropsInvalid = false; // a cleaning of the former tree does not hold for the next one
    d.reset(new CnfControllerPrivate);
    d->root = root; // handles on the root stay valid
    d->lastError = error;
    const QList<QByteArray> names = dynamicPropertyNames();
    for (const QByteArray &name : names)
        setProperty(name.constData(), QVariant());
}

QStringList CnfController::nullProperties() const
{
    return d->nullProperties;
}

void CnfController::setNullProperties(const QStringList &names)
{
    d->nullProperties = names;
}

QString CnfController::lastError() const
{
    return d->lastError;
}

void CnfController::setLastError(const QString &error)
{
    d->lastError = error;
}

// ---------------------------------------------------------------- programs

QList<CnfProgramPtr> CnfController::programs() const
{
    return d->programs.elements();
}

bool CnfController::addProgram(const CnfProgramPtr &program)
{
    if (!program) {
        d->lastError = tr("No program given");
        return false;
    }
    switch (d->programs.add(program)) {
    case CnfIndexedList<CnfProgram, QString>::KeyTaken:
        d->lastError = tr("Program id \"%1\" is empty or taken").arg(program->id);
        return false;
    case CnfIndexedList<CnfProgram, QString>::Appended:
        program->setController(this);
        for (const CnfDayCardPtr &card : dayCards())
            card->takeProgram(program);
        return true;
    case CnfIndexedList<CnfProgram, QString>::AlreadyListed:
        break;
    }
    return true;
}

bool CnfController::removeProgram(const QString &id)
{
    const CnfProgramPtr program = findProgram(id);
    const QStringList before = programIds(*this);
    if (!d->programs.remove(program))
        return false;
    if (d->defaultProgram == program)
        d->defaultProgram.reset();
    if (d->reserveProgram == program)
        d->reserveProgram.reset();
    for (const CnfDayCardPtr &card : dayCards())
        card->releaseProgram(program);
    reindexProgramIndexes(*this, before);
    return true;
}

bool CnfController::reorderPrograms(const QList<CnfProgramPtr> &programs)
{
    const QStringList before = programIds(*this);
    if (!d->programs.reorder(programs))
        return false;
    reindexProgramIndexes(*this, before);
    return true;
}

bool CnfController::renameProgram(const QString &id, const QString &newId)
{
    const CnfProgramPtr program = findProgram(id);
    if (!program) {
        d->lastError = tr("No program \"%1\"").arg(id);
        return false;
    }
    if (newId == id)
        return true;
    if (newId.isEmpty() || findProgram(newId)) {
        d->lastError = tr("Program id \"%1\" is empty or taken").arg(newId);
        return false;
    }
    // Day cards, the default and the reserve program and the records (by
    // place) name the program itself; the panel names it by id. Day-card
    // records that kept the new id of a deleted program name this one now.
    program->id = newId;
    for (const CnfDayCardPtr &card : dayCards())
        card->takeProgram(program);
    renameRemoteEntries(nativeData()[QStringLiteral("vpu_programs")], id, newId);
    renameRemoteEntries(zuMoltPanel(*this)[QStringLiteral("programId")], id, newId);
    return true;
}

QStringList CnfController::programsNamingProgram(const QStringList &ids) const
{
    const QStringList order = programIds(*this);
    QList<int> places;
    for (const QString &id : ids)
        places << order.indexOf(id);
    return programsWithListValue(*this, CnfProgramRecord::ProgramIndexList, places, ids);
}

CnfProgramPtr CnfController::findProgram(const QString &id) const
{
    return d->programs.find(id);
}

CnfProgramPtr CnfController::findProgramByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return d->programs.findBy([&](const CnfProgram &p) { return p.name == name; });
}

// ---------------------------------------------------------------- phases

QList<CnfPhasePtr> CnfController::phases() const
{
    return d->phases.elements();
}

bool CnfController::addPhase(const CnfPhasePtr &phase)
{
    if (!phase) {
        d->lastError = tr("No phase given");
        return false;
    }
    if (d->phases.add(phase) == CnfIndexedList<CnfPhase, QString>::KeyTaken) {
        d->lastError = tr("Phase id \"%1\" is empty or taken").arg(phase->id);
        return false;
    }
    return true;
}

bool CnfController::removePhase(const QString &id)
{
    const CnfPhasePtr phase = findPhase(id);
    if (!phase)
        return d->phases.remove(phase);
    // A transition from the removed phase would belong to the next phase
    // given its id.
    for (const CnfPhasePtr &other : d->phases.elements()) {
        if (other != phase)
            other->transitions.remove(id);
    }
    // Programs keep their steps of the phase, by its id. Their records count
    // phases by place: the places of the phases after it move up, and the
    // removed phase is counted after the controller's phases.
    const QList<QStringList> before = recordPhaseIds(*this);
    if (!d->phases.remove(phase))
        return false;
    for (const CnfProgramPtr &program : programs()) {
        if (!program)
            continue;
        for (const CnfPhaseDefPtr &def : program->phases()) {
            if (def && def->phase() == phase) {
                def->setPhase(CnfPhasePtr());
                def->setId(id);
            }
        }
    }
    reindexRecords(*this, before);
    return true;
}

bool CnfController::reorderPhases(const QList<CnfPhasePtr> &phases)
{
    // The records name the same phases in their new places.
    const QList<QStringList> before = recordPhaseIds(*this);
    if (!d->phases.reorder(phases))
        return false;
    reindexRecords(*this, before);
    return true;
}

bool CnfController::renamePhase(const QString &id, const QString &newId)
{
    const CnfPhasePtr phase = findPhase(id);
    if (!phase) {
        d->lastError = tr("No phase \"%1\"").arg(id);
        return false;
    }
    if (newId == id)
        return true;
    if (newId.isEmpty() || findPhase(newId)) {
        d->lastError = tr("Phase id \"%1\" is empty or taken").arg(newId);
        return false;
    }
    phase->id = newId; // the program steps bound to the phase follow it
    for (const CnfPhasePtr &other : d->phases.elements()) {
        if (other->transitions.contains(id))
            other->transitions.insert(newId, other->transitions.take(id));
    }
    renameRemoteEntries(nativeData()[QStringLiteral("vpu_phases")], id, newId);
    renameRemoteEntries(zuMoltPanel(*this)[QStringLiteral("stageId")], id, newId);
    if (isFirstLine(property("type").toString()) && phaseIdValue(id) >= 0) {
        const QDomDocument layout = tiverkLayout();
        for (const CnfProgramPtr &program : programs()) {
            if (program && program->data().size() > 2)
                program->setData(CnfProgramRecord::withListValueReplaced(
                    layout, program->data(), QString::fromLatin1(CnfProgramRecord::PhaseIdList),
                    phaseIdValue(id), phaseIdValue(newId)));
        }
    }
    return true;
}

QStringList CnfController::programsNamingPhase(const QString &id) const
{
    return programsWithListValue(*this, CnfProgramRecord::PhaseIdList, { phaseIdValue(id) }, {});
}

CnfPhasePtr CnfController::findPhase(const QString &id) const
{
    return d->phases.find(id);
}

// ---------------------------------------------------------------- signal groups

QList<CnfSignalGroupPtr> CnfController::signalGroups() const
{
    return d->signalGroups.elements();
}

bool CnfController::addSignalGroup(const CnfSignalGroupPtr &group)
{
    if (!group) {
        d->lastError = tr("No signal group given");
        return false;
    }
    switch (d->signalGroups.add(group)) {
    case CnfIndexedList<CnfSignalGroup, int>::KeyTaken:
        d->lastError = tr("Signal group %1 already exists").arg(group->id);
        return false;
    case CnfIndexedList<CnfSignalGroup, int>::Appended:
        group->m_defaultGroup = d->defaultSignalGroup;
        return true;
    case CnfIndexedList<CnfSignalGroup, int>::AlreadyListed:
        break;
    }
    return true;
}

// The matrices' values, the stored transitions' times and the programs'
// timelines of group `id` go to group `newId` (-1: they go).
static void moveGroupValues(CnfControllerPrivate &d, int id, int newId)
{
    for (const CnfMatrixPtr &matrix : d.matrices.elements())
        matrix->moveGroup(id, newId);
    for (const CnfProgramPtr &program : d.programs.elements()) {
        if (program)
            program->moveTimelineGroup(id, newId);
    }
    for (const CnfPhasePtr &phase : d.phases.elements()) {
        for (const CnfTransitionPtr &transition : qAsConst(phase->transitions)) {
            if (!transition)
                continue;
            for (QMap<int, int> *times : { &transition->greenEnd, &transition->greenStart }) {
                if (newId >= 0)
                    times->remove(newId);
                if (times->contains(id)) {
                    const int at = times->take(id);
                    if (newId >= 0)
                        times->insert(newId, at);
                }
            }
        }
    }
}

bool CnfController::removeSignalGroup(int id)
{
    const CnfSignalGroupPtr group = findSG(id);
    if (!d->signalGroups.remove(group))
        return false;
    // Phases must not keep running a group that no longer exists, and no
    // value of it may pass to the next group given its id.
    for (const CnfPhasePtr &phase : d->phases.elements())
        phase->signalGroups.removeAll(group);
    moveGroupValues(*d, id, -1);
    return true;
}

bool CnfController::renameSignalGroup(int id, int newId)
{
    const CnfSignalGroupPtr group = findSG(id);
    if (!group) {
        d->lastError = tr("No signal group %1").arg(id);
        return false;
    }
    if (newId == id)
        return true;
    if (newId < 0 || findSG(newId)) {
        d->lastError = tr("Signal group %1 already exists").arg(newId);
        return false;
    }
    group->id = newId; // phases and power devices hold the group itself
    moveGroupValues(*d, id, newId);
    return true;
}

bool CnfController::reorderSignalGroups(const QList<CnfSignalGroupPtr> &groups)
{
    return d->signalGroups.reorder(groups);
}

CnfSignalGroupPtr CnfController::findSG(int id) const
{
    return d->signalGroups.find(id);
}

CnfSignalGroupPtr CnfController::findSGByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return d->signalGroups.findBy([&](const CnfSignalGroup &g) { return g.name == name; });
}

CnfSignalGroupPtr CnfController::defaultSignalGroup() const
{
    return d->defaultSignalGroup;
}

void CnfController::setDefaulSignalGroup(const CnfSignalGroupPtr &group)
{
    d->defaultSignalGroup = group;
    for (const CnfSignalGroupPtr &member : d->signalGroups.elements())
        member->m_defaultGroup = group;
}

// ---------------------------------------------------------------- power devices

QList<CnfPowerDevicePtr> CnfController::powerDevices() const
{
    return d->powerDevices.elements();
}

bool CnfController::addPowerDevice(const CnfPowerDevicePtr &device)
{
    if (!device) {
        d->lastError = tr("No power device given");
        return false;
    }
    int taken = ById;
    if (d->powerDevices.add(device, &taken) == CnfIndexedList<CnfPowerDevice, int>::KeyTaken) {
        d->lastError = taken == ById
            ? tr("Power device with id %1 already exists").arg(device->id)
            : tr("Power device with address %1 already exists").arg(device->address);
        return false;
    }
    return true;
}

// Drops device from the list and from every group that switches it.
static bool removeDevice(CnfControllerPrivate &d, const CnfPowerDevicePtr &device)
{
    if (!d.powerDevices.remove(device))
        return false;
    for (const CnfSignalGroupPtr &group : d.signalGroups.elements())
        group->unassignDevice(device);
    return true;
}

bool CnfController::removePowerDevice(int address)
{
    return removeDevice(*d, findPowerDeviceByAddress(address));
}

bool CnfController::removePowerDeviceById(int id)
{
    return removeDevice(*d, findPowerDevice(id));
}

bool CnfController::reorderPowerDevices(const QList<CnfPowerDevicePtr> &devices)
{
    return d->powerDevices.reorder(devices);
}

CnfPowerDevicePtr CnfController::findPowerDevice(int id) const
{
    return d->powerDevices.find(id, ById);
}

CnfPowerDevicePtr CnfController::findPowerDeviceByAddress(int address) const
{
    return d->powerDevices.find(address, ByAddress);
}

CnfPowerDevicePtr CnfController::findPowerDeviceByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return d->powerDevices.findBy([&](const CnfPowerDevice &p) { return p.name == name; });
}

CnfSignalGroupPtr CnfController::findPowerDeviceSg(const CnfPowerDevicePtr &device) const
{
    if (!device)
        return {};
    return d->signalGroups.findBy([&](const CnfSignalGroup &g) { return g.hasDevice(device); });
}

// ---------------------------------------------------------------- detectors and sensors

// Detectors and sensors are two lists of the same element, with the same rules.
static bool addDetectorTo(DetectorList &list, const CnfDetectorPtr &element, QString &error)
{
    if (!element) {
        error = QCoreApplication::translate("CnfController", "No detector given");
        return false;
    }
    if (list.add(element) == DetectorList::KeyTaken) {
        error = QCoreApplication::translate("CnfController", "Detector %1 already exists")
                    .arg(element->id());
        return false;
    }
    return true;
}

static CnfDetectorPtr findDetectorByNameIn(const DetectorList &list, const QString &name)
{
    if (name.isEmpty())
        return {};
    return list.findBy([&](const CnfDetector &e) { return e.name() == name; });
}

QList<CnfDetectorPtr> CnfController::detectorsList() const
{
    return d->detectors.elements();
}

bool CnfController::addDetector(const CnfDetectorPtr &detector)
{
    if (detector)
        detector->setSensor(false);
    return addDetectorTo(d->detectors, detector, d->lastError);
}

bool CnfController::removeDetector(int id)
{
    return d->detectors.remove(d->detectors.find(id));
}

bool CnfController::reorderDetectors(const QList<CnfDetectorPtr> &detectors)
{
    return d->detectors.reorder(detectors);
}

CnfDetectorPtr CnfController::findDetector(int id) const
{
    return d->detectors.find(id);
}

CnfDetectorPtr CnfController::findDetectorByName(const QString &name) const
{
    return findDetectorByNameIn(d->detectors, name);
}

QList<CnfDetectorPtr> CnfController::sensorsList() const
{
    return d->sensors.elements();
}

bool CnfController::addSensor(const CnfDetectorPtr &sensor)
{
    if (sensor)
        sensor->setSensor(true);
    return addDetectorTo(d->sensors, sensor, d->lastError);
}

bool CnfController::removeSensor(int id)
{
    return d->sensors.remove(d->sensors.find(id));
}

bool CnfController::reorderSensors(const QList<CnfDetectorPtr> &sensors)
{
    return d->sensors.reorder(sensors);
}

CnfDetectorPtr CnfController::findSensor(int id) const
{
    return d->sensors.find(id);
}

CnfDetectorPtr CnfController::findSensorByName(const QString &name) const
{
    return findDetectorByNameIn(d->sensors, name);
}

// ---------------------------------------------------------------- matrices

QList<CnfMatrixPtr> CnfController::matrixList() const
{
    return d->matrices.elements();
}

bool CnfController::addMatrix(const CnfMatrixPtr &matrix, bool makeDefault, bool makeSafety)
{
    if (!matrix) {
        d->lastError = tr("No matrix given");
        return false;
    }
    if (!d->matrices.contains(matrix)) {
        const CnfMatrixPtr sameId = d->matrices.taken(matrix->id());
        if (sameId) {
            d->matrices.replace(sameId, matrix);
            if (d->defaultMatrix == sameId)
                d->defaultMatrix = matrix;
            if (d->safetyMatrix == sameId)
                d->safetyMatrix = matrix;
        } else {
            d->matrices.add(matrix);
        }
    }
    if (makeDefault)
        d->defaultMatrix = matrix;
    if (makeSafety)
        d->safetyMatrix = matrix;
    return true;
}

bool CnfController::removeMatrix(int id)
{
    const CnfMatrixPtr matrix = findMatrix(id);
    if (!d->matrices.remove(matrix))
        return false;
    if (d->defaultMatrix == matrix)
        d->defaultMatrix.reset();
    if (d->safetyMatrix == matrix)
        d->safetyMatrix.reset();
    return true;
}

bool CnfController::reorderMatrices(const QList<CnfMatrixPtr> &matrices)
{
    return d->matrices.reorder(matrices);
}

CnfMatrixPtr CnfController::findMatrix(int id) const
{
    return d->matrices.find(id);
}

CnfMatrixPtr CnfController::findMatrixByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return d->matrices.findBy([&](const CnfMatrix &m) { return m.name() == name; });
}

CnfMatrixPtr CnfController::defaultMatrix() const
{
    return d->defaultMatrix;
}

void CnfController::setDefaultMatrix(const CnfMatrixPtr &matrix)
{
    if (!matrix || d->matrices.contains(matrix))
        d->defaultMatrix = matrix;
}

CnfMatrixPtr CnfController::safetyMatrix() const
{
    return d->safetyMatrix;
}

void CnfController::setSafetyMatrix(const CnfMatrixPtr &matrix)
{
    if (!matrix || d->matrices.contains(matrix))
        d->safetyMatrix = matrix;
}

CnfMatrixPtr CnfController::conflictMatrix() const
{
    return d->safetyMatrix ? d->safetyMatrix : d->defaultMatrix;
}

// ---------------------------------------------------------------- calendar

QList<CnfDayCardPtr> CnfController::dayCards() const
{
    return d->dayCards.elements();
}

bool CnfController::addDayCard(const CnfDayCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No day card given");
        return false;
    }
    if (d->dayCards.add(card) == CnfIndexedList<CnfDayCard, QString>::KeyTaken) {
        d->lastError = tr("Day card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    return true;
}

bool CnfController::removeDayCard(const CnfDayCardPtr &card)
{
    if (!d->dayCards.remove(card))
        return false;
    if (d->defaultDayCard == card)
        d->defaultDayCard.reset();
    return true;
}

CnfDayCardPtr CnfController::findDayCard(const QString &id) const
{
    return d->dayCards.find(id);
}

QList<CnfWeekCardPtr> CnfController::weekCards() const
{
    return d->weekCards.elements();
}

bool CnfController::addWeekCard(const CnfWeekCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No week card given");
        return false;
    }
    if (d->weekCards.add(card) == CnfIndexedList<CnfWeekCard, QString>::KeyTaken) {
        d->lastError = tr("Week card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    return true;
}

bool CnfController::removeWeekCard(const CnfWeekCardPtr &card)
{
    return d->weekCards.remove(card);
}

CnfWeekCardPtr CnfController::findWeekCard(const QString &id) const
{
    return d->weekCards.find(id);
}

QList<CnfSeasonPlanPtr> CnfController::seasonPlans() const
{
    return d->seasonPlans;
}

bool CnfController::addSeasonPlan(const CnfSeasonPlanPtr &plan)
{
    if (!plan) {
        d->lastError = tr("No season plan given");
        return false;
    }
    if (!d->seasonPlans.contains(plan))
        d->seasonPlans.append(plan);
    return true;
}

bool CnfController::removeSeasonPlan(const CnfSeasonPlanPtr &plan)
{
    return plan && d->seasonPlans.removeAll(plan) > 0;
}

QMap<QDate, CnfSpecialDayPtr> CnfController::specialDays() const
{
    return d->specialDays;
}

bool CnfController::addSpecialDay(const QDate &date, const CnfSpecialDayPtr &day)
{
    if (!date.isValid() || !day) {
        d->lastError = tr("A special day needs a valid date");
        return false;
    }
    d->specialDays.insert(date, day);
    return true;
}

bool CnfController::removeSpecialDay(const QDate &date)
{
    return d->specialDays.remove(date) > 0;
}

CnfDayCardPtr CnfController::defaultDayCard() const
{
    return d->defaultDayCard;
}

void CnfController::setDefaultDayCard(const CnfDayCardPtr &card)
{
    d->defaultDayCard = card;
}

CnfProgramPtr CnfController::defaultProgram() const
{
    return d->defaultProgram;
}

void CnfController::setDefaultProgram(const CnfProgramPtr &program)
{
    d->defaultProgram = program;
}

CnfProgramPtr CnfController::reserveProgram() const
{
    return d->reserveProgram;
}

void CnfController::setReserveProgram(const CnfProgramPtr &program)
{
    d->reserveProgram = program;
}

CnfInterstatePtr CnfController::interstate() const
{
    return d->interstate;
}

void CnfController::setInterstate(const CnfInterstatePtr &interstate)
{
    d->interstate = interstate;
}

// ---------------------------------------------------------------- limits

int CnfController::getMaxDeviceCount() const
{
    return isFirstLine(property("type").toString()) ? 64 : 128;
}

int CnfController::newProgramType() const
{
    return isFirstLine(property("type").toString()) ? int(CnfProgram::Tiverk)
                                                    : int(CnfProgram::FixedTime);
}

int CnfController::getMaxProgramCount() const
{
    return isFirstLine(property("type").toString()) ? 32 : 255;
}

int CnfController::getMaxPhaseCount() const
{
    return isFirstLine(property("type").toString()) ? 32 : 255;
}

int CnfController::getMaxSgCount() const
{
    return isFirstLine(property("type").toString()) ? 32 : 64;
}

int CnfController::getMaxDayCardCount() const
{
    return isFirstLine(property("type").toString()) ? 16 : 64;
}

int CnfController::getMaxDayCardItems() const
{
    return isFirstLine(property("type").toString()) ? 24 : 48;
}

int CnfController::getMaxSpecialDayCount() const
{
    return isFirstLine(property("type").toString()) ? 32 : 128;
}

// ---------------------------------------------------------------- native data

VObject CnfController::nativeData() const
{
    return VObject::fromNode(d->root);
}

QVariant CnfController::getNativeData(const QString &key, const QVariant &defaultValue) const
{
    const auto it = d->root->map.constFind(key);
    if (it == d->root->map.constEnd() || it.value()->kind == VObject::Null)
        return defaultValue;
    return it.value()->toVariant();
}

void CnfController::setNativeData(const QString &key, const QVariant &value)
{
    if (!value.isValid()) {
        nativeData().remove(key);
        return;
    }
    nativeData()[key] = value;
}

void CnfController::clearNativeData()
{
    d->root->detachChildren();
}

// ---------------------------------------------------------------- whole configuration

QByteArray CnfController::save(int mode) const
{
    CnfXmlWriter writer;
    return writer.write(*this, mode != 1);
}

bool CnfController::load(const QByteArray &bytes, bool strict)
{
    CnfXmlReader reader;
    if (reader.read(bytes, strict, *this))
        return true;
    d->lastError = reader.errorString();
    clear();
    return false;
}

bool CnfController::setProgramRawData(const CnfProgramPtr &program, const QByteArray &bytes)
{
    if (!program) {
        d->lastError = tr("No program given");
        return false;
    }
    if (bytes.size() < 2) {
        d->lastError
            = tr("Program data of %1 must hold at least the number and the type").arg(program->id);
        return false;
    }
    if (isFirstLine(property("type").toString())) {
        const int limit = programRecordSize();
        if (bytes.size() > limit) {
            d->lastError = tr("Program data of %1 is %2 bytes long, at most %3 are allowed")
                               .arg(program->id)
                               .arg(bytes.size())
                               .arg(limit);
            return false;
        }
    }
    program->setData(bytes);
    // Byte 1 is the algorithm kind; 255 marks a record whose kind is not chosen yet.
    const bool firstLine = isFirstLine(property("type").toString());
    if ((firstLine || program->type == CnfProgram::Tiverk) && quint8(bytes.at(1)) != 255)
        program->kind = quint8(bytes.at(1));
    return true;
}

CnfProgramPtr CnfController::loadDynamicProgram(const QByteArray &bytes)
{
    CnfXmlReader reader;
    const CnfProgramPtr program = reader.readDynamicProgram(bytes, *this);
    if (!program)
        d->lastError = reader.errorString();
    return program;
}

QByteArray CnfController::createDynamicProgram(const CnfProgramPtr &program)
{
    if (!program) {
        d->lastError = tr("No program given");
        return {};
    }
    CnfXmlWriter writer;
    return writer.writeDynamicProgram(*this, *program);
}

int CnfController::programRecordSize() const
{
    return CnfTiverkLayout::programRecordSize(
        property("type").toString() == QLatin1String("adapter") ? QString()
                                                                : property("version").toString());
}

QDomDocument CnfController::tiverkLayout() const
{
    return CnfTiverkLayout::document(property("version").toString(),
                                     property("type").toString() == QLatin1String("adapter"));
}
