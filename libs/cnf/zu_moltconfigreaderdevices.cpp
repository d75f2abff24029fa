// ZuMoltConfigReader: the power devices (switches) and the detectors and sensors.

#include "zu_moltconfigreaderprivate.h"

#include "cnfcontroller.h"
#include "cnfdetector.h"
#include "cnfjsonparser.h"
#include "cnfpowerdevice.h"
#include "cnfsignalgroup.h"
#include "zu_moltformat.h"

using namespace ZuMoltFormat;

void ZuMoltConfigReader::readDetectors(const CnfJsonValue &root)
{
    const CnfJsonValue &detectors = root.member(QStringLiteral("detectors"));
    CnfJsonValue items;
    if (detectors.type() == CnfJsonValue::Array)
        items = detectors;
    else if (detectors.type() == CnfJsonValue::Object)
        items = r.array(detectors, QStringLiteral("items"));
    else if (!detectors.isUndefined())
        r.fail(detectors, tr("'detectors' attribute has invalid type (must be array or object)"));
    eachObject(items, tr("a detector"), [&](const CnfJsonValue &item) {
        auto detector = CnfDetectorPtr::create();
        int number = 0;
        if (!id(item, tr("detector"), &number))
            return;
        detector->setId(number);
        detector->setName(name(item));
        setProperties(*detector, item, { QStringLiteral("id"), QStringLiteral("name") });
        if (r.ok() && !c.addDetector(detector))
            warn(item, c.lastError());
    });
    const CnfJsonValue &sensors = r.array(root, QLatin1String(sensorsKey));
    const QSet<qlonglong> sensorIds = numbersOf(sensors, QStringLiteral("id"));
    eachObject(sensors, tr("a sensor"), [&](const CnfJsonValue &item) {
        auto sensor = CnfDetectorPtr::create();
        // A member left out is not set and is written without again;
        // a sensor without "id" is listed beside one that has 0.
        if (item.contains(QStringLiteral("id"))) {
            sensor->setId(r.integer(item, QStringLiteral("id"), 0));
        } else {
            sensor->unsetMembers.append(QStringLiteral("id"));
            sensor->unsetId
                = listedNumber(0, sensorIds, [this](int id) { return bool(c.findSensor(id)); });
            sensor->setId(sensor->unsetId);
        }
        if (!item.contains(QStringLiteral("name")))
            sensor->unsetMembers.append(QStringLiteral("name"));
        sensor->setName(name(item));
        setProperties(*sensor, item, { QStringLiteral("id"), QStringLiteral("name") });
        if (r.ok() && !c.addSensor(sensor))
            warn(item, c.lastError());
    });
}

void ZuMoltConfigReader::readSwitches(const CnfJsonValue &root)
{
    static const QStringList known = { QStringLiteral("name"),      QStringLiteral("id"),
                                       QStringLiteral("type"),      QStringLiteral("signalGroup"),
                                       QStringLiteral("addr"),      QStringLiteral("color"),
                                       QStringLiteral("heads"),     QStringLiteral("control"),
                                       QStringLiteral("deviceType") };
    const CnfJsonValue &switches = r.object(root, QStringLiteral("switches"));
    const QSet<qlonglong> addresses
        = numbersOf(r.array(switches, QStringLiteral("items")), QStringLiteral("addr"));
    eachObject(
        r.array(switches, QStringLiteral("items")), tr("a switch"), [&](const CnfJsonValue &item) {
            auto device = CnfPowerDevicePtr::create();
            if (!id(item, tr("switch"), &device->id))
                return;
            device->name = name(item);
            device->type = CnfPowerDevice::OutputZuMolt;
            // A member left out (or with a value zumoltc cannot read) is not
            // set: the device has its default, and the writer leaves it out.
            auto unset = [&](const char *key) {
                device->unsetMembers.append(QLatin1String(key));
            };
            if (enumValue(item, QStringLiteral("type"), { QStringLiteral("ZU4_SW") }) < 0)
                unset("type");
            device->type = r.integer(item, QStringLiteral("deviceType"), device->type, 0, 255);
            if (item.contains(QStringLiteral("addr"))) {
                device->address = r.integer(item, QStringLiteral("addr"), 0);
            } else {
                // Listed beside the switch that the file gives address 0.
                unset("addr");
                device->unsetAddress = listedNumber(0, addresses, [this](int address) {
                    return bool(c.findPowerDeviceByAddress(address));
                });
                device->address = device->unsetAddress;
            }
            const CnfJsonValue &color = item.member(QStringLiteral("color"));
            const int colorValue
                = color.isUndefined() ? -1 : lookup(colors(), color.scalar().toString());
            if (colorValue >= 0)
                device->color = colorValue;
            else
                unset("color");
            if (!color.isUndefined() && colorValue < 0)
                warn(color,
                     tr("'%1' attribute has invalid value %2")
                         .arg(QStringLiteral("color"),
                              CnfJsonParser::quoted(color.scalar().toString())));
            if (item.contains(QStringLiteral("heads")))
                device->lampsCount = r.integer(item, QStringLiteral("heads"), 1, 0);
            else
                unset("heads");
            device->burnoutControl
                = r.boolean(item, QStringLiteral("control"), false) ? device->lampsCount : 0;
            const CnfSignalGroupPtr group = groupRef(item, QStringLiteral("signalGroup"));
            stash(QLatin1String(switchesKind), QString::number(device->id), leftover(item, known));
            if (!r.ok())
                return;
            if (!c.addPowerDevice(device)) {
                warn(item, c.lastError());
                return;
            }
            if (group)
                group->assignDevice(device);
        });
}
