// Feeds every decoder of the network, signal and identity records with any
// record (a shorter input is a record whose rest is zero), and the rules with
// what they decode.

#include "device/IdentityRecords.h"
#include "device/NetworkRecords.h"
#include "device/NetworkRegistration.h"
#include "device/SignalReports.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const _UI_MSG record =
        recordFromBytes(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));

    const NetInfoRecord netInfo = NetInfoRecord::fromRecord(record);
    networkModeWithDomainText(netInfo.domain);
    getDisplayNetWorkTypeWithNetType(netInfo.networkType, {true, false, QString()});
    const SecondFamilyNetInfoRecord secondFamily = SecondFamilyNetInfoRecord::fromRecord(record);
    secondFamilyNetwork(secondFamily, QStringLiteral("UMTS"));
    const RegisteredNetworkRecord network = RegisteredNetworkRecord::fromRecord(record);
    network.displayName(true);
    getNetworkRoamStatusWithRudaResult(network.roaming);
    const RoamInfoRecord roamInfo = RoamInfoRecord::fromRecord(record);
    getNetworkRoamStatusWithCregResult(roamInfo.registrationState);
    decimalOfHexCode(roamInfo.cellIdentity, 4);
    decimalOfHexCode(roamInfo.locationAreaCode);
    CellInfoRecord::fromRecord(record);

    RscpSignalReport::fromRecord(record).measurement();
    const SecondFamilySignalReport secondFamilySignal = SecondFamilySignalReport::fromRecord(record);
    secondFamilySignal.level();
    const CdmaSignalReport cdma = CdmaSignalReport::fromRecord(record);
    cdma.level();
    cdma.evdoImageName();
    cdma.networkStatus();
    QualcomWcdmaSignalReport::fromRecord(record).level();
    QualcomCdmaSignalReport::fromRecord(record).networkStatus();

    identityText(record);
    DeviceMccMncRecord::fromRecord(record);
    simFileText(record);
    return 0;
}
