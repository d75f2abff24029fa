#include "tiverk2diagrammdlg.h"
#include "ui_tiverk2diagrammdlg.h"

#include "dteventdlg.h"
#include "emulatorparametersdlg.h"
#include "tiverk2logdlg.h"

#include "cnf/cnfdaycard.h"
#include "cnf/cnfdetector.h"
#include "cnf/cnfmatrix.h"
#include "cnf/cnfphase.h"
#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "cnf/cnfweekcard.h"
#include "cnf/tiverkiiconfig.h"
#include "plivek/framework/windowgeometry.h"
#include "plivek/programs/chartsavefolder.h"
#include "plivek/programs/svgexportparametersdlg.h"
#include "plotlet/axis.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"
#include "plotlet/vline.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

namespace {

const char *const GeometryKey = "Tiverk2DiagrammDlg/geometry";
const char *const FromKey = "Tiverk2Prog/chart_from";
const char *const ToKey = "Tiverk2Prog/chart_to";
const char *const PhasesKey = "Tiverk2Prog/display_phases";
const char *const DetailedTimesKey = "Tiverk2Prog/display_detailed_times";
const char *const XAxisFrom0Key = "Tiverk2Prog/x_axis_from_0";
const char *const SyncCoordKey = "Tiverk2Prog/sync_coord_time";
const char *const ParametersGeometryKey = "EmulataorParametersDlg/geometry";

// The chart's series ids: the bars of the groups and the stage rectangles.
enum SeriesId { BarSeries = 1, StageSeries = 2 };

// Writes an option only when it differs from what is stored (an absent value
// counting as the option's default), so untouched options stay unstored.
void storeOption(const char *key, const QVariant &value, const QVariant &defaultValue)
{
    QSettings settings;
    if (settings.value(QLatin1String(key), defaultValue) != value)
        settings.setValue(QLatin1String(key), value);
}

// A new input of the emulator with the id and name of a detector or sensor.
CnfDetectorPtr emulatedInput(const CnfDetector &source, const char *type)
{
    auto input = CnfDetectorPtr::create();
    input->setId(source.id());
    input->setName(source.name());
    input->setProperty("type", QString::fromLatin1(type));
    return input;
}

} // namespace

Tiverk2DiagrammDlg::Tiverk2DiagrammDlg(QWidget *parent, CnfController *controller)
    : QDialog(parent)
    , ui(new Ui::Tiverk2DiagrammDlg)
    , m_controller(controller)
{
    Q_INIT_RESOURCE(emulation);
    ui->setupUi(this);
    connect(ui->displayRefresh, &QAbstractButton::clicked, this,
            &Tiverk2DiagrammDlg::needToRefresh);

    ui->chart->yAxis()->resetCustomLabels();
    ui->chart->setMinGridStepX(1.0);
    ui->chart->setBgColor(Qt::white);

    if (m_controller) {
        const QList<QByteArray> names = m_controller->dynamicPropertyNames();
        for (const QByteArray &name : names)
            m_private.setProperty(name.constData(), m_controller->property(name.constData()));

        // The groups and phases are the document's own objects; the emulator
        // only reads them.
        if (m_controller->defaultSignalGroup())
            m_private.setDefaulSignalGroup(m_controller->defaultSignalGroup());
        const QList<CnfSignalGroupPtr> groups = m_controller->signalGroups();
        for (const CnfSignalGroupPtr &group : groups) {
            if (!m_private.defaultSignalGroup() && group->defaultSignalGroup())
                m_private.setDefaulSignalGroup(group->defaultSignalGroup());
            m_private.addSignalGroup(group);
        }
        const QList<CnfPhasePtr> phases = m_controller->phases();
        for (const CnfPhasePtr &phase : phases)
            m_private.addPhase(phase);

        // Detectors and sensors become the emulator's simulated inputs.
        const QList<CnfDetectorPtr> detectors = m_controller->detectorsList();
        for (const CnfDetectorPtr &detector : detectors)
            m_private.addDetector(emulatedInput(*detector, "SumoDetector"));
        const QList<CnfDetectorPtr> sensors = m_controller->sensorsList();
        for (const CnfDetectorPtr &sensor : sensors) {
            const CnfDetectorPtr input = emulatedInput(*sensor, "SumoCallButton");
            input->setSensor(true);
            m_private.addSensor(input);
        }
    }

    // A calendar that runs the program all day on Monday; setData puts the
    // program into the day card.
    auto dayCard = CnfDayCardPtr::create();
    dayCard->id = QStringLiteral("1");
    dayCard->name = QStringLiteral("1");
    m_private.addDayCard(dayCard);
    auto weekCard = CnfWeekCardPtr::create();
    weekCard->id = QStringLiteral("1");
    weekCard->name = QStringLiteral("1");
    weekCard->days.insert(1, dayCard);
    m_private.addWeekCard(weekCard);

    m_private.setNativeData(
        QStringLiteral("controlSources"),
        QVariantList { QVariantMap { { QStringLiteral("name"), QStringLiteral("emergency") },
                                     { QStringLiteral("id"), 1 },
                                     { QStringLiteral("priority"), 9999 } },
                       QVariantMap { { QStringLiteral("name"), QStringLiteral("scheduler") },
                                     { QStringLiteral("id"), 2 },
                                     { QStringLiteral("priority"), 0 } } });

    QSettings settings;
    m_expertMode = settings.value(QStringLiteral("expert_mode"), false).toBool();
    EmulatorParametersDlg::storeDefaultDisabledPluginsUnlessSet();
    if (!m_expertMode) {
        ui->displayGeneratedConfiguration->hide();
        ui->displayEmulatorParameters->hide();
    }

    // Setting the ranges and switching the phases off run their slots.
    ui->displayFrom->setValue(settings.value(QLatin1String(FromKey), 0).toInt());
    ui->displayTo->setValue(settings.value(QLatin1String(ToKey), 100).toInt());
    if (!settings.value(QLatin1String(PhasesKey), true).toBool())
        ui->displayPhases->setChecked(false);
    ui->displayDetailedTimes->setChecked(
        settings.value(QLatin1String(DetailedTimesKey), false).toBool());
    ui->xAxisFrom0->setChecked(settings.value(QLatin1String(XAxisFrom0Key), false).toBool());
    ui->syncCoord->setChecked(settings.value(QLatin1String(SyncCoordKey), true).toBool());
}

