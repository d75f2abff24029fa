#include "cnftreeschema.h"

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
#include "cnftransition.h"
#include "cnfweekcard.h"
#include "utf8/utf8.h"

#include <QCoreApplication>
#include <QFile>
#include <QVariantList>
#include <QVariantMap>

#include <cctype>
#include <cmath>

// Collecting a controller into the tree, and what reader and writer share;
// reading the tree back is in cnftreeschemaread.cpp.

namespace {

const char *const controllerKey = "controller";

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// The dynamic properties of an element as members, with the members its file
// held as null (`nulls`) for which it has no value yet.
QVariantMap properties(const QObject &object, const QStringList &nulls)
{
    QVariantMap map;
    const QList<QByteArray> names = object.dynamicPropertyNames();
    for (const QByteArray &name : names) {
        if (name.startsWith("_q_"))
            continue; // Qt's own bookkeeping
        const QVariant value = CnfTreeSchema::plain(object.property(name.constData()));
        if (value.isValid())
            map.insert(CnfTreeSchema::memberName(name), value);
    }
    for (const QString &name : nulls) {
        if (!map.contains(name))
            map.insert(name, QVariant()); // written as null
    }
    return map;
}

// Names a dynamic property cannot have: Qt's own property and its bookkeeping.
bool takenByQt(const QString &name)
{
    return name == QLatin1String("objectName") || name.startsWith(QLatin1String("_q_"));
}

// The code of an escape "\\uXXXX" at `at` of name (the backslash); -1 when there is none.
int escapedCode(const QString &name, int at)
{
    if (at + 6 > name.size() || name.at(at + 1) != QLatin1Char('u'))
        return -1;
    const QStringRef digits = name.midRef(at + 2, 4);
    for (const QChar digit : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(digit.toLatin1())))
            return -1;
    }
    return digits.toInt(nullptr, 16);
}

} // namespace

QByteArray CnfTreeSchema::propertyName(const QString &memberName)
{
    QString name;
    name.reserve(memberName.size());
    const int size = memberName.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = memberName.at(i);
        const ushort unit = c.unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size
            && QChar::isLowSurrogate(memberName.at(i + 1).unicode())) {
            name += c;
            name += memberName.at(++i);
        } else if (c == QLatin1Char('\\')) {
            name += QStringLiteral("\\\\");
        } else if (unit < 0x20 || QChar::isSurrogate(unit)
                   || (i == 0 && (unit == 0xFEFF || takenByQt(memberName)))) {
            // A lone surrogate has no UTF-8; a leading U+FEFF would be taken
            // for a byte-order mark; Qt's names would not stay dynamic.
            name += QStringLiteral("\\u%1").arg(unit, 4, 16, QLatin1Char('0'));
        } else {
            name += c;
        }
    }
    return name.toUtf8();
}

QString CnfTreeSchema::memberName(const QByteArray &propertyName)
{
    const QString name = Utf8::decode(propertyName);
    if (!name.contains(QLatin1Char('\\')))
        return name;
    QString member;
    member.reserve(name.size());
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('\\') && i + 1 < name.size()) {
            if (name.at(i + 1) == QLatin1Char('\\')) {
                member += c;
                ++i;
                continue;
            }
            const int code = escapedCode(name, i);
            if (code >= 0
                && (code < 0x20 || QChar::isSurrogate(uint(code))
                    || (i == 0 && (code == 0xFEFF || takenByQt(QChar(code) + name.mid(6)))))) {
                member += QChar(code);
                i += 5;
                continue;
            }
        }
        member += c;
    }
    return member;
}

