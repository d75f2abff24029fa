#include "zu_moltconfig.h"
#include "zu_moltformat.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfjsonparser.h"
#include "cnfjsonread.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftreeschema.h"
#include "cnfweekcard.h"

#include <QSet>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>
#include <limits>

using namespace ZuMoltFormat;

namespace {

// The year of the dates of the file, which carry day and month only (leap, so 29.02 fits).
const int calendarYear = 2000;

QVariantMap leftover(const CnfJsonValue &object, const QStringList &known)
{
    QVariantMap map;
    for (const auto &member : object.members()) {
        if (!known.contains(member.first))
            map.insert(member.first, member.second.toVariant());
    }
    return map;
}

class ZuReader
{
public:
    ZuReader(CnfController &controller, QStringList &warnings)
        : c(controller)
        , m_warnings(warnings)
    {
    }

    CnfJsonRead r;
    CnfController &c;
    QVariantMap extras; // kind -> id -> members

    void warn(const CnfJsonValue &at, const QString &message)
    {
        m_warnings.append(
            QStringLiteral("Line %1, column %2: %3").arg(at.line()).arg(at.column()).arg(message));
    }

    // Keeps the members under kind and id. `replace`: a later object of the same
    // id takes the place of the earlier one, so an empty one drops what it kept.
    void stash(const QString &kind, const QString &id, const QVariantMap &members,
               bool replace = false)
    {
        if (members.isEmpty() && (!replace || !extras.contains(kind)))
            return;
        QVariantMap byId = extras.value(kind).toMap();
        if (members.isEmpty())
            byId.remove(id);
        else
            byId.insert(id, members);
        if (byId.isEmpty())
            extras.remove(kind);
        else
            extras.insert(kind, byId);
    }

    // A member lives as a dynamic property named as the file writes it. Qt keeps
    // "objectName" and names beginning with "_q_" for itself, and a name
    // beginning with U+FEFF loses it when read back, so such a member would be
    // dropped on save: the file is refused instead.
    static bool propertyCanHold(const QString &name)
    {
        return !name.startsWith(QChar(0xFEFF)) && name != QLatin1String("objectName")
            && !name.startsWith(QLatin1String("_q_"));
    }

    // The members of `item` not in `known` as dynamic properties of `element`.
    // A property cannot hold "no value", so the names of null members are kept
    // on the element (with `nulls` already found) and written back as null.
    template<typename Element>
    void setProperties(Element &element, const CnfJsonValue &item, const QStringList &known,
                       QStringList nulls = QStringList())
    {
        for (const auto &member : item.members()) {
            if (known.contains(member.first))
                continue;
            if (!propertyCanHold(member.first)) {
                r.fail(member.second,
                       tr("the member name \"%1\" cannot be kept; rename it")
                           .arg(CnfJsonParser::quoted(member.first)));
                return;
            }
            if (member.second.type() == CnfJsonValue::Null)
                nulls.append(member.first);
            else
                element.setProperty(member.first.toUtf8().constData(), member.second.toVariant());
        }
        element.setNullProperties(nulls);
    }

    // An id: required, an integer (as zumoltc writes it).
    bool id(const CnfJsonValue &item, const QString &what, int *value)
    {
        const CnfJsonValue &id = item.member(QStringLiteral("id"));
        if (id.isUndefined()) {
            warn(item,
                 tr("Attribute '%1' not defined; %2 skipped").arg(QStringLiteral("id"), what));
            return false;
        }
        *value = r.integerValue(id, QStringLiteral("'id' of %1").arg(what));
        return r.ok();
    }

    // Ids are ints: a larger number refers to nothing (it must not wrap round to another id).
    static bool idNumber(const CnfJsonValue &value, int *id)
    {
        const qlonglong number
            = value.type() == CnfJsonValue::Integer ? value.scalar().toLongLong() : 0;
        *id = int(number);
        return value.type() == CnfJsonValue::Integer && number >= std::numeric_limits<int>::min()
            && number <= std::numeric_limits<int>::max();
    }