Tiverk2DiagrammDlg::~Tiverk2DiagrammDlg()
{
    // The chart destroys the markers after this body: their destroyed() must
    // not reach a window that is going.
    for (plotlet::VLine *line : qAsConst(m_events))
        disconnect(line, nullptr, this, nullptr);
    delete ui;
}

void Tiverk2DiagrammDlg::setData(const CnfProgramPtr &program, const QVariantMap &multiRing,
                                 const CnfMatrixPtr &matrix)
{
    if (!program) {
        ui->chart->setError(tr("Empty data"));
        return;
    }
    m_program = program;
    m_multiRing = multiRing;
    m_matrix = matrix;

    // A program without a number (the command-line mode) would be refused by
    // the controller; its copy runs under number 1.
    CnfProgramPtr run = program;
    if (program->id.isEmpty()) {
        run = CnfProgramPtr::create();
        run->clone(*program);
        run->id = QStringLiteral("1");
    }

    if (m_controller) {
        const QStringList names = m_controller->nativeData().keys();
        for (const QString &name : names) {
            if (name == QLatin1String("controlSources"))
                continue;
            if (name != QLatin1String("modules")) {
                m_private.setNativeData(name, m_controller->getNativeData(name));
                continue;
            }
            QVariantMap modules = m_controller->getNativeData(name).toMap();
            const QStringList excluded
                = QSettings()
                      .value(QStringLiteral("EmulatorParameters/ExcludedModules"),
                             EmulatorParametersDlg::defaultExcludedModules())
                      .toString()
                      .split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString &module : excluded)
                modules.remove(module);
            if (run->type == CnfProgram::MultiRing)
                modules.insert(QStringLiteral("MultiRing"), multiRing);
            else
                modules.remove(QStringLiteral("MultiRing"));
            m_private.setNativeData(name, modules);
        }
    }

    EmulatorParametersDlg::applyLoggingSettings();

    if (matrix) {
        m_private.removeMatrix(matrix->id());
        m_private.addMatrix(matrix, true, true);
        switch (run->type) {
        case CnfProgram::FixedTime:
        case CnfProgram::Coordinated:
        case CnfProgram::MultiRing:
        case CnfProgram::Stagering:
        case CnfProgram::Pedestrian:
            run->matrix = matrix;
            break;
        default:
            break;
        }
    }

    // Adding the program links it to the private controller; the caller's
    // program keeps its link to the document's.
    CnfController *owner = run->controller();
    m_private.removeProgram(run->id);
    m_private.addProgram(run);
    if (owner)
        run->setController(owner);
    m_private.setDefaultProgram(run);

    // The day card keeps one record at midnight: the record of the same start is replaced.
    if (CnfDayCardPtr dayCard = m_private.findDayCard(QStringLiteral("1")))
        dayCard->addRecord(QTime(0, 0), QTime(), run, run);

    runEmulation();
}

