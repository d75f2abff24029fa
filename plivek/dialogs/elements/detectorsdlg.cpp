#include "detectorsdlg.h"

#include "detectorsdlgnodes.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfreferences.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "ui_detectorsdlg.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>

using namespace DetectorsDlgNodes;

namespace {

constexpr int BoardCount = 9;
constexpr int ChannelsPerBoard = 16;
constexpr int CpuKeyCode = 512;
constexpr int CpuKeyCount = 6;
constexpr int SignalChannels = 4;

// What a field shows, as text; empty for a widget that is no field.
QString valueShown(const QWidget *field)
{
    if (const auto *box = qobject_cast<const QComboBox *>(field))
        return QString::number(box->currentIndex()) + QLatin1Char('\t') + box->currentText();
    if (const auto *spin = qobject_cast<const QSpinBox *>(field))
        return QString::number(spin->value());
    if (const auto *edit = qobject_cast<const QLineEdit *>(field))
        return edit->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(field))
        return button->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    return QString();
}

} // namespace

DetectorsDlg::DetectorsDlg(CnfController *controller, const CnfDetectorPtr &element, bool isNew,
                           QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DetectorsDlg)
    , controller(controller)
    , element(element)
    , isNew(isNew)
    , validator(nullptr)
{
    ui->setupUi(this);
    validator = new DialogItemValidator(this);
    const bool sensor = element->isSensor();
    if (sensor)
        setWindowTitle(tr("Sensor"));
    ui->stackedWidget->setCurrentWidget(ui->noParamPage);
    ui->journal_messages->setVisible(sensor);
    loadAlerts();
    tiverkII = controller->property("type").toString() == QLatin1String("tiverkii");

    // Ids and names of the other elements of the same kind are taken; 0 is
    // never a valid id.
    QList<int> forbiddenIds { 0 };
    QStringList forbiddenNames;
    for (const CnfDetectorPtr &other :
         sensor ? controller->sensorsList() : controller->detectorsList()) {
        if (other == element)
            continue;
        forbiddenIds << other->id();
        if (!other->name().isEmpty())
            forbiddenNames << other->name();
    }
    // A new element gets a name; one stored without a name keeps none.
    if (isNew && element->name().isEmpty()) {
        for (int i = 1;; ++i) {
            const QString name = (sensor ? tr("Sensor.%1") : tr("Detector.%1")).arg(i);
            if (!forbiddenNames.contains(name)) {
                element->setName(name);
                break;
            }
        }
    }
    validator->addSpinBox(ui->number, forbiddenIds);
    validator->addLineEdit(ui->name, forbiddenNames);
    ui->name->setText(element->name());
    ui->number->setValue(element->id());

    ui->channel_type->addItem(tr("No restriction"), QStringLiteral("full"));
    ui->channel_type->addItem(tr("IR detector"), QStringLiteral("PIR"));
    ui->channel_type->addItem(tr("Output"), QStringLiteral("out"));

    ui->type->blockSignals(true);
    loadBoards();
    if (tiverkII)
        loadModules();
    loadKeyboard();
    if (tiverkII)
        addModuleKinds();
    ui->type->setCurrentIndex(-1);
    ui->type->blockSignals(false);
    ui->type->setCurrentIndex(chosenSource);
    rememberShown();
}

DetectorsDlg::~DetectorsDlg()
{
    delete ui;
}

QString DetectorsDlg::kindKey() const
{
    return element->isSensor() ? Sensor : Detector;
}

bool DetectorsDlg::namesElement(const VObject &reference) const
{
    if (reference.isNull())
        return false;
    return reference == element->id()
        || CnfReferences::namesName(reference.toVariant(), element->name());
}

void DetectorsDlg::rememberShown()
{
    openedId = element->id();
    openedName = element->name();
    for (const QWidget *field : findChildren<QWidget *>())
        shown.insert(field, valueShown(field));
}

bool DetectorsDlg::edited(const QWidget *field) const
{
    return shown.value(field) != valueShown(field);
}

bool DetectorsDlg::sourceEdited() const
{
    if (edited(ui->type))
        return true;
    for (const QWidget *field : ui->stackedWidget->findChildren<QWidget *>()) {
        if (edited(field))
            return true;
    }
    return false;
}

bool DetectorsDlg::alertsEdited() const
{
    for (const QWidget *field : ui->journal_messages->findChildren<QWidget *>()) {
        if (edited(field))
            return true;
    }
    return false;
}

void DetectorsDlg::selectAndRun(QComboBox *box, int index, void (DetectorsDlg::*slot)(int))
{
    if (index >= box->count())
        index = -1;
    if (box->currentIndex() == index)
        (this->*slot)(index);
    else
        box->setCurrentIndex(index);
}

// --- Loading ------------------------------------------------------------------

