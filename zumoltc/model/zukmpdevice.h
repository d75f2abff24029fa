#pragma once

#include "zubaseobject.h"

// A device on the KMP module bus: its kind (zu::KMPDevice::Type), bus address,
// hardware variant (zu::KMPDevice::SubType) and physical interface
// (zu::KMPDevPort::Value); all zu::NotSet until given.
class ZUKMPDevice : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUKMPDevice(QObject *parent = nullptr);
    // No parent: ZUKMP1 sets it when the device joins its list.
    ZUKMPDevice(int device, int addr, int type, int port);
    // Clone: the address stays not set.
    ZUKMPDevice(const ZUKMPDevice &other);
    ~ZUKMPDevice() override;

    int device() const;
    void setDevice(int device);
    int addr() const;
    void setAddr(int addr);
    int type() const;
    void setType(int type);
    int port() const;
    void setPort(int port);

    // The address, "(device key)" and the suffix, those set joined by blanks; the
    // id is not shown.
    QString text(const QString &suffix = QString()) const override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
