#include "zuconfigurationreader.h"
#include "zuconfigurationreaderprivate.h"

#include <QRegularExpression>

namespace {

// Restores the configuration's loading flag however the read ends.
class LoadingScope
{
public:
    explicit LoadingScope(ZUConfiguration *configuration)
        : m_configuration(configuration)
        , m_previous(configuration->loading())
    {
        configuration->setLoading(true);
    }
    ~LoadingScope() { m_configuration->setLoading(m_previous); }

private:
    ZUConfiguration *m_configuration;
    bool m_previous;
};

// A number other than 1 is a version this program does not know; anything else
// (the text "1" among them) is no version at all, and the message says so.
QString unsupportedVersion(const JsonValue &version)
{
    const int type = version.type();
    if (type == JsonValue::Integer || type == JsonValue::Double)
        return ZUConfigurationReader::tr("Unsupported configuration version %1")
            .arg(version.toVariant().toString());
    QString shown;
    if (type == JsonValue::String)
        shown = QLatin1Char('"') + Utf8::quoted(version.toString()) + QLatin1Char('"');
    else if (type == JsonValue::Null)
        shown = QStringLiteral("null");
    else if (type == JsonValue::Bool)
        shown = version.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    else
        shown = type == JsonValue::Array ? QStringLiteral("[...]") : QStringLiteral("{...}");
    return ZUConfigurationReader::tr(
               "Unsupported configuration version %1: the version must be a number")
        .arg(shown);
}

} // namespace

bool ZUConfigurationReader::Private::read(const QByteArray &data, QString *error)
{
    c->warnings().clear();
    if (error)
        error->clear();
    if (!reader.load(data, error))
        return false;

    c->reset();

    if (!reader.check("configVersion")) {
        reader.addWarning(tr("Configuration version not defined. Using version 1"), JsonValue());
    } else if (reader.current().toInt() != 1) {
        if (error)
            *error = unsupportedVersion(reader.current());
        return false;
    }
    if (!reader.check("type")) {
        if (error)
            *error = tr("'type' attribute not defined");
        return false;
    }
    if (reader.current().toString() != QLatin1String("ZU_MOLT")) {
        if (error)
            *error = tr("'type' attribute has invalid value %1")
                         .arg(Utf8::quoted(reader.current().toString()));
        return false;
    }

    readRoot();
    readSignalGroups();
    readStages();
    readMatrix();
    readDetectors();
    if (!readPlans(error)) {
        c->warnings().clear();
        return false;
    }
    readScheduler();
    readControlSources();
    readKmp();
    readSwitches();
    readCountdownBoards();
    readInputsOutputs();
    readRemoteControlPanel();
    readRecovery();
    keep(c->keptMembers(), reader.context());

    c->warnings() = reader.warnings();
    return true;
}

void ZUConfigurationReader::Private::readRoot()
{
    c->setName(reader.readString("name"));
    c->setId(reader.readInt("id", true));
    c->setDescription(reader.readString("description"));
    readTimeZone();
    c->setMaxCurrent(reader.readInt("maxCurrent"));
    inObject("startTime", [this] {
        c->setAllRed(reader.readInt("allRed"));
        c->setAmberBlink(reader.readInt("amberBlink"));
        keep(c->keptMembers(), reader.context(), "startTime");
        return true;
    });
    readNetwork();
}

void ZUConfigurationReader::Private::readTimeZone()
{
    if (!reader.check("timeZone"))
        return;
    const JsonValue value = reader.current();
    if (value.type() == JsonValue::Integer || value.type() == JsonValue::Double) {
        const int hours = value.toInt();
        if (hours < -12 || hours > 12)
            reader.addWarning(
                tr("'timeZone' has invalid value %1 (must be >=-12 and <=12)").arg(hours), value);
    } else if (value.type() == JsonValue::String) {
        static const QRegularExpression pattern(QStringLiteral("\\A[+-]?\\d{0,2}:\\d{0,2}\\z"));
        if (!pattern.match(value.toString()).hasMatch())
            reader.addWarning(
                tr("'timeZone' value %1 has invalid format").arg(Utf8::quoted(value.toString())),
                value);
    }
    // Kept whatever it is, so that a save writes back what the file held.
    c->setTimeZone(value.toVariant());
}

void ZUConfigurationReader::Private::readNetwork()
{
    inObject("LAN", [this] {
        ZUNetworkParameters *network = c->networkParameters();
        network->setAllowed(true);
        const int mode = reader.readEnum<zu::LanMode>("lanMode");
        if (mode != zu::NotSet)
            network->setLanMode(mode);
        if (mode == zu::staticIP) {
            network->setLanIP(reader.readString("lanIP"));
            network->setLanMask(reader.readString("lanMask"));
            network->setGtwIP(reader.readString("gtwIP"));
            network->setDnsIP(reader.readString("dnsIP"));
        } else {
            // Addresses of a static setting are void under any other mode.
            reader.markKnown({ "lanIP", "lanMask", "gtwIP", "dnsIP" });
        }
        network->setSrvIP(reader.readString("srvIP"));
        network->setSrvName(reader.readString("srvName"));
        network->setAsudPort(readPort("asudPort"));
        network->setMacAddres(reader.readString("macAddres"));
        network->setSntpIP(reader.readString("sntpIP"));
        network->setSntpName(reader.readString("sntpName"));
        keep(c->keptMembers(), reader.context(), "LAN");
        return true;
    });
}

