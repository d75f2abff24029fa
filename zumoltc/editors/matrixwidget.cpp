#include "matrixwidget.h"
#include "ui_matrixwidget.h"

#include "editorpages.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include "conflictmatrixmodel.h"
#include "conflictmatrixview.h"

#include <QHash>
#include <QSet>
#include <QVector>

namespace {

QString prefix()
{
    return Prefixes::prefix(Prefixes::Matrix);
}

} // namespace

MatrixWidget::MatrixWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MatrixWidget)
{
    ui->setupUi(this);
    // The view comes with its model, which the validator finds and watches.
    m_validator = new DialogItemValidator(this);
    // They steer the view only: toggling them is no edit.
    m_validator->removeWidget(ui->show_full_name_of_sg);
    m_validator->removeWidget(ui->forbid_cells_with_same_phase);
}

MatrixWidget::~MatrixWidget()
{
    delete ui;
}

void MatrixWidget::load(ZUConfiguration *configuration)
{
    if (m_configuration && m_configuration != configuration)
        disconnect(m_configuration, nullptr, this, nullptr);
    m_configuration = configuration;
    if (!configuration)
        return;
    connect(configuration, &ZUConfiguration::objectAdded, this,
            &MatrixWidget::configuration_objectAdded, Qt::UniqueConnection);
    connect(configuration, &ZUConfiguration::objectDestroyed, this,
            &MatrixWidget::configuration_objectDestroyed, Qt::UniqueConnection);
    const ZUIntergreenMatrix *matrix = configuration->intergreenMatrix();
    PageProtocol::clearIdAndName(ui->id, ui->name, ui->manualName);
    if (matrix)
        PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, prefix(), matrix->id(),
                                    matrix->name());
    updateMatrix();
    m_validator->snapshotAll();
}

QVector<QPair<int, int>> MatrixWidget::samePhasePairs() const
{
    QVector<QPair<int, int>> pairs;
    if (!m_configuration)
        return pairs;
    QHash<const ZUSignalGroup *, int> rowOf;
    for (int row = 0; row < m_groups.size(); ++row) {
        if (m_groups.at(row))
            rowOf.insert(m_groups.at(row), row);
    }
    // Each stage by itself: its groups pair up with each other.
    for (const QPointer<ZUStage> &stage : m_configuration->stages()) {
        if (!stage)
            continue;
        QVector<int> rows;
        for (const QPointer<ZUSignalGroup> &group : stage->groups()) {
            const int row = rowOf.value(group.data(), -1);
            if (row >= 0 && !rows.contains(row))
                rows << row;
        }
        for (int a : qAsConst(rows)) {
            for (int b : qAsConst(rows)) {
                if (a != b)
                    pairs.append({ a, b });
            }
        }
    }
    return pairs;
}

void MatrixWidget::updateMatrix()
{
    if (!m_configuration)
        return;
    m_groups.clear();
    QHash<const ZUSignalGroup *, int> rowOf;
    for (const QPointer<ZUSignalGroup> &group : m_configuration->signalGroups()) {
        if (group) {
            rowOf.insert(group, m_groups.size());
            m_groups << group;
        }
    }
    ConflictMatrixModel *model = ui->matrixTable->matrixModel();
    model->reset(m_groups.size());
    // One pass over the points instead of a lookup per cell; the first point
    // of an ordered pair wins, as the matrix itself reads them.
    if (ZUIntergreenMatrix *matrix = m_configuration->intergreenMatrix()) {
        QSet<int> seen;
        for (const ZUIntergreenMatrix::Point &point : matrix->points()) {
            const int row = rowOf.value(point.clearing.data(), -1);
            const int column = rowOf.value(point.entering.data(), -1);
            if (row < 0 || column < 0 || row == column)
                continue;
            const int cell = row * m_groups.size() + column;
            if (seen.contains(cell))
                continue;
            seen.insert(cell);
            model->setTime(row, column, point.time);
        }
    }
    if (ui->forbid_cells_with_same_phase->isChecked())
        model->lockPairs(samePhasePairs());
    on_show_full_name_of_sg_clicked(ui->show_full_name_of_sg->isChecked());
}

void MatrixWidget::rebuild()
{
    updateMatrix();
    m_validator->snapshot(ui->matrixTable);
}

