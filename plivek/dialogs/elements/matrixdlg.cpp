#include "matrixdlg.h"

#include "ui_matrixdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfmatrixcell.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfsignalgroup.h"
#include "common/widgets/checkboxdelegate.h"
#include "halm58a/conflictmatrix.h"
#include "halm58a/connection.h"
#include "halm58a/crosswalk.h"
#include "halm58a/granule.h"
#include "halm58a/network.h"
#include "halm58a/node.h"
#include "halm58a/signalgroup.h"
#include "halm58ga/genericgraphicsitem.h"
#include "halm58ga/networkg.h"
#include "plivek/framework/dialogitemvalidator.h"
#include "plivek/framework/doublespinboxdelegate.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QSettings>
#include <QSignalBlocker>

#include <cmath>
#include <limits>

namespace {

const char *const ShowFullNameKey = "MatrixDlg/show_full_name_of_sg";
const QColor RowColor(QStringLiteral("#fccbcb"));
const QColor ColumnColor(QStringLiteral("#cbfcd1"));

double noValue()
{
    return std::numeric_limits<double>::quiet_NaN();
}

// Two decimals, a half rounding up.
double roundToHundredths(double value)
{
    return std::floor(value * 100.0 + 0.5) / 100.0;
}

bool isSolid(const QTableWidgetItem *item, Qt::GlobalColor color)
{
    const QBrush brush = item->background();
    return brush.style() == Qt::SolidPattern && brush.color() == QColor(color);
}

// A cell's number; "," is read as the decimal point. NaN when it holds none.
double cellNumber(const QVariant &value)
{
    bool ok = false;
    double number = value.toDouble(&ok);
    if (ok)
        return number;
    QString text = value.toString();
    if (text.contains(QLatin1Char(','))) {
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        number = text.toDouble(&ok);
        if (ok)
            return number;
    }
    return noValue();
}

// The pairs of distinct signal groups that one phase runs together, as
// indexes into the controller's group list (groups not in the list skipped).
QList<QPair<int, int>> samePhasePairs(const CnfController *controller)
{
    QList<QPair<int, int>> pairs;
    const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
    for (const CnfPhasePtr &phase : controller->phases()) {
        for (const CnfSignalGroupPtr &a : phase->signalGroups) {
            for (const CnfSignalGroupPtr &b : phase->signalGroups) {
                const int row = groups.indexOf(a);
                const int column = groups.indexOf(b);
                if (a != b && row >= 0 && column >= 0)
                    pairs.append({ row, column });
            }
        }
    }
    return pairs;
}

} // namespace

MatrixDlg::MatrixDlg(QWidget *parent, CnfController *controller, const CnfMatrixPtr &matrix,
                     Halm58a::Network *network, bool conflict)
    : QDialog(parent)
    , ui(new Ui::MatrixDlg)
    , controller(controller)
    , edited(matrix)
    , network(network)
    , conflict(conflict)
    , validator(new DialogItemValidator(this))
{
    ui->setupUi(this);

    QList<int> ids;
    QStringList names;
    if (controller) {
        for (const CnfMatrixPtr &other : controller->matrixList()) {
            if (!other || other == matrix || (matrix && other->id() == matrix->id()))
                continue;
            ids << other->id();
            names << other->name();
        }
    }
    ids << 0;
    names.removeAll(QString());
    validator->addSpinBox(ui->id, ids);
    validator->addLineEdit(ui->name, names);

    if (!edited) {
        edited = CnfMatrixPtr::create();
        setWindowTitle(conflict ? tr("New conflict matrix") : tr("New matrix"));
    } else if (conflict) {
        setWindowTitle(tr("Conflict matrix"));
    } else {
        ui->id->setValue(edited->id());
        ui->name->setText(edited->name());
        QString title = tr("Matrix %1").arg(edited->id());
        if (!edited->name().isEmpty())
            title += QLatin1Char(' ') + edited->name();
        setWindowTitle(title);
    }

    if (conflict) {
        // The conflict matrix keeps its identifier and name; there is nothing to edit.
        for (QWidget *widget :
             { static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->id),
               static_cast<QWidget *>(ui->label_2), static_cast<QWidget *>(ui->name) })
            widget->hide();
        // Deleting the row's layout takes it out of the dialog's layout; a layout only
        // removed from there belongs to nothing and would never be freed.
        delete ui->idLayout;
        ui->idLayout = nullptr;
        ui->useConflictMatrix->hide();
        ui->matrixTable->setItemDelegate(new CheckBoxDelegate(ui->matrixTable, false, false));
    } else {
        ui->matrixTable->setItemDelegate(new DoubleSpinBoxDelegate(ui->matrixTable));
    }

    // A network without any node has no geometry to derive a matrix from.
    if (network && network->findChildren<Halm58a::Node *>().isEmpty()) {
        delete ui->useConflictMatrix;
        ui->useConflictMatrix = nullptr;
        delete ui->fromGeometry;
        ui->fromGeometry = nullptr;
    }

    fillTable();
    if (!QSettings().value(QLatin1String(ShowFullNameKey), false).toBool())
        ui->show_full_name_of_sg->click();
}

