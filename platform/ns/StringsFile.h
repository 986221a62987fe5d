#pragma once

#include "platform/ns/Value.h"

#include <optional>

namespace ns
{

// Strings files: lines of "key" = "value"; with C and C++ comments and the
// escapes \" \\ \n \t \r and \Uxxxx. Keys keep the order of the file.
namespace StringsFile
{

// nullopt when the text is not a strings file (the error is logged).
std::optional<Dictionary> parse(const QString& text);
// The bytes of a file: UTF-8, or UTF-16 with a byte-order mark.
std::optional<Dictionary> fromData(const QByteArray& bytes);
std::optional<Dictionary> readFile(const QString& path);

} // namespace StringsFile

} // namespace ns
