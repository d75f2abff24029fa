#include "detectorstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfreferences.h"
#include "cnf/vobject.h"
#include "common/widgets/tablecells.h"
#include "mainwindowhelpers.h"
#include "mainwindowtexts.h"

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

const QString Detector = QStringLiteral("detector");
const QString Sensor = QStringLiteral("sensor");
const QString Channels = QStringLiteral("channels");
const QString Channel = QStringLiteral("channel");

// The property as an integer, when it converts to one.
bool intProperty(const CnfDetector &element, const char *name, int *value)
{
    bool ok = false;
    *value = element.property(name).toInt(&ok);
    return ok;
}

// A channel's reference names the element by its id or, failing that, by
// its name.
bool refersTo(const VObject &reference, const CnfDetector &element)
{
    return CnfReferences::channelNames(reference, CnfReferences::of(element));
}

// The texts of the board and CPU-board properties; true when the key code
// decided (the modules are then not searched).
bool boardText(const CnfDetector &element, QString *text)
{
    int number = 0;
    int channel = 0;
    if (intProperty(element, "dionumber", &number) && intProperty(element, "diochannel", &channel))
        *text = MainWindowTexts::tr("Channel %1 of I/O board %2").arg(channel).arg(number);
    int keycode = 0;
    if (intProperty(element, "keycode", &keycode)) {
        *text = MainWindowTexts::tr("Channel %1 of CPU board").arg(keycode - 512);
        return true;
    }
    return false;
}

// Calls visit for each channel of each device's "channels" until it gives true.
bool forEachChannel(const VObject &devices,
                    const std::function<bool(const VObject &, const VObject &)> &visit)
{
    for (int i = 0; i < devices.size(); ++i) {
        const VObject device = devices[i];
        const VObject channels = device[Channels];
        for (int j = 0; j < channels.size(); ++j) {
            if (visit(device, channels[j]))
                return true;
        }
    }
    return false;
}

QString trafiCamText(const VObject &trafiCam, const CnfDetector &element, const QString &key)
{
    QString text;
    forEachChannel(trafiCam, [&](const VObject &device, const VObject &channel) {
        if (!refersTo(channel[key], element))
            return false;
        text = MainWindowTexts::tr("Traficam %1:%2, channel %3")
                   .arg(device[QStringLiteral("ti_host")].toString())
                   .arg(device[QStringLiteral("ti_port")].toInt())
                   .arg(channel[Channel].toInt());
        return true;
    });
    return text;
}

QString trafficStreamText(const VObject &trafficStream, const CnfDetector &element)
{
    QString text;
    forEachChannel(trafficStream, [&](const VObject &device, const VObject &channel) {
        if (!refersTo(channel[Detector], element))
            return false;
        const QUrl url(device[QStringLiteral("url")].toString(), QUrl::TolerantMode);
        text = MainWindowTexts::tr("TrafficStream %1:%2, channel %3")
                   .arg(url.host(QUrl::FullyDecoded))
                   .arg(url.port())
                   .arg(channel[Channel].toInt());
        return true;
    });
    return text;
}

QString citilogText(const VObject &citilog, const CnfDetector &element, const QString &key)
{
    for (int i = 0; i < citilog.size(); ++i) {
        const VObject device = citilog[i];
        const VObject cams = device[QStringLiteral("cams")];
        for (int j = 0; j < cams.size(); ++j) {
            const VObject cam = cams[j];
            const VObject channels = cam[Channels];
            for (int k = 0; k < channels.size(); ++k) {
                if (!refersTo(channels[k][key], element))
                    continue;
                return MainWindowTexts::tr("Citilog %1:%2, id=%3, channel %4")
                    .arg(device[QStringLiteral("device_host")].toString())
                    .arg(device[QStringLiteral("device_port")].toInt())
                    .arg(cam[QStringLiteral("id")].toString())
                    .arg(channels[k][Channel].toInt());
            }
        }
    }
    return QString();
}

QString priorityText(const VObject &priority, const CnfDetector &element, const QString &key)
{
    if (priority.isNull())
        return QString();
    const VObject channels = priority[Channels];
    for (int i = 0; i < channels.size(); ++i) {
        if (refersTo(channels[i][key], element))
            return MainWindowTexts::tr("Priority");
    }
    return QString();
}

QString smartMicroText(const VObject &smartMicro, const CnfDetector &element)
{
    if (smartMicro.isNull())
        return QString();
    QString text;
    forEachChannel(smartMicro[QStringLiteral("sensors")],
                   [&](const VObject &, const VObject &channel) {
                       if (!refersTo(channel[Detector], element))
                           return false;
                       text = QStringLiteral("SmartMicro");
                       return true;
                   });
    return text;
}

