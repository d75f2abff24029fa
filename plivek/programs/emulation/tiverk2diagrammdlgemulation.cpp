#include "tiverk2diagrammdlg.h"
#include "ui_tiverk2diagrammdlg.h"

#include "wappender.h"

#include "cnf/cnfprogram.h"
#include "cnf/cnfsignalgroup.h"
#include "plotlet/axis.h"
#include "plotlet/colorhboxseries.h"
#include "plotlet/rectangleseries.h"
#include "plotlet/vline.h"
#include "tlc/qtlc.h"

#include <QDateTime>
#include <QPixmap>

#include <log4cxx/logger.h>

#include <memory>

// One run of the emulator over the display window, drawn as bars and stage
// rectangles.

namespace {

// The step of the emulation and of the samples.
constexpr qint64 StepMs = 100;

Tiverk2DiagrammDlg::EmulatorFactory &emulatorFactory()
{
    static Tiverk2DiagrammDlg::EmulatorFactory factory;
    return factory;
}

QTlc *createEmulator(QObject *parent)
{
    const Tiverk2DiagrammDlg::EmulatorFactory &factory = emulatorFactory();
    return factory ? factory(parent) : new QTlc(parent);
}

bool isCoordinated(const CnfProgram &program)
{
    return program.type == CnfProgram::Coordinated || program.property("coordinated").toBool();
}

// One bar row per signal group while the emulation runs.
struct SignalGroupRow
{
    int primitive = 0; // the state sampled last
    qint64 sinceMs = 0; // emulation time at which the open bar began
    int row = 0;
};

// An event marker as the run sends it.
struct Injection
{
    qint64 key = 0;
    bool detector = true;
    bool idValid = false;
    int id = 0;
    qint64 durationMs = 0;
};

// Hands the emulator to the log window's appender for as long as it lives, so
// every line of the run carries the emulation time.
class AppenderHold
{
public:
    explicit AppenderHold(QTlc *emulator)
    {
        const log4cxx::LoggerPtr root = log4cxx::Logger::getRootLogger();
        if (root)
            m_appender
                = std::dynamic_pointer_cast<WAppender>(root->getAppender(LOG4CXX_STR("plivek")));
        if (m_appender)
            m_appender->setEmulator(emulator);
    }
    ~AppenderHold()
    {
        if (m_appender)
            m_appender->setEmulator(nullptr);
    }
    AppenderHold(const AppenderHold &) = delete;
    AppenderHold &operator=(const AppenderHold &) = delete;

private:
    std::shared_ptr<WAppender> m_appender;
};

void addBar(plotlet::ColorHBoxSeries *bars, int primitive, double from, double to, int row,
            const QPixmap &greenBlink, const QPixmap &amberBlink)
{
    switch (primitive) {
    case QTlcSignalGroup::Red:
        bars->addBar(from, to, row, QColor(Qt::red));
        break;
    case QTlcSignalGroup::Green:
        bars->addBar(from, to, row, QColor(Qt::green));
        break;
    case QTlcSignalGroup::Yellow:
        bars->addBar(from, to, row, QColor(Qt::yellow));
        break;
    case QTlcSignalGroup::GreenBlink:
        bars->addBar(from, to, row, greenBlink);
        break;
    case QTlcSignalGroup::AmberBlink:
        bars->addBar(from, to, row, amberBlink);
        break;
    case QTlcSignalGroup::RedYellow:
        bars->addBar(from, to, row, QColor(Qt::red), QColor(Qt::yellow));
        break;
    default:
        bars->addBar(from, to, row, QColor(Qt::black));
        break;
    }
}

} // namespace

void Tiverk2DiagrammDlg::setEmulatorFactory(EmulatorFactory factory)
{
    emulatorFactory() = std::move(factory);
}

