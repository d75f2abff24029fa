#pragma once

#include "cnffwd.h"
#include "vobject.h"

#include <QByteArray>
#include <QDate>
#include <QDomDocument>
#include <QList>
#include <QMap>
#include <QObject>
#include <QScopedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

class CnfControllerPrivate;

// The configuration of one traffic-signal controller.
//
// Dynamic properties: "type" (family: "tiverk", "adapter", "tiverkii",
// "ZU_MOLT", compared exactly), "version" ("3.14" .. "3.18" for "tiverk"),
// "number", "description", "dprog_stop" and any other; they are saved and
// loaded with the configuration.
//
// Elements are held by shared pointers in stored order and edited in place.
// Finders return null when nothing matches (an empty id never matches).
// Finding and adding by id use an index beside each list, so loading stays
// linear; an id edited in place is still found, but an add checks it against
// the index only once the element has been found under it (or the list has
// changed in another way than by an add).
// add* returns false (with lastError) for a null element or a taken id;
// remove* returns false when nothing was removed; reorder* takes the whole
// list in its new order and returns false (changing nothing) unless it holds
// exactly the stored elements.
//
// Errors come back as bool / null / empty results plus lastError().
class CnfController : public QObject
{
    Q_OBJECT
public:
    explicit CnfController(QObject *parent = nullptr);
    ~CnfController() override;

    // Removes every element, default, native value and dynamic property.
    // lastError is kept so that a caller can still report it.
    void clear();
    QString lastError() const;

    // --- Programs (text ids) ---
    QList<CnfProgramPtr> programs() const;
    bool addProgram(const CnfProgramPtr &program);
    // Records name programs by their place in the list (a queue or return
    // program): removing and reordering keep them naming the same program,
    // and a removed one becomes not set. Removing clears every place
    // CnfReferences finds naming it; day-card records keep a removed
    // program's id, and a program added with that id is theirs again (so a
    // new program takes such an id only when the user says so: see
    // freeProgramId and dayCardsNamingMissingProgram).
    bool removeProgram(const QString &id);
    bool reorderPrograms(const QList<CnfProgramPtr> &programs);
    // Gives the program a new id, and every place CnfReferences finds naming
    // it follows (day-card records that kept `newId` name it from then on).
    // False with lastError, nothing changed, when no program has
    // `id` or `newId` is empty or taken.
    bool renameProgram(const QString &id, const QString &newId);
    // The smallest number from 1 that no program bears and no day-card record
    // names (a record keeps a deleted program's id), as an id; empty when
    // every number below 65535 is taken.
    QString freeProgramId() const;
    // The ids of the day cards, each once, whose records name program `id`
    // while no program bears it; a program given that id runs their slots.
    QStringList dayCardsNamingMissingProgram(const QString &id) const;
    // Why the program cannot take `newId`: the places that name it by its
    // number and cannot hold `newId`, and the numbers they take; empty when
    // they all can. renameProgram refuses with this text; the program
    // dialogs ask before they store anything.
    QString programIdRefusal(const QString &id, const QString &newId) const;
    // The ids of the programs, not among `ids`, whose records name one of them.
    QStringList programsNamingProgram(const QStringList &ids) const;
    CnfProgramPtr findProgram(const QString &id) const;
    CnfProgramPtr findProgramByName(const QString &name) const;
    // The type a new program of this controller takes: TIVERK 3.x and adapter
    // programs are records of an algorithm kind (CnfProgram::Tiverk); those of
    // the other families start as fixed time.
    int newProgramType() const;

    // --- Phases (text ids) ---
    QList<CnfPhasePtr> phases() const;
    bool addPhase(const CnfPhasePtr &phase);
    // Programs keep their steps of the removed phase (by id, with no phase)
    // and their records keep naming the same phases; every place
    // CnfReferences finds naming it is cleared.
    bool removePhase(const QString &id);
    // Gives the phase a new id, and every place CnfReferences finds naming it
    // follows. False with lastError, and nothing changed, when no phase has
    // `id`, `newId` is empty or taken, or a place names the phase by its
    // number and cannot hold `newId` (a record's call phase takes a number
    // 0-254 only, a list of numbers a whole number).
    bool renamePhase(const QString &id, const QString &newId);
    // Why the phase cannot take `newId`, as renamePhase words it; empty when
    // it can, as far as the places naming it go. A ZU_MOLT phase (a stage)
    // takes only a number from 1 to 65535, the file writing its id as a
    // number; with an empty `id` (a phase still to be added) only that rule
    // applies.
    QString phaseIdRefusal(const QString &id, const QString &newId) const;
    // The ids of the programs whose records name the phase by its id (a call phase).
    QStringList programsNamingPhase(const QString &id) const;
    // The same phases in another order (false when the list differs from the
    // controller's); programs' records go on naming the same phases.
    bool reorderPhases(const QList<CnfPhasePtr> &phases);
    CnfPhasePtr findPhase(const QString &id) const;

