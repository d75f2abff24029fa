#pragma once

#include "cnfformatconfig.h"
#include "cnffwd.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

class CnfController;

// A ZU_MOLT configuration file: the JSON document that zumoltc reads and
// writes ("configVersion" 1, "type" "ZU_MOLT"), in zumoltc's text dialect
// (escape sequences stay as written). How its keys map onto the controller is
// in docs/formats.md: signal groups, stages (phases), the intergreen matrix,
// detectors, plans (programs), the scheduler (calendar) and switches (power
// devices) become typed elements; every other key, and every member that an
// element has no field for, is kept in the native data and written back.
//
// load() reads and checks the document; createController() fills a
// controller and collects warnings (unresolved references, values of the
// wrong kind that zumoltc would skip too). Failures: false (or empty bytes
// from save) with lastError(), which names line and column.
//
// Filling a controller is defined in zu_moltconfigreader.cpp (with its reader
// in zu_moltconfigreaderprivate.h), saving one in zu_moltconfigwriter.cpp; the
// names both share are in zu_moltformat.h.
//
// zumoltc reads and writes the same file with a reader and writer of its own
// (zumoltc/model/zuconfigurationreader.h, zuconfigurationwriter.h), on
// purpose: they fill zumoltc's object model (ZUConfiguration), this pair fills
// the controller that plivek edits, converts and emulates with every other
// family. The file's description (zumoltc/model/zumolt-format.md and
// docs/formats.md) is what the two pairs keep in step.
class ZU_MOLTConfig : public CnfFormatConfig
{
public:
    ZU_MOLTConfig();

    bool loadData(const QByteArray &bytes) override;

    QByteArray save(const CnfController &controller);

    // True when the bytes look like a ZU_MOLT document (its "type" is
    // "ZU_MOLT"), whether or not the rest is sound.
    static bool recognizes(const QByteArray &bytes);

    // What the calendar's objects were and are now: each map takes the id an
    // object had to the id it has now (extra periods: their places in the
    // list, from 0, as numbers).
    struct CalendarIds
    {
        QMap<QString, QString> dayPlans;
        QMap<QString, QString> weekPlans;
        QMap<QString, QString> extraPeriods;
        QMap<QString, QString> extraDays;
    };
    // The calendar was built anew (as the calendar dialog does): the members
    // kept for an object (and for the periods of a day plan) follow it; those
    // of an object that is in no map go. Nothing happens to a controller that
    // keeps none.
    static void followCalendar(CnfController &controller, const CalendarIds &ids);
    // A switch (power device) takes the id `newId`, or goes (a negative
    // `newId`): the members kept for it follow or go with it, so that a switch
    // given its old id later does not take them.
    static void followSwitch(CnfController &controller, int id, int newId);
    // The same for a matrix, in its "IGM" entry or its "extraMatrices" one.
    // A new id takes the place of the file's id that an extra matrix keeps
    // when it is listed under another one.
    static void followMatrix(CnfController &controller, int id, int newId);

    // A stage-ring plan names its steps by the ids the file gives them, which
    // need not be their positions: each step's id, 0 for a step without a
    // stage (it is not written).
    static QVector<int> stepIds(const CnfController &controller, const CnfProgram &plan);
    // Takes the steps at `positions` out of the plan. The other steps keep
    // their ids, and whatever in the plan named a removed step goes with it
    // or is not set, so that nothing comes to name another step.
    static void removeSteps(const CnfController &controller, CnfProgram &plan,
                            const QList<int> &positions);
    // Gives the step at `position` the stage. The other steps keep their ids;
    // a step that had none gets one that no other step has.
    static void setStepStage(const CnfController &controller, CnfProgram &plan, int position,
                             const CnfPhasePtr &stage);

protected:
    bool fill(CnfController &controller, QString *error) override;
};
