#pragma once

#include "platform/ae/Types.h"

#include <QString>

// How records travel between the manager and the device server: one Apple
// Event of class and ID 'GURL' each way, the record as raw data under 'jMsg'.
// The server listens under the first bundle identifier, the manager's message
// center under the second.
inline constexpr ae::OSType kRecordEventClass = ae::fourCharCode("GURL");
inline constexpr ae::OSType kRecordEventID = ae::fourCharCode("GURL");
inline constexpr ae::OSType keyRecordParameter = ae::fourCharCode("jMsg");

inline const QString kJOVDataCardServer = QStringLiteral("org.trelvan.Halvex");
inline const QString kJOVDataCardClient = QStringLiteral("org.trelvan.Trelvan");
