#include "detectormodulesdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/vobject.h"
#include "ui_detectormodulesdlg.h"

#include <QSignalBlocker>
#include <QSysInfo>
#include <QUrl>

namespace {

const QString TrafiCam = QStringLiteral("TrafiCam");
const QString TrafficStream = QStringLiteral("TrafficStream");
const QString Citilog = QStringLiteral("Citilog");
const QString Priority = QStringLiteral("Priority");
const QString SmartButton = QStringLiteral("SmartButton");
const QString SmartMicro = QStringLiteral("SmartMicro");
const QString AzimuthSSE = QStringLiteral("AzimuthSSE");

constexpr int TiPort = 5001;
constexpr int CitilogPort = 20800;

const Qt::ItemFlags EditedInPlace = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;

QString hostAndPort(const QVariant &host, const QVariant &port)
{
    return host.toString() + QLatin1Char(':') + port.toString();
}

// A list item made whole before it enters the list, so that no change signal
// runs for a half-made item.
QListWidgetItem *appendItem(QListWidget *list, const QString &text, const QVariant &data,
                            Qt::ItemFlags extraFlags = {})
{
    auto *item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, data);
    if (extraFlags)
        item->setFlags(item->flags() | extraFlags);
    list->addItem(item);
    return item;
}

// The user data of every item, in row order.
QVariantList itemData(const QListWidget *list)
{
    QVariantList entries;
    for (int row = 0; row < list->count(); ++row)
        entries << list->item(row)->data(Qt::UserRole);
    return entries;
}

// The host list of the TI or Citilog modules: text "host:port", data the whole entry.
void loadHostList(const VObject &modules, QListWidget *list, const char *hostKey,
                  const char *portKey)
{
    for (int i = 0; i < modules.size(); ++i) {
        const VObject module = modules[i];
        appendItem(list, hostAndPort(module[hostKey].toString(), module[portKey].toString()),
                   module.toVariant());
    }
}

} // namespace

DetectorModulesDlg::DetectorModulesDlg(CnfController *controller, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DetectorModulesDlg)
    , controller(controller)
{
    ui->setupUi(this);
    const QString localHost = QSysInfo::machineHostName();
    ui->ti_host->setText(localHost);
    ui->prio_host->setText(localHost);
    loadModules();
    // Made after loading, so that loading never writes into the items.
    connect(ui->ti_host, &QLineEdit::editingFinished, this, &DetectorModulesDlg::ti_param_changed);
    connect(ui->ti_port, &QSpinBox::editingFinished, this, &DetectorModulesDlg::ti_param_changed);
    connect(ui->cl_host, &QLineEdit::editingFinished, this, &DetectorModulesDlg::cl_param_changed);
    connect(ui->cl_port, &QSpinBox::editingFinished, this, &DetectorModulesDlg::cl_param_changed);
}

DetectorModulesDlg::~DetectorModulesDlg()
{
    delete ui;
}

void DetectorModulesDlg::loadModules()
{
    const VObject modules = controller->nativeData()[QStringLiteral("modules")];

    const VObject trafiCam = modules[TrafiCam];
    if (trafiCam.size() < 1)
        ui->ti_param->hide();
    loadHostList(trafiCam, ui->ti_list, "ti_host", "ti_port");
    if (ui->ti_list->count() > 0)
        ui->ti_list->setCurrentRow(0);

    const VObject trafficStream = modules[TrafficStream];
    for (int i = 0; i < trafficStream.size(); ++i) {
        const VObject entry = trafficStream[i];
        appendItem(ui->ts_url_list, entry[QStringLiteral("url")].toString(), entry.toVariant(),
                   EditedInPlace);
    }

    const VObject citilog = modules[Citilog];
    if (citilog.size() < 1)
        ui->cl_param->hide();
    loadHostList(citilog, ui->cl_modules, "device_host", "device_port");
    if (ui->cl_modules->count() > 0)
        ui->cl_modules->setCurrentRow(0);

    const VObject priority = modules[Priority];
    if (!priority.isNull()) {
        ui->prio_param->setChecked(true);
        const QUrl url(priority[QStringLiteral("url")].toString(), QUrl::TolerantMode);
        ui->prio_host->setText(url.host(QUrl::FullyDecoded));
        ui->prio_port->setValue(url.port());
    }

    const VObject smartButton = modules[SmartButton];
    if (!smartButton.isNull()) {
        ui->sbEnabled->setChecked(true);
        ui->sbSerial->setText(smartButton[QStringLiteral("portName")].toString());
        ui->sbBaud->setText(smartButton[QStringLiteral("baudRate")].toString());
    }

    loadSmartMicro();

    // "AzimuthSSE" is a list of entries or a single entry.
    const VObject azimuth = modules[AzimuthSSE];
    if (!azimuth.isNull()) {
        const int count = azimuth.size() >= 1 ? azimuth.size() : 1;
        for (int i = 0; i < count; ++i) {
            const VObject entry = azimuth.size() >= 1 ? azimuth[i] : azimuth;
            const QString url = entry[QStringLiteral("url")].toString();
            if (!url.isEmpty())
                appendItem(ui->azimuth_url_list, url, entry[QStringLiteral("sensors")].toVariant(),
                           EditedInPlace);
        }
    }
}