void DetectorsDlg::loadAlerts()
{
    const QVariantMap alerts = element->property("alerts").toMap();
    const auto load = [](const QVariant &value, QLineEdit *message, QComboBox *level) {
        const QVariantMap alert = value.toMap();
        message->setText(alert.value(QStringLiteral("message")).toString());
        level->setCurrentIndex(
            LevelKeys.indexOf(alert.value(QStringLiteral("level"), LevelKeys.first()).toString()));
    };
    load(alerts.value(QStringLiteral("true")), ui->on_msg, ui->on_level);
    load(alerts.value(QStringLiteral("false")), ui->off_msg, ui->off_level);
}

void DetectorsDlg::loadBoards()
{
    bool numberOk = false;
    const int dioNumber = element->property("dionumber").toInt(&numberOk);
    bool channelOk = false;
    int dioChannel = numberOk ? element->property("diochannel").toInt(&channelOk) : -1;
    if (!channelOk)
        dioChannel = -1;
    const QString key = kindKey();
    const VObject devices
        = controller->nativeData()[QStringLiteral("modules")][QStringLiteral("SystemBus")]
                                  [QStringLiteral("devices")];
    for (int n = 1; n <= BoardCount; ++n) {
        BoardChannels board;
        board.device = devices[QStringLiteral("DIO%1").arg(n)];
        // Outputs hold a channel on boards 1 to 4 and 9; on 5 to 8 an input
        // may share it.
        const bool outputsTake = n <= 4 || n == 9;
        QSet<int> taken;
        for (const VObject &entry : entriesOf(board.device[Channels])) {
            bool ok = false;
            const int ch = entry[Channel].toInt(&ok);
            if (!ok)
                continue;
            if (entry[key].isNull() && !(outputsTake && !entry[Output].isNull()))
                continue;
            taken.insert(ch);
            if (n == dioNumber && ch == dioChannel && dioChannel >= 0 && !entry[key].isNull()) {
                currentChannelEntry = entry;
                board.channels.insert(ch, entry);
            } else if (!sameEntry(board.channels.value(ch), currentChannelEntry)) {
                // Held by another element; the element's own entry of the
                // same number stays offered.
                board.channels.remove(ch);
            }
        }
        // A board is full when all of its channel numbers are taken, however
        // many entries share them.
        if (taken.size() >= ChannelsPerBoard && dioChannel == -1)
            continue;
        for (int ch = 1; ch <= ChannelsPerBoard; ++ch) {
            if (!taken.contains(ch))
                board.channels.insert(ch, VObject());
        }
        boards.insert(n, board);
        ui->type->addItem(tr("I/O board %1").arg(n), n);
        ui->type->setItemData(ui->type->count() - 1, IoBoard, KindRole);
        if (numberOk && dioNumber == n)
            chosenSource = ui->type->count() - 1;
    }
}

void DetectorsDlg::loadModules()
{
    const QString key = kindKey();
    const VObject modules = controller->nativeData()[QStringLiteral("modules")];
    trafiCam = modules[QStringLiteral("TrafiCam")];
    trafficStream = modules[QStringLiteral("TrafficStream")];
    citilog = modules[QStringLiteral("Citilog")];
    priority = modules[QStringLiteral("Priority")];
    smartButton = modules[QStringLiteral("SmartButton")];
    smartMicro = modules[QStringLiteral("SmartMicro")];
    azimuth = modules[QStringLiteral("AzimuthSSE")];
    signal = modules[QStringLiteral("Signal")];

    const auto found = [this](const VObject &entry, SourceKind kind, bool *flag) {
        currentModuleEntry = entry;
        currentModuleKind = kind;
        *flag = true;
    };
    // A new element has no module channel yet, except a Priority channel
    // that may already hold its default name.
    if (!isNew) {
        for (const VObject &module : entriesOf(trafiCam)) {
            for (const VObject &entry : entriesOf(module[Channels])) {
                if (!foundTrafiCam && namesElement(entry[key]))
                    found(entry, TrafiCamSource, &foundTrafiCam);
            }
        }
        if (!foundTrafiCam) {
            for (const VObject &module : entriesOf(trafficStream)) {
                for (const VObject &entry : entriesOf(module[Channels])) {
                    if (namesElement(entry[key]))
                        found(entry, TrafficStreamSource, &foundTrafficStream);
                }
            }
        }
        for (const VObject &module : entriesOf(citilog)) {
            for (const VObject &cam : entriesOf(module[QStringLiteral("cams")])) {
                for (const VObject &entry : entriesOf(cam[Channels])) {
                    if (!foundTrafiCam && !foundCitilog && namesElement(entry[key]))
                        found(entry, CitilogSource, &foundCitilog);
                }
            }
        }
    }
    if (!priority.isNull()) {
        for (const VObject &entry : entriesOf(priority[Channels])) {
            if (!foundPriority && namesElement(entry[key]))
                found(entry, PrioritySource, &foundPriority);
        }
    }

    for (const VObject &module : entriesOf(trafiCam))
        ui->ti_modules->addItem(hostAndPort(module, "ti_host", "ti_port"));
    for (const VObject &entry : entriesOf(trafficStream))
        ui->ts_modules->addItem(entry[QStringLiteral("url")].toString());
    for (const VObject &module : entriesOf(citilog))
        ui->cl_modules->addItem(hostAndPort(module, "device_host", "device_port"));

    if (!isNew && element->isSensor() && !smartButton.isNull()
        && element->property("type").toString() == QLatin1String("SmartButton"))
        foundSmartButton = true;

    // SmartMicro and Azimuth channels name detectors and sensors alike under "detector".
    if (!smartMicro.isNull()) {
        for (const VObject &sensor : entriesOf(smartMicro[QStringLiteral("sensors")])) {
            ui->sm_sensor_id->addItem(sensor[QStringLiteral("id")].toString());
            if (isNew)
                continue;
            for (const VObject &entry : entriesOf(sensor[Channels])) {
                if (!foundSmartMicro && namesElement(entry[Detector]))
                    found(entry, SmartMicroSource, &foundSmartMicro);
            }
        }
    }
    for (const VObject &module : entriesOrSelf(azimuth)) {
        QStringList cameras;
        for (const VObject &sensor : entriesOf(module[QStringLiteral("sensors")])) {
            cameras << sensor[QStringLiteral("camera_id")].toString();
            if (isNew)
                continue;
            for (const VObject &entry : entriesOf(sensor[Channels])) {
                if (!foundAzimuth && namesElement(entry[Detector]))
                    found(entry, AzimuthSource, &foundAzimuth);
            }
        }
        ui->azimuth_modules->addItem(module[QStringLiteral("url")].toString(), cameras);
    }

    if (!signal.isNull()) {
        const QList<VObject> entries = entriesOf(signal[Channels]);
        for (int c = 1; c <= SignalChannels; ++c) {
            VObject held;
            for (const VObject &entry : entries) {
                bool ok = false;
                if (entry[Channel].toInt(&ok) == c && ok) {
                    held = entry;
                    break;
                }
            }
            const bool taken = !held.isNull() && !held[key].isNull();
            const bool own = taken && namesElement(held[key]);
            if (taken && !own)
                continue;
            ui->type->addItem(tr("Channel %1 of Signal module").arg(c));
            const int index = ui->type->count() - 1;
            ui->type->setItemData(index, SignalChannel, KindRole);
            ui->type->setItemData(index, c, SignalChannelRole);
            if (own) {
                currentChannelEntry = held;
                chosenSource = index;
            }
        }
    }

    if (element->isSensor()
        && element->property("type").toString() == QLatin1String("DetectorySensor"))
        foundLink = true;
    for (const CnfDetectorPtr &detector : controller->detectorsList())
        ui->detector->addItem(detector->friendlyName(), detector->id());
}

