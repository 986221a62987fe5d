#include "jCommon/ConnectionMessages.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/DialParams.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "jCommon/RecordLogText.h"

#include <gtest/gtest.h>

namespace
{

_UI_MSG record(MessageID id, const QByteArray& payload)
{
    return makeUIMsg(kModuleInit, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

QByteArray text(int width, const QString& code)
{
    return PayloadWriter(width).setText(0, width, code).bytes();
}

} // namespace

TEST(RecordLogText, CodesNeverReachTheLogAndOtherPayloadsDo)
{
    using namespace msg::device;
    const QByteArray puk = PayloadWriter(2 * FieldWidth::kCode)
                               .setText(0, FieldWidth::kCode, "4321")
                               .setText(FieldWidth::kCode, FieldWidth::kCode, "12345678")
                               .bytes();
    DialParams account;
    account.apn = "web";
    account.userName = "alice";
    account.password = "s3cret";
    const _UI_MSG dialParams = record(msg::connection::kSetDialParams, dialParamsBytes(account));
    const struct {
        const char* name;
        _UI_MSG record;
        QByteArray hidden; // the code's bytes in hexadecimal
    } codes[] = {
        {"PIN", record(kCheckoutPin, text(FieldWidth::kCode, "1234")), "31 32 33 34"},
        {"new PIN", record(kCheckoutPuk, puk), "34 33 32 31"},
        {"PUK", record(kCheckoutPuk, puk), "31 32 33 34 35 36 37 38"},
        {"saved PIN", record(kSavePin, text(FieldWidth::kCode, "1234")), "31 32 33 34"},
        {"unlock code", record(kCheckUnlockCodeStatus, text(FieldWidth::kUnlockCode, "A1B2C3D4E5F6G7H8")),
         "41 31 42 32"},
        {"device code", record(kDeviceUnlock, QByteArray("2468")), "32 34 36 38"},
        {"dial user name", dialParams, "61 6c 69 63 65"},
        {"dial password", dialParams, "73 33 63 72 65 74"},
    };
    for (const auto& c : codes) {
        const QByteArray line = recordLogText(c.record);
        EXPECT_FALSE(line.contains(c.hidden)) << c.name << ": " << line.constData();
        EXPECT_TRUE(line.contains("2a 2a 2a 2a")) << c.name;
        EXPECT_TRUE(
            line.contains(QByteArray::number(c.record.majorID) + '/' + QByteArray::number(c.record.minorID)))
            << c.name;
    }
    // The IMEI report carries no code: it is logged as it is.
    const QByteArray imei = recordLogText(record(kCheckIMEIInfo, text(FieldWidth::kIMEI, "4901")));
    EXPECT_TRUE(imei.contains("34 39 30 31")) << imei.constData();
    // The dial parameters keep their APN in the log.
    EXPECT_TRUE(recordLogText(dialParams).contains("77 65 62 00")) << recordLogText(dialParams).constData();
}

TEST(RecordLogText, AnOutOfRangeLengthIsReadWithinTheData)
{
    _UI_MSG msg = record(msg::device::kCheckoutPin, text(FieldWidth::kCode, "1234"));
    for (const int32_t length : {-5, kUIMsgDataSize + 100}) {
        msg.length = length;
        const QByteArray line = recordLogText(msg);
        EXPECT_FALSE(line.contains("31 32 33 34"));
        EXPECT_LE(line.size(), 3 * kUIMsgDataSize + 100);
    }
}
