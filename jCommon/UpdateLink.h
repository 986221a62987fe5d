#pragma once

#include "platform/ae/Types.h"

#include <QString>

// The update link from the connection manager to its update manager Varnock:
// one Apple Event of class and ID 'GURL' per command, addressed to Varnock's
// bundle identifier, carrying the command dictionary as an XML property list
// in the parameter 'UCMS' (descriptor type 'cfmd'). Sent without a reply.
inline constexpr ae::OSType kUpdateEventClass = ae::fourCharCode("GURL");
inline constexpr ae::OSType kUpdateEventID = ae::fourCharCode("GURL");
inline constexpr ae::OSType keyUpdateCommand = ae::fourCharCode("UCMS");
inline constexpr ae::OSType typeUpdateCommand = ae::fourCharCode("cfmd");

// The update manager's bundle identifier, and the Info.plist keys under which
// it finds the identifiers the connection manager may run as (with the
// values it takes when its Info.plist has none).
inline const QString kUpdaterBundleIdentifier = QStringLiteral("org.trelvan.Varnock");
inline const QString kDataCardBundleNameKey = QStringLiteral("DataCardBundleName");
inline const QString kNewDataCardBundleNameKey = QStringLiteral("NewDataCardBundleName");
inline const QString kDefaultDataCardBundleName = QStringLiteral("org.trelvan.Trelvan");
inline const QString kDefaultNewDataCardBundleName = QStringLiteral("org.trelvan.TrelvanNew");

// The command, the integer under "CMD_ID".
enum UpdateCommandID : int {
    CMD_ID_INIT = 1,         // (re)initialise the update agent
    CMD_ID_UPDATE = 2,       // check for an update
    CMD_ID_DEVICE_STATE = 3, // a device is present or gone
    CMD_ID_CLOSE_NET = 4,    // sent by nobody
    CMD_ID_CLOSE_UI = 5,     // sent by nobody
    CMD_ID_UE_PROCESS = 6,   // the installer tool's progress
    CMD_ID_UE_RESULT = 7,    // the installer tool's result
};

// The check a CMD_ID_UPDATE asks for, the integer under "UPDATE_MODE".
enum UpdateCommandMode : int {
    UPDATE_MODE_MANUAL = 1,    // the user asked
    UPDATE_MODE_AUTOMATIC = 3, // a device became ready
};

// Keys of the command dictionary.
inline const QString kCMD_ID = QStringLiteral("CMD_ID");
inline const QString kUPDATE_MODE = QStringLiteral("UPDATE_MODE");
inline const QString kDEVICE_STATE = QStringLiteral("DEVICE_STATE");
inline const QString kUI_Language = QStringLiteral("UI_Language");
inline const QString kKPath = QStringLiteral("kPath");
inline const QString kWHETHER_AUTO = QStringLiteral("WHETHER_AUTO");
inline const QString kCONNECT = QStringLiteral("CONNECT");
inline const QString kUPDA_PROCESS = QStringLiteral("UPDA_PROCESS");
inline const QString kUPDA_STATE = QStringLiteral("UPDA_STATE");
inline const QString kUPDA_RESULT = QStringLiteral("UPDA_RESULT");

// The client's description, strings of the connection manager's LocalInfo.plist
// (UNSIGNED_ID from its IMEIInfo.plist), in the order of the client record's fields.
inline const QString kOS = QStringLiteral("OS");
inline const QString kDEVICE_TYPE = QStringLiteral("DEVICE_TYPE");
inline const QString kUI_VERSION = QStringLiteral("UI_VERSION");
inline const QString kFW_VERSION = QStringLiteral("FW_VERSION");
inline const QString kUNSIGNED_ID = QStringLiteral("UNSIGNED_ID");
inline const QString kCLIENT_GROUP = QStringLiteral("CLIENT_GROUP");
inline const QString kLANGUAGE = QStringLiteral("LANGUAGE");
inline const QString kEXTERN_PARA = QStringLiteral("EXTERN_PARA");
inline const QString kClientInfoKeys[] = {kOS,          kDEVICE_TYPE,  kUI_VERSION, kFW_VERSION,
                                          kUNSIGNED_ID, kCLIENT_GROUP, kLANGUAGE,   kEXTERN_PARA};

// The connection manager's other strings of LocalInfo.plist, which travel with
// a CMD_ID_UPDATE unread: the application's version as it stands and its
// internal revision, the firmware's version as the device reported it, and
// the registered network's code.
inline const QString kSV = QStringLiteral("SV");
inline const QString kSV_INTERNAL = QStringLiteral("SV_INTERNAL");
inline const QString kFW = QStringLiteral("FW");
inline const QString kGP_MCCMNC = QStringLiteral("GP_MCCMNC");