MatrixDlg::~MatrixDlg()
{
    // No highlight outlives the dialog.
    for (int row = 0; row < ui->matrixTable->rowCount(); ++row) {
        if (const QTableWidgetItem *header = ui->matrixTable->verticalHeaderItem(row))
            highlightGroup(header->data(Qt::UserRole).toInt(), QColor());
    }
    delete ui;
}

void MatrixDlg::fillTable()
{
    TiverkEditTable *table = ui->matrixTable;
    const QList<CnfSignalGroupPtr> groups
        = controller ? controller->signalGroups() : QList<CnfSignalGroupPtr>();
    const int count = groups.size();
    table->setPasteTextAsIs(conflict);
    {
        const QSignalBlocker blocker(table);
        table->setRowCount(count);
        table->setColumnCount(count);
        for (int index = 0; index < count; ++index) {
            const CnfSignalGroupPtr &group = groups.at(index);
            for (bool vertical : { true, false }) {
                auto *header = new QTableWidgetItem(group->friendlyName());
                header->setData(Qt::UserRole, group->id);
                if (vertical)
                    table->setVerticalHeaderItem(index, header);
                else
                    table->setHorizontalHeaderItem(index, header);
            }
        }
        for (int row = 0; row < count; ++row) {
            for (int column = 0; column < count; ++column) {
                const double value = edited->releaf(groups.at(column), groups.at(row));
                if (conflict)
                    table->setCellValue(row, column, !std::isnan(value));
                else if (std::isnan(value))
                    table->setItem(row, column, new QTableWidgetItem);
                else
                    table->setCellValue(row, column, roundToHundredths(value));
                if (row == column) {
                    QTableWidgetItem *item = table->item(row, column);
                    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
                    item->setBackground(QColor(Qt::lightGray));
                }
            }
        }
        for (int row = 0; row < count; ++row) {
            for (int column = row + 1; column < count; ++column)
                markAsymmetry(table->item(row, column));
        }
        if (ui->forbid_cells_with_same_phase->isChecked())
            on_forbid_cells_with_same_phase_toggled(true);
    }
    table->resizeColumnsToContents();
}

CnfSignalGroupPtr MatrixDlg::rowGroup(int row) const
{
    const QTableWidgetItem *header = ui->matrixTable->verticalHeaderItem(row);
    return header && controller ? controller->findSG(header->data(Qt::UserRole).toInt())
                                : CnfSignalGroupPtr();
}

CnfSignalGroupPtr MatrixDlg::columnGroup(int column) const
{
    const QTableWidgetItem *header = ui->matrixTable->horizontalHeaderItem(column);
    return header && controller ? controller->findSG(header->data(Qt::UserRole).toInt())
                                : CnfSignalGroupPtr();
}

void MatrixDlg::lockIdAndName()
{
    ui->id->setEnabled(false);
    ui->name->setEnabled(false);
}