namespace {

QVariantMap intMap(const QMap<int, int> &values)
{
    QVariantMap map;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        map.insert(QString::number(it.key()), it.value());
    return map;
}

void addIf(CnfTreeSchema::Fields &fields, bool condition, const QString &key, const QVariant &value)
{
    if (condition)
        fields.append(qMakePair(key, value));
}

CnfTreeSchema::Fields signalGroupFields(const CnfSignalGroup &group,
                                        const CnfTreeSchema::Listed &listed)
{
    CnfTreeSchema::Fields fields;
    fields.append(qMakePair(QStringLiteral("id"), QVariant(group.id)));
    addIf(fields, !group.name.isEmpty(), QStringLiteral("name"), group.name);
    fields.append(qMakePair(QStringLiteral("type"), QVariant(group.type)));
    QVariantList devices;
    for (const CnfPowerDevicePtr &device : group.devices) {
        if (listed.has(device))
            devices.append(device->id);
    }
    addIf(fields, !devices.isEmpty(), QStringLiteral("devices"), devices);
    QVariantList addresses;
    for (int address : group.detectorAddresses)
        addresses.append(address);
    addIf(fields, !addresses.isEmpty(), QStringLiteral("detectorAddresses"), addresses);
    QVariantMap interstates;
    for (auto it = group.interstates.cbegin(); it != group.interstates.cend(); ++it) {
        QVariantList bytes;
        for (int i = 0; i < CnfSignalGroup::InterstateSize; ++i)
            bytes.append(group.interstateByte(it.key(), i));
        interstates.insert(QString::number(it.key()), bytes);
    }
    addIf(fields, !interstates.isEmpty(), QStringLiteral("interstates"), interstates);
    const QVariantMap props = properties(group, group.nullProperties());
    addIf(fields, !props.isEmpty(), QStringLiteral("properties"), props);
    return fields;
}

CnfTreeSchema::Fields detectorFields(const CnfDetector &detector)
{
    CnfTreeSchema::Fields fields;
    fields.append(qMakePair(QStringLiteral("id"), QVariant(detector.id())));
    addIf(fields, !detector.name().isEmpty(), QStringLiteral("name"), detector.name());
    const QVariantMap props = properties(detector, detector.nullProperties());
    addIf(fields, !props.isEmpty(), QStringLiteral("properties"), props);
    return fields;
}

CnfTreeSchema::Fields programFields(const CnfProgram &program, const CnfTreeSchema::Listed &listed)
{
    CnfTreeSchema::Fields fields;
    fields.append(qMakePair(QStringLiteral("id"), QVariant(program.id)));
    addIf(fields, !program.name.isEmpty(), QStringLiteral("name"), program.name);
    fields.append(qMakePair(QStringLiteral("type"), QVariant(CnfProgram::typeKey(program.type))));
    addIf(fields, program.kind != 0, QStringLiteral("kind"), program.kind);
    addIf(fields, listed.has(program.matrix), QStringLiteral("matrix"),
          program.matrix ? program.matrix->id() : 0);
    addIf(fields, program.defaultMatrix, QStringLiteral("defaultMatrix"), true);
    addIf(fields, program.cycleLength != 0, QStringLiteral("cycleLength"), program.cycleLength);
    addIf(fields, program.hasCycleOffset(), QStringLiteral("offset"), program.cycleOffset(0));
    addIf(fields, program.interstateVariant != 1, QStringLiteral("interstateVariant"),
          program.interstateVariant);
    addIf(fields, !program.data().isEmpty(), QStringLiteral("data"),
          QString::fromLatin1(program.data().toHex()));
    QVariantList steps;
    for (const CnfPhaseDefPtr &step : program.phases()) {
        QVariantMap map;
        map.insert(QStringLiteral("phase"), step->id());
        map.insert(QStringLiteral("length"), step->length());
        if (step->fileStart() != 0)
            map.insert(QStringLiteral("start"), step->fileStart());
        const QVariantMap props = properties(*step, step->nullProperties());
        if (!props.isEmpty())
            map.insert(QStringLiteral("properties"), props);
        steps.append(map);
    }
    addIf(fields, !steps.isEmpty(), QStringLiteral("steps"), steps);
    QVariantMap timeline;
    for (int group : program.timelineGroups()) {
        QVariantMap points;
        const QMap<int, int> data = program.getTimelineData(group);
        for (auto it = data.cbegin(); it != data.cend(); ++it) {
            const QString state = CnfSignalGroup::colorStateKey(it.value());
            points.insert(QString::number(it.key()),
                          state.isEmpty() ? QVariant(it.value()) : QVariant(state));
        }
        timeline.insert(QString::number(group), points);
    }
    addIf(fields, !timeline.isEmpty(), QStringLiteral("timeline"), timeline);
    const QVariantMap props = properties(program, program.nullProperties());
    addIf(fields, !props.isEmpty(), QStringLiteral("properties"), props);
    return fields;
}

struct PartInfo
{
    const char *key;
    const char *section;
    bool list;
};

// The parts in file order.
const PartInfo partTable[] = { { "controller", "controller", false },
                               { "powerDevices", "powerDevice", true },
                               { "signalGroups", "signalGroup", true },
                               { "defaultSignalGroup", "defaultSignalGroup", false },
                               { "detectors", "detector", true },
                               { "sensors", "sensor", true },
                               { "phases", "phase", true },
                               { "matrices", "matrix", true },
                               { "programs", "program", true },
                               { "dayCards", "dayCard", true },
                               { "weekCards", "weekCard", true },
                               { "seasonPlans", "seasonPlan", true },
                               { "specialDays", "specialDay", true },
                               { "interstate", "interstate", false },
                               { "defaults", "defaults", false } };

} // namespace

