#include "zu_moltformat.h"

#include "cnfcontroller.h"
#include "cnfjsonvalue.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"
#include "cnfsignalgroup.h"
#include "cnftreeschema.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace ZuMoltFormat {

QString tr(const char *text)
{
    return QCoreApplication::translate("ZU_MOLTConfig", text);
}

QVector<int> stepIds(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps)
{
    QVector<int> ids(steps.size(), 0);
    QSet<int> taken;
    QVector<int> pending;
    for (int i = 0; i < steps.size(); ++i) {
        if (!controller.findPhase(steps.at(i)->id()))
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
    // A step without an id of its own takes its position before any step
    // takes a free number, so that a step the file names by its position
    // keeps that name even after a step that could not keep its own.
    QVector<int> rest;
    for (int i : qAsConst(pending)) {
        bool ok = false;
        steps.at(i)->property("id").toInt(&ok);
        if (ok || taken.contains(i + 1)) {
            rest.append(i);
            continue;
        }
        ids[i] = i + 1;
        taken.insert(i + 1);
    }
    int next = 1;
    for (int i : qAsConst(rest)) {
        while (taken.contains(next))
            ++next;
        ids[i] = next;
        taken.insert(next);
    }
    return ids;
}

StepIds stepIdsByStep(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps)
{
    const QVector<int> numbers = stepIds(controller, steps);
    StepIds ids;
    for (int i = 0; i < steps.size(); ++i)
        ids.insert(steps.at(i).data(), numbers.at(i));
    return ids;
}

void keepStepIds(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps, StepIds ids)
{
    const QVector<int> now = stepIds(controller, steps);
    QSet<int> taken;
    for (int i = 0; i < steps.size(); ++i) {
        if (now.at(i) != 0)
            taken.insert(ids.value(steps.at(i).data()));
    }
    taken.remove(0);
    bool same = true;
    for (int i = 0; i < steps.size(); ++i) {
        if (now.at(i) == 0)
            continue;
        int &id = ids[steps.at(i).data()];
        if (id == 0) {
            // A step that had no id takes none that another step keeps.
            id = i + 1;
            for (int free = 1; taken.contains(id); ++free)
                id = free;
            taken.insert(id);
        }
        same = same && now.at(i) == id;
    }
    if (same)
        return;
    // With every id either the step's own or its position, the count gives
    // each step the id it keeps.
    for (int i = 0; i < steps.size(); ++i) {
        const int id = ids.value(steps.at(i).data());
        if (now.at(i) == 0 || id == 0)
            continue;
        bool own = false;
        const int ownId = steps.at(i)->property("id").toInt(&own);
        if (own ? ownId != id : id != i + 1)
            steps.at(i)->setProperty("id", id);
    }
}

void forgetStep(CnfProgram &plan, int id)
{
    for (const CnfPhaseDefPtr &step : plan.phases()) {
        if (CnfReferenceFinders::namesNumber(step->property("call"), id))
            step->setProperty("call", QVariant());
    }
    const QVariant detectors = CnfTreeSchema::plain(plan.property("detectors"));
    if (detectors.userType() != QMetaType::QVariantList)
        return;
    bool changed = false;
    QVariantList kept;
    for (const QVariant &entry : detectors.toList()) {
        if (entry.userType() != QMetaType::QVariantMap) {
            kept << entry;
            continue;
        }
        QVariantMap record = entry.toMap();
        if (CnfReferenceFinders::namesNumber(record.value(QStringLiteral("phase")), id)) {
            changed = true;
            continue;
        }
        for (const QString &key : { QStringLiteral("call"), QStringLiteral("redirect") }) {
            if (CnfReferenceFinders::namesNumber(record.value(key), id)) {
                record.remove(key);
                changed = true;
            }
        }
        kept << record;
    }
    // Emptied here, the list goes, as zumoltc writes none.
    if (changed)
        plan.setProperty("detectors", kept.isEmpty() ? QVariant() : QVariant(kept));
}

void removeStep(const CnfController &controller, CnfProgram &plan, const CnfPhaseDefPtr &step,
                const StepIds &ids)
{
    if (!plan.removePhase(plan.indexOfPhaseDef(step.data())))
        return;
    keepStepIds(controller, plan.phases(), ids);
    const int removedId = ids.value(step.data());
    if (removedId != 0)
        forgetStep(plan, removedId);
}

const QStringList &sgTimes()
{
    static const QStringList keys
        = { QStringLiteral("extRed"),   QStringLiteral("redAmber"), QStringLiteral("greenBlink"),
            QStringLiteral("amber"),    QStringLiteral("minRed"),   QStringLiteral("maxRed"),
            QStringLiteral("minGreen"), QStringLiteral("maxGreen"), QStringLiteral("extGreen1"),
            QStringLiteral("extGreen2") };
    return keys;
}

const QStringList &sgTypeKeys()
{
    static const QStringList keys
        = { QStringLiteral("traffic"), QStringLiteral("pedestrian"), QStringLiteral("arrow"),
            QStringLiteral("tram"), QStringLiteral("always_ON") };
    return keys;
}

const QVector<QPair<QString, int>> &timelineStates()
{
    static const QVector<QPair<QString, int>> states
        = { { QStringLiteral("green"), CnfSignalGroup::Green },
            { QStringLiteral("green_blink"), CnfSignalGroup::GreenBlink },
            { QStringLiteral("amber"), CnfSignalGroup::Yellow },
            { QStringLiteral("red"), CnfSignalGroup::Red },
            { QStringLiteral("red_amber"), CnfSignalGroup::RedYellow } };
    return states;
}

const QVector<QPair<QString, int>> &colors()
{
    static const QVector<QPair<QString, int>> values
        = { { QStringLiteral("red"), CnfPowerDevice::Red },
            { QStringLiteral("green"), CnfPowerDevice::Green },
            { QStringLiteral("amber"), CnfPowerDevice::Yellow },
            { QStringLiteral("white"), CnfPowerDevice::White } };
    return values;
}

int lookup(const QVector<QPair<QString, int>> &table, const QString &key, int notFound)
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

const QStringList &zumoltcRootKeys()
{
    static const QStringList keys = { QStringLiteral("configVersion"),
                                      QStringLiteral("type"),
                                      QStringLiteral("name"),
                                      QStringLiteral("id"),
                                      QStringLiteral("description"),
                                      QStringLiteral("timeZone"),
                                      QStringLiteral("maxCurrent"),
                                      QStringLiteral("startTime"),
                                      QStringLiteral("LAN"),
                                      QStringLiteral("signalGroups"),
                                      QStringLiteral("stages"),
                                      QStringLiteral("IGM"),
                                      QStringLiteral("detectors"),
                                      QStringLiteral("plans"),
                                      QStringLiteral("scheduler"),
                                      QStringLiteral("controlSources"),
                                      QStringLiteral("KMP1"),
                                      QStringLiteral("switches"),
                                      QStringLiteral("countdownBoards"),
                                      QStringLiteral("inputsOutputs"),
                                      QStringLiteral("remoteControlPanel"),
                                      QStringLiteral("recovery") };
    return keys;
}

QHash<QString, QString> writtenNames(const QVariantMap &extras)
{
    QHash<QString, QString> written;
    for (const QVariant &pair : extras.value(QLatin1String(namesKind)).toList()) {
        const QVariantList forms = pair.toList();
        written.insert(forms.value(0).toString(), forms.value(1).toString());
    }
    return written;
}

QString writtenName(const QHash<QString, QString> &written, const QString &letters)
{
    const auto held = written.constFind(letters);
    return held != written.cend() ? held.value() : CnfJsonWriter::verbatimEscaped(letters);
}

QString writtenName(const CnfController &controller, const QString &letters)
{
    const QVariant extras = controller.nativeData()[QLatin1String(extrasKey)].toVariant();
    return writtenName(writtenNames(CnfTreeSchema::plain(extras).toMap()), letters);
}

QStringList ownRootOrder(QStringList keys)
{
    static const QStringList last = { QLatin1String(extraMatricesKey), QLatin1String(sensorsKey),
                                      QLatin1String(interstateKey), QLatin1String(propertiesKey) };
    std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
        const int aLast = last.indexOf(a);
        const int bLast = last.indexOf(b);
        if (aLast < 0 && bLast < 0)
            return a < b;
        return aLast < bLast;
    });
    return keys;
}

