#include "cnfprogramrecord.h"

#include "cnfcontroller.h"
#include "cnfphase.h"
#include "cnfphasedef.h"
#include "cnfprogram.h"
#include "cnfreferencefinders.h"
#include "cnftiverklayout.h"

#include <QRegularExpression>
#include <QSet>
#include <QVector>

#include <algorithm>

namespace {

constexpr int NotSetByte = 255;
constexpr int NotSetWord = 65535;

// One byte or word field of a record.
struct Field
{
    int offset = -1;
    bool word = false;
    int size = 0;
};

// A parameter field with its place: `row` within the top-level array
// `array` (null outside arrays).
struct Leaf
{
    QDomElement element;
    Field field;
    QDomElement array;
    int row = -1;
};

// Where the sequence and the variant of one kind lie.
struct Places
{
    Field variant;
    Field cycle; // coordinated kinds: the cycle and its offset, in seconds
    Field offset;
    QVector<Field> phases; // one per row of the sequence
    QVector<Field> durations; // one per row; offset -1 without durations
    bool hasSequence() const { return !phases.isEmpty(); }
    // The record's end, byte after the last field of the sequence.
    int sequenceEnd() const
    {
        int end = 0;
        for (const Field &f : phases)
            end = qMax(end, f.offset + f.size);
        for (const Field &f : durations)
            end = qMax(end, f.offset + f.size);
        return end;
    }
};

// Rows of an "array[N]" element; 0 for anything else.
int arrayRows(const QDomElement &element)
{
    const QStringList parts = element.attribute(QStringLiteral("type"))
                                  .split(QRegularExpression(QStringLiteral("[\\[\\]]")));
    if (parts.size() != 3 || parts.first() != QLatin1String("array"))
        return 0;
    return qMax(0, parts.at(1).toInt());
}

// A byte or word field at the offset; any other base type is neither read
// nor written (offset -1) but takes its bytes.
Field fieldOf(const QDomElement &element, int offset)
{
    const QPair<QString, int> type
        = CnfTiverkLayout::parseElementType(element.attribute(QStringLiteral("type")));
    Field field;
    field.word = type.first == QLatin1String("word");
    field.offset = field.word || type.first == QLatin1String("byte") ? offset : -1;
    field.size = type.second;
    return field;
}
// The fields in table order: top-level elements, each array row by row,
// nested arrays depth first. A top-level array without a valid count takes
// no bytes; inside an array such an element is read as a plain field.
void collect(const QList<QDomElement> &elements, int *cursor, bool top, const QDomElement &array,
             int row, QList<Leaf> *leaves)
{
    for (const QDomElement &element : elements) {
        if (element.hasChildNodes()) {
            const int rows = arrayRows(element);
            if (rows > 0) {
                for (int r = 0; r < rows; ++r)
                    collect(CnfTiverkLayout::elements(element), cursor, false,
                            top ? element : array, top ? r : row, leaves);
                continue;
            }
            if (top)
                continue;
        }
        const Field field = fieldOf(element, *cursor);
        leaves->append({ element, field, array, row });
        *cursor += field.size;
    }
}

QDomElement typeElement(const QDomDocument &layout, int kind)
{
    const QDomElement chapter = CnfTiverkLayout::programsChapter(layout);
    for (QDomElement type = chapter.firstChildElement(QStringLiteral("Type")); !type.isNull();
         type = type.nextSiblingElement(QStringLiteral("Type"))) {
        bool ok = false;
        if (type.attribute(QStringLiteral("id")).toInt(&ok) == kind && ok)
            return type;
    }
    return QDomElement();
}
// The fields of the kind in table order; none when the layout lacks the kind.
QList<Leaf> leavesOf(const QDomDocument &layout, int kind)
{
    QList<Leaf> leaves;
    const QDomElement type = typeElement(layout, kind);
    if (type.isNull())
        return leaves;
    int cursor = 2;
    collect(CnfTiverkLayout::elements(type), &cursor, true, QDomElement(), -1, &leaves);
    return leaves;
}

Places placesOf(const QDomDocument &layout, int kind)
{
    Places places;
    const QList<Leaf> leaves = leavesOf(layout, kind);

    QDomElement sequence;
    for (const Leaf &leaf : qAsConst(leaves)) {
        const QString name = leaf.element.attribute(QStringLiteral("name"));
        if (leaf.array.isNull() && places.variant.offset < 0 && leaf.field.offset >= 0
            && name.startsWith(QString::fromUtf8("Вариант промтакта"), Qt::CaseInsensitive))
            places.variant = leaf.field;
        if (leaf.array.isNull() && leaf.field.offset >= 0
            && CnfProgramRecord::isCycleField(leaf.element) && places.cycle.offset < 0)
            places.cycle = leaf.field;
        if (leaf.array.isNull() && leaf.field.offset >= 0 && name == QString::fromUtf8("Сдвиг")
            && places.offset.offset < 0)
            places.offset = leaf.field;
        if (!leaf.array.isNull() && sequence.isNull() && leaf.field.offset >= 0
            && leaf.element.attribute(QStringLiteral("listid")) == QLatin1String("indexof(phases)"))
            sequence = leaf.array;
    }
    if (sequence.isNull())
        return places;
    for (const Leaf &leaf : qAsConst(leaves)) {
        if (leaf.array != sequence || leaf.field.offset < 0)
            continue;
        if (places.phases.size() <= leaf.row) {
            places.phases.resize(leaf.row + 1);
            places.durations.resize(leaf.row + 1);
        }
        if (leaf.element.attribute(QStringLiteral("listid")) == QLatin1String("indexof(phases)")) {
            if (places.phases[leaf.row].offset < 0)
                places.phases[leaf.row] = leaf.field;
        }
    }
    // The duration is the field named so that refers to the row's phase cell.
    for (const Leaf &leaf : qAsConst(leaves)) {
        if (leaf.array != sequence || leaf.field.offset < 0 || leaf.row >= places.phases.size()
            || leaf.element.attribute(QStringLiteral("name")) != QString::fromUtf8("Длительность"))
            continue;
        const QString phaseId = leaf.element.attribute(QStringLiteral("phase"));
        for (const Leaf &phase : qAsConst(leaves)) {
            if (phase.array == sequence && phase.row == leaf.row && !phaseId.isEmpty()
                && phase.element.attribute(QStringLiteral("id")) == phaseId
                && phase.field.offset == places.phases.at(leaf.row).offset) {
                if (places.durations[leaf.row].offset < 0)
                    places.durations[leaf.row] = leaf.field;
                break;
            }
        }
    }
    return places;
}

// Every field of the kind whose values come from one list (its "listid"),
// wherever it lies.
QList<Field> listFields(const QDomDocument &layout, int kind, const QString &listId)
{
    QList<Field> fields;
    for (const Leaf &leaf : leavesOf(layout, kind)) {
        if (leaf.field.offset >= 0 && leaf.element.attribute(QStringLiteral("listid")) == listId)
            fields.append(leaf.field);
    }
    return fields;
}

bool fits(const Field &field, const QByteArray &record)
{
    return field.offset >= 0 && field.offset + field.size <= record.size();
}

// The field's value; -1 when not set or outside the record.
int readField(const Field &field, const QByteArray &record)
{
    if (!fits(field, record))
        return -1;
    int value = quint8(record.at(field.offset));
    if (field.word)
        value |= quint8(record.at(field.offset + 1)) << 8;
    return value == (field.word ? NotSetWord : NotSetByte) ? -1 : value;
}

// Writes the value (-1 or one the field cannot hold: "not set").
void writeField(const Field &field, int value, QByteArray *record)
{
    if (!fits(field, *record))
        return;
    const int notSet = field.word ? NotSetWord : NotSetByte;
    if (value < 0 || value > notSet)
        value = notSet;
    (*record)[field.offset] = char(value & 0xff);
    if (field.word)
        (*record)[field.offset + 1] = char((value >> 8) & 0xff);
}

int kindOf(const QByteArray &record)
{
    return record.size() > 1 ? quint8(record.at(1)) : -1;
}

// Writes the program's steps into the sequence rows (rows beyond the last
// step cleared).
void writeSteps(const Places &places, const QStringList &phaseIds, const CnfProgram &program,
                QByteArray *bytes)
{
    // A step whose phase has no index cannot be stored; the steps after it close up.
    int row = 0;
    for (const CnfPhaseDefPtr &def : program.phases()) {
        if (row >= places.phases.size())
            break;
        const int index = def ? phaseIds.indexOf(def->id()) : -1;
        if (index < 0)
            continue;
        writeField(places.phases.at(row), index, bytes);
        writeField(places.durations.at(row), def->length(), bytes);
        ++row;
    }
    for (; row < places.phases.size(); ++row) {
        writeField(places.phases.at(row), -1, bytes);
        writeField(places.durations.at(row), -1, bytes);
    }
}

} // namespace