void MatrixWidget::on_show_full_name_of_sg_clicked(bool checked)
{
    QStringList texts;
    texts.reserve(m_groups.size());
    for (const QPointer<ZUSignalGroup> &group : qAsConst(m_groups)) {
        texts << (!group        ? QString()
                      : checked ? group->text(QString())
                                : QString::number(group->id(), 10));
    }
    ui->matrixTable->matrixModel()->setHeaderTexts(texts);
    ui->matrixTable->resizeColumnsToContents();
}

void MatrixWidget::on_forbid_cells_with_same_phase_clicked(bool checked)
{
    ConflictMatrixModel *model = ui->matrixTable->matrixModel();
    if (checked)
        model->lockPairs(samePhasePairs());
    else
        model->unlockAll();
}

void MatrixWidget::configurationHasChanged(const char *className)
{
    if (className == ZUSignalGroup::staticMetaObject.className())
        rebuild();
}

void MatrixWidget::configuration_objectAdded(ZUBaseObject *obj, int pos)
{
    Q_UNUSED(pos)
    if (qobject_cast<ZUSignalGroup *>(obj))
        rebuild();
}

void MatrixWidget::configuration_objectDestroyed(ZUBaseObject *obj)
{
    // The configuration has taken the group off its list already.
    if (qobject_cast<ZUSignalGroup *>(obj))
        rebuild();
}

void MatrixWidget::on_id_textChanged(const QString &text)
{
    PageProtocol::followId(ui->name, ui->manualName, prefix(), text);
}

void MatrixWidget::on_manualName_toggled(bool checked)
{
    PageProtocol::setManualName(ui->name, checked, prefix(), ui->id->text());
}

void MatrixWidget::on_buttonBox_clicked(QAbstractButton *button)
{
    if (!PageProtocol::isApplyClick(button, !m_configuration.isNull(), *m_validator))
        return;
    ZUIntergreenMatrix *matrix = m_configuration->intergreenMatrix();
    if (!matrix)
        return;
    EditorPages::writeIdAndName(*m_validator, ui->id, ui->name, matrix);
    if (m_validator->isChanged(ui->matrixTable)) {
        const QList<ZUIntergreenMatrix::Point> before = matrix->points();
        // The table's points in row order, found again by their pair.
        using Pair = QPair<ZUSignalGroup *, ZUSignalGroup *>;
        QVector<ZUIntergreenMatrix::Point> cells;
        QHash<Pair, int> cellOf;
        const ConflictMatrixModel *model = ui->matrixTable->matrixModel();
        const int count = qMin(m_groups.size(), model->rowCount());
        for (int row = 0; row < count; ++row) {
            for (int column = 0; column < count; ++column) {
                // A group deleted since the last rebuild takes its cells with it.
                if (row == column || !m_groups.at(row) || !m_groups.at(column))
                    continue;
                const QVariant value = model->cellData(row, column);
                if (!value.isValid())
                    continue;
                bool ok = false;
                const int time = value.toString().trimmed().toInt(&ok, 10);
                if (ok) {
                    cellOf.insert(Pair(m_groups.at(row), m_groups.at(column)), cells.size());
                    cells.append({ m_groups.at(row), m_groups.at(column), time, {} });
                }
            }
        }
        // The stored order stays, so that a one-cell edit changes one point of
        // the file: points still in the table keep their place, new ones follow.
        matrix->clear();
        QVector<bool> placed(cells.size(), false);
        for (const ZUIntergreenMatrix::Point &point : before) {
            const int cell = cellOf.value(Pair(point.clearing.data(), point.entering.data()), -1);
            if (cell < 0 || placed.at(cell))
                continue;
            placed[cell] = true;
            matrix->setConflictTime(point.clearing, point.entering, cells.at(cell).time);
        }
        for (int cell = 0; cell < cells.size(); ++cell) {
            if (!placed.at(cell))
                matrix->setConflictTime(cells.at(cell).clearing, cells.at(cell).entering,
                                        cells.at(cell).time);
        }
        carryKeptMembers(before, matrix->points(), [](const ZUIntergreenMatrix::Point &point, int) {
            return qMakePair(point.clearing.data(), point.entering.data());
        });
    }
    setWindowTitle(matrix->text(QString()));
    m_validator->snapshotAll();
    emit configurationChanged(ZUIntergreenMatrix::staticMetaObject.className());
}
