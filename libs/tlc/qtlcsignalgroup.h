#pragma once

#include <QObject>
#include <QString>

// One emulated signal group: its object name is the group's name, number()
// its id, primitive() the state it shows now. The emulator sets the state; a
// test double of the emulator sets it directly.
class QTlcSignalGroup : public QObject
{
    Q_OBJECT
public:
    enum Primitive {
        Off = 0,
        Red = 1,
        Green = 2,
        Yellow = 3,
        GreenBlink = 4,
        AmberBlink = 5,
        RedYellow = 6
    };
    Q_ENUM(Primitive)

    explicit QTlcSignalGroup(int number, const QString &name = QString(),
                             QObject *parent = nullptr);

    int number() const { return m_number; }
    void setNumber(int number) { m_number = number; }
    Primitive primitive() const { return m_primitive; }
    void setPrimitive(Primitive primitive) { m_primitive = primitive; }

    // Words of the states in log lines ("green blink"); "?" for no state.
    static QString primitiveName(int primitive);

private:
    int m_number = 0;
    Primitive m_primitive = Off;
};
