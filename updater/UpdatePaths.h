#pragma once

#include <QString>

// The update manager's files keep their Mac paths as names; localPath() is the
// one place that says where each lies. "/System/Library" stands for the
// folder that holds the connection manager's data folder ModemList, found
// from Varnock's bundle as the connection manager's configuration store finds
// it (Varnock.app lies in Trelvan.app/Contents/Resources, beside ModemList).
// The environment variable VARNOCK_LIBRARY_ROOT names another folder (tests).
namespace UpdatePaths
{

inline const QString kLibraryFolder = QStringLiteral("/System/Library");
inline const QString kUpdateCfgIni = QStringLiteral("/System/Library/ModemList/Update/UpdateCfg.ini");
inline const QString kUpdateCfgPlist = QStringLiteral("/System/Library/ModemList/Update/UpdateCfg.plist");
inline const QString kLastDownloadPlist = QStringLiteral("/System/Library/ModemList/LastDownload.plist");
inline const QString kDownloadFolder = QStringLiteral("/System/Library/Auto_Update/download");
inline const QString kDescriptionXML = QStringLiteral("/System/Library/Auto_Update/download/Description.xml");
inline const QString kUserSelectionXML =
    QStringLiteral("/System/Library/Auto_Update/download/UserSelection.xml");
inline const QString kLastUpdateDateTimePlist =
    QStringLiteral("/System/Library/Auto_Update/download/lastUpdateDateTime.plist");

// The folder that stands for "/System/Library".
QString libraryRoot();
// Where a path under "/System/Library" lies here; other paths stay as they are.
QString localPath(const QString& macPath);
// Creates the download folder, owner-only, when it is missing.
bool ensureDownloadFolder();

} // namespace UpdatePaths
