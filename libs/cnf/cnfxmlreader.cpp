#include "cnfxmlreader.h"

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfdetector.h"
#include "cnfinterstate.h"
#include "cnfjsonparser.h"
#include "cnfmatrix.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfseasonplan.h"
#include "cnfsignalgroup.h"
#include "cnftransition.h"
#include "cnfweekcard.h"
#include "cnfxmlformat.h"
#include "vnode.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QXmlStreamReader>

#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CnfXmlReader", text);
}

// As deep as the JSON formats nest, so that any configuration read from them
// can be saved here and read back.
constexpr int MaxDepth = CnfJsonParser::maxDepth;

struct Position
{
    qint64 line = 0;
    qint64 column = 0;
};

// References between elements are collected while reading and resolved at
// the end, so that the order of the sections does not matter.
struct GroupRefs
{
    CnfSignalGroupPtr group;
    QList<int> devices;
    Position at;
};

struct PhaseRefs
{
    CnfPhasePtr phase;
    QList<int> groups;
    Position at;
};

struct StepRef
{
    CnfPhaseDefPtr step;
    int fullLength = 0;
    bool hasMain = false;
};

struct ProgramRefs
{
    CnfProgramPtr program;
    int matrix = -1;
    bool hasMatrix = false;
    QList<StepRef> steps;
    Position at;
};

struct CardRef
{
    CnfDayCardPtr card;
    QTime start;
    QString program;
    QString reserve;
    Position at;
};

class Reader
{
public:
    Reader(const QByteArray &bytes, bool strict, CnfController &controller)
        : xml(bytes)
        , strict(strict)
        , c(controller)
    {
    }

    bool readController();
    CnfProgramPtr readDynamicProgram();
    QString errorString() const { return error; }

private:
    // Errors
    bool fail(const QString &message);
    bool failAt(const Position &at, const QString &message);
    Position here() const { return {xml.lineNumber(), xml.columnNumber()}; }
    bool unknownElement();

    // Attributes
    QString text(const char *name) const;
    bool hasKey() const; // "key", or "key64" for a key in Base64
    bool integer(const char *name, int *value, bool required, int fallback);
    bool boolean(const char *name, bool *value, bool fallback);

    // Typed values
    bool readNode(VNode &node, int depth);
    bool readPropertyValue(QVariant *value);
    bool readProperties(QObject &object);
    bool readElementText(QString *value);

    // Sections
    bool readInterstate();
    bool readPowerDevices();
    bool readSignalGroup(const CnfSignalGroupPtr &group);
    bool readDetectors(bool sensors);
    bool readPhases();
    bool readMatrices();
    CnfMatrixPtr readMatrix();
    bool readProgram(ProgramRefs &refs);
    bool readCalendar();
    bool readNative();
    bool resolve();
    bool resolveProgram(ProgramRefs &refs);

    QXmlStreamReader xml;
    bool strict;
    CnfController &c;
    QString error;
    Position errorAt;

    QList<GroupRefs> groupRefs;
    QList<PhaseRefs> phaseRefs;
    QList<ProgramRefs> programRefs;
    QList<CardRef> cardRefs;
    QList<QPair<CnfWeekCardPtr, QMap<int, QString>>> weekRefs;
    QList<QPair<CnfSeasonPlanPtr, QString>> seasonRefs;
    QList<QPair<CnfSpecialDayPtr, QString>> specialRefs;
    int defaultMatrix = -1;
    int safetyMatrix = -1;
    QString defaultProgram;
    QString reserveProgram;
    QString defaultDayCard;
    Position calendarAt;
    Position matricesAt;
};

bool Reader::fail(const QString &message)
{
    return failAt(here(), message);
}

bool Reader::failAt(const Position &at, const QString &message)
{
    if (error.isEmpty()) {
        error = tr("Line %1, column %2: %3").arg(at.line).arg(at.column).arg(message);
        errorAt = at;
    }
    if (!xml.hasError())
        xml.raiseError(message);
    return false;
}

bool Reader::unknownElement()
{
    if (strict)
        return fail(tr("unknown element \"%1\"").arg(xml.name().toString()));
    xml.skipCurrentElement();
    return !xml.hasError();
}

QString Reader::text(const char *name) const
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString encoded = QLatin1String(name) + QLatin1String("64");
    if (attributes.hasAttribute(encoded)) {
        const auto decoded = QByteArray::fromBase64Encoding(
            attributes.value(encoded).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        return QString::fromUtf8(decoded.decoded);
    }
    return attributes.value(QLatin1String(name)).toString();
}

