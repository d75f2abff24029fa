#include "signalplanwidget.h"
#include "ui_signalplanwidget.h"

#include "common/widgets/parameterstable.h"
#include "common/widgets/timelineitemdelegate.h"
#include "plotlet/axis.h"
#include "plotlet/chart.h"
#include "plotlet/colorhboxseries.h"
#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/model/zuenums.h"
#include "zumoltc/model/zusignalplan.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"

#include <QHash>
#include <QSignalBlocker>
#include <QTableWidgetItem>

#include <algorithm>
#include <climits>
#include <memory>

namespace {

// The parts of a timeline cell "state|seconds"; empty parts are dropped, so an
// empty cell has none.
QStringList cellParts(const QVariant &cell)
{
    return cell.toString().split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// The seconds of a cell that is a state and a whole number; false for any other
// cell, an empty one included.
bool cellLength(const QStringList &parts, int *seconds)
{
    bool ok = false;
    if (parts.size() == 2)
        *seconds = parts.at(1).toInt(&ok);
    return ok;
}

} // namespace

void SignalPlanWidget::setUpTimeline()
{
    ui->timeline_table->autoExtendColumns = true;
    ui->timeline_table->setItemDelegate(new TimelineItemDelegate(ui->timeline_table));
    ui->timeline_chart->setMinGridStepX(1.0);
}

void SignalPlanWidget::loadTimelinePage()
{
    ZUSignalPlan *plan = m_plan;
    if (!plan || !m_configuration)
        return;
    ui->timeline_cycle_length->setValue(plan->cycle());
    ui->timeline_cycle_offset->setValue(plan->offset());
    ui->timeline_coordinated->setChecked(plan->coordinated());

    ParametersTable *table = ui->timeline_table;
    const QSignalBlocker blocker(table);
    table->setRowCount(0);
    table->setColumnCount(0);
    m_timelineGroups.clear();
    for (const QPointer<ZUSignalGroup> &group : m_configuration->signalGroups()) {
        if (!group)
            continue;
        const int row = table->rowCount();
        table->insertRow(row);
        table->setVerticalHeaderItem(row, new QTableWidgetItem(group->text(QString())));
        m_timelineGroups << group;
        for (const ZUSignalPlan::Sequence &sequence : plan->sequences()) {
            if (sequence.group != group)
                continue;
            int column = 0;
            for (auto point = sequence.sequence.cbegin(); point != sequence.sequence.cend();
                 ++point, ++column) {
                if (table->columnCount() <= column)
                    table->insertColumn(column);
                const auto next = std::next(point);
                // The last interval runs to the cycle's end; a plan without cycle
                // ends at the not-set value.
                const qint64 end
                    = next != sequence.sequence.cend() ? next.key() : qint64(plan->cycle());
                const int state = int(point.value());
                const QString key = state >= zu::green && state <= zu::red_amber
                    ? enumKey<zu::TimelineState>(state)
                    : QStringLiteral("black");
                table->setCellData(row, column,
                                   QStringLiteral("%1|%2").arg(key).arg(end - point.key()), true);
            }
            break;
        }
    }
    if (table->columnCount() == 0)
        table->setColumnCount(1);
    updateTimelineChart();
    table->resizeColumnsToContents();
}

void SignalPlanWidget::updateTimelineChart()
{
    plotlet::Chart *chart = ui->timeline_chart;
    chart->removeAllSeries();
    chart->yAxis()->resetCustomLabels();
    chart->setError(QString());
    auto bars = std::make_unique<plotlet::ColorHBoxSeries>();
    bars->setShowLength(true);

    ParametersTable *table = ui->timeline_table;
    int y = table->rowCount();
    // Totals add up in 64 bits: long intervals must not wrap round to negative lengths.
    qint64 longest = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        bool invalid = false;
        qint64 start = 0;
        qint64 total = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            if (parts.isEmpty())
                continue;
            int length = 0;
            if (!cellLength(parts, &length)) {
                invalid = true;
                break;
            }
            total += length;
            const qint64 end = start + length;
            const double from = double(start);
            const double to = double(end);
            const QString &state = parts.at(0);
            if (state == QLatin1String("red"))
                bars->addBar(from, to, y, QColor(Qt::red));
            else if (state == QLatin1String("green"))
                bars->addBar(from, to, y, QColor(Qt::green));
            else if (state == QLatin1String("amber"))
                bars->addBar(from, to, y, QColor(Qt::yellow));
            else if (state == QLatin1String("red_amber"))
                bars->addBar(from, to, y, QColor(Qt::red), QColor(Qt::yellow));
            else if (state == QLatin1String("green_blink"))
                bars->addBar(from, to, y, QPixmap(QStringLiteral(":/images/gb.png")));
            else
                invalid = true;
            start = end;
        }
        if (QTableWidgetItem *header = table->verticalHeaderItem(row)) {
            QString text = header->text();
            const int brace = text.indexOf(QLatin1Char('{'));
            if (brace >= 0)
                text.truncate(brace);
            if (total != 0)
                text += QStringLiteral("{%1}").arg(total);
            header->setText(text);
            // A row without intervals draws nothing: labelled, it would stand at
            // the height of the next row's bars, or of none after the last.
            if (total != 0)
                chart->yAxis()->setCustomLabel(y, text);
        } else {
            invalid = true;
        }
        // A row without intervals leaves its height to the next row.
        if (total != 0) {
            --y;
            longest = std::max(longest, total);
        }
        if (invalid) {
            chart->setError(tr("Table contains invalid data"));
            return;
        }
    }
    ui->timeline_cycle_length->setValue(longest >= INT_MAX ? int(zu::NotSet) : int(longest));
    chart->addSeries(bars.release());
}

