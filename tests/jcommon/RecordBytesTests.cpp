#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"
#include "jCommon/UIMsg.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{

// Golden bytes: records written out byte for byte as the device server
// expects them, so the two ends cannot quietly agree on a wrong number.
struct GoldenRecord {
    const char* name;
    _UI_MSG record;
    const char* headerHex;  // the 24 header bytes: tag, module, major, minor, type, result, length
    const char* payloadHex; // the first bytes of the data
};

_UI_MSG record(int32_t module, MessageID id, int32_t type, int8_t result, const QByteArray& payload = {})
{
    return makeUIMsg(module, id.majorID, id.minorID, type, result, payload);
}

TEST(RecordBytes, GoldenRecordsMatchTheWireLayout)
{
    const GoldenRecord cases[] = {
        {"handshake", record(kModuleInit, msg::device::kHandShake, kTypeRequest, kResultSuccess),
         "01000000 01000000 0100 0000 00000000 00000000 00000000", ""},
        {"PIN check",
         record(kModuleInit, msg::device::kCheckoutPin, kTypeReport, kResultSuccess,
                PayloadWriter(FieldWidth::kCode).setText(0, FieldWidth::kCode, "1234").bytes()),
         "01000000 01000000 0400 0a00 01000000 00000000 0a000000", "31323334000000000000"},
        {"failed SIM status",
         record(kModuleSettings, msg::device::kCheckSIMStatus, kTypeReport, kResultFailure,
                PayloadWriter(4).setInt32(0, -1).bytes()),
         "01000000 03000000 0600 2000 01000000 ff000000 04000000", "ffffffff"},
        {"roam switches",
         record(kModuleInit, msg::networkSelection::kReadRoamSwitch, kTypeReport, kResultSuccess,
                PayloadWriter(8).setInt32(0, 1).setInt32(4, 0x01020304).bytes()),
         "01000000 01000000 0102 5500 01000000 00000000 08000000", "0100000004030201"},
    };
    for (const GoldenRecord& golden : cases) {
        SCOPED_TRACE(golden.name);
        const QByteArray bytes = recordBytes(golden.record);
        ASSERT_EQ(bytes.size(), 8220);
        EXPECT_EQ(bytes.left(24), QByteArray::fromHex(golden.headerHex));
        const QByteArray payload = QByteArray::fromHex(golden.payloadHex);
        EXPECT_EQ(bytes.mid(24, payload.size()), payload);
        EXPECT_EQ(bytes.mid(24 + payload.size()), QByteArray(8220 - 24 - payload.size(), '\0'));
        EXPECT_EQ(recordBytes(recordFromBytes(bytes)), bytes);
    }
}

TEST(RecordBytes, ReadersStayInsideTheDataAndTheField)
{
    _UI_MSG msg{};
    std::memcpy(msg.data, "ABCDEFGH", 8); // no NUL within the first 4
    msg.data[8190] = 'x';
    msg.data[8191] = 'y';
    std::memcpy(msg.data + 100, "\x2a\0\0\0", 4);
    const float minusOne = -1.0f;
    std::memcpy(msg.data + 104, &minusOne, 4);

    EXPECT_EQ(payloadText(msg, 0, 4), "ABCD");
    EXPECT_EQ(payloadText(msg, 8190, 50), "xy");
    EXPECT_EQ(payloadText(msg, 8192, 4), "");
    EXPECT_EQ(payloadText(msg, -1, 4), "");
    EXPECT_EQ(payloadInt32(msg, 100), 42);
    EXPECT_EQ(payloadInt32(msg, 8189), 0);
    EXPECT_EQ(payloadInt32(msg, -4), 0);
    EXPECT_EQ(payloadFloat32(msg, 104), -1.0f);
    EXPECT_EQ(payloadFloat32(msg, 8190), 0.0f);
    EXPECT_FALSE(payloadTextIsTerminated(msg, 0, 4));
    EXPECT_TRUE(payloadTextIsTerminated(msg, 0, 9));
    EXPECT_FALSE(payloadTextIsTerminated(msg, 8190, 50));
    EXPECT_FALSE(payloadTextIsTerminated(msg, 8192, 4));
    // Offsets read from a record itself can be anything: none may wrap round.
    EXPECT_EQ(payloadInt32(msg, INT_MAX - 2), 0);
    EXPECT_EQ(payloadText(msg, INT_MAX, INT_MAX), "");
    EXPECT_EQ(recordName(record(0, msg::device::kCheckPLMN, 1, 0)), "7/37");
}

TEST(RecordBytes, TextFieldsKeepANulAndNeverSplitACharacter)
{
    // "ü" is two bytes: a 4-byte field holds "aü" (3 bytes) and its NUL; a
    // 3-byte field must drop the "ü" rather than keep half of it.
    EXPECT_EQ(PayloadWriter(4).setText(0, 4, QStringLiteral("aü")).bytes(), QByteArray("a\xc3\xbc\0", 4));
    EXPECT_EQ(PayloadWriter(3).setText(0, 3, QStringLiteral("aü")).bytes(), QByteArray("a\0\0", 3));
    EXPECT_EQ(PayloadWriter(6).setText(1, 4, "abcdef").bytes(), QByteArray("\0abc\0\0", 6));
    EXPECT_EQ(PayloadWriter(4).setBytes(0, 4, QByteArray("\x01\x02", 2)).bytes(),
              QByteArray("\x01\x02\0\0", 4));
}

} // namespace
