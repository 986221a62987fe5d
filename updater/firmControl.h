#pragma once

#include "platform/download/DownloadInterface.h"
#include "platform/ns/Value.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

// Writes a firmware package into the modem through the download libraries:
// the port library and the platform library of the device model's platform,
// both opened by path with immediate binding at every start (the handles of
// an earlier start are closed first), joined through the event table, and
// the platform library's download run on a thread of its own. Its progress
// and result reach the controller on the main thread.
//
// The libraries lie in /usr/lib, or in the folder VARNOCK_DOWNLOAD_LIBRARIES
// names: "libtrelvanport.so" and "libtrelvanfw<N>.so" for the platforms 0
// and 4 to 10.
class firmControl
{
public:
    firmControl() = default;
    // Waits for a download under way, then closes both libraries.
    ~firmControl();
    firmControl(const firmControl&) = delete;
    firmControl& operator=(const firmControl&) = delete;

    // Loads the libraries for the parameters' "platform" (the device model),
    // has the platform library take the package in the folder's
    // "FirmwareUpdatePackage" and its event table, checks its platform and
    // starts the download thread. False, logged, when any of it fails or a
    // download still runs.
    bool StartUpdateFW(const QString& folder, const ns::Dictionary& parameters);
    // The port library, then the platform library of the model's platform
    // (platforms without one load none).
    bool loadDylib(const QString& model);
    bool loadPortLib();
    bool loadMiLib(const char* path);
    // The platform of a device model: the built-in table of models, else
    // the resource PlatformMap.plist (model to platform library name);
    // kUnknownPlatform for a model or library name found nowhere.
    int getPlatForm(const QString& model) const;
    // The body of the download thread.
    void download();
    bool isDownloading() const { return downloading_; }

    static constexpr int kUnknownPlatform = -1;
    // The platform a PlatformMap.plist's bytes give the model.
    static int platformInMap(const QString& model, const QByteArray& platformMap);
    // The platform library's file name; empty for a platform without one.
    static QString platformLibraryName(int platform);
    static QString librariesFolder();

    // The progress texts by the index a platform library reports.
    static constexpr int kProgressTextCount = 46;
    static const QString m_progress[kProgressTextCount];

private:
    void closeLibraries();

    _IDownloadEvent bk_download_fun{};
    _UIDownloadEvent ui_download_fun{};
    void* portlib_handle = nullptr;
    void* milib_handle = nullptr;
    std::thread downloadThread_;
    std::atomic<bool> downloading_{false};
};

// The platform library's progress callback (NotifyUIChange): the record's
// progress and text index go to the controller; a null record is ignored. Answers 1.
extern "C" int getDownloadInfo(const void* record);
