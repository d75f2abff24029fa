#pragma once

#include <QObject>

// An enumeration for the fuzzer's readEnum calls.
namespace fuzz {
Q_NAMESPACE
enum Kind { traffic, pedestrian, arrow, tram, always_ON };
Q_ENUM_NS(Kind)
} // namespace fuzz
