#pragma once

#include <QString>

// In-process notifications of the application's life cycle, posted by the
// controllers (JOVUIController's notify... methods) and observed through the
// observer tables of the features.
inline const QString kDeviceRemovedNotification = QStringLiteral("DeviceRemoved");
inline const QString kDevicePluginNotification = QStringLiteral("DevicePlugin");
inline const QString kSimReadyNotification = QStringLiteral("SimReady");
// Its user information holds the new state under the same key, as a number.
inline const QString kDataServiceSwitchNotification = QStringLiteral("DataServiceSwitch");
// Both carry the tab identifier under "TabViewItemWillChange".
inline const QString kTabViewItemWillChangeNotification = QStringLiteral("TabViewItemWillChange");
inline const QString kTabViewItemDidChangeNotification = QStringLiteral("TabViewItemDidChange");
inline const QString kAppReadyNotification = QStringLiteral("AppReady");
inline const QString kAppWillCloseNotification = QStringLiteral("AppWillClose");
inline const QString kConnectStatusDidChangeNotification = QStringLiteral("ConnectStatusDidChange");
inline const QString kIsAbleToConnectNotification = QStringLiteral("IsAbleToConnect");
inline const QString kStartConnectionNotification = QStringLiteral("StartConnection");
// The main window was swapped; the object information "window" is the new one.
inline const QString kMainwindOfAppChangedNotification = QStringLiteral("MainwindOfAppChanged");
// The outcome of a code for the device lock, for the feature that asked
// (getDeviceLockFunctionModule of g_InitController names it); no user information.
inline const QString kDeviceUnlockSuccess = QStringLiteral("DeviceUnlockSuccess");
inline const QString kDeviceUnlockFailed = QStringLiteral("DeviceUnlockFailed");
