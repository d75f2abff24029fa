#include "zudaymonth.h"

#include <QStringList>

ZUDayMonth::ZUDayMonth(int day, int month)
    : day(day)
    , month(month)
{
}

bool ZUDayMonth::isValid() const
{
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

ZUDayMonth ZUDayMonth::fromString(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (parts.size() != 2)
        return ZUDayMonth();
    bool dayOk = false;
    bool monthOk = false;
    const ZUDayMonth value(parts.first().toInt(&dayOk), parts.last().toInt(&monthOk));
    if (!dayOk || !monthOk || !value.isValid())
        return ZUDayMonth();
    return value;
}

QString ZUDayMonth::toString() const
{
    if (!isValid())
        return QString();
    return QStringLiteral("%1.%2")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'));
}

QVariant ZUDayMonth::toVariant() const
{
    return isValid() ? QVariant(toString()) : QVariant();
}
