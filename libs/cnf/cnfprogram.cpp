#include "cnfprogram.h"

#include "cnfcontroller.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfsignalgroup.h"

#include <QCoreApplication>

#include <algorithm>

CnfProgram::CnfProgram(QObject *parent)
    : QObject(parent)
{
}

CnfProgram::CnfProgram(CnfController *controller)
    : m_controller(controller)
{
}

CnfProgram::~CnfProgram()
{
    for (const CnfPhaseDefPtr &def : qAsConst(m_phases))
        def->m_program = nullptr;
}

CnfController *CnfProgram::controller() const
{
    return m_controller.data();
}

void CnfProgram::setController(CnfController *controller)
{
    m_controller = controller;
}

CnfPhaseDefPtr CnfProgram::phaseDefAt(int index) const
{
    return index >= 0 && index < m_phases.size() ? m_phases.at(index) : CnfPhaseDefPtr();
}

CnfPhaseDefPtr CnfProgram::findPhaseDef(const QString &phaseId) const
{
    for (const CnfPhaseDefPtr &def : m_phases) {
        if (def->id() == phaseId)
            return def;
    }
    return {};
}

int CnfProgram::indexOfPhaseDef(const CnfPhaseDef *def) const
{
    for (int i = 0; i < m_phases.size(); ++i) {
        if (m_phases.at(i).data() == def)
            return i;
    }
    return -1;
}

CnfPhaseDefPtr CnfProgram::appendPhase(const CnfPhasePtr &phase, int length)
{
    auto def = CnfPhaseDefPtr::create(this);
    def->setPhase(phase);
    def->setLength(length);
    m_phases.append(def);
    return def;
}

CnfPhaseDefPtr CnfProgram::appendPhaseFl(const CnfPhasePtr &phase, int fullLength)
{
    CnfPhaseDefPtr def = appendPhase(phase, 0);
    def->setFullLength(fullLength);
    return def;
}

bool CnfProgram::removePhase(int index)
{
    if (index < 0 || index >= m_phases.size())
        return false;
    m_phases.takeAt(index)->m_program = nullptr;
    return true;
}

int CnfProgram::cycle(bool fromSteps) const
{
    int sum = 0;
    for (const CnfPhaseDefPtr &def : m_phases)
        sum += def->fullLength();
    if (fromSteps && !m_phases.isEmpty())
        return sum;
    return cycleLength > 0 ? cycleLength : sum;
}

int CnfProgram::cycleOffset(int notSet) const
{
    return m_offset >= 0 ? m_offset : notSet;
}

void CnfProgram::setCycleOffset(int seconds)
{
    m_offset = seconds < 0 ? -1 : seconds;
}

QMap<int, int> CnfProgram::getTimelineData(const CnfSignalGroupPtr &group) const
{
    return group ? getTimelineData(group->id) : QMap<int, int>();
}

QMap<int, int> CnfProgram::getTimelineData(int signalGroupId) const
{
    return m_timeline.value(signalGroupId);
}

void CnfProgram::setTimelineData(const CnfSignalGroupPtr &group, int start, int state)
{
    if (group)
        setTimelineData(group->id, start, state);
}

void CnfProgram::setTimelineData(int signalGroupId, int start, int state)
{
    putTimelineData(signalGroupId, start, state, false);
}

void CnfProgram::appendTimelineData(int signalGroupId, int start, int state)
{
    putTimelineData(signalGroupId, start, state, true);
}

void CnfProgram::putTimelineData(int signalGroupId, int start, int state, bool atEnd)
{
    // string2ColorState gives -1 for a text that names no state: no point.
    if (state < 0)
        return;
    if (!m_timeline.contains(signalGroupId) && atEnd) {
        m_timelineOrder.append(signalGroupId);
    } else if (!m_timeline.contains(signalGroupId)) {
        const auto place
            = std::upper_bound(m_timelineOrder.begin(), m_timelineOrder.end(), signalGroupId);
        m_timelineOrder.insert(place, signalGroupId);
    }
    m_timeline[signalGroupId].insert(start, state);
}

