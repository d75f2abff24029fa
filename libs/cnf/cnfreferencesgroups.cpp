// CnfReferences: the places that name a signal group.

#include "cnfcontroller.h"
#include "cnfmatrix.h"
#include "cnfmatrixcell.h"
#include "cnfphase.h"
#include "cnfpowerdevice.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"
#include "cnfsignalgroup.h"
#include "cnftransition.h"

using namespace CnfReferenceFinders;

// A phase runs the group itself: a new id follows, a Delete takes the group
// out of the phase.
QList<Place> CnfReferenceFinders::groupPhases(const CnfController &controller, const Element &group)
{
    QList<Place> found;
    const CnfSignalGroupPtr element = controller.findSG(group.id.toInt());
    if (!element)
        return found;
    for (const CnfPhasePtr &phase : controller.phases()) {
        if (!phase || !phase->signalGroups.contains(element))
            continue;
        Place place;
        place.clear = [phase, element](CnfController &) {
            phase->signalGroups.removeAll(element);
        };
        found << place;
    }
    return found;
}

// A matrix holds values of the group by its id: they follow a new id and go
// with the group, so that no value passes to the next group given the id.
// (Values of a group the controller does not have are kept as they are; the
// controller refuses a new id they name, see acceptsNewSignalGroupId.)
QList<Place> CnfReferenceFinders::groupMatrixValues(const CnfController &controller,
                                                    const Element &group)
{
    QList<Place> found;
    const int id = group.id.toInt();
    for (const CnfMatrixPtr &matrix : controller.matrixList()) {
        if (!matrix->namesGroup(id))
            continue;
        Place place;
        place.note = Note::MatrixValues;
        place.owner = QString::number(matrix->id());
        place.rename = [matrix, id](CnfController &, const QString &newId) {
            matrix->moveGroup(id, newId.toInt());
            return true;
        };
        place.clear = [matrix, id](CnfController &) {
            matrix->moveGroup(id, -1);
        };
        found << place;
    }
    return found;
}

// A stored transition holds the second the group's green ends or starts, by
// the group's id.
QList<Place> CnfReferenceFinders::groupTransitionTimes(const CnfController &controller,
                                                       const Element &group)
{
    QList<Place> found;
    const int id = group.id.toInt();
    for (const CnfPhasePtr &phase : controller.phases()) {
        if (!phase)
            continue;
        for (const CnfTransitionPtr &transition : qAsConst(phase->transitions)) {
            if (!transition
                || (!transition->greenEnd.contains(id) && !transition->greenStart.contains(id)))
                continue;
            Place place;
            place.note = Note::TransitionTimes;
            place.owner = phase->id;
            place.rename = [transition, id](CnfController &, const QString &newId) {
                const int to = newId.toInt();
                for (QMap<int, int> *times : { &transition->greenEnd, &transition->greenStart }) {
                    times->remove(to);
                    if (times->contains(id))
                        times->insert(to, times->take(id));
                }
                return true;
            };
            place.clear = [transition, id](CnfController &) {
                transition->greenEnd.remove(id);
                transition->greenStart.remove(id);
            };
            found << place;
        }
    }
    return found;
}

// A program's timeline holds the group's points by its id.
QList<Place> CnfReferenceFinders::groupTimelines(const CnfController &controller,
                                                 const Element &group)
{
    QList<Place> found;
    const int id = group.id.toInt();
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program || !program->timelineGroups().contains(id))
            continue;
        Place place;
        place.note = Note::Timeline;
        place.owner = program->id;
        place.rename = [program, id](CnfController &, const QString &newId) {
            program->moveTimelineGroup(id, newId.toInt());
            return true;
        };
        place.clear = [program, id](CnfController &) {
            program->moveTimelineGroup(id, -1);
        };
        found << place;
    }
    return found;
}

// A ZU_MOLT switch names the group that drives it in its "signalGroup",
// written from the group's assigned devices: it follows a new id by itself
// and is left without a group when the group goes, which the question says.
QList<Place> CnfReferenceFinders::groupSwitches(const CnfController &controller,
                                                const Element &group)
{
    QList<Place> found;
    const CnfSignalGroupPtr element = controller.findSG(group.id.toInt());
    if (!element || controller.property("type").toString() != QLatin1String("ZU_MOLT"))
        return found;
    for (const CnfPowerDevicePtr &device : element->devices) {
        if (!device)
            continue;
        Place place;
        place.note = Note::Switch;
        place.owner = QString::number(device->id);
        found << place;
    }
    return found;
}