QString conflictPointId(int clearing, int entering)
{
    return QStringLiteral("%1 %2").arg(clearing).arg(entering);
}

QString periodId(const QString &dayPlan, const QTime &start)
{
    return dayPlan + QLatin1Char(' ') + start.toString(QStringLiteral("HH:mm:ss"));
}

QString sequenceId(const QString &plan, int group)
{
    return QStringLiteral("%1 %2").arg(plan).arg(group);
}

QString sequenceRecordId(const QString &plan, int group, int point)
{
    return QStringLiteral("%1 %2 %3").arg(plan).arg(group).arg(point);
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
void shape(const QStringList &path, QStringList *keys, CnfJsonWriter::Layout *layout)
{
    struct Form
    {
        QStringList path;
        QStringList order;
        CnfJsonWriter::Layout layout;
    };
    const auto s = [](const char *text) {
        return QString::fromLatin1(text);
    };
    const CnfJsonWriter::Layout normal = CnfJsonWriter::Normal;
    const CnfJsonWriter::Layout inLine = CnfJsonWriter::Inline;
    static const QVector<Form> forms = {
        { { s("startTime") }, { s("allRed"), s("amberBlink") }, inLine },
        { { s("LAN") },
          { s("lanMode"), s("lanIP"), s("lanMask"), s("gtwIP"), s("dnsIP"), s("srvIP"),
            s("srvName"), s("asudPort"), s("macAddres"), s("sntpIP"), s("sntpName") },
          normal },
        { { s("plans"), s("*"), s("algorithm"), s("detectors") }, {}, normal },
        { { s("plans"), s("*"), s("algorithm"), s("detectors"), s("*") },
          { s("phase"), s("call"), s("redirect"), s("control"), s("detector"), s("indicator") },
          normal },
        { { s("controlSources") }, {}, normal },
        { { s("controlSources"), s("*") },
          { s("type"), s("id"), s("priority"), s("timeout") },
          normal },
        { { s("KMP1") }, { s("devices"), s("auto") }, normal },
        { { s("KMP1"), s("devices") }, {}, normal },
        { { s("KMP1"), s("devices"), s("*") },
          { s("device"), s("addr"), s("type"), s("port") },
          normal },
        { { s("switches"), s("default") },
          { s("type"), s("control"), s("lowCurrent"), s("upCurrent"), s("minCurrent") },
          normal },
        { { s("countdownBoards") }, { s("protocol"), s("warnTime"), s("items") }, normal },
        { { s("countdownBoards"), s("items") }, {}, normal },
        { { s("countdownBoards"), s("items"), s("*") },
          { s("id"), s("addr"), s("boards"), s("warnTime") },
          inLine },
        { { s("inputsOutputs") }, {}, normal },
        { { s("inputsOutputs"), s("*") },
          { s("type"), s("common"), s("IP"), s("port"), s("channels") },
          normal },
        { { s("inputsOutputs"), s("*"), s("channels") }, {}, normal },
        { { s("inputsOutputs"), s("*"), s("channels"), s("*") },
          { s("channel"), s("type"), s("common"), s("detector") },
          normal },
        { { s("remoteControlPanel") }, {}, normal },
        { { s("remoteControlPanel"), s("VPU1") },
          { s("type"), s("sourceId"), s("priority"), s("idleInd"), s("common"), s("stageId") },
          normal },
        { { s("remoteControlPanel"), s("VPU1"), s("stageId") }, {}, inLine },
        { { s("recovery") },
          { s("defectSwitchRate"), s("confidenceInterval"), s("errors") },
          normal },
        { { s("recovery"), s("errors") },
          { s("redError"), s("greenError"), s("mnswProtect"), s("mnswBad"), s("noLoad/swBreak"),
            s("parasitePower/swShort"), s("swBreak"), s("swShort"), s("noLoad"), s("parasitePower"),
            s("curentLimit"), s("shortCurent") },
          normal },
        { { s("recovery"), s("errors"), s("*") },
          { s("attempts"), s("interval"), s("filter") },
          inLine },
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

QVariantMap keptNative(const CnfJsonValue &root, QVariantMap extras)
{
    QVariantMap native = without(
        root.toVariant().toMap(),
        { QStringLiteral("configVersion"), QStringLiteral("type"), QStringLiteral("id"),
          QStringLiteral("description"), QStringLiteral("stages"), QStringLiteral("IGM"),
          QStringLiteral("plans"), QLatin1String(extraMatricesKey), QLatin1String(sensorsKey),
          QLatin1String(interstateKey), QLatin1String(propertiesKey), QLatin1String(extrasKey) });
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
    reduce(QStringLiteral("signalGroups"), { QStringLiteral("default"), QStringLiteral("items") });
    reduce(QStringLiteral("detectors"), { QStringLiteral("items") });
    reduce(QStringLiteral("switches"), { QStringLiteral("items") });
    reduce(QStringLiteral("scheduler"),
           { QStringLiteral("default"), QStringLiteral("days"), QStringLiteral("weeks"),
             QStringLiteral("extraPeriods"), QStringLiteral("extraDays") });
    // The writer gives every file a "KMP1"; an empty one holds nothing to keep.
    if (native.value(QStringLiteral("KMP1")) == QVariant(QVariantMap()))
        native.remove(QStringLiteral("KMP1"));
    QStringList tail;
    for (const auto &member : root.members()) {
        if (!zumoltcRootKeys().contains(member.first) && member.first != QLatin1String(extrasKey)
            && !tail.contains(member.first))
            tail.append(member.first);
    }
    if (tail != ownRootOrder(tail))
        extras.insert(QLatin1String(rootOrderKey), tail);
    if (!extras.isEmpty())
        native.insert(QLatin1String(extrasKey), extras);
    return native;
}

} // namespace ZuMoltFormat
