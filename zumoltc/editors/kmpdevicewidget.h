#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class DialogItemValidator;
class QAbstractButton;
class QComboBox;
class ZUConfiguration;
class ZUKMPDevice;

namespace Ui {
class KMPDeviceWidget;
}

// The page of one device of the KMP bus: device type, bus address (3..254,
// unique on the bus), hardware variant and physical interface. The device
// type decides the variants offered and the variant the interfaces offered;
// a choice no longer offered shows no item and is then written as not set.
// It keeps the page contract (pageprotocol.h) for one object; a selection of
// several disables the whole page, buttons included, and is never written.
class KMPDeviceWidget : public QWidget
{
    Q_OBJECT
public:
    explicit KMPDeviceWidget(QWidget *parent = nullptr);
    ~KMPDeviceWidget() override;

    void setObjects(ZUConfiguration *configuration, const QList<QPointer<ZUKMPDevice>> &objects);

    // The hardware variants a device type offers, and the interfaces a variant
    // offers, in the order shown; zu::NotSet stands for no choice.
    static QList<int> variantsOf(int device);
    static QList<int> portsOf(int variant);

signals:
    void changed(bool changed);
    void configurationChanged(const char *className);

private slots:
    void on_buttonBox_clicked(QAbstractButton *button);
    void on_device_currentIndexChanged(int index);
    void on_type_currentIndexChanged(int index);

private:
    Ui::KMPDeviceWidget *ui;
    QPointer<ZUConfiguration> m_configuration;
    QList<QPointer<ZUKMPDevice>> m_objects;
    DialogItemValidator *m_validator;
    bool m_offeringVariants = false;
};
