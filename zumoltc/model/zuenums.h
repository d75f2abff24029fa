#pragma once

#include <QList>
#include <QMetaEnum>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>

#include <climits>

// The coded attributes of the ZU_MOLT model. Files store the key names of these
// enumerations; combo boxes and lists show their display texts. Every model field
// holding one of them uses zu::NotSet when nothing is chosen; NotSet has no key
// and no text.
namespace zu {
Q_NAMESPACE

// The model-wide "not set" value of every integer and enumeration attribute.
constexpr int NotSet = INT_MAX;

enum SGType { traffic, pedestrian, arrow, tram, always_ON };
Q_ENUM_NS(SGType)

enum PlanType { Timeline, StageRing, Special };
Q_ENUM_NS(PlanType)

enum SpecialMode { AB, OFF };
Q_ENUM_NS(SpecialMode)

// Held as a value in signal plan sequences, where a record without a state stores
// NotSet: the fixed underlying type makes that a valid value of the enumeration.
enum TimelineState : int { green, green_blink, amber, red, red_amber };
Q_ENUM_NS(TimelineState)

enum Recall { none, max, min, soft };
Q_ENUM_NS(Recall)

enum CountdownBoard { timer, adaptive, conditional };
Q_ENUM_NS(CountdownBoard)

enum CsType { emergency, scheduler, tiverkITS, remoteControlPanel };
Q_ENUM_NS(CsType)

enum Switch { ZU4_SW };
Q_ENUM_NS(Switch)

enum CountdownBoardProtocol { V1, V2 };
Q_ENUM_NS(CountdownBoardProtocol)

enum ChannelType { full, PIR, out };
Q_ENUM_NS(ChannelType)

enum Polarity { positive, negative };
Q_ENUM_NS(Polarity)

enum Indication { alarm };
Q_ENUM_NS(Indication)

enum VPUType { passive, passive_ind, interface_tiverk1, interface_tiverk2 };
Q_ENUM_NS(VPUType)

enum LanMode { DHPC, staticIP };
Q_ENUM_NS(LanMode)

namespace KMPDevice {
Q_NAMESPACE

enum Type { KSK1, DIO1, KTV1, VPU1, DIO2, WHM1, UPS1, DIO3, DIO4, DIO5 };
Q_ENUM_NS(Type)

enum SubType {
    passive,
    passive_ind,
    dryContact,
    interfaceType,
    interface_tiverk1,
    interface_tiverk2,
    traficam,
    sitilog
};
Q_ENUM_NS(SubType)
} // namespace KMPDevice

namespace KMPDevPort {
Q_NAMESPACE

enum Value { dryContact, RS485_1, RS485_2, LAN };
Q_ENUM_NS(Value)
} // namespace KMPDevPort

namespace Color {
Q_NAMESPACE

enum Value { red, green, amber, white };
Q_ENUM_NS(Value)
} // namespace Color

namespace DIO {
Q_NAMESPACE

enum Type { dryContact, traficamSimple, TiverkDET, traficam, sitilog };
Q_ENUM_NS(Type)
} // namespace DIO

// Assigns the display texts of the enumerations through enumText, translated in
// the "MainWindow" context at the moment of the call (the editor calls it once at
// start, so a language chosen later does not change them). Enumerations and values
// without a text keep showing their keys.
void registerDisplayTexts();

// Untyped cores of the templates below.
QString metaEnumKey(const QMetaEnum &meta, int value);
QString &metaEnumText(const QMetaEnum &meta, int value);
int metaEnumValue(const QMetaEnum &meta, const QVariant &data);
int metaEnumFromKey(const QMetaEnum &meta, const QString &key);
QList<QPair<QString, int>> metaEnumItems(const QMetaEnum &meta, bool keys);

// The meta enumeration of E, looked up once: files name an enumeration value per
// element, and each lookup searches the meta object by name.
template<typename E> const QMetaEnum &metaEnum()
{
    static const QMetaEnum meta = QMetaEnum::fromType<E>();
    return meta;
}

} // namespace zu

// The key name of value in E; empty for zu::NotSet and for a value without key.
template<typename E> QString enumKey(int value)
{
    return zu::metaEnumKey(zu::metaEnum<E>(), value);
}

// The display text of value in E, from one table for the whole program. A value
// without a registered text gets its key (empty for zu::NotSet), which stays
// registered; assigning to the reference registers a text for everybody.
template<typename E> QString &enumText(int value)
{
    return zu::metaEnumText(zu::metaEnum<E>(), value);
}

// One (text, value) pair per key of E in declaration order; the text is the key
// when keys is true, else the display text.
template<typename E> QList<QPair<QString, int>> enumItems(bool keys)
{
    return zu::metaEnumItems(zu::metaEnum<E>(), keys);
}

// data as a value of E (as combo boxes hold it), through QVariant's int conversion
// (a fraction is rounded); zu::NotSet when data is invalid, null, does not convert
// (a number beyond int does not) or is no value of E.
template<typename E> int enumValue(const QVariant &data)
{
    return zu::metaEnumValue(zu::metaEnum<E>(), data);
}

// The value whose key is exactly key (case-sensitive); zu::NotSet for an empty or
// unknown key. Files store enumerations by key.
template<typename E> int enumFromKey(const QString &key)
{
    return zu::metaEnumFromKey(zu::metaEnum<E>(), key);
}
