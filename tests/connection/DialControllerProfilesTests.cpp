#include "connection/DialController.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "tests/connection/ConnectionCoreTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace
{

ns::Dictionary profileFor(const QString& provider, const QString& imsi)
{
    ns::Dictionary profile = profileNamed(provider);
    profile.setValue("IMSI", imsi);
    return profile;
}

// The dial controller over settings and a profile file of its own, its
// profile box in place as the Internet view has it; no device server.
struct ProfilesApp {
    explicit ProfilesApp(const ns::Dictionary& settings, const ns::Array& profiles = ns::Array())
        : app(settings)
    {
        if (!profiles.isEmpty())
            ns::PropertyList::writeFile(dialConfigPath(), profiles);
        dial.m_DialConfigList = &box;
        dial.awakeFromNib();
        dial.loadDialConfig();
    }
    ~ProfilesApp() { dial.m_DialConfigList = nullptr; }

    QString dialConfigPath() const { return app.dataFolder() + "/dialConfig.plist"; }
    ns::Array onDisk() const { return ns::PropertyList::readArray(dialConfigPath()).value_or(ns::Array()); }
    QStringList boxItems()
    {
        QStringList items;
        for (int i = 0; i < box.numberOfItems(); ++i)
            items << box.itemObjectValueAtIndex(i);
        return items;
    }

    TemporaryAppBundle app;
    ConfigManager store;
    ns::ComboBox box;
    DialController dial{store};
};

const QString kSim = QStringLiteral("001010123456789");

} // namespace

TEST(DialControllerProfiles, AnotherSimsProfileIsHiddenButSaved)
{
    ProfilesApp p(
        {{"Internet", ns::Dictionary{{"AddAPNWithSIM", true}}}, {"simIMSI", kSim}, {"IMSI", kSim}},
        {profileFor("Mine", kSim), profileNamed("Shared"), profileFor("Theirs", "460019999999999")});
    ns::NotificationCenter::defaultCenter().postNotificationName("AlreadyGetSimIMSI", nullptr,
                                                                 ns::Dictionary{{"imsiInfo", false}});
    EXPECT_EQ(providersOf(p.dial.dialConfigArray), QStringList({"Mine", "Shared"}));
    EXPECT_EQ(p.boxItems(), QStringList({"Edit Configuration", "Mine", "Shared"}));

    p.dial.AddAPNInfo(nullptr);
    EXPECT_EQ(providersOf(p.onDisk()), QStringList({"Mine", "Shared", "New1", "Theirs"}));
    EXPECT_EQ(p.onDisk().at(2).toDictionary().value("IMSI"), ns::Value(kSim));
}

TEST(DialControllerProfiles, TheMmsProfileIsListedSelectedAndRemovedButNeverSaved)
{
    ProfilesApp p({{"DefaultProfileNum", 1}}, {profileNamed("Operator"), profileNamed("Mine")});
    ns::PropertyList::writeFile(p.app.dataFolder() + "/config.plist",
                                ns::Dictionary{{"APN", "mms.example"}, {"WapGatePassword", "pw"}});
    p.dial.removeMMSConfig(); // nothing added: nothing removed
    EXPECT_EQ(p.dial.dialConfigArray.count(), 2);

    p.dial.addMMSConfig();
    EXPECT_EQ(p.dial.IDMMSConfig(), 3);
    EXPECT_EQ(p.box.indexOfSelectedItem(), 3);
    EXPECT_EQ(p.dial.getAPNString(), "mms.example");
    EXPECT_EQ(p.dial.dialConfigArray.at(2).toDictionary().value("password"), ns::Value(QString()));

    p.dial.AddAPNInfo(nullptr); // a save while the MMS profile is listed
    EXPECT_EQ(providersOf(p.onDisk()), QStringList({"Operator", "Mine", "New1"}));

    p.dial.removeMMSConfig();
    EXPECT_EQ(providersOf(p.dial.dialConfigArray), QStringList({"Operator", "Mine", "New1"}));
    p.dial.setDialConfig(1);
    EXPECT_EQ(p.dial.getAPNString(), "Mine.apn");
}

TEST(DialControllerProfiles, TheOperatorDefaultsOfANetworkCodeKeepTheirOrderAheadOfTheUsers)
{
    ns::Array defaults;
    for (const char* name : {"A", "B", "C"})
        defaults.append(profileNamed(name));
    ProfilesApp p(
        {{"DefaultProfileNum", 3},
         {"AllDefaultDialCfg", defaults},
         {"IMSI2DialConfigIdx", ns::Dictionary{{"310260", ns::Array{0, 1}}, {"46001", 2}}}},
        {profileNamed("X"), profileNamed("Y"), profileNamed("Z"), profileNamed("U1"), profileNamed("U2")});

    p.dial.resetDefaultProfileWithMCCMNC("310260");
    EXPECT_EQ(providersOf(p.onDisk()), QStringList({"A", "B", "U1", "U2"}));
    EXPECT_EQ(p.store.getConfigurationByModule("DefaultProfileNum").intValue(), 2);

    p.dial.resetDefaultProfileWithMcc("460", "01");
    EXPECT_EQ(providersOf(p.onDisk()), QStringList({"C", "U1", "U2"}));
    EXPECT_EQ(p.boxItems(), QStringList({"Edit Configuration", "C", "U1", "U2"}));
    EXPECT_EQ(p.box.indexOfSelectedItem(), 1);

    p.dial.resetDefaultProfileWithMcc("999", "99"); // no entry: nothing changes
    EXPECT_EQ(providersOf(p.onDisk()), QStringList({"C", "U1", "U2"}));
}