QByteArray CnfProgramRecord::extended(const QByteArray &record, int size)
{
    if (record.size() >= size)
        return record;
    return record + QByteArray(size - record.size(), char(NotSetByte));
}

bool CnfProgramRecord::readSteps(const QDomDocument &layout, const QByteArray &record,
                                 QList<Step> *steps)
{
    const Places places = placesOf(layout, kindOf(record));
    if (!places.hasSequence() || places.sequenceEnd() > record.size())
        return false;
    steps->clear();
    for (int row = 0; row < places.phases.size(); ++row) {
        const int phase = readField(places.phases.at(row), record);
        if (phase < 0)
            break;
        steps->append({ phase, readField(places.durations.at(row), record) });
    }
    return true;
}

int CnfProgramRecord::readVariant(const QDomDocument &layout, const QByteArray &record)
{
    return readField(placesOf(layout, kindOf(record)).variant, record);
}

bool CnfProgramRecord::hasVariant(const QDomDocument &layout, const QByteArray &record)
{
    return placesOf(layout, kindOf(record)).variant.offset >= 0;
}

namespace {

// The top-level fields of the kind in `layout` whose name the kind in `other`
// does not have, in the order of the record.
QList<Field> fieldsMissingIn(const QDomDocument &layout, const QDomDocument &other, int kind)
{
    const auto topLevel = [kind](const QDomDocument &document) {
        QList<Leaf> leaves = leavesOf(document, kind);
        leaves.erase(std::remove_if(leaves.begin(), leaves.end(),
                                    [](const Leaf &leaf) { return !leaf.array.isNull(); }),
                     leaves.end());
        return leaves;
    };
    QSet<QString> otherNames;
    for (const Leaf &leaf : topLevel(other))
        otherNames.insert(leaf.element.attribute(QStringLiteral("name")));
    QList<Field> missing;
    if (otherNames.isEmpty())
        return missing; // the kind is unknown to the other version: nothing to match
    for (const Leaf &leaf : topLevel(layout)) {
        if (leaf.field.offset >= 0
            && !otherNames.contains(leaf.element.attribute(QStringLiteral("name"))))
            missing.append(leaf.field);
    }
    return missing;
}

} // namespace