QString Tiverk2DiagrammDlg::emulate(const CnfProgramPtr &program, plotlet::ColorHBoxSeries *bars,
                                    plotlet::RectangleSeries *stages)
{
    QString error;
    const std::unique_ptr<QTlc> tlc(createEmulator(this));
    const AppenderHold hold(tlc.get());

    QTime start(0, 0);
    if (ui->syncCoord->isChecked() && isCoordinated(*program))
        start = start.addSecs(program->cycleOffset(0));
    tlc->setDate(QDateTime(QDate::currentDate(), start));

    QString loadError;
    if (!tlc->fromJson(m_generatedJson, &loadError))
        return loadError.isEmpty() ? tr("The emulator could not load the configuration")
                                   : loadError;

    const bool fromZero = ui->xAxisFrom0->isChecked();
    const int displayFrom = ui->displayFrom->value();
    tlc->start();
    const QList<QTlcSignalGroup *> groups = tlc->signalGroups();
    const int n = groups.size();

    try {
        tlc->setPlan(QVariant(program->id.toInt(nullptr, 10)));
    } catch (...) {
        qDebug("invalid alg");
    }

    QVector<SignalGroupRow> rows;
    rows.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QTlcSignalGroup *group = groups.at(i);
        QString label = QString::number(group->number());
        const CnfSignalGroupPtr configured
            = m_controller ? m_controller->findSG(group->number()) : CnfSignalGroupPtr();
        if (configured) {
            if (!configured->name.isEmpty())
                label += QLatin1Char('(') + configured->name + QLatin1Char(')');
            label += CnfSignalGroup::type2String(configured->type, true, true);
        } else if (!group->objectName().isEmpty()) {
            label += QLatin1Char('(') + group->objectName() + QLatin1Char(')');
        }
        ui->chart->yAxis()->setCustomLabel(n - i, label);
        SignalGroupRow row;
        row.sinceMs = qint64(displayFrom) * 1000;
        row.row = n - i;
        rows.append(row);
    }

    // Times stay whole milliseconds of emulation time; they become seconds on
    // the chart's abscissa only where bars and rectangles are drawn, so every
    // length and caption is an exact count of steps.
    qint64 startMs = qint64(displayFrom) * 1000;
    qint64 endMs = qint64(ui->displayTo->value()) * 1000 + StepMs;
    if (n == 0) {
        error = tr("No signal groups");
        startMs = 0;
        endMs = 0;
    }
    const qint64 lastMs = endMs - StepMs;
    const qint64 originMs = fromZero ? startMs : 0;
    const auto toX = [originMs](qint64 ms) {
        return double(ms - originMs) / 1000.0;
    };
    QTlcStage *previous = tlc->currentStage();
    qint64 stageStartMs = 0;
    bool awaiting = true;
    const bool detailed = ui->displayDetailedTimes->isChecked();

    // The markers in the order they fire: by key, and of equal keys the one
    // added last first (the order of the multi-map).
    QVector<Injection> injections;
    injections.reserve(m_events.size());
    for (auto it = m_events.cbegin(); it != m_events.cend(); ++it) {
        Injection injection;
        injection.key = it.key();
        injection.detector = it.value()->property("detector").toBool();
        injection.id = it.value()->property("id").toInt(&injection.idValid);
        injection.durationMs = widthMs(it.value());
        if (injection.durationMs == 0)
            injection.durationMs = StepMs;
        injections.append(injection);
    }
    int cursor = 0;

    const QPixmap greenBlink(QStringLiteral(":/images/gb.png"));
    const QPixmap amberBlink(QStringLiteral(":/images/ab.png"));

    // Each pass samples the states the emulator has at time t (at 0 those that
    // start and the plan set, later those after the step that ends at t) and
    // draws them at t, then steps on to t + 100 ms. A state is thus drawn from
    // the step in which the emulator enters it.
    for (qint64 t = 0; t < endMs; t += StepMs) {
        QTlcStage *stage = tlc->currentStage();
        bool stageEvent = false;
        if (stage) {
            const bool lost = !awaiting && !stage->isEstablished();
            if (stage != previous || t == lastMs || lost) {
                if (previous && t > startMs) {
                    if (awaiting)
                        stageStartMs = t;
                    const qint64 fromMs = qMax(stageStartMs, startMs);
                    stageStartMs = fromMs;
                    if (t != fromMs) {
                        const QString name = previous->objectName().isEmpty()
                            ? tr("Phase %1").arg(previous->number())
                            : previous->objectName();
                        const double seconds = (t - fromMs) / 1000.0;
                        plotlet::RectangleSeries::Rect rect;
                        rect.rect = QRectF(toX(fromMs), 0.0, seconds, n + 1);
                        rect.outline = Qt::black;
                        rect.fill = Qt::lightGray;
                        rect.opacity = 0.6;
                        rect.caption = tr("%1\n%2 sec").arg(name, QString::number(seconds, 'g'));
                        stages->addRect(rect);
                    }
                }
                stageEvent = true;
                awaiting = true;
                previous = stage;
            }
            // Looked at after the change, so that a stage established in the
            // step it came in starts there.
            if (awaiting && stage->isEstablished()) {
                stageStartMs = t;
                awaiting = false;
                stageEvent = true;
            }
        }

        if (t >= startMs && n > 0) {
            // The first sample of the window only takes the states.
            const bool firstSample = t == startMs;
            for (int i = 0; i < n; ++i) {
                const int primitive = groups.at(i)->primitive();
                SignalGroupRow &row = rows[i];
                if (firstSample) {
                    row.primitive = primitive;
                    continue;
                }
                if (row.primitive == primitive && (!detailed || !stageEvent) && t != lastMs)
                    continue;
                addBar(bars, row.primitive, toX(row.sinceMs), toX(t), row.row, greenBlink,
                       amberBlink);
                row.sinceMs = t;
                row.primitive = primitive;
            }
        }

        // Every marker that falls within the next step fires before it, also
        // one off the 100 ms grid (a dragged marker).
        while (cursor < injections.size() && injections.at(cursor).key < t + StepMs) {
            const Injection &injection = injections.at(cursor++);
            if (!injection.idValid)
                continue;
            QObject *input = injection.detector
                ? static_cast<QObject *>(tlc->detectors()[injection.id])
                : static_cast<QObject *>(tlc->sensors()[injection.id]);
            if (input)
                QMetaObject::invokeMethod(input, injection.detector ? "emulateTransit" : "call",
                                          Qt::AutoConnection, Q_ARG(qint64, injection.durationMs));
        }

        tlc->step(t + StepMs);
    }
    return error;
}
