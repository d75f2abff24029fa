#pragma once

#include <QObject>
#include <QString>

// One emulated stage (a phase of the configuration): its object name is the
// phase's name, number() the phase id as a number (0 when the id is no
// number). Established once every group of the stage shows green and every
// group that left it shows red. Settable by a test double.
class QTlcStage : public QObject
{
    Q_OBJECT
public:
    explicit QTlcStage(int number, const QString &name = QString(), QObject *parent = nullptr);

    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }
    bool isEstablished() const { return m_established; }
    void setEstablished(bool established) { m_established = established; }

private:
    int m_number = 0;
    bool m_established = false;
};
