#include "cnfcontroller.h"

#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftiverklayout.h"
#include "cnfweekcard.h"
#include "cnfxmlreader.h"
#include "cnfxmlwriter.h"
#include "vnode.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

namespace {

// An index beside one of the controller's lists, so that adding and finding by id
// need no scan: the element of each key (the first in list order, as a scan would
// find it) and the set of listed elements. It follows the list through appended();
// any other change of the list's size, or a hit that no longer carries its key (an
// id edited in place), rebuilds it from the list. Reorders and replacements call
// reset(). find() confirms a miss by a scan, so that an id edited in place is
// found too; taken() trusts the index, for the check of every add while loading.
template<typename T, typename Key>
class ListIndex
{
public:
    using Ptr = QSharedPointer<T>;
    using KeyOf = Key (*)(const T &);

    explicit ListIndex(KeyOf keyOf)
        : m_keyOf(keyOf)
    {
    }

    Ptr find(const QList<Ptr> &list, const Key &key) const
    {
        if (const Ptr hit = taken(list, key))
            return hit;
        for (const Ptr &element : list) {
            if (element && m_keyOf(*element) == key) {
                rebuild(list);
                return element;
            }
        }
        return {};
    }

    Ptr taken(const QList<Ptr> &list, const Key &key) const
    {
        sync(list);
        Ptr hit = m_byKey.value(key);
        if (hit && m_keyOf(*hit) != key) {
            rebuild(list);
            hit = m_byKey.value(key);
        }
        return hit;
    }

    bool contains(const QList<Ptr> &list, const Ptr &element) const
    {
        sync(list);
        return m_elements.contains(element.data());
    }

    // Call after list.append(element).
    void appended(const QList<Ptr> &list, const Ptr &element)
    {
        if (m_size != list.size() - 1) {
            rebuild(list);
            return;
        }
        insert(element);
        m_size = list.size();
    }

    void reset() { m_size = -1; }

private:
    void sync(const QList<Ptr> &list) const
    {
        if (m_size != list.size())
            rebuild(list);
    }

    void rebuild(const QList<Ptr> &list) const
    {
        m_byKey.clear();
        m_elements.clear();
        for (const Ptr &element : list) {
            if (element)
                insert(element);
        }
        m_size = list.size();
    }

    // The first element of a key keeps it, as a scan of the list would find it.
    void insert(const Ptr &element) const
    {
        m_elements.insert(element.data());
        const Key key = m_keyOf(*element);
        if (!m_byKey.contains(key))
            m_byKey.insert(key, element);
    }

    KeyOf m_keyOf;
    mutable QHash<Key, Ptr> m_byKey;
    mutable QSet<const T *> m_elements;
    mutable int m_size = -1;
};

QString programKey(const CnfProgram &p) { return p.id; }
QString phaseKey(const CnfPhase &p) { return p.id; }
int groupKey(const CnfSignalGroup &g) { return g.id; }
int deviceKey(const CnfPowerDevice &p) { return p.id; }
int deviceAddressKey(const CnfPowerDevice &p) { return p.address; }
int detectorKey(const CnfDetector &e) { return e.id(); }
int matrixKey(const CnfMatrix &m) { return m.id(); }
QString dayCardKey(const CnfDayCard &c) { return c.id; }
QString weekCardKey(const CnfWeekCard &c) { return c.id; }

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
    QList<CnfProgramPtr> programs;
    QList<CnfPhasePtr> phases;
    QList<CnfSignalGroupPtr> signalGroups;
    CnfSignalGroupPtr defaultSignalGroup;
    QList<CnfPowerDevicePtr> powerDevices;
    QList<CnfDetectorPtr> detectors;
    QList<CnfDetectorPtr> sensors;
    QList<CnfMatrixPtr> matrices;
    CnfMatrixPtr defaultMatrix;
    CnfMatrixPtr safetyMatrix;
    QList<CnfDayCardPtr> dayCards;
    QList<CnfWeekCardPtr> weekCards;
    QList<CnfSeasonPlanPtr> seasonPlans;
    QMap<QDate, CnfSpecialDayPtr> specialDays;
    CnfDayCardPtr defaultDayCard;
    CnfProgramPtr defaultProgram;
    CnfProgramPtr reserveProgram;
    CnfInterstatePtr interstate;
    std::shared_ptr<VNode> root;

