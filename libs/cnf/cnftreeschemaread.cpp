#include "cnftreeschema.h"

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
#include "cnftransition.h"
#include "cnfweekcard.h"

#include <limits>

// Reading the tree back into a controller: one read function per element
// kind, references resolved against what was read before them.

namespace {

class TreeReader
{
public:
    TreeReader(CnfController &controller)
        : c(controller)
    {
    }

    CnfJsonRead r;
    CnfController &c;

    // Calls read for each object of the list at root[key].
    template<typename F> void eachItem(const CnfJsonValue &root, const QString &key, F read)
    {
        const CnfJsonValue &list = r.array(root, key);
        for (const CnfJsonValue &item : list.items()) {
            if (!r.ok()
                || (item.type() != CnfJsonValue::Object
                    && !r.isType(item, CnfJsonValue::Object,
                                 QStringLiteral("an item of '%1'").arg(key))))
                return;
            read(item);
        }
    }

    template<typename Element> void setProperties(Element &object, const CnfJsonValue &item)
    {
        CnfTreeSchema::readProperties(r.object(item, QStringLiteral("properties")), object);
    }

    bool added(bool result, const CnfJsonValue &item)
    {
        if (!result)
            r.fail(item, c.lastError());
        return result;
    }

    QList<int> intList(const CnfJsonValue &item, const QString &key, int min, int max)
    {
        QList<int> values;
        const CnfJsonValue &list = r.array(item, key);
        if (list.size() == 0)
            return values;
        values.reserve(list.size());
        for (const CnfJsonValue &value : list.items()) {
            const qlonglong number
                = value.type() == CnfJsonValue::Integer ? value.scalar().toLongLong() : min - 1LL;
            // The description of the item is made only for the message of a wrong one.
            values.append(
                number >= min && number <= max
                    ? int(number)
                    : r.integerValue(value, QStringLiteral("an item of '%1'").arg(key), min, max));
        }
        return values;
    }

    QMap<int, int> readIntMap(const CnfJsonValue &item, const QString &key)
    {
        QMap<int, int> map;
        const CnfJsonValue &object = r.object(item, key);
        for (const auto &member : object.members()) {
            bool ok = false;
            const int number = member.first.toInt(&ok);
            if (!ok)
                r.fail(member.second,
                       QStringLiteral("'%1' in '%2' is not a number")
                           .arg(CnfJsonParser::quoted(member.first), key));
            map.insert(
                number,
                r.integerValue(member.second,
                               QStringLiteral("'%1'").arg(CnfJsonParser::quoted(member.first))));
        }
        return map;
    }

    QTime time(const CnfJsonValue &item, const QString &key)
    {
        const QString text = r.text(item, key);
        if (text.isEmpty())
            return QTime();
        QTime time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            time = QTime::fromString(text, QStringLiteral("HH:mm"));
        if (!time.isValid())
            r.fail(item.member(key),
                   QStringLiteral("'%1' is not a time (hh:mm:ss): %2")
                       .arg(key, CnfJsonParser::quoted(text)));
        return time;
    }

    // An absent optional date is not set; a present one must be a date.
    QDate date(const CnfJsonValue &item, const QString &key, bool optional = false)
    {
        if (optional && item.member(key).isUndefined())
            return QDate();
        const QString text = r.text(item, key);
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid() && r.ok())
            r.fail(item.member(key).isUndefined() ? item : item.member(key),
                   QStringLiteral("'%1' is not a date (yyyy-mm-dd): %2")
                       .arg(key, CnfJsonParser::quoted(text)));
        return date;
    }

    template<typename T, typename Find>
    T ref(const CnfJsonValue &item, const QString &key, const QString &kind, Find find)
    {
        const QString id = r.idText(item, key);
        if (id.isEmpty() || !r.ok())
            return T();
        T found = find(id);
        if (!found)
            r.fail(item.member(key),
                   QStringLiteral("'%1' names no %2 %3").arg(key, kind, CnfJsonParser::quoted(id)));
        return found;
    }