void MatrixDlg::markAsymmetry(QTableWidgetItem *item)
{
    if (!item || item->row() == item->column())
        return;
    QTableWidgetItem *mirror = ui->matrixTable->item(item->column(), item->row());
    if (!mirror)
        return;
    const bool itemHasValue = item->data(Qt::DisplayRole).isValid();
    const bool mirrorHasValue = mirror->data(Qt::DisplayRole).isValid();
    if (itemHasValue == mirrorHasValue) {
        const QBrush base = QTableWidget().palette().brush(QPalette::Base);
        for (QTableWidgetItem *each : { item, mirror }) {
            if (isSolid(each, Qt::yellow))
                each->setBackground(base);
        }
    } else {
        (itemHasValue ? mirror : item)->setBackground(QColor(Qt::yellow));
    }
    if (ui->matrixTable->currentItem() == item)
        markMirror(item);
}

void MatrixDlg::markMirror(QTableWidgetItem *item)
{
    if (!item)
        return;
    QTableWidgetItem *mirror = ui->matrixTable->item(item->column(), item->row());
    if (!mirror || mirror == item)
        return;
    if (isSolid(item, Qt::yellow) && ui->matrixTable->currentItem() == item)
        mirror->setBackground(QColor(Qt::darkYellow));
    else if (isSolid(mirror, Qt::darkYellow))
        mirror->setBackground(QTableWidget().palette().brush(QPalette::Base));
}

void MatrixDlg::on_matrixTable_itemChanged(QTableWidgetItem *item)
{
    if (!item || busy)
        return;
    TiverkEditTable *table = ui->matrixTable;
    const int row = item->row();
    const int column = item->column();
    // The conflict matrix stays symmetric.
    if (conflict)
        table->setCellValue(column, row, item->data(Qt::DisplayRole));
    const QTableWidgetItem *rowHeader = table->verticalHeaderItem(row);
    const QTableWidgetItem *columnHeader = table->horizontalHeaderItem(column);
    if (rowHeader && columnHeader)
        emit valueChanged(rowHeader->data(Qt::UserRole).toInt(),
                          columnHeader->data(Qt::UserRole).toInt(),
                          cellNumber(item->data(Qt::DisplayRole)));
    markAsymmetry(item);
}

void MatrixDlg::paintLine(int index, bool row, const QBrush &brush)
{
    TiverkEditTable *table = ui->matrixTable;
    const int count = row ? table->columnCount() : table->rowCount();
    for (int other = 0; other < count; ++other) {
        QTableWidgetItem *item = row ? table->item(index, other) : table->item(other, index);
        if (!item || other == index || isSolid(item, Qt::yellow))
            continue;
        item->setBackground(brush);
    }
    QTableWidgetItem *header
        = row ? table->verticalHeaderItem(index) : table->horizontalHeaderItem(index);
    if (header) {
        if (brush.style() == Qt::NoBrush) {
            const QHeaderView *view = row ? table->verticalHeader() : table->horizontalHeader();
            header->setBackground(QBrush(view->palette().color(QPalette::Window)));
        } else {
            header->setBackground(brush);
        }
    }
}

void MatrixDlg::on_matrixTable_currentCellChanged(int currentRow, int currentColumn,
                                                  int previousRow, int previousColumn)
{
    busy = true;
    TiverkEditTable *table = ui->matrixTable;
    if (previousRow >= 0 && previousRow < table->rowCount()) {
        if (const QTableWidgetItem *header = table->verticalHeaderItem(previousRow))
            highlightGroup(header->data(Qt::UserRole).toInt(), QColor());
        paintLine(previousRow, true, QBrush());
    }
    if (previousColumn >= 0 && previousColumn < table->columnCount()) {
        if (const QTableWidgetItem *header = table->horizontalHeaderItem(previousColumn))
            highlightGroup(header->data(Qt::UserRole).toInt(), QColor());
        paintLine(previousColumn, false, QBrush());
        if (previousRow >= 0)
            markMirror(table->item(previousRow, previousColumn));
    }
    if (currentRow != currentColumn) {
        if (currentRow >= 0) {
            if (const QTableWidgetItem *header = table->verticalHeaderItem(currentRow))
                highlightGroup(header->data(Qt::UserRole).toInt(), RowColor);
            paintLine(currentRow, true, QBrush(RowColor));
        }
        if (currentColumn >= 0) {
            if (const QTableWidgetItem *header = table->horizontalHeaderItem(currentColumn))
                highlightGroup(header->data(Qt::UserRole).toInt(), ColumnColor);
            paintLine(currentColumn, false, QBrush(ColumnColor));
            if (currentRow >= 0)
                markMirror(table->item(currentRow, currentColumn));
        }
    }
    busy = false;
}