void CnfProgram::moveTimelineGroup(int signalGroupId, int newId)
{
    const QMap<int, int> points = m_timeline.take(signalGroupId);
    if (newId < 0) {
        m_timelineOrder.removeAll(signalGroupId);
        return;
    }
    if (newId == signalGroupId) {
        if (!points.isEmpty())
            m_timeline.insert(newId, points);
        return;
    }
    m_timeline.remove(newId);
    m_timelineOrder.removeAll(newId);
    // The points keep the group's place in the list.
    const int place = m_timelineOrder.indexOf(signalGroupId);
    if (place >= 0) {
        m_timelineOrder[place] = newId;
        m_timeline.insert(newId, points);
    }
}

void CnfProgram::clearTimelineData()
{
    m_timeline.clear();
    m_timelineOrder.clear();
}

QList<CnfSignalGroupPtr> CnfProgram::signalGroups() const
{
    QList<CnfSignalGroupPtr> groups;
    for (const CnfPhaseDefPtr &def : m_phases) {
        const CnfPhasePtr phase = def->phase();
        if (!phase)
            continue;
        for (const CnfSignalGroupPtr &group : phase->signalGroups) {
            if (group && !groups.contains(group))
                groups.append(group);
        }
    }
    return groups;
}

static void clearDynamicProperties(QObject *object)
{
    const QList<QByteArray> names = object->dynamicPropertyNames();
    for (const QByteArray &name : names)
        object->setProperty(name.constData(), QVariant());
}

static void copyDynamicProperties(const QObject *from, QObject *to)
{
    const QList<QByteArray> names = from->dynamicPropertyNames();
    for (const QByteArray &name : names)
        to->setProperty(name.constData(), from->property(name.constData()));
}

void CnfProgram::clear()
{
    id.clear();
    name.clear();
    type = FixedTime;
    kind = 0;
    matrix.reset();
    defaultMatrix = false;
    cycleLength = 0;
    interstateVariant = 1;
    defaultMembers.clear();
    m_data.clear();
    for (const CnfPhaseDefPtr &def : qAsConst(m_phases))
        def->m_program = nullptr;
    m_phases.clear();
    clearTimelineData();
    m_offset = -1;
    clearDynamicProperties(this);
    m_nullProperties.clear();
}

void CnfProgram::clone(const CnfProgram &other)
{
    if (&other == this)
        return;
    clear();
    id = other.id;
    name = other.name;
    type = other.type;
    kind = other.kind;
    matrix = other.matrix;
    defaultMatrix = other.defaultMatrix;
    cycleLength = other.cycleLength;
    interstateVariant = other.interstateVariant;
    defaultMembers = other.defaultMembers;
    m_data = other.m_data;
    m_timeline = other.m_timeline;
    m_timelineOrder = other.m_timelineOrder;
    m_offset = other.m_offset;
    if (!m_controller)
        m_controller = other.m_controller;
    for (const CnfPhaseDefPtr &source : other.m_phases) {
        auto def = CnfPhaseDefPtr::create(this);
        def->m_phase = source->m_phase;
        def->m_phaseId = source->m_phaseId;
        def->m_length = source->m_length;
        def->m_fileStart = source->m_fileStart;
        copyDynamicProperties(source.data(), def.data());
        def->m_nullProperties = source->m_nullProperties;
        def->unsetMembers = source->unsetMembers;
        m_phases.append(def);
    }
    copyDynamicProperties(&other, this);
    m_nullProperties = other.m_nullProperties;
}

void CnfProgram::clone(const CnfProgramPtr &other)
{
    if (other)
        clone(*other);
    else
        clear();
}

