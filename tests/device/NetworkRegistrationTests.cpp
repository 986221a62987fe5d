#include "tests/device/DeviceCoreTestSupport.h"

#include "device/NetworkRecords.h"
#include "device/NetworkRegistration.h"

#include <gtest/gtest.h>

#include <vector>

using ns::Dictionary;

namespace
{

TEST(NetworkRegistration, RoamingTransitionsAfterStart)
{
    struct Case {
        std::vector<int> reports; // registration results: 1 home, 5 roaming, other no information
        std::vector<int> modes;   // the transfer mode after each
        std::vector<bool> homeToRoaming;
    } const cases[] = {
        {{5, 1, 5}, {2, 0, 1}, {false, false, true}},
        {{1, 2, 5}, {2, 2, 1}, {false, false, true}},
        {{1, 1}, {2, 2}, {false, false}},
        {{5, 5, 1, 1}, {2, 2, 0, 2}, {false, false, false, false}},
        {{0, 3, 5}, {2, 2, 2}, {false, false, false}},
    };
    for (const Case& c : cases) {
        RoamTransfer transfer;
        for (size_t i = 0; i < c.reports.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "report " << i << " of " << testing::PrintToString(c.reports));
            EXPECT_EQ(transfer.report(getNetworkRoamStatusWithCregResult(c.reports[i])), c.homeToRoaming[i]);
            EXPECT_EQ(transfer.roamTransferMode, c.modes[i]);
        }
    }
    EXPECT_EQ(getNetworkRoamStatusWithRudaResult("ROAM_ON"), kRoamStatusRoaming);
    EXPECT_EQ(getNetworkRoamStatusWithRudaResult("ROAM_OFF"), kRoamStatusHome);
    EXPECT_EQ(getNetworkRoamStatusWithRudaResult("roam_off"), kRoamStatusUnknown);
}

TEST(NetworkRegistration, NetworkTypeTextFollowsTheSwitches)
{
    const NetTypeDisplaySwitches plain;
    const NetTypeDisplaySwitches generations{true, true, QStringLiteral(" (Rudiv)")};
    const NetTypeDisplaySwitches appending{false, true, QStringLiteral(" (Rudiv)")};
    const struct {
        const NetTypeDisplaySwitches& switches;
        QString type;
        QString shown;
    } cases[] = {
        {plain, "UMTS", "UMTS"},
        {plain, QString(), ""},
        {generations, "GPRS", "2G"},
        {generations, "EDGE", "2G"},
        {generations, "GSM", "2G"},
        {generations, "UMTS", "3G"},
        {generations, "HSDPA", "H"},
        {generations, "HSUPA", "H"},
        {generations, "HSPA+", "H+"},
        {generations, "DC-HSPA+", "H+"},
        {generations, "LTE", "LTE"},
        {appending, "UMTS", "UMTS (Rudiv)"},
        {appending, "No Service", "No Service"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(getDisplayNetWorkTypeWithNetType(c.type, c.switches), c.shown) << qPrintable(c.type);

    ServiceUnderTest test(
        Dictionary{{"Main", Dictionary{{"displayNetTypeAccordingRudiv", true}, {"AppendingString", "+"}}}});
    EXPECT_EQ(getDisplayNetWorkTypeWithNetType("UMTS", NetTypeDisplaySwitches::fromConfig(test.store)),
              "UMTS+");

    const std::pair<const char*, int> domains[] = {
        {"CS_ONLY", 1}, {"PS_ONLY", 2}, {"CS_PS", 3}, {"cs_ps", 0}, {"", 0}};
    for (const auto& [domain, mode] : domains)
        EXPECT_EQ(networkModeWithDomainText(domain), mode) << domain;
}

TEST(NetworkRegistration, SecondFamilyModeNameAndTechnology)
{
    const struct {
        const char* networkMode;
        const char* technology;
        const char* current;
        int mode;
        const char* name;
        const char* newCurrent;
    } cases[] = {
        {"3G HSDPA", "-", "", 3, "HSDPA", "UMTS"},      {"3g", "-", "GSM", 1, "UMTS", "UMTS"},
        {"2g edge", "-", "UMTS", 1, "EDGE", "GSM"},     {"2G gprs", "-", "", 3, "GPRS", "GSM"},
        {"3G HSPA+DC", "-", "", 3, "HSPA+DC", "UMTS"},  {"3G HSPA", "-", "", 3, "HSPA", "UMTS"},
        {"3G 0", "-", "UMTS", 0, "No Service", "UMTS"}, {"LTE", "-", "UMTS", 0, "No Service", "UMTS"},
        {"3G", "DC HSPA+", "GSM", 3, "HSPA+", "GSM"},   {"2g", "WCDMA R99", "GSM", 1, "UMTS", "GSM"},
        {"none", "LTE-A", "UMTS", 0, "LTE-A", "UMTS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.networkMode + std::string(" / ") + c.technology);
        SecondFamilyNetInfoRecord report;
        report.networkMode = c.networkMode;
        report.accessTechnology = c.technology;
        const SecondFamilyNetwork network = secondFamilyNetwork(report, c.current);
        EXPECT_EQ(network.mode, c.mode);
        EXPECT_EQ(network.name, c.name);
        EXPECT_EQ(network.accessTechnology, c.newCurrent);
    }
}

TEST(NetworkRegistration, CellAndAreaCodesInDecimal)
{
    const struct {
        const char* hex;
        int lastDigits;
        const char* decimal;
    } cases[] = {
        {"0001A2B3", 4, "41651"},
        {"0001A2B3", 0, "107187"},
        {"A2B3", 4, "41651"},
        {"1a2b", 8, "6699"},
        {"0", 0, ""},
        {"ZZ", 0, ""},
        {"", 0, ""},
        {"12G4", 0, "18"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalOfHexCode(c.hex, c.lastDigits), c.decimal) << c.hex << " last " << c.lastDigits;
}

} // namespace