    ListIndex<CnfProgram, QString> programIndex{programKey};
    ListIndex<CnfPhase, QString> phaseIndex{phaseKey};
    ListIndex<CnfSignalGroup, int> groupIndex{groupKey};
    ListIndex<CnfPowerDevice, int> deviceIndex{deviceKey};
    ListIndex<CnfPowerDevice, int> deviceAddressIndex{deviceAddressKey};
    ListIndex<CnfDetector, int> detectorIndex{detectorKey};
    ListIndex<CnfDetector, int> sensorIndex{detectorKey};
    ListIndex<CnfMatrix, int> matrixIndex{matrixKey};
    ListIndex<CnfDayCard, QString> dayCardIndex{dayCardKey};
    ListIndex<CnfWeekCard, QString> weekCardIndex{weekCardKey};
};

namespace {

// Takes proposed as the new order of stored when it holds the same elements,
// possibly in another order, each once; anything else leaves stored as it is.
template<typename T>
bool reorder(QList<T> &stored, const QList<T> &proposed)
{
    if (stored.size() != proposed.size())
        return false;
    QSet<const void *> seen;
    for (const T &element : proposed) {
        if (!element || !stored.contains(element) || seen.contains(element.data()))
            return false;
        seen.insert(element.data());
    }
    stored = proposed;
    return true;
}

template<typename T, typename Pred>
QSharedPointer<T> findIn(const QList<QSharedPointer<T>> &list, Pred pred)
{
    for (const QSharedPointer<T> &element : list) {
        if (element && pred(*element))
            return element;
    }
    return {};
}

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
    for (const CnfProgramPtr &program : qAsConst(d->programs)) {
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
    return d->programs;
}

bool CnfController::addProgram(const CnfProgramPtr &program)
{
    if (!program) {
        d->lastError = tr("No program given");
        return false;
    }
    if (d->programIndex.contains(d->programs, program))
        return true;
    if (program->id.isEmpty() || d->programIndex.taken(d->programs, program->id)) {
        d->lastError = tr("Program id \"%1\" is empty or taken").arg(program->id);
        return false;
    }
    program->setController(this);
    d->programs.append(program);
    d->programIndex.appended(d->programs, program);
    return true;
}

bool CnfController::removeProgram(const QString &id)
{
    const CnfProgramPtr program = findProgram(id);
    if (!program)
        return false;
    d->programs.removeAll(program);
    if (d->defaultProgram == program)
        d->defaultProgram.reset();
    if (d->reserveProgram == program)
        d->reserveProgram.reset();
    return true;
}

bool CnfController::reorderPrograms(const QList<CnfProgramPtr> &programs)
{
    d->programIndex.reset();
    return reorder(d->programs, programs);
}

CnfProgramPtr CnfController::findProgram(const QString &id) const
{
    if (id.isEmpty())
        return {};
    return d->programIndex.find(d->programs, id);
}

CnfProgramPtr CnfController::findProgramByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->programs, [&](const CnfProgram &p) { return p.name == name; });
}

// ---------------------------------------------------------------- phases

QList<CnfPhasePtr> CnfController::phases() const
{
    return d->phases;
}

bool CnfController::addPhase(const CnfPhasePtr &phase)
{
    if (!phase) {
        d->lastError = tr("No phase given");
        return false;
    }
    if (d->phaseIndex.contains(d->phases, phase))
        return true;
    if (phase->id.isEmpty() || d->phaseIndex.taken(d->phases, phase->id)) {
        d->lastError = tr("Phase id \"%1\" is empty or taken").arg(phase->id);
        return false;
    }
    d->phases.append(phase);
    d->phaseIndex.appended(d->phases, phase);
    return true;
}

