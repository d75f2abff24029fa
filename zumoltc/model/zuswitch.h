#pragma once

#include "zubaseobject.h"
#include "zusignalgroup.h"

#include <QPointer>

// A power switch (lamp output) driving the heads of a signal group. Integers are
// zu::NotSet until given (currents in mA); not set means the configuration's
// default switch value applies.
class ZUSwitch : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUSwitch(QObject *parent = nullptr);
    // Clone: every field but the address, which stays not set.
    ZUSwitch(const ZUSwitch &other);
    ~ZUSwitch() override;

    int type() const;
    void setType(int type);
    QPointer<ZUSignalGroup> signalGroup() const;
    void setSignalGroup(QPointer<ZUSignalGroup> group);
    int addr() const;
    void setAddr(int addr);
    int color() const;
    void setColor(int color);
    int heads() const;
    void setHeads(int heads);
    bool control() const;
    void setControl(bool control);
    int lowCurrent() const;
    void setLowCurrent(int value);
    int upCurrent() const;
    void setUpCurrent(int value);
    int minCurrent() const;
    void setMinCurrent(int value);

    // True when any value but the signal group is set (control counts when true).
    bool hasValues() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
