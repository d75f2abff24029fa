#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// A detector or, with the sensor flag, a sensor. Detectors and sensors are
// kept in two lists of the controller with separate id spaces. Further
// settings (input source, journal messages, ...) are dynamic properties.
class CnfDetector : public QObject
{
    Q_OBJECT
public:
    explicit CnfDetector(QObject *parent = nullptr);

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    bool isSensor() const { return m_sensor; }
    void setSensor(bool sensor) { m_sensor = sensor; }
    // "4 (Loop north)" or "4" without a name.
    QString friendlyName() const;
    // Names of "properties" members that the file held as null (CnfTreeSchema).
    QStringList nullProperties() const { return m_nullProperties; }
    void setNullProperties(const QStringList &names) { m_nullProperties = names; }

    // The members a ZU_MOLT sensor was read without ("id", "name"), and the id
    // it was listed under in place of a missing one (0, or, when another
    // sensor of the file has 0, the lowest id none has): the ZU_MOLT writer
    // leaves a member out again while the sensor still holds that id, or no
    // name. Not kept by the other formats.
    QStringList unsetMembers;
    int unsetId = 0;

private:
    int m_id = 0;
    QString m_name;
    bool m_sensor = false;
    QStringList m_nullProperties;
};