bool CnfController::removePhase(const QString &id)
{
    const CnfPhasePtr phase = findPhase(id);
    if (!phase)
        return false;
    d->phases.removeAll(phase);
    return true;
}

bool CnfController::reorderPhases(const QList<CnfPhasePtr> &phases)
{
    d->phaseIndex.reset();
    return reorder(d->phases, phases);
}

CnfPhasePtr CnfController::findPhase(const QString &id) const
{
    if (id.isEmpty())
        return {};
    return d->phaseIndex.find(d->phases, id);
}

// ---------------------------------------------------------------- signal groups

QList<CnfSignalGroupPtr> CnfController::signalGroups() const
{
    return d->signalGroups;
}

bool CnfController::addSignalGroup(const CnfSignalGroupPtr &group)
{
    if (!group) {
        d->lastError = tr("No signal group given");
        return false;
    }
    if (d->groupIndex.contains(d->signalGroups, group))
        return true;
    if (d->groupIndex.taken(d->signalGroups, group->id)) {
        d->lastError = tr("Signal group %1 already exists").arg(group->id);
        return false;
    }
    group->m_defaultGroup = d->defaultSignalGroup;
    d->signalGroups.append(group);
    d->groupIndex.appended(d->signalGroups, group);
    return true;
}

bool CnfController::removeSignalGroup(int id)
{
    const CnfSignalGroupPtr group = findSG(id);
    if (!group)
        return false;
    d->signalGroups.removeAll(group);
    // Phases must not keep running a group that no longer exists.
    for (const CnfPhasePtr &phase : qAsConst(d->phases))
        phase->signalGroups.removeAll(group);
    return true;
}

bool CnfController::reorderSignalGroups(const QList<CnfSignalGroupPtr> &groups)
{
    d->groupIndex.reset();
    return reorder(d->signalGroups, groups);
}

CnfSignalGroupPtr CnfController::findSG(int id) const
{
    return d->groupIndex.find(d->signalGroups, id);
}

CnfSignalGroupPtr CnfController::findSGByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->signalGroups, [&](const CnfSignalGroup &g) { return g.name == name; });
}

CnfSignalGroupPtr CnfController::defaultSignalGroup() const
{
    return d->defaultSignalGroup;
}

void CnfController::setDefaulSignalGroup(const CnfSignalGroupPtr &group)
{
    d->defaultSignalGroup = group;
    for (const CnfSignalGroupPtr &member : qAsConst(d->signalGroups))
        member->m_defaultGroup = group;
}

// ---------------------------------------------------------------- power devices

QList<CnfPowerDevicePtr> CnfController::powerDevices() const
{
    return d->powerDevices;
}

bool CnfController::addPowerDevice(const CnfPowerDevicePtr &device)
{
    if (!device) {
        d->lastError = tr("No power device given");
        return false;
    }
    if (d->deviceIndex.contains(d->powerDevices, device))
        return true;
    if (d->deviceIndex.taken(d->powerDevices, device->id)) {
        d->lastError = tr("Power device with id %1 already exists").arg(device->id);
        return false;
    }
    if (d->deviceAddressIndex.taken(d->powerDevices, device->address)) {
        d->lastError = tr("Power device with address %1 already exists").arg(device->address);
        return false;
    }
    d->powerDevices.append(device);
    d->deviceIndex.appended(d->powerDevices, device);
    d->deviceAddressIndex.appended(d->powerDevices, device);
    return true;
}

// Drops device from the list and from every group that switches it.
static bool removeDeviceFrom(QList<CnfPowerDevicePtr> &devices, const QList<CnfSignalGroupPtr> &groups,
                             const CnfPowerDevicePtr &device)
{
    if (!device)
        return false;
    devices.removeAll(device);
    for (const CnfSignalGroupPtr &group : groups)
        group->unassignDevice(device);
    return true;
}

