#pragma once

#include "cnffwd.h"

#include <QByteArray>
#include <QDomDocument>
#include <QList>
#include <QStringList>

// The step sequence and the interstate variant inside the raw record of a
// TIVERK 3.x or adapter program (CnfProgram::data), found where the layout
// (CnfController::tiverkLayout) places them for the record's kind (byte 1):
// the first top-level field whose name starts with "Вариант промтакта" and
// the first array whose rows hold a phase index ("indexof(phases)") and,
// optionally, that phase's "Длительность". Other fields are left as they are.
//
// Phase indexes count the controller's phases in list order. 255 is "not
// set"; the sequence ends at the first row without a phase.
class CnfProgramRecord
{
public:
    struct Step
    {
        int phase = -1; // index into the controller's phases
        int duration = -1; // seconds; -1 when the layout has no duration or it is not set
        bool operator==(const Step &other) const
        {
            return phase == other.phase && duration == other.duration;
        }
    };

    // `record` padded with 255 up to `size` bytes; a longer record is kept whole.
    static QByteArray extended(const QByteArray &record, int size);

    // The sequence of the record's kind; false when the kind has none or the
    // record ends before the sequence does (nothing then is known about it).
    static bool readSteps(const QDomDocument &layout, const QByteArray &record, QList<Step> *steps);
    // The variant of the record; -1 when not set, when the kind has no variant
    // field or the record ends before it.
    static int readVariant(const QDomDocument &layout, const QByteArray &record);
    // Whether the record's kind has a variant field (the byte a change of
    // version to or from 3.17 inserts or removes lies behind it).
    static bool hasVariant(const QDomDocument &layout, const QByteArray &record);

    // Fields of the record's kind that only one of two versions' layouts has
    // (the start delay of a coordinated program), each at its own layout's
    // place: withoutFieldsMissingIn takes out those of `from` that `to` lacks,
    // withFieldsMissingIn puts in, unset (255), those of `to` that `from` lacks.
    // Fields of one name in both layouts stay, also when their width differs
    // (the variant of 3.17).
    static QByteArray withoutFieldsMissingIn(const QDomDocument &from, const QDomDocument &to,
                                             const QByteArray &record);
    static QByteArray withFieldsMissingIn(const QDomDocument &from, const QDomDocument &to,
                                          const QByteArray &record);

    // The layout a record is written in: a TIVERK 3.x version, or the adapter's.
    struct Format
    {
        QString version; // "3.14" to "3.18"; not used for the adapter
        bool adapter = false;
    };
    // The record of one format in another, so that both read the same variant,
    // cycle, offset and steps: fields the new format lacks go out (`dropped`,
    // when given, tells whether one of them held a value), those only it has
    // come in unset, and the byte that 3.17 keeps behind the variant goes out
    // of, or comes into, every record whose kind has a variant. A record of the
    // old format's full size gets the new one's. Records of fewer than three
    // bytes (no variant), and records between equal formats, stay as they are.
    static QByteArray converted(const QByteArray &record, const Format &from, const Format &to,
                                bool *dropped = nullptr);
    // The same with the two formats' layouts (CnfTiverkLayout::document) given, for a caller
    // that converts many records: building a layout costs more than converting a record.
    static QByteArray converted(const QByteArray &record, const Format &from,
                                const QDomDocument &fromLayout, const Format &to,
                                const QDomDocument &toLayout, bool *dropped = nullptr);

    // The cycle a coordinated kind's record states, in seconds; -1 when not
    // set, when the kind has no cycle field or the record ends before it.
    static int readCycle(const QDomDocument &layout, const QByteArray &record);
    // The record stating that cycle; unchanged when the kind has no cycle field.
    static QByteArray withCycle(const QDomDocument &layout, const QByteArray &record, int cycle);
    // Whether a top-level field of a kind's layout is the one a record states
    // its cycle in.
    static bool isCycleField(const QDomElement &field);

