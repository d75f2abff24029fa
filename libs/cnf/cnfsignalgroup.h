#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

// One signal group of a controller. Timings are dynamic properties (an
// invalid value removes a timing, which then falls back to the controller's
// default signal group).
class CnfSignalGroup : public QObject
{
    Q_OBJECT
public:
    // Groups of types 1 to 4 have no yellow and no red-yellow.
    enum Type { Traffic = 0, Pedestrian = 1, Arrow = 2, Tram = 3, AlwaysOn = 4, Bicycle = 5 };
    Q_ENUM(Type)
    // Colour states of timeline data: colorState2String gives the word of a
    // timeline cell, colorStateKey the key name in stored files.
    enum SGState { Off = 0, Red, RedYellow, Green, GreenBlink, Yellow, YellowBlink, RedBlink };
    Q_ENUM(SGState)

    // Bytes of an interstate record, in stored order.
    enum InterstateByte { AG1 = 0, GF = 1, Y = 2, AR = 3, RY = 4, AG2 = 5, InterstateSize = 6 };

    explicit CnfSignalGroup(QObject *parent = nullptr);

    int id = 0; // number of the group, unique in its controller
    QString name;
    int type = Traffic;
    QList<CnfPowerDevicePtr> devices; // assigned keys, in assignment order
    QList<int> detectorAddresses; // 255 = no detector
    // Variant (from 1) -> six unsigned bytes AG1, GF, Y, AR, RY, AG2.
    QMap<int, QByteArray> interstates;
    // The members a ZU_MOLT group was read without ("type"): the field holds
    // its default, and the ZU_MOLT writer leaves the member out again while it
    // still does. Not kept by the other formats.
    QStringList unsetMembers;

    void setType(int type);
    // "3 (North)" or, without a name, "3 (Traffic)".
    QString friendlyName() const;

    // Texts of a type; `shortForm` gives the one- or two-letter abbreviation.
    static QString type2String(int type, bool translated, bool shortForm = false);
    // Untranslated state words of timeline cells ("red", "amber", "green",
    // "red_amber", "green_blink", ...); unknown -> empty.
    static QString colorState2String(int state);
    // Key names of the states in stored files ("red", "yellow", "redYellow",
    // "greenBlink", ...); unknown -> empty.
    static QString colorStateKey(int state);
    // A state from its word or its key name (case ignored); -1 for an unknown text.
    static int string2ColorState(const QString &text);

    void assignDevice(const CnfPowerDevicePtr &device); // appends once
    bool unassignDevice(const CnfPowerDevicePtr &device); // false when not assigned
    bool hasDevice(const CnfPowerDevicePtr &device) const;

    // Record of a variant, always six bytes (zeros when the group has none).
    QByteArray interstate(int variant) const;
    bool hasInterstate(int variant) const;
    // Stores the first six bytes (missing ones as 0).
    void setInterstate(int variant, const QByteArray &record);
    int greenBlink(int variant) const { return interstateByte(variant, GF); }
    int yellow(int variant) const { return interstateByte(variant, Y); }
    int redYellow(int variant) const { return interstateByte(variant, RY); }
    int interstateByte(int variant, int offset) const;

    // The default signal group of the controller that this group was last
    // added to; null when that controller had none.
    CnfSignalGroupPtr defaultSignalGroup() const;

    // Names of "properties" members that the file held as null (CnfTreeSchema).
    QStringList nullProperties() const { return m_nullProperties; }
    void setNullProperties(const QStringList &names) { m_nullProperties = names; }

private:
    friend class CnfController;
    QWeakPointer<CnfSignalGroup> m_defaultGroup;
    QStringList m_nullProperties;
};

// Signal-group pointers travel in signals (queued ones too) and in QVariants.
Q_DECLARE_METATYPE(CnfSignalGroupPtr)
