#pragma once

#include <QString>

// File keys of the data folder. Each key is also the file's name (or path)
// inside the folder; ConfigManager maps them to full paths.
inline const QString kCMModemListPath = QStringLiteral("ModemListPath");
inline const QString kCMSettingFile = QStringLiteral("settings.plist");
inline const QString kCMDialConfigFile = QStringLiteral("dialConfig.plist");
inline const QString kCMDialRecordFile = QStringLiteral("dialRecordData.plist");
inline const QString kCMDialRecordBackupFile = QStringLiteral("dialRecordBackData.plist");
inline const QString kCMSMSListOfSimFile = QStringLiteral("SmsList_Sim.plist");
inline const QString kCMSMSListOfMEFile = QStringLiteral("SmsList_ME.plist");
inline const QString kCMSMSListOfPCFile = QStringLiteral("SmsList_PC.plist");
inline const QString kCMSMSListOfReportBoxFile = QStringLiteral("smsReportsBoxData.plist");
inline const QString kCMPhoneBookFile = QStringLiteral("phoneBook.plist");
inline const QString kCMCallRecordDataFile = QStringLiteral("callRecordData.plist");
inline const QString kCMBrowserListFile = QStringLiteral("browserList.plist");
inline const QString kCMSoundOnlineFile = QStringLiteral("/sound/online.wav");
inline const QString kCMSoundOfflineFile = QStringLiteral("/sound/offline.wav");
inline const QString kCMSoundCallFile = QStringLiteral("/sound/call.wav");
inline const QString kCMSoundSmsFile = QStringLiteral("/sound/sms.wav");
inline const QString kCMSystemInformationFile = QStringLiteral("SystemInfomation.xml");
inline const QString kCMVideoCallFolder = QStringLiteral("videocall/");
inline const QString kCMVoiceCallFolder = QStringLiteral("voicecall/");
inline const QString kCMCVSLogFolder = QStringLiteral("CSVLog");
inline const QString kCMDiagInfoFile = QStringLiteral("DiagInfo.txt");
inline const QString kCMPBSimItemFile = QStringLiteral("SIM_Items.plist");
inline const QString kCMPBMeItemFile = QStringLiteral("ME_Items.plist");
inline const QString kUpdateFolder = QStringLiteral("/Update");
inline const QString kUILocalInfoPath = QStringLiteral("LocalInfo.plist");
inline const QString kInitFilePath = QStringLiteral("/Update/UpdateCfg.ini");
inline const QString kCONFIG_PATH = QStringLiteral("/Update/UpdateCfg.plist");
inline const QString kLocalInfoPath = QStringLiteral("/Update/LocalInfo.plist");
inline const QString kIMEIInfoPath = QStringLiteral("/Update/IMEIInfo.plist");
inline const QString RECORK_LASTDOWNLOAD = QStringLiteral("LastDownload.plist");
inline const QString kSourcesFolder = QStringLiteral("/Sources");
inline const QString kWebLinkInfoPath = QStringLiteral("WebLinkInfo.plist");
inline const QString kCMPhonebookUpdateBasePath = QStringLiteral("/PhonebookBackup");

// Separators and names used by the features' own file handling.
inline const QString kCMSplitWithSlash = QStringLiteral("/");
inline const QString kCMSplitWithEqual = QStringLiteral("=");
inline const QString kCMSplitWithLineFeed = QStringLiteral("\r\n");
inline const QString kCMSplitWithUnderline = QStringLiteral("_");
inline const QString kCMKeyFileFullName = QStringLiteral("KEY_LIST");
inline const QString kCMFileNameExtention = QStringLiteral(".ini");
inline const QString kCMFileNamePrefix = QStringLiteral("PB");

inline const QString kSettingsChangedNotification = QStringLiteral("SettingsChanged");
