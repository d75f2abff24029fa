#include "zu_moltconfig.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfjsonparser.h"
#include "cnfjsonread.h"
#include "cnfjsonwriter.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftreeschema.h"
#include "cnfweekcard.h"
#include "flatindex/flatindex.h"

#include <QCoreApplication>
#include <QSet>
#include <QVariantList>
#include <QVariantMap>

#include <cmath>
#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ZU_MOLTConfig", text);
}

// Native key that keeps the members of stages, matrices, scheduler objects and
// switches for which the controller's elements have no field, per kind and id.
const char *const extrasKey = "elementExtras";
// Root keys of our own that zumoltc ignores: what a ZU_MOLT file has no place for.
const char *const extraMatricesKey = "extraMatrices";
const char *const sensorsKey = "sensors";
const char *const interstateKey = "interstate";
const char *const propertiesKey = "controllerProperties";
// The year of the dates of the file, which carry day and month only (leap, so 29.02 fits).
const int calendarYear = 2000;
// zumoltc's value of an integer that is not set; it never stands in its files.
const int notSetTime = 2147483647;

const QStringList &sgTimes()
{
    static const QStringList keys = {
        QStringLiteral("extRed"),   QStringLiteral("redAmber"), QStringLiteral("greenBlink"), QStringLiteral("amber"),
        QStringLiteral("minRed"),   QStringLiteral("maxRed"),   QStringLiteral("minGreen"),   QStringLiteral("maxGreen"),
        QStringLiteral("extGreen1"), QStringLiteral("extGreen2")};
    return keys;
}

const QStringList &sgTypeKeys()
{
    static const QStringList keys = {QStringLiteral("traffic"), QStringLiteral("pedestrian"), QStringLiteral("arrow"),
                                     QStringLiteral("tram"), QStringLiteral("always_ON")};
    return keys;
}

// zu::TimelineState key <-> CnfSignalGroup::SGState.
const QVector<QPair<QString, int>> &timelineStates()
{
    static const QVector<QPair<QString, int>> states = {
        {QStringLiteral("green"), CnfSignalGroup::Green},     {QStringLiteral("green_blink"), CnfSignalGroup::GreenBlink},
        {QStringLiteral("amber"), CnfSignalGroup::Yellow},    {QStringLiteral("red"), CnfSignalGroup::Red},
        {QStringLiteral("red_amber"), CnfSignalGroup::RedYellow}};
    return states;
}

// zu::Color::Value key <-> CnfPowerDevice::Color.
const QVector<QPair<QString, int>> &colors()
{
    static const QVector<QPair<QString, int>> values = {
        {QStringLiteral("red"), CnfPowerDevice::Red},       {QStringLiteral("green"), CnfPowerDevice::Green},
        {QStringLiteral("amber"), CnfPowerDevice::Yellow},  {QStringLiteral("white"), CnfPowerDevice::White}};
    return values;
}

int lookup(const QVector<QPair<QString, int>> &table, const QString &key, int notFound = -1)
{
    for (const auto &entry : table) {
        if (entry.first == key)
            return entry.second;
    }
    return notFound;
}

QString lookup(const QVector<QPair<QString, int>> &table, int value)
{
    for (const auto &entry : table) {
        if (entry.second == value)
            return entry.first;
    }
    return QString();
}

// The keys in the order of `order`, then the others in key order.
QStringList inOrder(const QStringList &keys, const QStringList &order)
{
    QStringList ordered;
    for (const QString &key : order) {
        if (keys.contains(key))
            ordered.append(key);
    }
    for (const QString &key : keys) {
        if (!order.contains(key))
            ordered.append(key);
    }
    return ordered;
}

// The form of the objects that are kept in the native data as they stand,
// as zumoltc writes them: member order (members zumoltc does not know follow
// in key order) and layout. A path names members from the root, "*" for any
// array item or (inputsOutputs) any module.
void zuShape(const QStringList &path, QStringList *keys, CnfJsonWriter::Layout *layout)
{
    struct Form
    {
        QStringList path;
        QStringList order;
        CnfJsonWriter::Layout layout;
    };
    const auto s = [](const char *text) { return QString::fromLatin1(text); };
    const CnfJsonWriter::Layout normal = CnfJsonWriter::Normal;
    const CnfJsonWriter::Layout inLine = CnfJsonWriter::Inline;
    static const QVector<Form> forms = {
        {{s("startTime")}, {s("allRed"), s("amberBlink")}, inLine},
        {{s("LAN")},
         {s("lanMode"), s("lanIP"), s("lanMask"), s("gtwIP"), s("dnsIP"), s("srvIP"), s("srvName"), s("asudPort"),
          s("macAddres"), s("sntpIP"), s("sntpName")},
         normal},
        {{s("plans"), s("*"), s("algorithm"), s("detectors")}, {}, normal},
        {{s("plans"), s("*"), s("algorithm"), s("detectors"), s("*")},
         {s("phase"), s("call"), s("redirect"), s("control"), s("detector"), s("indicator")}, normal},
        {{s("controlSources")}, {}, normal},
        {{s("controlSources"), s("*")}, {s("type"), s("id"), s("priority"), s("timeout")}, normal},
        {{s("KMP1")}, {s("devices"), s("auto")}, normal},
        {{s("KMP1"), s("devices")}, {}, normal},
        {{s("KMP1"), s("devices"), s("*")}, {s("device"), s("addr"), s("type"), s("port")}, normal},
        {{s("switches"), s("default")}, {s("type"), s("control"), s("lowCurrent"), s("upCurrent"), s("minCurrent")}, normal},
        {{s("countdownBoards")}, {s("protocol"), s("warnTime"), s("items")}, normal},
        {{s("countdownBoards"), s("items")}, {}, normal},
        {{s("countdownBoards"), s("items"), s("*")}, {s("id"), s("addr"), s("boards"), s("warnTime")}, inLine},
        {{s("inputsOutputs")}, {}, normal},
        {{s("inputsOutputs"), s("*")}, {s("type"), s("common"), s("IP"), s("port"), s("channels")}, normal},
        {{s("inputsOutputs"), s("*"), s("channels")}, {}, normal},
        {{s("inputsOutputs"), s("*"), s("channels"), s("*")}, {s("channel"), s("type"), s("common"), s("detector")}, normal},
        {{s("remoteControlPanel")}, {}, normal},
        {{s("remoteControlPanel"), s("VPU1")},
         {s("type"), s("sourceId"), s("priority"), s("idleInd"), s("common"), s("stageId")}, normal},
        {{s("remoteControlPanel"), s("VPU1"), s("stageId")}, {}, inLine},
        {{s("recovery")}, {s("defectSwitchRate"), s("confidenceInterval"), s("errors")}, normal},
        {{s("recovery"), s("errors")},
         {s("redError"), s("greenError"), s("mnswProtect"), s("mnswBad"), s("noLoad/swBreak"), s("parasitePower/swShort"),
          s("swBreak"), s("swShort"), s("noLoad"), s("parasitePower"), s("curentLimit"), s("shortCurent")},
         normal},
        {{s("recovery"), s("errors"), s("*")}, {s("attempts"), s("interval"), s("filter")}, inLine},
    };
    for (const Form &form : forms) {
        if (form.path.size() != path.size())
            continue;
        bool match = true;
        for (int i = 0; i < path.size() && match; ++i)
            match = form.path.at(i) == QLatin1String("*") || form.path.at(i) == path.at(i);
        if (!match)
            continue;
        if (keys)
            *keys = inOrder(*keys, form.order);
        *layout = form.layout;
        return;
    }
}

