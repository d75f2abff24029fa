#include "zuconfiguration.h"

#include "zulists.h"
#include "zulookup.h"

namespace {

constexpr int DioCount = 5;

// Deletes every live object of list with its signals cut first, so nobody hears of
// it, then empties the list.
template<typename T> void deleteSilently(QList<QPointer<T>> &list)
{
    const QList<QPointer<T>> objects = list;
    for (const QPointer<T> &object : objects) {
        if (object) {
            object->disconnect();
            delete object.data();
        }
    }
    list.clear();
}

// Deletes every live object of list through the removal path, which announces
// each one, then empties the list.
template<typename T> void deleteAnnounced(QList<QPointer<T>> &list)
{
    const QList<QPointer<T>> objects = list;
    for (const QPointer<T> &object : objects)
        delete object.data();
    list.clear();
}

// Drops the first entry naming obj when obj is exactly of class T.
template<typename T> bool removeIfOfClass(QList<QPointer<T>> &list, ZUBaseObject *obj)
{
    if (obj->metaObject() != &T::staticMetaObject)
        return false;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).data() == obj) {
            list.removeAt(i);
            break;
        }
    }
    return true;
}

} // namespace

struct ZUConfiguration::Private
{
    explicit Private(ZUConfiguration *q)
        : intergreenMatrix(q)
        , kmp1(q)
        , countdownBoards(q)
        , vpu(q)
    {
    }

    QStringList warnings;
    int configVersion = 1;
    QString description;
    QVariant timeZone;
    int maxCurrent = zu::NotSet;
    int allRed = zu::NotSet;
    int amberBlink = zu::NotSet;
    QList<QPointer<ZUSignalGroup>> signalGroups;
    QPointer<ZUSignalGroup> signalGroupDefaults;
    QList<QPointer<ZUStage>> stages;
    ZUIntergreenMatrix intergreenMatrix;
    DetectorIntervals detectorIntervals;
    QList<QPointer<ZUDetector>> detectors;
    QList<QPointer<ZUSignalPlan>> signalPlans;
    QList<QPointer<ZUDayPlan>> dayPlans;
    QList<QPointer<ZUWeekPlan>> weekPlans;
    QList<QPointer<ZUExtraPeriod>> extraPeriods;
    QList<QPointer<ZUExtraDay>> extraDays;
    QPointer<ZUDayPlan> defaultDayPlan;
    QPointer<ZUSignalPlan> defaultProgram;
    QPointer<ZUSignalPlan> defaultSpareProgram;
    QList<QPointer<ZUControlSource>> controlSources;
    ZUKMP1 kmp1;
    QList<QPointer<ZUSwitch>> switches;
    QPointer<ZUSwitch> switchDefaults;
    ZUCountdownBoards countdownBoards;
    QList<QPointer<ZUDIO>> dios;
    ZUVPU vpu;
    ZURecoveryParameters recoveryParameters;
    ZUNetworkParameters networkParameters;
    bool loading = false;
};

ZUConfiguration::ZUConfiguration(QObject *parent)
    : ZUBaseObject(parent)
    , d(new Private(this))
{
    for (int i = 0; i < DioCount; ++i)
        d->dios.append(new ZUDIO(this));
    connect(&d->kmp1, &ZUKMP1::objectAdded, this, &ZUConfiguration::objectAdded);
    connect(&d->kmp1, &ZUKMP1::objectDestroyed, this, &ZUConfiguration::objectDestroyed);
    reset();
}

// The listed objects die as children in QObject's destructor, which cuts their
// connections to the removal path first.
ZUConfiguration::~ZUConfiguration() = default;

void ZUConfiguration::reset()
{
    d->configVersion = 1;
    d->maxCurrent = zu::NotSet;
    d->allRed = zu::NotSet;
    d->amberBlink = zu::NotSet;
    setName(QString());
    setId(zu::NotSet);
    d->description.clear();
    d->timeZone = QVariant();

    // The time server goes too, so that New and Open never carry one document's
    // time servers into the next file.
    d->networkParameters.reset();
    d->networkParameters.setSntpIP(QString());
    d->networkParameters.setSntpName(QString());

    deleteSilently(d->signalGroups);
    delete d->signalGroupDefaults.data();
    d->signalGroupDefaults = new ZUSignalGroup(this);

    d->intergreenMatrix.clear();
    d->intergreenMatrix.setId(1);
    d->intergreenMatrix.setName(tr("Conflict matrix"));

    deleteSilently(d->stages);
    d->detectorIntervals = DetectorIntervals();
    deleteSilently(d->detectors);
    deleteSilently(d->signalPlans);

    deleteAnnounced(d->dayPlans);
    deleteAnnounced(d->weekPlans);
    deleteAnnounced(d->extraPeriods);
    deleteAnnounced(d->extraDays);
    delete d->defaultDayPlan.data();
    d->defaultDayPlan = nullptr;
    d->defaultProgram = nullptr;
    d->defaultSpareProgram = nullptr;

    deleteSilently(d->controlSources);
    d->kmp1.reset();
    deleteSilently(d->switches);
    delete d->switchDefaults.data();
    d->switchDefaults = new ZUSwitch(this);

    d->countdownBoards.reset();
    for (const QPointer<ZUDIO> &dio : qAsConst(d->dios))
        dio->reset();
    d->vpu.reset();
    d->recoveryParameters.reset();
    d->warnings.clear();
    keptMembers().clear();
}