bool CnfTreeSchema::readFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("CnfNative", "Cannot open %1: %2")
                     .arg(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("CnfNative", "Cannot read %1: %2")
                     .arg(path, file.errorString());
        return false;
    }
    return true;
}

QStringList CnfTreeSchema::partKeys()
{
    QStringList keys;
    for (const PartInfo &info : partTable)
        keys.append(QLatin1String(info.key));
    return keys;
}

QHash<QString, QString> CnfTreeSchema::listSections()
{
    QHash<QString, QString> sections;
    for (const PartInfo &info : partTable) {
        if (info.list)
            sections.insert(QLatin1String(info.section), QLatin1String(info.key));
    }
    return sections;
}

CnfTreeSchema::Listed::Listed(const CnfController &c)
{
    add(c.powerDevices());
    add(c.signalGroups());
    add(c.phases());
    add(c.matrixList());
    add(c.programs());
    add(c.dayCards());
    add(c.weekCards());
}

void CnfTreeSchema::keepNative(CnfController &controller, const QString &key, const QVariant &value)
{
    controller.setNativeData(key, value.isValid() ? value : QVariant::fromValue(VObject()));
}

QVariant CnfTreeSchema::plain(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<VObject>())
        return value.value<VObject>().toVariant();
    if (value.userType() == QMetaType::QVariantMap) {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = plain(it.value());
        return map;
    }
    if (value.userType() == QMetaType::QVariantList) {
        QVariantList list = value.toList();
        for (QVariant &item : list)
            item = plain(item);
        return list;
    }
    return value;
}