// "AzimuthSSE" is a list of devices or, with no elements, one device itself.
// A position inside the single device gives nothing, so that device's own
// "url" is taken.
QString azimuthText(const VObject &azimuth, const CnfDetector &element)
{
    if (azimuth.isNull())
        return QString();
    const bool single = azimuth.size() == 0;
    const int count = single ? 1 : azimuth.size();
    for (int i = 0; i < count; ++i) {
        const VObject device = single ? azimuth : azimuth[i];
        const QUrl url(device[QStringLiteral("url")].toString(), QUrl::TolerantMode);
        QString text;
        forEachChannel(device[QStringLiteral("sensors")],
                       [&](const VObject &sensor, const VObject &channel) {
                           if (!refersTo(channel[Detector], element))
                               return false;
                           text = MainWindowTexts::tr("Azimuth %1, cam:%2, chan:%3")
                                      .arg(url.toString(QUrl::RemoveUserInfo),
                                           sensor[QStringLiteral("camera_id")].toString(),
                                           channel[QStringLiteral("rcg_channel_id")].toString());
                           return true;
                       });
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

QString signalText(const VObject &signal, const CnfDetector &element, const QString &key)
{
    if (signal.isNull())
        return QString();
    const VObject channels = signal[Channels];
    for (int i = 0; i < channels.size(); ++i) {
        const VObject entry = channels[i];
        bool ok = false;
        const int number = entry[Channel].toInt(&ok);
        const VObject reference = entry[key];
        if (!ok || reference.isNull())
            continue;
        if (CnfReferences::channelNames(reference, CnfReferences::of(element), true))
            return MainWindowTexts::tr("Channel %1 of Signal module").arg(number);
    }
    return QString();
}

} // namespace

QString DetectorsTable::detectorSource(const CnfController &controller, const CnfDetector &detector)
{
    QString text;
    if (boardText(detector, &text))
        return text;
    if (!text.isEmpty())
        return text;
    const VObject modules = controller.nativeData()[QStringLiteral("modules")];
    const std::function<QString()> searches[] = {
        [&] { return trafiCamText(modules[QStringLiteral("TrafiCam")], detector, Detector); },
        [&] { return trafficStreamText(modules[QStringLiteral("TrafficStream")], detector); },
        [&] { return citilogText(modules[QStringLiteral("Citilog")], detector, Detector); },
        [&] { return priorityText(modules[QStringLiteral("Priority")], detector, Detector); },
        [&] { return smartMicroText(modules[QStringLiteral("SmartMicro")], detector); },
        [&] { return azimuthText(modules[QStringLiteral("AzimuthSSE")], detector); },
        [&] { return signalText(modules[QStringLiteral("Signal")], detector, Detector); },
    };
    for (const auto &search : searches) {
        text = search();
        if (!text.isEmpty())
            break;
    }
    return text;
}

QString DetectorsTable::sensorSource(const CnfController &controller, const CnfDetector &sensor)
{
    const QString type = sensor.property("type").toString();
    if (type == QLatin1String("SmartButton"))
        return MainWindowTexts::tr("Smart button");
    QString text;
    if (boardText(sensor, &text))
        return text;
    if (type == QLatin1String("DetectorySensor"))
        return MainWindowTexts::tr("Link to detector %1")
            .arg(sensor.property("detector").toString());
    if (!text.isEmpty())
        return text;
    const VObject modules = controller.nativeData()[QStringLiteral("modules")];
    const std::function<QString()> searches[] = {
        [&] { return trafiCamText(modules[QStringLiteral("TrafiCam")], sensor, Sensor); },
        [&] { return citilogText(modules[QStringLiteral("Citilog")], sensor, Sensor); },
        [&] { return priorityText(modules[QStringLiteral("Priority")], sensor, Sensor); },
        [&] { return signalText(modules[QStringLiteral("Signal")], sensor, Sensor); },
    };
    for (const auto &search : searches) {
        text = search();
        if (!text.isEmpty())
            break;
    }
    return text;
}

void DetectorsTable::fill(QTableWidget *table, const CnfController &controller, bool sensors)
{
    const QList<CnfDetectorPtr> elements
        = sensors ? controller.sensorsList() : controller.detectorsList();
    const QSignalBlocker blocker(table);
    table->setRowCount(elements.size());
    for (int row = 0; row < elements.size(); ++row) {
        const CnfDetector &element = *elements.at(row);
        setTableCellValue(table, row, 0, element.id(), false);
        setTableCellValue(table, row, 1, element.name(), false);
        setTableCellValue(table, row, 2,
                          sensors ? sensorSource(controller, element)
                                  : detectorSource(controller, element),
                          false);
    }
}

QStringList DetectorsTable::programsLosing(const CnfController &controller,
                                           const CnfDetector &element)
{
    const QStringList programs
        = CnfReferences::owners(CnfReferences::places(controller, CnfReferences::of(element)),
                                CnfReferences::Note::ProgramParameter);
    QStringList lines;
    for (const QString &program : programs) {
        lines << (element.isSensor()
                      ? MainWindowTexts::tr("Program %1 no longer uses sensor %2: it was deleted")
                      : MainWindowTexts::tr(
                          "Program %1 no longer uses detector %2: it was deleted"))
                     .arg(program, element.friendlyName());
    }
    return lines;
}

int DetectorsTable::freeId(const CnfController &controller, bool sensors)
{
    int id = 1;
    while (sensors ? controller.findSensor(id) : controller.findDetector(id))
        ++id;
    return id;
}

QList<CnfDetectorPtr> DetectorsTable::sortedById(QList<CnfDetectorPtr> elements)
{
    std::stable_sort(
        elements.begin(), elements.end(),
        [](const CnfDetectorPtr &a, const CnfDetectorPtr &b) { return a->id() < b->id(); });
    return elements;
}

bool DetectorsTable::orderOfRows(const QTableWidget *table, const CnfController &controller,
                                 bool sensors, QList<CnfDetectorPtr> *order)
{
    const auto find = [&controller, sensors](const QString &text) {
        bool ok = false;
        const int id = text.toInt(&ok);
        return !ok    ? CnfDetectorPtr()
            : sensors ? controller.findSensor(id)
                      : controller.findDetector(id);
    };
    return MainWindowHelpers::elementsInRowOrder(table, find, order);
}
