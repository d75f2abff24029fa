#include "namefollowing.h"

#include "mainwindowtexts.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/vobject.h"
#include "utf8/utf8.h"

#include <algorithm>

using Kind = CnfReferences::Kind;
using Note = CnfReferences::Note;

NameFollowing::NameFollowing(const CnfController &controller, const CnfReferences::Element &element,
                             const QString &newName)
    : element(element)
    , newName(newName)
{
    if (element.name.isEmpty() || newName == element.name)
        return;
    named = CnfReferences::namedPlaces(controller, element);
    if (named.isEmpty())
        return;
    oldNameHolder = otherWithName(controller, element.kind, element.id, element.name);
    newNameHolder = otherWithName(controller, element.kind, element.id, newName);
    const bool textIsId
        = std::any_of(named.cbegin(), named.cend(),
                      [](const CnfReferences::Place &place) { return place.textIsId; });
    if (textIsId) {
        oldIdHolder = otherWithId(controller, element.kind, element.id, element.name);
        newIdHolder = otherWithId(controller, element.kind, element.id, newName);
    }
}

QString NameFollowing::question() const
{
    if (named.isEmpty()
        || (oldNameHolder.isEmpty() && newNameHolder.isEmpty() && oldIdHolder.isEmpty()
            && newIdHolder.isEmpty()))
        return QString();
    // Names as the user typed them may hold what shows nothing (a tab, a bell).
    const QString oldShown = Utf8::quoted(element.name);
    const QString newShown = Utf8::quoted(newName);
    QStringList places;
    QStringList namingNothing;
    for (const CnfReferences::Place &place : named) {
        places << placeText(place);
        if (!stillNamesAfterNo(place))
            namingNothing << placeText(place);
    }
    QString text = MainWindowTexts::tr("These places name %1 by its name \"%2\":\n%3")
                       .arg(elementText(element), oldShown, places.join(QLatin1Char('\n')));
    if (!oldNameHolder.isEmpty())
        text += MainWindowTexts::tr("\n%1 has the name \"%2\" too: they name it as well.")
                    .arg(oldNameHolder, oldShown);
    if (!newNameHolder.isEmpty())
        text += MainWindowTexts::tr("\n%1 has the name \"%2\": with it they would name both.")
                    .arg(newNameHolder, newShown);
    // A channel reads a text as an id too.
    if (!oldIdHolder.isEmpty())
        text += MainWindowTexts::tr("\n%1 has the id \"%2\": they name it as well.")
                    .arg(oldIdHolder, oldShown);
    if (!newIdHolder.isEmpty())
        text += MainWindowTexts::tr("\n%1 has the id \"%2\": with it they would name both.")
                    .arg(newIdHolder, newShown);
    text += MainWindowTexts::tr("\nShould they follow %1 to its new name \"%2\"?")
                .arg(elementText(element), newShown);
    // What No leaves: the old name, which may then name nothing at all.
    if (namingNothing.size() == places.size())
        text += MainWindowTexts::tr("\nNo: they keep \"%1\", which then names no element.")
                    .arg(oldShown);
    else if (!namingNothing.isEmpty())
        text += MainWindowTexts::tr("\nNo: they keep \"%1\", and these then name no element:\n%2")
                    .arg(oldShown, namingNothing.join(QLatin1Char('\n')));
    return text;
}

bool NameFollowing::stillNamesAfterNo(const CnfReferences::Place &place) const
{
    if (!oldNameHolder.isEmpty())
        return true;
    // A text that is an id names that element, the renamed one included.
    return place.textIsId && (!oldIdHolder.isEmpty() || element.name == element.id);
}

QStringList NameFollowing::follow(CnfController &controller) const
{
    QStringList lines;
    if (named.isEmpty())
        return lines;
    for (const CnfReferences::Place &place : CnfReferences::takeName(controller, element, newName))
        lines << line(place);
    return lines;
}

QString NameFollowing::line(const CnfReferences::Place &place) const
{
    return MainWindowTexts::tr("%1 follows %2 to its new name \"%3\" (it was \"%4\")")
        .arg(placeText(place), elementText(element), Utf8::quoted(newName),
             Utf8::quoted(element.name));
}

QString NameFollowing::elementText(const CnfReferences::Element &element)
{
    switch (element.kind) {
    case Kind::Phase:
        return MainWindowTexts::tr("phase %1").arg(element.id);
    case Kind::Program:
        return MainWindowTexts::tr("program %1").arg(element.id);
    case Kind::SignalGroup:
        return MainWindowTexts::tr("signal group %1").arg(element.id);
    case Kind::Detector:
        return MainWindowTexts::tr("detector %1").arg(element.id);
    case Kind::Sensor:
        return MainWindowTexts::tr("sensor %1").arg(element.id);
    case Kind::Output:
        return MainWindowTexts::tr("output %1").arg(element.id);
    }
    return element.id;
}

