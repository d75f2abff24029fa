#include "zulookup.h"

namespace zu {

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
        return ok;
    }
    default:
        return false;
    }
}

} // namespace zu
