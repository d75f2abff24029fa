#include "zuconfigurationcheck.h"

#include "zuconfiguration.h"

#include "utf8/utf8.h"

#include <QCoreApplication>
#include <QHash>

namespace {

// The longest name or description, in UTF-8 bytes, that the controller stores.
constexpr int MaxTextBytes = 255;

// The translation contexts of the check's texts: the common rules belong to the
// checking dialog, the steps to the main window. Called as CommonText::tr("...")
// so that lupdate files each literal under its context.
struct CommonText
{
    Q_DECLARE_TR_FUNCTIONS(CheckingErrorsDialog)
};

struct StepText
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};

bool tooLong(const QString &text)
{
    return text.toUtf8().size() > MaxTextBytes;
}

// The non-empty entries that occur more than once, each listed once, in the order
// of their first occurrence (the order in which a pairwise comparison of the list
// finds them), joined with ","; each as `shown` gives it, when given.
QString repeatedEntries(const QStringList &entries, QString (*shown)(const QString &) = nullptr)
{
    QHash<QString, int> counts;
    for (const QString &entry : entries)
        ++counts[entry];
    QStringList repeated;
    for (const QString &entry : entries) {
        if (!entry.isEmpty() && counts.value(entry) > 1 && !repeated.contains(entry))
            repeated.append(entry);
    }
    for (QString &entry : repeated) {
        if (shown)
            entry = shown(entry);
    }
    return repeated.join(QLatin1Char(','));
}

QStringList numbers(const QList<int> &values)
{
    QStringList texts;
    for (int value : values)
        texts.append(QString::number(value));
    return texts;
}

// An interval in seconds the controller accepts: positive and set.
bool intervalSet(int seconds)
{
    return seconds >= 1 && seconds < zu::NotSet;
}

bool hasKmpDevice(ZUConfiguration &configuration, int kind)
{
    for (const QPointer<ZUKMPDevice> &device : configuration.kmp1()->devices()) {
        if (device && device->device() == kind)
            return true;
    }
    return false;
}

// The KMP device kinds that serve the DIO modules 1 to 5. Each module is a device
// of its own on the KMP bus, so module n needs a device of kind DIOn; a DIO1
// device does not stand in for the other modules.
const int DioDeviceKinds[] = { zu::KMPDevice::DIO1, zu::KMPDevice::DIO2, zu::KMPDevice::DIO3,
                               zu::KMPDevice::DIO4, zu::KMPDevice::DIO5 };
constexpr int DioModules = int(sizeof(DioDeviceKinds) / sizeof(DioDeviceKinds[0]));

void checkController(QStringList &rows, ZUConfiguration &configuration)
{
    if (configuration.id() == zu::NotSet)
        rows.append(StepText::tr("Controller ID not set"));
    if (tooLong(configuration.name()))
        rows.append(StepText::tr("Controller name has length > %1 bytes").arg(MaxTextBytes));
    if (tooLong(configuration.description()))
        rows.append(StepText::tr("Controller description has length > %1 bytes").arg(MaxTextBytes));
}

void checkStageConflicts(QStringList &rows, ZUConfiguration &configuration)
{
    const ZUIntergreenMatrix *matrix = configuration.intergreenMatrix();
    for (const QPointer<ZUStage> &stage : configuration.stages()) {
        if (!stage)
            continue;
        const QList<QPointer<ZUSignalGroup>> groups = stage->groups();
        bool conflict = false;
        for (const QPointer<ZUSignalGroup> &group : groups) {
            for (const QPointer<ZUSignalGroup> &other : matrix->conflictingGroups(group)) {
                if (other != group && groups.contains(other))
                    conflict = true;
            }
        }
        if (conflict)
            rows.append(
                StepText::tr("Stage %1 contain conflicted signal groups").arg(stage->quotedText()));
    }
}

void checkDetectors(QStringList &rows, ZUConfiguration &configuration,
                    const ZUCheckSectionTexts &sections)
{
    checkUniqueIdsAndNames(rows, configuration.detectors(), sections.detectors);
    checkNameLength(rows, configuration.detectors(), StepText::tr("Detctor"));

    bool reported = false;
    for (const QPointer<ZUDetector> &detector : configuration.detectors())
        reported = reported || (detector && detector->report());
    if (!reported)
        return;
    const ZUConfiguration::DetectorIntervals *intervals = configuration.detectorIntervals();
    if (!intervalSet(intervals->logInterval))
        rows.append(StepText::tr("Report interval not defined but configuration has detectors with "
                                 "'Allow report' flag"));
    if (!intervalSet(intervals->logIntervalASUDD))
        rows.append(StepText::tr("ITS report interval not defined but configuration has detectors "
                                 "with 'Allow report' flag"));
}

