#include "cnfxmlreaderprivate.h"

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
#include "cnfweekcard.h"
#include "cnfxmlformat.h"
#include "utf8/utf8.h"
#include "vnode.h"

#include <QDate>
#include <QTime>
#include <QXmlStreamReader>

bool CnfXmlReaderPrivate::readInterstate()
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

bool CnfXmlReaderPrivate::readPowerDevices()
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

bool CnfXmlReaderPrivate::readSignalGroup(const CnfSignalGroupPtr &group)
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

bool CnfXmlReaderPrivate::readDetectors(bool sensors)
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

bool CnfXmlReaderPrivate::readPhases()
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
        if (!integer("min", &phase.minTime, false, -1)
            || !integer("max", &phase.maxTime, false, -1))
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

bool CnfXmlReaderPrivate::readMatrices()
{
    matricesAt = here();
    if (!integer("default", &defaultMatrix, false, -1)
        || !integer("safety", &safetyMatrix, false, -1))
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

CnfMatrixPtr CnfXmlReaderPrivate::readMatrix()
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
        matrix->appendReleaf(a, b, value);
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        fail(xml.errorString());
        return {};
    }
    return matrix;
}

bool CnfXmlReaderPrivate::readProgram(ProgramRefs &refs)
{
    refs.at = here();
    refs.program = CnfProgramPtr::create(&c);
    CnfProgram &program = *refs.program;
    program.id = text("id");
    program.name = text("name");
    const QString typeText = xml.attributes().value(QLatin1String("type")).toString();
    program.type
        = typeText.isEmpty() ? int(CnfProgram::FixedTime) : CnfProgram::typeFromKey(typeText);
    if (program.type < 0)
        return fail(tr("unknown program type \"%1\"").arg(Utf8::quoted(typeText)));
    int offset = -1;
    // The older exchange form names no kind: its type says which one it runs.
    if (!integer("kind", &program.kind, false, CnfProgram::defaultKind(program.type))
        || !integer("cycle", &program.cycleLength, false, 0)
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
            step.step->setFileStart(start);
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
                        return fail(tr("unknown colour state \"%1\"").arg(Utf8::quoted(stateText)));
                }
                program.appendTimelineData(sg, start, state);
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

bool CnfXmlReaderPrivate::readCalendar()
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
                    return fail(tr("\"%1\" is no time").arg(Utf8::quoted(endText)));
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

bool CnfXmlReaderPrivate::readNative()
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

bool CnfXmlReaderPrivate::readController()
{
    if (!xml.readNextStartElement())
        return fail(xml.hasError() ? xml.errorString() : tr("no \"Controller\" element"));
    if (xml.name() != QLatin1String("Controller"))
        return fail(tr("the root element is \"%1\", not \"Controller\"")
                        .arg(Utf8::quoted(xml.name().toString())));
    int format = CnfXmlFormat::Version;
    if (!integer("format", &format, false, CnfXmlFormat::Version))
        return false;
    if (format > CnfXmlFormat::Version)
        return fail(tr("the configuration was written in format %1, newer than this program's %2")
                        .arg(format)
                        .arg(CnfXmlFormat::Version));
    // The family is known from the attributes on, as element limits depend on it.
    QList<QPair<const char *, QString>> family;
    for (const char *name : { "type", "version" }) {
        if (xml.attributes().hasAttribute(QLatin1String(name))
            || xml.attributes().hasAttribute(QLatin1String(name) + QLatin1String("64"))) {
            family.append({ name, text(name) });
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