bool CnfController::removePowerDevice(int address)
{
    return removeDeviceFrom(d->powerDevices, d->signalGroups, findPowerDeviceByAddress(address));
}

bool CnfController::removePowerDeviceById(int id)
{
    return removeDeviceFrom(d->powerDevices, d->signalGroups, findPowerDevice(id));
}

bool CnfController::reorderPowerDevices(const QList<CnfPowerDevicePtr> &devices)
{
    d->deviceIndex.reset();
    d->deviceAddressIndex.reset();
    return reorder(d->powerDevices, devices);
}

CnfPowerDevicePtr CnfController::findPowerDevice(int id) const
{
    return d->deviceIndex.find(d->powerDevices, id);
}

CnfPowerDevicePtr CnfController::findPowerDeviceByAddress(int address) const
{
    return d->deviceAddressIndex.find(d->powerDevices, address);
}

CnfPowerDevicePtr CnfController::findPowerDeviceByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->powerDevices, [&](const CnfPowerDevice &p) { return p.name == name; });
}

CnfSignalGroupPtr CnfController::findPowerDeviceSg(const CnfPowerDevicePtr &device) const
{
    if (!device)
        return {};
    return findIn(d->signalGroups, [&](const CnfSignalGroup &g) { return g.hasDevice(device); });
}

// ---------------------------------------------------------------- detectors and sensors

QList<CnfDetectorPtr> CnfController::detectorsList() const
{
    return d->detectors;
}

static bool addDetectorTo(QList<CnfDetectorPtr> &list, ListIndex<CnfDetector, int> &index,
                          const CnfDetectorPtr &element, QString &error)
{
    if (!element) {
        error = QCoreApplication::translate("CnfController", "No detector given");
        return false;
    }
    if (index.contains(list, element))
        return true;
    if (index.taken(list, element->id())) {
        error = QCoreApplication::translate("CnfController", "Detector %1 already exists").arg(element->id());
        return false;
    }
    list.append(element);
    index.appended(list, element);
    return true;
}

static bool removeDetectorFrom(QList<CnfDetectorPtr> &list, int id)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i)->id() == id) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

bool CnfController::addDetector(const CnfDetectorPtr &detector)
{
    if (detector)
        detector->setSensor(false);
    return addDetectorTo(d->detectors, d->detectorIndex, detector, d->lastError);
}

bool CnfController::removeDetector(int id)
{
    return removeDetectorFrom(d->detectors, id);
}

bool CnfController::reorderDetectors(const QList<CnfDetectorPtr> &detectors)
{
    d->detectorIndex.reset();
    return reorder(d->detectors, detectors);
}

CnfDetectorPtr CnfController::findDetector(int id) const
{
    return d->detectorIndex.find(d->detectors, id);
}

CnfDetectorPtr CnfController::findDetectorByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->detectors, [&](const CnfDetector &e) { return e.name() == name; });
}

QList<CnfDetectorPtr> CnfController::sensorsList() const
{
    return d->sensors;
}

bool CnfController::addSensor(const CnfDetectorPtr &sensor)
{
    if (sensor)
        sensor->setSensor(true);
    return addDetectorTo(d->sensors, d->sensorIndex, sensor, d->lastError);
}

bool CnfController::removeSensor(int id)
{
    return removeDetectorFrom(d->sensors, id);
}

bool CnfController::reorderSensors(const QList<CnfDetectorPtr> &sensors)
{
    d->sensorIndex.reset();
    return reorder(d->sensors, sensors);
}

CnfDetectorPtr CnfController::findSensor(int id) const
{
    return d->sensorIndex.find(d->sensors, id);
}

CnfDetectorPtr CnfController::findSensorByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->sensors, [&](const CnfDetector &e) { return e.name() == name; });
}

// ---------------------------------------------------------------- matrices

QList<CnfMatrixPtr> CnfController::matrixList() const
{
    return d->matrices;
}