    CnfSignalGroupPtr signalGroup(const CnfJsonValue &item)
    {
        static const QStringList keys = { QStringLiteral("id"),
                                          QStringLiteral("name"),
                                          QStringLiteral("type"),
                                          QStringLiteral("devices"),
                                          QStringLiteral("detectorAddresses"),
                                          QStringLiteral("interstates"),
                                          QStringLiteral("properties") };
        auto group = CnfSignalGroupPtr::create();
        r.onlyKeys(item, keys, QStringLiteral("a signal group"));
        group->id = r.integer(item, QStringLiteral("id"), 0);
        group->name = r.text(item, QStringLiteral("name"));
        group->setType(r.integer(item, QStringLiteral("type"), 0, 0, 255));
        for (int id : intList(item, QStringLiteral("devices"), std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::max())) {
            const CnfPowerDevicePtr device = c.findPowerDevice(id);
            if (!device) {
                r.fail(item.member(QStringLiteral("devices")),
                       QStringLiteral("'devices' names no power device %1").arg(id));
                break;
            }
            group->assignDevice(device);
        }
        group->detectorAddresses
            = intList(item, QStringLiteral("detectorAddresses"), std::numeric_limits<int>::min(),
                      std::numeric_limits<int>::max());
        const CnfJsonValue &interstates = r.object(item, QStringLiteral("interstates"));
        for (const auto &member : interstates.members()) {
            bool ok = false;
            const int variant = member.first.toInt(&ok);
            if (!ok)
                r.fail(member.second,
                       QStringLiteral("interstate variant '%1' is not a number")
                           .arg(CnfJsonParser::quoted(member.first)));
            QByteArray record;
            if (r.isType(member.second, CnfJsonValue::Array,
                         QStringLiteral("an interstate record"))) {
                for (const CnfJsonValue &byte : member.second.items())
                    record.append(
                        char(r.integerValue(byte, QStringLiteral("an interstate byte"), 0, 255)));
            }
            group->setInterstate(variant, record);
        }
        setProperties(*group, item);
        return group;
    }

    CnfDetectorPtr detector(const CnfJsonValue &item)
    {
        auto detector = CnfDetectorPtr::create();
        static const QStringList keys
            = { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("properties") };
        r.onlyKeys(item, keys, QStringLiteral("a detector"));
        detector->setId(r.integer(item, QStringLiteral("id"), 0));
        detector->setName(r.text(item, QStringLiteral("name")));
        setProperties(*detector, item);
        return detector;
    }

    void phase(const CnfJsonValue &item)
    {
        static const QStringList keys
            = { QStringLiteral("id"),           QStringLiteral("name"),
                QStringLiteral("minTime"),      QStringLiteral("maxTime"),
                QStringLiteral("signalGroups"), QStringLiteral("transitions") };
        r.onlyKeys(item, keys, QStringLiteral("a phase"));
        auto phase = CnfPhasePtr::create();
        phase->id = r.idText(item, QStringLiteral("id"));
        phase->name = r.text(item, QStringLiteral("name"));
        phase->minTime = r.integer(item, QStringLiteral("minTime"), -1);
        phase->maxTime = r.integer(item, QStringLiteral("maxTime"), -1);
        for (int id : intList(item, QStringLiteral("signalGroups"), std::numeric_limits<int>::min(),
                              std::numeric_limits<int>::max())) {
            const CnfSignalGroupPtr group = c.findSG(id);
            if (!group) {
                r.fail(item.member(QStringLiteral("signalGroups")),
                       QStringLiteral("'signalGroups' names no signal group %1").arg(id));
                return;
            }
            phase->signalGroups.append(group);
        }
        const CnfJsonValue &transitions = r.object(item, QStringLiteral("transitions"));
        for (const auto &member : transitions.members()) {
            if (!r.isType(member.second, CnfJsonValue::Object, QStringLiteral("a transition")))
                return;
            static const QStringList transitionKeys
                = { QStringLiteral("length"), QStringLiteral("greenEnd"),
                    QStringLiteral("greenStart") };
            r.onlyKeys(member.second, transitionKeys, QStringLiteral("a transition"));
            auto transition = CnfTransitionPtr::create();
            transition->length = r.integer(member.second, QStringLiteral("length"), 0);
            transition->greenEnd = readIntMap(member.second, QStringLiteral("greenEnd"));
            transition->greenStart = readIntMap(member.second, QStringLiteral("greenStart"));
            phase->transitions.insert(member.first, transition);
        }
        if (r.ok())
            added(c.addPhase(phase), item);
    }

