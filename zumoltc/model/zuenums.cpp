#include "zuenums.h"

#include "zulookup.h"

#include <QCoreApplication>

#include <map>
#include <string>

namespace zu {

namespace {

// Display texts per enumeration (scope::name) and value. std::map keeps the
// references handed out by metaEnumText valid while other entries are added.
std::map<std::string, std::map<int, QString>> &textRegistry()
{
    static std::map<std::string, std::map<int, QString>> registry;
    return registry;
}

std::string registryKey(const QMetaEnum &meta)
{
    return std::string(meta.scope() ? meta.scope() : "") + "::" + (meta.name() ? meta.name() : "");
}

} // namespace

QString metaEnumKey(const QMetaEnum &meta, int value)
{
    if (value == NotSet || !meta.isValid())
        return QString();
    return QString::fromLatin1(meta.valueToKey(value));
}

QString &metaEnumText(const QMetaEnum &meta, int value)
{
    std::map<int, QString> &texts = textRegistry()[registryKey(meta)];
    const auto found = texts.find(value);
    if (found != texts.end())
        return found->second;
    return texts.emplace(value, metaEnumKey(meta, value)).first->second;
}

int metaEnumValue(const QMetaEnum &meta, const QVariant &data)
{
    if (!meta.isValid() || !data.isValid() || data.isNull())
        return NotSet;
    bool ok = false;
    const int value = data.toInt(&ok);
    if (!ok || !fitsInt(data) || value == NotSet || !meta.valueToKey(value))
        return NotSet;
    return value;
}

int metaEnumFromKey(const QMetaEnum &meta, const QString &key)
{
    if (!meta.isValid() || key.isEmpty())
        return NotSet;
    bool ok = false;
    const int value = meta.keyToValue(key.toLatin1().constData(), &ok);
    // keyToValue also accepts scoped spellings ("zu::traffic"); files hold plain keys.
    if (!ok || QString::fromLatin1(meta.valueToKey(value)) != key)
        return NotSet;
    return value;
}

QList<QPair<QString, int>> metaEnumItems(const QMetaEnum &meta, bool keys)
{
    QList<QPair<QString, int>> items;
    if (!meta.isValid())
        return items;
    for (int i = 0; i < meta.keyCount(); ++i) {
        const int value = meta.value(i);
        items.append(
            qMakePair(keys ? QString::fromLatin1(meta.key(i)) : metaEnumText(meta, value), value));
    }
    return items;
}

namespace {

template<typename E>
void registerTexts(std::initializer_list<std::pair<int, const char *>> texts, bool translate = true)
{
    for (const auto &text : texts)
        enumText<E>(text.first) = translate ? QCoreApplication::translate("MainWindow", text.second)
                                            : QString::fromLatin1(text.second);
}

} // namespace

void registerDisplayTexts()
{
    registerTexts<SGType>({ { traffic, QT_TRANSLATE_NOOP("MainWindow", "traffic") },
                            { pedestrian, QT_TRANSLATE_NOOP("MainWindow", "pedestrian") },
                            { arrow, QT_TRANSLATE_NOOP("MainWindow", "arrow") },
                            { tram, QT_TRANSLATE_NOOP("MainWindow", "tram") },
                            { always_ON, QT_TRANSLATE_NOOP("MainWindow", "always on") } });
    registerTexts<PlanType>({ { Timeline, QT_TRANSLATE_NOOP("MainWindow", "timeline") },
                              { StageRing, QT_TRANSLATE_NOOP("MainWindow", "sequence of stages") },
                              { Special, QT_TRANSLATE_NOOP("MainWindow", "special") } });
    registerTexts<SpecialMode>({ { AB, QT_TRANSLATE_NOOP("MainWindow", "AB") },
                                 { OFF, QT_TRANSLATE_NOOP("MainWindow", "OFF") } });
    registerTexts<Recall>({ { none, QT_TRANSLATE_NOOP("MainWindow", "none") },
                            { max, QT_TRANSLATE_NOOP("MainWindow", "maximum") },
                            { min, QT_TRANSLATE_NOOP("MainWindow", "minimum") },
                            { soft, QT_TRANSLATE_NOOP("MainWindow", "soft") } });
    registerTexts<CountdownBoard>(
        { { timer, QT_TRANSLATE_NOOP("MainWindow", "timer") },
          { adaptive, QT_TRANSLATE_NOOP("MainWindow", "adaptive") },
          { conditional, QT_TRANSLATE_NOOP("MainWindow", "conditional") } });
    registerTexts<CsType>({ { emergency, QT_TRANSLATE_NOOP("MainWindow", "Emergency") },
                            { scheduler, QT_TRANSLATE_NOOP("MainWindow", "Scheduler") },
                            { tiverkITS, QT_TRANSLATE_NOOP("MainWindow", "ITS tiverk") },
                            { remoteControlPanel, QT_TRANSLATE_NOOP("MainWindow", "RCP") } });
    registerTexts<KMPDevice::SubType>(
        { { KMPDevice::passive, QT_TRANSLATE_NOOP("MainWindow", "passive") },
          { KMPDevice::passive_ind, QT_TRANSLATE_NOOP("MainWindow", "passive with indication") },
          { KMPDevice::dryContact, QT_TRANSLATE_NOOP("MainWindow", "dry contact") },
          { KMPDevice::interfaceType, QT_TRANSLATE_NOOP("MainWindow", "serial interface") },
          { KMPDevice::interface_tiverk1, QT_TRANSLATE_NOOP("MainWindow", "interface tiverk1") },
          { KMPDevice::interface_tiverk2, QT_TRANSLATE_NOOP("MainWindow", "interface tiverk2") },
          { KMPDevice::traficam, QT_TRANSLATE_NOOP("MainWindow", "traficam") },
          { KMPDevice::sitilog, QT_TRANSLATE_NOOP("MainWindow", "citilog") } });
    registerTexts<KMPDevPort::Value>(
        { { KMPDevPort::dryContact, QT_TRANSLATE_NOOP("MainWindow", "dry contact") } });
    // Interface names read the same in every language.
    registerTexts<KMPDevPort::Value>(
        { { KMPDevPort::RS485_1, "RS485_1" }, { KMPDevPort::RS485_2, "RS485_2" } }, false);
    registerTexts<Polarity>({ { positive, QT_TRANSLATE_NOOP("MainWindow", "positive") },
                              { negative, QT_TRANSLATE_NOOP("MainWindow", "negative") } });
    registerTexts<VPUType>(
        { { passive, QT_TRANSLATE_NOOP("MainWindow", "passive") },
          { passive_ind, QT_TRANSLATE_NOOP("MainWindow", "passive with indication") },
          { interface_tiverk1, QT_TRANSLATE_NOOP("MainWindow", "interface tiverk1") },
          { interface_tiverk2, QT_TRANSLATE_NOOP("MainWindow", "interface tiverk2") } });
    registerTexts<DIO::Type>(
        { { DIO::dryContact, QT_TRANSLATE_NOOP("MainWindow", "dry contact") },
          { DIO::traficamSimple, QT_TRANSLATE_NOOP("MainWindow", "traficam simple") },
          { DIO::traficam, QT_TRANSLATE_NOOP("MainWindow", "traficam") },
          { DIO::sitilog, QT_TRANSLATE_NOOP("MainWindow", "citilog") } });
}

} // namespace zu
