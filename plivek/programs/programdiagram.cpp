#include "programdiagram.h"

#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnftransition.h"

#include <QCoreApplication>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// One row's stretches laid end to end from a position on.
class RowPen
{
public:
    RowPen(const std::function<void(int, double, double, int)> &bar, int groupIndex, double pos)
        : m_bar(bar)
        , m_groupIndex(groupIndex)
        , m_pos(pos)
    {
    }
    double pos() const { return m_pos; }
    void draw(double length, int state)
    {
        m_bar(m_groupIndex, m_pos, m_pos + length, state);
        m_pos += length;
    }

private:
    const std::function<void(int, double, double, int)> &m_bar;
    int m_groupIndex;
    double m_pos;
};

// The program's groups in the diagram's row order: by number.
QList<CnfSignalGroupPtr> sortedGroups(const CnfProgram &program)
{
    QList<CnfSignalGroupPtr> groups = program.signalGroups();
    groups.removeAll(CnfSignalGroupPtr());
    std::stable_sort(
        groups.begin(), groups.end(),
        [](const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) { return a->id < b->id; });
    return groups;
}

} // namespace

ProgramDiagram::ProgramDiagram(TransitionSource transitions)
    : m_transitions(std::move(transitions))
{
    if (!m_transitions)
        m_transitions = [](const CnfPhaseDef &def) {
            return def.createTransition();
        };
}

void ProgramDiagram::draw(plotlet::Chart *chart, const CnfProgramPtr &program,
                          const CnfController *controller, bool supported) const
{
    chart->removeAllSeries();
    chart->yAxis()->resetCustomLabels();
    if (!program)
        return;
    chart->setError(QString());
    if (!supported) {
        chart->setError(QCoreApplication::translate("ProgramDlg", "not supported"));
        return;
    }

    auto bars = std::make_unique<plotlet::ColorHBoxSeries>();
    bars->setShowLength(true);
    auto rects = std::make_unique<plotlet::RectangleSeries>();

    const QList<CnfSignalGroupPtr> groups = sortedGroups(*program);
    const int n = groups.size();
    for (int i = 0; i < n; ++i) {
        chart->yAxis()->setCustomLabel(
            n - i,
            QString::number(groups.at(i)->id) + QLatin1Char('(')
                + CnfSignalGroup::type2String(groups.at(i)->type, true, true) + QLatin1Char(')'));
    }

    const QPixmap greenBlink(QStringLiteral(":/images/gb.png"));
    const BarSink bar = [&](int groupIndex, double from, double to, int state) {
        const double row = n - groupIndex;
        switch (state) {
        case CnfSignalGroup::RedYellow:
            bars->addBar(from, to, row, QColor(Qt::red), QColor(Qt::yellow));
            break;
        case CnfSignalGroup::GreenBlink:
            bars->addBar(from, to, row, greenBlink);
            break;
        default:
            bars->addBar(from, to, row,
                         QColor(state == CnfSignalGroup::Green        ? Qt::green
                                    : state == CnfSignalGroup::Yellow ? Qt::yellow
                                                                      : Qt::red));
            break;
        }
    };
    QString error;
    if (!layOut(*program, controller, groups, bar, rects.get(), &error)) {
        chart->setError(error);
        return;
    }
    chart->addSeries(bars.release());
    chart->addSeries(rects.release());
}

