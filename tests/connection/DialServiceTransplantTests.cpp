#include "tests/connection/ConnectionCoreTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace
{

// Five operator defaults D0 ... D4 and the given match table.
ns::Dictionary settingsWithTable(const ns::Dictionary& table, const ns::Dictionary& extra = ns::Dictionary())
{
    ns::Array defaults;
    for (int i = 0; i < 5; ++i)
        defaults.append(profileNamed(QStringLiteral("D%1").arg(i)));
    ns::Dictionary settings{{"IMSI2DialConfigIdx", table}, {"AllDefaultDialCfg", defaults}};
    for (const auto& [key, value] : extra)
        settings.setValue(key, value);
    return settings;
}

} // namespace

TEST(DialServiceTransplant, NetworkCodeKeysComeInTheirOrder)
{
    const struct {
        const char* mcc;
        const char* mnc;
        QStringList keys;
    } cases[] = {
        {"404", "45", {"40445", "404045", "NULL"}},
        {"310", "260", {"310260", "NULL"}},
        {"460", "1", {"46001", "460001", "NULL"}},
        {"460", "", {"NULL"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DialServiceTransplant::networkCodeKeys(c.mcc, c.mnc), c.keys) << c.mcc << '/' << c.mnc;
}

TEST(DialServiceTransplant, TheFirstNetworkCodeKeyPresentChoosesTheProfiles)
{
    const struct {
        ns::Dictionary table;
        const char* mnc;
        QStringList providers;
    } cases[] = {
        {{{"40445", 1}, {"404045", 2}, {"NULL", 3}}, "45", {"D1"}},
        {{{"404045", ns::Array{2, 0}}, {"NULL", 3}}, "45", {"D2", "D0"}},
        {{{"40445", 1}, {"NULL", 3}}, "045", {"D3"}}, // a three-digit MNC skips MCC x 100 + MNC
        {{{"40445", 9}, {"NULL", 4}}, "45", {"D4"}},  // an index outside the table names nothing
        {{{"40445", 1}}, "46", {}},
    };
    for (const auto& c : cases) {
        TransplantUnderTest t(settingsWithTable(c.table));
        EXPECT_EQ(providersOf(t.service.matchedProfilesForMcc("404", c.mnc)), c.providers) << c.mnc;
        EXPECT_EQ(t.service.matchApnWithMCC("404", c.mnc), !c.providers.isEmpty());
        EXPECT_EQ(providersOf(t.dialConfigOnDisk()), c.providers);
    }
}

TEST(DialServiceTransplant, TheLongestImsiPrefixWinsAndTheFirstOfAnArrayIsTheDefault)
{
    const struct {
        const char* imsi;
        int index;
    } cases[] = {
        {"460012345678901", 3}, // "4600123" beats "46001"
        {"460019999999999", 1},
        {"310260111111111", 2},  // an array value: its first element
        {"310270111111111", -1}, // an index outside the default table
        {"4600", -1},            // the prefixes longer than the IMSI are skipped
        {"", -1},
    };
    for (const auto& c : cases) {
        TransplantUnderTest t(settingsWithTable(
            {{"46001", 1}, {"4600123", 3}, {"310260", ns::Array{2, 4}}, {"310270", ns::Array{7}}}));
        t.store.setConfigurationByModule("ProfileID", 4);
        EXPECT_EQ(t.service.matchDefaultProfileWithImsi(c.imsi), c.index) << c.imsi;
        EXPECT_EQ(t.switches.readCurrentProfile(), std::max(c.index, 0)) << c.imsi;

        t.store.setConfigurationByModule("ProfileID", 4);
        EXPECT_EQ(t.service.imsiMatchApn(c.imsi), c.index) << c.imsi;
        EXPECT_EQ(t.switches.readCurrentProfile(), c.index >= 0 ? c.index : 4) << c.imsi;
    }
}

TEST(DialServiceTransplant, MatchedProfilesReplaceTheDefaultsAndKeepTheUsersBehindThem)
{
    TransplantUnderTest t(
        settingsWithTable({{"46001", ns::Array{1, 2}}, {"310260", 4}}, {{"DefaultProfileNum", 5}}));
    ns::Array file;
    for (const char* name : {"D0", "D1", "D2", "D3", "D4", "U1", "U2"})
        file.append(profileNamed(name));
    ASSERT_TRUE(ns::PropertyList::writeFile(t.dialConfigPath(), file));

    ASSERT_TRUE(t.service.matchGlobalDefaultProfileWithImsi("460011234567890"));
    EXPECT_EQ(providersOf(t.dialConfigOnDisk()), QStringList({"D1", "D2", "U1", "U2"}));
    EXPECT_EQ(t.switches.readDefaultProfileNum(), 2);

    ASSERT_TRUE(t.service.apnMatchWithMCCMNC("310260"));
    EXPECT_EQ(providersOf(t.dialConfigOnDisk()), QStringList({"D4", "U1", "U2"}));
    EXPECT_EQ(t.switches.readDefaultProfileNum(), 1);

    EXPECT_FALSE(t.service.apnMatchWithMCCMNC("99999"));
    EXPECT_EQ(providersOf(t.dialConfigOnDisk()), QStringList({"D4", "U1", "U2"}));
}

TEST(DialServiceTransplant, AnUnreadableFileIsNeitherRewrittenNorCounted)
{
    TransplantUnderTest t(settingsWithTable({{"NULL", 0}}, {{"DefaultProfileNum", 3}}));
    QFile file(t.dialConfigPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<plist><array><dict>");
    file.close();

    EXPECT_FALSE(t.service.matchApnWithMCC("460", "01"));
    EXPECT_EQ(t.switches.readDefaultProfileNum(), 3);
    QFile kept(t.dialConfigPath());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("<plist><array><dict>"));
}

TEST(DialServiceTransplant, TheGlobalMatchFollowsTheFirstSwitchThatIsOn)
{
    const ns::Dictionary table{{"46001", 0}, {"46002", 1}, {"460001", 2}, {"NULL", 3}};
    const struct {
        const char* name;
        ns::Dictionary switches;
        const char* first;
        const char* second;
        QStringList providers;
    } cases[] = {
        {"by IMSI",
         {{"ImsiMatchGlobalApn", true}, {"APNMatchWithMCCMNC", true}},
         "460011234567890",
         "",
         {"D0"}},
        {"by key", {{"APNMatchWithMCCMNC", true}, {"RudaMatchApn", true}}, "46002", "", {"D1"}},
        {"by MCC and MNC", {{"RudaMatchApn", true}}, "460", "001", {"D2"}},
        {"no switch", {}, "46001", "", {}},
    };
    for (const auto& c : cases) {
        TransplantUnderTest t(settingsWithTable(table, c.switches));
        EXPECT_EQ(t.service.matchGlobalApn(c.first, c.second), !c.providers.isEmpty()) << c.name;
        EXPECT_EQ(providersOf(t.dialConfigOnDisk()), c.providers) << c.name;
    }
}

TEST(DialServiceTransplant, ASpecialRoamingSimIsNotMatched)
{
    const struct {
        const char* iccid;
        bool roams;
    } cases[] = {
        {"89860112345678901234", false}, // digits 5 and 6 are the entry's "01"
        {"89860912345678901234", true},
        {"89860", false}, // too short to say
        {"", false},
    };
    for (const auto& c : cases) {
        TransplantUnderTest t(settingsWithTable(
            {{"46001", 0}}, {{"SpecialImsiRoam", true},
                             {"ImsiMatchGlobalApn", true},
                             {"Setting", ns::Dictionary{{"Setting_SpecialImsiAndIccidMnc",
                                                         ns::Dictionary{{"46001", "01"}}}}}}));
        const QString iccid = c.iccid;
        t.service.setIccidSource([iccid] { return iccid; });
        EXPECT_EQ(t.service.specialImsiRoamMatch("460011234567890"), c.roams) << c.iccid;
        EXPECT_EQ(t.service.matchGlobalApn("460011234567890", QString()), !c.roams) << c.iccid;
        EXPECT_FALSE(t.service.specialImsiRoamMatch("460021234567890")) << "no entry";
    }
}