    void matrix(const CnfJsonValue &item)
    {
        static const QStringList keys
            = { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("default"),
                QStringLiteral("safety"), QStringLiteral("cells") };
        r.onlyKeys(item, keys, QStringLiteral("a matrix"));
        auto matrix = CnfMatrixPtr::create();
        matrix->setId(r.integer(item, QStringLiteral("id"), 1));
        matrix->setName(r.text(item, QStringLiteral("name")));
        const CnfJsonValue &cells = r.array(item, QStringLiteral("cells"));
        for (const CnfJsonValue &cell : cells.items()) {
            if (!r.isType(cell, CnfJsonValue::Array, QStringLiteral("a matrix cell")))
                return;
            if (cell.size() != 3 || !cell.at(2).isNumber()) {
                r.fail(cell, QStringLiteral("a matrix cell must be [group, group, value]"));
                return;
            }
            const int a = r.integerValue(cell.at(0), QStringLiteral("a signal group of a cell"));
            const int b = r.integerValue(cell.at(1), QStringLiteral("a signal group of a cell"));
            matrix->appendReleaf(a, b, cell.at(2).scalar().toDouble());
        }
        if (r.ok())
            added(c.addMatrix(matrix, r.boolean(item, QStringLiteral("default"), false),
                              r.boolean(item, QStringLiteral("safety"), false)),
                  item);
    }

    void program(const CnfJsonValue &item)
    {
        static const QStringList keys = { QStringLiteral("id"),
                                          QStringLiteral("name"),
                                          QStringLiteral("type"),
                                          QStringLiteral("kind"),
                                          QStringLiteral("matrix"),
                                          QStringLiteral("defaultMatrix"),
                                          QStringLiteral("cycleLength"),
                                          QStringLiteral("offset"),
                                          QStringLiteral("interstateVariant"),
                                          QStringLiteral("data"),
                                          QStringLiteral("steps"),
                                          QStringLiteral("timeline"),
                                          QStringLiteral("properties") };
        r.onlyKeys(item, keys, QStringLiteral("a program"));
        auto program = CnfProgramPtr::create(&c);
        program->id = r.idText(item, QStringLiteral("id"));
        program->name = r.text(item, QStringLiteral("name"));
        const QString typeText = r.idText(item, QStringLiteral("type"));
        program->type = CnfProgram::typeFromKey(typeText);
        if (program->type < 0 && r.ok()) {
            const CnfJsonValue &type = item.member(QStringLiteral("type"));
            if (type.isUndefined())
                r.fail(item, QStringLiteral("a program needs a 'type'"));
            else
                r.fail(
                    type,
                    QStringLiteral("unknown program type %1").arg(CnfJsonParser::quoted(typeText)));
        }
        program->kind = r.integer(item, QStringLiteral("kind"), 0, 0, 255);
        program->matrix = ref<CnfMatrixPtr>(item, QStringLiteral("matrix"),
                                            QStringLiteral("matrix"), [this](const QString &id) {
                                                bool ok = false;
                                                const int number = id.toInt(&ok);
                                                return ok ? c.findMatrix(number) : CnfMatrixPtr();
                                            });
        program->defaultMatrix = r.boolean(item, QStringLiteral("defaultMatrix"), false);
        program->cycleLength = r.integer(item, QStringLiteral("cycleLength"), 0);
        program->setCycleOffset(r.integer(item, QStringLiteral("offset"), -1));
        program->interstateVariant = r.integer(item, QStringLiteral("interstateVariant"), 1);
        const QString data = r.text(item, QStringLiteral("data"));
        const QByteArray bytes = QByteArray::fromHex(data.toLatin1());
        if (QString::fromLatin1(bytes.toHex()) != data.toLower())
            r.fail(item.member(QStringLiteral("data")),
                   QStringLiteral("'data' must be hexadecimal bytes"));
        program->setData(bytes);
        const CnfJsonValue &steps = r.array(item, QStringLiteral("steps"));
        for (const CnfJsonValue &step : steps.items()) {
            if (!r.isType(step, CnfJsonValue::Object, QStringLiteral("a program step")))
                return;
            static const QStringList stepKeys
                = { QStringLiteral("phase"), QStringLiteral("length"), QStringLiteral("start"),
                    QStringLiteral("properties") };
            r.onlyKeys(step, stepKeys, QStringLiteral("a program step"));
            const QString phaseId = r.idText(step, QStringLiteral("phase"));
            const CnfPhasePtr phase = c.findPhase(phaseId);
            CnfPhaseDefPtr def = program->appendPhase(phase, 0);
            if (!phase)
                def->setId(phaseId);
            def->setLength(r.integer(step, QStringLiteral("length"), 0));
            def->setFileStart(r.integer(step, QStringLiteral("start"), 0));
            setProperties(*def, step);
        }
        const CnfJsonValue &timeline = r.object(item, QStringLiteral("timeline"));
        for (const auto &group : timeline.members()) {
            bool ok = false;
            const int groupId = group.first.toInt(&ok);
            if (!ok
                || !r.isType(group.second, CnfJsonValue::Object, QStringLiteral("a timeline"))) {
                r.fail(group.second,
                       QStringLiteral("timeline key '%1' is not a signal group number")
                           .arg(CnfJsonParser::quoted(group.first)));
                return;
            }
            for (const auto &point : group.second.members()) {
                const int start = point.first.toInt(&ok);
                int state = -1;
                if (point.second.type() == CnfJsonValue::String)
                    state = CnfSignalGroup::string2ColorState(point.second.scalar().toString());
                else if (point.second.type() == CnfJsonValue::Integer) {
                    // A number outside the int range is no state (it must not wrap round to one).
                    const qlonglong number = point.second.scalar().toLongLong();
                    state = number >= 0 && number <= std::numeric_limits<int>::max() ? int(number)
                                                                                     : -1;
                }
                if (!ok || state < 0) {
                    r.fail(point.second,
                           QStringLiteral("invalid timeline point '%1'").arg(point.first));
                    return;
                }
                program->appendTimelineData(groupId, start, state);
            }
        }
        setProperties(*program, item);
        if (r.ok())
            added(c.addProgram(program), item);
    }

