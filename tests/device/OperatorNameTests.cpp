#include "tests/device/DeviceCoreTestSupport.h"

#include "device/JnoShowAny.h"
#include "device/JonlyShowFixedLocalSpn.h"
#include "device/JonlyShowHomeSpn.h"
#include "device/JonlyShowHomeSpnAndHigherPriorityThanLocalSpn.h"
#include "device/JonlyShowLocalSpn.h"
#include "device/JonlyShowLocalSpnAndHighPriorityThanHomeSpn.h"
#include "device/JonlyShowLocalSpnAndlowerPriorityThanHomeSpn.h"
#include "device/JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp.h"
#include "device/JspnShowBy3gpp.h"
#include "device/JspnShowBy3gppAndLocalSpnReplacedByHomeSpn.h"
#include "device/OperatorNameDisplay.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using ns::Array;
using ns::Dictionary;

namespace
{

// The SIM of a home operator "Home" (EF_SPN in the GSM alphabet with the
// given display condition), registered on network "Local".
void registerSim(InitService& service, int condition, int roamStatus, const QString& network = "46001")
{
    service.doParseEF_SPN(QByteArray::number(condition, 16).rightJustified(2, '0') + "486F6D65FFFF");
    service.setImsi("460011234567890");
    service.setLocalSpn("Local");
    service.setCurrentRmccRmnc(network);
    service.setNetworkRoamStatus(roamStatus);
    service.setNetworkMode(3);
}

struct Names {
    QString home;
    QString local;
    friend bool operator==(const Names&, const Names&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Names& names)
    {
        return out << "home \"" << qPrintable(names.home) << "\", local \"" << qPrintable(names.local) << '"';
    }
};

Names shown(InitService& service)
{
    const JspnShowBase& rule = service.getSpnDisplayProtocol();
    return {rule.getHomeSpn(), rule.getLocalSpn()};
}

TEST(SpnDisplayRules, ThreeGppRuleFollowsTheDisplayCondition)
{
    struct Case {
        int condition;
        int roamStatus;
        const char* network;
        Names names;
    } const cases[] = {
        {0, 1, "46001", {"Home", ""}},
        {1, 1, "46001", {"Home", "Local"}},
        {2, 1, "46001", {"Home", ""}},
        {3, 1, "46001", {"Home", "Local"}},
        {0, 0, "31026", {"Home", "Local"}},
        {1, 0, "31026", {"Home", "Local"}},
        {2, 0, "31026", {"", "Local"}},
        {3, 0, "31026", {"", "Local"}},
        // A friendly network of the SIM counts as home.
        {2, 0, "310260", {"Home", ""}},
    };
    ServiceUnderTest test;
    test.service.setFriendlyNetList({"310260"});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "condition " << c.condition << " on " << c.network);
        registerSim(test.service, c.condition, c.roamStatus, c.network);
        EXPECT_EQ(shown(test.service), c.names);
    }
}

TEST(SpnDisplayRules, EachRuleShowsItsNames)
{
    using Make = std::function<std::unique_ptr<JspnShowBase>(const InitService&)>;
    struct Case {
        const char* rule;
        Make make;
        Names both;    // home "Home", local "Local"
        Names noLocal; // home "Home", local ""
        Names noHome;  // home "", local "Local"
    };
    const Case cases[] = {
        {"JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp",
         [](auto& s) { return std::make_unique<JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp>(s); },
         {"Home", "Local"},
         {"Home", ""},
         {"", "Local"}},
        {"JspnShowBy3gppAndLocalSpnReplacedByHomeSpn",
         [](auto& s) { return std::make_unique<JspnShowBy3gppAndLocalSpnReplacedByHomeSpn>(s); },
         {"Home", "Home"},
         {"Home", "Home"},
         {"", ""}},
        {"JnoShowAny", [](auto& s) { return std::make_unique<JnoShowAny>(s); }, {"", ""}, {"", ""}, {"", ""}},
        {"JonlyShowHomeSpn",
         [](auto& s) { return std::make_unique<JonlyShowHomeSpn>(s); },
         {"Home", ""},
         {"Home", ""},
         {"", ""}},
        {"JonlyShowHomeSpnAndHigherPriorityThanLocalSpn",
         [](auto& s) { return std::make_unique<JonlyShowHomeSpnAndHigherPriorityThanLocalSpn>(s); },
         {"Home", ""},
         {"Home", ""},
         {"", ""}},
        {"JonlyShowLocalSpn",
         [](auto& s) { return std::make_unique<JonlyShowLocalSpn>(s); },
         {"", "Local"},
         {"", ""},
         {"", "Local"}},
        {"JonlyShowFixedLocalSpn",
         [](auto& s) { return std::make_unique<JonlyShowFixedLocalSpn>(s); },
         {"", "fixed local SPN"},
         {"", "fixed local SPN"},
         {"", "fixed local SPN"}},
        {"JonlyShowLocalSpnAndlowerPriorityThanHomeSpn",
         [](auto& s) { return std::make_unique<JonlyShowLocalSpnAndlowerPriorityThanHomeSpn>(s); },
         {"", "Home"},
         {"", "Home"},
         {"", "Local"}},
        {"JonlyShowLocalSpnAndHighPriorityThanHomeSpn",
         [](auto& s) { return std::make_unique<JonlyShowLocalSpnAndHighPriorityThanHomeSpn>(s); },
         {"", "Local"},
         {"", "Home"},
         {"", "Local"}},
    };
    ServiceUnderTest test;
    test.service.setNetworkRoamStatus(0); // abroad: the 3GPP rule shows both names with condition 1
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        const std::unique_ptr<JspnShowBase> rule = c.make(test.service);
        rule->setThe1and2FiledFromSPN(1);
        for (const auto& [names, expected] :
             {std::pair{Names{"Home", "Local"}, c.both}, std::pair{Names{"Home", ""}, c.noLocal},
              std::pair{Names{"", "Local"}, c.noHome}}) {
            rule->setHomeSpn(names.home);
            rule->setLocalSpn(names.local);
            EXPECT_EQ((Names{rule->getHomeSpn(), rule->getLocalSpn()}), expected) << names;
        }
    }
}