QString CnfProgram::typeName(int type, bool translated)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("CnfProgram", "Other algorithm"),
        QT_TRANSLATE_NOOP("CnfProgram", "Yellow flashing"),
        QT_TRANSLATE_NOOP("CnfProgram", "Dark"),
        QT_TRANSLATE_NOOP("CnfProgram", "Fixed time"),
        QT_TRANSLATE_NOOP("CnfProgram", "Coordinated fixed time"),
        QT_TRANSLATE_NOOP("CnfProgram", "TIVERK algorithm"),
        QT_TRANSLATE_NOOP("CnfProgram", "Multi-ring"),
        QT_TRANSLATE_NOOP("CnfProgram", "Script"),
        QT_TRANSLATE_NOOP("CnfProgram", "Timeline"),
        QT_TRANSLATE_NOOP("CnfProgram", "Coordinated timeline"),
        QT_TRANSLATE_NOOP("CnfProgram", "Stage steps"),
        QT_TRANSLATE_NOOP("CnfProgram", "Pedestrian crossing"),
        QT_TRANSLATE_NOOP("CnfProgram", "Phase sequence"),
    };
    if (type < 0 || type >= int(sizeof(names) / sizeof(names[0]))) {
        return translated ? QCoreApplication::translate("CnfProgram", "Unknown type %1").arg(type)
                          : QStringLiteral("Unknown type %1").arg(type);
    }
    return translated ? QCoreApplication::translate("CnfProgram", names[type])
                      : QString::fromLatin1(names[type]);
}

// Algorithm kinds of TIVERK 3.x and adapter programs; the same kinds and ids
// as the "Type" elements of the program layout.
QString CnfProgram::tiverkTypeName(int kind, const QString &family, bool translated)
{
    Q_UNUSED(family)
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("CnfProgram", "Yellow flashing"),
        QT_TRANSLATE_NOOP("CnfProgram", "Local fixed time"),
        QT_TRANSLATE_NOOP("CnfProgram", "Coordinated fixed time"),
        QT_TRANSLATE_NOOP("CnfProgram", "Vehicle actuated"),
        QT_TRANSLATE_NOOP("CnfProgram", "Pedestrian call"),
        QT_TRANSLATE_NOOP("CnfProgram", "Public transport priority"),
        QT_TRANSLATE_NOOP("CnfProgram", "Dark"),
        QT_TRANSLATE_NOOP("CnfProgram", "All red"),
        QT_TRANSLATE_NOOP("CnfProgram", "Manual control"),
        QT_TRANSLATE_NOOP("CnfProgram", "Extended call"),
        QT_TRANSLATE_NOOP("CnfProgram", "Queue control"),
        QT_TRANSLATE_NOOP("CnfProgram", "Adaptive"),
    };
    if (kind < 0 || kind >= int(sizeof(names) / sizeof(names[0]))) {
        return translated ? QCoreApplication::translate("CnfProgram", "Unknown type %1").arg(kind)
                          : QStringLiteral("Unknown type %1").arg(kind);
    }
    return translated ? QCoreApplication::translate("CnfProgram", names[kind])
                      : QString::fromLatin1(names[kind]);
}

static const char *const typeKeys[] = {
    nullptr,  "yellow",   "dark",          "timer",     "coord",      "tiverk",   "multiring",
    "script", "timeline", "coordTimeline", "stagering", "pedestrian", "sequence",
};
static const int typeKeyCount = int(sizeof(typeKeys) / sizeof(typeKeys[0]));

QString CnfProgram::typeKey(int type)
{
    if (type >= 1 && type < typeKeyCount)
        return QString::fromLatin1(typeKeys[type]);
    return QString::number(type);
}

int CnfProgram::typeFromKey(const QString &key)
{
    for (int type = 1; type < typeKeyCount; ++type) {
        if (key == QLatin1String(typeKeys[type]))
            return type;
    }
    bool ok = false;
    const int number = key.toInt(&ok);
    return ok && number >= 0 ? number : -1;
}

int CnfProgram::defaultKind(int type)
{
    switch (type) {
    case FixedTime:
        return 1;
    case Coordinated:
        return 2;
    default:
        return 0;
    }
}