    CnfProgramPtr programRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfProgramPtr>(item, key, QStringLiteral("program"),
                                  [this](const QString &id) { return c.findProgram(id); });
    }

    CnfDayCardPtr dayCardRef(const CnfJsonValue &item, const QString &key)
    {
        return ref<CnfDayCardPtr>(item, key, QStringLiteral("day card"),
                                  [this](const QString &id) { return c.findDayCard(id); });
    }

    void dayCard(const CnfJsonValue &item)
    {
        static const QStringList keys
            = { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("records") };
        r.onlyKeys(item, keys, QStringLiteral("a day card"));
        auto card = CnfDayCardPtr::create();
        card->id = r.idText(item, QStringLiteral("id"));
        card->name = r.text(item, QStringLiteral("name"));
        eachItem(item, QStringLiteral("records"), [&](const CnfJsonValue &record) {
            static const QStringList recordKeys
                = { QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("program"),
                    QStringLiteral("reserve") };
            r.onlyKeys(record, recordKeys, QStringLiteral("a day card record"));
            const QTime start = time(record, QStringLiteral("start"));
            if (!start.isValid() && r.ok())
                r.fail(record, QStringLiteral("a day card record needs a 'start' time"));
            // A program that is not listed (a deleted one) stays named by its id.
            card->addRecord(start, time(record, QStringLiteral("end")),
                            r.idText(record, QStringLiteral("program")),
                            r.idText(record, QStringLiteral("reserve")), c);
        });
        if (r.ok())
            added(c.addDayCard(card), item);
    }

    void weekCard(const CnfJsonValue &item)
    {
        static const QStringList keys
            = { QStringLiteral("id"), QStringLiteral("name"), QStringLiteral("days") };
        r.onlyKeys(item, keys, QStringLiteral("a week card"));
        auto card = CnfWeekCardPtr::create();
        card->id = r.idText(item, QStringLiteral("id"));
        card->name = r.text(item, QStringLiteral("name"));
        const CnfJsonValue &days = r.object(item, QStringLiteral("days"));
        for (const auto &member : days.members()) {
            bool ok = false;
            const int day = member.first.toInt(&ok);
            if (!ok || day < 0 || day > 7) {
                r.fail(member.second,
                       QStringLiteral("'%1' is not a day of the week (1 to 7)")
                           .arg(CnfJsonParser::quoted(member.first)));
                return;
            }
            const QString id = member.second.type() == CnfJsonValue::String
                    || member.second.type() == CnfJsonValue::Integer
                ? member.second.scalar().toString()
                : QString();
            CnfDayCardPtr dayCard = c.findDayCard(id);
            if (!id.isEmpty() && !dayCard) {
                r.fail(member.second,
                       QStringLiteral("day %1 names no day card %2")
                           .arg(day)
                           .arg(CnfJsonParser::quoted(id)));
                return;
            }
            card->days.insert(day, dayCard);
        }
        if (r.ok())
            added(c.addWeekCard(card), item);
    }

    void seasonPlan(const CnfJsonValue &item)
    {
        static const QStringList keys = { QStringLiteral("name"), QStringLiteral("from"),
                                          QStringLiteral("to"), QStringLiteral("weekCard") };
        r.onlyKeys(item, keys, QStringLiteral("a season plan"));
        auto plan = CnfSeasonPlanPtr::create();
        plan->name = r.text(item, QStringLiteral("name"));
        plan->from = date(item, QStringLiteral("from"), true);
        plan->to = date(item, QStringLiteral("to"), true);
        plan->weekCard
            = ref<CnfWeekCardPtr>(item, QStringLiteral("weekCard"), QStringLiteral("week card"),
                                  [this](const QString &id) { return c.findWeekCard(id); });
        if (r.ok())
            added(c.addSeasonPlan(plan), item);
    }

    void specialDay(const CnfJsonValue &item)
    {
        static const QStringList keys = { QStringLiteral("date"), QStringLiteral("id"),
                                          QStringLiteral("name"), QStringLiteral("dayCard") };
        r.onlyKeys(item, keys, QStringLiteral("a special day"));
        auto day = CnfSpecialDayPtr::create();
        const QDate when = date(item, QStringLiteral("date"));
        day->id = r.idText(item, QStringLiteral("id"));
        day->name = r.text(item, QStringLiteral("name"));
        day->dayCard = dayCardRef(item, QStringLiteral("dayCard"));
        if (r.ok())
            added(c.addSpecialDay(when, day), item);
    }
};

} // namespace

