#pragma once

#include <QStringList>

#include <algorithm>

// The size of a QtTest benchmark as a factor of its default size: an optional
// first argument ("0.05" for a quick run), taken out of the arguments before
// QtTest reads them. 1 without it.
inline double takeBenchScale(QStringList &arguments)
{
    bool ok = false;
    const double scale = arguments.value(1).toDouble(&ok);
    if (!ok || scale <= 0)
        return 1.0;
    arguments.removeAt(1);
    return std::min(scale, 100.0);
}
