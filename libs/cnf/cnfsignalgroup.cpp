#include "cnfsignalgroup.h"

#include <QCoreApplication>

CnfSignalGroup::CnfSignalGroup(QObject *parent)
    : QObject(parent)
{
    static const int registered = qRegisterMetaType<CnfSignalGroupPtr>("CnfSignalGroupPtr");
    Q_UNUSED(registered)
}

void CnfSignalGroup::setType(int newType)
{
    type = newType;
}

QString CnfSignalGroup::friendlyName() const
{
    const QString detail = name.isEmpty() ? type2String(type, true) : name;
    return QStringLiteral("%1 (%2)").arg(id).arg(detail);
}

QString CnfSignalGroup::type2String(int type, bool translated, bool shortForm)
{
    static const char *const longNames[] = {
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Traffic"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Pedestrian"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Arrow"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Tram"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Always on"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "Bicycle"),
    };
    static const char *const shortNames[] = {
        QT_TRANSLATE_NOOP("CnfSignalGroup", "T"),  QT_TRANSLATE_NOOP("CnfSignalGroup", "P"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "A"),  QT_TRANSLATE_NOOP("CnfSignalGroup", "Tr"),
        QT_TRANSLATE_NOOP("CnfSignalGroup", "On"), QT_TRANSLATE_NOOP("CnfSignalGroup", "B"),
    };
    if (type < 0 || type > Bicycle)
        return QString::number(type);
    const char *text = shortForm ? shortNames[type] : longNames[type];
    return translated ? QCoreApplication::translate("CnfSignalGroup", text)
                      : QString::fromLatin1(text);
}

// Key names of the states in stored files.
static const char *const stateKeys[] = {
    "off", "red", "redYellow", "green", "greenBlink", "yellow", "yellowBlink", "redBlink",
};
// State words of timeline cells, as the timeline delegate paints and edits them.
static const char *const stateWords[] = {
    "off", "red", "red_amber", "green", "green_blink", "amber", "amber_blink", "red_blink",
};
static const int stateCount = int(sizeof(stateKeys) / sizeof(stateKeys[0]));
static_assert(sizeof(stateWords) == sizeof(stateKeys), "one word per state");

QString CnfSignalGroup::colorState2String(int state)
{
    if (state < 0 || state >= stateCount)
        return QString();
    return QString::fromLatin1(stateWords[state]);
}

QString CnfSignalGroup::colorStateKey(int state)
{
    if (state < 0 || state >= stateCount)
        return QString();
    return QString::fromLatin1(stateKeys[state]);
}

int CnfSignalGroup::string2ColorState(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (int state = 0; state < stateCount; ++state) {
        if (trimmed.compare(QLatin1String(stateWords[state]), Qt::CaseInsensitive) == 0
            || trimmed.compare(QLatin1String(stateKeys[state]), Qt::CaseInsensitive) == 0)
            return state;
    }
    return -1;
}

void CnfSignalGroup::assignDevice(const CnfPowerDevicePtr &device)
{
    if (device && !hasDevice(device))
        devices.append(device);
}

bool CnfSignalGroup::unassignDevice(const CnfPowerDevicePtr &device)
{
    return device && devices.removeAll(device) > 0;
}

bool CnfSignalGroup::hasDevice(const CnfPowerDevicePtr &device) const
{
    return device && devices.contains(device);
}

QByteArray CnfSignalGroup::interstate(int variant) const
{
    QByteArray record(InterstateSize, '\0');
    const QByteArray stored = interstates.value(variant);
    for (int i = 0; i < qMin(int(stored.size()), int(InterstateSize)); ++i)
        record[i] = stored.at(i);
    return record;
}

bool CnfSignalGroup::hasInterstate(int variant) const
{
    return interstates.contains(variant);
}

void CnfSignalGroup::setInterstate(int variant, const QByteArray &record)
{
    QByteArray stored = record.left(InterstateSize);
    while (stored.size() < InterstateSize)
        stored.append('\0');
    interstates.insert(variant, stored);
}

int CnfSignalGroup::interstateByte(int variant, int offset) const
{
    if (offset < 0 || offset >= InterstateSize)
        return 0;
    const auto it = interstates.constFind(variant);
    if (it == interstates.constEnd() || it->size() <= offset)
        return 0;
    return quint8(it->at(offset));
}

CnfSignalGroupPtr CnfSignalGroup::defaultSignalGroup() const
{
    return m_defaultGroup.toStrongRef();
}
