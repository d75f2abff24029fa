#include "cnfxmlwriter.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftransition.h"
#include "cnftreeschema.h"
#include "cnfweekcard.h"
#include "cnfxmlformat.h"
#include "utf8/utf8.h"
#include "vnode.h"

#include <QBuffer>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QXmlStreamWriter>

#include <cmath>
#include <optional>

namespace {

// A map key as the writer passes it on: never null, since a null key marks a
// list entry (an empty key read from JSON arrives as a null QString).
QString mapKey(const QString &key)
{
    return key.isNull() ? QStringLiteral("") : key;
}

class Writer
{
public:
    Writer(QXmlStreamWriter &xml, const CnfController &c)
        : xml(xml)
        , c(c)
    {
    }

    void controller(const CnfController &c);
    void program(const CnfProgram &p);
    void family(const CnfController &c);

private:
    void number(const char *name, int value)
    {
        xml.writeAttribute(QLatin1String(name), QString::number(value));
    }
    void text(const char *name, const QString &value);
    // The dynamic properties, then as Null the members its file held as null
    // (`nulls`) for which the element has no value.
    void properties(const QObject &object, const QStringList &nulls);
    void value(const QString &key, const QVariant &value);
    void node(const QString &key, const VNode &node);
    void textElement(const QString &element, const QString &key, const QString &value);
    void startValue(const QString &element, const QString &key);
    void signalGroup(const char *element, const CnfSignalGroup &g);
    void detector(const char *element, const CnfDetector &d);
    void phase(const CnfPhase &p);
    void groupTimes(const char *element, const QMap<int, int> &times);
    void matrix(const CnfMatrix &m);
    void calendar(const CnfController &c);

    // Only elements that the controller lists are written as references:
    // a reference to a removed element would make the file unreadable.
    template<typename T> QString idIfListed(const QSharedPointer<T> &element)
    {
        return listed().has(element) ? element->id : QString();
    }

    // The listed elements, gathered once per save on first use: a scan of a
    // list per reference made large configurations slow to save.
    const CnfTreeSchema::Listed &listed()
    {
        if (!m_listed)
            m_listed.emplace(c);
        return *m_listed;
    }

    // A container element with one child per item, each written by write.
    template<typename T, typename Write>
    void container(const char *element, const QList<QSharedPointer<T>> &items, Write write)
    {
        xml.writeStartElement(QLatin1String(element));
        for (const QSharedPointer<T> &item : items)
            write(*item);
        xml.writeEndElement();
    }

    // One element with the id of each referenced element that the controller
    // lists, in reference order.
    template<typename T>
    void references(const char *element, const QList<QSharedPointer<T>> &referenced)
    {
        for (const QSharedPointer<T> &target : referenced) {
            if (!listed().has(target))
                continue;
            xml.writeStartElement(QLatin1String(element));
            number("id", target->id);
            xml.writeEndElement();
        }
    }