TEST(SpnDisplayRules, TheSwitchesChooseTheRule)
{
    struct Case {
        const char* what;
        Dictionary settings;
        int roamStatus;
        Names names;
    } const cases[] = {
        {"no switch: 3GPP", {}, 1, {"Home", ""}},
        {"SearchRegistModel", {{"SearchRegistModel", true}}, 1, {"", ""}},
        {"ShowSPNForPOSLAT", {{"Init", Dictionary{{"ShowSPNForPOSLAT", true}}}}, 1, {"", "Local"}},
        {"DisplayBelongToSPNWhenNationalRoam at home",
         {{"Init", Dictionary{{"DisplayBelongToSPNWhenNationalRoam", true}}}},
         1,
         {"Home", ""}},
        {"DisplayBelongToSPNWhenNationalRoam roaming nationally",
         {{"Init", Dictionary{{"DisplayBelongToSPNWhenNationalRoam", true}}}},
         0,
         {"Home", "Home"}},
        {"displayLongFormatSPNWhenRoamOn at home",
         {{"displayLongFormatSPNWhenRoamOn", true}},
         1,
         {"Home", ""}},
        {"displayLongFormatSPNWhenRoamOn roaming",
         {{"displayLongFormatSPNWhenRoamOn", true}},
         0,
         {"Home", "Long Local"}},
        {"AlwaysShowLocalSPN", {{"Main", Dictionary{{"AlwaysShowLocalSPN", true}}}}, 1, {"Home", "Local"}},
        {"AlwaysShowLocalSPN before OnlyShowBelonetoSPN",
         {{"Main", Dictionary{{"AlwaysShowLocalSPN", true}}},
          {"Init", Dictionary{{"OnlyShowBelonetoSPN", true}}}},
         1,
         {"Home", "Local"}},
        {"OnlyShowBelonetoSPN", {{"Init", Dictionary{{"OnlyShowBelonetoSPN", true}}}}, 1, {"Home", ""}},
        {"DisplayOnlyPLMN", {{"DisplayOnlyPLMN", true}}, 1, {"", "Home"}},
        {"ShowFixedLocalSPN",
         {{"Init", Dictionary{{"ShowFixedLocalSPN", true}}}},
         1,
         {"", "fixed local SPN"}},
        {"local name first",
         {{"Init", Dictionary{{"Init_OnlyShowLocalSpn_AndHighPriorityThanHomeSpn", true}}}},
         1,
         {"", "Local"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServiceUnderTest test(c.settings);
        registerSim(test.service, 0, c.roamStatus, c.roamStatus == 0 ? "46002" : "46001");
        test.service.setLongFormatLocalSpn("Long Local");
        EXPECT_EQ(shown(test.service), c.names);
    }
}

TEST(SpnDisplayRules, NothingWithoutANetworkOrForNotFound)
{
    ServiceUnderTest test(Dictionary{{"Main", Dictionary{{"AlwaysShowLocalSPN", true}}}});
    registerSim(test.service, 1, 1);
    test.service.setLocalSpn("Not Found");
    EXPECT_EQ(shown(test.service), (Names{"", ""}));
    registerSim(test.service, 1, 1);
    test.service.setNetworkMode(0);
    EXPECT_EQ(shown(test.service), (Names{"", ""}));
    registerSim(test.service, 1, 1, "");
    EXPECT_EQ(shown(test.service), (Names{"", ""}));
}

TEST(SpnDisplayRules, ConfiguredNamesReplaceTheReportedOnes)
{
    struct Case {
        const char* what;
        Dictionary init;
        const char* network;
        int roamStatus;
        QString local;
        QString home;
    } const cases[] = {
        {"specific name while roaming",
         {{"Init_specificMccAndMnc", Dictionary{{"310260", "XXCarrier"}}}},
         "310260",
         0,
         "XXCarrier",
         "Home"},
        {"specific name at home loses two characters",
         {{"Init_specificMccAndMnc", Dictionary{{"310260", "XXCarrier"}}}},
         "310260",
         1,
         "Carrier",
         "Home"},
        {"specific name of another network",
         {{"Init_specificMccAndMnc", Dictionary{{"310260", "XXCarrier"}}}},
         "31026",
         0,
         "Local",
         "Home"},
        {"home name only at home", {{"Init_OnlyShowBelongtoSpn_WhenRoamOff", true}}, "46001", 1, "", "Home"},
        {"replacement of every name",
         {{"Init_ChangeAllSPN_IfMatchedSpecialMCCMNC", Dictionary{{"310260", "Other"}}}},
         "310260",
         0,
         "Other",
         "Other"},
        {"replacement of the home name",
         {{"Init_changeHomeSPN_IfMatchedSpecialMCCMNC", Dictionary{{"310260", "Own"}}}},
         "310260",
         0,
         "Local",
         "Own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServiceUnderTest test(Dictionary{{"Init", c.init}});
        registerSim(test.service, 1, c.roamStatus, c.network);
        EXPECT_EQ(test.service.localSpn(), c.local);
        EXPECT_EQ(test.service.homeSpn(), c.home);
    }
}

TEST(SpnDisplayRules, TestSpnReplacesTheValuesAfterTheRuleIsChosen)
{
    ServiceUnderTest test(Dictionary{{"TestSpn", Dictionary{
                                                     {"Test_Spnshow_Flag", true},
                                                     {"Test_LocalSpn", "Test Local"},
                                                     {"Test_HomeSpn", "Test Home"},
                                                     {"Test_FriendlyList", Array{"310260"}},
                                                     {"Test_CurrentLocalMccMnc", "310260"},
                                                     {"Test_CurrentHomeMccMnc", "46001"},
                                                     {"Test_The1and2Field", 0},
                                                     {"Test_PnnOplFlag", 1},
                                                 }}});
    registerSim(test.service, 3, 0, "");
    // No registered network yet when the rule is chosen: nothing shown this time.
    EXPECT_EQ(shown(test.service), (Names{"", ""}));
    EXPECT_EQ(test.service.currentRmccrmnc(), "310260");
    EXPECT_EQ(test.service.currentHmccmnc(), "46001");
    EXPECT_EQ(test.service.pnnOplFlag(), 1);
    // Then the test values hold: a friendly network with condition 0.
    EXPECT_EQ(shown(test.service), (Names{"Test Home", ""}));
}

TEST(OperatorNameDisplay, GeneralRuleOfTheTwoNames)
{
    struct Case {
        const char* what;
        GeneralSpnInput input;
        OperatorNames names;
    } const cases[] = {
        {"abroad, condition 0", {"Net", "Sim", 0, false}, {"Net", "Sim"}},
        {"abroad, condition 2 hides the SIM's name", {"Net", "Sim", 2, false}, {"Net", std::nullopt}},
        {"at home, condition 0", {"Net", "Sim", 0, true}, {std::nullopt, "Sim"}},
        {"at home, condition 1", {"Net", "Sim", 1, true}, {"Net", "Sim"}},
        {"at home, always the local name", {"Net", "Sim", 0, true, true}, {"Net", "Sim"}},
        {"no SIM name", {"Net", "", 0, true}, {"Net", ""}},
        {"no SIM name, only the belong-to name", {"Net", "", 2, false, false, true}, {"Net", "Net"}},
        {"only the belong-to name", {"Net", "Sim", 2, false, false, true}, {"Net", "Sim"}},
        {"no network name", {"", "Sim", 0, false}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(progressSPNDomainForGeneral(c.input), c.names);
    }
}

} // namespace