bool ProgramDiagram::layOut(const CnfProgram &program, const CnfController *controller,
                            const QList<CnfSignalGroupPtr> &groups, const BarSink &bar,
                            plotlet::RectangleSeries *rects, QString *error) const
{
    const int n = groups.size();
    const int cycle = program.cycle(true);
    const int offset = program.cycleOffset(0);
    const int variant = program.interstateVariant;
    const CnfMatrixPtr matrix = controller ? controller->safetyMatrix() : CnfMatrixPtr();
    const bool singleStep = program.phaseCount() == 1;
    for (int k = 0; k < program.phaseCount(); ++k) {
        const CnfPhaseDefPtr def = program.phaseDefAt(k);
        const int interstate = def->phaseInterstate();
        // The step starts at a second of the controller's cycle; the diagram draws the
        // program's own seconds, from 0 to the cycle.
        int s = def->start() - offset;
        if (s < 0)
            s += cycle;
        const int l = def->length();
        const QString caption = QCoreApplication::translate("ProgramDlg", "Phase %1\n%2 sec")
                                    .arg(def->id(), QString::number(l));
        if (rects)
            rects->addRect({ QRectF(s, 0, l, n + 1), Qt::black, Qt::lightGray, 0.6, caption });

        // A single step follows itself: nothing changes between its cycles.
        const CnfPhaseDefPtr before = singleStep ? def : def->previous();
        const CnfTransitionPtr transition
            = singleStep ? CnfTransitionPtr::create() : m_transitions(*def);
        if (!transition || !before) {
            if (error) {
                *error
                    = QCoreApplication::translate("ProgramDlg", "Wrong phase transition %1 -> %2")
                          .arg(before ? before->id() : QString(), def->id());
            }
            return false;
        }
        double t = s - interstate;
        if (t < 0)
            t += cycle;
        const double e = t + interstate;

        const CnfPhasePtr phase = def->phase();
        const CnfPhasePtr previousPhase = before->phase();
        for (int gi = 0; gi < n; ++gi) {
            const CnfSignalGroupPtr &g = groups.at(gi);
            const double row = n - gi;
            const bool green = phase && phase->contains(g->id);
            const int color = green ? CnfSignalGroup::Green : CnfSignalGroup::Red;
            bar(gi, s, s + l, color);
            const bool wasGreen = previousPhase && previousPhase->contains(g->id);
            RowPen pen(bar, gi, t);
            if (wasGreen == green) {
                pen.draw(e - t, color);
            } else if (green) {
                const int d = transition->greenStart.value(g->id, 0);
                const int redYellow = std::min(d, g->redYellow(variant));
                if (d != redYellow)
                    pen.draw(d - redYellow, CnfSignalGroup::Red);
                if (redYellow != 0)
                    pen.draw(redYellow, CnfSignalGroup::RedYellow);
            } else {
                const int greenEnd = transition->greenEnd.value(g->id, 0);
                if (matrix && rects) {
                    for (int hi = gi + 1; hi < n; ++hi) {
                        const CnfSignalGroupPtr &h = groups.at(hi);
                        if (!(phase && phase->contains(h->id)) || std::isnan(matrix->releaf(h, g)))
                            continue;
                        const int greenStart = transition->greenStart.value(h->id, 0);
                        if (greenEnd - greenStart >= 0) {
                            rects->addRect(
                                { QRectF(t + greenStart, row, greenEnd - greenStart, -(hi - gi)),
                                  Qt::black, Qt::red, 0.5, QString() });
                        }
                    }
                }
                const int blink = std::min(greenEnd, g->greenBlink(variant));
                if (greenEnd - blink != 0)
                    pen.draw(greenEnd - blink, CnfSignalGroup::Green);
                if (blink != 0)
                    pen.draw(blink, CnfSignalGroup::GreenBlink);
                if (g->yellow(variant) != 0)
                    pen.draw(g->yellow(variant), CnfSignalGroup::Yellow);
            }
            if (pen.pos() < e)
                pen.draw(e - pen.pos(), color);
        }
    }
    return true;
}

QMap<int, QVector<int>> ProgramDiagram::secondStates(const CnfProgram &program,
                                                     const CnfController *controller,
                                                     QString *error) const
{
    const QList<CnfSignalGroupPtr> groups = sortedGroups(program);
    const int cycle = program.cycle(true);
    QVector<QVector<int>> rows(groups.size(), QVector<int>(qMax(cycle, 0), CnfSignalGroup::Off));
    // Stretches drawn past the cycle's end wrap round to its start, and a later stretch
    // covers an earlier one, as on the drawing.
    const BarSink bar = [&](int groupIndex, double from, double to, int state) {
        for (int second = int(std::ceil(from)); second < to && cycle > 0; ++second)
            rows[groupIndex][((second % cycle) + cycle) % cycle] = state;
    };
    if (!layOut(program, controller, groups, bar, nullptr, error))
        return {};
    QMap<int, QVector<int>> states;
    for (int i = 0; i < groups.size(); ++i)
        states.insert(groups.at(i)->id, rows.at(i));
    return states;
}
