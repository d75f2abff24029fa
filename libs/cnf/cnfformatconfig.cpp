#include "cnfformatconfig.h"

#include "cnfcontroller.h"
#include "cnfjsonvalue.h"
#include "cnftreeschema.h"

#include <QCoreApplication>

CnfFormatConfig::CnfFormatConfig()
    : m_root(std::make_unique<CnfJsonValue>())
{
}

CnfFormatConfig::~CnfFormatConfig() = default;

bool CnfFormatConfig::load(const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!CnfTreeSchema::readFile(path, &bytes, &error)) {
        reset();
        return fail(error);
    }
    return loadData(bytes);
}

void CnfFormatConfig::setError(const QString &error)
{
    m_error = error;
    setLastError(error);
}

bool CnfFormatConfig::fail(const QString &error)
{
    setError(error);
    m_valid = false;
    return false;
}

bool CnfFormatConfig::collect(const CnfController &controller, QVector<CnfTreeSchemaPart> *parts,
                              QVariantMap *native)
{
    setError(QString());
    QString error;
    if (!CnfTreeSchema::collect(controller, parts, native, &error))
        return fail(error);
    return true;
}

void CnfFormatConfig::reset()
{
    *m_root = CnfJsonValue();
    m_valid = false;
    m_error.clear();
}

bool CnfFormatConfig::accept(const CnfJsonValue &root)
{
    *m_root = root;
    m_valid = true;
    return true;
}

bool CnfFormatConfig::createController(CnfController &controller)
{
    if (!m_valid) {
        setError(m_error.isEmpty()
                     ? QCoreApplication::translate("CnfNative", "No configuration loaded")
                     : m_error);
        controller.clear();
        controller.setLastError(m_error);
        return false;
    }
    controller.clear();
    QString error;
    if (!fill(controller, &error)) {
        controller.clear();
        controller.setLastError(error);
        setError(error);
        return false;
    }
    return true;
}