void SignalPlanWidget::on_timeline_table_itemChanged(QTableWidgetItem * /*item*/)
{
    updateTimelineChart();
}

bool SignalPlanWidget::timelineValid() const
{
    const ParametersTable *table = ui->timeline_table;
    if (!m_configuration || table->rowCount() > m_configuration->signalGroups().size())
        return false;
    for (int row = 0; row < table->rowCount(); ++row) {
        // A row whose group was deleted since loading has nowhere to go.
        if (!m_timelineGroups.value(row))
            return false;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            int length = 0;
            if (!parts.isEmpty() && !cellLength(parts, &length))
                return false;
        }
    }
    return true;
}

void SignalPlanWidget::applyTimeline(ZUSignalPlan *plan, bool all)
{
    applyCycle(plan, all, ui->timeline_cycle_length, ui->timeline_cycle_offset,
               ui->timeline_coordinated);
    if (!all && !m_validator->isChanged(ui->timeline_table))
        return;
    const QList<ZUSignalPlan::Sequence> before = plan->sequences();
    plan->clearSequences();
    // Per group, the new point of each column (-1 where the column stores none).
    QHash<const ZUSignalGroup *, QVector<int>> columnPoints;
    const ParametersTable *table = ui->timeline_table;
    for (int row = 0; row < table->rowCount(); ++row) {
        // Each row goes to the group it was loaded for, wherever that group moved.
        const QPointer<ZUSignalGroup> group = m_timelineGroups.value(row);
        if (!group)
            continue;
        QMap<int, zu::TimelineState> sequence;
        QVector<int> &points = columnPoints[group.data()];
        points.fill(-1, table->columnCount());
        qint64 time = 0;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QStringList parts = cellParts(table->cellData(row, column));
            int length = 0;
            if (!cellLength(parts, &length))
                continue;
            // A point at or beyond the not-set value cannot be stored.
            const int state = enumFromKey<zu::TimelineState>(parts.at(0));
            if (state != zu::NotSet && time >= INT_MIN && time < INT_MAX) {
                sequence.insert(int(time), zu::TimelineState(state));
                points[column] = int(time);
            }
            time += length;
        }
        if (!sequence.isEmpty())
            plan->setGroupSequence(group, sequence);
    }
    carryKeptMembers(before, plan->sequences(),
                     [](const ZUSignalPlan::Sequence &record, int) { return record.group.data(); });
    // A point's own members are kept under its second. The table showed the
    // n-th point in column n: the members go to the point of that column,
    // also when an edit of an earlier interval moved it.
    for (ZUSignalPlan::Sequence &record : plan->sequences()) {
        const auto old = std::find_if(before.cbegin(), before.cend(),
                                      [&record](const ZUSignalPlan::Sequence &loaded) {
                                          return loaded.group == record.group;
                                      });
        if (old == before.cend() || old->kept.isEmpty())
            continue;
        KeptMembers kept;
        kept.setMembers("", old->kept.members(""));
        const QVector<int> points = columnPoints.value(record.group.data());
        int column = 0;
        for (auto point = old->sequence.cbegin();
             point != old->sequence.cend() && column < points.size(); ++point, ++column) {
            if (points.at(column) >= 0)
                kept.setMembers(QByteArray::number(points.at(column)).constData(),
                                old->kept.members(QByteArray::number(point.key()).constData()));
        }
        record.kept = kept;
    }
}
