#pragma once

#include "zubaseobject.h"

#include <QPointer>

// A signal group: its type (zu::SGType, traffic by default), ten signal times and
// the T-traffic-light number. Times and the number are zu::NotSet until given; a
// group without times of its own takes the configuration's default times. The
// T-light number is not stored in the file.
class ZUSignalGroup : public ZUBaseObject
{
    Q_OBJECT
public:
    explicit ZUSignalGroup(QObject *parent = nullptr);
    ZUSignalGroup(const ZUSignalGroup &other);
    ~ZUSignalGroup() override;

    int type() const;
    void setType(int type);
    int extRed() const;
    void setExtRed(int value);
    int amber() const;
    void setAmber(int value);
    int greenBlink() const;
    void setGreenBlink(int value);
    int maxGreen() const;
    void setMaxGreen(int value);
    int maxRed() const;
    void setMaxRed(int value);
    int minGreen() const;
    void setMinGreen(int value);
    int minRed() const;
    void setMinRed(int value);
    int redAmber() const;
    void setRedAmber(int value);
    int extGreen1() const;
    void setExtGreen1(int value);
    int extGreen2() const;
    void setExtGreen2(int value);
    int tClusterId() const;
    void setTClusterId(int value);

    // Type back to traffic, the times and the T-light number to not set.
    void clear();
    // True when at least one of the ten times is set.
    bool hasTimes() const;
    // True when each of the ten times equals other's (not set equals not set);
    // false for a null or dead other.
    bool timesEqual(QPointer<ZUSignalGroup> other) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
