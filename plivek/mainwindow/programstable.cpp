#include "programstable.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfprogramrecord.h"
#include "cnf/cnfreferences.h"
#include "mainwindowhelpers.h"
#include "mainwindowtexts.h"
#include "powerpart.h"

#include <QCoreApplication>
#include <QTableWidget>

#include <algorithm>

namespace {

void setCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->setItem(row, column, new QTableWidgetItem(text));
}

} // namespace

void ProgramsTable::fill(QTableWidget *table, const CnfController &controller,
                         const QString &family)
{
    const QList<CnfProgramPtr> programs = controller.programs();
    if (table->columnCount() < 4)
        table->setColumnCount(4);
    table->setRowCount(programs.size());
    for (int row = 0; row < programs.size(); ++row) {
        const CnfProgramPtr &program = programs.at(row);
        QStringList phases;
        for (int i = 0; i < program->phaseCount(); ++i)
            phases << program->phaseDefAt(i)->id();
        setCell(table, row, 0, program->id);
        setCell(table, row, 1, program->name);
        setCell(table, row, 2,
                program->type == CnfProgram::Tiverk
                    ? CnfProgram::tiverkTypeName(program->kind, family, true)
                    : CnfProgram::typeName(program->type, true));
        setCell(table, row, 3, phases.join(QLatin1Char(',')));
    }
    table->resizeColumnToContents(1);
    table->resizeColumnToContents(2);
}

int ProgramsTable::duplicate(CnfController &controller, const QStringList &ids)
{
    int copies = 0;
    for (const QString &id : ids) {
        const CnfProgramPtr source = controller.findProgram(id);
        if (!source)
            continue;
        auto copy = CnfProgramPtr::create(&controller);
        copy->clone(source);
        copy->id = controller.freeProgramId();
        if (copy->id.isEmpty())
            break;
        // The copy's record names the copy: byte 0 is the program number.
        copy->setData(CnfProgramRecord::numbered(controller, *copy, copy->id));
        QStringList names;
        for (const CnfProgramPtr &program : controller.programs())
            names << program->name;
        copy->name = PowerPart::makeUniqueName(source->name, names);
        if (controller.addProgram(copy))
            ++copies;
    }
    return copies;
}

QString ProgramsTable::takeOverQuestion(const CnfController &controller, const QString &newId)
{
    const QStringList cards = controller.dayCardsNamingMissingProgram(newId);
    if (cards.isEmpty())
        return QString();
    return MainWindowTexts::tr("The following daily cards name program %1, which does not exist:\n"
                               "%2\nA program given id %1 runs their slots. Give it id %1?")
        .arg(newId, cards.join(QLatin1Char(',')));
}

ProgramsTable::Removal ProgramsTable::planRemoval(const CnfController &controller,
                                                  const QStringList &ids)
{
    using Note = CnfReferences::Note;
    Removal removal;
    removal.ids = ids;
    bool noDefault = false;
    bool noReserve = false;
    for (const QString &id : ids) {
        // Indication rows may name the program by its name.
        const CnfProgramPtr program = controller.findProgram(id);
        const QList<CnfReferences::Place> places = CnfReferences::places(
            controller, { CnfReferences::Kind::Program, id, program ? program->name : QString() });
        removal.remoteChanged
            = removal.remoteChanged || CnfReferences::contains(places, Note::RemoteControl);
        for (const QString &card : CnfReferences::owners(places, Note::DayCard)) {
            if (!removal.dayCards.contains(card))
                removal.dayCards << card;
        }
        for (const QString &row : CnfReferences::owners(places, Note::Indication)) {
            if (!removal.indicationRows.contains(row))
                removal.indicationRows << row;
        }
        noDefault = noDefault || CnfReferences::contains(places, Note::DefaultProgram);
        noReserve = noReserve || CnfReferences::contains(places, Note::ReserveProgram);
    }
    removal.namingPrograms = controller.programsNamingProgram(ids);
    removal.question
        = MainWindowTexts::tr("Following programs will be deleted:\n") + ids.join(QLatin1Char(','));
    if (removal.remoteChanged)
        removal.question += MainWindowTexts::tr("\nRCU parameters will be changed after removal");
    if (!removal.dayCards.isEmpty())
        removal.question
            += MainWindowTexts::tr("\nAfter removal, the following daily cards will be wrong:\n")
            + removal.dayCards.join(QLatin1Char(','));
    if (!removal.indicationRows.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the following indication rows "
                                                "will name programs that do not exist:\n")
            + removal.indicationRows.join(QLatin1Char(','));
    if (!removal.namingPrograms.isEmpty())
        removal.question += MainWindowTexts::tr("\nAfter removal, the following programs will lose "
                                                "the program they switch to:\n")
            + removal.namingPrograms.join(QLatin1Char(','));
    // The calendar's default and reserve program become not set.
    if (noDefault)
        removal.question
            += MainWindowTexts::tr("\nAfter removal, the calendar will have no default program");
    if (noReserve)
        removal.question
            += MainWindowTexts::tr("\nAfter removal, the calendar will have no reserve program");
    return removal;
}

void ProgramsTable::remove(CnfController &controller, const Removal &removal)
{
    for (const QString &id : removal.ids)
        controller.removeProgram(id);
}

QList<CnfProgramPtr> ProgramsTable::sortedById(QList<CnfProgramPtr> programs)
{
    std::stable_sort(programs.begin(), programs.end(),
                     [](const CnfProgramPtr &a, const CnfProgramPtr &b) {
                         return a->id.toInt() < b->id.toInt();
                     });
    return programs;
}

bool ProgramsTable::orderOfRows(const QTableWidget *table, const CnfController &controller,
                                QList<CnfProgramPtr> *order)
{
    return MainWindowHelpers::elementsInRowOrder(
        table, [&controller](const QString &id) { return controller.findProgram(id); }, order);
}
