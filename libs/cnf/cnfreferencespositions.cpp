// CnfReferences: the records' places counted by position in the phase and
// program lists.

#include "cnfcontroller.h"
#include "cnfprogram.h"
#include "cnfprogramrecord.h"
#include "cnfreferencefinders.h"
#include "cnfreferences.h"

#include <QDomDocument>

QList<QStringList> CnfReferences::phasePositions(const CnfController &controller)
{
    QList<QStringList> ids;
    for (const CnfProgramPtr &program : controller.programs())
        ids << (program ? CnfProgramRecord::phaseIds(controller, *program) : QStringList());
    return ids;
}

void CnfReferences::countPhasesAnew(const CnfController &controller,
                                    const QList<QStringList> &before)
{
    if (!CnfReferenceFinders::isFirstLine(controller))
        return;
    const QDomDocument layout = controller.tiverkLayout();
    const QList<CnfProgramPtr> programs = controller.programs();
    for (int i = 0; i < programs.size() && i < before.size(); ++i) {
        const CnfProgramPtr &program = programs.at(i);
        if (program && program->data().size() > 2)
            program->setData(
                CnfProgramRecord::reindexed(layout, program->data(), before.at(i),
                                            CnfProgramRecord::phaseIds(controller, *program)));
    }
}

QStringList CnfReferences::programPositions(const CnfController &controller)
{
    QStringList ids;
    for (const CnfProgramPtr &program : controller.programs())
        ids << (program ? program->id : QString());
    return ids;
}

void CnfReferences::countProgramsAnew(const CnfController &controller, const QStringList &before)
{
    if (!CnfReferenceFinders::isFirstLine(controller))
        return;
    const QDomDocument layout = controller.tiverkLayout();
    const QStringList after = programPositions(controller);
    for (const CnfProgramPtr &program : controller.programs()) {
        if (program && program->data().size() > 2)
            program->setData(
                CnfProgramRecord::withProgramsReindexed(layout, program->data(), before, after));
    }
}