void DetectorsDlg::loadKeyboard()
{
    bool ok = false;
    int keycode = element->property("keycode").toInt(&ok);
    if (!ok)
        keycode = -1;
    if (!tiverkII)
        return;
    const QString key = kindKey();
    keyboardChannels
        = controller->nativeData()[QStringLiteral("modules")][QStringLiteral("Keyboard")][Channels];
    QSet<int> taken;
    for (const VObject &entry : entriesOf(keyboardChannels)) {
        bool codeOk = false;
        const int code = entry[QStringLiteral("keyCode")].toInt(&codeOk);
        if (!codeOk)
            continue;
        if (code == keycode && keycode >= 0)
            currentChannelEntry = entry;
        else if (!entry[key].isNull())
            taken.insert(code);
    }
    const bool chosenBefore = chosenSource >= 0;
    for (int k = 1; k <= CpuKeyCount; ++k) {
        const int code = CpuKeyCode + k;
        if (taken.contains(code))
            continue;
        ui->type->addItem(tr("Channel %1 of CPU board").arg(k), code);
        ui->type->setItemData(ui->type->count() - 1, CpuKey, KindRole);
        if (!chosenBefore && keycode == code)
            chosenSource = ui->type->count() - 1;
    }
}

void DetectorsDlg::addModuleKinds()
{
    const auto add
        = [this](const QString &text, int data, SourceKind kind, bool offered, bool found) {
              if (!offered)
                  return;
              ui->type->addItem(text, data);
              ui->type->setItemData(ui->type->count() - 1, kind, KindRole);
              if (found)
                  chosenSource = ui->type->count() - 1;
          };
    const bool sensor = element->isSensor();
    add(QStringLiteral("TrafiCam"), 600, TrafiCamSource, trafiCam.size() > 0, foundTrafiCam);
    add(QStringLiteral("Citilog"), 601, CitilogSource, citilog.size() > 0, foundCitilog);
    add(tr("Priority"), 602, PrioritySource, !priority.isNull(), foundPriority);
    add(tr("Smart button"), 603, SmartButtonSource, sensor && !smartButton.isNull(),
        foundSmartButton);
    add(QStringLiteral("SmartMicro"), 604, SmartMicroSource, !smartMicro.isNull(), foundSmartMicro);
    add(tr("Azimuth"), 605, AzimuthSource, !azimuth.isNull(), foundAzimuth);
    add(QStringLiteral("TrafficStream"), 606, TrafficStreamSource, trafficStream.size() > 0,
        foundTrafficStream);
    add(tr("Link to detector"), 607, LinkToDetector,
        sensor && !controller->detectorsList().isEmpty(), foundLink);
}