void Tiverk2DiagrammDlg::runEmulation()
{
    if (QWidget *owner = parentWidget()) {
        if (auto *log = owner->findChild<Tiverk2LogDlg *>(QStringLiteral("log_dlg")))
            log->clearLog();
    }

    QString error;
    ui->chart->removeAllSeries();
    ui->chart->yAxis()->resetCustomLabels();
    ui->chart->setError(QString());

    auto bars = std::make_unique<plotlet::ColorHBoxSeries>(nullptr);
    auto stages = std::make_unique<plotlet::RectangleSeries>(nullptr);
    stages->setVisible(ui->displayPhases->isChecked());
    bars->setShowLength(true);

    TiverkIIConfig config;
    m_generatedJson = config.save(m_private);
    if (m_generatedJson.isEmpty()) {
        error = config.lastError();
    } else {
        const QList<CnfProgramPtr> programs = m_private.programs();
        if (programs.isEmpty())
            return;
        error = emulate(programs.first(), bars.get(), stages.get());
    }

    if (!error.isEmpty()) {
        ui->chart->setError(error);
        return;
    }
    ui->chart->addSeries(bars.release(), BarSeries);
    ui->chart->addSeries(stages.release(), StageSeries);
}

void Tiverk2DiagrammDlg::setVisible(bool visible)
{
    if (visible) {
        if (!WindowGeometry::restore(this, QLatin1String(GeometryKey)) && parentWidget()) {
            // Against the top-right corner of the screen of the program dialog.
            if (QScreen *screen = parentWidget()->screen())
                move(screen->availableGeometry().topRight() - mapToGlobal(QPoint(width(), 0)));
        }
    } else if (isVisible()) {
        WindowGeometry::store(this, QLatin1String(GeometryKey));
    }
    QDialog::setVisible(visible);
    emit visibilityChanged(visible);
}

void Tiverk2DiagrammDlg::on_displayFrom_valueChanged(int value)
{
    if (ui->xAxisFrom0->isChecked())
        placeMarkers(value);
    runEmulation();
    storeOption(FromKey, value, 0);
}

void Tiverk2DiagrammDlg::on_displayTo_valueChanged(int value)
{
    runEmulation();
    storeOption(ToKey, value, 100);
}

void Tiverk2DiagrammDlg::on_displayPhases_toggled(bool checked)
{
    if (auto *stages = qobject_cast<plotlet::RectangleSeries *>(ui->chart->findSeries(StageSeries)))
        stages->setVisible(checked);
    ui->chart->update();
    QSettings().setValue(QLatin1String(PhasesKey), checked);
}

void Tiverk2DiagrammDlg::on_displayGeneratedConfiguration_clicked()
{
    // Kept for the life of the program only.
    static QByteArray geometry;
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Generated configuration"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QTextEdit(&dialog);
    text->setObjectName(QStringLiteral("generatedConfiguration"));
    text->setLineWrapMode(QTextEdit::NoWrap);
    text->setPlainText(QString::fromUtf8(m_generatedJson));
    layout->addWidget(text);
    if (!geometry.isEmpty())
        dialog.restoreGeometry(geometry);
    else
        dialog.resize(300, 400);
    dialog.exec();
    geometry = dialog.saveGeometry();
}