bool Reader::hasKey() const
{
    const QXmlStreamAttributes attributes = xml.attributes();
    return attributes.hasAttribute(QLatin1String("key")) || attributes.hasAttribute(QLatin1String("key64"));
}

bool Reader::integer(const char *name, int *value, bool required, int fallback)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(QLatin1String(name))) {
        if (required) {
            return fail(tr("element \"%1\" needs the attribute \"%2\"")
                            .arg(xml.name().toString(), QLatin1String(name)));
        }
        *value = fallback;
        return true;
    }
    const QString raw = attributes.value(QLatin1String(name)).toString();
    bool ok = false;
    *value = raw.trimmed().toInt(&ok);
    if (!ok) {
        return fail(tr("attribute \"%1\" of \"%2\" is no whole number in range: \"%3\"")
                        .arg(QLatin1String(name), xml.name().toString(), raw.left(40)));
    }
    return true;
}

bool Reader::boolean(const char *name, bool *value, bool fallback)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    if (!attributes.hasAttribute(QLatin1String(name))) {
        *value = fallback;
        return true;
    }
    const QStringRef raw = attributes.value(QLatin1String(name));
    if (raw == QLatin1String("true") || raw == QLatin1String("1")) {
        *value = true;
        return true;
    }
    if (raw == QLatin1String("false") || raw == QLatin1String("0")) {
        *value = false;
        return true;
    }
    return fail(tr("attribute \"%1\" of \"%2\" is neither true nor false")
                    .arg(QLatin1String(name), xml.name().toString()));
}

bool Reader::readElementText(QString *value)
{
    const bool base64 = xml.attributes().value(QLatin1String("encoding")) == QLatin1String("base64");
    const QString element = xml.name().toString();
    *value = xml.readElementText();
    if (xml.hasError())
        return fail(xml.errorString());
    if (base64) {
        const auto decoded = QByteArray::fromBase64Encoding(value->trimmed().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok)
            return fail(tr("the Base64 text of \"%1\" is broken").arg(element));
        *value = QString::fromUtf8(decoded.decoded);
    }
    return true;
}

// Reads the value element at the reader's position into `node`.
bool Reader::readNode(VNode &node, int depth)
{
    using namespace CnfXmlFormat;
    if (depth > MaxDepth)
        return fail(tr("values are nested too deeply"));
    const QStringRef tag = xml.name();
    if (tag == QLatin1String(MapTag)) {
        node.kind = VObject::Map;
        while (xml.readNextStartElement()) {
            if (!hasKey())
                return fail(tr("an entry of a map needs the attribute \"key\""));
            const QString key = text("key");
            auto child = std::make_shared<VNode>();
            if (!readNode(*child, depth + 1))
                return false;
            node.insertChild(key, child);
        }
        return !xml.hasError() || fail(xml.errorString());
    }
    if (tag == QLatin1String(ListTag) || tag == QLatin1String(StringsTag)) {
        node.kind = VObject::List;
        while (xml.readNextStartElement()) {
            auto child = std::make_shared<VNode>();
            if (!readNode(*child, depth + 1))
                return false;
            node.appendChild(child);
        }
        return !xml.hasError() || fail(xml.errorString());
    }
    if (tag == QLatin1String(NullTag)) {
        node.kind = VObject::Null;
        xml.skipCurrentElement();
        return !xml.hasError() || fail(xml.errorString());
    }
    const QString element = tag.toString();
    const Position at = here();
    QString raw;
    if (!readElementText(&raw))
        return false;
    const QString trimmed = raw.trimmed();
    bool ok = true;
    QVariant value;
    if (element == QLatin1String(TextTag)) {
        value = raw;
    } else if (element == QLatin1String(IntTag)) {
        value = trimmed.toInt(&ok);
    } else if (element == QLatin1String(LongTag)) {
        value = trimmed.toLongLong(&ok);
    } else if (element == QLatin1String(DoubleTag)) {
        double number = 0;
        ok = parseDouble(trimmed, &number);
        value = number;
    } else if (element == QLatin1String(BoolTag)) {
        ok = trimmed == QLatin1String("true") || trimmed == QLatin1String("false");
        value = trimmed == QLatin1String("true");
    } else if (element == QLatin1String(BytesTag)) {
        static const QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
        for (const QChar ch : trimmed)
            ok = ok && hexDigits.contains(ch);
        ok = ok && trimmed.size() % 2 == 0;
        value = QByteArray::fromHex(trimmed.toLatin1());
    } else if (element == QLatin1String(DateTag)) {
        value = QDate::fromString(trimmed, Qt::ISODate);
        ok = value.toDate().isValid() || trimmed.isEmpty();
    } else if (element == QLatin1String(TimeTag)) {
        value = QTime::fromString(trimmed, QStringLiteral("HH:mm:ss.zzz"));
        ok = value.toTime().isValid() || trimmed.isEmpty();
    } else if (element == QLatin1String(DateTimeTag)) {
        value = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
        ok = value.toDateTime().isValid() || trimmed.isEmpty();
    } else {
        return failAt(at, tr("unknown value element \"%1\"").arg(element));
    }
    if (!ok) {
        return failAt(at, tr("\"%1\" is no valid value of \"%2\"")
                              .arg(trimmed.left(40), element));
    }
    node.kind = VObject::Scalar;
    node.value = value;
    return true;
}