void DetectorModulesDlg::loadSmartMicro()
{
    ui->sm_connection_ma->setChecked(true);
    on_sm_connection_amqp_toggled(false);
    const VObject smartMicro = controller->nativeData()[QStringLiteral("modules")][SmartMicro];
    if (smartMicro.isNull())
        return;
    ui->sm_adapter_id->setText(smartMicro[QStringLiteral("adapter_id")].toString());
    if (!smartMicro[QStringLiteral("listen_ip")].isNull())
        ui->sm_listen_ip->setText(smartMicro[QStringLiteral("listen_ip")].toString());
    if (!smartMicro[QStringLiteral("listen_port")].isNull())
        ui->sm_listen_port->setValue(smartMicro[QStringLiteral("listen_port")].toInt());
    if (!smartMicro[QStringLiteral("amqp_url")].isNull()) {
        ui->sm_amqp_url->setText(smartMicro[QStringLiteral("amqp_url")].toString());
        ui->sm_connection_amqp->setChecked(true);
    }
    if (!smartMicro[QStringLiteral("amqp_pvr_queue")].isNull())
        ui->sm_amqp_queue_name->setText(smartMicro[QStringLiteral("amqp_pvr_queue")].toString());
    const VObject sensors = smartMicro[QStringLiteral("sensors")];
    if (sensors.size() < 1) {
        ui->sm_sens_param->hide();
        return;
    }
    for (int i = 0; i < sensors.size(); ++i) {
        const VObject sensor = sensors[i];
        const QString type = sensor[QStringLiteral("type")].toString();
        if (ui->sm_sens_type->findText(type) < 0)
            ui->sm_sens_type->addItem(type);
        appendItem(ui->sm_sensor_list, sensor[QStringLiteral("id")].toString(), sensor.toVariant());
    }
    ui->sm_sensor_list->setCurrentRow(0);
}

void DetectorModulesDlg::accept()
{
    VObject modules = controller->nativeData()[QStringLiteral("modules")];
    modules[TrafiCam] = QVariant(itemData(ui->ti_list));

    QVariantList streams;
    for (int row = 0; row < ui->ts_url_list->count(); ++row) {
        const QListWidgetItem *item = ui->ts_url_list->item(row);
        QVariantMap entry = item->data(Qt::UserRole).toMap();
        entry.insert(QStringLiteral("url"), item->text());
        streams << entry;
    }
    modules[TrafficStream] = QVariant(streams);

    modules[Citilog] = QVariant(itemData(ui->cl_modules));

    if (ui->prio_param->isChecked()) {
        modules[Priority][QStringLiteral("url")]
            = QStringLiteral("tcp://%1:%2").arg(ui->prio_host->text()).arg(ui->prio_port->value());
    } else {
        modules.remove(Priority);
    }

    if (ui->sbEnabled->isChecked()) {
        modules[SmartButton][QStringLiteral("portName")] = ui->sbSerial->text();
        modules[SmartButton][QStringLiteral("baudRate")] = ui->sbBaud->text();
    } else {
        modules.remove(SmartButton);
    }

    if (ui->sm_adapter_id->text().isEmpty()) {
        modules.remove(SmartMicro);
    } else {
        VObject smartMicro = modules[SmartMicro];
        smartMicro[QStringLiteral("adapter_id")] = ui->sm_adapter_id->text();
        // Only the chosen connection's keys are kept.
        if (ui->sm_connection_ma->isChecked()) {
            smartMicro[QStringLiteral("listen_ip")] = ui->sm_listen_ip->text();
            smartMicro[QStringLiteral("listen_port")] = ui->sm_listen_port->value();
            smartMicro.remove(QStringLiteral("amqp_url"));
            smartMicro.remove(QStringLiteral("amqp_pvr_queue"));
        } else {
            smartMicro[QStringLiteral("amqp_url")] = ui->sm_amqp_url->text();
            smartMicro[QStringLiteral("amqp_pvr_queue")] = ui->sm_amqp_queue_name->text();
            smartMicro.remove(QStringLiteral("listen_ip"));
            smartMicro.remove(QStringLiteral("listen_port"));
        }
        smartMicro[QStringLiteral("sensors")] = QVariant(itemData(ui->sm_sensor_list));
    }

    if (ui->azimuth_url_list->count() == 0) {
        modules.remove(AzimuthSSE);
    } else {
        QVariantList entries;
        for (int row = 0; row < ui->azimuth_url_list->count(); ++row) {
            const QListWidgetItem *item = ui->azimuth_url_list->item(row);
            entries << QVariantMap { { QStringLiteral("url"), item->text() },
                                     { QStringLiteral("sensors"),
                                       item->data(Qt::UserRole).toList() } };
        }
        modules[AzimuthSSE] = QVariant(entries);
    }
    QDialog::accept();
}

