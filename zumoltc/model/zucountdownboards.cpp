#include "zucountdownboards.h"

#include "zulists.h"

struct ZUCountdownBoards::Private
{
    int protocol = zu::NotSet;
    int warnTime = zu::NotSet;
    QList<Board> boards;
};

ZUCountdownBoards::ZUCountdownBoards(QObject *parent)
    : QObject(parent)
    , d(new Private)
{
}

ZUCountdownBoards::~ZUCountdownBoards() = default;

int ZUCountdownBoards::protocol() const
{
    return d->protocol;
}
void ZUCountdownBoards::setProtocol(int protocol)
{
    d->protocol = protocol;
}
int ZUCountdownBoards::warnTime() const
{
    return d->warnTime;
}
void ZUCountdownBoards::setWarnTime(int warnTime)
{
    d->warnTime = warnTime;
}

void ZUCountdownBoards::addBoard(QPointer<ZUSignalGroup> group, int boards, int addr, int warnTime)
{
    if (group)
        d->boards.append(Board { group, addr, boards, warnTime, {} });
}

void ZUCountdownBoards::clearBoards()
{
    d->boards.clear();
}

QList<ZUCountdownBoards::Board> &ZUCountdownBoards::boards()
{
    return zu::pruneDead(d->boards, [](const Board &board) { return !board.group.isNull(); });
}

void ZUCountdownBoards::reset()
{
    *d = Private();
}
