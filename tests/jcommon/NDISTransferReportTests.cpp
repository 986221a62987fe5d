#include "jCommon/ConnectionMessages.h"
#include "jCommon/NDISTransferReport.h"

#include <gtest/gtest.h>

namespace
{

_UI_MSG transferRecord(const QByteArray& payload)
{
    const MessageID id = msg::connection::kNDISDialTransferData;
    return makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

} // namespace

TEST(NDISTransferReport, ReadsTheFieldsTheDeviceServerWrites)
{
    const NDISTransferReport sent{QStringLiteral("10.64.3.17"), 2048.5f, 65536, 512, 8192};
    const QByteArray payload = sent.bytes();
    ASSERT_EQ(payload.size(), NDISTransferReport::kSize);
    EXPECT_EQ(NDISTransferReport::fromRecord(transferRecord(payload)), sent);
}

TEST(NDISTransferReport, OnlyARecordOfExactlyItsLengthCarriesFigures)
{
    const QByteArray payload = NDISTransferReport{QStringLiteral("10.0.0.1"), 1, 2, 3, 4}.bytes();
    for (int length : {0, 4, 152, 155, 157, 164, 8192}) {
        SCOPED_TRACE(length);
        _UI_MSG record = transferRecord(payload);
        record.length = length;
        EXPECT_FALSE(NDISTransferReport::fromRecord(record).has_value());
    }
}

TEST(NDISTransferReport, AnAddressWithoutItsEndStopsAtItsField)
{
    QByteArray payload = NDISTransferReport{QString(), 1, 2, 3, 4}.bytes();
    payload.replace(0, NDISTransferReport::kAddressWidth, QByteArray(NDISTransferReport::kAddressWidth, '7'));
    const auto report = NDISTransferReport::fromRecord(transferRecord(payload));
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->localAddress, QString(NDISTransferReport::kAddressWidth, QLatin1Char('7')));
    EXPECT_EQ(report->sendBytes, 1);
}
