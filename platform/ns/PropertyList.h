#pragma once

#include "platform/ns/AtomicFile.h"
#include "platform/ns/Value.h"

#include <optional>

namespace ns
{

// Property-list files: XML or binary on read, XML on write. Dates run from the
// year 1 to 9999; a UID is kept as a Uid value.
namespace PropertyList
{

// Parses XML (UTF-8, with or without a byte-order mark) or binary property-list
// bytes; nullopt (and a log line) when they are not one. Any bytes are safe to
// give: the readers check every length, offset and reference, and refuse
// cycles and nesting deeper than 512 containers.
std::optional<Value> fromData(const QByteArray& bytes);
// Reads a file; nullopt when it is missing or not a property list.
std::optional<Value> readFile(const QString& path);
// The XML and binary forms of a value; empty when the value cannot be written:
// it holds a null or a date outside the years 1 to 9999, or nests deeper than
// 512 containers (as a container that holds itself does). Whatever fromData
// returns can be written.
QByteArray toXml(const Value& value);
QByteArray toBinary(const Value& value);
// Writes the XML form atomically; false (and the old file untouched) on failure.
bool writeFile(const QString& path, const Value& value);

// Convenience for the many files whose root is a dictionary or an array.
std::optional<Dictionary> readDictionary(const QString& path);
std::optional<Array> readArray(const QString& path);

} // namespace PropertyList

} // namespace ns