QByteArray CnfProgramRecord::withoutFieldsMissingIn(const QDomDocument &from,
                                                    const QDomDocument &to,
                                                    const QByteArray &record)
{
    QByteArray bytes = record;
    const QList<Field> fields = fieldsMissingIn(from, to, kindOf(record));
    // Last first, so that the places of the others stay.
    for (auto it = fields.crbegin(); it != fields.crend(); ++it) {
        if (it->offset + it->size <= bytes.size())
            bytes.remove(it->offset, it->size);
    }
    return bytes;
}

QByteArray CnfProgramRecord::withFieldsMissingIn(const QDomDocument &from, const QDomDocument &to,
                                                 const QByteArray &record)
{
    QByteArray bytes = record;
    // First first: each place counts the fields inserted before it.
    for (const Field &field : fieldsMissingIn(to, from, kindOf(record))) {
        if (field.offset <= bytes.size())
            bytes.insert(field.offset, QByteArray(field.size, char(NotSetByte)));
    }
    return bytes;
}

namespace {

// Whether converting the record leaves it as it is. A record of three bytes ends with the
// variant: going into 3.17 it gets the byte behind it, so that 3.17's two-byte variant lies
// in it whole.
bool staysAsItIs(const QByteArray &record, const CnfProgramRecord::Format &from,
                 const CnfProgramRecord::Format &to)
{
    return record.size() < 3 || (from.adapter == to.adapter && from.version == to.version)
        || (from.adapter && to.adapter);
}

} // namespace

