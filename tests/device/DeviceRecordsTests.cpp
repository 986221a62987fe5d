#include "tests/device/DeviceCoreTestSupport.h"

#include "device/IdentityRecords.h"
#include "device/NetworkRecords.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

_UI_MSG deviceRecord(MessageID id, const QByteArray& payload)
{
    return makeUIMsg(kModuleInit, id.majorID, id.minorID, kTypeReport, kResultSuccess, payload);
}

_UI_MSG registeredNetwork(const char* mcc, const char* mnc, const char* roaming, const char* homeMcc,
                          bool complete)
{
    return deviceRecord(msg::device::kCheckPLMN, PayloadWriter(324)
                                                     .setText(0, FieldWidth::kNetworkName, "Trelvan Mobile")
                                                     .setText(68, FieldWidth::kNetworkName, "TM National")
                                                     .setText(136, FieldWidth::kNetworkCode, mcc)
                                                     .setText(172, FieldWidth::kNetworkCode, mnc)
                                                     .setText(208, FieldWidth::kNetworkCode, roaming)
                                                     .setText(244, FieldWidth::kNetworkCode, homeMcc)
                                                     .setText(280, FieldWidth::kNetworkCode, "01")
                                                     .setInt32(316, 1)
                                                     .setByte(320, complete ? 1 : 0)
                                                     .bytes());
}

TEST(NetworkRecords, RegisteredNetworkGivesTheCanonicalCode)
{
    const RegisteredNetworkRecord us =
        RegisteredNetworkRecord::fromRecord(registeredNetwork("310", "260", "ROAM_OFF", "310", true));
    EXPECT_EQ(us.networkName, "Trelvan Mobile");
    EXPECT_EQ(us.alternativeName, "TM National");
    EXPECT_EQ(us.mccMnc, "310260");
    EXPECT_EQ(us.roaming, "ROAM_OFF");
    EXPECT_EQ(us.homeMcc, "310");
    EXPECT_EQ(us.homeMnc, "01");
    EXPECT_EQ(us.showSimOperatorName, 1);
    EXPECT_TRUE(us.complete);
    EXPECT_FALSE(us.cdma);

    const RegisteredNetworkRecord china =
        RegisteredNetworkRecord::fromRecord(registeredNetwork("460", "01", "ROAM_ON", "460", false));
    EXPECT_EQ(china.mccMnc, "46001");
    EXPECT_FALSE(china.complete);
    EXPECT_EQ(china.displayName(false), "Trelvan Mobile");
    EXPECT_EQ(china.displayName(true), "TM National");
    EXPECT_EQ(us.displayName(true), "Trelvan Mobile");

    _UI_MSG cdma = registeredNetwork("460", "03", "ROAM_OFF", "460", true);
    cdma.tail[2] = '1';
    EXPECT_TRUE(RegisteredNetworkRecord::fromRecord(cdma).cdma);
}

TEST(NetworkRecords, ReportsReadTheirFields)
{
    const NetInfoRecord netInfo = NetInfoRecord::fromRecord(
        deviceRecord(msg::device::kCheckNetInfo, PayloadWriter(180)
                                                     .setText(40, FieldWidth::kNetworkType, "HSDPA")
                                                     .setText(108, FieldWidth::kDomain, "CS_PS")
                                                     .bytes()));
    EXPECT_EQ(netInfo.networkType, "HSDPA");
    EXPECT_EQ(netInfo.domain, "CS_PS");

    const RoamInfoRecord roamInfo = RoamInfoRecord::fromRecord(
        deviceRecord(msg::device::kCheckRoamInfo, PayloadWriter(28)
                                                      .setInt32(0, 5)
                                                      .setText(4, FieldWidth::kLocationAreaCode, "1A2B")
                                                      .setText(14, FieldWidth::kCellIdentity, "0001A2B3")
                                                      .bytes()));
    EXPECT_EQ(roamInfo.registrationState, 5);
    EXPECT_EQ(roamInfo.locationAreaCode, "1A2B");
    EXPECT_EQ(roamInfo.cellIdentity, "0001A2B3");

    const CellInfoRecord cell = CellInfoRecord::fromRecord(
        deviceRecord(msg::device::kCheckCellInfo, PayloadWriter(384)
                                                      .setInt32(164, 12)
                                                      .setText(168, FieldWidth::kFrequencyBand, "WCDMA2100")
                                                      .setInt32(236, 10700)
                                                      .setInt32(248, 3)
                                                      .setInt32(252, 40)
                                                      .bytes()));
    EXPECT_EQ(cell.routingAreaCode, 12);
    EXPECT_EQ(cell.frequencyBand, "WCDMA2100");
    EXPECT_EQ(cell.channel, 10700);
    EXPECT_EQ(cell.rxQuality, 3);
    EXPECT_EQ(cell.rxLevel, 40);
}

