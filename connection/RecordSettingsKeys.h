#pragma once

#include <QString>

// The keys of the settings' "Record" module: the usage limits and the
// periodic reset of the connection records, shared by the dial controller
// and the records controller.
namespace record_keys
{

inline const QString kRecord = QStringLiteral("Record");
inline const QString kLimitSetValue = QStringLiteral("LimitSetValue");
inline const QString kLimitSetType = QStringLiteral("LimitSetType");
inline const QString kDataLimitSet = QStringLiteral("DataLimitSet");
inline const QString kResetMonthly = QStringLiteral("IfSetRecordResetFrequence");
inline const QString kResetEveryDays = QStringLiteral("IfSetRecordResetEveryDays");
inline const QString kResetPeriod = QStringLiteral("recordResetPeriod");
inline const QString kResetStartTime = QStringLiteral("recordResetStartTime");
inline const QString kLastResetTime = QStringLiteral("recordLastResetTime");
inline const QString kResetFlag = QStringLiteral("RecordResetFlag");

} // namespace record_keys
