// The PPP status answer in its two forms and the old address answer.
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PPPConnectStatus.h"
#include "jCommon/PayloadWriter.h"

#include <gtest/gtest.h>

namespace
{

_UI_MSG answer(const QByteArray& payload)
{
    const MessageID id = msg::connection::kPPPConnectStatus;
    return makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

} // namespace

TEST(PPPConnectStatus, TheNewFormCarriesEveryFieldThroughTheRecord)
{
    PPPConnectStatus sent;
    sent.localAddress = QStringLiteral("169.254.10.20");
    sent.sendBytes = 1048575;
    sent.receiveBytes = 2.5f;
    sent.seconds = 443045.75;
    sent.code = 8;
    const QByteArray bytes = sent.bytes();
    ASSERT_EQ(bytes.size(), PPPConnectStatus::kSize);
    EXPECT_EQ(PPPConnectStatus::fromRecord(answer(bytes)), sent);

    // An address that fills its field without a NUL ends at the field's end.
    QByteArray unterminated = bytes;
    unterminated.replace(0, PPPConnectStatus::kAddressWidth,
                         QByteArray(PPPConnectStatus::kAddressWidth, '7'));
    const PPPConnectStatus read = PPPConnectStatus::fromRecord(answer(unterminated));
    EXPECT_EQ(read.localAddress, QString(PPPConnectStatus::kAddressWidth, QLatin1Char('7')));
    EXPECT_EQ(read.sendBytes, sent.sendBytes);
}

TEST(PPPConnectStatus, TheOldFormsUnsignedWordsNeverTurnNegative)
{
    // Words 0 code, 1 seconds, 3 received, 6 sent; the others are not read.
    const QByteArray old = PayloadWriter(PPPConnectStatus::kOldSize)
                               .setInt32(0, 8)
                               .setInt32(4, int32_t(0xFFFFFFF0u))
                               .setInt32(8, 99)
                               .setInt32(12, int32_t(0x80000000u))
                               .setInt32(24, 4096)
                               .setInt32(32, 99)
                               .bytes();
    const PPPConnectStatus status = PPPConnectStatus::fromOldRecord(answer(old));
    EXPECT_EQ(status.code, 8);
    EXPECT_EQ(status.seconds, 4294967280.0);
    EXPECT_EQ(status.receiveBytes, 2147483648.0f);
    EXPECT_EQ(status.sendBytes, 4096.0f);
    EXPECT_TRUE(status.localAddress.isEmpty());
    // The device server's old answer of the same figures.
    EXPECT_EQ(PPPConnectStatus::fromOldRecord(answer(status.oldBytes())), status);
}

TEST(PPPConnectStatus, TheOldAddressShowsItsMostSignificantByteFirst)
{
    const MessageID id = msg::connection::kPPPConnectOption;
    const _UI_MSG record = makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeReport, kResultSuccess,
                                     PayloadWriter(4).setInt32(0, int32_t(0xA9FE0A14u)).bytes());
    EXPECT_EQ(pppAddressFromRecord(record), 0xA9FE0A14u);
    EXPECT_EQ(pppAddressText(0xA9FE0A14u), QStringLiteral("169.254.10.20"));
}
