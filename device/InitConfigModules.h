#pragma once

#include <QString>

// The configuration modules the initialisation controller reads its switches from.
namespace init_config
{

inline const QString kMain = QStringLiteral("Main");
inline const QString kInit = QStringLiteral("Init");
inline const QString kInternet = QStringLiteral("Internet");
inline const QString kSms = QStringLiteral("SMS");
inline const QString kSetting = QStringLiteral("Setting");

} // namespace init_config
