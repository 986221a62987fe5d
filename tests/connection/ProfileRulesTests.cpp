#include "connection/ProfileRules.h"

#include <gtest/gtest.h>

using namespace profile_rules;

namespace
{

ns::Array profilesNamed(std::initializer_list<const char*> names)
{
    ns::Array profiles;
    for (const char* name : names)
        profiles.append(ns::Dictionary{{QStringLiteral("provider"), name}});
    return profiles;
}

ProfileForm validForm()
{
    ProfileForm form;
    form.provider = QStringLiteral("Home");
    return form;
}

struct RuleCase {
    const char* what;
    void (*change)(ProfileForm&);
    int selectedRow;
    const char* message; // null when the form may be saved
};

} // namespace

TEST(ProfileValidity, ReportsTheFirstBrokenRuleInOrder)
{
    // The list holds "Home" at row 0 and "Work" at row 1.
    const RuleCase cases[] = {
        {"a new profile of a free name", [](ProfileForm& f) { f.provider = QStringLiteral("Office"); }, 2,
         nullptr},
        {"no name", [](ProfileForm& f) { f.provider.clear(); }, 0, "Invalid Profile!"},
        {"leading space", [](ProfileForm& f) { f.provider = QStringLiteral(" Home"); }, 0,
         "Invalid Profile!"},
        {"trailing space", [](ProfileForm& f) { f.provider = QStringLiteral("Home "); }, 0,
         "Invalid Profile!"},
        {"inner space", [](ProfileForm& f) { f.provider = QStringLiteral("My Home"); }, 0, nullptr},
        {"another row's name", [](ProfileForm& f) { f.provider = QStringLiteral("Work"); }, 0,
         "Name already exists, please rename!"},
        {"its own name", [](ProfileForm&) {}, 0, nullptr},
        {"empty APN, automatic", [](ProfileForm& f) { f.apnRow = 0; }, 0, nullptr},
        {"empty APN, manual", [](ProfileForm& f) { f.apnRow = 1; }, 0, "Invalid APN!"},
        {"APN with leading dash", [](ProfileForm& f) { f.apnName = QStringLiteral("-net"); }, 0,
         "Invalid APN!"},
        {"APN with trailing dash", [](ProfileForm& f) { f.apnName = QStringLiteral("net-"); }, 0,
         "Invalid APN!"},
        {"APN with inner dash", [](ProfileForm& f) { f.apnName = QStringLiteral("my-net"); }, 0, nullptr},
        {"type 2 skips the APN",
         [](ProfileForm& f) {
             f.apnRow = 1;
             f.pdpType = 2;
         },
         0, nullptr},
        {"unspecified preferred DNS", [](ProfileForm& f) { f.preDns = QStringLiteral("0.0.0.0"); }, 0,
         "Invalid Preferred DNS!"},
        {"unspecified alternate DNS", [](ProfileForm& f) { f.altDns = QStringLiteral("0.0.0.0"); }, 0,
         "Invalid Alternate DNS!"},
        {"unspecified PDP address", [](ProfileForm& f) { f.pdpAddress = QStringLiteral("0.0.0.0"); }, 0,
         "Invalid PDP Address!"},
        {"real addresses",
         [](ProfileForm& f) {
             f.preDns = QStringLiteral("8.8.8.8");
             f.pdpAddress = QStringLiteral("10.0.0.1");
         },
         0, nullptr},
        {"name before APN before DNS",
         [](ProfileForm& f) {
             f.provider = QStringLiteral("Work");
             f.apnRow = 1;
             f.preDns = QStringLiteral("0.0.0.0");
         },
         0, "Name already exists, please rename!"},
        {"APN before DNS",
         [](ProfileForm& f) {
             f.apnRow = 1;
             f.preDns = QStringLiteral("0.0.0.0");
         },
         0, "Invalid APN!"},
        {"preferred before alternate before address",
         [](ProfileForm& f) {
             f.altDns = QStringLiteral("0.0.0.0");
             f.pdpAddress = QStringLiteral("0.0.0.0");
         },
         0, "Invalid Alternate DNS!"},
    };
    const ns::Array profiles = profilesNamed({"Home", "Work"});
    for (const RuleCase& c : cases) {
        ProfileForm form = validForm();
        c.change(form);
        EXPECT_EQ(firstBrokenRule(form, profiles, c.selectedRow).toStdString(), c.message ? c.message : "")
            << c.what;
    }
}

