#pragma once

#include "pagetesting.h"
#include "zumoltc/editors/signalplanwidget.h"
#include "zumoltc/model/zuconfiguration.h"

#include "common/widgets/parameterstable.h"

#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTest>

// The signal plans of tests/data/zumoltc/plans.json on one page:
// groups A (1) and B (2); stages 1..3; detectors 1 and 2;
// plan 1 timeline, cycle 60, A green 0 / red 20, B red 0;
// plan 2 timeline without cycle, A green 0 / red 20;
// plan 3 stage ring 1, 2, 3 (calls 1->3, 2->3, 3->2) with three call sources;
// plan 4 stage ring stored in the order 1, 3, 2 (calls 1->3, 2->1, 3->2);
// plan 5 special without mode;
// plan 6 stage ring of phases 5 and 7 (7 calls 5), cycle 90, offset 5, coordinated.
namespace SignalPlanFixture {

using namespace PageTesting;

struct Fixture
{
    // Shows the plans with these ids (one by default).
    explicit Fixture(const QList<int> &ids)
    {
        error = loadFixture(&configuration, QStringLiteral("plans.json"));
        QList<QPointer<ZUSignalPlan>> plans;
        for (int id : ids)
            plans << configuration.findSignalPlan(id);
        page.setObjects(&configuration, plans);
    }
    explicit Fixture(int id = 1)
        : Fixture(QList<int> { id })
    {
    }

    ParametersTable *table(const char *name) const { return field<ParametersTable>(page, name); }
    ParametersTable *timeline() const { return table("timeline_table"); }
    ParametersTable *steps() const { return table("stagering_table"); }
    ParametersTable *sources() const { return table("stagering_dt_table"); }
    ZUSignalPlan *plan(int id) const { return configuration.findSignalPlan(id); }

    // Stores a cell value as the cell's editor would; an invalid value empties it.
    static void setCell(ParametersTable *table, int row, int column, const QVariant &value)
    {
        while (table->columnCount() <= column)
            table->insertColumn(table->columnCount());
        table->model()->setData(table->model()->index(row, column), value, Qt::EditRole);
    }
    // Replaces the cells of a timeline row (empty texts empty the cell).
    void setTimelineRow(int row, const QStringList &cells) const
    {
        for (int column = 0; column < std::max(cells.size(), timeline()->columnCount()); ++column)
            setCell(timeline(), row, column,
                    cells.value(column).isEmpty() ? QVariant() : QVariant(cells.value(column)));
    }
    QStringList row(const ParametersTable *table, int row) const
    {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->cellData(row, column).toString();
        return cells;
    }

    // Clicks a column header, with Ctrl to add to the selection.
    static void clickColumn(ParametersTable *table, int column,
                            Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QHeaderView *header = table->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, at);
    }

    QJsonObject savedPlan(int id) const
    {
        for (const QJsonValue &plan : saved(const_cast<ZUConfiguration *>(&configuration))
                                          .value(QStringLiteral("plans"))
                                          .toArray()) {
            if (plan.toObject().value(QStringLiteral("id")).toInt() == id)
                return plan.toObject().value(QStringLiteral("algorithm")).toObject();
        }
        return {};
    }
    // The saved intervals of a group as "point state" texts, e.g. "0 green".
    QStringList savedSequence(int planId, int group) const
    {
        QStringList points;
        for (const QJsonValue &sequence :
             savedPlan(planId).value(QStringLiteral("sequences")).toArray()) {
            if (sequence.toObject().value(QStringLiteral("group")).toInt() != group)
                continue;
            for (const QJsonValue &point :
                 sequence.toObject().value(QStringLiteral("sequence")).toArray()) {
                points << QStringLiteral("%1 %2").arg(
                    point.toObject().value(QStringLiteral("point")).toVariant().toString(),
                    point.toObject().value(QStringLiteral("state")).toString());
            }
        }
        return points;
    }

    QString error;
    ZUConfiguration configuration;
    SignalPlanWidget page;
};

} // namespace SignalPlanFixture