QStringList &ZUConfiguration::warnings()
{
    return d->warnings;
}
bool ZUConfiguration::loading() const
{
    return d->loading;
}
void ZUConfiguration::setLoading(bool loading)
{
    d->loading = loading;
}
int ZUConfiguration::configVersion() const
{
    return d->configVersion;
}
void ZUConfiguration::setConfigVersion(int version)
{
    d->configVersion = version;
}
QString ZUConfiguration::description() const
{
    return d->description;
}
void ZUConfiguration::setDescription(const QString &description)
{
    d->description = description;
}
QVariant ZUConfiguration::timeZone() const
{
    return d->timeZone;
}
void ZUConfiguration::setTimeZone(const QVariant &timeZone)
{
    d->timeZone = timeZone;
}
int ZUConfiguration::maxCurrent() const
{
    return d->maxCurrent;
}
void ZUConfiguration::setMaxCurrent(int value)
{
    d->maxCurrent = value;
}
int ZUConfiguration::allRed() const
{
    return d->allRed;
}
void ZUConfiguration::setAllRed(int value)
{
    d->allRed = value;
}
int ZUConfiguration::amberBlink() const
{
    return d->amberBlink;
}
void ZUConfiguration::setAmberBlink(int value)
{
    d->amberBlink = value;
}

QList<QPointer<ZUSignalGroup>> &ZUConfiguration::signalGroups()
{
    return d->signalGroups;
}
QList<QPointer<ZUStage>> &ZUConfiguration::stages()
{
    return d->stages;
}
QList<QPointer<ZUDetector>> &ZUConfiguration::detectors()
{
    return d->detectors;
}
QList<QPointer<ZUSignalPlan>> &ZUConfiguration::signalPlans()
{
    return d->signalPlans;
}
QList<QPointer<ZUDayPlan>> &ZUConfiguration::dayPlans()
{
    return d->dayPlans;
}
QList<QPointer<ZUWeekPlan>> &ZUConfiguration::weekPlans()
{
    return d->weekPlans;
}
QList<QPointer<ZUExtraPeriod>> &ZUConfiguration::extraPeriods()
{
    return d->extraPeriods;
}
QList<QPointer<ZUExtraDay>> &ZUConfiguration::extraDays()
{
    return d->extraDays;
}
QList<QPointer<ZUControlSource>> &ZUConfiguration::controlSources()
{
    return d->controlSources;
}
QList<QPointer<ZUSwitch>> &ZUConfiguration::switches()
{
    return d->switches;
}
QList<QPointer<ZUDIO>> &ZUConfiguration::dios()
{
    return d->dios;
}

QPointer<ZUSignalGroup> ZUConfiguration::signalGroupDefaults() const
{
    return d->signalGroupDefaults;
}
QPointer<ZUSwitch> ZUConfiguration::switchDefaults() const
{
    return d->switchDefaults;
}
ZUIntergreenMatrix *ZUConfiguration::intergreenMatrix() const
{
    return &d->intergreenMatrix;
}
ZUKMP1 *ZUConfiguration::kmp1() const
{
    return &d->kmp1;
}
ZUCountdownBoards *ZUConfiguration::countdownBoards() const
{
    return &d->countdownBoards;
}
ZUVPU *ZUConfiguration::vpu() const
{
    return &d->vpu;
}
ZUConfiguration::DetectorIntervals *ZUConfiguration::detectorIntervals() const
{
    return &d->detectorIntervals;
}
ZUNetworkParameters *ZUConfiguration::networkParameters() const
{
    return &d->networkParameters;
}
ZURecoveryParameters *ZUConfiguration::recoveryParameters() const
{
    return &d->recoveryParameters;
}

