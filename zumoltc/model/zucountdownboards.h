#pragma once

#include "zusignalgroup.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

// The countdown boards shown to road users: protocol (zu::CountdownBoardProtocol),
// common warning time in seconds and one record per signal group with boards.
// Integers are zu::NotSet until given.
class ZUCountdownBoards : public QObject
{
    Q_OBJECT
public:
    struct Board
    {
        QPointer<ZUSignalGroup> group;
        int addr = zu::NotSet;
        int boards = zu::NotSet;
        int warnTime = zu::NotSet;
        KeptMembers kept;
    };

    explicit ZUCountdownBoards(QObject *parent = nullptr);
    ~ZUCountdownBoards() override;

    int protocol() const;
    void setProtocol(int protocol);
    int warnTime() const;
    void setWarnTime(int warnTime);

    // Appends a record when group is alive; nothing otherwise.
    void addBoard(QPointer<ZUSignalGroup> group, int boards, int addr, int warnTime);
    void clearBoards();
    // Records of dead groups dropped first.
    QList<Board> &boards();

    // Protocol and warning time not set, no records.
    void reset();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
