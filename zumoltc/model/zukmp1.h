#pragma once

#include "zukmpdevice.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

// The KMP module bus of the controller: automatic detection (0 or 1) and the
// devices in bus order. It owns its devices (Qt children) and announces each one
// added (objectAdded with its index) and destroyed (objectDestroyed, while the
// device is still whole; its entry reads null until devices() drops it).
class ZUKMP1 : public QObject
{
    Q_OBJECT
public:
    explicit ZUKMP1(QObject *parent = nullptr);
    ~ZUKMP1() override;

    // The file's "auto": 1 when the devices are detected automatically.
    int autoDetect() const;
    // Stores value clamped to 0..1.
    void setAuto(int value);

    // auto back to 1; every device is deleted, disconnected first so that nothing
    // is announced for it.
    void reset();

    // Appends device (also one already listed); a null or dead device is ignored.
    void addDevice(QPointer<ZUKMPDevice> device);
    // Inserts device after `after`, or at the end when after is null or not listed;
    // a null, dead or already listed device is ignored.
    void insertDevice(QPointer<ZUKMPDevice> device, QPointer<ZUKMPDevice> after);
    // Moves the entry at from to to when both lie inside the list; no signal.
    void move(int from, int to);
    // Dead devices dropped first.
    QList<QPointer<ZUKMPDevice>> &devices();

signals:
    void objectAdded(ZUBaseObject *obj, int pos);
    void objectDestroyed(ZUBaseObject *obj);

private:
    void attach(ZUKMPDevice *device, int pos);

    struct Private;
    std::unique_ptr<Private> d;
};