Halm58a::Granule *MatrixDlg::junction() const
{
    if (!network || !controller)
        return nullptr;
    const QString number = controller->property("number").toString();
    for (Halm58a::Granule *granule : network->findChildren<Halm58a::Granule *>()) {
        if (QString::number(granule->tlId()) == number)
            return granule;
    }
    return nullptr;
}

QList<Halm58a::SignalGroup *> MatrixDlg::junctionGroups(Halm58a::Granule *granule) const
{
    return granule ? granule->findChildren<Halm58a::SignalGroup *>()
                   : QList<Halm58a::SignalGroup *>();
}

Halm58a::SignalGroup *MatrixDlg::lastGroupWithNumber(const QList<Halm58a::SignalGroup *> &groups,
                                                     int number) const
{
    for (int index = groups.size() - 1; index >= 0; --index) {
        if (groups.at(index)->tlId() == number)
            return groups.at(index);
    }
    return nullptr;
}

void MatrixDlg::highlightGroup(int number, const QColor &color)
{
    auto *drawn = qobject_cast<Halm58ga::Networkg *>(network);
    if (!drawn)
        return;
    Halm58a::SignalGroup *group = lastGroupWithNumber(junctionGroups(junction()), number);
    if (!group)
        return;
    auto mark = [&](Halm58a::NetObject *object, int type) {
        Halm58ga::GenericGraphicsItem *item = drawn->object2item(object);
        if (!item || item->type() != type)
            return;
        if (color.isValid())
            item->setHighlightColor(color);
        else
            item->removeHighlightColor();
        item->setSelected(color.isValid());
    };
    const QList<Halm58a::Connection *> connections = group->connections();
    for (int index = connections.size() - 1; index >= 0; --index)
        mark(connections.at(index), Halm58ga::GenericGraphicsItem::ConnectionType);
    const QList<Halm58a::CrossWalk *> crossWalks = group->crossWalks();
    for (int index = crossWalks.size() - 1; index >= 0; --index)
        mark(crossWalks.at(index), Halm58ga::GenericGraphicsItem::CrossWalkType);
}

void MatrixDlg::on_forbid_cells_with_same_phase_toggled(bool checked)
{
    if (!controller)
        return;
    TiverkEditTable *table = ui->matrixTable;
    table->blockSignals(true);
    for (const auto &pair : samePhasePairs(controller)) {
        QTableWidgetItem *item = table->item(pair.first, pair.second);
        if (!item)
            continue;
        if (checked) {
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (item->data(Qt::DisplayRole).isValid()) {
                item->setData(Qt::DisplayRole, QVariant());
                on_matrixTable_itemChanged(item);
            }
        } else {
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled);
        }
    }
    table->blockSignals(false);
}

void MatrixDlg::on_show_full_name_of_sg_clicked(bool checked)
{
    QSettings().setValue(QLatin1String(ShowFullNameKey), checked);
    TiverkEditTable *table = ui->matrixTable;
    const QList<CnfSignalGroupPtr> groups
        = controller ? controller->signalGroups() : QList<CnfSignalGroupPtr>();
    if (table->rowCount() != groups.size() || table->columnCount() != groups.size())
        return;
    {
        const QSignalBlocker blocker(table);
        for (int index = 0; index < groups.size(); ++index) {
            for (QTableWidgetItem *header :
                 { table->verticalHeaderItem(index), table->horizontalHeaderItem(index) }) {
                if (!header)
                    continue;
                const CnfSignalGroupPtr group
                    = controller->findSG(header->data(Qt::UserRole).toInt());
                if (!group)
                    continue;
                header->setText(checked ? group->friendlyName()
                                        : QStringLiteral("%1,%2").arg(group->id).arg(
                                            CnfSignalGroup::type2String(group->type, true)));
            }
        }
    }
    table->resizeColumnsToContents();
}

void MatrixDlg::on_rounding_2_clicked()
{
    const int decimals = ui->rounding->value();
    int factor = 1;
    for (int i = 0; i < decimals; ++i)
        factor *= 10;
    TiverkEditTable *table = ui->matrixTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            if (!item)
                continue;
            const double value = cellNumber(item->data(Qt::DisplayRole));
            if (std::isnan(value))
                continue;
            table->setCellValue(row, column, double(qint64(factor * value + 0.5)) / factor);
        }
    }
}

