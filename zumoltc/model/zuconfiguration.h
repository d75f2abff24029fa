#pragma once

#include "zubaseobject.h"
#include "zucontrolsource.h"
#include "zucountdownboards.h"
#include "zudayplan.h"
#include "zudetector.h"
#include "zudio.h"
#include "zuextraday.h"
#include "zuextraperiod.h"
#include "zuintergreenmatrix.h"
#include "zukmp1.h"
#include "zunetworkparameters.h"
#include "zurecoveryparameters.h"
#include "zusignalgroup.h"
#include "zusignalplan.h"
#include "zustage.h"
#include "zuswitch.h"
#include "zuvpu.h"
#include "zuweekplan.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVariant>

// The root of one ZU_MOLT controller configuration; its id and name are the
// controller's. It owns every object of its ten lists (Qt children; the lists hold
// guarded pointers in file order), the two defaults objects, and for its whole
// life the matrix, the KMP bus, the countdown boards, five DIO modules, the remote
// control panel and the network, recovery and detector-interval records.
//
// It announces list membership only: objectAdded(obj, pos) after an object has
// entered its list at pos (also for KMP devices, passed on from kmp1), and
// objectDestroyed(obj) while a listed object is being destroyed, after it has left
// its list; receivers only identify the object by it. Attribute edits are not
// announced. Invalid arguments (null or dead objects, indexes out of range, an
// object already listed where a kind allows it once) are ignored.
class ZUConfiguration : public ZUBaseObject
{
    Q_OBJECT
public:
    // Detector report intervals, zu::NotSet when not given.
    struct DetectorIntervals
    {
        int logInterval = zu::NotSet;
        int logIntervalASUDD = zu::NotSet;
    };

    explicit ZUConfiguration(QObject *parent = nullptr);
    ~ZUConfiguration() override;

    // Back to the empty configuration of New: every listed object and KMP device is
    // deleted, the defaults objects are replaced, every value is not set. The DIO
    // modules and the embedded objects stay the same objects.
    void reset();

    // File operations, implemented beside the configuration file reader and writer.
    // load refuses a file larger than one byte array holds ("The file is too large to
    // load: %1", naming the file).
    bool load(const QString &fileName, QString *error = nullptr);
    bool fromJson(const QByteArray &data, QString *error = nullptr);
    QByteArray toJson();
    bool save(const QString &fileName, QString *error = nullptr);
    // The messages of the last load.
    QStringList &warnings();

    // True while a file is being read into the configuration, so that listeners of
    // objectAdded can leave their upkeep (such as inventing missing objects) until
    // the whole file is in.
    bool loading() const;
    void setLoading(bool loading);

    int configVersion() const;
    void setConfigVersion(int version);
    QString description() const;
    void setDescription(const QString &description);
    // Invalid when not set; otherwise an int (hours), a double or a text "[+-]hh:mm".
    QVariant timeZone() const;
    void setTimeZone(const QVariant &timeZone);
    int maxCurrent() const;
    void setMaxCurrent(int value);
    int allRed() const;
    void setAllRed(int value);
    int amberBlink() const;
    void setAmberBlink(int value);

    // The lists themselves, in file order; entries leave on their object's destruction.
    QList<QPointer<ZUSignalGroup>> &signalGroups();
    QList<QPointer<ZUStage>> &stages();
    QList<QPointer<ZUDetector>> &detectors();
    QList<QPointer<ZUSignalPlan>> &signalPlans();
    QList<QPointer<ZUDayPlan>> &dayPlans();
    QList<QPointer<ZUWeekPlan>> &weekPlans();
    QList<QPointer<ZUExtraPeriod>> &extraPeriods();
    QList<QPointer<ZUExtraDay>> &extraDays();
    QList<QPointer<ZUControlSource>> &controlSources();
    QList<QPointer<ZUSwitch>> &switches();
    // DIO1 to DIO5.
    QList<QPointer<ZUDIO>> &dios();

    // Never listed; a reset replaces them, so fetch them again after a reset or load.
    QPointer<ZUSignalGroup> signalGroupDefaults() const;
    QPointer<ZUSwitch> switchDefaults() const;

    ZUIntergreenMatrix *intergreenMatrix() const;
    ZUKMP1 *kmp1() const;
    ZUCountdownBoards *countdownBoards() const;
    ZUVPU *vpu() const;
    DetectorIntervals *detectorIntervals() const;
    ZUNetworkParameters *networkParameters() const;
    ZURecoveryParameters *recoveryParameters() const;