TEST(DialControllerProfiles, AnUnreadableProfileFileShowsNoProfilesAndIsKeptAside)
{
    TemporaryAppBundle bundle;
    QFile file(bundle.dataFolder() + "/dialConfig.plist");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("garbage");
    file.close();
    ConfigManager store;
    DialController dial{store};
    dial.loadDialConfig();
    EXPECT_TRUE(dial.dialConfigArray.isEmpty());
    EXPECT_EQ(dial.getDefaultProfileAPN(), "Automatic");

    dial.AddAPNInfo(nullptr);
    QFile aside(bundle.dataFolder() + "/dialConfig.plist.unreadable");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("garbage"));
    EXPECT_EQ(
        providersOf(
            ns::PropertyList::readArray(bundle.dataFolder() + "/dialConfig.plist").value_or(ns::Array())),
        QStringList{"New1"});
}

TEST(DialControllerProfiles, TheAutoApnMatchBoxShowsAndStoresTheSetting)
{
    for (const ns::Value& stored : {ns::Value(), ns::Value(true), ns::Value(false)}) {
        ns::Dictionary settings;
        if (!stored.isNull())
            settings.setValue("EnableAutoApnMatch", stored);
        ProfilesApp p(settings);
        ns::Button box;
        p.dial.btnEnableAutoAPNMatch_ = &box;
        p.dial.setBtnAutoAPNMatchState();
        EXPECT_EQ(box.isHidden(), stored.isNull());
        if (stored.isNull())
            continue;
        EXPECT_EQ(box.state(), stored.boolValue() ? 1 : 0);
        EXPECT_EQ(box.title(), "Enable Auto APN Match");

        box.setState(stored.boolValue() ? 0 : 1); // the user clicks the box
        p.dial.enableAutoApnMatch(&box);
        EXPECT_EQ(p.app.settingsOnDisk().value("EnableAutoApnMatch"), ns::Value(!stored.boolValue()));
        p.dial.btnEnableAutoAPNMatch_ = nullptr;
    }
}

TEST(DialControllerProfiles, TheDefaultAuthenticationFollowsTheSetting)
{
    const struct {
        ns::Value mode;
        int auth;
    } cases[] = {{ns::Value(), 0}, {"PAP", 0}, {"CHAP", 1}, {"chap", 0}};
    for (const auto& c : cases) {
        ns::Dictionary settings;
        if (!c.mode.isNull())
            settings.setValue("DefaultAuthMode", c.mode);
        ProfilesApp p(settings);
        EXPECT_EQ(p.dial.defaultAuthMode(), c.auth) << c.mode.stringValue().toStdString();
        p.dial.AddAPNInfo(nullptr);
        EXPECT_EQ(p.onDisk().at(0).toDictionary().value("pppFlag"), ns::Value(c.auth));
    }
}

TEST(ApnCycle, StartsOnlyWhenAllowedAndWalksTheListThroughTheProfileBox)
{
    const ns::Array profiles{profileNamed("Op1"), profileNamed("Op2"), profileNamed("User1"),
                             profileNamed("User2")};
    const struct {
        const char* name;
        bool enabled;
        int current; // profile index in use
        ns::Dictionary internet;
        QList<int> list;
    } cases[] = {
        {"on", true, 1, {{"apnCycle", true}, {"apnCycleTotal", 3}}, {1, 0, 2}},
        {"two passes, as stored text",
         true,
         1,
         {{"apnCycle", "1"}, {"apnCycleTotal", "3"}, {"apnCycleTimes", "2"}},
         {1, 0, 2, 1, 0, 2}},
        {"feature off", true, 1, {{"apnCycle", false}, {"apnCycleTotal", 3}}, {}},
        {"not enabled", false, 1, {{"apnCycle", true}, {"apnCycleTotal", 3}}, {}},
        {"user profile kept out",
         true,
         2,
         {{"apnCycle", true}, {"apnCycleTotal", 3}, {"noApnCyleWhenCurrentIsUserApn", true}},
         {}},
        {"operator profile still cycles",
         true,
         1,
         {{"apnCycle", true}, {"apnCycleTotal", 2}, {"noApnCyleWhenCurrentIsUserApn", true}},
         {1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfilesApp p({{"DefaultProfileNum", 2}, {"ProfileID", c.current}, {"Internet", c.internet}},
                      profiles);
        p.dial.setApnCycleEnable(c.enabled);
        p.dial.apnCycleStart();
        EXPECT_EQ(p.dial.apnCycleArray, c.list);
        EXPECT_EQ(p.dial.apnCycleLastTry(), c.list.size() <= 1);

        // Each next profile is selected in the box and becomes the one in use.
        for (int position = 1; position < c.list.size(); ++position) {
            ASSERT_TRUE(p.dial.apnCycleTryNext());
            EXPECT_EQ(p.box.indexOfSelectedItem(), c.list.at(position) + 1);
            EXPECT_EQ(p.store.getConfigurationByModule("ProfileID").intValue(), c.list.at(position));
        }
        const int selected = p.box.indexOfSelectedItem();
        EXPECT_FALSE(p.dial.apnCycleTryNext());
        EXPECT_EQ(p.box.indexOfSelectedItem(), selected);
        EXPECT_TRUE(p.dial.apnCycleLastTry());
    }
}
