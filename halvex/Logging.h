#pragma once

#include <QLoggingCategory>

namespace halvex
{
Q_DECLARE_LOGGING_CATEGORY(lcHalvex)

// Text from outside (a step's name, an argument) as it goes into a log line
// or a reply: at most kLoggedTextLimit characters, with the length of what
// was cut, and control characters shown as '?', so one request can neither
// flood the log nor forge lines in it.
constexpr int kLoggedTextLimit = 64;
QString loggable(const QString& text);
} // namespace halvex