    // The record with the program's steps (phase and length, rows beyond the
    // last step cleared) and interstate variant written into it. Fields the
    // record's kind lacks or that lie beyond the record are not written.
    static QByteArray withProgram(const QDomDocument &layout, const QByteArray &record,
                                  const QStringList &phaseIds, const CnfProgram &program);
    // The record with the own length of each of the program's steps written
    // into the duration of its row, where the row states one; every other
    // byte as it was. Rows count the steps as applyTo does.
    static QByteArray withStepLengths(const QDomDocument &layout, const QByteArray &record,
                                      const QStringList &phaseIds, const CnfProgram &program);
    // Whether the durations of the rows withStepLengths writes can hold the
    // own lengths `lengths` (one per step, in step order): a byte holds up to
    // 254 s, a word up to 65534 s, the highest value of each meaning "not set".
    static bool holdsStepLengths(const QDomDocument &layout, const QByteArray &record,
                                 const QStringList &phaseIds, const QList<int> &lengths);
    // The record padded with "not set" up to `size` bytes. When it was shorter
    // than that (or holds no sequence of its kind) and holds no step, and the
    // program has steps, the program's
    // steps are written into it (older files kept the steps only as the
    // program's), so that the record does not drop them, and for a
    // coordinated kind the cycle they make and the program's offset where the
    // record states none; a record without number and kind gets the program's.
    static QByteArray completed(const CnfController &controller, const QDomDocument &layout,
                                const QByteArray &record, int size, const CnfProgram &program);
    // Steps and variant of the record given to the program: steps whose phase
    // stays the same keep their settings, a duration that is not set keeps the
    // step's length. The variant is taken when its field lies in the record
    // (-1 when not set), and so is the cycle offset of a coordinated kind.
    // Returns false, leaving the steps alone, when the record holds no sequence
    // of its kind.
    // Phase indexes name the controller's phases.
    static bool applyTo(const CnfController &controller, const QDomDocument &layout,
                        const QByteArray &record, CnfProgram &program);

    // A full record of the program for the controller: number, kind, variant
    // and steps, and for a coordinated kind its cycle and offset; every other
    // byte 255.
    static QByteArray create(const CnfController &controller, const CnfProgram &program);
    // Whether the program's record holds its number in byte 0: TIVERK 3.x,
    // adapter and algorithm-kind programs with a record.
    static bool holdsNumber(const CnfController &controller, const CnfProgram &program);
    // The program numbers byte 0 holds (255 is "not set").
    static constexpr int LowestNumber = 0;
    static constexpr int HighestNumber = 254;
    // Whether byte 0 can hold the id as the program's number: a whole number
    // from LowestNumber to HighestNumber.
    static bool holdsAsNumber(const QString &id);
    // The program's record with byte 0, the program number, naming `id` (as
    // the program dialog writes it); the record as it is for a program whose
    // record holds no number (not TIVERK 3.x, adapter or an algorithm kind)
    // or an id that is not a number.
    static QByteArray numbered(const CnfController &controller, const CnfProgram &program,
                               const QString &id);

    // The ids of the controller's phases in the order the indexes count them.
    static QStringList phaseIds(const CnfController &controller);
    // The same followed by the ids of the program's steps whose phase the
    // controller does not have (a removed phase): a program's record counts
    // those after the controller's phases.
    static QStringList phaseIds(const CnfController &controller, const CnfProgram &program);
    // The record with every phase index of its kind (the sequence rows, a
    // priority phase) counted anew: an index that named the id at that place
    // of `before` names it in `after`; one naming an id `after` lacks
    // becomes not set.
    static QByteArray reindexed(const QDomDocument &layout, const QByteArray &record,
                                const QStringList &before, const QStringList &after);

    // The lists a field of a record takes its value from (its "listid"): a
    // place in the controller's phases, a place in its programs, the phase id
    // itself (a number).
    static constexpr const char *PhaseIndexList = "indexof(phases)";
    static constexpr const char *ProgramIndexList = "indexof(prog_number)";
    static constexpr const char *PhaseIdList = "phases";

    // The record with every program index (a queue or return program) counted
    // anew: an index that named the id at that place of `before` names it in
    // `after`, and becomes not set when `after` lacks that id.
    static QByteArray withProgramsReindexed(const QDomDocument &layout, const QByteArray &record,
                                            const QStringList &before, const QStringList &after);
    // The set values of the record's fields of one list, in field order.
    static QList<int> listValues(const QDomDocument &layout, const QByteArray &record,
                                 const QString &listId);
    // The record with every field of one list that holds `value` set to
    // `newValue` (-1, or one the field cannot hold: not set).
    static QByteArray withListValueReplaced(const QDomDocument &layout, const QByteArray &record,
                                            const QString &listId, int value, int newValue);
};