void checkScheduler(QStringList &rows, ZUConfiguration &configuration,
                    const ZUCheckSectionTexts &sections)
{
    const QList<const ZUBaseObject *> plans = liveObjects(configuration.signalPlans());
    if (plans.isEmpty()) {
        rows.append(StepText::tr("Signal plans are not defined"));
    } else {
        checkUniqueIdsAndNames(rows, plans, sections.signalPlans);
        checkNameLength(rows, plans, StepText::tr("Signal plan"));
    }
    const bool defaultProgram = !configuration.defaultProgram().isNull();
    if (!defaultProgram)
        rows.append(StepText::tr("Default signal plan are not defined"));

    const QList<const ZUBaseObject *> dayPlans = liveObjects(configuration.dayPlans());
    if (!dayPlans.isEmpty()) {
        checkUniqueIdsAndNames(rows, dayPlans, sections.dayPlans);
        checkNameLength(rows, dayPlans, StepText::tr("Dayplan"));
    }
    if (!defaultProgram) {
        if (dayPlans.isEmpty())
            rows.append(StepText::tr("Dayplans are not defined"));
        else if (!configuration.defaultDayPlan())
            rows.append(StepText::tr("Default dayplan are not defined"));
    }
    for (const QPointer<ZUDayPlan> &dayPlan : configuration.dayPlans()) {
        if (dayPlan && dayPlan->periods().isEmpty())
            rows.append(
                StepText::tr("Dayplan %1 not contains no one record").arg(dayPlan->quotedText()));
    }

    const QList<const ZUBaseObject *> weekPlans = liveObjects(configuration.weekPlans());
    if (!weekPlans.isEmpty()) {
        checkUniqueIdsAndNames(rows, weekPlans, sections.weekPlans);
        checkNameLength(rows, weekPlans, StepText::tr("Week plan"));
    }
    checkUniqueIdsAndNames(rows, configuration.extraPeriods(), sections.extraPeriods);
    checkNameLength(rows, configuration.extraPeriods(), StepText::tr("Seasonal plan"));
    checkUniqueIdsAndNames(rows, configuration.extraDays(), sections.extraDays);
    checkNameLength(rows, configuration.extraDays(), StepText::tr("Special day"));
}

void checkControlSources(QStringList &rows, ZUConfiguration &configuration,
                         const ZUCheckSectionTexts &sections)
{
    const QList<QPointer<ZUControlSource>> &sources = configuration.controlSources();
    checkUniqueIdsAndNames(rows, sources, sections.controlSources);
    checkUniqueValues(
        rows, sources, [](const ZUControlSource &source) { return source.priority(); },
        sections.controlSources, StepText::tr("priorities"));

    // The first source with the largest priority wins among equals.
    const ZUControlSource *highest = nullptr;
    bool emergency = false;
    bool scheduler = false;
    for (const QPointer<ZUControlSource> &source : sources) {
        if (!source)
            continue;
        emergency = emergency || source->type() == zu::emergency;
        scheduler = scheduler || source->type() == zu::scheduler;
        if (!highest || source->priority() > highest->priority())
            highest = source.data();
    }
    if (emergency && highest->type() != zu::emergency)
        rows.append(StepText::tr("Highest priority must have emergency control source"));
    if (!scheduler && !liveObjects(configuration.dayPlans()).isEmpty())
        rows.append(StepText::tr("Control source with type 'scheduler' is not defined"));
}

void checkDevices(QStringList &rows, ZUConfiguration &configuration,
                  const ZUCheckSectionTexts &sections)
{
    checkUniqueValues(
        rows, configuration.kmp1()->devices(),
        [](const ZUKMPDevice &device) { return device.addr(); }, sections.kmpDevices,
        StepText::tr("addresses"));

    checkUniqueIdsAndNames(rows, configuration.switches(), sections.switches);
    checkUniqueValues(
        rows, configuration.switches(), [](const ZUSwitch &sw) { return sw.addr(); },
        sections.switches, StepText::tr("addresses"));
    checkNameLength(rows, configuration.switches(), StepText::tr("Switch"));
}

