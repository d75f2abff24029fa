#include "zu_moltconfig.h"
#include "zu_moltformat.h"

#include "cnfcontroller.h"
#include "cnfjsonparser.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "vobject.h"

using ZuMoltFormat::tr;

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
    return type.type() == CnfJsonValue::String
        && type.scalar().toString() == QLatin1String("ZU_MOLT");
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
    if (type.type() != CnfJsonValue::String
        || type.scalar().toString() != QLatin1String("ZU_MOLT")) {
        const CnfJsonValue &at = type.isUndefined() ? root : type;
        return fail(tr("Line %1, column %2: the configuration type is not \"ZU_MOLT\"")
                        .arg(at.line())
                        .arg(at.column()));
    }
    const CnfJsonValue &version = root.member(QStringLiteral("configVersion"));
    if (version.type() != CnfJsonValue::Integer || version.scalar().toLongLong() != 1) {
        const CnfJsonValue &at = version.isUndefined() ? root : version;
        return fail(tr("Line %1, column %2: unsupported configVersion %3 (1 expected)")
                        .arg(at.line())
                        .arg(at.column())
                        .arg(version.isUndefined()
                                 ? tr("(none)")
                                 : CnfJsonParser::quoted(version.scalar().toString())));
    }
    return accept(root);
}

void ZU_MOLTConfig::followCalendar(CnfController &controller, const CalendarIds &ids)
{
    const VObject extras = controller.nativeData()[QLatin1String(ZuMoltFormat::extrasKey)];
    if (extras.kind() != VObject::Map)
        return;
    // The first part of a period's id is its day plan's ("day plan, start").
    const auto follow = [&extras](const char *kind, const QMap<QString, QString> &newIds) {
        const VObject byId = extras[QLatin1String(kind)];
        const bool period = qstrcmp(kind, ZuMoltFormat::periodsKind) == 0;
        if (byId.kind() != VObject::Map)
            return;
        QVariantMap moved;
        for (const QString &key : byId.keys()) {
            const int blank = period ? key.indexOf(QLatin1Char(' ')) : -1;
            const auto found = newIds.constFind(blank < 0 ? key : key.left(blank));
            if (found != newIds.constEnd())
                moved.insert(found.value() + (blank < 0 ? QString() : key.mid(blank)),
                             byId[key].toVariant());
        }
        VObject holder = extras;
        if (moved.isEmpty())
            holder.remove(QLatin1String(kind));
        else
            holder[QLatin1String(kind)] = QVariant(moved);
    };
    follow(ZuMoltFormat::dayPlansKind, ids.dayPlans);
    follow(ZuMoltFormat::periodsKind, ids.dayPlans);
    follow(ZuMoltFormat::weekPlansKind, ids.weekPlans);
    follow(ZuMoltFormat::extraPeriodsKind, ids.extraPeriods);
    follow(ZuMoltFormat::extraDaysKind, ids.extraDays);
}

namespace {

// The members kept under `kind` for the object of id `id` go to `newId`, or
// go with the object (a negative `newId`).
void followKept(CnfController &controller, const char *kind, int id, int newId)
{
    VObject byId
        = controller.nativeData()[QLatin1String(ZuMoltFormat::extrasKey)][QLatin1String(kind)];
    const QString key = QString::number(id);
    if (id == newId || byId.kind() != VObject::Map || !byId.contains(key))
        return;
    QVariantMap members = byId[key].toVariant().toMap();
    byId.remove(key);
    // The file's id of an extra matrix listed under another one (the
    // conflict matrix has it) gives way to the id the user gave.
    if (qstrcmp(kind, ZuMoltFormat::extraMatricesKind) == 0)
        members.remove(QStringLiteral("id"));
    if (newId >= 0)
        byId[QString::number(newId)] = members;
}

} // namespace

void ZU_MOLTConfig::followSwitch(CnfController &controller, int id, int newId)
{
    followKept(controller, ZuMoltFormat::switchesKind, id, newId);
}

void ZU_MOLTConfig::followMatrix(CnfController &controller, int id, int newId)
{
    followKept(controller, ZuMoltFormat::conflictMatrixKind, id, newId);
    followKept(controller, ZuMoltFormat::extraMatricesKind, id, newId);
}

QVector<int> ZU_MOLTConfig::stepIds(const CnfController &controller, const CnfProgram &plan)
{
    return ZuMoltFormat::stepIds(controller, plan.phases());
}

void ZU_MOLTConfig::removeSteps(const CnfController &controller, CnfProgram &plan,
                                const QList<int> &positions)
{
    // Ids taken before any step goes, so that they do not depend on the order.
    const QList<CnfPhaseDefPtr> steps = plan.phases();
    const ZuMoltFormat::StepIds ids = ZuMoltFormat::stepIdsByStep(controller, steps);
    for (int position : positions) {
        if (position >= 0 && position < steps.size())
            ZuMoltFormat::removeStep(controller, plan, steps.at(position), ids);
    }
}

void ZU_MOLTConfig::setStepStage(const CnfController &controller, CnfProgram &plan, int position,
                                 const CnfPhasePtr &stage)
{
    const CnfPhaseDefPtr step = plan.phaseDefAt(position);
    if (!step || !stage)
        return;
    const ZuMoltFormat::StepIds ids = ZuMoltFormat::stepIdsByStep(controller, plan.phases());
    step->setPhase(stage);
    ZuMoltFormat::keepStepIds(controller, plan.phases(), ids);
}