bool CnfTreeSchema::collect(const CnfController &controller, QVector<Part> *parts,
                            QVariantMap *native, QString *error)
{
    const Listed listed(controller);
    // References to parts stay valid while we append: room for all is made first.
    parts->reserve(parts->size() + int(sizeof partTable / sizeof partTable[0]));
    auto addPart = [parts](const QString &key) -> Part & {
        Part part;
        for (const PartInfo &info : partTable) {
            if (key == QLatin1String(info.key)) {
                part.key = key;
                part.section = QLatin1String(info.section);
                part.list = info.list;
            }
        }
        parts->append(part);
        return parts->last();
    };

    // Controller properties: the family first, then the rest by name.
    Fields props;
    const QVariantMap all = properties(controller, controller.nullProperties());
    const QStringList first = { QStringLiteral("type"), QStringLiteral("version"),
                                QStringLiteral("number"), QStringLiteral("description") };
    for (const QString &key : first) {
        if (all.contains(key))
            props.append(qMakePair(key, all.value(key)));
    }
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (!first.contains(it.key()))
            props.append(qMakePair(it.key(), it.value()));
    }
    addPart(QLatin1String(controllerKey)).items.append(props);

    Part &devices = addPart(QStringLiteral("powerDevices"));
    for (const CnfPowerDevicePtr &device : controller.powerDevices()) {
        Fields fields { qMakePair(QStringLiteral("id"), QVariant(device->id)) };
        addIf(fields, !device->name.isEmpty(), QStringLiteral("name"), device->name);
        fields << qMakePair(QStringLiteral("address"), QVariant(device->address))
               << qMakePair(QStringLiteral("type"), QVariant(device->type))
               << qMakePair(QStringLiteral("color"), QVariant(device->color))
               << qMakePair(QStringLiteral("lampsCount"), QVariant(device->lampsCount))
               << qMakePair(QStringLiteral("burnoutControl"), QVariant(device->burnoutControl));
        devices.items.append(fields);
    }

    Part &groups = addPart(QStringLiteral("signalGroups"));
    for (const CnfSignalGroupPtr &group : controller.signalGroups())
        groups.items.append(signalGroupFields(*group, listed));
    if (const CnfSignalGroupPtr group = controller.defaultSignalGroup())
        addPart(QStringLiteral("defaultSignalGroup"))
            .items.append(signalGroupFields(*group, listed));

    Part &detectors = addPart(QStringLiteral("detectors"));
    for (const CnfDetectorPtr &detector : controller.detectorsList())
        detectors.items.append(detectorFields(*detector));
    Part &sensors = addPart(QStringLiteral("sensors"));
    for (const CnfDetectorPtr &sensor : controller.sensorsList())
        sensors.items.append(detectorFields(*sensor));

    Part &phases = addPart(QStringLiteral("phases"));
    for (const CnfPhasePtr &phase : controller.phases()) {
        Fields fields;
        fields.append(qMakePair(QStringLiteral("id"), QVariant(phase->id)));
        addIf(fields, !phase->name.isEmpty(), QStringLiteral("name"), phase->name);
        addIf(fields, phase->minTime != -1, QStringLiteral("minTime"), phase->minTime);
        addIf(fields, phase->maxTime != -1, QStringLiteral("maxTime"), phase->maxTime);
        QVariantList ids;
        for (const CnfSignalGroupPtr &group : phase->signalGroups) {
            if (listed.has(group))
                ids.append(group->id);
        }
        addIf(fields, !ids.isEmpty(), QStringLiteral("signalGroups"), ids);
        QVariantMap transitions;
        for (auto it = phase->transitions.cbegin(); it != phase->transitions.cend(); ++it) {
            if (!it.value())
                continue;
            transitions.insert(
                it.key(),
                QVariantMap { { QStringLiteral("length"), it.value()->length },
                              { QStringLiteral("greenEnd"), intMap(it.value()->greenEnd) },
                              { QStringLiteral("greenStart"), intMap(it.value()->greenStart) } });
        }
        addIf(fields, !transitions.isEmpty(), QStringLiteral("transitions"), transitions);
        phases.items.append(fields);
    }

    Part &matrices = addPart(QStringLiteral("matrices"));
    for (const CnfMatrixPtr &matrix : controller.matrixList()) {
        Fields fields;
        fields.append(qMakePair(QStringLiteral("id"), QVariant(matrix->id())));
        addIf(fields, !matrix->name().isEmpty(), QStringLiteral("name"), matrix->name());
        addIf(fields, controller.defaultMatrix() == matrix, QStringLiteral("default"), true);
        addIf(fields, controller.safetyMatrix() == matrix, QStringLiteral("safety"), true);
        QVariantList cells;
        for (const CnfMatrixCell &cell : matrix->cellsInListOrder()) {
            if (!std::isfinite(cell.value)) {
                *error = QStringLiteral("matrix %1 holds the value %2, which cannot be stored")
                             .arg(matrix->id())
                             .arg(cell.value);
                return false;
            }
            cells.append(QVariant(QVariantList { cell.aId, cell.bId, cell.value }));
        }
        addIf(fields, !cells.isEmpty(), QStringLiteral("cells"), cells);
        matrices.items.append(fields);
    }

    Part &programs = addPart(QStringLiteral("programs"));
    for (const CnfProgramPtr &program : controller.programs())
        programs.items.append(programFields(*program, listed));

    Part &dayCards = addPart(QStringLiteral("dayCards"));
    for (const CnfDayCardPtr &card : controller.dayCards()) {
        QVariantList records;
        for (auto it = card->records.cbegin(); it != card->records.cend(); ++it) {
            if (!it.key().isValid())
                continue; // a record without a start time has no place in the day
            QVariantMap record { { QStringLiteral("start"), timeText(it.key()) } };
            if (it.value().end.isValid())
                record.insert(QStringLiteral("end"), timeText(it.value().end));
            // A deleted program's id stays (the record names it by id).
            if (!it.value().programId().isEmpty())
                record.insert(QStringLiteral("program"), it.value().programId());
            if (!it.value().reserveId().isEmpty())
                record.insert(QStringLiteral("reserve"), it.value().reserveId());
            records.append(record);
        }
        Fields fields { qMakePair(QStringLiteral("id"), QVariant(card->id)) };
        addIf(fields, !card->name.isEmpty(), QStringLiteral("name"), card->name);
        addIf(fields, !records.isEmpty(), QStringLiteral("records"), records);
        dayCards.items.append(fields);
    }

    Part &weekCards = addPart(QStringLiteral("weekCards"));
    for (const CnfWeekCardPtr &card : controller.weekCards()) {
        QVariantMap days;
        for (auto it = card->days.cbegin(); it != card->days.cend(); ++it) {
            if (it.key() >= Qt::Monday && it.key() <= Qt::Sunday)
                days.insert(QString::number(it.key()),
                            listed.has(it.value()) ? it.value()->id : QString());
        }
        Fields fields { qMakePair(QStringLiteral("id"), QVariant(card->id)) };
        addIf(fields, !card->name.isEmpty(), QStringLiteral("name"), card->name);
        addIf(fields, !days.isEmpty(), QStringLiteral("days"), days);
        weekCards.items.append(fields);
    }

    Part &seasons = addPart(QStringLiteral("seasonPlans"));
    for (const CnfSeasonPlanPtr &plan : controller.seasonPlans()) {
        Fields fields;
        addIf(fields, !plan->name.isEmpty(), QStringLiteral("name"), plan->name);
        addIf(fields, plan->from.isValid(), QStringLiteral("from"), dateText(plan->from));
        addIf(fields, plan->to.isValid(), QStringLiteral("to"), dateText(plan->to));
        addIf(fields, listed.has(plan->weekCard), QStringLiteral("weekCard"),
              plan->weekCard ? plan->weekCard->id : QString());
        seasons.items.append(fields);
    }

    Part &special = addPart(QStringLiteral("specialDays"));
    const QMap<QDate, CnfSpecialDayPtr> days = controller.specialDays();
    for (auto it = days.cbegin(); it != days.cend(); ++it) {
        Fields fields { qMakePair(QStringLiteral("date"), QVariant(dateText(it.key()))) };
        addIf(fields, !it.value()->id.isEmpty(), QStringLiteral("id"), it.value()->id);
        addIf(fields, !it.value()->name.isEmpty(), QStringLiteral("name"), it.value()->name);
        addIf(fields, listed.has(it.value()->dayCard), QStringLiteral("dayCard"),
              it.value()->dayCard ? it.value()->dayCard->id : QString());
        special.items.append(fields);
    }

    if (const CnfInterstatePtr interstate = controller.interstate()) {
        addPart(QStringLiteral("interstate"))
            .items.append(
                { qMakePair(QStringLiteral("greenBlink"), QVariant(interstate->greenBlink)),
                  qMakePair(QStringLiteral("yellow"), QVariant(interstate->yellow)),
                  qMakePair(QStringLiteral("redYellow"), QVariant(interstate->redYellow)) });
    }

    Fields defaults;
    addIf(defaults, listed.has(controller.defaultDayCard()), QStringLiteral("dayCard"),
          controller.defaultDayCard() ? controller.defaultDayCard()->id : QString());
    addIf(defaults, listed.has(controller.defaultProgram()), QStringLiteral("program"),
          controller.defaultProgram() ? controller.defaultProgram()->id : QString());
    addIf(defaults, listed.has(controller.reserveProgram()), QStringLiteral("reserveProgram"),
          controller.reserveProgram() ? controller.reserveProgram()->id : QString());
    if (!defaults.isEmpty())
        addPart(QStringLiteral("defaults")).items.append(defaults);

    // Empty lists are left out.
    for (int i = parts->size() - 1; i >= 0; --i) {
        if (parts->at(i).items.isEmpty())
            parts->remove(i);
    }
    *native = plain(controller.nativeData().toVariant()).toMap();
    return true;
}
