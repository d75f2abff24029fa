#include "qtlc.h"

#include "tlcengine.h"
#include "tlclog.h"

#include "cnf/cnfcontroller.h"

#include <QSettings>

#include <stdexcept>

QTlc::QTlc(QObject *parent)
    : QTlcBase(parent)
{
}

QTlc::~QTlc() = default;

bool QTlc::configure(const CnfController &controller, QString *)
{
    m_engine.reset();
    m_engine = std::make_unique<TlcEngine>(controller, this);
    m_engine->setDayTime(m_date.isValid() ? m_date.time().msecsSinceStartOfDay() : 0);
    TlcLog::info(
        TlcLog::loggers().config,
        QStringLiteral("loaded %1 signal groups, %2 stages, %3 programs, %4 detectors, %5 sensors")
            .arg(controller.signalGroups().size())
            .arg(controller.phases().size())
            .arg(controller.programs().size())
            .arg(controller.detectorsList().size())
            .arg(controller.sensorsList().size()));
    return true;
}

bool QTlc::setDate(const QDateTime &date)
{
    m_date = date;
    if (m_engine)
        m_engine->setDayTime(date.isValid() ? date.time().msecsSinceStartOfDay() : 0);
    return date.isValid();
}

bool QTlc::start()
{
    if (!m_engine)
        return false;
    m_engine->start();
    // The calendar, control sources, modules and plug-ins are not emulated:
    // what the description and the settings ask for is only reported.
    const TlcLog::Loggers &log = TlcLog::loggers();
    const QStringList modules
        = configuration()->getNativeData(QStringLiteral("modules")).toMap().keys();
    if (!modules.isEmpty())
        TlcLog::info(
            log.config,
            QStringLiteral("modules not emulated: %1").arg(modules.join(QStringLiteral(", "))));
    const QVariant disabled = QSettings().value(QStringLiteral("QTlc/DisabledPlugins"));
    if (disabled.isValid())
        TlcLog::info(
            log.config,
            QStringLiteral("no plug-in is loaded (disabled: %1)").arg(disabled.toString()));
    return true;
}

QList<QTlcSignalGroup *> QTlc::signalGroups() const
{
    return m_engine ? m_engine->signalGroups() : QList<QTlcSignalGroup *>();
}

bool QTlc::setPlan(const QVariant &number)
{
    if (!m_engine) {
        const QString message
            = QStringLiteral("plan %1: no controller description is loaded").arg(number.toString());
        TlcLog::error(TlcLog::loggers().plan, message);
        throw std::invalid_argument(message.toStdString());
    }
    m_engine->setPlan(number);
    return true;
}

QTlcDetectors QTlc::detectors() const
{
    return m_engine ? QTlcDetectors(m_engine->detectors()) : QTlcDetectors();
}

QTlcSensors QTlc::sensors() const
{
    return m_engine ? QTlcSensors(m_engine->sensors()) : QTlcSensors();
}

void QTlc::step(qint64 endMs)
{
    if (m_engine)
        m_engine->step(endMs);
}

QTlcStage *QTlc::currentStage() const
{
    return m_engine ? m_engine->currentStage() : nullptr;
}

qint64 QTlc::clock() const
{
    return m_engine ? m_engine->clock() : 0;
}
