// CnfReferences: the places that name a program.

#include "cnfcontroller.h"
#include "cnfdaycard.h"
#include "cnfprogram.h"
#include "cnfprogramrecord.h"
#include "cnfreferencefinders.h"

#include <QDomDocument>

using namespace CnfReferenceFinders;

// TIVERK 3.x "vpu_programs" and the ZU_MOLT panel record's "programId" (a
// number, as the panel dialog writes it).
QList<Place> CnfReferenceFinders::programPanelLists(const CnfController &controller,
                                                    const Element &program)
{
    return listEntries(controller, controller.nativeData()[QStringLiteral("vpu_programs")],
                       program.id, Note::RemoteControl)
        + listEntries(controller, zuMoltPanel(controller)[QStringLiteral("programId")], program.id,
                      Note::RemoteControl);
}

// A day card record runs the program itself, as its program or its reserve:
// it follows a new id and keeps the program's id on Delete (the question
// names the card), so that the saved file still names it.
QList<Place> CnfReferenceFinders::programDayCards(const CnfController &controller,
                                                  const Element &program)
{
    QList<Place> found;
    for (const CnfDayCardPtr &card : controller.dayCards()) {
        for (const CnfDayCardRecord &record : card->records) {
            const CnfProgramPtr named = record.program && record.program->id == program.id
                ? record.program
                : record.reserve && record.reserve->id == program.id ? record.reserve
                                                                     : CnfProgramPtr();
            if (named) {
                Place place;
                place.note = Note::DayCard;
                place.owner = card->id;
                place.clear = [card, named](CnfController &) {
                    card->releaseProgram(named);
                };
                found << place;
            }
        }
    }
    return found;
}

// The calendar's default and reserve program hold the program itself and
// become not set when it goes.
QList<Place> CnfReferenceFinders::programCalendar(const CnfController &controller,
                                                  const Element &program)
{
    QList<Place> found;
    const CnfProgramPtr defaultProgram = controller.defaultProgram();
    if (defaultProgram && defaultProgram->id == program.id) {
        Place place;
        place.note = Note::DefaultProgram;
        place.clear = [](CnfController &owner) {
            owner.setDefaultProgram({});
        };
        found << place;
    }
    const CnfProgramPtr reserveProgram = controller.reserveProgram();
    if (reserveProgram && reserveProgram->id == program.id) {
        Place place;
        place.note = Note::ReserveProgram;
        place.clear = [](CnfController &owner) {
            owner.setReserveProgram({});
        };
        found << place;
    }
    return found;
}

// A record's queue or return program counts programs by place: the
// controller counts it anew when its list changes (not set when the program
// goes), so a new id leaves it as it is.
QList<Place> CnfReferenceFinders::programRecordSwitches(const CnfController &controller,
                                                        const Element &program)
{
    QList<Place> found;
    if (!isFirstLine(controller))
        return found;
    int index = -1;
    const QList<CnfProgramPtr> programs = controller.programs();
    for (int i = 0; i < programs.size(); ++i) {
        if (programs.at(i) && programs.at(i)->id == program.id)
            index = i;
    }
    if (index < 0)
        return found;
    const QDomDocument layout = controller.tiverkLayout();
    const QString listId = QString::fromLatin1(CnfProgramRecord::ProgramIndexList);
    for (const CnfProgramPtr &other : programs) {
        if (!other || !CnfProgramRecord::listValues(layout, other->data(), listId).contains(index))
            continue;
        Place place;
        place.note = Note::ProgramSwitch;
        place.owner = other->id;
        found << place;
    }
    return found;
}

// A record's byte 0 is the program's own number: it follows a new id (the
// program dialog writes the same), and goes with the program. While it holds
// the id, a new id must be a number a byte holds (255 is "not set").
QList<Place> CnfReferenceFinders::programOwnNumber(const CnfController &controller,
                                                   const Element &program)
{
    const CnfProgramPtr element = controller.findProgram(program.id);
    if (!element || CnfProgramRecord::numbered(controller, *element, program.id) != element->data())
        return {}; // byte 0 holds another number: it is left as it is
    Place place;
    if (CnfProgramRecord::holdsNumber(controller, *element)
        && namesId(int(quint8(element->data().at(0))), program.id)) {
        place.lowest = CnfProgramRecord::LowestNumber;
        place.highest = CnfProgramRecord::HighestNumber;
        place.accepts = &CnfProgramRecord::holdsAsNumber;
    }
    place.rename = [element](CnfController &owner, const QString &newId) {
        const QByteArray record = CnfProgramRecord::numbered(owner, *element, newId);
        if (record == element->data())
            return false;
        element->setData(record);
        return true;
    };
    return { place };
}
