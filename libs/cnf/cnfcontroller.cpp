#include "cnfcontroller.h"
#include "cnfcontrollerprivate.h"

#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfindexedlist.h"
#include "cnfinterstate.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfprogramcycles.h"
#include "cnfprogramrecord.h"
#include "cnfreferencefinders.h"
#include "cnfreferences.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftiverklayout.h"
#include "cnftransition.h"
#include "cnfweekcard.h"
#include "cnfxmlreader.h"
#include "cnfxmlwriter.h"
#include "vnode.h"

#include <QCoreApplication>

using namespace CnfControllerKeys;

namespace {

bool isFirstLine(const QString &family)
{
    return family == QLatin1String("tiverk") || family == QLatin1String("adapter");
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
    if (!program)
        return false;
    const QList<CnfReferences::Place> places
        = CnfReferences::places(*this, { CnfReferences::Kind::Program, id, program->name });
    const QStringList before = CnfReferences::programPositions(*this);
    if (!d->programs.remove(program))
        return false;
    CnfReferences::clear(*this, places);
    CnfReferences::countProgramsAnew(*this, before);
    return true;
}

bool CnfController::reorderPrograms(const QList<CnfProgramPtr> &programs)
{
    const QStringList before = CnfReferences::programPositions(*this);
    if (!d->programs.reorder(programs))
        return false;
    CnfReferences::countProgramsAnew(*this, before);
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
    const QString refusal = programIdRefusal(id, newId);
    if (!refusal.isEmpty()) {
        d->lastError = refusal;
        return false;
    }
    CnfReferences::rename(*this, { CnfReferences::Kind::Program, id, QString() }, newId);
    program->id = newId;
    // Day-card records that kept `newId` of a deleted program name this one now.
    for (const CnfDayCardPtr &card : dayCards())
        card->takeProgram(program);
    return true;
}

QStringList CnfController::programsNamingProgram(const QStringList &ids) const
{
    QStringList naming;
    for (const QString &id : ids) {
        naming << CnfReferences::owners(CnfReferenceFinders::programRecordSwitches(
                                            *this, { CnfReferences::Kind::Program, id, QString() }),
                                        CnfReferences::Note::ProgramSwitch);
    }
    QStringList found;
    for (const QString &id : CnfReferences::programPositions(*this)) {
        if (naming.contains(id) && !ids.contains(id) && !found.contains(id))
            found << id;
    }
    return found;
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
        return false;
    // Programs keep their steps of the phase, by its id. Their records count
    // phases by place: the places of the phases after it move up, and the
    // removed phase is counted after the controller's phases.
    const QList<CnfReferences::Place> places
        = CnfReferences::places(*this, { CnfReferences::Kind::Phase, id, phase->name });
    const QList<QStringList> before = CnfReferences::phasePositions(*this);
    // The changes into and out of the steps that stay lose the phase's
    // groups; a coordinated program keeps its cycle all the same.
    const QList<CnfProgramCycles::Kept> kept = CnfProgramCycles::lengthsToKeep(*this);
    if (!d->phases.remove(phase))
        return false;
    CnfReferences::clear(*this, places);
    CnfReferences::countPhasesAnew(*this, before);
    CnfProgramCycles::keep(*this, kept);
    return true;
}

bool CnfController::reorderPhases(const QList<CnfPhasePtr> &phases)
{
    // The records name the same phases in their new places.
    const QList<QStringList> before = CnfReferences::phasePositions(*this);
    if (!d->phases.reorder(phases))
        return false;
    CnfReferences::countPhasesAnew(*this, before);
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
    const QString refusal = phaseIdRefusal(id, newId);
    if (!refusal.isEmpty()) {
        d->lastError = refusal;
        return false;
    }
    const CnfReferences::Element element { CnfReferences::Kind::Phase, id, QString() };
    // The program steps bound to the phase follow it by themselves.
    CnfReferences::rename(*this, element, newId);
    phase->id = newId;
    return true;
}

QStringList CnfController::programsNamingPhase(const QString &id) const
{
    return CnfReferences::owners(
        CnfReferenceFinders::phaseRecordCalls(*this, { CnfReferences::Kind::Phase, id, QString() }),
        CnfReferences::Note::ProgramUse);
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

bool CnfController::removeSignalGroup(int id)
{
    const CnfSignalGroupPtr group = findSG(id);
    if (!group)
        return false;
    // Phases must not keep running a group that no longer exists, and no
    // value of it may pass to the next group given its id.
    // A pedestrian program's crosswalks may name the group by its name.
    const QList<CnfReferences::Place> places = CnfReferences::places(
        *this, { CnfReferences::Kind::SignalGroup, QString::number(id), group->name });
    // The changes between steps that the group made longer get shorter; a
    // coordinated program keeps its cycle all the same.
    const QList<CnfProgramCycles::Kept> kept = CnfProgramCycles::lengthsToKeep(*this);
    if (!d->signalGroups.remove(group))
        return false;
    CnfReferences::clear(*this, places);
    CnfProgramCycles::keep(*this, kept);
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
    // Taken, or named by values a matrix keeps of a missing group.
    if (!acceptsNewSignalGroupId(newId))
        return false;
    const CnfReferences::Element element { CnfReferences::Kind::SignalGroup, QString::number(id),
                                           QString() };
    // Phases and power devices hold the group itself.
    CnfReferences::rename(*this, element, QString::number(newId));
    group->id = newId;
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
    const CnfDetectorPtr element = d->detectors.find(id);
    if (!element)
        return false;
    CnfReferences::clear(*this, CnfReferences::of(*element));
    return d->detectors.remove(element);
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
    const CnfDetectorPtr element = d->sensors.find(id);
    if (!element)
        return false;
    CnfReferences::clear(*this, CnfReferences::of(*element));
    return d->sensors.remove(element);
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