    QPointer<ZUDayPlan> defaultDayPlan() const;
    // Adds a live plan not yet listed to the day plans first, then stores it.
    void setDefaultDayPlan(QPointer<ZUDayPlan> plan);
    QPointer<ZUSignalPlan> defaultProgram() const;
    void setDefaultProgram(QPointer<ZUSignalPlan> plan);
    QPointer<ZUSignalPlan> defaultSpareProgram() const;
    void setDefaultSpareProgram(QPointer<ZUSignalPlan> plan);

    // Adders append. Signal groups, stages, detectors, signal plans and day plans are
    // listed at most once; the other kinds are appended even when already listed.
    void addSignalGroup(QPointer<ZUSignalGroup> obj);
    void addStage(QPointer<ZUStage> obj);
    void addDetector(QPointer<ZUDetector> obj);
    void addSignalPlan(QPointer<ZUSignalPlan> obj);
    void addDayPlan(QPointer<ZUDayPlan> obj);
    void addWeekPlan(QPointer<ZUWeekPlan> obj);
    void addExtraPeriod(QPointer<ZUExtraPeriod> obj);
    void addExtraDay(QPointer<ZUExtraDay> obj);
    void addControlSource(QPointer<ZUControlSource> obj);
    void addSwitch(QPointer<ZUSwitch> obj);

    // Inserters put obj right after `after`, or at the end when after is null or not
    // listed; an object already listed is ignored.
    void insertSignalGroup(QPointer<ZUSignalGroup> obj, QPointer<ZUSignalGroup> after);
    void insertStage(QPointer<ZUStage> obj, QPointer<ZUStage> after);
    void insertDetector(QPointer<ZUDetector> obj, QPointer<ZUDetector> after);
    void insertSignalPlan(QPointer<ZUSignalPlan> obj, QPointer<ZUSignalPlan> after);
    void insertDayPlan(QPointer<ZUDayPlan> obj, QPointer<ZUDayPlan> after);
    void insertWeekPlan(QPointer<ZUWeekPlan> obj, QPointer<ZUWeekPlan> after);
    void insertExtraPeriod(QPointer<ZUExtraPeriod> obj, QPointer<ZUExtraPeriod> after);
    void insertExtraDay(QPointer<ZUExtraDay> obj, QPointer<ZUExtraDay> after);
    void insertControlSource(QPointer<ZUControlSource> obj, QPointer<ZUControlSource> after);
    void insertSwitch(QPointer<ZUSwitch> obj, QPointer<ZUSwitch> after);

    // Movers take the entry at from and put it at to when both lie inside the list;
    // no signal.
    void moveSignalGroup(int from, int to);
    void moveStage(int from, int to);
    void moveDetector(int from, int to);
    void moveSignalPlan(int from, int to);
    void moveDayPlan(int from, int to);
    void moveWeekPlan(int from, int to);
    void moveExtraPeriod(int from, int to);
    void moveExtraDay(int from, int to);
    void moveControlSource(int from, int to);
    void moveSwitch(int from, int to);

    // A numeric key (int, unsigned, 64-bit, double; 3 and 3.0 alike) finds by id, a
    // text by exact name; any other key finds nothing. The earliest match wins.
    QPointer<ZUSignalGroup> findSignalGroup(const QVariant &key) const;
    QPointer<ZUStage> findStage(const QVariant &key) const;
    QPointer<ZUDetector> findDetector(const QVariant &key) const;
    QPointer<ZUSignalPlan> findSignalPlan(const QVariant &key) const;
    QPointer<ZUDayPlan> findDayPlan(const QVariant &key) const;
    QPointer<ZUWeekPlan> findWeekPlan(const QVariant &key) const;
    QPointer<ZUControlSource> findControlSource(const QVariant &key) const;
    // The first switch whose output address, as an int QVariant, equals key.
    QPointer<ZUSwitch> findSwitchByAddr(const QVariant &key) const;

signals:
    void objectAdded(ZUBaseObject *obj, int pos);
    void objectDestroyed(ZUBaseObject *obj);

private slots:
    // The removal path: drops a dying listed object from its list, then announces it.
    // It shares the name of the objects' signal it answers; the configuration never
    // emits that signal itself.
    void beforeDestroyed(ZUBaseObject *obj);

private:
    template<typename T>
    void addObject(QList<QPointer<T>> &list, const QPointer<T> &obj, bool once);
    template<typename T>
    bool isListed(const QList<QPointer<T>> &list, const QPointer<T> &obj) const;
    template<typename T>
    void insertObject(QList<QPointer<T>> &list, const QPointer<T> &obj, const QPointer<T> &after);
    void attachObject(ZUBaseObject *obj, int pos);

    struct Private;
    std::unique_ptr<Private> d;
};