    QXmlStreamWriter &xml;
    const CnfController &c;
    std::optional<CnfTreeSchema::Listed> m_listed;
};

void Writer::text(const char *name, const QString &value)
{
    // Characters that XML cannot carry go as Base64 in the attribute
    // "<name>64" instead.
    if (CnfXmlFormat::needsEncoding(value))
        xml.writeAttribute(QLatin1String(name) + QLatin1String("64"),
                           QString::fromLatin1(Utf8::encodeKeepingSurrogates(value).toBase64()));
    else
        xml.writeAttribute(QLatin1String(name), value);
}

// A value element; a null key marks a list entry, any other key (also an
// empty one) is written, as Base64 when XML cannot carry its characters.
void Writer::startValue(const QString &element, const QString &key)
{
    xml.writeStartElement(element);
    if (!key.isNull())
        text("key", key);
}

void Writer::textElement(const QString &element, const QString &key, const QString &value)
{
    startValue(element, key);
    if (CnfXmlFormat::needsEncoding(value)) {
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        xml.writeCharacters(QString::fromLatin1(Utf8::encodeKeepingSurrogates(value).toBase64()));
    } else {
        xml.writeCharacters(value);
    }
    xml.writeEndElement();
}

void Writer::value(const QString &key, const QVariant &v)
{
    using namespace CnfXmlFormat;
    if (v.userType() == qMetaTypeId<VObject>()) {
        const auto n = v.value<VObject>().node();
        if (n)
            node(key, *n);
        else
            value(key, QVariant());
        return;
    }
    switch (int(v.userType())) {
    case QMetaType::UnknownType:
        startValue(QLatin1String(NullTag), key);
        xml.writeEndElement();
        return;
    case QMetaType::Bool:
        textElement(QLatin1String(BoolTag), key,
                    v.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
        return;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        textElement(QLatin1String(IntTag), key, QString::number(v.toInt()));
        return;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        textElement(QLatin1String(LongTag), key, QString::number(v.toLongLong()));
        return;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        textElement(QLatin1String(LongTag), key, QString::number(v.toULongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        textElement(QLatin1String(DoubleTag), key, doubleText(v.toDouble()));
        return;
    case QMetaType::QString:
        textElement(QLatin1String(TextTag), key, v.toString());
        return;
    case QMetaType::QByteArray:
        textElement(QLatin1String(BytesTag), key, QString::fromLatin1(v.toByteArray().toHex()));
        return;
    case QMetaType::QDate:
        textElement(QLatin1String(DateTag), key, v.toDate().toString(Qt::ISODate));
        return;
    case QMetaType::QTime:
        textElement(QLatin1String(TimeTag), key,
                    v.toTime().toString(QStringLiteral("HH:mm:ss.zzz")));
        return;
    case QMetaType::QDateTime:
        textElement(QLatin1String(DateTimeTag), key, v.toDateTime().toString(Qt::ISODateWithMs));
        return;
    case QMetaType::QStringList: {
        startValue(QLatin1String(StringsTag), key);
        const QStringList list = v.toStringList();
        for (const QString &entry : list)
            textElement(QLatin1String(TextTag), QString(), entry);
        xml.writeEndElement();
        return;
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        startValue(QLatin1String(MapTag), key);
        const QVariantMap map = v.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            value(mapKey(it.key()), it.value());
        xml.writeEndElement();
        return;
    }
    default:
        break;
    }
    if (v.canConvert<QVariantList>()) {
        startValue(QLatin1String(ListTag), key);
        const QVariantList list = v.value<QVariantList>();
        for (const QVariant &entry : list)
            value(QString(), entry);
        xml.writeEndElement();
        return;
    }
    // Other types are kept as their text.
    textElement(QLatin1String(TextTag), key, v.toString());
}

void Writer::node(const QString &key, const VNode &n)
{
    using namespace CnfXmlFormat;
    switch (n.kind) {
    case VObject::Null:
    case VObject::Scalar:
        value(key, n.value);
        return;
    case VObject::Map:
        startValue(QLatin1String(MapTag), key);
        for (auto it = n.map.constBegin(); it != n.map.constEnd(); ++it)
            node(mapKey(it.key()), *it.value());
        xml.writeEndElement();
        return;
    case VObject::List:
        startValue(QLatin1String(ListTag), key);
        for (const auto &child : n.list)
            node(QString(), *child);
        xml.writeEndElement();
        return;
    }
}

void Writer::properties(const QObject &object, const QStringList &nulls)
{
    const QList<QByteArray> names = object.dynamicPropertyNames();
    QList<QByteArray> unset;
    for (const QString &member : nulls) {
        const QByteArray name = CnfTreeSchema::propertyName(member);
        if (!object.property(name.constData()).isValid())
            unset.append(name);
    }
    if (names.isEmpty() && unset.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("Properties"));
    for (const QByteArray &name : names)
        value(Utf8::decode(name), object.property(name.constData()));
    for (const QByteArray &name : qAsConst(unset))
        value(Utf8::decode(name), QVariant());
    xml.writeEndElement();
}

void Writer::signalGroup(const char *element, const CnfSignalGroup &g)
{
    xml.writeStartElement(QLatin1String(element));
    number("id", g.id);
    text("name", g.name);
    number("type", g.type);
    references("Device", g.devices);
    if (!g.detectorAddresses.isEmpty()) {
        QStringList addresses;
        for (int address : g.detectorAddresses)
            addresses.append(QString::number(address));
        xml.writeTextElement(QStringLiteral("DetectorAddresses"), addresses.join(QLatin1Char(' ')));
    }
    for (auto it = g.interstates.constBegin(); it != g.interstates.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("Interstate"));
        number("variant", it.key());
        QStringList bytes;
        for (int i = 0; i < CnfSignalGroup::InterstateSize; ++i)
            bytes.append(QString::number(g.interstateByte(it.key(), i)));
        xml.writeCharacters(bytes.join(QLatin1Char(' ')));
        xml.writeEndElement();
    }
    properties(g, g.nullProperties());
    xml.writeEndElement();
}

void Writer::detector(const char *element, const CnfDetector &d)
{
    xml.writeStartElement(QLatin1String(element));
    number("id", d.id());
    text("name", d.name());
    properties(d, d.nullProperties());
    xml.writeEndElement();
}

// A transition's per-group times: one element per signal group.
void Writer::groupTimes(const char *element, const QMap<int, int> &times)
{
    for (auto it = times.constBegin(); it != times.constEnd(); ++it) {
        xml.writeStartElement(QLatin1String(element));
        number("sg", it.key());
        number("at", it.value());
        xml.writeEndElement();
    }
}

void Writer::phase(const CnfPhase &p)
{
    xml.writeStartElement(QStringLiteral("Phase"));
    text("id", p.id);
    text("name", p.name);
    number("min", p.minTime);
    number("max", p.maxTime);
    references("Group", p.signalGroups);
    for (auto it = p.transitions.constBegin(); it != p.transitions.constEnd(); ++it) {
        if (!it.value())
            continue;
        xml.writeStartElement(QStringLiteral("Transition"));
        text("from", it.key());
        number("length", it.value()->length);
        groupTimes("End", it.value()->greenEnd);
        groupTimes("Start", it.value()->greenStart);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void Writer::matrix(const CnfMatrix &m)
{
    xml.writeStartElement(QStringLiteral("Matrix"));
    number("id", m.id());
    text("name", m.name());
    const QList<CnfMatrixCell> cells = m.cellsInListOrder();
    for (const CnfMatrixCell &cell : cells) {
        xml.writeStartElement(QStringLiteral("Cell"));
        number("a", cell.aId);
        number("b", cell.bId);
        xml.writeAttribute(QStringLiteral("value"), CnfXmlFormat::doubleText(cell.value));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void Writer::program(const CnfProgram &p)
{
    xml.writeStartElement(QStringLiteral("Program"));
    text("id", p.id);
    text("name", p.name);
    xml.writeAttribute(QStringLiteral("type"), CnfProgram::typeKey(p.type));
    number("kind", p.kind);
    number("cycle", p.cycleLength);
    if (p.hasCycleOffset())
        number("offset", p.cycleOffset(0));
    number("variant", p.interstateVariant);
    // A matrix of the controller's list is named; a program's own matrix
    // (an edited copy, or one removed from the list) is written inside it.
    const bool listedMatrix = listed().has(p.matrix);
    if (listedMatrix)
        number("matrix", p.matrix->id());
    if (p.defaultMatrix)
        xml.writeAttribute(QStringLiteral("defaultMatrix"), QStringLiteral("true"));
    if (p.matrix && !listedMatrix)
        matrix(*p.matrix);
    const QList<CnfPhaseDefPtr> steps = p.phases();
    for (const CnfPhaseDefPtr &step : steps) {
        xml.writeStartElement(QStringLiteral("Phase"));
        text("phase", step->id());
        number("length", step->fullLength());
        number("main", step->length());
        number("start", step->fileStart());
        properties(*step, step->nullProperties());
        xml.writeEndElement();
    }
    if (!p.data().isEmpty())
        xml.writeTextElement(QStringLiteral("Data"), QString::fromLatin1(p.data().toHex()));
    const QList<int> groups = p.timelineGroups();
    for (int group : groups) {
        xml.writeStartElement(QStringLiteral("Timeline"));
        number("sg", group);
        const QMap<int, int> steps = p.getTimelineData(group);
        for (auto it = steps.constBegin(); it != steps.constEnd(); ++it) {
            xml.writeStartElement(QStringLiteral("Step"));
            number("start", it.key());
            const QString state = CnfSignalGroup::colorStateKey(it.value());
            xml.writeAttribute(QStringLiteral("state"),
                               state.isEmpty() ? QString::number(it.value()) : state);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    properties(p, p.nullProperties());
    xml.writeEndElement();
}

void Writer::calendar(const CnfController &c)
{
    const QList<CnfDayCardPtr> dayCards = c.dayCards();
    const QList<CnfWeekCardPtr> weekCards = c.weekCards();
    xml.writeStartElement(QStringLiteral("Calendar"));
    text("defaultProgram", idIfListed(c.defaultProgram()));
    text("reserveProgram", idIfListed(c.reserveProgram()));
    text("defaultDayCard", idIfListed(c.defaultDayCard()));
    for (const CnfDayCardPtr &card : dayCards) {
        xml.writeStartElement(QStringLiteral("DayCard"));
        text("id", card->id);
        text("name", card->name);
        for (auto it = card->records.constBegin(); it != card->records.constEnd(); ++it) {
            if (!it.key().isValid())
                continue; // a record without a start time has no place in the day
            xml.writeStartElement(QStringLiteral("Record"));
            xml.writeAttribute(QStringLiteral("start"),
                               it.key().toString(QStringLiteral("HH:mm:ss")));
            if (it->end.isValid())
                xml.writeAttribute(QStringLiteral("end"),
                                   it->end.toString(QStringLiteral("HH:mm:ss")));
            text("program", it->programId());
            text("reserve", it->reserveId());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    for (const CnfWeekCardPtr &card : weekCards) {
        xml.writeStartElement(QStringLiteral("WeekCard"));
        text("id", card->id);
        text("name", card->name);
        for (auto it = card->days.constBegin(); it != card->days.constEnd(); ++it) {
            if (it.key() < Qt::Monday || it.key() > Qt::Sunday)
                continue;
            xml.writeStartElement(QStringLiteral("Day"));
            number("day", it.key());
            text("card", idIfListed(it.value()));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    const QList<CnfSeasonPlanPtr> plans = c.seasonPlans();
    for (const CnfSeasonPlanPtr &plan : plans) {
        xml.writeStartElement(QStringLiteral("SeasonPlan"));
        xml.writeAttribute(QStringLiteral("from"), plan->from.toString(Qt::ISODate));
        xml.writeAttribute(QStringLiteral("to"), plan->to.toString(Qt::ISODate));
        text("name", plan->name);
        text("weekCard", idIfListed(plan->weekCard));
        xml.writeEndElement();
    }
    const QMap<QDate, CnfSpecialDayPtr> days = c.specialDays();
    for (auto it = days.constBegin(); it != days.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("SpecialDay"));
        xml.writeAttribute(QStringLiteral("date"), it.key().toString(Qt::ISODate));
        text("id", it.value()->id);
        text("name", it.value()->name);
        text("card", idIfListed(it.value()->dayCard));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// The family as plain attributes, for readers that only look.
void Writer::family(const CnfController &c)
{
    for (const char *name : { "type", "version" }) {
        const QVariant value = c.property(name);
        if (value.isValid())
            text(name, value.toString());
    }
}

void Writer::controller(const CnfController &c)
{
    xml.writeStartElement(QStringLiteral("Controller"));
    xml.writeAttribute(QStringLiteral("format"), QString::number(CnfXmlFormat::Version));
    family(c);
    properties(c, c.nullProperties());
    if (const CnfInterstatePtr interstate = c.interstate()) {
        xml.writeStartElement(QStringLiteral("Interstate"));
        number("greenBlink", interstate->greenBlink);
        number("yellow", interstate->yellow);
        number("redYellow", interstate->redYellow);
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("PowerDevices"));
    const QList<CnfPowerDevicePtr> devices = c.powerDevices();
    for (const CnfPowerDevicePtr &device : devices) {
        xml.writeStartElement(QStringLiteral("PowerDevice"));
        number("id", device->id);
        number("address", device->address);
        text("name", device->name);
        number("type", device->type);
        number("color", device->color);
        number("lamps", device->lampsCount);
        number("burnout", device->burnoutControl);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    container("SignalGroups", c.signalGroups(),
              [this](const CnfSignalGroup &g) { signalGroup("SignalGroup", g); });
    if (const CnfSignalGroupPtr group = c.defaultSignalGroup())
        signalGroup("DefaultSignalGroup", *group);

    container("Detectors", c.detectorsList(),
              [this](const CnfDetector &d) { detector("Detector", d); });
    container("Sensors", c.sensorsList(), [this](const CnfDetector &d) { detector("Sensor", d); });
    container("Phases", c.phases(), [this](const CnfPhase &p) { phase(p); });

    xml.writeStartElement(QStringLiteral("Matrices"));
    if (c.defaultMatrix())
        number("default", c.defaultMatrix()->id());
    if (c.safetyMatrix())
        number("safety", c.safetyMatrix()->id());
    const QList<CnfMatrixPtr> matrices = c.matrixList();
    for (const CnfMatrixPtr &element : matrices)
        matrix(*element);
    xml.writeEndElement();

    container("Programs", c.programs(), [this](const CnfProgram &p) { program(p); });

    calendar(c);

    xml.writeStartElement(QStringLiteral("Native"));
    const auto root = c.nativeData().node();
    for (auto it = root->map.constBegin(); it != root->map.constEnd(); ++it)
        node(mapKey(it.key()), *it.value());
    xml.writeEndElement();
    xml.writeEndElement();
}

} // namespace

QByteArray CnfXmlWriter::write(const CnfController &controller, bool withDeclaration) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    if (withDeclaration)
        xml.writeStartDocument();
    Writer(xml, controller).controller(controller);
    if (withDeclaration)
        xml.writeEndDocument();
    // Auto-formatting starts a lone element with a line break.
    return withDeclaration ? bytes : bytes.trimmed();
}

QByteArray CnfXmlWriter::writeDynamicProgram(const CnfController &controller,
                                             const CnfProgram &program) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartElement(QStringLiteral("Controller"));
    Writer writer(xml, controller);
    writer.family(controller);
    writer.program(program);
    xml.writeEndElement();
    return bytes.trimmed();
}
