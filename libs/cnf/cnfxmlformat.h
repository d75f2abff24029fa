#pragma once

#include <QString>

// Names and value rules shared by the native format's reader and writer.
namespace CnfXmlFormat {

constexpr int Version = 1;

// Elements of typed values (dynamic properties and the native tree).
constexpr const char *NullTag = "Null";
constexpr const char *BoolTag = "Bool";
constexpr const char *IntTag = "Int";
constexpr const char *LongTag = "Long";
constexpr const char *DoubleTag = "Double";
constexpr const char *TextTag = "Text";
constexpr const char *BytesTag = "Bytes";
constexpr const char *DateTag = "Date";
constexpr const char *TimeTag = "Time";
constexpr const char *DateTimeTag = "DateTime";
constexpr const char *StringsTag = "Strings";
constexpr const char *MapTag = "Map";
constexpr const char *ListTag = "List";

// True when the text holds characters that XML 1.0 cannot carry, or a
// carriage return that a reader would turn into a line feed.
bool needsEncoding(const QString &text);
// Shortest text that reads back to the same double; "inf", "-inf", "nan".
QString doubleText(double value);
bool parseDouble(const QString &text, double *value);

} // namespace CnfXmlFormat