void MatrixDlg::saveToMatrix(CnfMatrix &matrix) const
{
    // A conflict the user left ticked keeps the value it had: a file may mark
    // conflicts with another number than the 1 a new tick gets.
    const CnfMatrix before = matrix;
    matrix.clear();
    // The conflict matrix keeps its own identifier and name: it is a listed
    // matrix, and identifier 1 would take the place of another one.
    if (!conflict) {
        matrix.setId(ui->id->value());
        matrix.setName(ui->name->text());
    }
    const TiverkEditTable *table = ui->matrixTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        const CnfSignalGroupPtr off = rowGroup(row);
        for (int column = 0; column < table->columnCount(); ++column) {
            const CnfSignalGroupPtr on = columnGroup(column);
            QVariant value = table->cellValue(row, column);
            if (!off || !on)
                continue;
            if (conflict && !value.toBool())
                value = QVariant();
            if (!value.isValid()
                || (value.type() == QVariant::String && value.toString().isEmpty()))
                continue;
            double number = conflict ? before.releaf(on, off) : cellNumber(value);
            if (conflict && std::isnan(number))
                number = 1.0;
            if (std::isnan(number))
                number = 0.0;
            matrix.setReleaf(on, off, number);
        }
    }
}

void MatrixDlg::accept()
{
    saveToMatrix(*edited);
    QDialog::accept();
}

void MatrixDlg::showGranuleNotFound()
{
    QMessageBox::critical(
        this, tr("Error"),
        tr("Granule with id = '%1' not found").arg(controller->property("number").toString()));
}

void MatrixDlg::on_fromGeometry_clicked()
{
    if (!network || !controller)
        return;
    Halm58a::Granule *granule = junction();
    if (!granule) {
        showGranuleNotFound();
        return;
    }
    const QList<Halm58a::SignalGroup *> groups = junctionGroups(granule);
    if (groups.size() != ui->matrixTable->rowCount())
        QMessageBox::warning(
            this, tr("Error"),
            tr("Signal group count in network (%1) not equal count in controller (%2)")
                .arg(groups.size())
                .arg(ui->matrixTable->rowCount()));
    QSharedPointer<Halm58a::ConflictMatrix> seed;
    const CnfMatrixPtr known = controller->conflictMatrix();
    if (!conflict && ui->useConflictMatrix && ui->useConflictMatrix->isChecked() && known
        && !known->isEmpty()) {
        seed = QSharedPointer<Halm58a::ConflictMatrix>::create();
        for (int i = 0; i < groups.size(); ++i) {
            for (int j = i + 1; j < groups.size(); ++j) {
                const CnfSignalGroupPtr a = controller->findSG(groups.at(i)->tlId());
                const CnfSignalGroupPtr b = controller->findSG(groups.at(j)->tlId());
                if (!a || !b)
                    continue;
                seed->setReleaf(groups.at(j), groups.at(i), known->releaf(b, a));
                seed->setReleaf(groups.at(i), groups.at(j), known->releaf(a, b));
            }
        }
    }
    const QSharedPointer<Halm58a::ConflictMatrix> found
        = network->findConflictMatrix(groups, false, conflict && !seed, seed);
    if (!found) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Can't find matrix: ") + network->errorString());
        return;
    }
    loadGeometryMatrix(found);
}

void MatrixDlg::on_useConflictMatrix_toggled(bool checked)
{
    if (!checked || !network || !controller)
        return;
    CnfMatrix current;
    saveToMatrix(current);
    // Only the junction's own groups count, as in the fill; a missing conflict
    // matrix marks no pair, so every value goes.
    const QList<Halm58a::SignalGroup *> groups = junctionGroups(junction());
    const CnfMatrixPtr known = controller->conflictMatrix();
    auto masked = QSharedPointer<Halm58a::ConflictMatrix>::create();
    for (const CnfMatrixCell &cell : current.content()) {
        Halm58a::SignalGroup *a = lastGroupWithNumber(groups, cell.aId);
        Halm58a::SignalGroup *b = lastGroupWithNumber(groups, cell.bId);
        if (!a || !b)
            continue;
        double value = cell.value;
        if (!std::isnan(value) && (!known || std::isnan(known->releaf(cell.aId, cell.bId))))
            value = noValue();
        masked->setReleaf(a, b, value);
    }
    loadGeometryMatrix(masked);
}

