#pragma once

#include "platform/ns/Value.h"

#include <optional>

namespace ns
{

// Property-list files: XML or binary on read, XML on write.
namespace PropertyList
{

// Parses XML or binary property-list bytes; nullopt when they are not one.
std::optional<Value> fromData(const QByteArray& bytes);
// Reads a file; nullopt when it is missing or not a property list.
std::optional<Value> readFile(const QString& path);
// The XML form of a value; empty when the value holds a null anywhere.
QByteArray toXml(const Value& value);
// Writes the XML form atomically; false (and the old file untouched) on failure.
bool writeFile(const QString& path, const Value& value);

// Convenience for the many files whose root is a dictionary or an array.
std::optional<Dictionary> readDictionary(const QString& path);
std::optional<Array> readArray(const QString& path);

} // namespace PropertyList

// Writes bytes to path so that a crash never leaves half a file: a temporary
// file beside it is written, synced and renamed over the old one.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace ns