QPointer<ZUDayPlan> ZUConfiguration::defaultDayPlan() const
{
    return d->defaultDayPlan;
}
QPointer<ZUSignalPlan> ZUConfiguration::defaultProgram() const
{
    return d->defaultProgram;
}
void ZUConfiguration::setDefaultProgram(QPointer<ZUSignalPlan> plan)
{
    d->defaultProgram = plan;
}
QPointer<ZUSignalPlan> ZUConfiguration::defaultSpareProgram() const
{
    return d->defaultSpareProgram;
}
void ZUConfiguration::setDefaultSpareProgram(QPointer<ZUSignalPlan> plan)
{
    d->defaultSpareProgram = plan;
}

void ZUConfiguration::setDefaultDayPlan(QPointer<ZUDayPlan> plan)
{
    addDayPlan(plan);
    d->defaultDayPlan = plan;
}

// Every listed object carries the configuration that lists it, so that adding
// checks "already listed" without a scan of the list or an index beside it: a
// mark is confirmed in the list itself (lists are handed out for editing), no
// mark is final.
template<typename T>
bool ZUConfiguration::isListed(const QList<QPointer<T>> &list, const QPointer<T> &obj) const
{
    return obj->listedIn() == this && list.contains(obj);
}

template<typename T>
void ZUConfiguration::addObject(QList<QPointer<T>> &list, const QPointer<T> &obj, bool once)
{
    if (!obj || (once && isListed(list, obj)))
        return;
    obj->setListedIn(this);
    list.append(obj);
    attachObject(obj, list.size() - 1);
}

template<typename T>
void ZUConfiguration::insertObject(QList<QPointer<T>> &list, const QPointer<T> &obj,
                                   const QPointer<T> &after)
{
    if (!obj || isListed(list, obj))
        return;
    obj->setListedIn(this);
    attachObject(obj, zu::insertAfter(list, obj, after));
}

void ZUConfiguration::attachObject(ZUBaseObject *obj, int pos)
{
    obj->setParent(this);
    connect(obj, &ZUBaseObject::beforeDestroyed, this, &ZUConfiguration::beforeDestroyed);
    emit objectAdded(obj, pos);
}

void ZUConfiguration::beforeDestroyed(ZUBaseObject *obj)
{
    removeIfOfClass(d->signalGroups, obj) || removeIfOfClass(d->stages, obj)
        || removeIfOfClass(d->detectors, obj) || removeIfOfClass(d->signalPlans, obj)
        || removeIfOfClass(d->dayPlans, obj) || removeIfOfClass(d->weekPlans, obj)
        || removeIfOfClass(d->extraPeriods, obj) || removeIfOfClass(d->extraDays, obj)
        || removeIfOfClass(d->controlSources, obj) || removeIfOfClass(d->switches, obj);
    // The steps that run a removed stage go with it now, so that the pages and a
    // save see the plans as the file will hold them.
    if (const auto *stage = qobject_cast<const ZUStage *>(obj)) {
        for (const QPointer<ZUSignalPlan> &plan : qAsConst(d->signalPlans)) {
            if (plan)
                plan->removePhasesOf(stage);
        }
    }
    obj->setListedIn(nullptr);
    emit objectDestroyed(obj);
}

void ZUConfiguration::addSignalGroup(QPointer<ZUSignalGroup> obj)
{
    addObject(d->signalGroups, obj, true);
}
void ZUConfiguration::addStage(QPointer<ZUStage> obj)
{
    addObject(d->stages, obj, true);
}
void ZUConfiguration::addDetector(QPointer<ZUDetector> obj)
{
    addObject(d->detectors, obj, true);
}
void ZUConfiguration::addSignalPlan(QPointer<ZUSignalPlan> obj)
{
    addObject(d->signalPlans, obj, true);
}
void ZUConfiguration::addDayPlan(QPointer<ZUDayPlan> obj)
{
    addObject(d->dayPlans, obj, true);
}
void ZUConfiguration::addWeekPlan(QPointer<ZUWeekPlan> obj)
{
    addObject(d->weekPlans, obj, false);
}
void ZUConfiguration::addExtraPeriod(QPointer<ZUExtraPeriod> obj)
{
    addObject(d->extraPeriods, obj, false);
}
void ZUConfiguration::addExtraDay(QPointer<ZUExtraDay> obj)
{
    addObject(d->extraDays, obj, false);
}
void ZUConfiguration::addControlSource(QPointer<ZUControlSource> obj)
{
    addObject(d->controlSources, obj, false);
}
void ZUConfiguration::addSwitch(QPointer<ZUSwitch> obj)
{
    addObject(d->switches, obj, false);
}

