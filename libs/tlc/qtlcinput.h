#pragma once

#include <QObject>
#include <QString>

// What emulated detectors and sensors share: the id of the configuration's
// detector or sensor, and its name as object name.
class QTlcInput : public QObject
{
    Q_OBJECT
public:
    explicit QTlcInput(int id, const QString &name = QString(), QObject *parent = nullptr);

    int id() const { return m_id; }

private:
    int m_id = 0;
};