// --- Current items ----------------------------------------------------------

void DetectorModulesDlg::on_ti_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *)
{
    ui->remove_ti->setEnabled(current);
    ui->ti_param->setVisible(current);
    if (!current)
        return;
    const QVariantMap module = current->data(Qt::UserRole).toMap();
    ui->ti_host->setText(module.value(QStringLiteral("ti_host")).toString());
    ui->ti_port->setValue(module.value(QStringLiteral("ti_port")).toInt());
}

void DetectorModulesDlg::on_cl_modules_currentItemChanged(QListWidgetItem *current,
                                                          QListWidgetItem *)
{
    ui->remove_cl->setEnabled(current);
    ui->cl_param->setVisible(current);
    if (!current)
        return;
    const QVariantMap module = current->data(Qt::UserRole).toMap();
    ui->cl_host->setText(module.value(QStringLiteral("device_host")).toString());
    ui->cl_port->setValue(module.value(QStringLiteral("device_port")).toInt());
    ui->cam_list->clear();
    for (const QVariant &cam : module.value(QStringLiteral("cams")).toList())
        appendItem(ui->cam_list, cam.toMap().value(QStringLiteral("id")).toString(), cam,
                   Qt::ItemIsEditable);
}

void DetectorModulesDlg::on_sm_sensor_list_currentItemChanged(QListWidgetItem *current,
                                                              QListWidgetItem *)
{
    ui->remove_sm_sensor->setEnabled(current);
    ui->sm_sens_param->setVisible(current);
    if (!current)
        return;
    const QVariantMap sensor = current->data(Qt::UserRole).toMap();
    ui->sm_sensor_id->setText(sensor.value(QStringLiteral("id")).toString());
    ui->sm_sens_type->setCurrentIndex(
        ui->sm_sens_type->findText(sensor.value(QStringLiteral("type")).toString()));
}

void DetectorModulesDlg::on_cam_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *)
{
    ui->remove_xcam->setEnabled(current);
}

void DetectorModulesDlg::on_azimuth_url_list_currentItemChanged(QListWidgetItem *current,
                                                                QListWidgetItem *)
{
    ui->remove_azimuth_url->setEnabled(current);
}

void DetectorModulesDlg::on_ts_url_list_currentItemChanged(QListWidgetItem *current,
                                                           QListWidgetItem *)
{
    ui->remove_ts_url->setEnabled(current);
}

// The xcam list is a view of the current Citilog module's "cams": every
// change of it is written back there at once.
void DetectorModulesDlg::on_cam_list_itemChanged(QListWidgetItem *item)
{
    QListWidgetItem *module = ui->cl_modules->currentItem();
    if (!module)
        return;
    if (item) {
        QVariantMap cam = item->data(Qt::UserRole).toMap();
        cam.insert(QStringLiteral("id"), item->text());
        const QSignalBlocker blocker(ui->cam_list);
        item->setData(Qt::UserRole, cam);
    }
    QVariantMap data = module->data(Qt::UserRole).toMap();
    data.insert(QStringLiteral("cams"), itemData(ui->cam_list));
    module->setData(Qt::UserRole, data);
}

// --- Adding -----------------------------------------------------------------

void DetectorModulesDlg::on_add_ti_clicked()
{
    const QString host = QSysInfo::machineHostName();
    const QVariantMap module { { QStringLiteral("ti_host"), host },
                               { QStringLiteral("ti_port"), TiPort },
                               { QStringLiteral("channels"), QVariantList() } };
    ui->ti_list->setCurrentItem(appendItem(ui->ti_list, hostAndPort(host, TiPort), module));
}

void DetectorModulesDlg::on_add_cl_clicked()
{
    const QString host = QSysInfo::machineHostName();
    const QVariantMap module { { QStringLiteral("device_host"), host },
                               { QStringLiteral("device_port"), CitilogPort },
                               { QStringLiteral("cams"), QVariantList() } };
    ui->cl_modules->setCurrentItem(
        appendItem(ui->cl_modules, hostAndPort(host, CitilogPort), module));
}

