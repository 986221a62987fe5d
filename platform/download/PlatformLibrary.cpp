// A platform library of the stand-in flashing procedure, built once per
// platform number (TRELVAN_FW_PLATFORM). It takes a package whose manifest
// and image agree, and writes the image to the port named by
// VARNOCK_DOWNLOAD_PORT (default "/dev/ttyUSB0") in numbered blocks, each
// answered by the device before the next goes out.
#include "platform/download/DownloadInterface.h"
#include "platform/download/FirmwareManifest.h"
#include "platform/download/FlashProtocol.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#ifndef TRELVAN_FW_PLATFORM
#error "TRELVAN_FW_PLATFORM names the platform this library serves"
#endif

#define PLATFORM_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

// Indexes of the update manager's progress texts.
enum ProgressText : int32_t {
    kWriting = 0,
    kEnterDownloadMode = 1,
    kClosing = 15,
    kSucceeded = 18,
    kNoDevice = 19,
    kWriteFailed = 27,
};

// How long the device may take to answer one block.
constexpr int kAnswerTimeoutMs = 10000;

std::mutex stateMutex;
_IDownloadEvent events{};
bool registered = false;
std::vector<unsigned char> image;
bool initialized = false;

void report(int32_t index, int32_t progress)
{
    const _DownloadProgress record{{0, 0}, index, progress};
    events.NotifyUIChange(&record);
}

// Reads exactly one answer, or nothing within the time-out.
bool readAnswer(firmware::Answer* answer)
{
    unsigned char bytes[firmware::kAnswerBytes];
    std::size_t have = 0;
    while (have < sizeof bytes) {
        const int n = events.CallbackFun_ReadData(bytes + have, int(sizeof bytes - have), kAnswerTimeoutMs);
        if (n <= 0)
            return false;
        have += std::size_t(n);
    }
    const std::optional<firmware::Answer> decoded = firmware::decodeAnswer(bytes, sizeof bytes);
    if (!decoded)
        return false;
    *answer = *decoded;
    return true;
}

bool sendBlock(uint32_t number, const unsigned char* data, std::size_t length)
{
    const std::vector<unsigned char> block = firmware::encodeBlock(number, data, length);
    if (events.CallbackFun_SendData(block.data(), int(block.size())) != int(block.size()))
        return false;
    firmware::Answer answer;
    return readAnswer(&answer) && answer.answer == firmware::kTaken && answer.number == number;
}

const char* portName()
{
    const char* port = std::getenv("VARNOCK_DOWNLOAD_PORT");
    return port && *port ? port : "/dev/ttyUSB0";
}

} // namespace

PLATFORM_EXPORT unsigned char initialize(const char* packageFolder)
{
    if (!packageFolder)
        return 0;
    std::string error;
    std::optional<std::vector<unsigned char>> loaded = firmware::loadFirmwareImage(packageFolder, &error);
    const std::lock_guard lock(stateMutex);
    if (!loaded) {
        std::fprintf(stderr, "libtrelvanfw%d: %s\n", TRELVAN_FW_PLATFORM, error.c_str());
        initialized = false;
        return 0;
    }
    image = std::move(*loaded);
    initialized = true;
    return 1;
}

PLATFORM_EXPORT unsigned char registrEvent(const _IDownloadEvent* table)
{
    if (!table || !table->NotifyUIChange || !table->CallbackFun_Open || !table->CallbackFun_Close ||
        !table->CallbackFun_IsOpened || !table->CallbackFun_ReadData || !table->CallbackFun_SendData ||
        !table->CallbackFun_ReadDataWaiting)
        return 0;
    const std::lock_guard lock(stateMutex);
    events = *table;
    registered = true;
    return 1;
}

PLATFORM_EXPORT unsigned char checkPlatform(const int32_t* platform)
{
    return platform && *platform == TRELVAN_FW_PLATFORM ? 1 : 0;
}

PLATFORM_EXPORT unsigned char download(void*)
{
    const std::lock_guard lock(stateMutex);
    if (!registered || !initialized)
        return 0;
    report(kEnterDownloadMode, 0);
    if (events.CallbackFun_Open(portName()) != 1) {
        report(kNoDevice, 0);
        return 0;
    }
    uint32_t number = 0;
    int shown = -1;
    for (std::size_t sent = 0; sent < image.size(); ++number) {
        const std::size_t length = std::min(firmware::kMaxBlockBytes, image.size() - sent);
        if (!sendBlock(number, image.data() + sent, length)) {
            report(kWriteFailed, shown < 0 ? 0 : shown);
            events.CallbackFun_Close();
            return 0;
        }
        sent += length;
        const int percent = int(sent * 100 / image.size());
        if (percent != shown)
            report(kWriting, shown = percent);
    }
    if (!sendBlock(number, nullptr, 0)) {
        report(kWriteFailed, 100);
        events.CallbackFun_Close();
        return 0;
    }
    report(kClosing, 100);
    events.CallbackFun_Close();
    report(kSucceeded, 100);
    return 1;
}

static_assert(std::is_same_v<decltype(&initialize), InitializeFunction>);
static_assert(std::is_same_v<decltype(&registrEvent), RegisterEventFunction>);
static_assert(std::is_same_v<decltype(&checkPlatform), CheckPlatformFunction>);
static_assert(std::is_same_v<decltype(&download), DownloadFunction>);