bool Reader::readPropertyValue(QVariant *value)
{
    const bool strings = xml.name() == QLatin1String(CnfXmlFormat::StringsTag);
    VNode node;
    if (!readNode(node, 0))
        return false;
    *value = node.toVariant();
    if (strings)
        *value = value->toStringList();
    return true;
}

bool Reader::readProperties(QObject &object)
{
    while (xml.readNextStartElement()) {
        if (!hasKey())
            return fail(tr("a property needs the attribute \"key\""));
        const QByteArray name = text("key").toUtf8();
        QVariant value;
        if (!readPropertyValue(&value))
            return false;
        object.setProperty(name.constData(), value);
    }
    return !xml.hasError() || fail(xml.errorString());
}

bool Reader::readInterstate()
{
    auto interstate = CnfInterstatePtr::create();
    if (!integer("greenBlink", &interstate->greenBlink, false, 0)
        || !integer("yellow", &interstate->yellow, false, 0)
        || !integer("redYellow", &interstate->redYellow, false, 0))
        return false;
    c.setInterstate(interstate);
    xml.skipCurrentElement();
    return true;
}

bool Reader::readPowerDevices()
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("PowerDevice")) {
            if (!unknownElement())
                return false;
            continue;
        }
        auto device = CnfPowerDevicePtr::create();
        if (!integer("id", &device->id, true, 0) || !integer("address", &device->address, false, 0)
            || !integer("type", &device->type, false, 0)
            || !integer("color", &device->color, false, CnfPowerDevice::Red)
            || !integer("lamps", &device->lampsCount, false, 1)
            || !integer("burnout", &device->burnoutControl, false, 0))
            return false;
        device->name = text("name");
        if (!c.addPowerDevice(device))
            return fail(c.lastError());
        xml.skipCurrentElement();
    }
    return !xml.hasError() || fail(xml.errorString());
}

static bool parseNumbers(const QString &text, QList<int> *numbers)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        bool ok = false;
        numbers->append(part.toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

bool Reader::readSignalGroup(const CnfSignalGroupPtr &group)
{
    GroupRefs refs;
    refs.group = group;
    refs.at = here();
    if (!integer("id", &group->id, true, 0) || !integer("type", &group->type, false, 0))
        return false;
    group->name = text("name");
    while (xml.readNextStartElement()) {
        const QStringRef tag = xml.name();
        if (tag == QLatin1String("Device")) {
            int id = 0;
            if (!integer("id", &id, true, 0))
                return false;
            refs.devices.append(id);
            xml.skipCurrentElement();
        } else if (tag == QLatin1String("DetectorAddresses")) {
            QString raw;
            if (!readElementText(&raw))
                return false;
            if (!parseNumbers(raw, &group->detectorAddresses))
                return fail(tr("detector addresses must be whole numbers"));
        } else if (tag == QLatin1String("Interstate")) {
            int variant = 0;
            if (!integer("variant", &variant, true, 0))
                return false;
            QString raw;
            if (!readElementText(&raw))
                return false;
            QList<int> bytes;
            if (!parseNumbers(raw, &bytes) || bytes.size() != CnfSignalGroup::InterstateSize)
                return fail(tr("an interstate record needs six numbers"));
            QByteArray record;
            for (int value : qAsConst(bytes)) {
                if (value < 0 || value > 255)
                    return fail(tr("interstate values lie between 0 and 255"));
                record.append(char(value));
            }
            group->setInterstate(variant, record);
        } else if (tag == QLatin1String("Properties")) {
            if (!readProperties(*group))
                return false;
        } else if (!unknownElement()) {
            return false;
        }
    }
    if (xml.hasError())
        return fail(xml.errorString());
    groupRefs.append(refs);
    return true;
}

bool Reader::readDetectors(bool sensors)
{
    const QLatin1String element(sensors ? "Sensor" : "Detector");
    while (xml.readNextStartElement()) {
        if (xml.name() != element) {
            if (!unknownElement())
                return false;
            continue;
        }
        auto detector = CnfDetectorPtr::create();
        int id = 0;
        if (!integer("id", &id, true, 0))
            return false;
        detector->setId(id);
        detector->setName(text("name"));
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("Properties")) {
                if (!readProperties(*detector))
                    return false;
            } else if (!unknownElement()) {
                return false;
            }
        }
        if (xml.hasError())
            return fail(xml.errorString());
        if (!(sensors ? c.addSensor(detector) : c.addDetector(detector)))
            return fail(c.lastError());
    }
    return !xml.hasError() || fail(xml.errorString());
}

