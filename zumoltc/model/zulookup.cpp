#include "zulookup.h"

#include <climits>

namespace zu {

// A key that does not fit counts as a failed conversion: it would otherwise name
// an unrelated object.
bool fitsInt(const QVariant &key)
{
    switch (key.userType()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        // The conversion rounds to the nearest integer; NaN fails both comparisons.
        const double value = key.toDouble();
        return value >= double(INT_MIN) - 0.5 && value < double(INT_MAX) + 0.5;
    }
    case QMetaType::ULongLong:
        return key.toULongLong() <= qulonglong(INT_MAX);
    default: {
        const qlonglong value = key.toLongLong();
        return value >= INT_MIN && value <= INT_MAX;
    }
    }
}

bool numericKey(const QVariant &key, int &id)
{
    if (key.isNull())
        return false;
    switch (key.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double: {
        bool ok = false;
        id = key.toInt(&ok);
        return ok && fitsInt(key);
    }
    default:
        return false;
    }
}

} // namespace zu
