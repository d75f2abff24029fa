#pragma once

#include "cnffwd.h"
#include "cnfjsonwriter.h"

class CnfController;
class CnfJsonValue;

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariantMap>
#include <QVector>

// Names and value tables shared by the ZU_MOLT file's reader and writer
// (ZU_MOLTConfig::fill and ZU_MOLTConfig::save).
namespace ZuMoltFormat {

// Messages of both sides translate in the context of ZU_MOLTConfig.
QString tr(const char *text);

// Native key that keeps the members of stages, matrices, scheduler objects and
// switches for which the controller's elements have no field, per kind and id.
constexpr const char *extrasKey = "elementExtras";
// Root keys of our own that zumoltc ignores: what a ZU_MOLT file has no place for.
constexpr const char *extraMatricesKey = "extraMatrices";
constexpr const char *sensorsKey = "sensors";
constexpr const char *interstateKey = "interstate";
constexpr const char *propertiesKey = "controllerProperties";
// Kinds of "elementExtras": those of stages, by the phase id; and those of the
// objects that no element keeps its own members for, with the ids their members
// are kept under (the ids the file gives them, their parts joined by a blank).
// A new id of a phase, signal group or plan, and its Delete, move or drop the
// entries that name it (CnfReferences); the calendar dialog moves those of day
// plans, week plans, extra periods and extra days (ZU_MOLTConfig::followCalendar), the power part
// those of switches (ZU_MOLTConfig::followSwitch), the matrices table those of
// matrices (ZU_MOLTConfig::followMatrix).
constexpr const char *stagesKind = "stages";
constexpr const char *dayPlansKind = "days";
constexpr const char *weekPlansKind = "weeks";
constexpr const char *switchesKind = "switches";
// Extra periods by their place in the list (from 0), extra days by their id.
constexpr const char *extraPeriodsKind = "extraPeriods";
constexpr const char *extraDaysKind = "extraDays";
constexpr const char *conflictPointsKind = "conflictPoints";
constexpr const char *periodsKind = "periods";
constexpr const char *sequencesKind = "sequences";
constexpr const char *sequenceRecordsKind = "sequenceRecords";
// Matrices by their id: the one the file's "IGM" holds, and those of "extraMatrices".
constexpr const char *conflictMatrixKind = "IGM";
constexpr const char *extraMatricesKind = "extraMatrices";
// Objects that stand once in the file ("scheduler/default", "interstate"), by their path.
constexpr const char *singleObjectsKind = "objects";
// The names of elements as the file writes them, where the writer would write
// their letters otherwise (an escape sequence for a letter, "\/"): a list of
// [letters, written] pairs, so that a name not edited is written back as it
// stood. The first form given for the same letters stands for all of them.
constexpr const char *namesKind = "names";
// The forms of namesKind in the kept members `extras`: letters -> written.
QHash<QString, QString> writtenNames(const QVariantMap &extras);
// An element's name (its letters) as the file writes it: in the form the file
// gave those letters (`written`, from writtenNames), else escaped where the
// letters need it (CnfJsonWriter::verbatimEscaped). zumoltc compares names as
// written, so a place that names the element by its name is written in the
// same form.
QString writtenName(const QHash<QString, QString> &written, const QString &letters);
// The same for the controller's kept members.
QString writtenName(const CnfController &controller, const QString &letters);
// Under "elementExtras": the root keys that zumoltc does not know, in the
// file's order, when that is not the order the writer gives them by itself.
constexpr const char *rootOrderKey = "rootOrder";
// The root keys that zumoltc reads; it keeps the others in the file's order.
const QStringList &zumoltcRootKeys();
// The keys of `keys` (root keys zumoltc does not know) in the order the writer
// gives them by itself: the file's keys that plivek does not know in key
// order, then what zumoltc has no place for.
QStringList ownRootOrder(QStringList keys);
QString conflictPointId(int clearing, int entering);
QString periodId(const QString &dayPlan, const QTime &start);
QString sequenceId(const QString &plan, int group);
QString sequenceRecordId(const QString &plan, int group, int point);

// The file's id of each step of a plan (0 for a step that is not written: its
// phase is not among the controller's). A step keeps its own "id" property,
// else it has the id of its position; an id that an earlier step already holds
// or a position that another step holds (two steps copied with their
// properties, a new step whose position another step names, a phase the file
// names by nothing) gets the lowest free number instead, once every step that
// can has taken its own id or position, since 'sequence' tells the steps apart
// by id alone and a repeated id would turn one step into a copy of the other.
// The calls and detector records inside the plan name steps by these ids.
QVector<int> stepIds(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps);
// The same ids by step, for keeping them over a change of the plan.
using StepIds = QHash<const CnfPhaseDef *, int>;
StepIds stepIdsByStep(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps);
// After steps went, or a step got its stage: every step keeps the id of `ids`
// (one that had it by its position gets it as its own "id"), so that no call,
// detector record or sequence entry comes to name another step. A step that
// has a stage but no id there yet gets its position, or the lowest number that
// no other step has. Nothing changes while every step still has its id.
void keepStepIds(const CnfController &controller, const QList<CnfPhaseDefPtr> &steps, StepIds ids);
// Takes out of the plan what names the step of file id `id`: another step's
// call of it, a detector record's call or redirect to it, a detector record on
// it (whole). A plan names its steps by number only (zumoltc reads a text as a
// name, which no step has). A detector list emptied here goes.
void forgetStep(CnfProgram &plan, int id);
// Takes the step out of its plan, `ids` taken while it was there. The steps
// after it keep their ids (keepStepIds). Whatever inside the plan names it by
// its id becomes not set: another step's call of it, a detector record's call
// or redirect to it; a detector record on it goes whole, as zumoltc keeps none
// without its phase. The "sequence" is written from the steps, so it loses the
// step with it.
void removeStep(const CnfController &controller, CnfProgram &plan, const CnfPhaseDefPtr &step,
                const StepIds &ids);

// zumoltc's value of an integer that is not set; it never stands in its files.
constexpr int notSetTime = 2147483647;

const QStringList &sgTimes();
const QStringList &sgTypeKeys();
// zu::TimelineState key <-> CnfSignalGroup::SGState.
const QVector<QPair<QString, int>> &timelineStates();
// zu::Color::Value key <-> CnfPowerDevice::Color.
const QVector<QPair<QString, int>> &colors();

int lookup(const QVector<QPair<QString, int>> &table, const QString &key, int notFound = -1);
QString lookup(const QVector<QPair<QString, int>> &table, int value);

QVariantMap without(QVariantMap map, const QStringList &keys);

// The keys in the order of `order`, then the others in key order.
QStringList inOrder(const QStringList &keys, const QStringList &order);

// The form of the objects that are kept in the native data as they stand, as
// zumoltc writes them (a CnfJsonWriter::Shape): member order (members zumoltc
// does not know follow in key order) and layout.
void shape(const QStringList &path, QStringList *keys, CnfJsonWriter::Layout *layout);

// The members of a file's root that no element takes, as native data: the
// parts of the known objects that no element took, and `extras` (the kept
// members of objects without an element) with the order of the root's own
// unknown keys where it is not the writer's.
QVariantMap keptNative(const CnfJsonValue &root, QVariantMap extras);

} // namespace ZuMoltFormat
