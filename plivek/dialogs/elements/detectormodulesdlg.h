#pragma once

#include <QDialog>

class CnfController;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QSpinBox;

namespace Ui {
class DetectorModulesDlg;
}

// The detector modules of a TIVERK II controller, kept under the native
// "modules": TrafiCam ("TrafficCam" tab), Citilog with its xcam modules,
// Priority, SmartButton, SmartMicro with its sensors, Azimuth and
// TrafficStream. Until OK the entries live in the list items (Qt::UserRole,
// the whole entry), so the channel assignments inside them survive every
// edit; accept() writes them back, Cancel leaves the native data alone.
class DetectorModulesDlg : public QDialog
{
    Q_OBJECT
public:
    DetectorModulesDlg(CnfController *controller, QWidget *parent = nullptr);
    ~DetectorModulesDlg() override;

public slots:
    void accept() override;

private slots:
    void on_ti_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_cl_modules_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_sm_sensor_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_cam_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_azimuth_url_list_currentItemChanged(QListWidgetItem *current,
                                                QListWidgetItem *previous);
    void on_ts_url_list_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_cam_list_itemChanged(QListWidgetItem *item);
    void on_add_ti_clicked();
    void on_add_cl_clicked();
    void on_add_xcam_clicked();
    void on_add_sm_sensor_clicked();
    void on_add_azimuth_url_clicked();
    void on_add_ts_url_clicked();
    void on_remove_ti_clicked();
    void on_remove_cl_clicked();
    void on_remove_xcam_clicked();
    void on_remove_sm_sensor_clicked();
    void on_remove_azimuth_url_clicked();
    void on_remove_ts_url_clicked();
    void on_sm_save_sensor_clicked();
    void on_sm_connection_ma_toggled(bool checked);
    void on_sm_connection_amqp_toggled(bool checked);
    void ti_param_changed();
    void cl_param_changed();

private:
    void loadModules();
    void loadSmartMicro();
    // A URL item, edited in place, right after the current row (or at the end).
    void addUrlItem(QListWidget *list);
    static void removeCurrent(QListWidget *list);
    // The fields of the current TI or Citilog module written back into its item.
    static void writeHostAndPort(QListWidget *list, const QLineEdit *host, const QSpinBox *port,
                                 const char *hostKey, const char *portKey);

    Ui::DetectorModulesDlg *ui;
    CnfController *controller;
};
