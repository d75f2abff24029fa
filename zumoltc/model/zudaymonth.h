#pragma once

#include <QString>
#include <QVariant>

// A date of the year without the year ("dd.MM"). Valid when 1 <= day <= 31 and
// 1 <= month <= 12 (the day is not checked against the month, so 31.02 is valid);
// day -1 marks a value that is not set or failed to parse.
struct ZUDayMonth
{
    int day = -1;
    int month = -1;

    ZUDayMonth() = default;
    ZUDayMonth(int day, int month);

    bool isValid() const;
    // Two numbers separated by '.' (empty parts skipped); anything else is invalid.
    static ZUDayMonth fromString(const QString &text);
    // "dd.MM" with leading zeros; empty for an invalid value.
    QString toString() const;
    // The text of toString, or an invalid QVariant for an invalid value.
    QVariant toVariant() const;

    bool operator==(const ZUDayMonth &other) const
    {
        return day == other.day && month == other.month;
    }
    bool operator!=(const ZUDayMonth &other) const { return !(*this == other); }
};