bool Reader::readPhases()
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Phase")) {
            if (!unknownElement())
                return false;
            continue;
        }
        PhaseRefs refs;
        refs.at = here();
        refs.phase = CnfPhasePtr::create();
        CnfPhase &phase = *refs.phase;
        phase.id = text("id");
        phase.name = text("name");
        if (!integer("min", &phase.minTime, false, -1) || !integer("max", &phase.maxTime, false, -1))
            return false;
        if (!c.addPhase(refs.phase))
            return fail(c.lastError());
        while (xml.readNextStartElement()) {
            const QStringRef tag = xml.name();
            if (tag == QLatin1String("Group")) {
                int id = 0;
                if (!integer("id", &id, true, 0))
                    return false;
                refs.groups.append(id);
                xml.skipCurrentElement();
            } else if (tag == QLatin1String("Transition")) {
                auto transition = CnfTransitionPtr::create();
                const QString from = text("from");
                if (!integer("length", &transition->length, false, 0))
                    return false;
                while (xml.readNextStartElement()) {
                    const bool end = xml.name() == QLatin1String("End");
                    if (!end && xml.name() != QLatin1String("Start")) {
                        if (!unknownElement())
                            return false;
                        continue;
                    }
                    int sg = 0;
                    int at = 0;
                    if (!integer("sg", &sg, true, 0) || !integer("at", &at, true, 0))
                        return false;
                    (end ? transition->greenEnd : transition->greenStart).insert(sg, at);
                    xml.skipCurrentElement();
                }
                if (xml.hasError())
                    return fail(xml.errorString());
                phase.transitions.insert(from, transition);
            } else if (!unknownElement()) {
                return false;
            }
        }
        if (xml.hasError())
            return fail(xml.errorString());
        phaseRefs.append(refs);
    }
    return !xml.hasError() || fail(xml.errorString());
}

bool Reader::readMatrices()
{
    matricesAt = here();
    if (!integer("default", &defaultMatrix, false, -1) || !integer("safety", &safetyMatrix, false, -1))
        return false;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Matrix")) {
            if (!unknownElement())
                return false;
            continue;
        }
        int id = 0;
        if (!integer("id", &id, true, 0))
            return false;
        if (c.findMatrix(id))
            return fail(tr("matrix %1 is listed twice").arg(id));
        const CnfMatrixPtr matrix = readMatrix();
        if (!matrix)
            return false;
        c.addMatrix(matrix, false, false);
    }
    return !xml.hasError() || fail(xml.errorString());
}

CnfMatrixPtr Reader::readMatrix()
{
    auto matrix = CnfMatrixPtr::create();
    int id = 0;
    if (!integer("id", &id, true, 0))
        return {};
    matrix->setId(id);
    matrix->setName(text("name"));
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Cell")) {
            if (!unknownElement())
                return {};
            continue;
        }
        int a = 0;
        int b = 0;
        if (!integer("a", &a, true, 0) || !integer("b", &b, true, 0))
            return {};
        double value = 0;
        if (!CnfXmlFormat::parseDouble(xml.attributes().value(QLatin1String("value")).toString(),
                                       &value)) {
            fail(tr("a matrix cell needs a finite number as its value"));
            return {};
        }
        matrix->setReleaf(a, b, value);
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        fail(xml.errorString());
        return {};
    }
    return matrix;
}