void Tiverk2DiagrammDlg::on_chart_mousePress(Qt::MouseButton btn, QPoint px_pos, QPointF pt_pos)
{
    if (btn != Qt::RightButton)
        return;
    QMenu menu(ui->chart);
    if (m_expertMode) {
        if (!m_private.detectorsList().isEmpty()) {
            QAction *action = menu.addAction(tr("Add event from detector"), this,
                                             &Tiverk2DiagrammDlg::add_detector_event);
            action->setData(pt_pos);
        }
        if (!m_private.sensorsList().isEmpty()) {
            QAction *action = menu.addAction(tr("Add event from sensor"), this,
                                             &Tiverk2DiagrammDlg::add_sensor_event);
            action->setData(pt_pos);
        }
    }
    menu.addAction(tr("Save as image"), this, &Tiverk2DiagrammDlg::save_as_image);
    if (m_expertMode && !selectedLines().isEmpty()) {
        menu.addAction(tr("Remove selected events"), this,
                       &Tiverk2DiagrammDlg::remove_detector_events);
        menu.addAction(tr("Change event"), this, &Tiverk2DiagrammDlg::change_detector_event);
    }
    menu.exec(ui->chart->mapToGlobal(px_pos));
}

void Tiverk2DiagrammDlg::on_chart_mouseButtonDblClick(Qt::MouseButton btn, QPoint px_pos,
                                                      QPointF pt_pos)
{
    Q_UNUSED(pt_pos)
    if (btn != Qt::LeftButton)
        return;
    const QList<plotlet::VLine *> lines = ui->chart->vlines();
    for (plotlet::VLine *line : lines) {
        if (line->rcLabel().contains(px_pos)) {
            editEvent(line);
            return;
        }
    }
}

void Tiverk2DiagrammDlg::add_detector_event()
{
    if (auto *action = qobject_cast<QAction *>(sender()))
        addEvent(action->data().toPointF(), true);
}

void Tiverk2DiagrammDlg::add_sensor_event()
{
    if (auto *action = qobject_cast<QAction *>(sender()))
        addEvent(action->data().toPointF(), false);
}

void Tiverk2DiagrammDlg::remove_detector_events()
{
    // Each line reports its end through destroyed() (vline_removed).
    const QList<plotlet::VLine *> lines = selectedLines();
    for (plotlet::VLine *line : lines)
        line->deleteLater();
}

void Tiverk2DiagrammDlg::change_detector_event()
{
    // Watched: a marker may go while an earlier one's dialog is open.
    QList<QPointer<plotlet::VLine>> lines;
    for (plotlet::VLine *line : selectedLines())
        lines.append(line);
    for (const QPointer<plotlet::VLine> &line : qAsConst(lines)) {
        if (line)
            editEvent(line);
    }
}

