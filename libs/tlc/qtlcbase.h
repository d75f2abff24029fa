#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class CnfController;

// Base of the controller emulator: reads the controller description, the
// bytes that TiverkIIConfig::save writes (docs/formats.md), with the
// configuration library's own reader. Virtual, so that a test double can
// stand in for the emulator.
class QTlcBase : public QObject
{
    Q_OBJECT
public:
    explicit QTlcBase(QObject *parent = nullptr);
    ~QTlcBase() override;

    // False with a non-empty error text (from the reader: "Line L, column C:
    // ...") when the bytes are no sound description; the description loaded
    // before stays then. `error` may be null.
    virtual bool fromJson(const QByteArray &bytes, QString *error);

    // The loaded description; null before the first successful fromJson.
    const CnfController *configuration() const { return m_configuration.get(); }

protected:
    // Takes over a description read by fromJson; false with error rejects it.
    virtual bool configure(const CnfController &controller, QString *error);

private:
    std::unique_ptr<CnfController> m_configuration;
};