void ZUConfigurationReader::Private::readSignalGroupTimes(ZUSignalGroup *group)
{
    group->setExtRed(reader.readInt("extRed"));
    group->setRedAmber(reader.readInt("redAmber"));
    group->setGreenBlink(reader.readInt("greenBlink"));
    group->setAmber(reader.readInt("amber"));
    group->setMinRed(reader.readInt("minRed"));
    group->setMaxRed(reader.readInt("maxRed"));
    group->setMinGreen(reader.readInt("minGreen"));
    group->setMaxGreen(reader.readInt("maxGreen"));
    group->setExtGreen1(reader.readInt("extGreen1"));
    group->setExtGreen2(reader.readInt("extGreen2"));
}

void ZUConfigurationReader::Private::readSignalGroups()
{
    inObject("signalGroups", [this] {
        inObject("default", [this] {
            readSignalGroupTimes(c->signalGroupDefaults());
            keep(c->signalGroupDefaults()->keptMembers(), reader.context());
            return true;
        });
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUSignalGroup> group(new ZUSignalGroup);
            readNameAndId(group.get());
            group->setType(reader.readEnum<zu::SGType>("type"));
            readSignalGroupTimes(group.get());
            keep(group->keptMembers(), item);
            c->addSignalGroup(group.release());
            return true;
        });
        keep(c->keptMembers(), reader.context(), "signalGroups");
        return true;
    });
}

void ZUConfigurationReader::Private::readStages()
{
    forEachItem("stages", [this](const JsonValue &item) {
        Pending<ZUStage> stage(new ZUStage);
        readNameAndId(stage.get());
        for (const JsonValue &item : reader.readArray("groups")) {
            if (const QPointer<ZUSignalGroup> group = resolveReference(item, signalGroupLookup()))
                stage->addGroup(group);
        }
        // minTime and maxTime are older names of the same values.
        stage->setMinTime(reader.isInteger("minGreen") ? reader.current().toInt()
                                                       : reader.readInt("minTime"));
        stage->setMaxTime(reader.isInteger("maxGreen") ? reader.current().toInt()
                                                       : reader.readInt("maxTime"));
        reader.markKnown({ "minTime", "maxTime" });
        keep(stage->keptMembers(), item);
        c->addStage(stage.release());
        return true;
    });
}

void ZUConfigurationReader::Private::readMatrix()
{
    ZUIntergreenMatrix *matrix = c->intergreenMatrix();
    GivenConflictPoints given;
    forEachItem("IGM", [this, matrix, &given](const JsonValue &element) {
        matrix->setId(reader.readInt("id"));
        matrix->setName(reader.readString("name"));
        if (reader.isArray("matrix")) {
            readMatrixTable(reader.current(), given);
            reader.markKnown({ "items" }); // the table replaces the list
        } else if (reader.isArray("items")) {
            forEachItem(reader.current(), [this, &given](const JsonValue &item) {
                const QPointer<ZUSignalGroup> clearing
                    = readReference("clearing", signalGroupLookup(), false, true);
                const QPointer<ZUSignalGroup> entering
                    = readReference("entering", signalGroupLookup(), false, true);
                const int time = reader.readInt("time");
                if (clearing && entering)
                    takeConflictPoint(given, clearing, entering, time, item, item.unaskedMembers());
                return true;
            });
        } else {
            reader.addWarning(tr("Matrix not contains conflict points"), element.member("items"));
        }
        // The writer gives one element: what each element held beyond the known
        // members goes into it, a later element's member replacing one of the same name.
        matrix->keptMembers().addMembers("", element.unaskedMembers());
        return true;
    });
    // Points with members of their own are rare: they get them once at the end, not
    // by a search per point.
    const bool anyMembers
        = std::any_of(given.cbegin(), given.cend(),
                      [](const QVector<JsonRawMember> &members) { return !members.isEmpty(); });
    if (anyMembers) {
        for (ZUIntergreenMatrix::Point &point : matrix->points())
            point.kept.setMembers("",
                                  given.value({ point.clearing.data(), point.entering.data() }));
    }
}

