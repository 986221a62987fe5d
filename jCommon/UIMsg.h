#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The fixed-size record exchanged with the device server: 8220 bytes,
// little-endian, naturally aligned.
struct _UI_MSG {
    int32_t tag;      // always 1 in records we send
    int32_t moduleID; // the sending module
    uint16_t majorID; // message family
    uint16_t minorID; // message within the family
    int32_t type;
    int8_t result;
    uint8_t padding1[3];
    int32_t length; // valid bytes in data
    uint8_t data[8192];
    uint8_t tail[3];
    uint8_t padding2;
};

static_assert(sizeof(_UI_MSG) == 8220);
static_assert(offsetof(_UI_MSG, moduleID) == 4);
static_assert(offsetof(_UI_MSG, majorID) == 8);
static_assert(offsetof(_UI_MSG, minorID) == 10);
static_assert(offsetof(_UI_MSG, type) == 12);
static_assert(offsetof(_UI_MSG, result) == 16);
static_assert(offsetof(_UI_MSG, length) == 20);
static_assert(offsetof(_UI_MSG, data) == 24);
static_assert(offsetof(_UI_MSG, tail) == 8216);
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the record is little-endian in memory");

constexpr int kUIMsgSize = int(sizeof(_UI_MSG));
constexpr int kUIMsgDataSize = int(sizeof(_UI_MSG::data));

// Module numbers that senders put in moduleID.
enum UIMsgModule : int32_t {
    kModuleMainWindow = 0,
    kModuleInit = 1,
    kModuleDialUp = 2,
    kModuleSettings = 3,
    kModulePhoneBook = 4,
    kModuleSMS = 5,
    kModuleSTK = 6,
    kModuleUSSD = 7,
    kModuleGPS = 8,
    kModuleVoiceCall = 9,
    kModuleWLAN = 10,
};

// Record types: requests go out with type 0; answers and reports come back
// with type 1 (a few answers, such as the PIN check, use type 0).
constexpr int32_t kTypeRequest = 0;
constexpr int32_t kTypeReport = 1;

// Result bytes: 0 success, 0xFF failure.
constexpr int8_t kResultSuccess = 0;
constexpr int8_t kResultFailure = -1;

// The record's bytes, and a record read back from at most one record's bytes
// (a shorter input leaves the rest zero).
inline QByteArray recordBytes(const _UI_MSG& msg)
{
    return QByteArray(reinterpret_cast<const char*>(&msg), kUIMsgSize);
}

// A record as senders build it: tag 1, the header fields, and the payload
// (cut to the data field; callers that must not cut check the size first).
inline _UI_MSG makeUIMsg(int32_t moduleID, uint16_t majorID, uint16_t minorID, int32_t type, int8_t result,
                         const QByteArray& payload = QByteArray())
{
    _UI_MSG msg{};
    msg.tag = 1;
    msg.moduleID = moduleID;
    msg.majorID = majorID;
    msg.minorID = minorID;
    msg.type = type;
    msg.result = result;
    msg.length = int32_t(std::min<qsizetype>(payload.size(), kUIMsgDataSize));
    std::memcpy(msg.data, payload.constData(), size_t(msg.length));
    return msg;
}

inline _UI_MSG recordFromBytes(const QByteArray& bytes)
{
    _UI_MSG msg{};
    std::memcpy(&msg, bytes.constData(), size_t(std::min<qsizetype>(bytes.size(), kUIMsgSize)));
    return msg;
}