bool Reader::readProgram(ProgramRefs &refs)
{
    refs.at = here();
    refs.program = CnfProgramPtr::create(&c);
    CnfProgram &program = *refs.program;
    program.id = text("id");
    program.name = text("name");
    const QString typeText = xml.attributes().value(QLatin1String("type")).toString();
    program.type = typeText.isEmpty() ? int(CnfProgram::FixedTime) : CnfProgram::typeFromKey(typeText);
    if (program.type < 0)
        return fail(tr("unknown program type \"%1\"").arg(typeText.left(40)));
    int offset = -1;
    if (!integer("kind", &program.kind, false, 0) || !integer("cycle", &program.cycleLength, false, 0)
        || !integer("offset", &offset, false, -1)
        || !integer("variant", &program.interstateVariant, false, 1)
        || !integer("matrix", &refs.matrix, false, -1)
        || !boolean("defaultMatrix", &program.defaultMatrix, false))
        return false;
    refs.hasMatrix = xml.attributes().hasAttribute(QLatin1String("matrix"));
    program.setCycleOffset(offset);
    while (xml.readNextStartElement()) {
        const QStringRef tag = xml.name();
        if (tag == QLatin1String("Phase")) {
            StepRef step;
            int main = 0;
            int start = 0;
            if (!integer("length", &step.fullLength, false, 0) || !integer("main", &main, false, 0)
                || !integer("start", &start, false, 0))
                return false;
            step.hasMain = xml.attributes().hasAttribute(QLatin1String("main"));
            QString phaseId = text("phase");
            step.step = program.appendPhase(CnfPhasePtr(), main);
            step.step->setStart(start);
            // The phase id is an attribute, or the element's text in the
            // older exchange form.
            QString content;
            while (!xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::Characters) {
                    content += xml.text();
                } else if (token == QXmlStreamReader::StartElement) {
                    if (xml.name() == QLatin1String("Properties")) {
                        if (!readProperties(*step.step))
                            return false;
                    } else if (!unknownElement()) {
                        return false;
                    }
                } else if (token == QXmlStreamReader::EndElement) {
                    break;
                }
            }
            if (xml.hasError())
                return fail(xml.errorString());
            if (phaseId.isEmpty())
                phaseId = content.trimmed();
            step.step->setId(phaseId);
            refs.steps.append(step);
        } else if (tag == QLatin1String("Data")) {
            QString raw;
            if (!readElementText(&raw))
                return false;
            raw = raw.trimmed();
            static const QString hexDigits = QStringLiteral("0123456789abcdefABCDEF");
            for (const QChar ch : qAsConst(raw)) {
                if (!hexDigits.contains(ch))
                    return fail(tr("program data must be hexadecimal digits"));
            }
            if (raw.size() % 2 != 0)
                return fail(tr("program data must be whole bytes"));
            program.setData(QByteArray::fromHex(raw.toLatin1()));
        } else if (tag == QLatin1String("Timeline")) {
            int sg = 0;
            if (!integer("sg", &sg, true, 0))
                return false;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("Step")) {
                    if (!unknownElement())
                        return false;
                    continue;
                }
                int start = 0;
                if (!integer("start", &start, true, 0))
                    return false;
                const QString stateText = xml.attributes().value(QLatin1String("state")).toString();
                int state = CnfSignalGroup::string2ColorState(stateText);
                if (state < 0) {
                    bool ok = false;
                    state = stateText.toInt(&ok);
                    if (!ok)
                        return fail(tr("unknown colour state \"%1\"").arg(stateText.left(40)));
                }
                program.setTimelineData(sg, start, state);
                xml.skipCurrentElement();
            }
            if (xml.hasError())
                return fail(xml.errorString());
        } else if (tag == QLatin1String("Matrix")) {
            program.matrix = readMatrix();
            if (!program.matrix)
                return false;
        } else if (tag == QLatin1String("Properties")) {
            if (!readProperties(program))
                return false;
        } else if (!unknownElement()) {
            return false;
        }
    }
    return !xml.hasError() || fail(xml.errorString());
}

static bool parseTime(const QString &text, QTime *time)
{
    *time = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (!time->isValid())
        *time = QTime::fromString(text, QStringLiteral("HH:mm"));
    return time->isValid();
}