TEST(NetworkRecords, SecondFamilyReportsRegistrationAndCode)
{
    const auto report = [](float registration, const char* code) {
        QByteArray payload = PayloadWriter(180)
                                 .setText(4, FieldWidth::kMccMncText, code)
                                 .setText(40, FieldWidth::kNetworkMode, "3G HSDPA")
                                 .setText(144, FieldWidth::kAccessTechnology, "-")
                                 .bytes();
        std::memcpy(payload.data(), &registration, sizeof registration);
        return SecondFamilyNetInfoRecord::fromRecord(
            deviceRecord(msg::device::kCheckNetInfoSecondFamily, payload));
    };
    const SecondFamilyNetInfoRecord registered = report(1.0f, "310260");
    EXPECT_TRUE(registered.hasNetwork());
    EXPECT_EQ(registered.mccMnc, "310260");
    EXPECT_EQ(registered.networkMode, "3G HSDPA");
    EXPECT_EQ(registered.accessTechnology, "-");
    EXPECT_FALSE(report(0.0f, "").hasNetwork());
    EXPECT_FALSE(report(-1.0f, "").hasNetwork());

    LogCapture log;
    EXPECT_EQ(report(1.0f, "46O01").mccMnc, "");
    EXPECT_EQ(LogCapture::text(), "7/46: the MCC and MNC are not a network code");
}

TEST(IdentityRecords, TextsAreBoundedByTheirWidths)
{
    const struct {
        MessageID id;
        int width;
    } identities[] = {
        {msg::device::kCheckCIMI, 36},
        {msg::device::kCheckFWVersion, 68},
        {msg::device::kCheckFWInternalVersion, 68},
        {msg::device::kCheckPhoneNumber, 44},
        {msg::device::kCheckHWVersion, 128},
        {msg::device::kCheckModemModel, 32},
        {msg::device::kCheckSerialNumber, 40},
    };
    for (const auto& identity : identities) {
        SCOPED_TRACE(identity.width);
        const QByteArray full(identity.width, '7');
        EXPECT_EQ(identityText(deviceRecord(identity.id, full + "8888")), QString::fromLatin1(full));
        EXPECT_EQ(identityText(deviceRecord(identity.id, "V1.2\0xyz")), "V1.2");
    }
    EXPECT_EQ(identityText(deviceRecord(msg::device::kCheckPLMN, "text")), "");

    const DeviceMccMncRecord code = DeviceMccMncRecord::fromRecord(
        deviceRecord(msg::device::kCheckMCCMNC, PayloadWriter(64)
                                                    .setText(0, FieldWidth::kMccOrMnc, "310")
                                                    .setText(32, FieldWidth::kMccOrMnc, "260")
                                                    .bytes()));
    EXPECT_EQ(code.mcc, "310");
    EXPECT_EQ(code.mnc, "260");
}

TEST(NetworkRecords, AFieldWithoutItsNulIsReadToItsWidthAndLoggedOnce)
{
    // A location area code that runs into the cell identity: no other test sends one.
    const _UI_MSG record = deviceRecord(msg::device::kCheckRoamInfo, QByteArray(4, '\0') + "123456789ABCDE");
    LogCapture log;
    for (int i = 0; i < 3; ++i) {
        const RoamInfoRecord roamInfo = RoamInfoRecord::fromRecord(record);
        EXPECT_EQ(roamInfo.locationAreaCode, "123456789A");
        EXPECT_EQ(roamInfo.cellIdentity, "BCDE");
    }
    EXPECT_EQ(LogCapture::text(), "7/38: the text at 4 has no NUL within 10 bytes");
}

TEST(IdentityRecords, SimFileIsAViewWithinItsWidth)
{
    EXPECT_EQ(simFileText(deviceRecord(msg::device::kCheckSPN, "0154656C7661")),
              QByteArrayView("0154656C7661"));

    LogCapture log;
    const _UI_MSG full = deviceRecord(msg::device::kCheckICCID, QByteArray(600, 'F'));
    EXPECT_EQ(simFileText(full).size(), FieldWidth::kSimFile);
    EXPECT_EQ(LogCapture::text(), "7/41: the SIM file has no NUL within 512 bytes");
}

} // namespace