void ZUConfigurationReader::Private::takeConflictPoint(GivenConflictPoints &given,
                                                       ZUSignalGroup *clearing,
                                                       ZUSignalGroup *entering, int time,
                                                       const JsonValue &where,
                                                       const QVector<JsonRawMember> &members)
{
    // A pair given again replaces the earlier time and members, and the user is told so.
    const GivenConflictPoints::key_type pair(clearing, entering);
    const auto earlier = given.find(pair);
    if (earlier != given.end()) {
        // A group is named as a reference names it: by its id, or by its name without one.
        const auto key = [](const ZUSignalGroup *group) {
            return group->id() != zu::NotSet ? QString::number(group->id()) : group->name();
        };
        reader.addWarning(
            tr("Conflict point clearing %1, entering %2 given twice. Earlier value ignored")
                .arg(Utf8::quoted(key(clearing)), Utf8::quoted(key(entering))),
            where);
        earlier.value() = members;
    } else {
        given.insert(pair, members);
    }
    c->intergreenMatrix()->setConflictTime(clearing, entering, time);
}

void ZUConfigurationReader::Private::readMatrixTable(const JsonValue &matrix,
                                                     GivenConflictPoints &given)
{
    // Row r and column c belong to the r-th and c-th signal group of the file.
    const QList<QPointer<ZUSignalGroup>> groups = c->signalGroups();
    const int count = groups.size();
    if (matrix.size() != count) {
        reader.addWarning(tr("Row count in matrix %1 != signal group count %2. Matrix ignored")
                              .arg(matrix.size())
                              .arg(count),
                          matrix);
        return;
    }
    for (int r = 0; r < count; ++r) {
        const JsonValue row = matrix.at(r);
        if (row.type() != JsonValue::Array) {
            reader.addWarning(tr("Rows in matrix must be arrays. Matrix ignored"), matrix);
            return;
        }
        if (row.size() != count) {
            reader.addWarning(
                tr("Column count in matrix %1 != signal group count %2. Matrix ignored")
                    .arg(row.size())
                    .arg(count),
                matrix);
            return;
        }
        for (int col = 0; col < count; ++col) {
            const JsonValue cell = row.at(col);
            if (cell.type() == JsonValue::Integer || cell.type() == JsonValue::Double)
                takeConflictPoint(given, groups.at(r), groups.at(col), cell.toInt(), cell, {});
        }
    }
}

void ZUConfigurationReader::Private::readDetectors()
{
    if (!reader.check("detectors"))
        return;
    const JsonValue detectors = reader.current();
    if (detectors.type() == JsonValue::Array) {
        // The older form: a bare list of detectors without report flags.
        forEachItem(detectors, [this](const JsonValue &item) {
            Pending<ZUDetector> detector(new ZUDetector);
            readNameAndId(detector.get());
            reader.markKnown({ "report" }); // not read in this form
            keep(detector->keptMembers(), item);
            c->addDetector(detector.release());
            return true;
        });
    } else if (detectors.type() == JsonValue::Object) {
        reader.enter(detectors);
        c->detectorIntervals()->logInterval = reader.readInt("logInterval");
        c->detectorIntervals()->logIntervalASUDD = reader.readInt("logIntervalASUDD");
        forEachItem("items", [this](const JsonValue &item) {
            Pending<ZUDetector> detector(new ZUDetector);
            readNameAndId(detector.get());
            detector->setReport(reader.readBool("report"));
            keep(detector->keptMembers(), item);
            c->addDetector(detector.release());
            return true;
        });
        keep(c->keptMembers(), detectors, "detectors");
        reader.leave();
    } else {
        reader.addWarning(tr("'detectors' attribute has invalid type (must be array or object)"),
                          detectors);
    }
}

void ZUConfigurationReader::Private::readNameAndId(ZUBaseObject *object)
{
    object->setName(reader.readString("name"));
    object->setId(reader.readInt("id"));
}

quint16 ZUConfigurationReader::Private::readPort(const char *key)
{
    // A port is 16 bits wide; a larger number would wrap around to an unrelated
    // port, so it is refused like any other invalid value.
    const int port = reader.readInt(key, 0);
    if (port >= 0 && port <= 0xFFFF)
        return quint16(port);
    reader.addWarning(
        JsonReader::tr("'%1' attribute has invalid value %2").arg(QLatin1String(key)).arg(port));
    return 0;
}

QTime ZUConfigurationReader::Private::readTime(const char *key, const QString &warning)
{
    if (!reader.isString(key, true))
        return QTime();
    const QTime time = QTime::fromString(reader.current().toString(), Qt::TextDate);
    if (!time.isValid())
        reader.addWarning(warning);
    return time;
}

bool ZUConfigurationReader::Private::readDate(const char *key, const QString &warning,
                                              ZUDayMonth *date)
{
    if (!reader.isString(key, true))
        return false;
    const ZUDayMonth value = ZUDayMonth::fromString(reader.current().toString());
    if (!value.isValid()) {
        reader.addWarning(warning);
        return false;
    }
    *date = value;
    return true;
}

ZUConfigurationReader::ZUConfigurationReader(ZUConfiguration *configuration)
    : d(new Private(configuration))
{
}

ZUConfigurationReader::~ZUConfigurationReader() = default;

bool ZUConfigurationReader::read(const QByteArray &data, QString *error)
{
    LoadingScope loading(d->c);
    return d->read(data, error);
}