bool Reader::readCalendar()
{
    calendarAt = here();
    defaultProgram = text("defaultProgram");
    reserveProgram = text("reserveProgram");
    defaultDayCard = text("defaultDayCard");
    while (xml.readNextStartElement()) {
        const QStringRef tag = xml.name();
        if (tag == QLatin1String("DayCard")) {
            auto card = CnfDayCardPtr::create();
            card->id = text("id");
            card->name = text("name");
            if (!c.addDayCard(card))
                return fail(c.lastError());
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("Record")) {
                    if (!unknownElement())
                        return false;
                    continue;
                }
                CardRef ref;
                ref.at = here();
                ref.card = card;
                QTime end;
                const QString endText = text("end");
                if (!parseTime(text("start"), &ref.start))
                    return fail(tr("a day card record needs a start time"));
                if (!endText.isEmpty() && !parseTime(endText, &end))
                    return fail(tr("\"%1\" is no time").arg(endText.left(40)));
                ref.program = text("program");
                ref.reserve = text("reserve");
                card->addRecord(ref.start, end, CnfProgramPtr(), CnfProgramPtr());
                cardRefs.append(ref);
                xml.skipCurrentElement();
            }
            if (xml.hasError())
                return fail(xml.errorString());
        } else if (tag == QLatin1String("WeekCard")) {
            auto card = CnfWeekCardPtr::create();
            card->id = text("id");
            card->name = text("name");
            if (!c.addWeekCard(card))
                return fail(c.lastError());
            QMap<int, QString> days;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("Day")) {
                    if (!unknownElement())
                        return false;
                    continue;
                }
                int day = 0;
                if (!integer("day", &day, true, 0))
                    return false;
                if (day < Qt::Monday || day > Qt::Sunday)
                    return fail(tr("days of the week are numbered 1 to 7"));
                days.insert(day, text("card"));
                xml.skipCurrentElement();
            }
            if (xml.hasError())
                return fail(xml.errorString());
            weekRefs.append(qMakePair(card, days));
        } else if (tag == QLatin1String("SeasonPlan")) {
            auto plan = CnfSeasonPlanPtr::create();
            plan->from = QDate::fromString(text("from"), Qt::ISODate);
            plan->to = QDate::fromString(text("to"), Qt::ISODate);
            plan->name = text("name");
            c.addSeasonPlan(plan);
            seasonRefs.append(qMakePair(plan, text("weekCard")));
            xml.skipCurrentElement();
        } else if (tag == QLatin1String("SpecialDay")) {
            const QDate date = QDate::fromString(text("date"), Qt::ISODate);
            if (!date.isValid())
                return fail(tr("a special day needs a date"));
            auto day = CnfSpecialDayPtr::create();
            day->id = text("id");
            day->name = text("name");
            c.addSpecialDay(date, day);
            specialRefs.append(qMakePair(day, text("card")));
            xml.skipCurrentElement();
        } else if (!unknownElement()) {
            return false;
        }
    }
    return !xml.hasError() || fail(xml.errorString());
}

bool Reader::readNative()
{
    const auto root = c.nativeData().node();
    while (xml.readNextStartElement()) {
        if (!hasKey())
            return fail(tr("a native value needs the attribute \"key\""));
        const QString key = text("key");
        auto child = std::make_shared<VNode>();
        if (!readNode(*child, 1))
            return false;
        root->insertChild(key, child);
    }
    return !xml.hasError() || fail(xml.errorString());
}