    // --- Signal groups (int ids) ---
    QList<CnfSignalGroupPtr> signalGroups() const;
    bool addSignalGroup(const CnfSignalGroupPtr &group);
    // Every place CnfReferences finds naming the group is cleared: phases stop
    // running it; matrices, stored transitions and program timelines drop its
    // values.
    bool removeSignalGroup(int id);
    // Gives the group a new id, and every place CnfReferences finds naming it
    // follows (phases and power devices hold the group itself). False with lastError, nothing
    // changed, when no group has `id`, `newId` is negative or taken, or a
    // matrix holds values of a group `newId` that the controller does not have
    // (the group would take them over).
    bool renameSignalGroup(int id, int newId);
    // Whether a new group may take `id`: false with lastError when it is
    // negative, taken, or named by a matrix's values as renameSignalGroup says.
    bool acceptsNewSignalGroupId(int id);
    // The smallest id from `from` (below 65535) that no group has and no
    // matrix's values name; -1 when there is none.
    int freeSignalGroupId(int from) const;
    // One line per matrix that holds values of groups the controller does not
    // have, naming them; they are kept as they are.
    QStringList matrixValuesWithoutGroup() const;
    bool reorderSignalGroups(const QList<CnfSignalGroupPtr> &groups);
    CnfSignalGroupPtr findSG(int id) const;
    CnfSignalGroupPtr findSGByName(const QString &name) const;
    CnfSignalGroupPtr defaultSignalGroup() const;
    void setDefaulSignalGroup(const CnfSignalGroupPtr &group); // null clears

    // --- Power devices (int ids and addresses, both unique) ---
    QList<CnfPowerDevicePtr> powerDevices() const;
    bool addPowerDevice(const CnfPowerDevicePtr &device);
    bool removePowerDevice(int address); // also unassigns it from its group
    bool removePowerDeviceById(int id);
    bool reorderPowerDevices(const QList<CnfPowerDevicePtr> &devices);
    CnfPowerDevicePtr findPowerDevice(int id) const;
    CnfPowerDevicePtr findPowerDeviceByAddress(int address) const;
    CnfPowerDevicePtr findPowerDeviceByName(const QString &name) const;
    CnfSignalGroupPtr findPowerDeviceSg(const CnfPowerDevicePtr &device) const;

    // --- Detectors and sensors (two lists, two id spaces) ---
    QList<CnfDetectorPtr> detectorsList() const;
    bool addDetector(const CnfDetectorPtr &detector);
    // Removing a detector or a sensor clears every place CnfReferences finds naming it.
    bool removeDetector(int id);
    bool reorderDetectors(const QList<CnfDetectorPtr> &detectors);
    CnfDetectorPtr findDetector(int id) const;
    CnfDetectorPtr findDetectorByName(const QString &name) const;
    QList<CnfDetectorPtr> sensorsList() const;
    bool addSensor(const CnfDetectorPtr &sensor); // marks it as a sensor
    bool removeSensor(int id);
    bool reorderSensors(const QList<CnfDetectorPtr> &sensors);
    CnfDetectorPtr findSensor(int id) const;
    CnfDetectorPtr findSensorByName(const QString &name) const;

    // --- Matrices (int ids) ---
    QList<CnfMatrixPtr> matrixList() const;
    // Adds the matrix to the list; a matrix of the same id that is another
    // object is replaced at its place (default and safety follow it), the
    // same object keeps its place. `makeDefault` makes it the default matrix,
    // `makeSafety` the safety matrix (the one that program checks and the
    // conflict-matrix dialog use); false leaves that pointer as it is.
    bool addMatrix(const CnfMatrixPtr &matrix, bool makeDefault, bool makeSafety);
    // Also clears the default and the safety pointer to the removed matrix.
    bool removeMatrix(int id);
    bool reorderMatrices(const QList<CnfMatrixPtr> &matrices);
    CnfMatrixPtr findMatrix(int id) const;
    CnfMatrixPtr findMatrixByName(const QString &name) const;
    CnfMatrixPtr defaultMatrix() const;
    void setDefaultMatrix(const CnfMatrixPtr &matrix); // must be listed; null clears
    CnfMatrixPtr safetyMatrix() const;
    void setSafetyMatrix(const CnfMatrixPtr &matrix); // must be listed; null clears
    // The conflict matrix: the safety matrix, else the default matrix.
    CnfMatrixPtr conflictMatrix() const;