QByteArray CnfProgramRecord::converted(const QByteArray &record, const Format &from,
                                       const Format &to, bool *dropped)
{
    if (staysAsItIs(record, from, to)) {
        if (dropped)
            *dropped = false;
        return record;
    }
    return converted(record, from, CnfTiverkLayout::document(from.version, from.adapter), to,
                     CnfTiverkLayout::document(to.version, to.adapter), dropped);
}

QByteArray CnfProgramRecord::converted(const QByteArray &record, const Format &from,
                                       const QDomDocument &fromLayout, const Format &to,
                                       const QDomDocument &toLayout, bool *dropped)
{
    if (dropped)
        *dropped = false;
    if (staysAsItIs(record, from, to))
        return record;
    if (dropped) {
        for (const Field &field : fieldsMissingIn(fromLayout, toLayout, kindOf(record)))
            *dropped = *dropped || readField(field, record) >= 0;
    }
    QByteArray bytes = withoutFieldsMissingIn(fromLayout, toLayout, record);
    // Every record of 3.17 whose kind has a variant holds the byte behind it,
    // whatever its value.
    const bool fromReserved = CnfTiverkLayout::hasReservedByte(from.version, from.adapter);
    const bool toReserved = CnfTiverkLayout::hasReservedByte(to.version, to.adapter);
    if (fromReserved && !toReserved && hasVariant(fromLayout, bytes) && bytes.size() > 3)
        bytes.remove(3, 1);
    else if (!fromReserved && toReserved && hasVariant(toLayout, bytes) && bytes.size() >= 3)
        bytes.insert(3, char(NotSetByte));
    bytes = withFieldsMissingIn(fromLayout, toLayout, bytes);

    const int fromSize
        = CnfTiverkLayout::programRecordSize(from.adapter ? QString() : from.version);
    const int toSize = CnfTiverkLayout::programRecordSize(to.adapter ? QString() : to.version);
    if (record.size() == fromSize && bytes.size() < toSize)
        bytes.append(QByteArray(toSize - bytes.size(), char(NotSetByte)));
    else if (record.size() == fromSize && bytes.size() > toSize
             && bytes.mid(toSize).count(char(NotSetByte)) == bytes.size() - toSize)
        bytes.truncate(toSize);
    return bytes;
}

int CnfProgramRecord::readCycle(const QDomDocument &layout, const QByteArray &record)
{
    return readField(placesOf(layout, kindOf(record)).cycle, record);
}

QByteArray CnfProgramRecord::withCycle(const QDomDocument &layout, const QByteArray &record,
                                       int cycle)
{
    QByteArray bytes = record;
    writeField(placesOf(layout, kindOf(bytes)).cycle, cycle, &bytes);
    return bytes;
}

bool CnfProgramRecord::isCycleField(const QDomElement &field)
{
    return field.attribute(QStringLiteral("name")) == QString::fromUtf8("Цикл");
}

QByteArray CnfProgramRecord::withProgram(const QDomDocument &layout, const QByteArray &record,
                                         const QStringList &phaseIds, const CnfProgram &program)
{
    QByteArray bytes = record;
    const Places places = placesOf(layout, kindOf(bytes));
    writeField(places.variant, program.interstateVariant, &bytes);
    writeSteps(places, phaseIds, program, &bytes);
    return bytes;
}