bool Reader::readController()
{
    if (!xml.readNextStartElement())
        return fail(xml.hasError() ? xml.errorString() : tr("no \"Controller\" element"));
    if (xml.name() != QLatin1String("Controller"))
        return fail(tr("the root element is \"%1\", not \"Controller\"").arg(xml.name().toString()));
    int format = CnfXmlFormat::Version;
    if (!integer("format", &format, false, CnfXmlFormat::Version))
        return false;
    if (format > CnfXmlFormat::Version)
        return fail(tr("the configuration was written in format %1, newer than this program's %2")
                        .arg(format)
                        .arg(CnfXmlFormat::Version));
    // The family is known from the attributes on, as element limits depend on it.
    QList<QPair<const char *, QString>> family;
    for (const char *name : {"type", "version"}) {
        if (xml.attributes().hasAttribute(QLatin1String(name))
            || xml.attributes().hasAttribute(QLatin1String(name) + QLatin1String("64"))) {
            family.append({name, text(name)});
            c.setProperty(name, family.last().second);
        }
    }
    while (xml.readNextStartElement()) {
        const QStringRef tag = xml.name();
        bool ok = true;
        if (tag == QLatin1String("Properties")) {
            // The properties keep the order they are listed in, whatever the
            // attributes set first; an attribute they do not repeat comes after them.
            for (const auto &attribute : qAsConst(family))
                c.setProperty(attribute.first, QVariant());
            ok = readProperties(c);
            for (const auto &attribute : qAsConst(family)) {
                if (!c.property(attribute.first).isValid())
                    c.setProperty(attribute.first, attribute.second);
            }
        } else if (tag == QLatin1String("Interstate")) {
            ok = readInterstate();
        } else if (tag == QLatin1String("PowerDevices")) {
            ok = readPowerDevices();
        } else if (tag == QLatin1String("SignalGroups")) {
            while (ok && xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("SignalGroup")) {
                    ok = unknownElement();
                    continue;
                }
                auto group = CnfSignalGroupPtr::create();
                ok = readSignalGroup(group);
                if (ok && !c.addSignalGroup(group))
                    ok = fail(c.lastError());
            }
        } else if (tag == QLatin1String("DefaultSignalGroup")) {
            auto group = CnfSignalGroupPtr::create();
            ok = readSignalGroup(group);
            if (ok)
                c.setDefaulSignalGroup(group);
        } else if (tag == QLatin1String("Detectors")) {
            ok = readDetectors(false);
        } else if (tag == QLatin1String("Sensors")) {
            ok = readDetectors(true);
        } else if (tag == QLatin1String("Phases")) {
            ok = readPhases();
        } else if (tag == QLatin1String("Matrices")) {
            ok = readMatrices();
        } else if (tag == QLatin1String("Programs")) {
            while (ok && xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("Program")) {
                    ok = unknownElement();
                    continue;
                }
                ProgramRefs refs;
                ok = readProgram(refs);
                if (ok && !c.addProgram(refs.program))
                    ok = failAt(refs.at, c.lastError());
                if (ok)
                    programRefs.append(refs);
            }
        } else if (tag == QLatin1String("Calendar")) {
            ok = readCalendar();
        } else if (tag == QLatin1String("Native")) {
            ok = readNative();
        } else {
            ok = unknownElement();
        }
        if (!ok || xml.hasError())
            return fail(xml.errorString());
    }
    if (xml.hasError())
        return fail(xml.errorString());
    // Nothing but comments and white space may follow the element.
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement())
            return fail(tr("content after the \"Controller\" element"));
    }
    if (xml.hasError())
        return fail(xml.errorString());
    return resolve();
}

bool Reader::resolveProgram(ProgramRefs &refs)
{
    CnfProgram &program = *refs.program;
    if (refs.hasMatrix && refs.matrix >= 0) {
        program.matrix = c.findMatrix(refs.matrix);
        if (!program.matrix)
            return failAt(refs.at, tr("program %1 uses the missing matrix %2")
                                       .arg(program.id)
                                       .arg(refs.matrix));
    }
    for (const StepRef &step : qAsConst(refs.steps)) {
        const CnfPhasePtr phase = c.findPhase(step.step->id());
        if (phase)
            step.step->setPhase(phase);
    }
    // Steps given by their full length only (the older exchange form) get
    // their own length once every phase is known.
    for (const StepRef &step : qAsConst(refs.steps)) {
        if (!step.hasMain)
            step.step->setFullLength(step.fullLength);
    }
    return true;
}

