#pragma once

#include <QMetaType>

// A number as the native data holds one: an integer, a 64-bit integer or a
// floating-point value. A text of digits is no number: references compare it
// with names.
inline bool isNativeNumberType(int type)
{
    return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double;
}