namespace {

// The duration fields that state the own length of a step, each with the
// index of its step: the rows of the sequence up to the first without a
// phase, a row of an index that names no phase counting no step, and only
// rows whose duration is set.
QList<QPair<Field, int>> stepDurations(const QDomDocument &layout, const QByteArray &record,
                                       int phaseCount)
{
    QList<QPair<Field, int>> found;
    const Places places = placesOf(layout, kindOf(record));
    if (!places.hasSequence() || places.sequenceEnd() > record.size())
        return found;
    int step = 0;
    for (int row = 0; row < places.phases.size(); ++row) {
        const int phase = readField(places.phases.at(row), record);
        if (phase < 0)
            break;
        if (phase >= phaseCount)
            continue;
        if (readField(places.durations.at(row), record) >= 0)
            found.append({ places.durations.at(row), step });
        ++step;
    }
    return found;
}

} // namespace

QByteArray CnfProgramRecord::withStepLengths(const QDomDocument &layout, const QByteArray &record,
                                             const QStringList &phaseIds, const CnfProgram &program)
{
    QByteArray bytes = record;
    for (const auto &duration : stepDurations(layout, record, phaseIds.size())) {
        const CnfPhaseDefPtr def = program.phaseDefAt(duration.second);
        if (!def)
            break;
        writeField(duration.first, def->length(), &bytes);
    }
    return bytes;
}

bool CnfProgramRecord::holdsStepLengths(const QDomDocument &layout, const QByteArray &record,
                                        const QStringList &phaseIds, const QList<int> &lengths)
{
    for (const auto &duration : stepDurations(layout, record, phaseIds.size())) {
        if (duration.second >= lengths.size())
            break;
        const int length = lengths.at(duration.second);
        if (length < 0 || length >= (duration.first.word ? NotSetWord : NotSetByte))
            return false;
    }
    return true;
}

QByteArray CnfProgramRecord::completed(const CnfController &controller, const QDomDocument &layout,
                                       const QByteArray &record, int size,
                                       const CnfProgram &program)
{
    QByteArray bytes = extended(record, size);
    if (program.phaseCount() == 0 || bytes.size() < 2)
        return bytes;
    // A full record states its sequence, also an empty one.
    QList<Step> steps;
    if ((record.size() >= size && readSteps(layout, record, &steps))
        || (readSteps(layout, bytes, &steps) && !steps.isEmpty()))
        return bytes;
    if (record.size() < 1)
        bytes[0] = char(program.id.toInt() & 0xff);
    if (record.size() < 2)
        bytes[1] = char(program.kind & 0xff);
    const Places places = placesOf(layout, kindOf(bytes));
    writeSteps(places, phaseIds(controller, program), program, &bytes);
    // A coordinated kind states beside its steps the cycle they make, and the
    // offset the program runs at, where the record states none.
    if (readField(places.cycle, bytes) < 0)
        writeField(places.cycle, program.cycle(true), &bytes);
    if (readField(places.offset, bytes) < 0 && program.hasCycleOffset())
        writeField(places.offset, program.cycleOffset(-1), &bytes);
    return bytes;
}

bool CnfProgramRecord::applyTo(const CnfController &controller, const QDomDocument &layout,
                               const QByteArray &record, CnfProgram &program)
{
    const Places places = placesOf(layout, kindOf(record));
    if (fits(places.variant, record))
        program.interstateVariant = readField(places.variant, record);
    if (fits(places.offset, record))
        program.setCycleOffset(readField(places.offset, record));
    QList<Step> steps;
    if (!readSteps(layout, record, &steps))
        return false;
    const QStringList ids = phaseIds(controller, program);
    int row = 0;
    for (const Step &step : qAsConst(steps)) {
        if (step.phase >= ids.size())
            continue;
        // A step of a phase the controller no longer has keeps its phase's id.
        const QString id = ids.at(step.phase);
        const CnfPhasePtr phase = controller.findPhase(id);
        CnfPhaseDefPtr def = program.phaseDefAt(row);
        if (!def) {
            const int length = step.duration >= 0 ? step.duration
                : phase && phase->minTime > 0     ? phase->minTime
                                                  : 10;
            def = program.appendPhase(phase, length);
        }
        if (def->id() != id || def->phase() != phase) {
            def->setPhase(phase);
            def->setId(id);
        }
        if (step.duration >= 0)
            def->setLength(step.duration);
        ++row;
    }
    while (program.phaseCount() > row)
        program.removePhase(program.phaseCount() - 1);
    return true;
}

