#pragma once

#include "cnfnative.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <QVector>

#include <memory>

class CnfController;
class CnfJsonValue;
struct CnfTreeSchemaPart;

// Common part of the configuration files that are read into a tree first
// (adapter text, TIVERK II and ZU_MOLT JSON): load() reads the file and hands
// its bytes to loadData(), which checks them and keeps the tree;
// createController() clears the controller and has the family fill it, and
// clears it again on failure. Failures: false with lastError(), which is also
// the controller's lastError after a failed createController().
class CnfFormatConfig : public CnfNative
{
public:
    CnfFormatConfig();
    ~CnfFormatConfig() override;

    bool load(const QString &path);
    virtual bool loadData(const QByteArray &bytes) = 0;
    bool isValid() const override { return m_valid; }
    bool createController(CnfController &controller) override;
    using CnfNative::createController;
    QString lastError() const override { return m_error; }

protected:
    // Fills the cleared controller from root(); false with error.
    virtual bool fill(CnfController &controller, QString *error) = 0;

    bool fail(const QString &error);
    // The parts of a controller for a writer; false with lastError.
    bool collect(const CnfController &controller, QVector<CnfTreeSchemaPart> *parts,
                 QVariantMap *native);
    void reset();
    bool accept(const CnfJsonValue &root);
    void setError(const QString &error);
    const CnfJsonValue &root() const { return *m_root; }

private:
    // The tree of the file read last; its type stays inside the library.
    std::unique_ptr<CnfJsonValue> m_root;
    bool m_valid = false;
    QString m_error;
};