    // --- Calendar ---
    QList<CnfDayCardPtr> dayCards() const;
    bool addDayCard(const CnfDayCardPtr &card);
    bool removeDayCard(const CnfDayCardPtr &card);
    CnfDayCardPtr findDayCard(const QString &id) const;
    QList<CnfWeekCardPtr> weekCards() const;
    bool addWeekCard(const CnfWeekCardPtr &card);
    bool removeWeekCard(const CnfWeekCardPtr &card);
    CnfWeekCardPtr findWeekCard(const QString &id) const;
    QList<CnfSeasonPlanPtr> seasonPlans() const;
    bool addSeasonPlan(const CnfSeasonPlanPtr &plan);
    bool removeSeasonPlan(const CnfSeasonPlanPtr &plan);
    QMap<QDate, CnfSpecialDayPtr> specialDays() const;
    bool addSpecialDay(const QDate &date, const CnfSpecialDayPtr &day); // replaces that date's
    bool removeSpecialDay(const QDate &date);
    CnfDayCardPtr defaultDayCard() const;
    void setDefaultDayCard(const CnfDayCardPtr &card); // null clears
    CnfProgramPtr defaultProgram() const;
    void setDefaultProgram(const CnfProgramPtr &program); // null clears
    CnfProgramPtr reserveProgram() const;
    void setReserveProgram(const CnfProgramPtr &program); // null clears

    // --- Interstate flags ---
    CnfInterstatePtr interstate() const;
    void setInterstate(const CnfInterstatePtr &interstate); // null clears

    // --- Limits of the family (property "type"); see docs/formats.md ---
    //                 tiverk/adapter   tiverkii/ZU_MOLT/other
    // devices               64               128
    // programs              32               255
    // phases                32               255
    // signal groups         32                64
    // day cards             16                64
    // day card records      24                48
    // special days          32               128
    int getMaxDeviceCount() const;
    int getMaxProgramCount() const;
    int getMaxPhaseCount() const;
    int getMaxSgCount() const;
    int getMaxDayCardCount() const;
    int getMaxDayCardItems() const;
    int getMaxSpecialDayCount() const;

    // --- Native data: a tree of maps, lists and scalars ---
    // The root map; handles taken from it write through.
    VObject nativeData() const;
    // The value of a top-level key; `defaultValue` when it is absent or not set.
    QVariant getNativeData(const QString &key, const QVariant &defaultValue = QVariant()) const;
    // An invalid value removes the key; a QVariant holding a VObject stores that node.
    void setNativeData(const QString &key, const QVariant &value);
    void clearNativeData();

    // --- Whole configuration ---
    // mode 1: the single "Controller" element (no XML declaration), for
    // .cnf files and containers; any other mode (-1): the same element as a
    // complete XML document, a full copy. Neither contains "</Controller" or
    // "<Network" inside the element.
    QByteArray save(int mode) const;
    // Replaces the whole configuration by the "Controller" element in `bytes`
    // (with or without XML declaration). `strict`: unknown elements are errors
    // (else skipped). On failure the controller is cleared and false returned
    // with lastError naming line and column.
    bool load(const QByteArray &bytes, bool strict);

    // --- Programs in exchange form ---
    // Checks and stores raw program bytes (see CnfProgram); for TIVERK 3.x,
    // adapter and Tiverk-type programs byte 1 (unless 255) becomes the kind.
    // False with lastError for a null program, fewer than two bytes, or, for
    // TIVERK 3.x and adapter, more bytes than the layout's program record.
    bool setProgramRawData(const CnfProgramPtr &program, const QByteArray &bytes);
    // A program written by createDynamicProgram (a "Controller" element with
    // one "Program"); its phases and matrix are looked up in this
    // controller. Not added to the list. Null with lastError on failure.
    CnfProgramPtr loadDynamicProgram(const QByteArray &bytes);
    QByteArray createDynamicProgram(const CnfProgramPtr &program); // empty on failure

    // Layout of the raw parameters of TIVERK 3.x and adapter programs for
    // this controller's family and version.
    QDomDocument tiverkLayout() const;
    // Bytes of a program record of that layout: the most setProgramRawData takes.
    int programRecordSize() const;

    void setLastError(const QString &error);

    // Names of members of "controller" that the file held as null (CnfTreeSchema).
    QStringList nullProperties() const;
    void setNullProperties(const QStringList &names);

private:
    // Why a group may not take `id`: the matrices that hold values of it.
    static QString valuesWithoutGroupError(const QStringList &matrices, int id);

    Q_DISABLE_COPY(CnfController)
    QScopedPointer<CnfControllerPrivate> d;
};