bool Reader::resolve()
{
    for (const GroupRefs &refs : qAsConst(groupRefs)) {
        for (int id : refs.devices) {
            const CnfPowerDevicePtr device = c.findPowerDevice(id);
            if (!device)
                return failAt(refs.at, tr("signal group %1 drives the missing power device %2")
                                           .arg(refs.group->id)
                                           .arg(id));
            refs.group->assignDevice(device);
        }
    }
    for (const PhaseRefs &refs : qAsConst(phaseRefs)) {
        for (int id : refs.groups) {
            const CnfSignalGroupPtr group = c.findSG(id);
            if (!group)
                return failAt(refs.at, tr("phase %1 runs the missing signal group %2")
                                           .arg(refs.phase->id)
                                           .arg(id));
            if (!refs.phase->signalGroups.contains(group))
                refs.phase->signalGroups.append(group);
        }
    }
    const auto findListed = [&](int id, CnfMatrixPtr *matrix) {
        *matrix = id >= 0 ? c.findMatrix(id) : CnfMatrixPtr();
        return id < 0 || *matrix;
    };
    CnfMatrixPtr matrix;
    if (!findListed(defaultMatrix, &matrix))
        return failAt(matricesAt, tr("the default matrix %1 is not listed").arg(defaultMatrix));
    c.setDefaultMatrix(matrix);
    if (!findListed(safetyMatrix, &matrix))
        return failAt(matricesAt, tr("the safety matrix %1 is not listed").arg(safetyMatrix));
    c.setSafetyMatrix(matrix);
    // Matrix cells point at the controller's groups where they exist.
    const QList<CnfMatrixPtr> matrices = c.matrixList();
    for (const CnfMatrixPtr &m : matrices) {
        const QList<CnfMatrixCell> cells = m->content();
        for (const CnfMatrixCell &cell : cells) {
            const CnfSignalGroupPtr a = c.findSG(cell.aId);
            const CnfSignalGroupPtr b = c.findSG(cell.bId);
            if (a && b)
                m->setReleaf(a, b, cell.value);
        }
    }
    for (ProgramRefs &refs : programRefs) {
        if (!resolveProgram(refs))
            return false;
    }
    const auto findProgram = [&](const QString &id, CnfProgramPtr *program) {
        *program = c.findProgram(id);
        return id.isEmpty() || *program;
    };
    for (const CardRef &ref : qAsConst(cardRefs)) {
        CnfDayCardRecord &record = ref.card->records[ref.start];
        if (!findProgram(ref.program, &record.program) || !findProgram(ref.reserve, &record.reserve))
            return failAt(ref.at, tr("day card %1 uses a missing program").arg(ref.card->id));
    }
    for (const auto &ref : qAsConst(weekRefs)) {
        for (auto it = ref.second.constBegin(); it != ref.second.constEnd(); ++it) {
            const CnfDayCardPtr card = c.findDayCard(it.value());
            if (!card && !it.value().isEmpty())
                return failAt(calendarAt, tr("week card %1 uses the missing day card %2")
                                              .arg(ref.first->id, it.value()));
            ref.first->days.insert(it.key(), card);
        }
    }
    for (const auto &ref : qAsConst(seasonRefs)) {
        ref.first->weekCard = c.findWeekCard(ref.second);
        if (!ref.first->weekCard && !ref.second.isEmpty())
            return failAt(calendarAt, tr("a season uses the missing week card %1").arg(ref.second));
    }
    for (const auto &ref : qAsConst(specialRefs)) {
        ref.first->dayCard = c.findDayCard(ref.second);
        if (!ref.first->dayCard && !ref.second.isEmpty())
            return failAt(calendarAt, tr("special day %1 uses the missing day card %2")
                                          .arg(ref.first->id, ref.second));
    }
    CnfProgramPtr program;
    if (!findProgram(defaultProgram, &program))
        return failAt(calendarAt, tr("the default program %1 is missing").arg(defaultProgram));
    c.setDefaultProgram(program);
    if (!findProgram(reserveProgram, &program))
        return failAt(calendarAt, tr("the reserve program %1 is missing").arg(reserveProgram));
    c.setReserveProgram(program);
    const CnfDayCardPtr card = c.findDayCard(defaultDayCard);
    if (!card && !defaultDayCard.isEmpty())
        return failAt(calendarAt, tr("the default day card %1 is missing").arg(defaultDayCard));
    c.setDefaultDayCard(card);
    return true;
}

CnfProgramPtr Reader::readDynamicProgram()
{
    if (!xml.readNextStartElement()) {
        fail(xml.hasError() ? xml.errorString() : tr("no program in the data"));
        return {};
    }
    if (xml.name() != QLatin1String("Controller")) {
        fail(tr("the root element is \"%1\", not \"Controller\"").arg(xml.name().toString()));
        return {};
    }
    ProgramRefs refs;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Program") && !refs.program) {
            if (!readProgram(refs))
                return {};
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        fail(xml.errorString());
        return {};
    }
    if (!refs.program) {
        fail(tr("no program in the data"));
        return {};
    }
    if (!resolveProgram(refs))
        return {};
    return refs.program;
}

} // namespace

CnfXmlReader::CnfXmlReader() = default;
CnfXmlReader::~CnfXmlReader() = default;

bool CnfXmlReader::read(const QByteArray &bytes, bool strict, CnfController &controller)
{
    controller.clear();
    controller.setLastError(QString());
    Reader reader(bytes, strict, controller);
    const bool ok = reader.readController();
    m_error = ok ? QString() : reader.errorString();
    return ok;
}

CnfProgramPtr CnfXmlReader::readDynamicProgram(const QByteArray &bytes, CnfController &controller)
{
    Reader reader(bytes, true, controller);
    const CnfProgramPtr program = reader.readDynamicProgram();
    m_error = program ? QString() : reader.errorString();
    return program;
}