QString NameFollowing::otherWithName(const CnfController &controller, Kind kind, const QString &id,
                                     const QString &name)
{
    if (name.isEmpty())
        return QString();
    QString other;
    const auto check = [&](const QString &otherId, const QString &otherName) {
        if (other.isEmpty() && otherId != id && otherName == name)
            other = elementText({ kind, otherId, otherName });
    };
    switch (kind) {
    case Kind::Phase:
        for (const CnfPhasePtr &phase : controller.phases())
            check(phase->id, phase->name);
        break;
    case Kind::Program:
        for (const CnfProgramPtr &program : controller.programs())
            check(program->id, program->name);
        break;
    case Kind::SignalGroup:
        for (const CnfSignalGroupPtr &group : controller.signalGroups())
            check(QString::number(group->id), group->name);
        break;
    case Kind::Detector:
    case Kind::Sensor:
        for (const CnfDetectorPtr &detector :
             kind == Kind::Sensor ? controller.sensorsList() : controller.detectorsList())
            check(QString::number(detector->id()), detector->name());
        break;
    case Kind::Output: {
        // Outputs may share an id: another entry of the id counts as another output.
        const VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
        bool self = false;
        for (int i = 0; i < outputs.size(); ++i) {
            const QString otherId = outputs[i][QStringLiteral("id")].toString();
            const QString otherName = outputs[i][QStringLiteral("name")].toString();
            if (otherId == id && otherName == name && !self) {
                self = true;
                continue;
            }
            if (other.isEmpty() && otherName == name)
                other = elementText({ kind, otherId, otherName });
        }
        break;
    }
    }
    if (!other.isEmpty())
        other[0] = other.at(0).toUpper();
    return other;
}

QString NameFollowing::otherWithId(const CnfController &controller, Kind kind, const QString &id,
                                   const QString &text)
{
    if (text.isEmpty() || text == id)
        return QString();
    bool found = false;
    switch (kind) {
    case Kind::Phase:
        found = controller.findPhase(text) != nullptr;
        break;
    case Kind::Program:
        found = controller.findProgram(text) != nullptr;
        break;
    case Kind::SignalGroup:
    case Kind::Detector:
    case Kind::Sensor: {
        // Only the whole number the id is written as.
        bool ok = false;
        const int number = text.toInt(&ok);
        if (!ok || QString::number(number) != text)
            return QString();
        found = kind == Kind::SignalGroup ? controller.findSG(number) != nullptr
            : kind == Kind::Sensor        ? controller.findSensor(number) != nullptr
                                          : controller.findDetector(number) != nullptr;
        break;
    }
    case Kind::Output: {
        const VObject outputs = controller.nativeData()[QStringLiteral("outputs")];
        for (int i = 0; i < outputs.size() && !found; ++i)
            found = outputs[i][QStringLiteral("id")].toString() == text;
        break;
    }
    }
    if (!found)
        return QString();
    QString other = elementText({ kind, text, QString() });
    other[0] = other.at(0).toUpper();
    return other;
}

QStringList NameFollowing::keptOnDelete(const CnfController &controller,
                                        const CnfReferences::Element &element)
{
    QStringList lines;
    for (const CnfReferences::Place &place : CnfReferences::places(controller, element)) {
        if (!place.alsoNames.isEmpty())
            lines << MainWindowTexts::tr("%1 stays: it names %2 as well")
                         .arg(placeText(place), elementText({ element.kind, place.alsoNames, {} }));
    }
    return lines;
}

QString NameFollowing::placeText(const CnfReferences::Place &place)
{
    switch (place.note) {
    case Note::Channel:
        return MainWindowTexts::tr("Channel %1 of %2").arg(place.part, place.owner);
    case Note::LinkedSensor:
        return MainWindowTexts::tr("Sensor %1").arg(place.owner);
    case Note::ProgramParameter:
        return MainWindowTexts::tr("Program %1").arg(place.owner);
    case Note::Indication:
        return MainWindowTexts::tr("Indication row %1").arg(place.owner);
    case Note::RemoteControl:
        return MainWindowTexts::tr("The remote control panel");
    case Note::Countdown:
        return MainWindowTexts::tr("Countdown board %1").arg(place.part);
    default:
        return MainWindowTexts::tr("A place");
    }
}
