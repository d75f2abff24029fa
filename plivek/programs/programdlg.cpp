#include "programdlg.h"
#include "ui_programdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfprogram.h"
#include "chartsavefolder.h"
#include "plotlet/chart.h"
#include "programdiagram.h"
#include "programsteps.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>

namespace {

QVariant cellValue(const QVariant &value)
{
    // A cell whose text was erased is as empty as a cell that never had a value.
    if (value.isNull() || !value.isValid()
        || (value.type() == QVariant::String && value.toString().isEmpty()))
        return QVariant();
    if (value.canConvert<int>())
        return value.toInt();
    return value;
}

} // namespace

ProgramDlg::ProgramDlg(QWidget *parent, const CnfProgramPtr &program, CnfController *controller,
                       bool durationMode, Halm58a::Network *network)
    : QDialog(parent)
    , ui(new Ui::ProgramDlg)
    , m_controller(controller)
    , m_network(network)
    , m_durationMode(durationMode)
{
    ui->setupUi(this);

    m_program = editableProgramCopy(program, controller);

    // Editing one program for an outside caller shows how long it runs instead
    // of its number and name.
    ui->label_2->setVisible(!durationMode);
    ui->progNum->setVisible(!durationMode);
    ui->label_7->setVisible(!durationMode);
    ui->progName->setVisible(!durationMode);
    ui->label_3->setVisible(durationMode);
    ui->action_time->setVisible(durationMode);
    if (durationMode && controller) {
        const QDateTime end = controller->property("dprog_stop").toDateTime();
        if (end.isValid())
            ui->action_time->setText(end.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    }
    ui->progNum->setText(m_program->id);
    ui->progName->setText(m_program->name);

    fillParameterTable();
    ui->chart->setVisible(family() != 2);
    ui->chart->setMinGridStepX(1.0);
    auto *saveAsSvg = new QAction(tr("Save as SVG"), ui->chart);
    connect(saveAsSvg, &QAction::triggered, this, &ProgramDlg::chart_save_as_svg);
    ui->chart->addAction(saveAsSvg);
    buildDiagram(m_program);
    connect(ui->tiverkTable, &QTableWidget::itemChanged, this, [this] {
        storeParameterTable();
        buildDiagram(m_program);
    });
}

ProgramDlg::~ProgramDlg()
{
    delete ui;
}

CnfProgramPtr ProgramDlg::program() const
{
    return m_program;
}

int ProgramDlg::family() const
{
    const QString type = m_controller ? m_controller->property("type").toString() : QString();
    if (type == QLatin1String("tiverk"))
        return 1;
    if (type == QLatin1String("adapter"))
        return 2;
    return 0;
}

void ProgramDlg::fillParameterTable()
{
    fillStepTable(ui->tiverkTable, *m_program, tr("Phase"), tr("Duration"), StepLength::Own);
}

void ProgramDlg::storeParameterTable()
{
    storeStepTable(ui->tiverkTable, *m_program, StepLength::Own);
    if (!m_durationMode)
        m_program->name = ui->progName->text();
}

void ProgramDlg::done(int result)
{
    if (result == QDialog::Accepted)
        storeParameterTable();
    QDialog::done(result);
}

QVariantList ProgramDlg::tiverkTableData() const
{
    return tableToVariant(ui->tiverkTable);
}

QVariantList ProgramDlg::tableToVariant(const QTableWidget *table)
{
    QVariantList rows;
    if (!table || table->columnCount() < 2)
        return rows;
    QList<int> columns;
    for (int column = 0; column < table->columnCount(); ++column) {
        if (!table->isColumnHidden(column))
            columns << column;
    }
    QVariantList header;
    for (int i = 0; i < columns.size(); ++i) {
        const QTableWidgetItem *item = table->horizontalHeaderItem(columns.at(i));
        header << (item ? item->text().trimmed() : QString::number(i + 1));
    }
    rows << QVariant(header);
    for (int row = 0; row < table->rowCount(); ++row) {
        QVariantList values;
        if (const QTableWidgetItem *item = table->verticalHeaderItem(row))
            values << item->text();
        for (const int column : columns) {
            if (const auto *nested = qobject_cast<const QTableWidget *>(table->cellWidget(row, column))) {
                values << QVariant(tableToVariant(nested));
                continue;
            }
            const QTableWidgetItem *item = table->item(row, column);
            values << (item ? cellValue(item->data(Qt::EditRole)) : QVariant());
        }
        rows << QVariant(values);
    }
    return rows;
}

bool ProgramDlg::saveDiagramImage(const QString &path, const QSize &size)
{
    if (family() == 2)
        return false;
    buildDiagram(m_program);
    QCoreApplication::processEvents();
    const QColor background = ui->chart->bgColor();
    ui->chart->setBgColor(Qt::white);
    QString error;
    const bool saved = ui->chart->saveAsImage(path, size, &error);
    ui->chart->setBgColor(background);
    if (!saved) {
        qWarning().noquote() << path << error;
        printError(tr("Can't save %1").arg(QDir::toNativeSeparators(path)));
    }
    return saved;
}

void ProgramDlg::chart_save_as_svg()
{
    const QString folder = ChartSaveFolder::folder();
    const QString path = QFileDialog::getSaveFileName(this, tr("Set file name"), folder,
                                                      tr("SVG files (*.svg);;All files (*.*)"));
    if (path.isEmpty())
        return;
    ChartSaveFolder::remember(path, folder);
    QString error;
    if (!ui->chart->saveAsSvg(path, QSize(), false, &error)) {
        qWarning().noquote() << path << error;
        printError(tr("Can't save %1").arg(QDir::toNativeSeparators(path)));
    }
}

void ProgramDlg::buildDiagram(const CnfProgramPtr &program)
{
    ProgramDiagram().draw(ui->chart, program, m_controller, family() != 0);
}

void ProgramDlg::printError(const QString &message)
{
    if (QWidget *window = parentWidget())
        QMetaObject::invokeMethod(window, "printError", Q_ARG(QString, message));
    else
        qCritical().noquote() << message;
}