bool CnfController::addMatrix(const CnfMatrixPtr &matrix, bool makeDefault, bool makeSafety)
{
    if (!matrix) {
        d->lastError = tr("No matrix given");
        return false;
    }
    if (!d->matrixIndex.contains(d->matrices, matrix)) {
        const CnfMatrixPtr sameId = d->matrixIndex.taken(d->matrices, matrix->id());
        if (sameId) {
            d->matrices[d->matrices.indexOf(sameId)] = matrix;
            d->matrixIndex.reset();
            if (d->defaultMatrix == sameId)
                d->defaultMatrix = matrix;
            if (d->safetyMatrix == sameId)
                d->safetyMatrix = matrix;
        } else {
            d->matrices.append(matrix);
            d->matrixIndex.appended(d->matrices, matrix);
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
    if (!matrix)
        return false;
    d->matrices.removeAll(matrix);
    if (d->defaultMatrix == matrix)
        d->defaultMatrix.reset();
    if (d->safetyMatrix == matrix)
        d->safetyMatrix.reset();
    return true;
}

bool CnfController::reorderMatrices(const QList<CnfMatrixPtr> &matrices)
{
    d->matrixIndex.reset();
    return reorder(d->matrices, matrices);
}

CnfMatrixPtr CnfController::findMatrix(int id) const
{
    return d->matrixIndex.find(d->matrices, id);
}

CnfMatrixPtr CnfController::findMatrixByName(const QString &name) const
{
    if (name.isEmpty())
        return {};
    return findIn(d->matrices, [&](const CnfMatrix &m) { return m.name() == name; });
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
    return d->dayCards;
}

bool CnfController::addDayCard(const CnfDayCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No day card given");
        return false;
    }
    if (d->dayCardIndex.contains(d->dayCards, card))
        return true;
    if (card->id.isEmpty() || d->dayCardIndex.taken(d->dayCards, card->id)) {
        d->lastError = tr("Day card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    d->dayCards.append(card);
    d->dayCardIndex.appended(d->dayCards, card);
    return true;
}

bool CnfController::removeDayCard(const CnfDayCardPtr &card)
{
    if (!card || !d->dayCards.removeAll(card))
        return false;
    if (d->defaultDayCard == card)
        d->defaultDayCard.reset();
    return true;
}

CnfDayCardPtr CnfController::findDayCard(const QString &id) const
{
    if (id.isEmpty())
        return {};
    return d->dayCardIndex.find(d->dayCards, id);
}

QList<CnfWeekCardPtr> CnfController::weekCards() const
{
    return d->weekCards;
}

bool CnfController::addWeekCard(const CnfWeekCardPtr &card)
{
    if (!card) {
        d->lastError = tr("No week card given");
        return false;
    }
    if (d->weekCardIndex.contains(d->weekCards, card))
        return true;
    if (card->id.isEmpty() || d->weekCardIndex.taken(d->weekCards, card->id)) {
        d->lastError = tr("Week card id \"%1\" is empty or taken").arg(card->id);
        return false;
    }
    d->weekCards.append(card);
    d->weekCardIndex.appended(d->weekCards, card);
    return true;
}

bool CnfController::removeWeekCard(const CnfWeekCardPtr &card)
{
    return card && d->weekCards.removeAll(card) > 0;
}

CnfWeekCardPtr CnfController::findWeekCard(const QString &id) const
{
    if (id.isEmpty())
        return {};
    return d->weekCardIndex.find(d->weekCards, id);
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
        d->lastError = tr("Program data of %1 must hold at least the number and the type")
                           .arg(program->id);
        return false;
    }
    if (isFirstLine(property("type").toString())) {
        const int limit = CnfTiverkLayout::programRecordSize();
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

QDomDocument CnfController::tiverkLayout() const
{
    return CnfTiverkLayout::document(property("version").toString(),
                                     property("type").toString() == QLatin1String("adapter"));
}
