#include "programdlg.h"
#include "ui_programdlg.h"

#include "cnf/cnfcontroller.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfphasedef.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "programsteps.h"
#include "safefile/safefile.h"

#include <QBuffer>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>

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

// The generator gives the picture's size in millimetres, which viewers turn into
// pixels at differing resolutions; the size asked for is in pixels.
QByteArray withPixelSize(const QByteArray &svg, const QSize &size)
{
    QString text = QString::fromUtf8(svg);
    static const QRegularExpression dimensions(QStringLiteral("width=\"[^\"]*\" height=\"[^\"]*\""));
    const QRegularExpressionMatch match = dimensions.match(text);
    if (match.hasMatch()) {
        text.replace(match.capturedStart(), match.capturedLength(),
                     QStringLiteral("width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()));
    }
    return text.toUtf8();
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
    refreshDiagram();
    connect(ui->tiverkTable, &QTableWidget::itemChanged, this, [this] {
        storeParameterTable();
        refreshDiagram();
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
    if (family() == 2 || size.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(windowTitle());
        QPainter painter(&generator);
        paintDiagram(painter, size);
    } else {
        QImage image(size, QImage::Format_ARGB32);
        {
            QPainter painter(&image);
            paintDiagram(painter, size);
        }
        if (!image.save(&buffer, suffix.toLatin1().constData()))
            return false;
    }
    buffer.close();
    if (suffix == QLatin1String("svg"))
        bytes = withPixelSize(bytes, size);
    QString error;
    if (!SafeFile::write(path, bytes, &error)) {
        qWarning().noquote() << path << error;
        return false;
    }
    return true;
}

void ProgramDlg::refreshDiagram()
{
    if (family() == 2)
        return;
    const QSize size(720, 240);
    QImage image(size, QImage::Format_ARGB32);
    QPainter painter(&image);
    paintDiagram(painter, size);
    ui->chart->setPixmap(QPixmap::fromImage(image));
}

void ProgramDlg::paintDiagram(QPainter &painter, const QSize &size) const
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(Qt::black);
    const int cycle = m_program->cycle(true);
    QList<CnfSignalGroupPtr> groups = m_program->signalGroups();
    std::stable_sort(groups.begin(), groups.end(),
                     [](const CnfSignalGroupPtr &a, const CnfSignalGroupPtr &b) { return a->id < b->id; });
    const QRect area(70, 10, size.width() - 90, size.height() - 40);
    if (cycle <= 0 || area.width() <= 0 || area.height() <= 0) {
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, tr("The program has no steps"));
        return;
    }
    // The steps on the top row (room for two lines of text), one row per signal
    // group below them.
    const int rows = groups.size() + 1;
    const double phaseHeight = std::min(40.0, area.height() / 2.0);
    const double rowHeight =
        groups.isEmpty() ? 0.0 : std::min(40.0, (area.height() - phaseHeight) / groups.size());
    const double perSecond = double(area.width()) / cycle;
    auto rowTop = [&](int row) { return area.top() + (row == 0 ? 0.0 : phaseHeight + (row - 1) * rowHeight); };
    auto barRect = [&](int from, int length, int row) {
        return QRectF(area.left() + from * perSecond, rowTop(row) + 2, length * perSecond,
                      (row == 0 ? phaseHeight : rowHeight) - 4);
    };
    int start = 0;
    for (const CnfPhaseDefPtr &step : m_program->phases()) {
        const int length = step->fullLength();
        const QRectF phaseBar = barRect(start, length, 0);
        painter.fillRect(phaseBar, Qt::lightGray);
        painter.drawRect(phaseBar);
        painter.drawText(phaseBar, Qt::AlignCenter,
                         tr("Phase %1\n%2 sec").arg(step->id()).arg(length));
        for (int row = 1; row < rows; ++row) {
            const bool green = step->getSGState(groups.at(row - 1)->id) == CnfSignalGroup::Green;
            painter.fillRect(barRect(start, length, row), green ? Qt::green : Qt::red);
        }
        start += length;
    }
    for (int row = 1; row < rows; ++row) {
        painter.drawText(QRectF(0, rowTop(row), area.left() - 6, rowHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(groups.at(row - 1)->id));
    }
    // Time axis in whole seconds, about ten marks over the cycle.
    const int axisY = int(rowTop(rows)) + 4;
    painter.drawLine(area.left(), axisY, area.right(), axisY);
    const int step = std::max(1, (cycle + 9) / 10);
    for (int second = 0; second <= cycle; second += step) {
        const int x = int(area.left() + second * perSecond);
        painter.drawLine(x, axisY, x, axisY + 4);
        painter.drawText(QRect(x - 30, axisY + 5, 60, 16), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(second));
    }
}