void ZUConfiguration::insertSignalGroup(QPointer<ZUSignalGroup> obj, QPointer<ZUSignalGroup> after)
{
    insertObject(d->signalGroups, obj, after);
}
void ZUConfiguration::insertStage(QPointer<ZUStage> obj, QPointer<ZUStage> after)
{
    insertObject(d->stages, obj, after);
}
void ZUConfiguration::insertDetector(QPointer<ZUDetector> obj, QPointer<ZUDetector> after)
{
    insertObject(d->detectors, obj, after);
}
void ZUConfiguration::insertSignalPlan(QPointer<ZUSignalPlan> obj, QPointer<ZUSignalPlan> after)
{
    insertObject(d->signalPlans, obj, after);
}
void ZUConfiguration::insertDayPlan(QPointer<ZUDayPlan> obj, QPointer<ZUDayPlan> after)
{
    insertObject(d->dayPlans, obj, after);
}
void ZUConfiguration::insertWeekPlan(QPointer<ZUWeekPlan> obj, QPointer<ZUWeekPlan> after)
{
    insertObject(d->weekPlans, obj, after);
}
void ZUConfiguration::insertExtraPeriod(QPointer<ZUExtraPeriod> obj, QPointer<ZUExtraPeriod> after)
{
    insertObject(d->extraPeriods, obj, after);
}
void ZUConfiguration::insertExtraDay(QPointer<ZUExtraDay> obj, QPointer<ZUExtraDay> after)
{
    insertObject(d->extraDays, obj, after);
}
void ZUConfiguration::insertControlSource(QPointer<ZUControlSource> obj,
                                          QPointer<ZUControlSource> after)
{
    insertObject(d->controlSources, obj, after);
}
void ZUConfiguration::insertSwitch(QPointer<ZUSwitch> obj, QPointer<ZUSwitch> after)
{
    insertObject(d->switches, obj, after);
}

void ZUConfiguration::moveSignalGroup(int from, int to)
{
    zu::moveWithin(d->signalGroups, from, to);
}
void ZUConfiguration::moveStage(int from, int to)
{
    zu::moveWithin(d->stages, from, to);
}
void ZUConfiguration::moveDetector(int from, int to)
{
    zu::moveWithin(d->detectors, from, to);
}
void ZUConfiguration::moveSignalPlan(int from, int to)
{
    zu::moveWithin(d->signalPlans, from, to);
}
void ZUConfiguration::moveDayPlan(int from, int to)
{
    zu::moveWithin(d->dayPlans, from, to);
}
void ZUConfiguration::moveWeekPlan(int from, int to)
{
    zu::moveWithin(d->weekPlans, from, to);
}
void ZUConfiguration::moveExtraPeriod(int from, int to)
{
    zu::moveWithin(d->extraPeriods, from, to);
}
void ZUConfiguration::moveExtraDay(int from, int to)
{
    zu::moveWithin(d->extraDays, from, to);
}
void ZUConfiguration::moveControlSource(int from, int to)
{
    zu::moveWithin(d->controlSources, from, to);
}
void ZUConfiguration::moveSwitch(int from, int to)
{
    zu::moveWithin(d->switches, from, to);
}

QPointer<ZUSignalGroup> ZUConfiguration::findSignalGroup(const QVariant &key) const
{
    return zu::findInList(d->signalGroups, key);
}
QPointer<ZUStage> ZUConfiguration::findStage(const QVariant &key) const
{
    return zu::findInList(d->stages, key);
}
QPointer<ZUDetector> ZUConfiguration::findDetector(const QVariant &key) const
{
    return zu::findInList(d->detectors, key);
}
QPointer<ZUSignalPlan> ZUConfiguration::findSignalPlan(const QVariant &key) const
{
    return zu::findInList(d->signalPlans, key);
}
QPointer<ZUDayPlan> ZUConfiguration::findDayPlan(const QVariant &key) const
{
    return zu::findInList(d->dayPlans, key);
}
QPointer<ZUWeekPlan> ZUConfiguration::findWeekPlan(const QVariant &key) const
{
    return zu::findInList(d->weekPlans, key);
}
QPointer<ZUControlSource> ZUConfiguration::findControlSource(const QVariant &key) const
{
    return zu::findInList(d->controlSources, key);
}

QPointer<ZUSwitch> ZUConfiguration::findSwitchByAddr(const QVariant &key) const
{
    for (const QPointer<ZUSwitch> &output : d->switches) {
        if (output && QVariant(output->addr()) == key)
            return output;
    }
    return nullptr;
}