QVariantMap without(QVariantMap map, const QStringList &keys)
{
    for (const QString &key : keys)
        map.remove(key);
    return map;
}

QVariantMap leftover(const CnfJsonValue &object, const QStringList &known)
{
    QVariantMap map;
    for (const auto &member : object.members()) {
        if (!known.contains(member.first))
            map.insert(member.first, member.second.toVariant());
    }
    return map;
}

// Reading -----------------------------------------------------------------

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
        m_warnings.append(QStringLiteral("Line %1, column %2: %3").arg(at.line()).arg(at.column()).arg(message));
    }

    void stash(const QString &kind, const QString &id, const QVariantMap &members)
    {
        if (members.isEmpty())
            return;
        QVariantMap byId = extras.value(kind).toMap();
        byId.insert(id, members);
        extras.insert(kind, byId);
    }

    void setProperties(QObject &object, const CnfJsonValue &item, const QStringList &known)
    {
        for (const auto &member : item.members()) {
            if (!known.contains(member.first))
                object.setProperty(member.first.toUtf8().constData(), member.second.toVariant());
        }
    }

    // An id: required, an integer (as zumoltc writes it).
    bool id(const CnfJsonValue &item, const QString &what, int *value)
    {
        const CnfJsonValue &id = item.member(QStringLiteral("id"));
        if (id.isUndefined()) {
            warn(item, tr("Attribute '%1' not defined; %2 skipped").arg(QStringLiteral("id"), what));
            return false;
        }
        *value = r.integerValue(id, QStringLiteral("'id' of %1").arg(what));
        return r.ok();
    }

    // A reference: a number is an id, a text a name; null or absent is none.
    template<typename T, typename ById, typename ByName>
    T ref(const CnfJsonValue &item, const QString &key, const QString &kind, ById byId, ByName byName)
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined() || value.type() == CnfJsonValue::Null)
            return T();
        T found;
        // Ids are ints: a larger number refers to nothing (it must not wrap round to another id).
        const qlonglong number = value.type() == CnfJsonValue::Integer ? value.scalar().toLongLong() : 0;
        if (value.type() == CnfJsonValue::Integer && number >= std::numeric_limits<int>::min()
            && number <= std::numeric_limits<int>::max())
            found = byId(number);
        else if (value.type() == CnfJsonValue::String)
            found = byName(value.scalar().toString());
        if (!found)
            warn(value, tr("'%1' refers to no %2 %3").arg(key, kind, value.scalar().toString()));
        return found;
    }

    template<typename T, typename List>
    static T byName(const List &list, const QString &name)
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
            item, key, QStringLiteral("signal group"), [this](qlonglong id) { return c.findSG(int(id)); },
            [this](const QString &name) { return c.findSGByName(name); });
    }

    CnfPhasePtr stageRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfPhasePtr>(
            item, key, QStringLiteral("stage"), [this](qlonglong id) { return c.findPhase(QString::number(id)); },
            [this](const QString &name) { return byName<CnfPhasePtr>(c.phases(), name); });
    }

    CnfProgramPtr planRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfProgramPtr>(
            item, key, QStringLiteral("plan"), [this](qlonglong id) { return c.findProgram(QString::number(id)); },
            [this](const QString &name) { return c.findProgramByName(name); });
    }

    CnfDayCardPtr dayRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfDayCardPtr>(
            item, key, QStringLiteral("day plan"), [this](qlonglong id) { return c.findDayCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfDayCardPtr>(c.dayCards(), name); });
    }

    CnfWeekCardPtr weekRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfWeekCardPtr>(
            item, key, QStringLiteral("week plan"), [this](qlonglong id) { return c.findWeekCard(QString::number(id)); },
            [this](const QString &name) { return byName<CnfWeekCardPtr>(c.weekCards(), name); });
    }

    // Enumeration key; an unknown key warns and gives -1.
    int enumValue(const CnfJsonValue &item, const QString &key, const QStringList &keys)
    {
        const CnfJsonValue &value = item.member(key);
        if (value.isUndefined())
            return -1;
        const int index = value.type() == CnfJsonValue::String ? keys.indexOf(value.scalar().toString()) : -1;
        if (index < 0)
            warn(value, tr("'%1' attribute has invalid value %2").arg(key, value.scalar().toString()));
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
    template<typename F>
    void eachObject(const CnfJsonValue &list, const QString &what, F read)
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
            readTimes(*group, defaults);
            setProperties(*group, defaults, known);
            c.setDefaulSignalGroup(group);
        }
        known << QStringLiteral("name") << QStringLiteral("id") << QStringLiteral("type");
        eachObject(r.array(groups, QStringLiteral("items")), tr("a signal group"), [&](const CnfJsonValue &item) {
            auto group = CnfSignalGroupPtr::create();
            if (!id(item, tr("a signal group"), &group->id))
                return;
            group->name = r.text(item, QStringLiteral("name"));
            const int type = enumValue(item, QStringLiteral("type"), sgTypeKeys());
            group->setType(type < 0 ? CnfSignalGroup::Traffic : type);
            readTimes(*group, item);
            setProperties(*group, item, known);
            if (r.ok() && !c.addSignalGroup(group))
                warn(item, c.lastError());
        });
    }

    void readTimes(CnfSignalGroup &group, const CnfJsonValue &item)
    {
        for (const QString &key : sgTimes()) {
            const CnfJsonValue &value = item.member(key);
            if (value.isUndefined())
                continue;
            if (value.type() != CnfJsonValue::Integer) {
                warn(value, tr("'%1' attribute has invalid type").arg(key));
                continue;
            }
            group.setProperty(key.toLatin1().constData(), r.integerValue(value, QStringLiteral("'%1'").arg(key)));
        }
    }

    void readStages(const CnfJsonValue &root)
    {
        static const QStringList known = {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("groups"),
                                          QStringLiteral("minGreen"), QStringLiteral("maxGreen"),
                                          QStringLiteral("minTime"), QStringLiteral("maxTime")};
        eachObject(r.array(root, QStringLiteral("stages")), tr("a stage"), [&](const CnfJsonValue &item) {
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
            const QString minKey = item.member(QStringLiteral("minGreen")).type() == CnfJsonValue::Integer
                ? QStringLiteral("minGreen") : QStringLiteral("minTime");
            const QString maxKey = item.member(QStringLiteral("maxGreen")).type() == CnfJsonValue::Integer
                ? QStringLiteral("maxGreen") : QStringLiteral("maxTime");
            phase->minTime = r.integer(item, minKey, -1, -1);
            phase->maxTime = r.integer(item, maxKey, -1, -1);
            stash(QStringLiteral("stages"), phase->id, leftover(item, known));
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
                  leftover(item, {QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("items"), QStringLiteral("matrix")}));
            const CnfJsonValue &table = item.member(QStringLiteral("matrix"));
            if (table.type() == CnfJsonValue::Array) {
                const QList<CnfSignalGroupPtr> groups = c.signalGroups();
                if (table.size() != groups.size()) {
                    warn(table, tr("'matrix' has %1 rows for %2 signal groups").arg(table.size()).arg(groups.size()));
                    return;
                }
                for (int row = 0; row < table.size(); ++row) {
                    const CnfJsonValue &cells = table.at(row);
                    if (cells.type() != CnfJsonValue::Array || cells.size() != groups.size()) {
                        warn(cells, tr("row %1 of 'matrix' is not an array of %2 numbers").arg(row + 1).arg(groups.size()));
                        return;
                    }
                    for (int column = 0; column < cells.size(); ++column) {
                        if (cells.at(column).isNumber())
                            matrix->setReleaf(groups.at(row), groups.at(column), std::trunc(cells.at(column).scalar().toDouble()));
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
                if (clearing && entering)
                    matrix->setReleaf(clearing, entering, time.isNumber() ? time.scalar().toDouble() : double(notSetTime));
            });
        });
        if (r.ok())
            c.addMatrix(matrix, true, true);
    }

    void readExtraMatrices(const CnfJsonValue &root)
    {
        eachObject(r.array(root, QLatin1String(extraMatricesKey)), tr("a matrix"), [&](const CnfJsonValue &item) {
            auto matrix = CnfMatrixPtr::create();
            matrix->setId(r.integer(item, QStringLiteral("id"), 1));
            matrix->setName(r.text(item, QStringLiteral("name")));
            for (const CnfJsonValue &cell : r.array(item, QStringLiteral("cells")).items()) {
                if (cell.type() != CnfJsonValue::Array || cell.size() != 3 || !cell.at(2).isNumber()) {
                    r.fail(cell, tr("a matrix cell must be [group, group, value]"));
                    return;
                }
                matrix->setReleaf(r.integerValue(cell.at(0), tr("a signal group of a cell")),
                                  r.integerValue(cell.at(1), tr("a signal group of a cell")), cell.at(2).scalar().toDouble());
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
            r.fail(detectors, tr("'detectors' attribute has invalid type (must be array or object)"));
        eachObject(items, tr("a detector"), [&](const CnfJsonValue &item) {
            auto detector = CnfDetectorPtr::create();
            int number = 0;
            if (!id(item, tr("a detector"), &number))
                return;
            detector->setId(number);
            detector->setName(r.text(item, QStringLiteral("name")));
            setProperties(*detector, item, {QStringLiteral("id"), QStringLiteral("name")});
            if (r.ok() && !c.addDetector(detector))
                warn(item, c.lastError());
        });
        eachObject(r.array(root, QLatin1String(sensorsKey)), tr("a sensor"), [&](const CnfJsonValue &item) {
            auto sensor = CnfDetectorPtr::create();
            sensor->setId(r.integer(item, QStringLiteral("id"), 0));
            sensor->setName(r.text(item, QStringLiteral("name")));
            setProperties(*sensor, item, {QStringLiteral("id"), QStringLiteral("name")});
            if (r.ok() && !c.addSensor(sensor))
                warn(item, c.lastError());
        });
    }

    void readSwitches(const CnfJsonValue &root)
    {
        static const QStringList known = {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("type"),
                                          QStringLiteral("signalGroup"), QStringLiteral("addr"), QStringLiteral("color"),
                                          QStringLiteral("heads"), QStringLiteral("control"), QStringLiteral("deviceType")};
        const CnfJsonValue &switches = r.object(root, QStringLiteral("switches"));
        eachObject(r.array(switches, QStringLiteral("items")), tr("a switch"), [&](const CnfJsonValue &item) {
            auto device = CnfPowerDevicePtr::create();
            if (!id(item, tr("a switch"), &device->id))
                return;
            device->name = r.text(item, QStringLiteral("name"));
            device->type = CnfPowerDevice::OutputZuMolt;
            enumValue(item, QStringLiteral("type"), {QStringLiteral("ZU4_SW")});
            device->type = r.integer(item, QStringLiteral("deviceType"), device->type, 0, 255);
            device->address = r.integer(item, QStringLiteral("addr"), 0);
            const CnfJsonValue &color = item.member(QStringLiteral("color"));
            if (!color.isUndefined()) {
                const int value = lookup(colors(), color.scalar().toString());
                if (value < 0)
                    warn(color, tr("'%1' attribute has invalid value %2").arg(QStringLiteral("color"), color.scalar().toString()));
                else
                    device->color = value;
            }
            device->lampsCount = r.integer(item, QStringLiteral("heads"), 1, 0);
            device->burnoutControl = r.boolean(item, QStringLiteral("control"), false) ? device->lampsCount : 0;
            const CnfSignalGroupPtr group = groupRef(item, QStringLiteral("signalGroup"));
            stash(QStringLiteral("switches"), QString::number(device->id), leftover(item, known));
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
        eachObject(r.array(root, QStringLiteral("plans")), tr("a plan"), [&](const CnfJsonValue &item) {
            int number = 0;
            if (!id(item, tr("a plan"), &number))
                return;
            auto program = CnfProgramPtr::create(&c);
            program->id = QString::number(number);
            program->name = r.text(item, QStringLiteral("name"));
            setProperties(*program, item, {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("algorithm")});
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
        QStringList known = {QStringLiteral("type"), QStringLiteral("coordinated"), QStringLiteral("cycle"),
                             QStringLiteral("offset"), QStringLiteral("sequences"), QStringLiteral("phases"),
                             QStringLiteral("detectors"), QStringLiteral("sequence"), QStringLiteral("mode")};
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
                    if (sum < std::numeric_limits<int>::min() || sum > std::numeric_limits<int>::max()) {
                        r.fail(span, tr("'span' puts the record at %1, out of the range %2 to %3")
                                         .arg(sum)
                                         .arg(std::numeric_limits<int>::min())
                                         .arg(std::numeric_limits<int>::max()));
                        return;
                    }
                    at = int(sum);
                } else {
                    warn(record, tr("'sequence' record not contains 'point' nor 'span' attributes. Record ignored"));
                    continue;
                }
                previous = at;
                const QString stateKey = record.member(QStringLiteral("state")).scalar().toString();
                int state = lookup(timelineStates(), stateKey);
                if (state < 0)
                    state = CnfSignalGroup::string2ColorState(stateKey);
                if (state < 0) {
                    warn(record, tr("'state' attribute has invalid value %1; record ignored").arg(stateKey));
                    continue;
                }
                program.setTimelineData(group, at, state);
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
                phases.append({id.type() == CnfJsonValue::Integer ? id.scalar().toLongLong() : -1, phase, stage});
        }
        // The first phase of an id, as a scan would find it, without a scan per entry.
        QHash<qlonglong, int> phaseOfId;
        for (int i = phases.size() - 1; i >= 0; --i)
            phaseOfId.insert(phases.at(i).id, i);
        QVector<Phase> ordered;
        for (const CnfJsonValue &entry : r.array(algorithm, QStringLiteral("sequence")).items()) {
            const int found = entry.type() == CnfJsonValue::Integer ? phaseOfId.value(entry.scalar().toLongLong(), -1) : -1;
            if (found >= 0)
                ordered.append(phases.at(found));
            else
                warn(entry, tr("phase %1 not found").arg(entry.scalar().toString()));
        }
        if (ordered.isEmpty())
            ordered = phases;
        for (const Phase &phase : ordered) {
            const CnfPhaseDefPtr step = program.appendPhase(phase.stage, 0);
            // A step without an "id" property has the id of its position.
            const bool implicitId = phase.id == program.phaseCount();
            setProperties(*step, phase.value,
                          implicitId ? QStringList{QStringLiteral("stage"), QStringLiteral("id")} : QStringList{QStringLiteral("stage")});
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
        eachObject(r.array(scheduler, QStringLiteral("days")), tr("a day plan"), [&](const CnfJsonValue &item) {
            int number = 0;
            if (!id(item, tr("a day plan"), &number))
                return;
            auto card = CnfDayCardPtr::create();
            card->id = QString::number(number);
            card->name = r.text(item, QStringLiteral("name"));
            eachObject(r.array(item, QStringLiteral("plans")), tr("a period"), [&](const CnfJsonValue &period) {
                const QTime start = time(period, QStringLiteral("start"));
                const QTime stop = time(period, QStringLiteral("stop"));
                if (!start.isValid()) {
                    warn(period, tr("a period without a valid 'start' is skipped"));
                    return;
                }
                card->addRecord(start, stop, planRef(period, QStringLiteral("program")),
                                planRef(period, QStringLiteral("spareProgram")));
            });
            stash(QStringLiteral("days"), card->id,
                  leftover(item, {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("plans")}));
            if (r.ok() && !c.addDayCard(card))
                warn(item, c.lastError());
        });
        eachObject(r.array(scheduler, QStringLiteral("weeks")), tr("a week plan"), [&](const CnfJsonValue &item) {
            int number = 0;
            if (!id(item, tr("a week plan"), &number))
                return;
            auto card = CnfWeekCardPtr::create();
            card->id = QString::number(number);
            card->name = r.text(item, QStringLiteral("name"));
            const CnfJsonValue &days = item.member(QStringLiteral("days"));
            if (days.type() == CnfJsonValue::Array) {
                if (days.size() != 7)
                    warn(days, tr("'days' array has invalid size %1. Must be 7").arg(days.size()));
                for (int day = 1; day <= 7 && day <= days.size(); ++day) {
                    CnfJsonValue holder(CnfJsonValue::Object);
                    holder.insert(QStringLiteral("day"), days.at(day - 1));
                    if (const CnfDayCardPtr plan = dayRef(holder, QStringLiteral("day")))
                        card->days.insert(day, plan);
                }
            } else if (days.type() == CnfJsonValue::Object) {
                static const QStringList names = {QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                                  QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                                  QStringLiteral("Friday"), QStringLiteral("Saturday"),
                                                  QStringLiteral("Sunday")};
                for (int day = 1; day <= 7; ++day) {
                    if (const CnfDayCardPtr plan = dayRef(days, names.at(day - 1)))
                        card->days.insert(day, plan);
                }
            } else {
                warn(item, tr("'days' attribute has invalid type"));
            }
            stash(QStringLiteral("weeks"), card->id,
                  leftover(item, {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("days")}));
            if (r.ok() && !c.addWeekCard(card))
                warn(item, c.lastError());
        });
        int position = 0;
        eachObject(r.array(scheduler, QStringLiteral("extraPeriods")), tr("an extra period"), [&](const CnfJsonValue &item) {
            auto plan = CnfSeasonPlanPtr::create();
            plan->name = r.text(item, QStringLiteral("name"));
            plan->from = date(item, QStringLiteral("start"));
            plan->to = date(item, QStringLiteral("stop"));
            plan->weekCard = weekRef(item, QStringLiteral("week"));
            // The file's id has no field in the plan: kept by position, unless
            // it is the one the writer gives (the position from 1).
            QVariantMap rest = leftover(item, {QStringLiteral("name"), QStringLiteral("start"), QStringLiteral("stop"),
                                               QStringLiteral("week")});
            if (rest.value(QStringLiteral("id")) == QVariant(position + 1))
                rest.remove(QStringLiteral("id"));
            stash(QStringLiteral("extraPeriods"), QString::number(position++), rest);
            if (r.ok())
                c.addSeasonPlan(plan);
        });
        eachObject(r.array(scheduler, QStringLiteral("extraDays")), tr("an extra day"), [&](const CnfJsonValue &item) {
            auto day = CnfSpecialDayPtr::create();
            const QDate when = date(item, QStringLiteral("date"));
            day->id = r.idText(item, QStringLiteral("id"));
            day->name = r.text(item, QStringLiteral("name"));
            day->dayCard = dayRef(item, QStringLiteral("day"));
            stash(QStringLiteral("extraDays"), day->id,
                  leftover(item, {QStringLiteral("name"), QStringLiteral("id"), QStringLiteral("date"), QStringLiteral("day")}));
            if (r.ok() && when.isValid())
                c.addSpecialDay(when, day);
        });
        const CnfJsonValue &defaults = r.object(scheduler, QStringLiteral("default"));
        if (!defaults.isUndefined()) {
            c.setDefaultDayCard(dayRef(defaults, QStringLiteral("dayPlan")));
            c.setDefaultProgram(planRef(defaults, QStringLiteral("program")));
            c.setReserveProgram(planRef(defaults, QStringLiteral("spareProgram")));
        }
    }

    void readExtras(const CnfJsonValue &root)
    {
        const CnfJsonValue &interstate = r.object(root, QLatin1String(interstateKey));
        if (!interstate.isUndefined()) {
            c.setInterstate(CnfInterstatePtr::create(r.integer(interstate, QStringLiteral("greenBlink"), 0),
                                                     r.integer(interstate, QStringLiteral("yellow"), 0),
                                                     r.integer(interstate, QStringLiteral("redYellow"), 0)));
        }
        const CnfJsonValue &props = r.object(root, QLatin1String(propertiesKey));
        for (const auto &member : props.members())
            c.setProperty(member.first.toUtf8().constData(), member.second.toVariant());
    }

    // Everything that no element took, as it stood.
    void readNative(const CnfJsonValue &root)
    {
        QVariantMap native = without(root.toVariant().toMap(),
                                     {QStringLiteral("configVersion"), QStringLiteral("type"), QStringLiteral("id"),
                                      QStringLiteral("description"), QStringLiteral("stages"), QStringLiteral("IGM"),
                                      QStringLiteral("plans"), QLatin1String(extraMatricesKey), QLatin1String(sensorsKey),
                                      QLatin1String(interstateKey), QLatin1String(propertiesKey), QLatin1String(extrasKey)});
        auto reduce = [&native](const QString &key, const QStringList &taken) {
            if (!native.contains(key))
                return;
            if (native.value(key).userType() != QMetaType::QVariantMap) {
                native.remove(key);
                return;
            }
            const QVariantMap rest = without(native.value(key).toMap(), taken);
            if (rest.isEmpty())
                native.remove(key);
            else
                native.insert(key, rest);
        };
        reduce(QStringLiteral("signalGroups"), {QStringLiteral("default"), QStringLiteral("items")});
        reduce(QStringLiteral("detectors"), {QStringLiteral("items")});
        reduce(QStringLiteral("switches"), {QStringLiteral("items")});
        reduce(QStringLiteral("scheduler"), {QStringLiteral("default"), QStringLiteral("days"), QStringLiteral("weeks"),
                                             QStringLiteral("extraPeriods"), QStringLiteral("extraDays")});
        // The writer gives every file a "KMP1"; an empty one holds nothing to keep.
        if (native.value(QStringLiteral("KMP1")) == QVariant(QVariantMap()))
            native.remove(QStringLiteral("KMP1"));
        if (!extras.isEmpty())
            native.insert(QLatin1String(extrasKey), extras);
        for (auto it = native.cbegin(); it != native.cend(); ++it)
            c.setNativeData(it.key(), it.value());
    }

private:
    QStringList &m_warnings;
};

// Writing -----------------------------------------------------------------

class ZuWriter
{
public:
    ZuWriter(const CnfController &controller)
        : c(controller)
        , listed(controller)
        , w(CnfJsonWriter::Verbatim)
    {
        w.setShape(zuShape);
        native = CnfTreeSchema::plain(c.nativeData().toVariant()).toMap();
        extras = native.take(QLatin1String(extrasKey)).toMap();
    }

    const CnfController &c;
    // A reference to an element that is not listed is never written: both
    // readers would warn about it on every load.
    const CnfTreeSchema::Listed listed;
    CnfJsonWriter w;
    QVariantMap native;
    QVariantMap extras;
    QString error;

    bool fail(const QString &message)
    {
        if (error.isEmpty())
            error = message;
        return false;
    }

    QVariantMap extrasOf(const QString &kind, const QString &id) const
    {
        return extras.value(kind).toMap().value(id).toMap();
    }

    void writeMembers(const QVariantMap &members, const QStringList &order = QStringList())
    {
        for (const QString &key : inOrder(members.keys(), order))
            w.writeValue(key, members.value(key));
    }

    // The integer of a text id; ZU_MOLT files refer to objects by number.
    bool number(const QString &id, const QString &what, int *value)
    {
        bool ok = false;
        *value = id.toInt(&ok);
        if (!ok)
            return fail(tr("%1 \"%2\" has no numeric id, which a ZU_MOLT file needs").arg(what, id));
        return true;
    }

    void writeNative(const QString &key)
    {
        if (native.contains(key))
            w.writeValue(key, native.take(key));
    }

    QVariantMap takeNativeMap(const QString &key)
    {
        if (native.value(key).userType() == QMetaType::QVariantMap)
            return native.take(key).toMap();
        return QVariantMap();
    }

    static QString timeText(const QTime &time)
    {
        return time.toString(time.second() == 0 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss"));
    }

    static QString dateText(const QDate &date)
    {
        return date.toString(QStringLiteral("dd.MM"));
    }

    // Native keys that would stand twice in the file, beside what the writer makes.
    bool checkNative()
    {
        static const QStringList reserved = {
            QStringLiteral("configVersion"), QStringLiteral("type"), QStringLiteral("id"), QStringLiteral("description"),
            QStringLiteral("stages"), QStringLiteral("IGM"), QStringLiteral("plans"), QLatin1String(extraMatricesKey),
            QLatin1String(sensorsKey), QLatin1String(interstateKey), QLatin1String(propertiesKey)};
        static const QStringList containers = {QStringLiteral("signalGroups"), QStringLiteral("detectors"),
                                               QStringLiteral("scheduler"), QStringLiteral("switches")};
        for (auto it = native.cbegin(); it != native.cend(); ++it) {
            if (reserved.contains(it.key())
                || (containers.contains(it.key()) && it.value().userType() != QMetaType::QVariantMap)) {
                return fail(tr("The native data key \"%1\" clashes with a key that the ZU_MOLT file gives itself")
                                .arg(it.key()));
            }
        }
        return true;
    }

    bool write()
    {
        if (!checkNative())
            return false;
        w.beginObject();
        w.writeValue(QStringLiteral("configVersion"), 1);
        w.writeValue(QStringLiteral("type"), QStringLiteral("ZU_MOLT"));
        writeNative(QStringLiteral("name"));
        bool ok = false;
        const int id = c.property("number").toInt(&ok);
        if (ok)
            w.writeValue(QStringLiteral("id"), id);
        const QString description = c.property("description").toString();
        if (!description.isEmpty())
            w.writeValue(QStringLiteral("description"), description);
        writeNative(QStringLiteral("timeZone"));
        writeNative(QStringLiteral("maxCurrent"));
        writeNative(QStringLiteral("startTime"));
        writeNative(QStringLiteral("LAN"));
        writeSignalGroups();
        writeStages();
        writeMatrix();
        writeDetectors();
        writePlans();
        writeScheduler();
        writeNative(QStringLiteral("controlSources"));
        if (!native.contains(QStringLiteral("KMP1")))
            w.writeValue(QStringLiteral("KMP1"), QVariantMap());
        writeNative(QStringLiteral("KMP1"));
        writeSwitches();
        writeNative(QStringLiteral("countdownBoards"));
        writeNative(QStringLiteral("inputsOutputs"));
        writeNative(QStringLiteral("remoteControlPanel"));
        writeNative(QStringLiteral("recovery"));
        // Keys of the file that plivek does not know, then what zumoltc has no place for.
        writeMembers(native);
        writeExtras();
        w.endObject();
        if (w.hasError())
            fail(w.error());
        return error.isEmpty();
    }

    void writeTimes(const CnfSignalGroup &group, const CnfSignalGroup *defaults)
    {
        for (const QString &key : sgTimes()) {
            const QVariant value = group.property(key.toLatin1().constData());
            if (!value.isValid())
                continue;
            if (defaults && defaults->property(key.toLatin1().constData()) == value)
                continue;
            w.writeValue(key, value);
        }
    }

    void writeOtherProperties(const QObject &object, const QStringList &skip)
    {
        const QList<QByteArray> names = object.dynamicPropertyNames();
        QVariantMap rest;
        for (const QByteArray &name : names) {
            const QString key = QString::fromUtf8(name);
            if (!name.startsWith("_q_") && !skip.contains(key))
                rest.insert(key, CnfTreeSchema::plain(object.property(name.constData())));
        }
        writeMembers(rest);
    }

    void writeSignalGroups()
    {
        const CnfSignalGroupPtr defaults = c.defaultSignalGroup();
        bool hasDefaultTimes = false;
        for (const QString &key : sgTimes())
            hasDefaultTimes = hasDefaultTimes || (defaults && defaults->property(key.toLatin1().constData()).isValid());
        const QVariantMap rest = without(takeNativeMap(QStringLiteral("signalGroups")),
                                         {QStringLiteral("default"), QStringLiteral("items")});
        const QList<CnfSignalGroupPtr> groups = c.signalGroups();
        if (groups.isEmpty() && !defaults && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("signalGroups"));
        if (defaults && (hasDefaultTimes || !defaults->dynamicPropertyNames().isEmpty())) {
            w.beginObject(QStringLiteral("default"), CnfJsonWriter::SingleLine);
            writeTimes(*defaults, nullptr);
            writeOtherProperties(*defaults, sgTimes());
            w.endObject();
        }
        if (!groups.isEmpty()) {
            w.beginArray(QStringLiteral("items"));
            for (const CnfSignalGroupPtr &group : groups) {
                w.beginObject(QString(), CnfJsonWriter::Inline);
                writeName(group->name);
                w.writeValue(QStringLiteral("id"), group->id);
                if (group->type >= 0 && group->type < sgTypeKeys().size())
                    w.writeValue(QStringLiteral("type"), sgTypeKeys().at(group->type));
                else
                    w.writeValue(QStringLiteral("type"), group->type); // no ZU_MOLT key: kept as a number
                writeTimes(*group, defaults && hasDefaultTimes ? defaults.data() : nullptr);
                writeOtherProperties(*group, sgTimes());
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(rest);
        w.endObject();
    }

    void writeStages()
    {
        const QList<CnfPhasePtr> phases = c.phases();
        if (phases.isEmpty())
            return;
        w.beginArray(QStringLiteral("stages"));
        for (const CnfPhasePtr &phase : phases) {
            int id = 0;
            if (!number(phase->id, tr("Phase"), &id))
                return;
            w.beginObject();
            writeName(phase->name);
            w.writeValue(QStringLiteral("id"), id);
            QVariantList groups;
            for (const CnfSignalGroupPtr &group : phase->signalGroups) {
                if (listed.has(group))
                    groups.append(group->id);
            }
            if (!groups.isEmpty()) {
                w.beginArray(QStringLiteral("groups"), CnfJsonWriter::Inline);
                for (const QVariant &group : groups)
                    w.writeValue(QString(), group);
                w.endArray();
            }
            if (phase->minTime >= 0)
                w.writeValue(QStringLiteral("minGreen"), phase->minTime);
            if (phase->maxTime >= 0)
                w.writeValue(QStringLiteral("maxGreen"), phase->maxTime);
            writeMembers(extrasOf(QStringLiteral("stages"), phase->id));
            w.endObject();
        }
        w.endArray();
    }

    // The time of a conflict point; a point without a time (the not-set value
    // 2147483647, as an absent "time" reads) gets no "time", as zumoltc writes it.
    static QVariant cellValue(double value)
    {
        if (value == double(notSetTime))
            return QVariant();
        return value == std::trunc(value) && std::fabs(value) < 2147483647.0 ? QVariant(int(value)) : QVariant(value);
    }

    void writeMatrix()
    {
        const CnfMatrixPtr matrix = c.conflictMatrix();
        if (!matrix)
            return;
        w.beginArray(QStringLiteral("IGM"));
        w.beginObject();
        writeName(matrix->name());
        w.writeValue(QStringLiteral("id"), matrix->id());
        w.beginArray(QStringLiteral("items"));
        for (const CnfMatrixCell &cell : matrix->content()) {
            if (!c.findSG(cell.aId) || !c.findSG(cell.bId))
                continue;
            w.beginObject(QString(), CnfJsonWriter::Inline);
            w.writeValue(QStringLiteral("clearing"), cell.aId);
            w.writeValue(QStringLiteral("entering"), cell.bId);
            w.writeValue(QStringLiteral("time"), cellValue(cell.value));
            w.endObject();
        }
        w.endArray();
        writeMembers(extrasOf(QStringLiteral("IGM"), QString::number(matrix->id())));
        w.endObject();
        w.endArray();
    }

    void writeDetectors()
    {
        const QList<CnfDetectorPtr> detectors = c.detectorsList();
        const QVariantMap rest = without(takeNativeMap(QStringLiteral("detectors")), {QStringLiteral("items")});
        if (detectors.isEmpty() && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("detectors"));
        writeMembers(rest);
        w.beginArray(QStringLiteral("items"));
        for (const CnfDetectorPtr &detector : detectors) {
            w.beginObject(QString(), CnfJsonWriter::Inline);
            writeName(detector->name());
            w.writeValue(QStringLiteral("id"), detector->id());
            writeOtherProperties(*detector, {});
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }

    void writePlans()
    {
        const QList<CnfProgramPtr> programs = c.programs();
        if (programs.isEmpty())
            return;
        w.beginArray(QStringLiteral("plans"));
        for (const CnfProgramPtr &program : programs) {
            int id = 0;
            if (!number(program->id, tr("Program"), &id))
                return;
            w.beginObject();
            writeName(program->name);
            w.writeValue(QStringLiteral("id"), id);
            w.beginObject(QStringLiteral("algorithm"));
            if (!writeAlgorithm(*program))
                return;
            w.endObject();
            writeOtherProperties(*program, {QStringLiteral("coordinated"), QStringLiteral("detectors"),
                                            QStringLiteral("algorithm")});
            w.endObject();
        }
        w.endArray();
    }

    bool writeAlgorithm(const CnfProgram &program)
    {
        const QVariantMap kept = CnfTreeSchema::plain(program.property("algorithm")).toMap();
        switch (program.type) {
        case CnfProgram::Timeline:
        case CnfProgram::CoordinatedTimeline:
            w.writeValue(QStringLiteral("type"), QStringLiteral("Timeline"));
            if (program.type == CnfProgram::CoordinatedTimeline)
                w.writeValue(QStringLiteral("coordinated"), true);
            break;
        case CnfProgram::Stagering:
            w.writeValue(QStringLiteral("type"), QStringLiteral("StageRing"));
            if (program.property("coordinated").toBool())
                w.writeValue(QStringLiteral("coordinated"), true);
            break;
        case CnfProgram::YellowFlash:
        case CnfProgram::Dark:
            w.writeValue(QStringLiteral("type"), QStringLiteral("Special"));
            break;
        case 0:
            break;
        default:
            return fail(tr("Program \"%1\" is of type \"%2\", which a ZU_MOLT file cannot hold")
                            .arg(program.id, CnfProgram::typeName(program.type, false)));
        }
        if (program.cycleLength != 0)
            w.writeValue(QStringLiteral("cycle"), program.cycleLength);
        if (program.hasCycleOffset())
            w.writeValue(QStringLiteral("offset"), program.cycleOffset(0));
        if (program.type == CnfProgram::YellowFlash || program.type == CnfProgram::Dark)
            w.writeValue(QStringLiteral("mode"), program.type == CnfProgram::YellowFlash ? QStringLiteral("AB") : QStringLiteral("OFF"));

        const QList<int> groups = program.timelineGroups();
        if (!groups.isEmpty()) {
            w.beginArray(QStringLiteral("sequences"));
            for (int group : groups) {
                if (!c.findSG(group))
                    continue;
                w.beginObject();
                w.writeValue(QStringLiteral("group"), group);
                w.beginArray(QStringLiteral("sequence"));
                const QMap<int, int> points = program.getTimelineData(group);
                for (auto it = points.cbegin(); it != points.cend(); ++it) {
                    w.beginObject(QString(), CnfJsonWriter::Inline);
                    QString state = lookup(timelineStates(), it.value());
                    if (state.isEmpty())
                        state = CnfSignalGroup::colorStateKey(it.value()); // zumoltc skips it; plivek reads it back
                    w.writeValue(QStringLiteral("state"), state);
                    w.writeValue(QStringLiteral("point"), it.key());
                    w.endObject();
                }
                w.endArray();
                w.endObject();
            }
            w.endArray();
        }

        const QList<CnfPhaseDefPtr> steps = program.phases();
        if (!steps.isEmpty()) {
            static const QStringList order = {QStringLiteral("id"), QStringLiteral("stage"), QStringLiteral("call"),
                                              QStringLiteral("recall"), QStringLiteral("countdownBoard"),
                                              QStringLiteral("passage"), QStringLiteral("minGreen"), QStringLiteral("maxGreen")};
            const QVector<int> ids = stepIds(steps);
            QVariantList sequence;
            w.beginArray(QStringLiteral("phases"));
            for (int i = 0; i < steps.size(); ++i) {
                const CnfPhaseDefPtr &step = steps.at(i);
                if (!c.findPhase(step->id()))
                    continue;
                int stage = 0;
                if (!number(step->id(), tr("Phase"), &stage))
                    return false;
                const int id = ids.at(i);
                sequence.append(id);
                w.beginObject();
                w.writeValue(QStringLiteral("id"), id);
                w.writeValue(QStringLiteral("stage"), stage);
                for (int k = 2; k < order.size(); ++k)
                    w.writeValue(order.at(k), CnfTreeSchema::plain(step->property(order.at(k).toLatin1().constData())));
                writeOtherProperties(*step, order);
                w.endObject();
            }
            w.endArray();
            const QVariant detectors = CnfTreeSchema::plain(program.property("detectors"));
            if (!detectors.toList().isEmpty())
                w.writeValue(QStringLiteral("detectors"), detectors);
            w.beginArray(QStringLiteral("sequence"), CnfJsonWriter::Inline);
            for (const QVariant &id : sequence)
                w.writeValue(QString(), id);
            w.endArray();
        } else if (program.property("detectors").isValid()) {
            w.writeValue(QStringLiteral("detectors"), CnfTreeSchema::plain(program.property("detectors")));
        }
        writeMembers(kept);
        return true;
    }

    // The file's id of each step of a plan (0 for a step that is not written).
    // A step keeps its own "id" property, else it has the id of its position;
    // an id that an earlier step already holds (two steps copied with their
    // properties, or a new step whose position another step names) gets the
    // next free number instead, since 'sequence' tells the steps apart by id
    // alone and a repeated id would turn one step into a copy of the other.
    QVector<int> stepIds(const QList<CnfPhaseDefPtr> &steps) const
    {
        QVector<int> ids(steps.size(), 0);
        QSet<int> taken;
        QVector<int> pending;
        for (int i = 0; i < steps.size(); ++i) {
            if (!c.findPhase(steps.at(i)->id()))
                continue;
            bool ok = false;
            const int own = steps.at(i)->property("id").toInt(&ok);
            if (ok && !taken.contains(own)) {
                ids[i] = own;
                taken.insert(own);
            } else {
                pending.append(i);
            }
        }
        int next = 1;
        for (int i : qAsConst(pending)) {
            bool ok = false;
            steps.at(i)->property("id").toInt(&ok);
            int id = i + 1;
            if (ok || taken.contains(id)) {
                while (taken.contains(next))
                    ++next;
                id = next;
            }
            ids[i] = id;
            taken.insert(id);
        }
        return ids;
    }

    bool hasScheduler() const
    {
        return !c.dayCards().isEmpty() || !c.weekCards().isEmpty() || !c.seasonPlans().isEmpty()
            || !c.specialDays().isEmpty() || c.defaultDayCard() || c.defaultProgram() || c.reserveProgram();
    }

    // An empty name is left out: the file gives an unnamed element no "name".
    void writeName(const QString &name)
    {
        if (!name.isEmpty())
            w.writeValue(QStringLiteral("name"), name);
    }

    void writeRef(const QString &key, const QString &id, const QString &what)
    {
        int value = 0;
        if (!id.isNull() && number(id, what, &value))
            w.writeValue(key, value);
    }

    template<typename T>
    void writeRef(const QString &key, const QSharedPointer<T> &element, const QString &what)
    {
        if (listed.has(element))
            writeRef(key, element->id, what);
    }

    void writeScheduler()
    {
        const QVariantMap rest = without(takeNativeMap(QStringLiteral("scheduler")),
                                         {QStringLiteral("default"), QStringLiteral("days"), QStringLiteral("weeks"),
                                          QStringLiteral("extraPeriods"), QStringLiteral("extraDays")});
        // Written whenever the calendar holds anything, so that week plans and
        // extra periods without day plans are not lost.
        if (!hasScheduler() && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("scheduler"));
        if (c.defaultDayCard() || c.defaultProgram() || c.reserveProgram()) {
            w.beginObject(QStringLiteral("default"));
            writeRef(QStringLiteral("dayPlan"), c.defaultDayCard(), tr("Day card"));
            writeRef(QStringLiteral("program"), c.defaultProgram(), tr("Program"));
            writeRef(QStringLiteral("spareProgram"), c.reserveProgram(), tr("Program"));
            w.endObject();
        }
        const QList<CnfDayCardPtr> days = c.dayCards();
        if (!days.isEmpty()) {
            w.beginArray(QStringLiteral("days"));
            for (const CnfDayCardPtr &card : days) {
                w.beginObject();
                writeName(card->name);
                writeRef(QStringLiteral("id"), card->id, tr("Day card"));
                if (!card->records.isEmpty()) {
                    w.beginArray(QStringLiteral("plans"));
                    for (auto it = card->records.cbegin(); it != card->records.cend(); ++it) {
                        if (!it.key().isValid())
                            continue; // a period without a start time has no place in the day
                        w.beginObject();
                        w.writeValue(QStringLiteral("start"), timeText(it.key()));
                        if (it.value().end.isValid())
                            w.writeValue(QStringLiteral("stop"), timeText(it.value().end));
                        writeRef(QStringLiteral("program"), it.value().program, tr("Program"));
                        writeRef(QStringLiteral("spareProgram"), it.value().reserve, tr("Program"));
                        w.endObject();
                    }
                    w.endArray();
                }
                writeMembers(extrasOf(QStringLiteral("days"), card->id));
                w.endObject();
            }
            w.endArray();
        }
        const QList<CnfWeekCardPtr> weeks = c.weekCards();
        if (!weeks.isEmpty()) {
            w.beginArray(QStringLiteral("weeks"));
            for (const CnfWeekCardPtr &card : weeks) {
                w.beginObject();
                writeName(card->name);
                writeRef(QStringLiteral("id"), card->id, tr("Week card"));
                writeWeekDays(*card);
                writeMembers(extrasOf(QStringLiteral("weeks"), card->id));
                w.endObject();
            }
            w.endArray();
        }
        const QList<CnfSeasonPlanPtr> seasons = c.seasonPlans();
        if (!seasons.isEmpty()) {
            w.beginArray(QStringLiteral("extraPeriods"));
            for (int i = 0; i < seasons.size(); ++i) {
                const CnfSeasonPlanPtr &plan = seasons.at(i);
                QVariantMap kept = extrasOf(QStringLiteral("extraPeriods"), QString::number(i));
                w.beginObject();
                writeName(plan->name);
                w.writeValue(QStringLiteral("id"), kept.contains(QStringLiteral("id")) ? kept.take(QStringLiteral("id")) : QVariant(i + 1));
                if (plan->from.isValid())
                    w.writeValue(QStringLiteral("start"), dateText(plan->from));
                if (plan->to.isValid())
                    w.writeValue(QStringLiteral("stop"), dateText(plan->to));
                writeRef(QStringLiteral("week"), plan->weekCard, tr("Week card"));
                writeMembers(kept);
                w.endObject();
            }
            w.endArray();
        }
        const QMap<QDate, CnfSpecialDayPtr> special = c.specialDays();
        if (!special.isEmpty()) {
            w.beginArray(QStringLiteral("extraDays"));
            int position = 0;
            for (auto it = special.cbegin(); it != special.cend(); ++it) {
                ++position;
                w.beginObject();
                writeName(it.value()->name);
                if (it.value()->id.isEmpty())
                    w.writeValue(QStringLiteral("id"), position);
                else
                    writeRef(QStringLiteral("id"), it.value()->id, tr("Special day"));
                w.writeValue(QStringLiteral("date"), dateText(it.key()));
                writeRef(QStringLiteral("day"), it.value()->dayCard, tr("Day card"));
                writeMembers(extrasOf(QStringLiteral("extraDays"), it.value()->id));
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(rest);
        w.endObject();
    }

    // A day without a plan repeats the nearest earlier day that has one,
    // counting backwards around the week, so the array always has seven entries.
    void writeWeekDays(const CnfWeekCard &card)
    {
        auto planOf = [this, &card](int day) {
            const CnfDayCardPtr plan = card.days.value(day);
            return listed.has(plan) ? plan : CnfDayCardPtr();
        };
        bool any = false;
        for (int day = 1; day <= 7; ++day)
            any = any || planOf(day);
        if (!any)
            return;
        QVariantList days;
        CnfDayCardPtr last;
        for (int day = 1; day <= 7; ++day) {
            if (planOf(day)) {
                last = planOf(day);
            } else if (!last) {
                for (int back = 1; back <= 6 && !last; ++back)
                    last = planOf((day - 1 - back + 7) % 7 + 1);
            }
            int id = 0;
            if (!number(last->id, tr("Day card"), &id))
                return;
            days.append(id);
        }
        w.beginArray(QStringLiteral("days"), CnfJsonWriter::Inline);
        for (const QVariant &id : days)
            w.writeValue(QString(), id);
        w.endArray();
    }

    void writeSwitches()
    {
        const QList<CnfPowerDevicePtr> devices = c.powerDevices();
        const QVariantMap rest = without(takeNativeMap(QStringLiteral("switches")), {QStringLiteral("items")});
        if (devices.isEmpty() && rest.isEmpty())
            return;
        w.beginObject(QStringLiteral("switches"));
        // As in zumoltc, an item leaves out the type that the default switch gives it.
        const bool defaultType = rest.value(QStringLiteral("default")).toMap().value(QStringLiteral("type"))
                                 == QLatin1String("ZU4_SW");
        if (rest.contains(QStringLiteral("default")))
            w.writeValue(QStringLiteral("default"), rest.value(QStringLiteral("default")));
        if (!devices.isEmpty()) {
            // The group of each switch, as findPowerDeviceSg gives it (the first group in
            // list order that holds it), from one pass over the groups instead of a
            // search of every group per switch.
            const QList<CnfSignalGroupPtr> groups = c.signalGroups();
            FlatIndex<const CnfPowerDevice *> groupOf;
            for (int i = 0; i < groups.size(); ++i) {
                for (const CnfPowerDevicePtr &assigned : groups.at(i)->devices) {
                    if (assigned)
                        groupOf.insert(assigned.data(), i);
                }
            }
            w.beginArray(QStringLiteral("items"));
            for (const CnfPowerDevicePtr &device : devices) {
                w.beginObject(QString(), CnfJsonWriter::Inline);
                writeName(device->name);
                w.writeValue(QStringLiteral("id"), device->id);
                if (!defaultType)
                    w.writeValue(QStringLiteral("type"), QStringLiteral("ZU4_SW"));
                const int group = groupOf.value(device.data());
                if (group >= 0)
                    w.writeValue(QStringLiteral("signalGroup"), groups.at(group)->id);
                w.writeValue(QStringLiteral("addr"), device->address);
                const QString color = lookup(colors(), device->color);
                if (!color.isEmpty())
                    w.writeValue(QStringLiteral("color"), color);
                w.writeValue(QStringLiteral("heads"), device->lampsCount);
                // A set flag is always written, also when the default switch has it.
                if (device->burnoutControl != 0)
                    w.writeValue(QStringLiteral("control"), true);
                writeMembers(extrasOf(QStringLiteral("switches"), QString::number(device->id)),
                             {QStringLiteral("lowCurrent"), QStringLiteral("upCurrent"), QStringLiteral("minCurrent")});
                if (device->type != CnfPowerDevice::OutputZuMolt)
                    w.writeValue(QStringLiteral("deviceType"), device->type);
                w.endObject();
            }
            w.endArray();
        }
        writeMembers(without(rest, {QStringLiteral("default")}));
        w.endObject();
    }

    void writeExtras()
    {
        const CnfMatrixPtr conflict = c.conflictMatrix();
        QVariantList matrices;
        for (const CnfMatrixPtr &matrix : c.matrixList()) {
            if (matrix == conflict)
                continue;
            QVariantList cells;
            for (const CnfMatrixCell &cell : matrix->content())
                cells.append(QVariant(QVariantList{cell.aId, cell.bId, cell.value}));
            QVariantMap entry{{QStringLiteral("id"), matrix->id()}, {QStringLiteral("name"), matrix->name()}};
            if (!cells.isEmpty())
                entry.insert(QStringLiteral("cells"), cells);
            matrices.append(entry);
        }
        if (!matrices.isEmpty())
            w.writeValue(QLatin1String(extraMatricesKey), matrices);
        QVariantList sensors;
        for (const CnfDetectorPtr &sensor : c.sensorsList()) {
            QVariantMap entry{{QStringLiteral("id"), sensor->id()}, {QStringLiteral("name"), sensor->name()}};
            const QList<QByteArray> names = sensor->dynamicPropertyNames();
            for (const QByteArray &name : names)
                if (!name.startsWith("_q_"))
                    entry.insert(QString::fromUtf8(name), CnfTreeSchema::plain(sensor->property(name.constData())));
            sensors.append(entry);
        }
        if (!sensors.isEmpty())
            w.writeValue(QLatin1String(sensorsKey), sensors);
        if (const CnfInterstatePtr interstate = c.interstate()) {
            w.writeValue(QLatin1String(interstateKey),
                         QVariantMap{{QStringLiteral("greenBlink"), interstate->greenBlink},
                                     {QStringLiteral("yellow"), interstate->yellow},
                                     {QStringLiteral("redYellow"), interstate->redYellow}});
        }
        QVariantMap props;
        const QList<QByteArray> names = c.dynamicPropertyNames();
        for (const QByteArray &name : names) {
            if (name != "type" && name != "version" && name != "number" && name != "description" && !name.startsWith("_q_"))
                props.insert(QString::fromUtf8(name), CnfTreeSchema::plain(c.property(name.constData())));
        }
        if (!props.isEmpty())
            w.writeValue(QLatin1String(propertiesKey), props);
    }
};

} // namespace

ZU_MOLTConfig::ZU_MOLTConfig() = default;

bool ZU_MOLTConfig::recognizes(const QByteArray &bytes)
{
    int start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && QByteArray(" \t\r\n").contains(bytes.at(start)))
        ++start;
    if (start >= bytes.size() || bytes.at(start) != '{' || !bytes.contains("\"ZU_MOLT\""))
        return false;
    CnfJsonParser parser(CnfJsonParser::Verbatim);
    if (!parser.parse(bytes))
        return true; // broken, but meant as ZU_MOLT: its reader says what is wrong
    const CnfJsonValue &type = parser.root().member(QStringLiteral("type"));
    return type.type() == CnfJsonValue::String && type.scalar().toString() == QLatin1String("ZU_MOLT");
}

bool ZU_MOLTConfig::loadData(const QByteArray &bytes)
{
    reset();
    CnfJsonParser parser(CnfJsonParser::Verbatim);
    if (!parser.parse(bytes))
        return fail(parser.error());
    const CnfJsonValue &root = parser.root();
    if (root.type() != CnfJsonValue::Object)
        return fail(tr("Line 1, column 1: a ZU_MOLT configuration is a JSON object, not an array"));
    const CnfJsonValue &type = root.member(QStringLiteral("type"));
    if (type.type() != CnfJsonValue::String || type.scalar().toString() != QLatin1String("ZU_MOLT")) {
        const CnfJsonValue &at = type.isUndefined() ? root : type;
        return fail(tr("Line %1, column %2: the configuration type is not \"ZU_MOLT\"").arg(at.line()).arg(at.column()));
    }
    const CnfJsonValue &version = root.member(QStringLiteral("configVersion"));
    if (version.type() != CnfJsonValue::Integer || version.scalar().toLongLong() != 1) {
        const CnfJsonValue &at = version.isUndefined() ? root : version;
        return fail(tr("Line %1, column %2: unsupported configVersion %3 (1 expected)")
                        .arg(at.line()).arg(at.column())
                        .arg(version.isUndefined() ? tr("(none)") : version.scalar().toString()));
    }
    return accept(root);
}

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

QByteArray ZU_MOLTConfig::save(const CnfController &controller)
{
    setError(QString());
    ZuWriter writer(controller);
    if (!writer.write()) {
        fail(writer.error);
        return QByteArray();
    }
    // Like zumoltc's, the text ends with the root's closing brace.
    return writer.w.data();
}
