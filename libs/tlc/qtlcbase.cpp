#include "qtlcbase.h"

#include "tlclog.h"

#include "cnf/cnfcontroller.h"
#include "cnf/tiverkiiconfig.h"

#include <QCoreApplication>

QTlcBase::QTlcBase(QObject *parent)
    : QObject(parent)
{
    TlcLog::loggers();
}

QTlcBase::~QTlcBase() = default;

bool QTlcBase::fromJson(const QByteArray &bytes, QString *error)
{
    auto controller = std::make_unique<CnfController>();
    TiverkIIConfig reader;
    QString text;
    bool ok = reader.loadData(bytes) && reader.createController(*controller);
    if (!ok)
        text = reader.lastError();
    else
        ok = configure(*controller, &text);
    if (!ok) {
        if (text.isEmpty())
            text = QCoreApplication::translate("QTlcBase",
                                               "The controller description cannot be read");
        TlcLog::error(TlcLog::loggers().config, text);
        if (error)
            *error = text;
        return false;
    }
    m_configuration = std::move(controller);
    if (error)
        error->clear();
    return true;
}

bool QTlcBase::configure(const CnfController &, QString *)
{
    return true;
}