void MatrixDlg::loadGeometryMatrix(const QSharedPointer<Halm58a::ConflictMatrix> &geometry)
{
    TiverkEditTable *table = ui->matrixTable;
    table->blockSignals(true);
    table->clearContents();
    Halm58a::Granule *granule = junction();
    if (!granule) {
        showGranuleNotFound();
        table->blockSignals(false);
        return;
    }
    const QList<Halm58a::SignalGroup *> groups = junctionGroups(granule);
    const QBrush rowHeaderBrush(table->verticalHeader()->palette().color(QPalette::Window));
    const QBrush columnHeaderBrush(table->horizontalHeader()->palette().color(QPalette::Window));
    for (int row = 0; row < table->rowCount(); ++row) {
        QTableWidgetItem *rowHeader = table->verticalHeaderItem(row);
        if (rowHeader)
            rowHeader->setBackground(rowHeaderBrush);
        Halm58a::SignalGroup *off = rowHeader
            ? lastGroupWithNumber(groups, rowHeader->data(Qt::UserRole).toInt())
            : nullptr;
        for (int column = 0; column < table->columnCount(); ++column) {
            QTableWidgetItem *columnHeader = table->horizontalHeaderItem(column);
            if (columnHeader)
                columnHeader->setBackground(columnHeaderBrush);
            Halm58a::SignalGroup *on = columnHeader
                ? lastGroupWithNumber(groups, columnHeader->data(Qt::UserRole).toInt())
                : nullptr;
            const double value = off && on && geometry ? geometry->releaf(on, off) : noValue();
            if (!conflict) {
                if (std::isnan(value))
                    table->setItem(row, column, new QTableWidgetItem);
                else
                    table->setCellValue(row, column, roundToHundredths(value));
            } else {
                const bool flag = table->cellValue(column, row).toBool() || !std::isnan(value);
                table->setCellValue(row, column, flag);
                table->setCellValue(column, row, flag);
            }
            if (row == column && table->item(row, column))
                table->item(row, column)->setBackground(QColor(Qt::lightGray));
        }
    }
    reportSamePhaseConflicts();
    table->blockSignals(false);
    table->setPalette(QPalette());
}

void MatrixDlg::reportSamePhaseConflicts()
{
    const TiverkEditTable *table = ui->matrixTable;
    const QList<CnfSignalGroupPtr> groups = controller->signalGroups();
    QHash<QString, QStringList> report;
    QStringList order;
    for (const CnfPhasePtr &phase : controller->phases()) {
        const QList<CnfSignalGroupPtr> &members = phase->signalGroups;
        for (int i = members.size() - 1; i >= 0; --i) {
            for (int j = members.size() - 1; j >= 0; --j) {
                const int row = groups.indexOf(members.at(i));
                const int column = groups.indexOf(members.at(j));
                if (row < 0 || column < 0)
                    continue;
                const QTableWidgetItem *item = table->item(row, column);
                const QVariant value = item ? item->data(Qt::DisplayRole) : QVariant();
                if (!value.isValid() || (conflict && !value.toBool()))
                    continue;
                const QString a = QString::number(members.at(i)->id);
                const QString b = QString::number(members.at(j)->id);
                QString key = a + QLatin1Char('-') + b;
                const QString reversed = b + QLatin1Char('-') + a;
                if (!report.contains(key) && report.contains(reversed))
                    key = reversed;
                if (!report.contains(key))
                    order << key;
                QStringList &phases = report[key];
                if (!phases.contains(phase->id))
                    phases << phase->id;
            }
        }
    }
    if (report.isEmpty())
        return;
    QStringList lines;
    for (const QString &key : order)
        lines << report.value(key).join(QLatin1Char(',')) + QLatin1Char(':') + key;
    QMessageBox::warning(this, tr("Error"),
                         tr("Following phases contains conflicted signal groups:\n")
                             + lines.join(QLatin1Char('\n')));
}
