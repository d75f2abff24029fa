#include "matrixwidget.h"
#include "ui_matrixwidget.h"

#include "namedfields.h"

#include "zumoltc/model/zuconfiguration.h"
#include "zumoltc/shell/framework/dialogitemvalidator.h"
#include "zumoltc/shell/framework/pageprotocol.h"
#include "zumoltc/shell/framework/prefixes.h"

#include <QTableWidgetItem>

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
    connect(configuration, &ZUConfiguration::objectAdded, this, &MatrixWidget::configuration_objectAdded,
            Qt::UniqueConnection);
    connect(configuration, &ZUConfiguration::objectDestroyed, this, &MatrixWidget::configuration_objectDestroyed,
            Qt::UniqueConnection);
    const ZUIntergreenMatrix *matrix = configuration->intergreenMatrix();
    PageProtocol::clearIdAndName(ui->id, ui->name, ui->manualName);
    if (matrix)
        PageProtocol::showIdAndName(ui->id, ui->name, ui->manualName, prefix(), matrix->id(), matrix->name());
    updateMatrix();
    m_validator->snapshotAll();
}

bool MatrixWidget::samePhase(const ZUSignalGroup *a, const ZUSignalGroup *b) const
{
    if (!m_configuration || !a || !b)
        return false;
    for (const QPointer<ZUStage> &stage : m_configuration->stages()) {
        if (!stage)
            continue;
        const QList<QPointer<ZUSignalGroup>> &groups = stage->groups();
        if (groups.contains(const_cast<ZUSignalGroup *>(a)) && groups.contains(const_cast<ZUSignalGroup *>(b)))
            return true;
    }
    return false;
}

void MatrixWidget::updateMatrix()
{
    if (!m_configuration)
        return;
    m_groups.clear();
    for (const QPointer<ZUSignalGroup> &group : m_configuration->signalGroups()) {
        if (group)
            m_groups << group;
    }
    const ZUIntergreenMatrix *matrix = m_configuration->intergreenMatrix();
    const bool forbidSamePhase = ui->forbid_cells_with_same_phase->isChecked();
    ParametersTable *table = ui->matrixTable;
    const int count = m_groups.size();
    table->setRowCount(count);
    table->setColumnCount(count);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < count; ++column) {
            const ZUSignalGroup *clearing = m_groups.at(row);
            const ZUSignalGroup *entering = m_groups.at(column);
            if (row == column || (forbidSamePhase && samePhase(clearing, entering))) {
                table->setCellData(row, column, QVariant(), false);
                continue;
            }
            const int time = matrix ? matrix->conflictTime(m_groups.at(row), m_groups.at(column)) : zu::NotSet;
            table->setCellData(row, column, time == zu::NotSet ? QVariant() : QVariant(time), true);
        }
    }
    on_show_full_name_of_sg_clicked(ui->show_full_name_of_sg->isChecked());
}

void MatrixWidget::rebuild()
{
    updateMatrix();
    m_validator->snapshot(ui->matrixTable);
}

void MatrixWidget::on_show_full_name_of_sg_clicked(bool checked)
{
    ParametersTable *table = ui->matrixTable;
    for (int index = 0; index < m_groups.size() && index < table->rowCount(); ++index) {
        const ZUSignalGroup *group = m_groups.at(index);
        const QString text = !group ? QString()
                                    : checked ? group->text(QString()) : QString::number(group->id(), 10);
        for (auto header : {&QTableWidget::horizontalHeaderItem, &QTableWidget::verticalHeaderItem}) {
            QTableWidgetItem *item = (table->*header)(index);
            if (!item) {
                item = new QTableWidgetItem;
                if (header == &QTableWidget::horizontalHeaderItem)
                    table->setHorizontalHeaderItem(index, item);
                else
                    table->setVerticalHeaderItem(index, item);
            }
            item->setText(text);
        }
    }
    table->resizeColumnsToContents();
}

void MatrixWidget::on_forbid_cells_with_same_phase_clicked(bool checked)
{
    ParametersTable *table = ui->matrixTable;
    const int count = qMin(m_groups.size(), table->rowCount());
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < count; ++column) {
            if (row == column)
                continue;
            if (!checked)
                table->setCellEditable(row, column, true);
            else if (samePhase(m_groups.at(row), m_groups.at(column)))
                table->setCellData(row, column, QVariant(), false);
        }
    }
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
    NamedFields::write(*m_validator, ui->id, ui->name, matrix);
    if (m_validator->isChanged(ui->matrixTable)) {
        matrix->clear();
        const ParametersTable *table = ui->matrixTable;
        const int count = qMin(m_groups.size(), table->rowCount());
        for (int row = 0; row < count; ++row) {
            for (int column = 0; column < count; ++column) {
                // A group deleted since the last rebuild takes its cells with it.
                if (row == column || !m_groups.at(row) || !m_groups.at(column))
                    continue;
                bool ok = false;
                const int time = table->cellData(row, column).toString().trimmed().toInt(&ok, 10);
                if (ok)
                    matrix->setConflictTime(m_groups.at(row), m_groups.at(column), time);
            }
        }
    }
    setWindowTitle(matrix->text(QString()));
    m_validator->snapshotAll();
    emit configurationChanged(ZUIntergreenMatrix::staticMetaObject.className());
}
