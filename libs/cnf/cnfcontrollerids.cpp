// CnfController: the rules for new ids (which ids are free, which new ids are refused and why).

#include "cnfcontroller.h"
#include "cnfcontrollerprivate.h"

#include "cnfdaycard.h"
#include "cnfmatrix.h"
#include "cnfreferencefinders.h"
#include "cnfreferences.h"

#include <QSet>

#include <limits>

QString CnfController::freeProgramId() const
{
    QSet<QString> named;
    for (const CnfDayCardPtr &card : dayCards()) {
        for (const CnfDayCardRecord &record : qAsConst(card->records))
            named << record.programId() << record.reserveId();
    }
    for (int n = 1; n < 65535; ++n) {
        const QString id = QString::number(n);
        if (!findProgram(id) && !named.contains(id))
            return id;
    }
    return QString();
}

QStringList CnfController::dayCardsNamingMissingProgram(const QString &id) const
{
    QStringList cards;
    if (id.isEmpty() || findProgram(id))
        return cards;
    for (const CnfDayCardPtr &card : dayCards()) {
        for (const CnfDayCardRecord &record : qAsConst(card->records)) {
            if ((record.programId() == id || record.reserveId() == id) && !cards.contains(card->id))
                cards << card->id;
        }
    }
    return cards;
}

namespace {

// The refusal of a new id by the places that cannot hold it: the clauses
// naming them, and the numbers they all take.
QString idRefusal(const QList<CnfReferences::Place> &places, const QStringList &clauses)
{
    if (places.isEmpty())
        return QString();
    // The numbers every refusing place holds.
    int lowest = std::numeric_limits<int>::min();
    int highest = std::numeric_limits<int>::max();
    for (const CnfReferences::Place &place : places) {
        lowest = qMax(lowest, place.lowest);
        highest = qMin(highest, place.highest);
    }
    QString text = clauses.join(QStringLiteral("; "));
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text
        + (highest == std::numeric_limits<int>::max()
               ? CnfController::tr(": the id must be a whole number")
               : CnfController::tr(": the id must be a number from %1 to %2")
                     .arg(lowest)
                     .arg(highest));
}

} // namespace

QString CnfController::phaseIdRefusal(const QString &id, const QString &newId) const
{
    QList<CnfReferences::Place> places
        = CnfReferences::refusing(*this, { CnfReferences::Kind::Phase, id, QString() }, newId);
    QStringList clauses;
    // A ZU_MOLT file writes a stage's own id as a number, whatever names it:
    // the numbers the ids of its groups and plans take.
    if (property("type").toString() == QLatin1String("ZU_MOLT")) {
        CnfReferences::Place own;
        own.lowest = 1;
        own.highest = 65535;
        if (!CnfReferenceFinders::inFormOf(0, newId, own.lowest, own.highest).isValid()) {
            places.prepend(own);
            clauses << (id.isEmpty()
                            ? tr("a ZU_MOLT file writes the id of a phase as a number")
                            : tr("a ZU_MOLT file writes the id of phase %1 as a number").arg(id));
        }
    }
    // A record calls the phase; a sequence program lists it in its sequence.
    QList<CnfReferences::Place> calls;
    QList<CnfReferences::Place> sequences;
    for (const CnfReferences::Place &place : places)
        (place.part == QLatin1String("sequence") ? sequences : calls) << place;
    const QStringList programs = CnfReferences::owners(calls, CnfReferences::Note::ProgramUse);
    if (!programs.isEmpty())
        clauses << (programs.size() == 1 ? tr("program %1 calls phase %2 by its number")
                                         : tr("programs %1 call phase %2 by its number"))
                       .arg(programs.join(QLatin1Char(',')), id);
    const QStringList listing = CnfReferences::owners(sequences, CnfReferences::Note::ProgramUse);
    if (!listing.isEmpty())
        clauses << (listing.size() == 1
                        ? tr("program %1 lists phase %2 in its sequence by its number")
                        : tr("programs %1 list phase %2 in their sequences by its number"))
                       .arg(listing.join(QLatin1Char(',')), id);
    if (CnfReferences::contains(places, CnfReferences::Note::RemoteControl))
        clauses << tr("the remote control panel names phase %1 by its number").arg(id);
    if (CnfReferences::contains(places, CnfReferences::Note::CentralSystem))
        clauses << tr("the central-system link names phase %1 by its number").arg(id);
    return idRefusal(places, clauses);
}

QString CnfController::programIdRefusal(const QString &id, const QString &newId) const
{
    const QList<CnfReferences::Place> places
        = CnfReferences::refusing(*this, { CnfReferences::Kind::Program, id, QString() }, newId);
    QStringList clauses;
    if (CnfReferences::contains(places, CnfReferences::Note::Silent))
        clauses << tr("the record of program %1 holds its number").arg(id);
    if (CnfReferences::contains(places, CnfReferences::Note::RemoteControl))
        clauses << tr("the remote control panel names program %1 by its number").arg(id);
    const QStringList rows = CnfReferences::owners(places, CnfReferences::Note::Indication);
    if (!rows.isEmpty())
        clauses << (rows.size() == 1 ? tr("indication row %1 names program %2 by its number")
                                     : tr("indication rows %1 name program %2 by its number"))
                       .arg(rows.join(QLatin1Char(',')), id);
    return idRefusal(places, clauses);
}

bool CnfController::acceptsNewSignalGroupId(int id)
{
    if (id < 0 || findSG(id)) {
        d->lastError = tr("Signal group %1 already exists").arg(id);
        return false;
    }
    QStringList matrices;
    for (const CnfMatrixPtr &matrix : matrixList()) {
        if (matrix->namesGroup(id))
            matrices << QString::number(matrix->id());
    }
    if (!matrices.isEmpty()) {
        d->lastError = valuesWithoutGroupError(matrices, id);
        return false;
    }
    return true;
}

QString CnfController::valuesWithoutGroupError(const QStringList &matrices, int id)
{
    return (matrices.size() == 1
                ? tr("Matrix %1 holds values of signal group %2, which does not exist; a group "
                     "given id %2 would take them over: choose another id")
                : tr("Matrices %1 hold values of signal group %2, which does not exist; a group "
                     "given id %2 would take them over: choose another id"))
        .arg(matrices.join(QLatin1Char(',')))
        .arg(id);
}

int CnfController::freeSignalGroupId(int from) const
{
    QSet<int> named;
    for (const CnfMatrixPtr &matrix : matrixList()) {
        for (int id : matrix->groupIds())
            named << id;
    }
    for (int id = qMax(from, 0); id < 65535; ++id) {
        if (!findSG(id) && !named.contains(id))
            return id;
    }
    return -1;
}

QStringList CnfController::matrixValuesWithoutGroup() const
{
    QStringList lines;
    for (const CnfMatrixPtr &matrix : matrixList()) {
        QStringList missing;
        for (int id : matrix->groupIds()) {
            if (!findSG(id))
                missing << QString::number(id);
        }
        if (!missing.isEmpty())
            lines << tr("Matrix %1 holds values of signal groups that do not exist: %2; they "
                        "are kept as they are")
                         .arg(matrix->id())
                         .arg(missing.join(QLatin1Char(',')));
    }
    return lines;
}
