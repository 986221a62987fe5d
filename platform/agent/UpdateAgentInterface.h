#pragma once

// The update agent library libAgent: the agent object that checks for new
// versions and downloads packages, and the callback class through which it
// reports to its client. The library runs the agent on a thread of its own
// and calls the callbacks from that thread.

#define UPDATE_AGENT_EXPORT __attribute__((visibility("default")))

// What the client tells the update server about itself: eight NUL-terminated
// UTF-8 texts of at most 63 bytes each. A new record is all zero bytes;
// copying one copies each field as a NUL-terminated string.
struct _CLIENT_INFO {
    static constexpr int kFieldCount = 8;
    static constexpr int kFieldSize = 64;

    char OS[kFieldSize] = {};
    char DEVICE_TYPE[kFieldSize] = {};
    char UI_VERSION[kFieldSize] = {};
    char FW_VERSION[kFieldSize] = {};
    char UNSIGNED_ID[kFieldSize] = {};
    char CLIENT_GROUP[kFieldSize] = {};
    char LANGUAGE[kFieldSize] = {};
    char EXTERN_PARA[kFieldSize] = {};

    _CLIENT_INFO() = default;
    _CLIENT_INFO(const _CLIENT_INFO& other) { *this = other; }
    _CLIENT_INFO& operator=(const _CLIENT_INFO& other)
    {
        for (int i = 0; i < kFieldCount; ++i) {
            const char* from = other.field(i);
            char* to = field(i);
            int n = 0;
            for (; n < kFieldSize - 1 && from[n]; ++n)
                to[n] = from[n];
            for (; n < kFieldSize; ++n)
                to[n] = 0;
        }
        return *this;
    }

    // The fields by index, in the order above; null for another index.
    char* field(int index)
    {
        switch (index) {
        case 0:
            return OS;
        case 1:
            return DEVICE_TYPE;
        case 2:
            return UI_VERSION;
        case 3:
            return FW_VERSION;
        case 4:
            return UNSIGNED_ID;
        case 5:
            return CLIENT_GROUP;
        case 6:
            return LANGUAGE;
        case 7:
            return EXTERN_PARA;
        default:
            return nullptr;
        }
    }
    const char* field(int index) const { return const_cast<_CLIENT_INFO*>(this)->field(index); }
};
static_assert(sizeof(_CLIENT_INFO) == 512, "the client record is eight fields of 64 bytes");

// The check the client asks for.
enum _UpdateMode : int {
    MANUAL_UPDATE = 1, // the user asked
    AUTO_UPDATE = 3,   // a device became ready
};

// The progress the agent reports.
enum _CheckVersionState : int {
    CHECK_LOCAL_VERSION = 1,
    CHECK_SERVER_VERSION = 2,
    DOWNLOADING = 3,
    DOWNLOAD_SUCCEED = 4,
    DOWNLOAD_FAILED = 5,
    DOWNLOAD_REFUSED = 6,
    NO_DOWNLOAD = 7,
};

// The client's side: the agent calls these, from its own thread.
class CMUpdaterInterface
{
public:
    virtual ~CMUpdaterInterface() = default;
    // The description of the check's answer has been written.
    virtual void HaveNewVsersion() = 0;
    virtual void SetNowDownloadStatus(_CheckVersionState state) = 0;
    virtual void DownloadFinished(bool ok) = 0;
    // A progress line (UTF-8) and the percent done.
    virtual void DownloadProcess(const char* text, int percent) = 0;
};

// The agent. Every call returns at once; the work runs on the agent's thread.
class UpdateAgentInterface
{
public:
    // The agent's settings file (lines "ENABLE_UPDATE=", "ServiceURL="), in
    // ModemList/Update of the library folder that also holds the agent's
    // download folder Auto_Update/download.
    virtual void SetFilePath(const char* path) = 0;
    // Reads the settings file again.
    virtual void Init() = 0;
    // Asks the update server for a new version; the answer is written to
    // Description.xml in the download folder, then HaveNewVsersion is called.
    virtual void Update(_UpdateMode mode, _CLIENT_INFO info) = 0;
    // Downloads the packages of UserSelection.xml in the download folder.
    virtual void Download() = 0;
    // Declines the offer (and stops a download).
    virtual void RefuseDownload() = 0;
    // Stops a download; what has arrived stays for the next one.
    virtual void StopDownload() = 0;

protected:
    virtual ~UpdateAgentInterface() = default;
};

// The one agent, created on first use.
UPDATE_AGENT_EXPORT UpdateAgentInterface* GetUpdateAgentInterface();
UPDATE_AGENT_EXPORT void RegisterCMUpdaterInterface(CMUpdaterInterface* callbacks);
// Stops the agent and releases it (and the registration).
UPDATE_AGENT_EXPORT void UnInit();