TEST(ProfileValidity, AnIPv6DnsFitsItsField)
{
    EXPECT_TRUE(ipv6DnsIsValid(QString(40, QLatin1Char('f'))));
    EXPECT_FALSE(ipv6DnsIsValid(QString(41, QLatin1Char('f'))));
}

TEST(NewProviderName, TakesTheFirstFreeNumber)
{
    const QString pattern = QStringLiteral("New%d");
    EXPECT_EQ(newProviderName(pattern, ns::Array()), QStringLiteral("New1"));
    EXPECT_EQ(newProviderName(pattern, profilesNamed({"Home", "New1"})), QStringLiteral("New2"));
    EXPECT_EQ(newProviderName(pattern, profilesNamed({"New2", "New1", "New4"})), QStringLiteral("New3"));
}

TEST(PdpTypeCells, MapBothWaysForBothShapes)
{
    struct Case {
        int code;
        PdpCell four;
        PdpCell three;
        int threeReadBack; // the three-cell matrix has no cell of its own for code 1
    };
    const Case cases[] = {
        {0, {0, 0}, {0, 0}, 0}, {1, {0, 1}, {0, 0}, 0}, {2, {1, 1}, {0, 1}, 2}, {3, {1, 0}, {0, 2}, 3}};
    for (const Case& c : cases) {
        const PdpCell four = cellOfPdpType(PdpMatrixShape::FourCell, c.code);
        const PdpCell three = cellOfPdpType(PdpMatrixShape::ThreeCell, c.code);
        EXPECT_EQ(four.row, c.four.row) << c.code;
        EXPECT_EQ(four.column, c.four.column) << c.code;
        EXPECT_EQ(three.row, c.three.row) << c.code;
        EXPECT_EQ(three.column, c.three.column) << c.code;
        EXPECT_EQ(pdpTypeOfCell(PdpMatrixShape::FourCell, four), c.code);
        EXPECT_EQ(pdpTypeOfCell(PdpMatrixShape::ThreeCell, three), c.threeReadBack);
    }
}

TEST(PdpTypeCells, OutsideTheMappingSelectsNothingAndReadsAsZero)
{
    for (int code : {-1, 4})
        EXPECT_FALSE(cellOfPdpType(PdpMatrixShape::FourCell, code).isValid()) << code;
    EXPECT_FALSE(cellOfPdpType(PdpMatrixShape::Other, 2).isValid());
    EXPECT_EQ(pdpMatrixShape(2, 2), PdpMatrixShape::FourCell);
    EXPECT_EQ(pdpMatrixShape(1, 3), PdpMatrixShape::ThreeCell);
    EXPECT_EQ(pdpMatrixShape(3, 1), PdpMatrixShape::Other);
    EXPECT_EQ(pdpTypeOfCell(PdpMatrixShape::Other, {0, 1}), 0);
    EXPECT_EQ(pdpTypeOfCell(PdpMatrixShape::FourCell, {-1, -1}), 0);
    EXPECT_EQ(pdpTypeOfCell(PdpMatrixShape::ThreeCell, {1, 0}), 0);
}

TEST(ProfileToggle, SwitchesBetweenTheFirstTwoProfiles)
{
    struct Case {
        int selected, defaults, expected;
    };
    const Case cases[] = {{1, 3, 2}, {2, 3, 1}, {3, 3, 3}, {4, 3, 1}, {1, 0, 2}, {0, 3, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(toggledProfileItem(c.selected, c.defaults), c.expected)
            << c.selected << " of " << c.defaults;
}

TEST(DefaultProfileReplacement, PutsTheDefaultsInTheirOrderBeforeTheUsersProfiles)
{
    ns::Array profiles = profilesNamed({"Old1", "Old2", "Old3", "Mine"});
    EXPECT_TRUE(replaceDefaultProfiles(profiles, 3, profilesNamed({"A", "B"})));
    EXPECT_EQ(profiles, profilesNamed({"A", "B", "Mine"}));

    EXPECT_FALSE(replaceDefaultProfiles(profiles, 2, ns::Array()));
    EXPECT_FALSE(replaceDefaultProfiles(profiles, 4, profilesNamed({"C"})));
    EXPECT_EQ(profiles, profilesNamed({"A", "B", "Mine"}));
}
