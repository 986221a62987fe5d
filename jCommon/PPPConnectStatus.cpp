#include "jCommon/PPPConnectStatus.h"

#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"

#include <cstring>

namespace
{

enum Offset : int {
    kAddress = 0,
    kSendBytes = 128,
    kReceiveBytes = 132,
    kSeconds = 152,
    kCode = 160,
};

// The old form's words, by number.
enum OldWord : int {
    kOldCode = 0,
    kOldSeconds = 1,
    kOldReceiveBytes = 3,
    kOldSendBytes = 6,
};

uint32_t oldWord(const _UI_MSG& record, int word)
{
    return uint32_t(payloadInt32(record, word * 4));
}

double payloadFloat64(const _UI_MSG& record, int offset)
{
    double value = 0;
    static_assert(PPPConnectStatus::kSize <= kUIMsgDataSize);
    std::memcpy(&value, record.data + offset, sizeof value);
    return value;
}

// The unsigned word a figure of the old form travels in: its whole part,
// held to the word's range.
int32_t oldWordOf(double value)
{
    if (!(value > 0))
        return 0;
    return int32_t(uint32_t(value < 4294967295.0 ? value : 4294967295.0));
}

} // namespace

PPPConnectStatus PPPConnectStatus::fromRecord(const _UI_MSG& record)
{
    PPPConnectStatus status;
    status.localAddress = payloadText(record, kAddress, kAddressWidth);
    status.sendBytes = payloadFloat32(record, kSendBytes);
    status.receiveBytes = payloadFloat32(record, kReceiveBytes);
    status.seconds = payloadFloat64(record, kSeconds);
    status.code = payloadInt32(record, kCode);
    return status;
}

PPPConnectStatus PPPConnectStatus::fromOldRecord(const _UI_MSG& record)
{
    PPPConnectStatus status;
    status.code = int32_t(oldWord(record, kOldCode));
    status.seconds = double(oldWord(record, kOldSeconds));
    status.receiveBytes = float(oldWord(record, kOldReceiveBytes));
    status.sendBytes = float(oldWord(record, kOldSendBytes));
    return status;
}

QByteArray PPPConnectStatus::bytes() const
{
    PayloadWriter writer(kSize);
    writer.setText(kAddress, kAddressWidth, localAddress)
        .setFloat32(kSendBytes, sendBytes)
        .setFloat32(kReceiveBytes, receiveBytes)
        .setInt32(kCode, code);
    QByteArray payload = writer.bytes();
    std::memcpy(payload.data() + kSeconds, &seconds, sizeof seconds);
    return payload;
}

QByteArray PPPConnectStatus::oldBytes() const
{
    return PayloadWriter(kOldSize)
        .setInt32(kOldCode * 4, code)
        .setInt32(kOldSeconds * 4, oldWordOf(seconds))
        .setInt32(kOldReceiveBytes * 4, oldWordOf(receiveBytes))
        .setInt32(kOldSendBytes * 4, oldWordOf(sendBytes))
        .bytes();
}

uint32_t pppAddressFromRecord(const _UI_MSG& record)
{
    return uint32_t(payloadInt32(record, 0));
}

QString pppAddressText(uint32_t address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}