void checkDios(QStringList &rows, ZUConfiguration &configuration)
{
    const QList<QPointer<ZUDIO>> &dios = configuration.dios();
    for (int i = 0; i < dios.size() && i < DioModules; ++i) {
        const ZUDIO *dio = dios.at(i);
        if (!dio || dio->type() == zu::NotSet)
            continue;
        const int n = i + 1;
        if (!hasKmpDevice(configuration, DioDeviceKinds[i]))
            rows.append(StepText::tr("For DIO%1 not defined KMP device").arg(n));
        // Only the network modules are reached over an address and a port.
        if (dio->type() != zu::DIO::traficam && dio->type() != zu::DIO::sitilog)
            continue;
        if (dio->ip().isEmpty())
            rows.append(StepText::tr("For DIO%1 not defined ip address").arg(n));
        if (dio->port() == 0)
            rows.append(StepText::tr("For DIO%1 not defined TCP port").arg(n));
    }
}

void checkPanel(QStringList &rows, ZUConfiguration &configuration)
{
    ZUVPU *vpu = configuration.vpu();
    if (vpu->type() == zu::NotSet)
        return;
    const bool source = !vpu->source().isNull();
    if (!source)
        rows.append(StepText::tr("Control source with type 'RCU' is not defined for RCU1"));
    if (vpu->stages().isEmpty())
        rows.append(StepText::tr("The RCU1 buttons are not assigned to any stage"));
    if (!source)
        rows.append(StepText::tr("For RCU1 not defined control source"));
    if (!hasKmpDevice(configuration, zu::KMPDevice::VPU1))
        rows.append(StepText::tr("For RCU1 not defined KMP device"));
}

} // namespace

ZUCheckSectionTexts ZUCheckSectionTexts::defaults()
{
    ZUCheckSectionTexts texts;
    texts.signalGroups = StepText::tr("Signal groups");
    texts.stages = StepText::tr("Stages");
    texts.detectors = StepText::tr("Detectors");
    texts.signalPlans = StepText::tr("Signal plans");
    texts.dayPlans = StepText::tr("Daily plans");
    texts.weekPlans = StepText::tr("Week plans");
    texts.extraPeriods = StepText::tr("Extra periods");
    texts.extraDays = StepText::tr("Extra days");
    texts.controlSources = StepText::tr("Control sources");
    texts.kmpDevices = StepText::tr("Composite device");
    texts.switches = StepText::tr("Power switches");
    return texts;
}

QStringList checkConfiguration(ZUConfiguration &configuration, const ZUCheckSectionTexts &sections)
{
    QStringList rows;
    checkController(rows, configuration);
    checkUniqueIdsAndNames(rows, configuration.signalGroups(), sections.signalGroups);
    checkNameLength(rows, configuration.signalGroups(), StepText::tr("Signal group"));
    checkUniqueIdsAndNames(rows, configuration.stages(), sections.stages);
    checkNameLength(rows, configuration.stages(), StepText::tr("Stage"));
    checkStageConflicts(rows, configuration);
    checkDetectors(rows, configuration, sections);
    checkScheduler(rows, configuration, sections);
    checkControlSources(rows, configuration, sections);
    checkDevices(rows, configuration, sections);
    checkDios(rows, configuration);
    checkPanel(rows, configuration);
    return rows;
}

void checkNameLength(QStringList &rows, const QList<const ZUBaseObject *> &objects,
                     const QString &kindWord)
{
    for (const ZUBaseObject *object : objects) {
        if (tooLong(object->name()))
            rows.append(
                CommonText::tr("%1 with id %2 has name length > %3 bytes")
                    .arg(kindWord, QString::number(object->id()), QString::number(MaxTextBytes)));
    }
}

void checkUniqueIdsAndNames(QStringList &rows, const QList<const ZUBaseObject *> &objects,
                            const QString &kindText)
{
    QList<int> ids;
    QStringList names;
    for (const ZUBaseObject *object : objects) {
        ids.append(object->id());
        names.append(object->name());
    }
    const QString repeatedIds = repeatedEntries(numbers(ids));
    if (!repeatedIds.isEmpty())
        rows.append(CommonText::tr("%1 contain non-unique ids: %2").arg(kindText, repeatedIds));
    // Names come from the file: compared whole, shown as a message quotes them.
    const QString repeatedNames = repeatedEntries(names, Utf8::quoted);
    if (!repeatedNames.isEmpty())
        rows.append(CommonText::tr("%1 contain non-unique names: %2").arg(kindText, repeatedNames));
}

void checkUniqueValues(QStringList &rows, const QList<int> &values, const QString &kindText,
                       const QString &what)
{
    const QString repeated = repeatedEntries(numbers(values));
    if (!repeated.isEmpty())
        rows.append(CommonText::tr("%1 contain non-unique %2: %3").arg(kindText, what, repeated));
}