bool CnfProgramRecord::holdsNumber(const CnfController &controller, const CnfProgram &program)
{
    const QString family = controller.property("type").toString();
    return (family == QLatin1String("tiverk") || family == QLatin1String("adapter")
            || program.type == CnfProgram::Tiverk)
        && !program.data().isEmpty();
}

bool CnfProgramRecord::holdsAsNumber(const QString &id)
{
    return CnfReferenceFinders::inFormOf(0, id, LowestNumber, HighestNumber).isValid();
}

QByteArray CnfProgramRecord::numbered(const CnfController &controller, const CnfProgram &program,
                                      const QString &id)
{
    QByteArray record = program.data();
    bool isNumber = false;
    const int number = id.toInt(&isNumber);
    if (holdsNumber(controller, program) && isNumber)
        record[0] = char(number & 0xff);
    return record;
}

QByteArray CnfProgramRecord::create(const CnfController &controller, const CnfProgram &program)
{
    const QDomDocument layout = controller.tiverkLayout();
    QByteArray record(controller.programRecordSize(), char(NotSetByte));
    record[0] = char(program.id.toInt() & 0xff);
    record[1] = char(program.kind & 0xff);
    // A coordinated program's record also states the cycle that its steps and
    // their transitions make and the offset it runs at.
    const Places places = placesOf(layout, program.kind);
    if (places.offset.offset >= 0) {
        writeField(places.cycle, program.cycle(true), &record);
        writeField(places.offset, program.cycleOffset(-1), &record);
    }
    return withProgram(layout, record, phaseIds(controller, program), program);
}

QStringList CnfProgramRecord::phaseIds(const CnfController &controller)
{
    QStringList ids;
    for (const CnfPhasePtr &phase : controller.phases()) {
        if (phase)
            ids << phase->id;
    }
    return ids;
}

QStringList CnfProgramRecord::phaseIds(const CnfController &controller, const CnfProgram &program)
{
    QStringList ids = phaseIds(controller);
    for (const CnfPhaseDefPtr &def : program.phases()) {
        if (def && !def->id().isEmpty() && !ids.contains(def->id()))
            ids << def->id();
    }
    return ids;
}

QByteArray CnfProgramRecord::reindexed(const QDomDocument &layout, const QByteArray &record,
                                       const QStringList &before, const QStringList &after)
{
    QByteArray bytes = record;
    for (const Field &field :
         listFields(layout, kindOf(bytes), QString::fromLatin1(PhaseIndexList))) {
        const int index = readField(field, bytes);
        if (index < 0 || index >= before.size())
            continue;
        // A phase that is gone from both lists is named by nothing: not set.
        writeField(field, after.indexOf(before.at(index)), &bytes);
    }
    return bytes;
}

QByteArray CnfProgramRecord::withProgramsReindexed(const QDomDocument &layout,
                                                   const QByteArray &record,
                                                   const QStringList &before,
                                                   const QStringList &after)
{
    QByteArray bytes = record;
    for (const Field &field :
         listFields(layout, kindOf(bytes), QString::fromLatin1(ProgramIndexList))) {
        const int index = readField(field, bytes);
        if (index < 0 || index >= before.size())
            continue; // not set, or naming no program already
        writeField(field, after.indexOf(before.at(index)), &bytes);
    }
    return bytes;
}

QList<int> CnfProgramRecord::listValues(const QDomDocument &layout, const QByteArray &record,
                                        const QString &listId)
{
    QList<int> values;
    for (const Field &field : listFields(layout, kindOf(record), listId)) {
        const int value = readField(field, record);
        if (value >= 0)
            values << value;
    }
    return values;
}

QByteArray CnfProgramRecord::withListValueReplaced(const QDomDocument &layout,
                                                   const QByteArray &record, const QString &listId,
                                                   int value, int newValue)
{
    QByteArray bytes = record;
    for (const Field &field : listFields(layout, kindOf(bytes), listId)) {
        if (readField(field, bytes) == value && value >= 0)
            writeField(field, newValue, &bytes);
    }
    return bytes;
}
