#include "uniquevalues.h"

void splitCopyName(const QString &sourceName, QString *base, int *next)
{
    int digitsAt = sourceName.size();
    while (digitsAt > 0 && sourceName.at(digitsAt - 1) >= QLatin1Char('0')
           && sourceName.at(digitsAt - 1) <= QLatin1Char('9'))
        --digitsAt;
    *base = sourceName.left(digitsAt);
    bool ok = false;
    const int number = sourceName.mid(digitsAt).toInt(&ok, 10);
    // Raising the largest numbers would overflow or reach the not-set value.
    *next = ok && number < zu::NotSet - 1 ? number + 1 : 1;
}