    // A reference: a number is an id, a text a name; null or absent is none.
    template<typename T, typename ById, typename ByName>
    T ref(const CnfJsonValue &item, const QString &key, const QString &kind, ById byId,
          ByName byName)
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined() || value.type() == CnfJsonValue::Null)
            return T();
        T found;
        int number = 0;
        if (idNumber(value, &number))
            found = byId(number);
        else if (value.type() == CnfJsonValue::String)
            found = byName(value.scalar().toString());
        if (!found)
            warn(value,
                 tr("'%1' refers to no %2 %3")
                     .arg(key, kind, CnfJsonParser::quoted(value.scalar().toString())));
        return found;
    }

    template<typename T, typename List> static T byName(const List &list, const QString &name)
    {
        for (const T &element : list) {
            if (element->name == name)
                return element;
        }
        return T();
    }

    CnfSignalGroupPtr groupRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfSignalGroupPtr>(
            item, key, QStringLiteral("signal group"),
            [this](qlonglong id) { return c.findSG(int(id)); },
            [this](const QString &name) { return c.findSGByName(name); });
    }

    CnfPhasePtr stageRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfPhasePtr>(
            item, key, QStringLiteral("stage"),
            [this](qlonglong id) { return c.findPhase(QString::number(id)); },
            [this](const QString &name) { return byName<CnfPhasePtr>(c.phases(), name); });
    }

    CnfProgramPtr planRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfProgramPtr>(
            item, key, QStringLiteral("plan"),
            [this](qlonglong id) { return c.findProgram(QString::number(id)); },
            [this](const QString &name) { return c.findProgramByName(name); });
    }

    // The id of a period's plan: an id stays as it is, also when no plan bears
    // it (a deleted one: day cards keep it, without a warning); a name is looked up.
    QString periodPlan(const CnfJsonValue &period, const char *key)
    {
        const QString name = QLatin1String(key);
        int id = 0;
        if (idNumber(period.member(name), &id))
            return QString::number(id);
        const CnfProgramPtr plan = planRef(period, name);
        return plan ? plan->id : QString();
    }

    CnfDayCardPtr dayRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfDayCardPtr>(
            item, key, QStringLiteral("day plan"),
            [this](qlonglong id) { return c.findDayCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfDayCardPtr>(c.dayCards(), name); });
    }

    CnfWeekCardPtr weekRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfWeekCardPtr>(
            item, key, QStringLiteral("week plan"),
            [this](qlonglong id) { return c.findWeekCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfWeekCardPtr>(c.weekCards(), name); });
    }

    // Enumeration key; an unknown key warns and gives -1.
    int enumValue(const CnfJsonValue &item, const QString &key, const QStringList &keys)
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined())
            return -1;
        const int index
            = value.type() == CnfJsonValue::String ? keys.indexOf(value.scalar().toString()) : -1;
        if (index < 0)
            warn(value,
                 tr("'%1' attribute has invalid value %2")
                     .arg(key, CnfJsonParser::quoted(value.scalar().toString())));
        return index;
    }

    QTime time(const CnfJsonValue &item, const QString &key)
    {
        const QString text = r.text(item, key);
        QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(text, QStringLiteral("HH:mm"));
        if (!time.isValid() && !item.member(key).isUndefined())
            warn(item.member(key), tr("'%1' attribute has invalid time format").arg(key));
        return time;
    }

    QDate date(const CnfJsonValue &item, const QString &key)
    {
        const QString text = r.text(item, key);
        const QStringList parts = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
        bool dayOk = false;
        bool monthOk = false;
        const int day = parts.size() == 2 ? parts.at(0).toInt(&dayOk) : 0;
        const int month = parts.size() == 2 ? parts.at(1).toInt(&monthOk) : 0;
        const QDate date(calendarYear, month, day);
        if (!dayOk || !monthOk || !date.isValid()) {
            warn(item.member(key).isUndefined() ? item : item.member(key),
                 tr("'%1' attribute has invalid date format").arg(key));
            return QDate();
        }
        return date;
    }

    // Calls read for every object of an array; other items are wrong types.
    template<typename F> void eachObject(const CnfJsonValue &list, const QString &what, F read)
    {
        for (const CnfJsonValue &item : list.items()) {
            if (!r.ok() || !r.isType(item, CnfJsonValue::Object, what))
                return;
            read(item);
        }
    }

    void readSignalGroups(const CnfJsonValue &root)
    {
        const CnfJsonValue &groups = r.object(root, QStringLiteral("signalGroups"));
        QStringList known = sgTimes();
        const CnfJsonValue &defaults = r.object(groups, QStringLiteral("default"));
        if (!defaults.isUndefined()) {
            auto group = CnfSignalGroupPtr::create();
            setProperties(*group, defaults, known, readTimes(*group, defaults));
            c.setDefaulSignalGroup(group);
        }
        known << QStringLiteral("name") << QStringLiteral("id") << QStringLiteral("type");
        eachObject(r.array(groups, QStringLiteral("items")), tr("a signal group"),
                   [&](const CnfJsonValue &item) {
                       auto group = CnfSignalGroupPtr::create();
                       if (!id(item, tr("a signal group"), &group->id))
                           return;
                       group->name = r.text(item, QStringLiteral("name"));
                       const int type = enumValue(item, QStringLiteral("type"), sgTypeKeys());
                       group->setType(type < 0 ? CnfSignalGroup::Traffic : type);
                       setProperties(*group, item, known, readTimes(*group, item));
                       if (r.ok() && !c.addSignalGroup(group))
                           warn(item, c.lastError());
                   });
    }

    // Sets the times of a group; gives the names of those that are null (not set).
    QStringList readTimes(CnfSignalGroup &group, const CnfJsonValue &item)
    {
        QStringList nulls;
        for (const QString &key : sgTimes()) {
            const CnfJsonValue &value = item.member(key);
            if (value.isUndefined())
                continue;
            if (value.type() == CnfJsonValue::Null) {
                nulls.append(key);
                continue;
            }
            if (value.type() != CnfJsonValue::Integer) {
                warn(value, tr("'%1' attribute has invalid type").arg(key));
                continue;
            }
            group.setProperty(key.toLatin1().constData(),
                              r.integerValue(value, QStringLiteral("'%1'").arg(key)));
        }
        return nulls;
    }

    void readStages(const CnfJsonValue &root)
    {
        static const QStringList known
            = { QStringLiteral("name"),     QStringLiteral("id"),       QStringLiteral("groups"),
                QStringLiteral("minGreen"), QStringLiteral("maxGreen"), QStringLiteral("minTime"),
                QStringLiteral("maxTime") };
        eachObject(
            r.array(root, QStringLiteral("stages")), tr("a stage"), [&](const CnfJsonValue &item) {
                int number = 0;
                if (!id(item, tr("a stage"), &number))
                    return;
                auto phase = CnfPhasePtr::create();
                phase->id = QString::number(number);
                phase->name = r.text(item, QStringLiteral("name"));
                for (const CnfJsonValue &group : r.array(item, QStringLiteral("groups")).items()) {
                    CnfJsonValue holder(CnfJsonValue::Object);
                    holder.insert(QStringLiteral("group"), group);
                    if (const CnfSignalGroupPtr found = groupRef(holder, QStringLiteral("group")))
                        phase->signalGroups.append(found);
                }
                const QString minKey
                    = item.member(QStringLiteral("minGreen")).type() == CnfJsonValue::Integer
                    ? QStringLiteral("minGreen")
                    : QStringLiteral("minTime");
                const QString maxKey
                    = item.member(QStringLiteral("maxGreen")).type() == CnfJsonValue::Integer
                    ? QStringLiteral("maxGreen")
                    : QStringLiteral("maxTime");
                phase->minTime = r.integer(item, minKey, -1, -1);
                phase->maxTime = r.integer(item, maxKey, -1, -1);
                stash(QLatin1String(stagesKind), phase->id, leftover(item, known));
                if (r.ok() && !c.addPhase(phase))
                    warn(item, c.lastError());
            });
    }

    void readMatrices(const CnfJsonValue &root)
    {
        const CnfJsonValue &igm = r.array(root, QStringLiteral("IGM"));
        if (igm.isUndefined())
            return;
        auto matrix = CnfMatrixPtr::create();
        eachObject(igm, tr("a matrix"), [&](const CnfJsonValue &item) {
            if (item.contains(QStringLiteral("id")))
                matrix->setId(r.integer(item, QStringLiteral("id"), 1));
            if (item.contains(QStringLiteral("name")))
                matrix->setName(r.text(item, QStringLiteral("name")));
            stash(QStringLiteral("IGM"), QString::number(matrix->id()),
                  leftover(item,
                           { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("items"),
                             QStringLiteral("matrix") }));
            const CnfJsonValue &table = item.member(QStringLiteral("matrix"));
            if (table.type() == CnfJsonValue::Array) {
                const QList<CnfSignalGroupPtr> groups = c.signalGroups();
                if (table.size() != groups.size()) {
                    warn(table,
                         tr("'matrix' has %1 rows for %2 signal groups")
                             .arg(table.size())
                             .arg(groups.size()));
                    return;
                }
                for (int row = 0; row < table.size(); ++row) {
                    const CnfJsonValue &cells = table.at(row);
                    if (cells.type() != CnfJsonValue::Array || cells.size() != groups.size()) {
                        warn(cells,
                             tr("row %1 of 'matrix' is not an array of %2 numbers")
                                 .arg(row + 1)
                                 .arg(groups.size()));
                        return;
                    }
                    for (int column = 0; column < cells.size(); ++column) {
                        if (!cells.at(column).isNumber())
                            continue;
                        matrix->setReleaf(groups.at(row), groups.at(column),
                                          std::trunc(cells.at(column).scalar().toDouble()));
                        stash(QLatin1String(conflictPointsKind),
                              conflictPointId(groups.at(row)->id, groups.at(column)->id),
                              QVariantMap(), true);
                    }
                }
                return;
            }
            const CnfJsonValue &items = item.member(QStringLiteral("items"));
            if (items.type() != CnfJsonValue::Array) {
                warn(item, tr("Matrix not contains conflict points"));
                return;
            }
            eachObject(items, tr("a conflict point"), [&](const CnfJsonValue &point) {
                const CnfSignalGroupPtr clearing = groupRef(point, QStringLiteral("clearing"));
                const CnfSignalGroupPtr entering = groupRef(point, QStringLiteral("entering"));
                const CnfJsonValue &time = point.member(QStringLiteral("time"));
                if (!clearing || !entering)
                    return;
                const double value
                    = time.isNumber() ? time.scalar().toDouble() : double(notSetTime);
                matrix->appendReleaf(clearing->id, entering->id, value);
                matrix->setReleaf(clearing, entering, value);
                stash(QLatin1String(conflictPointsKind),
                      conflictPointId(clearing->id, entering->id),
                      leftover(point,
                               { QStringLiteral("clearing"), QStringLiteral("entering"),
                                 QStringLiteral("time") }),
                      true);
            });
        });
        if (r.ok())
            c.addMatrix(matrix, true, true);
    }

    // Matrices that the file keeps beside its conflict matrix. The controller
    // lists a matrix once per id, so one whose id the conflict matrix or an
    // earlier one holds is listed under a free id and keeps its own for the file.
    void readExtraMatrices(const CnfJsonValue &root)
    {
        const CnfJsonValue &list = r.array(root, QLatin1String(extraMatricesKey));
        QSet<qlonglong> fileIds;
        for (const CnfJsonValue &item : list.items()) {
            const CnfJsonValue &id = item.member(QStringLiteral("id"));
            fileIds.insert(id.isUndefined() ? 1 : id.scalar().toLongLong());
        }
        eachObject(list, tr("a matrix"), [&](const CnfJsonValue &item) {
            auto matrix = CnfMatrixPtr::create();
            const int fileId = r.integer(item, QStringLiteral("id"), 1);
            matrix->setId(fileId);
            QVariantMap kept = leftover(
                item, { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("cells") });
            if (c.findMatrix(fileId)) {
                int free = 1;
                while (c.findMatrix(free) || fileIds.contains(free))
                    ++free;
                matrix->setId(free);
                kept.insert(QStringLiteral("id"), fileId);
            }
            stash(QLatin1String(extraMatricesKind), QString::number(matrix->id()), kept);
            matrix->setName(r.text(item, QStringLiteral("name")));
            for (const CnfJsonValue &cell : r.array(item, QStringLiteral("cells")).items()) {
                if (cell.type() != CnfJsonValue::Array || cell.size() != 3
                    || !cell.at(2).isNumber()) {
                    r.fail(cell, tr("a matrix cell must be [group, group, value]"));
                    return;
                }
                matrix->appendReleaf(r.integerValue(cell.at(0), tr("a signal group of a cell")),
                                     r.integerValue(cell.at(1), tr("a signal group of a cell")),
                                     cell.at(2).scalar().toDouble());
            }
            if (r.ok() && !c.addMatrix(matrix, false, false))
                warn(item, c.lastError());
        });
    }

    void readDetectors(const CnfJsonValue &root)
    {
        const CnfJsonValue &detectors = root.member(QStringLiteral("detectors"));
        CnfJsonValue items;
        if (detectors.type() == CnfJsonValue::Array)
            items = detectors;
        else if (detectors.type() == CnfJsonValue::Object)
            items = r.array(detectors, QStringLiteral("items"));
        else if (!detectors.isUndefined())
            r.fail(detectors,
                   tr("'detectors' attribute has invalid type (must be array or object)"));
        eachObject(items, tr("a detector"), [&](const CnfJsonValue &item) {
            auto detector = CnfDetectorPtr::create();
            int number = 0;
            if (!id(item, tr("a detector"), &number))
                return;
            detector->setId(number);
            detector->setName(r.text(item, QStringLiteral("name")));
            setProperties(*detector, item, { QStringLiteral("id"), QStringLiteral("name") });
            if (r.ok() && !c.addDetector(detector))
                warn(item, c.lastError());
        });
        eachObject(
            r.array(root, QLatin1String(sensorsKey)), tr("a sensor"),
            [&](const CnfJsonValue &item) {
                auto sensor = CnfDetectorPtr::create();
                sensor->setId(r.integer(item, QStringLiteral("id"), 0));
                sensor->setName(r.text(item, QStringLiteral("name")));
                setProperties(*sensor, item, { QStringLiteral("id"), QStringLiteral("name") });
                if (r.ok() && !c.addSensor(sensor))
                    warn(item, c.lastError());
            });
    }

    void readSwitches(const CnfJsonValue &root)
    {
        static const QStringList known = {
            QStringLiteral("name"),        QStringLiteral("id"),      QStringLiteral("type"),
            QStringLiteral("signalGroup"), QStringLiteral("addr"),    QStringLiteral("color"),
            QStringLiteral("heads"),       QStringLiteral("control"), QStringLiteral("deviceType")
        };
        const CnfJsonValue &switches = r.object(root, QStringLiteral("switches"));
        eachObject(
            r.array(switches, QStringLiteral("items")), tr("a switch"),
            [&](const CnfJsonValue &item) {
                auto device = CnfPowerDevicePtr::create();
                if (!id(item, tr("a switch"), &device->id))
                    return;
                device->name = r.text(item, QStringLiteral("name"));
                device->type = CnfPowerDevice::OutputZuMolt;
                // A member left out (or with a value zumoltc cannot read) is not
                // set: the device has its default, and the writer leaves it out.
                auto unset = [&](const char *key) {
                    device->unsetMembers.append(QLatin1String(key));
                };
                if (enumValue(item, QStringLiteral("type"), { QStringLiteral("ZU4_SW") }) < 0)
                    unset("type");
                device->type = r.integer(item, QStringLiteral("deviceType"), device->type, 0, 255);
                if (item.contains(QStringLiteral("addr")))
                    device->address = r.integer(item, QStringLiteral("addr"), 0);
                else
                    unset("addr");
                const CnfJsonValue &color = item.member(QStringLiteral("color"));
                const int colorValue
                    = color.isUndefined() ? -1 : lookup(colors(), color.scalar().toString());
                if (colorValue >= 0)
                    device->color = colorValue;
                else
                    unset("color");
                if (!color.isUndefined() && colorValue < 0)
                    warn(color,
                         tr("'%1' attribute has invalid value %2")
                             .arg(QStringLiteral("color"),
                                  CnfJsonParser::quoted(color.scalar().toString())));
                if (item.contains(QStringLiteral("heads")))
                    device->lampsCount = r.integer(item, QStringLiteral("heads"), 1, 0);
                else
                    unset("heads");
                device->burnoutControl
                    = r.boolean(item, QStringLiteral("control"), false) ? device->lampsCount : 0;
                const CnfSignalGroupPtr group = groupRef(item, QStringLiteral("signalGroup"));
                stash(QLatin1String(switchesKind), QString::number(device->id),
                      leftover(item, known));
                if (!r.ok())
                    return;
                if (!c.addPowerDevice(device)) {
                    warn(item, c.lastError());
                    return;
                }
                if (group)
                    group->assignDevice(device);
            });
    }

    void readPlans(const CnfJsonValue &root)
    {
        eachObject(r.array(root, QStringLiteral("plans")), tr("a plan"),
                   [&](const CnfJsonValue &item) {
                       int number = 0;
                       if (!id(item, tr("a plan"), &number))
                           return;
                       auto program = CnfProgramPtr::create(&c);
                       program->id = QString::number(number);
                       program->name = r.text(item, QStringLiteral("name"));
                       setProperties(*program, item,
                                     { QStringLiteral("name"), QStringLiteral("id"),
                                       QStringLiteral("algorithm") });
                       const CnfJsonValue &algorithm = item.member(QStringLiteral("algorithm"));
                       if (algorithm.type() == CnfJsonValue::Object)
                           readAlgorithm(*program, algorithm);
                       else
                           program->type = 0;
                       if (r.ok() && !c.addProgram(program))
                           warn(item, c.lastError());
                   });
    }

    void readAlgorithm(CnfProgram &program, const CnfJsonValue &algorithm)
    {
        QStringList known = { QStringLiteral("type"),      QStringLiteral("coordinated"),
                              QStringLiteral("cycle"),     QStringLiteral("offset"),
                              QStringLiteral("sequences"), QStringLiteral("phases"),
                              QStringLiteral("detectors"), QStringLiteral("sequence"),
                              QStringLiteral("mode") };
        const QString type = algorithm.member(QStringLiteral("type")).scalar().toString();
        const QString mode = algorithm.member(QStringLiteral("mode")).scalar().toString();
        const bool coordinated = r.boolean(algorithm, QStringLiteral("coordinated"), false);
        if (type == QLatin1String("Timeline")) {
            program.type = coordinated ? CnfProgram::CoordinatedTimeline : CnfProgram::Timeline;
        } else if (type == QLatin1String("StageRing")) {
            program.type = CnfProgram::Stagering;
            if (coordinated)
                program.setProperty("coordinated", true);
        } else if (type == QLatin1String("Special") && mode == QLatin1String("AB")) {
            program.type = CnfProgram::YellowFlash;
        } else if (type == QLatin1String("Special") && mode == QLatin1String("OFF")) {
            program.type = CnfProgram::Dark;
        } else {
            // Kept as they stand, so that the plan is written back unchanged.
            program.type = 0;
            known.removeOne(QStringLiteral("type"));
            known.removeOne(QStringLiteral("mode"));
            known.removeOne(QStringLiteral("coordinated"));
        }
        if (type == QLatin1String("Timeline") || type == QLatin1String("StageRing"))
            known.removeOne(QStringLiteral("mode"));
        program.cycleLength = r.integer(algorithm, QStringLiteral("cycle"), 0);
        program.setCycleOffset(r.integer(algorithm, QStringLiteral("offset"), -1));

        // Timelines.
        for (const CnfJsonValue &entry : r.array(algorithm, QStringLiteral("sequences")).items()) {
            if (!r.isType(entry, CnfJsonValue::Object, tr("an item of 'sequences'")))
                return;
            const CnfSignalGroupPtr group = groupRef(entry, QStringLiteral("group"));
            if (!group)
                continue;
            stash(QLatin1String(sequencesKind), sequenceId(program.id, group->id),
                  leftover(entry, { QStringLiteral("group"), QStringLiteral("sequence") }));
            int previous = 0;
            for (const CnfJsonValue &record : r.array(entry, QStringLiteral("sequence")).items()) {
                if (!r.isType(record, CnfJsonValue::Object, tr("a 'sequence' record")))
                    return;
                const CnfJsonValue &point = record.member(QStringLiteral("point"));
                const CnfJsonValue &span = record.member(QStringLiteral("span"));
                int at = 0;
                if (point.type() == CnfJsonValue::Integer) {
                    at = r.integerValue(point, QStringLiteral("'point'"));
                } else if (span.type() == CnfJsonValue::Integer) {
                    // Spans add up in 64 bits: a point beyond the int range is an error.
                    const qint64 sum = qint64(previous) + span.scalar().toLongLong();
                    if (sum < std::numeric_limits<int>::min()
                        || sum > std::numeric_limits<int>::max()) {
                        r.fail(span,
                               tr("'span' puts the record at %1, out of the range %2 to %3")
                                   .arg(sum)
                                   .arg(std::numeric_limits<int>::min())
                                   .arg(std::numeric_limits<int>::max()));
                        return;
                    }
                    at = int(sum);
                } else {
                    warn(record,
                         tr("'sequence' record not contains 'point' nor 'span' attributes. Record "
                            "ignored"));
                    continue;
                }
                previous = at;
                const QString stateKey = record.member(QStringLiteral("state")).scalar().toString();
                int state = lookup(timelineStates(), stateKey);
                if (state < 0)
                    state = CnfSignalGroup::string2ColorState(stateKey);
                if (state < 0) {
                    warn(record,
                         tr("'state' attribute has invalid value %1; record ignored")
                             .arg(CnfJsonParser::quoted(stateKey)));
                    continue;
                }
                program.appendTimelineData(group->id, at, state);
                stash(QLatin1String(sequenceRecordsKind),
                      sequenceRecordId(program.id, group->id, at),
                      leftover(record,
                               { QStringLiteral("state"), QStringLiteral("point"),
                                 QStringLiteral("span") }),
                      true);
            }
        }

        // Stage-ring phases become the program's steps, in 'sequence' order
        // when it names any of them.
        struct Phase
        {
            qlonglong id;
            CnfJsonValue value;
            CnfPhasePtr stage;
        };
        QVector<Phase> phases;
        for (const CnfJsonValue &phase : r.array(algorithm, QStringLiteral("phases")).items()) {
            if (!r.isType(phase, CnfJsonValue::Object, tr("an item of 'phases'")))
                return;
            // A phase whose stage is missing or unknown is not part of the plan.
            const CnfPhasePtr stage = stageRef(phase, QStringLiteral("stage"));
            const CnfJsonValue &id = phase.member(QStringLiteral("id"));
            if (stage)
                phases.append({ id.type() == CnfJsonValue::Integer ? id.scalar().toLongLong() : -1,
                                phase, stage });
        }
        // The first phase of an id, as a scan would find it, without a scan per entry.
        QHash<qlonglong, int> phaseOfId;
        for (int i = phases.size() - 1; i >= 0; --i)
            phaseOfId.insert(phases.at(i).id, i);
        QVector<Phase> ordered;
        for (const CnfJsonValue &entry : r.array(algorithm, QStringLiteral("sequence")).items()) {
            const int found = entry.type() == CnfJsonValue::Integer
                ? phaseOfId.value(entry.scalar().toLongLong(), -1)
                : -1;
            if (found >= 0)
                ordered.append(phases.at(found));
            else
                warn(
                    entry,
                    tr("phase %1 not found").arg(CnfJsonParser::quoted(entry.scalar().toString())));
        }
        if (ordered.isEmpty())
            ordered = phases;
        for (const Phase &phase : ordered) {
            const CnfPhaseDefPtr step = program.appendPhase(phase.stage, 0);
            // A step without an "id" property has the id of its position.
            const bool implicitId = phase.id == program.phaseCount();
            setProperties(*step, phase.value,
                          implicitId ? QStringList { QStringLiteral("stage"), QStringLiteral("id") }
                                     : QStringList { QStringLiteral("stage") });
        }
        const CnfJsonValue &detectors = algorithm.member(QStringLiteral("detectors"));
        if (!detectors.isUndefined())
            program.setProperty("detectors", detectors.toVariant());
        const QVariantMap rest = leftover(algorithm, known);
        if (!rest.isEmpty())
            program.setProperty("algorithm", rest);
    }

    void readScheduler(const CnfJsonValue &root)
    {
        const CnfJsonValue &scheduler = r.object(root, QStringLiteral("scheduler"));
        eachObject(r.array(scheduler, QStringLiteral("days")), tr("a day plan"),
                   [&](const CnfJsonValue &item) {
                       int number = 0;
                       if (!id(item, tr("a day plan"), &number))
                           return;
                       auto card = CnfDayCardPtr::create();
                       card->id = QString::number(number);
                       card->name = r.text(item, QStringLiteral("name"));
                       eachObject(
                           r.array(item, QStringLiteral("plans")), tr("a period"),
                           [&](const CnfJsonValue &period) {
                               const QTime start = time(period, QStringLiteral("start"));
                               const QTime stop = time(period, QStringLiteral("stop"));
                               if (!start.isValid()) {
                                   warn(period, tr("a period without a valid 'start' is skipped"));
                                   return;
                               }
                               card->addRecord(start, stop, periodPlan(period, "program"),
                                               periodPlan(period, "spareProgram"), c);
                               stash(QLatin1String(periodsKind), periodId(card->id, start),
                                     leftover(period,
                                              { QStringLiteral("start"), QStringLiteral("stop"),
                                                QStringLiteral("program"),
                                                QStringLiteral("spareProgram") }),
                                     true);
                           });
                       stash(QLatin1String(dayPlansKind), card->id,
                             leftover(item,
                                      { QStringLiteral("name"), QStringLiteral("id"),
                                        QStringLiteral("plans") }));
                       if (r.ok() && !c.addDayCard(card))
                           warn(item, c.lastError());
                   });
        eachObject(
            r.array(scheduler, QStringLiteral("weeks")), tr("a week plan"),
            [&](const CnfJsonValue &item) {
                int number = 0;
                if (!id(item, tr("a week plan"), &number))
                    return;
                auto card = CnfWeekCardPtr::create();
                card->id = QString::number(number);
                card->name = r.text(item, QStringLiteral("name"));
                const CnfJsonValue &days = item.member(QStringLiteral("days"));
                if (days.type() == CnfJsonValue::Array) {
                    if (days.size() != 7)
                        warn(days,
                             tr("'days' array has invalid size %1. Must be 7").arg(days.size()));
                    for (int day = 1; day <= 7 && day <= days.size(); ++day) {
                        CnfJsonValue holder(CnfJsonValue::Object);
                        holder.insert(QStringLiteral("day"), days.at(day - 1));
                        if (const CnfDayCardPtr plan = dayRef(holder, QStringLiteral("day")))
                            card->days.insert(day, plan);
                    }
                } else if (days.type() == CnfJsonValue::Object) {
                    static const QStringList names
                        = { QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                            QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                            QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                            QStringLiteral("Sunday") };
                    for (int day = 1; day <= 7; ++day) {
                        if (const CnfDayCardPtr plan = dayRef(days, names.at(day - 1)))
                            card->days.insert(day, plan);
                    }
                } else {
                    warn(item, tr("'days' attribute has invalid type"));
                }
                stash(QLatin1String(weekPlansKind), card->id,
                      leftover(item,
                               { QStringLiteral("name"), QStringLiteral("id"),
                                 QStringLiteral("days") }));
                if (r.ok() && !c.addWeekCard(card))
                    warn(item, c.lastError());
            });
        int position = 0;
        eachObject(r.array(scheduler, QStringLiteral("extraPeriods")), tr("an extra period"),
                   [&](const CnfJsonValue &item) {
                       auto plan = CnfSeasonPlanPtr::create();
                       plan->name = r.text(item, QStringLiteral("name"));
                       plan->from = date(item, QStringLiteral("start"));
                       plan->to = date(item, QStringLiteral("stop"));
                       plan->weekCard = weekRef(item, QStringLiteral("week"));
                       // The file's id has no field in the plan: kept by position, unless
                       // it is the one the writer gives (the position from 1).
                       QVariantMap rest
                           = leftover(item,
                                      { QStringLiteral("name"), QStringLiteral("start"),
                                        QStringLiteral("stop"), QStringLiteral("week") });
                       if (rest.value(QStringLiteral("id")) == QVariant(position + 1))
                           rest.remove(QStringLiteral("id"));
                       stash(QLatin1String(extraPeriodsKind), QString::number(position++), rest);
                       if (r.ok())
                           c.addSeasonPlan(plan);
                   });
        eachObject(r.array(scheduler, QStringLiteral("extraDays")), tr("an extra day"),
                   [&](const CnfJsonValue &item) {
                       auto day = CnfSpecialDayPtr::create();
                       const QDate when = date(item, QStringLiteral("date"));
                       day->id = r.idText(item, QStringLiteral("id"));
                       day->name = r.text(item, QStringLiteral("name"));
                       day->dayCard = dayRef(item, QStringLiteral("day"));
                       stash(QLatin1String(extraDaysKind), day->id,
                             leftover(item,
                                      { QStringLiteral("name"), QStringLiteral("id"),
                                        QStringLiteral("date"), QStringLiteral("day") }));
                       if (r.ok() && when.isValid())
                           c.addSpecialDay(when, day);
                   });
        const CnfJsonValue &defaults = r.object(scheduler, QStringLiteral("default"));
        if (!defaults.isUndefined()) {
            c.setDefaultDayCard(dayRef(defaults, QStringLiteral("dayPlan")));
            c.setDefaultProgram(planRef(defaults, QStringLiteral("program")));
            c.setReserveProgram(planRef(defaults, QStringLiteral("spareProgram")));
            stash(QLatin1String(singleObjectsKind), QStringLiteral("scheduler/default"),
                  leftover(defaults,
                           { QStringLiteral("dayPlan"), QStringLiteral("program"),
                             QStringLiteral("spareProgram") }));
        }
    }

    void readExtras(const CnfJsonValue &root)
    {
        const CnfJsonValue &interstate = r.object(root, QLatin1String(interstateKey));
        if (!interstate.isUndefined()) {
            c.setInterstate(
                CnfInterstatePtr::create(r.integer(interstate, QStringLiteral("greenBlink"), 0),
                                         r.integer(interstate, QStringLiteral("yellow"), 0),
                                         r.integer(interstate, QStringLiteral("redYellow"), 0)));
            stash(QLatin1String(singleObjectsKind), QLatin1String(interstateKey),
                  leftover(interstate,
                           { QStringLiteral("greenBlink"), QStringLiteral("yellow"),
                             QStringLiteral("redYellow") }));
        }
        const CnfJsonValue &props = r.object(root, QLatin1String(propertiesKey));
        setProperties(c, props, QStringList());
    }

    // Everything that no element took, as it stood.
    void readNative(const CnfJsonValue &root)
    {
        const QVariantMap native = keptNative(root, extras);
        for (auto it = native.cbegin(); it != native.cend(); ++it)
            CnfTreeSchema::keepNative(c, it.key(), it.value());
    }

private:
    QStringList &m_warnings;
};

} // namespace

bool ZU_MOLTConfig::fill(CnfController &controller, QString *error)
{
    controller.setProperty("type", QStringLiteral("ZU_MOLT"));
    controller.setProperty("version", QStringLiteral("1.0"));
    QStringList warnings;
    ZuReader reader(controller, warnings);
    CnfJsonRead &r = reader.r;
    const CnfJsonValue &id = root().member(QStringLiteral("id"));
    if (id.isUndefined())
        reader.warn(root(), tr("Attribute '%1' not defined").arg(QStringLiteral("id")));
    else
        controller.setProperty("number", r.integerValue(id, QStringLiteral("'id'")));
    const QString description = r.text(root(), QStringLiteral("description"));
    if (!description.isEmpty())
        controller.setProperty("description", description);

    reader.readSignalGroups(root());
    reader.readStages(root());
    reader.readMatrices(root());
    reader.readExtraMatrices(root());
    reader.readDetectors(root());
    reader.readSwitches(root());
    reader.readPlans(root());
    reader.readScheduler(root());
    reader.readExtras(root());
    if (r.ok())
        reader.readNative(root());
    for (const QString &warning : warnings)
        addWarning(warning);
    *error = r.error();
    return r.ok();
}