QStringList CnfTreeSchema::readProperties(const CnfJsonValue &props, QObject *object)
{
    QStringList nulls;
    for (const auto &member : props.members()) {
        if (member.second.type() == CnfJsonValue::Null)
            nulls.append(member.first);
        else
            object->setProperty(propertyName(member.first).constData(), member.second.toVariant());
    }
    return nulls;
}

bool CnfTreeSchema::apply(const CnfJsonValue &root, const CnfJsonValue &native,
                          const QStringList &skipKeys, CnfController &controller, QString *error)
{
    TreeReader t(controller);
    CnfJsonRead &r = t.r;

    readProperties(r.object(root, QStringLiteral("controller")), controller);

    t.eachItem(root, QStringLiteral("powerDevices"), [&](const CnfJsonValue &item) {
        static const QStringList keys = { QStringLiteral("id"),
                                          QStringLiteral("name"),
                                          QStringLiteral("address"),
                                          QStringLiteral("type"),
                                          QStringLiteral("color"),
                                          QStringLiteral("lampsCount"),
                                          QStringLiteral("burnoutControl") };
        r.onlyKeys(item, keys, QStringLiteral("a power device"));
        auto device = CnfPowerDevicePtr::create();
        device->id = r.integer(item, QStringLiteral("id"), 0);
        device->name = r.text(item, QStringLiteral("name"));
        device->address = r.integer(item, QStringLiteral("address"), 0);
        device->type = r.integer(item, QStringLiteral("type"), 0, 0, 255);
        device->color = r.integer(item, QStringLiteral("color"), CnfPowerDevice::Red, 0, 255);
        device->lampsCount = r.integer(item, QStringLiteral("lampsCount"), 1, 0, 255);
        device->burnoutControl = r.integer(item, QStringLiteral("burnoutControl"), 0, 0, 255);
        if (r.ok())
            t.added(controller.addPowerDevice(device), item);
    });
    t.eachItem(root, QStringLiteral("signalGroups"), [&](const CnfJsonValue &item) {
        const CnfSignalGroupPtr group = t.signalGroup(item);
        if (r.ok())
            t.added(controller.addSignalGroup(group), item);
    });
    const CnfJsonValue &defaultGroup = r.object(root, QStringLiteral("defaultSignalGroup"));
    if (!defaultGroup.isUndefined()) {
        const CnfSignalGroupPtr group = t.signalGroup(defaultGroup);
        if (r.ok())
            controller.setDefaulSignalGroup(group);
    }
    t.eachItem(root, QStringLiteral("detectors"), [&](const CnfJsonValue &item) {
        const CnfDetectorPtr detector = t.detector(item);
        if (r.ok())
            t.added(controller.addDetector(detector), item);
    });
    t.eachItem(root, QStringLiteral("sensors"), [&](const CnfJsonValue &item) {
        const CnfDetectorPtr sensor = t.detector(item);
        if (r.ok())
            t.added(controller.addSensor(sensor), item);
    });
    t.eachItem(root, QStringLiteral("phases"), [&](const CnfJsonValue &item) { t.phase(item); });
    t.eachItem(root, QStringLiteral("matrices"), [&](const CnfJsonValue &item) { t.matrix(item); });
    t.eachItem(root, QStringLiteral("programs"),
               [&](const CnfJsonValue &item) { t.program(item); });
    t.eachItem(root, QStringLiteral("dayCards"),
               [&](const CnfJsonValue &item) { t.dayCard(item); });
    t.eachItem(root, QStringLiteral("weekCards"),
               [&](const CnfJsonValue &item) { t.weekCard(item); });
    t.eachItem(root, QStringLiteral("seasonPlans"),
               [&](const CnfJsonValue &item) { t.seasonPlan(item); });
    t.eachItem(root, QStringLiteral("specialDays"),
               [&](const CnfJsonValue &item) { t.specialDay(item); });

    const CnfJsonValue &interstate = r.object(root, QStringLiteral("interstate"));
    if (!interstate.isUndefined()) {
        r.onlyKeys(
            interstate,
            { QStringLiteral("greenBlink"), QStringLiteral("yellow"), QStringLiteral("redYellow") },
            QStringLiteral("the interstate flags"));
        controller.setInterstate(
            CnfInterstatePtr::create(r.integer(interstate, QStringLiteral("greenBlink"), 0),
                                     r.integer(interstate, QStringLiteral("yellow"), 0),
                                     r.integer(interstate, QStringLiteral("redYellow"), 0)));
    }
    const CnfJsonValue &defaults = r.object(root, QStringLiteral("defaults"));
    if (!defaults.isUndefined()) {
        r.onlyKeys(defaults,
                   { QStringLiteral("dayCard"), QStringLiteral("program"),
                     QStringLiteral("reserveProgram") },
                   QStringLiteral("the defaults"));
        controller.setDefaultDayCard(t.dayCardRef(defaults, QStringLiteral("dayCard")));
        controller.setDefaultProgram(t.programRef(defaults, QStringLiteral("program")));
        controller.setReserveProgram(t.programRef(defaults, QStringLiteral("reserveProgram")));
    }

    if (r.ok() && native.type() == CnfJsonValue::Object) {
        for (const auto &member : native.members()) {
            if (!skipKeys.contains(member.first))
                keepNative(controller, member.first, member.second.toVariant());
        }
    }
    if (!r.ok()) {
        *error = r.error();
        return false;
    }
    return true;
}