// The new xcam module enters the Citilog module's "cams" at once, so that it
// is kept even when its empty id is never edited.
void DetectorModulesDlg::on_add_xcam_clicked()
{
    if (!ui->cl_modules->currentItem())
        return;
    const QVariantMap cam { { QStringLiteral("id"), QString() },
                            { QStringLiteral("channels"), QVariantList() } };
    QListWidgetItem *item = appendItem(ui->cam_list, QString(), cam, Qt::ItemIsEditable);
    ui->cam_list->setCurrentItem(item);
    on_cam_list_itemChanged(nullptr);
}

void DetectorModulesDlg::on_add_sm_sensor_clicked()
{
    const QVariantMap sensor { { QStringLiteral("id"), ui->sm_sensor_id->text() },
                               { QStringLiteral("type"), ui->sm_sens_type->currentText() } };
    ui->sm_sensor_list->setCurrentItem(
        appendItem(ui->sm_sensor_list, ui->sm_sensor_id->text(), sensor));
}

void DetectorModulesDlg::addUrlItem(QListWidget *list)
{
    auto *item = new QListWidgetItem;
    item->setFlags(EditedInPlace);
    const int current = list->currentRow();
    list->insertItem(current < 0 ? list->count() : current + 1, item);
    list->editItem(item);
}

void DetectorModulesDlg::on_add_azimuth_url_clicked()
{
    addUrlItem(ui->azimuth_url_list);
}

void DetectorModulesDlg::on_add_ts_url_clicked()
{
    addUrlItem(ui->ts_url_list);
}

// --- Removing ---------------------------------------------------------------

void DetectorModulesDlg::removeCurrent(QListWidget *list)
{
    const int row = list->currentRow();
    if (row >= 0)
        delete list->takeItem(row);
}

void DetectorModulesDlg::on_remove_ti_clicked()
{
    removeCurrent(ui->ti_list);
}

void DetectorModulesDlg::on_remove_cl_clicked()
{
    removeCurrent(ui->cl_modules);
}

void DetectorModulesDlg::on_remove_xcam_clicked()
{
    removeCurrent(ui->cam_list);
    on_cam_list_itemChanged(nullptr);
}

void DetectorModulesDlg::on_remove_sm_sensor_clicked()
{
    removeCurrent(ui->sm_sensor_list);
}

void DetectorModulesDlg::on_remove_azimuth_url_clicked()
{
    removeCurrent(ui->azimuth_url_list);
}

void DetectorModulesDlg::on_remove_ts_url_clicked()
{
    removeCurrent(ui->ts_url_list);
}

// --- Writing fields back ----------------------------------------------------

void DetectorModulesDlg::ti_param_changed()
{
    writeHostAndPort(ui->ti_list, ui->ti_host, ui->ti_port, "ti_host", "ti_port");
}

void DetectorModulesDlg::cl_param_changed()
{
    writeHostAndPort(ui->cl_modules, ui->cl_host, ui->cl_port, "device_host", "device_port");
}

void DetectorModulesDlg::writeHostAndPort(QListWidget *list, const QLineEdit *host,
                                          const QSpinBox *port, const char *hostKey,
                                          const char *portKey)
{
    QListWidgetItem *item = list->currentItem();
    if (!item)
        return;
    item->setText(host->text() + QLatin1Char(':') + port->text());
    QVariantMap module = item->data(Qt::UserRole).toMap();
    module.insert(QLatin1String(hostKey), host->text());
    module.insert(QLatin1String(portKey), port->value());
    item->setData(Qt::UserRole, module);
}

void DetectorModulesDlg::on_sm_save_sensor_clicked()
{
    QListWidgetItem *item = ui->sm_sensor_list->currentItem();
    if (!item)
        return;
    QVariantMap sensor = item->data(Qt::UserRole).toMap();
    sensor.insert(QStringLiteral("id"), ui->sm_sensor_id->text());
    sensor.insert(QStringLiteral("type"), ui->sm_sens_type->currentText());
    item->setData(Qt::UserRole, sensor);
    item->setText(ui->sm_sensor_id->text());
}

// --- Connection type ----------------------------------------------------------

void DetectorModulesDlg::on_sm_connection_ma_toggled(bool checked)
{
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->sm_listen_ip_label), static_cast<QWidget *>(ui->sm_listen_ip),
           static_cast<QWidget *>(ui->sm_listen_port_label),
           static_cast<QWidget *>(ui->sm_listen_port) })
        widget->setEnabled(checked);
}

void DetectorModulesDlg::on_sm_connection_amqp_toggled(bool checked)
{
    for (QWidget *widget :
         { static_cast<QWidget *>(ui->sm_amqp_url_label), static_cast<QWidget *>(ui->sm_amqp_url),
           static_cast<QWidget *>(ui->sm_amqp_queue_label),
           static_cast<QWidget *>(ui->sm_amqp_queue_name) })
        widget->setEnabled(checked);
}