void Tiverk2DiagrammDlg::vline_moved(qreal pos)
{
    QObject *line = sender();
    bool found = false;
    for (auto it = m_events.begin(); it != m_events.end();) {
        if (static_cast<QObject *>(it.value()) == line) {
            it = m_events.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    if (found) {
        const double seconds = pos + (ui->xAxisFrom0->isChecked() ? ui->displayFrom->value() : 0);
        m_events.insert(qint64(seconds * 1000), static_cast<plotlet::VLine *>(line));
    }
    runEmulation();
}

void Tiverk2DiagrammDlg::vline_removed()
{
    // Called from the line's destroyed(): only the QObject part is left, so
    // the entries are found by pointer.
    QObject *line = sender();
    for (auto it = m_events.begin(); it != m_events.end();) {
        if (static_cast<QObject *>(it.value()) == line)
            it = m_events.erase(it);
        else
            ++it;
    }
    runEmulation();
}

void Tiverk2DiagrammDlg::on_displayDetailedTimes_clicked()
{
    runEmulation();
    storeOption(DetailedTimesKey, ui->displayDetailedTimes->isChecked(), false);
}

void Tiverk2DiagrammDlg::save_as_image()
{
    const QString directory = ChartSaveFolder::folder();
    QStringList filters { tr("SVG files (*.svg)") };
    const QList<QByteArray> formats = QImageWriter::supportedImageFormats();
    for (const QByteArray &format : formats)
        filters.append(tr("%1 files (*.%1)").arg(QString::fromLatin1(format)));

    QString filter;
    QString file = QFileDialog::getSaveFileName(this, tr("Set file name"), directory,
                                                filters.join(QStringLiteral(";;")), &filter);
    if (file.isEmpty())
        return;
    // A name without suffix takes the chosen filter's: "(*.png)" gives ".png".
    if (QFileInfo(file).suffix().isEmpty()) {
        const int open = filter.indexOf(QLatin1String("(*."));
        const int close = open > 0 ? filter.indexOf(QLatin1Char(')'), open) : -1;
        if (open > 0 && close > open)
            file += filter.mid(open + 2, close - open - 2);
    }
    ChartSaveFolder::remember(file, directory);

    // A typed suffix of a known format decides it; the filter decides only for
    // a name without one (so "diagram.png" is a PNG whatever filter is chosen).
    const QString suffix = QFileInfo(file).suffix().toLower();
    bool svg = filter.contains(QLatin1String("*.svg"));
    if (suffix == QLatin1String("svg"))
        svg = true;
    else if (!suffix.isEmpty() && formats.contains(suffix.toLatin1()))
        svg = false;
    SvgExportParametersDlg parameters(ui->chart->size(), !svg, this);
    if (parameters.exec() != QDialog::Accepted)
        return;
    QString error;
    const bool saved = svg
        ? ui->chart->saveAsSvg(file, parameters.imageSize(), parameters.inMillimeters(), &error)
        : ui->chart->saveAsImage(file, parameters.imageSize(), &error);
    if (!saved)
        QMessageBox::warning(this, windowTitle(),
                             tr("Can't save %1").arg(QDir::toNativeSeparators(file)));
}

void Tiverk2DiagrammDlg::on_displayEmulatorParameters_clicked()
{
    EmulatorParametersDlg dialog(this);
    WindowGeometry::restore(&dialog, QLatin1String(ParametersGeometryKey));
    dialog.exec();
    WindowGeometry::store(&dialog, QLatin1String(ParametersGeometryKey));
}

void Tiverk2DiagrammDlg::on_xAxisFrom0_clicked()
{
    placeMarkers(ui->xAxisFrom0->isChecked() ? ui->displayFrom->value() : 0);
    runEmulation();
    storeOption(XAxisFrom0Key, ui->xAxisFrom0->isChecked(), false);
}

void Tiverk2DiagrammDlg::on_syncCoord_clicked()
{
    runEmulation();
    storeOption(SyncCoordKey, ui->syncCoord->isChecked(), true);
}

void Tiverk2DiagrammDlg::addEvent(const QPointF &point, bool detector)
{
    DtEventDlg dialog(this, &m_private, int(point.x()), detector, 0, QString());
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto *line = new plotlet::VLine(dialog.position(), dialog.name(), dialog.pulseWidth() / 1000.0);
    connect(line, &plotlet::VLine::moved, this, &Tiverk2DiagrammDlg::vline_moved);
    connect(line, &QObject::destroyed, this, &Tiverk2DiagrammDlg::vline_removed);
    line->setProperty("detector", dialog.isDetector());
    line->setProperty("id", dialog.id());
    qint64 key = qint64(dialog.position()) * 1000;
    if (ui->xAxisFrom0->isChecked())
        key += qint64(ui->displayFrom->value()) * 1000;
    m_events.insert(key, line);
    if (!dialog.isDetector())
        line->setColor(Qt::darkYellow, false);
    ui->chart->addVLine(line);
    runEmulation();
}

void Tiverk2DiagrammDlg::editEvent(plotlet::VLine *line)
{
    DtEventDlg dialog(this, &m_private, int(line->pos()), line->property("detector").toBool(),
                      int(widthMs(line)), line->caption());
    if (dialog.exec() != QDialog::Accepted)
        return;
    line->setCaption(dialog.name());
    line->setProperty("detector", dialog.isDetector());
    line->setProperty("id", dialog.id());
    line->setWidth(dialog.pulseWidth() / 1000.0);
    line->setColor(dialog.isDetector() ? Qt::black : Qt::darkYellow, false);
    // A move re-keys the marker and runs the emulation (vline_moved).
    if (line->pos() != dialog.position())
        line->move(dialog.position());
    else
        runEmulation();
}

QList<plotlet::VLine *> Tiverk2DiagrammDlg::selectedLines() const
{
    QList<plotlet::VLine *> selected;
    const QList<plotlet::VLine *> lines = ui->chart->vlines();
    for (plotlet::VLine *line : lines) {
        if (line->selected())
            selected.append(line);
    }
    return selected;
}

void Tiverk2DiagrammDlg::placeMarkers(int from)
{
    for (auto it = m_events.cbegin(); it != m_events.cend(); ++it) {
        const QSignalBlocker blocker(it.value());
        it.value()->move(it.key() / 1000.0 - from);
    }
}

// Widths come from whole milliseconds, so a product just below one is still that millisecond.
qint64 Tiverk2DiagrammDlg::widthMs(const plotlet::VLine *line)
{
    return qint64(std::floor(line->width() * 1000.0 + 1e-6));
}
