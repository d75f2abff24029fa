#include "cnfxmlformat.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace CnfXmlFormat {

bool needsEncoding(const QString &text)
{
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = text.at(i).unicode();
        if (c < 0x20 && c != '\t' && c != '\n')
            return true;
        if (c == 0xFFFE || c == 0xFFFF)
            return true;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= size || !QChar::isLowSurrogate(text.at(i + 1).unicode()))
                return true;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return true;
        }
    }
    return false;
}

QString doubleText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool parseDouble(const QString &text, double *value)
{
    const QString trimmed = text.trimmed();
    if (trimmed == QLatin1String("nan")) {
        *value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (trimmed == QLatin1String("inf") || trimmed == QLatin1String("-inf")) {
        *value = trimmed.startsWith(QLatin1Char('-')) ? -std::numeric_limits<double>::infinity()
                                                      : std::numeric_limits<double>::infinity();
        return true;
    }
    bool ok = false;
    *value = trimmed.toDouble(&ok);
    return ok && std::isfinite(*value);
}

} // namespace CnfXmlFormat
