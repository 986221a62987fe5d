#pragma once

#include <QString>

// The run-time dictionary: shared state of the running application, kept
// under this top-level key of the live settings (JOVUIController::runtimeDictionary).
inline const QString kRuntimeDataKey = QStringLiteral("RuntimeData");

// Its keys; the features that write them give their meaning.
inline const QString kRTIMEI = QStringLiteral("runtimeIMEI");
inline const QString kRTPhoneNumber = QStringLiteral("runtimePhoneNumber");
inline const QString kRTIsConnecttedFlag = QStringLiteral("runtimeIsConnecttedFlag");
inline const QString kRTSIMCardReady = QStringLiteral("runtimeSIMCardReady");
inline const QString kRTIsSameMCC = QStringLiteral("runtimeIsSameMCC");
inline const QString kRTIsConnectBtnEnable = QStringLiteral("IsConnectBtnEnable");
