#include "signalplans.h"

#include "programdiagram.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"

#include <QCoreApplication>

namespace {

// Tiverk algorithm kinds that run their steps with fixed lengths.
bool isFixedTime(const CnfProgram &program)
{
    switch (program.type) {
    case CnfProgram::FixedTime:
    case CnfProgram::Coordinated:
        return true;
    case CnfProgram::Tiverk:
        return program.kind == 1 || program.kind == 2;
    default:
        return false;
    }
}

Halm58a::SignalPlan::Colour colourOf(int state)
{
    switch (state) {
    case CnfSignalGroup::Red:
        return Halm58a::SignalPlan::Red;
    case CnfSignalGroup::RedYellow:
        return Halm58a::SignalPlan::RedYellow;
    case CnfSignalGroup::Green:
        return Halm58a::SignalPlan::Green;
    case CnfSignalGroup::GreenBlink:
        return Halm58a::SignalPlan::GreenBlink;
    case CnfSignalGroup::Yellow:
        return Halm58a::SignalPlan::Yellow;
    default:
        return Halm58a::SignalPlan::Dark;
    }
}

} // namespace

QList<Halm58a::SignalPlan> signalPlansOf(const CnfController &controller, int junctionNumber)
{
    QList<Halm58a::SignalPlan> plans;
    bool numbered = false;
    if (controller.property("number").toInt(&numbered) != junctionNumber || !numbered)
        return plans;
    const ProgramDiagram diagram;
    for (const CnfProgramPtr &program : controller.programs()) {
        if (!program)
            continue;
        Halm58a::SignalPlan plan;
        plan.id = program->id;
        if (!isFixedTime(*program)) {
            const QString type = program->type == CnfProgram::Tiverk
                ? CnfProgram::tiverkTypeName(program->kind, QString(), true)
                : CnfProgram::typeName(program->type, true);
            plan.error
                = QCoreApplication::translate("SignalPlans", "\"%1\" is not a fixed-time program")
                      .arg(type);
        } else if (program->phaseCount() == 0 || program->cycle(true) <= 0) {
            plan.error = QCoreApplication::translate("SignalPlans", "it has no steps");
        } else {
            plan.offset = program->cycleOffset(0);
            plan.cycle = program->cycle(true);
            QString error;
            const QMap<int, QVector<int>> states
                = diagram.secondStates(*program, &controller, &error);
            if (!error.isEmpty())
                plan.error = error;
            // The diagram draws the program's own seconds, as the plan holds them; the
            // offset goes with the plan.
            for (auto it = states.cbegin(); it != states.cend(); ++it) {
                QVector<Halm58a::SignalPlan::Colour> colours(plan.cycle);
                for (int second = 0; second < plan.cycle; ++second)
                    colours[second] = colourOf(it->value(second));
                plan.colours.insert(it.key(), colours);
            }
            // Groups the program never runs stay red through its cycle.
            for (const CnfSignalGroupPtr &group : controller.signalGroups()) {
                if (group && !plan.colours.contains(group->id))
                    plan.colours.insert(
                        group->id,
                        QVector<Halm58a::SignalPlan::Colour>(plan.cycle, Halm58a::SignalPlan::Red));
            }
        }
        plans.append(plan);
    }
    return plans;
}
