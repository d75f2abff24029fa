#include "programvalidation.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"
#include "mainwindowtexts.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

QString ProgramValidation::findFaults(const CnfController &controller, bool computedTransitions)
{
    const CnfMatrixPtr matrix = controller.safetyMatrix();
    QStringList missing;
    QStringList conflicts;
    for (const CnfProgramPtr &program : controller.programs()) {
        const QList<CnfSignalGroupPtr> groups = program->signalGroups();
        for (int i = 0; i < program->phaseCount(); ++i) {
            const CnfPhaseDefPtr step = program->phaseDefAt(i);
            const CnfPhaseDefPtr before = step ? step->previous() : CnfPhaseDefPtr();
            // One step alone has no phase change to check.
            if (!before)
                continue;
            const CnfTransitionPtr transition
                = computedTransitions ? step->createTransition() : step->findTransition();
            if (!transition) {
                missing << MainWindowTexts::tr("Program %1, transition %2->%3")
                               .arg(program->id, before->id(), step->id());
                continue;
            }
            if (!matrix)
                continue;
            // Every closing group against every opening one, wherever either
            // stands in the program's list.
            for (const CnfSignalGroupPtr &closing : groups) {
                if (!closing || step->greenChange(closing->id) != CnfPhaseDef::GreenEnds)
                    continue;
                for (const CnfSignalGroupPtr &opening : groups) {
                    if (!opening || step->greenChange(opening->id) != CnfPhaseDef::GreenBegins)
                        continue;
                    if (std::isnan(matrix->releaf(opening, closing)))
                        continue;
                    const int end = transition->greenEnd.value(closing->id, 0);
                    const int start = transition->greenStart.value(opening->id, 0);
                    if (end >= start)
                        conflicts << MainWindowTexts::tr(
                                         "Program %1, transition %2->%3, SG %4 and %5")
                                         .arg(program->id, before->id(), step->id())
                                         .arg(closing->id)
                                         .arg(opening->id);
                }
            }
        }
    }
    QString text;
    if (!missing.isEmpty())
        text = MainWindowTexts::tr("Incorrect phase transitions:\n")
            + missing.join(QLatin1Char('\n'));
    if (!conflicts.isEmpty()) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += MainWindowTexts::tr("Conflict of green:\n") + conflicts.join(QLatin1Char('\n'));
    }
    return text;
}
