#include "connection/DialController.h"

#include "app/config/ConfigFileKeys.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"
#include "tests/config/ConfigTestSupport.h"
#include "tests/support/AlertAnswering.h"
#include "tests/support/AppKitTestSupport.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabBar>
#include <QTest>

using ns::Array;
using ns::Dictionary;

namespace
{

Dictionary profileNamed(const QString& name, const Dictionary& values = Dictionary())
{
    Dictionary profile = values.copy();
    profile.setValue(QStringLiteral("provider"), name);
    return profile;
}

Array profilesNamed(const QStringList& names)
{
    Array profiles;
    for (const QString& name : names)
        profiles.append(profileNamed(name));
    return profiles;
}

QStringList providersOf(const Array& profiles)
{
    QStringList names;
    for (const ns::Value& profile : profiles)
        names << profile.toDictionary().value(QStringLiteral("provider")).toString();
    return names;
}

// The settings of a data folder: the profile file and settings.plist with
// the given Internet switches and top-level values.
struct DataFolder {
    Array profiles;
    Dictionary internet;
    Dictionary topLevel;
};

// The dial controller over a private data folder, with a main window for its sheets.
class ProfileApp
{
public:
    explicit ProfileApp(const DataFolder& data = DataFolder())
        : bundle_(settingsOf(data)), main_(appkit_test::shownWindow(ns::Rect(100, 100, 700, 600))),
          dial(store_)
    {
        if (!data.profiles.isEmpty())
            ns::PropertyList::writeFile(profileFile(), data.profiles);
        // The main window's tab view with the Internet page the controller builds into.
        auto* tabs = new ns::TabView(main_->contentView()->bounds());
        tabs->addTabViewItem(std::make_unique<ns::TabViewItem>(QStringLiteral("Internet")));
        main_->contentView()->addSubview(tabs);
        dial.wndMain = main_.get();
        dial.tabviewMain = tabs;
        dial.awakeFromNib();
        dial.loadDialConfig();
    }

    QString profileFile() const { return bundle_.dataFolder() + QLatin1Char('/') + kCMDialConfigFile; }
    Array profilesOnDisk() const { return ns::PropertyList::readArray(profileFile()).value_or(Array()); }
    Dictionary settingsOnDisk() const { return bundle_.settingsOnDisk(); }

    void openProfileWindow() { dial.popUpDialConfigWindow(); }
    void selectRow(int row)
    {
        const ns::Rect frame = dial.m_configListView->rectOfRow(row);
        appkit_test::click(dial.m_configListView, {frame.midX(), frame.midY()});
    }
    void press(ns::Button* button) { appkit_test::click(button); }
    void choose(ns::Matrix* matrix, int row, int column = 0)
    {
        const ns::Rect frame = matrix->cellFrameAtRow(row, column);
        appkit_test::click(matrix, {frame.midX(), frame.midY()});
    }
    // Replaces the field's text as the user does, then leaves the field
    // (Return would press the sheet's default button).
    void type(ns::TextField* field, const QString& text)
    {
        field->editor()->selectAll();
        QTest::keyClicks(field->editor(), text);
        Q_EMIT field->editor()->editingFinished();
    }
    bool editSheetOpen() const
    {
        return dial.m_dialConfigWindow->attachedSheet() == dial.m_profileEditWin.get();
    }

private:
    static Dictionary settingsOf(const DataFolder& data)
    {
        Dictionary settings = data.topLevel.copy();
        settings.setValue(QStringLiteral("Internet"), data.internet);
        return settings;
    }

    TemporaryAppBundle bundle_;
    ConfigManager store_;
    std::unique_ptr<ns::Window> main_;

public:
    DialController dial;
};

} // namespace

TEST(ProfileWindow, AddsEditsBrowsesAndDeletesAProfileAsAUserDoes)
{
    ProfileApp app;
    DialController& dial = app.dial;
    app.openProfileWindow();
    ASSERT_EQ(dial.wndMain->attachedSheet(), dial.m_dialConfigWindow.get());
    EXPECT_FALSE(dial.btnEditProfile_->isEnabled());

    app.press(dial.btnAddProfile_);
    EXPECT_EQ(providersOf(app.profilesOnDisk()), QStringList{"New1"});
    app.selectRow(0);
    EXPECT_TRUE(dial.btnEditProfile_->isEnabled());
    EXPECT_TRUE(dial.btnDeleteProfile_->isEnabled());
    EXPECT_TRUE(dial.btnBrowseProfile_->isEnabled());

    app.press(dial.btnEditProfile_);
    ASSERT_TRUE(app.editSheetOpen());
    EXPECT_EQ(dial.m_eProviderForConfig->stringValue(), "New1");
    EXPECT_FALSE(dial.m_eAPN->isEnabled()); // automatic APN

    // A refused name: one alert, the sheet stays, nothing is saved.
    app.type(dial.m_eProviderForConfig, "Home ");
    appkit_test::AlertSeen refused;
    appkit_test::answerNextAlert("OK", &refused);
    app.press(dial.btnEditOK_);
    EXPECT_TRUE(refused.texts.contains("Invalid Profile!"));
    EXPECT_TRUE(app.editSheetOpen());
    EXPECT_EQ(providersOf(app.profilesOnDisk()), QStringList{"New1"});

    app.type(dial.m_eProviderForConfig, "Home");
    app.choose(dial.m_eIsAutoObtainAPN, 1);
    EXPECT_TRUE(dial.m_eAPN->isEnabled());
    app.type(dial.m_eAPN, "internet");
    app.choose(dial.m_eIsAutoObtainDNS, 1);
    app.type(dial.m_ePreferDNS, "8.8");
    EXPECT_EQ(dial.m_ePreferDNS->stringValue(), "8.8.0.0"); // the address formatter
    app.press(dial.btnEditOK_);
    EXPECT_FALSE(app.editSheetOpen());

    const Dictionary saved = app.profilesOnDisk().at(0).toDictionary();
    EXPECT_EQ(saved.value("provider").toString(), "Home");
    EXPECT_EQ(saved.value("apnName").toString(), "internet");
    EXPECT_EQ(saved.value("apnFlag").intValue(), 1);
    EXPECT_EQ(saved.value("dnsFlag").intValue(), 1);
    EXPECT_EQ(saved.value("preDns").toString(), "8.8.0.0");

    // The browse pane, collapsed when the window opened, shows the saved profile read-only.
    app.selectRow(0);
    EXPECT_TRUE(dial.viewDialBrowse_->isHidden());
    app.press(dial.btnBrowseProfile_);
    EXPECT_FALSE(dial.viewDialBrowse_->isHidden());
    EXPECT_EQ(dial.m_bProviderForConfig->stringValue(), "Home");
    EXPECT_EQ(dial.m_bAPN->stringValue(), "internet");
    EXPECT_EQ(dial.m_bIsAutoObtainAPN->selectedRow(), 1);
    EXPECT_FALSE(dial.m_bAPN->isEnabled());

    appkit_test::AlertSeen asked;
    appkit_test::answerNextAlert("OK", &asked);
    app.press(dial.btnDeleteProfile_);
    EXPECT_TRUE(asked.texts.contains("Delete item?"));
    EXPECT_TRUE(app.profilesOnDisk().isEmpty());

    app.press(dial.btnCloseProfile_);
    EXPECT_EQ(dial.wndMain->attachedSheet(), nullptr);
}

TEST(ProfileWindow, ANewProfileTakesTheFirstFreeName)
{
    ProfileApp app({profilesNamed({"New1", "Work"}), {}, {}});
    app.openProfileWindow();
    app.press(app.dial.btnAddProfile_);
    app.press(app.dial.btnAddProfile_);
    EXPECT_EQ(providersOf(app.profilesOnDisk()), (QStringList{"New1", "Work", "New2", "New3"}));
}

TEST(ProfileWindow, DeletingTheCurrentLastProfileMakesTheNewLastOneCurrent)
{
    ProfileApp app({profilesNamed({"A", "B", "C"}), {}, Dictionary{{"ProfileID", 2}}});
    app.openProfileWindow();
    app.selectRow(2);
    appkit_test::AlertSeen asked;
    appkit_test::answerNextAlert("OK", &asked);
    app.press(app.dial.btnDeleteProfile_);
    app.press(app.dial.btnCloseProfile_);

    EXPECT_EQ(app.settingsOnDisk().value("ProfileID").intValue(), 1);
    EXPECT_EQ(app.dial.m_DialConfigList->indexOfSelectedItem(), 2);
    EXPECT_EQ(providersOf(app.profilesOnDisk()), (QStringList{"A", "B"}));
}

TEST(ProfileWindow, ButtonsFollowTheKindOfTheSelectedRow)
{
    struct Case {
        const char* what;
        Dictionary topLevel;
        Dictionary internet;
        int row;
        bool edit, remove, browse;
    };
    const Case cases[] = {
        {"a default profile", Dictionary{{"DefaultProfileNum", 2}}, {}, 0, false, false, true},
        {"a user profile", Dictionary{{"DefaultProfileNum", 2}}, {}, 2, true, true, true},
        {"a default profile with default editing",
         Dictionary{{"DefaultProfileNum", 2}, {"AddDefaultEdit", true}},
         {},
         1,
         true,
         false,
         true},
        {"an editable default provider", Dictionary{{"DefaultProfileNum", 2}},
         Dictionary{{"ArrayForEditableProvider", Array{"B"}}}, 1, true, false, true},
        {"the VADO second profile", Dictionary{{"DefaultProfileNum", 2}},
         Dictionary{{"TimAPNEditable", true}}, 1, true, false, true},
    };
    for (const Case& c : cases) {
        ProfileApp app({profilesNamed({"A", "B", "Mine"}), c.internet, c.topLevel});
        app.openProfileWindow();
        app.selectRow(c.row);
        EXPECT_EQ(app.dial.btnEditProfile_->isEnabled(), c.edit) << c.what;
        EXPECT_EQ(app.dial.btnDeleteProfile_->isEnabled(), c.remove) << c.what;
        EXPECT_EQ(app.dial.btnBrowseProfile_->isEnabled(), c.browse) << c.what;
    }
}

TEST(ProfileWindow, AddressChoicesEmptyAndCloseTheirFields)
{
    ProfileApp app(
        {Array{profileNamed("Home", Dictionary{{"pdpFlag", 1}, {"pdpAddress", "10.0.0.5"}})}, {}, {}});
    DialController& dial = app.dial;
    app.openProfileWindow();
    app.selectRow(0);
    app.press(dial.btnEditProfile_);

    // A filled address keeps its text and gets no formatter.
    EXPECT_TRUE(dial.m_ePDP->isEnabled());
    EXPECT_EQ(dial.m_ePDP->stringValue(), "10.0.0.5");
    EXPECT_EQ(dial.m_ePDP->formatter(), nullptr);

    app.choose(dial.m_eIsAutoObtainPDP, 0);
    EXPECT_FALSE(dial.m_ePDP->isEnabled());
    EXPECT_TRUE(dial.m_ePDP->stringValue().isEmpty());
    app.choose(dial.m_eIsAutoObtainPDP, 1);
    EXPECT_TRUE(dial.m_ePDP->isEnabled());
    ASSERT_NE(dial.m_ePDP->formatter(), nullptr);
    app.type(dial.m_ePDP, "300.1");
    EXPECT_EQ(dial.m_ePDP->stringValue(), "255.1.0.0");

    // Unticking the save box empties the account.
    app.type(dial.m_eUsername, "me");
    dial.m_eIsSaveUserInfo->setState(ns::OnState);
    app.press(dial.m_eIsSaveUserInfo);
    EXPECT_FALSE(dial.m_eUsername->isEnabled());
    EXPECT_TRUE(dial.m_eUsername->stringValue().isEmpty());
}

TEST(ProfileWindow, AResetLeavesNothingOfTheLastProfileShown)
{
    ProfileApp app({Array{profileNamed("Home", Dictionary{{"telNumber", "*99#"},
                                                          {"apnFlag", 1},
                                                          {"apnName", "home.apn"},
                                                          {"dnsFlag", 1},
                                                          {"preDns", "10.0.0.1"}})},
                    {},
                    {}});
    DialController& dial = app.dial;
    app.openProfileWindow();
    app.selectRow(0);
    app.press(dial.btnEditProfile_);
    ASSERT_EQ(dial.m_eAPN->stringValue(), "home.apn");

    dial.InitAPNConfigEdit();
    dial.InitAPNConfigBrowse();
    for (ns::TextField* field :
         {dial.m_eProviderForConfig, dial.m_eTelephoneNumber, dial.m_eAPN, dial.m_ePreferDNS,
          dial.m_bProviderForConfig, dial.m_bTelephoneNumber, dial.m_bAPN, dial.m_bPreferDNS})
        EXPECT_TRUE(field->stringValue().isEmpty());
    for (ns::Matrix* choice : {dial.m_eIsAutoObtainAPN, dial.m_eIsAutoObtainDNS, dial.m_bIsAutoObtainAPN})
        EXPECT_EQ(choice->selectedRow(), 0);
    // The name and number are open to typing; what hangs on a choice is closed.
    EXPECT_TRUE(dial.m_eProviderForConfig->isEnabled());
    EXPECT_TRUE(dial.m_eTelephoneNumber->isEnabled());
    EXPECT_FALSE(dial.m_eAPN->isEnabled());
    EXPECT_FALSE(dial.m_ePreferDNS->isEnabled());
}

TEST(ProfileWindow, ADeviceWithoutWcdmaHidesTheNetworkFieldsAndTheirCaptions)
{
    ProfileApp app;
    DialController& dial = app.dial;
    app.press(dial.btnAddProfile_);
    app.openProfileWindow();
    app.selectRow(0);
    const std::initializer_list<ns::View*> networkSpecific = {dial.m_bIsAutoObtainAPN,
                                                              dial.m_bAPN,
                                                              dial.m_bIsAutoObtainPDP,
                                                              dial.m_bPDP,
                                                              dial.m_bIsAutoObtainDNS,
                                                              dial.m_bPreferDNS,
                                                              dial.m_bAlternateDNS,
                                                              dial.m_bAuthMode,
                                                              dial.Config_APN,
                                                              dial.Config_Address,
                                                              dial.Config_PreferredDNS,
                                                              dial.Config_AlternateDNS,
                                                              dial.Config_AuthMode,
                                                              dial.m_eIsAutoObtainAPN,
                                                              dial.m_eAPN,
                                                              dial.m_eAuthMode,
                                                              dial.EditConfig_APN,
                                                              dial.EditConfig_AuthMode,
                                                              dial.m_eIsAutoObtainPDP,
                                                              dial.m_ePDP,
                                                              dial.m_eIsAutoObtainDNS,
                                                              dial.m_ePreferDNS,
                                                              dial.m_eAlternateDNS,
                                                              dial.EditConfig_Address,
                                                              dial.EditConfig_PreferredDNS,
                                                              dial.EditConfig_AlternateDNS};
    EXPECT_EQ(dial.Config_APN->stringValue(), "APN:");
    EXPECT_EQ(dial.EditConfig_AuthMode->stringValue(), "Authertication Mode:");
    for (bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "hidden" : "shown");
        dial.setWCDMAConfigHidden(hidden);
        for (ns::View* view : networkSpecific) {
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->isHidden(), hidden);
        }
        for (ns::View* view : std::initializer_list<ns::View*>{dial.tfApnIPv6_, dial.tfBrowseApnIPv6_,
                                                               dial.radioAuthModeIPv6_, dial.tfAltDNSIPv6_})
            EXPECT_EQ(view->isHidden(), hidden);
        // The account and the profile's name stay whatever the network.
        EXPECT_FALSE(dial.m_bUsername->isHidden());
        EXPECT_FALSE(dial.m_eProviderForConfig->isHidden());
    }
}

TEST(ProfileWindow, DefaultProfilesAreReplacedInTheirOrder)
{
    ProfileApp app({profilesNamed({"Old1", "Old2", "Mine"}), {}, Dictionary{{"DefaultProfileNum", 2}}});
    app.dial.resetDialCfgListWithCfgArray(profilesNamed({"A", "B"}));
    EXPECT_EQ(providersOf(app.profilesOnDisk()), (QStringList{"A", "B", "Mine"}));
    EXPECT_EQ(app.settingsOnDisk().value("DefaultProfileNum").intValue(), 2);
    EXPECT_EQ(app.dial.m_DialConfigList->indexOfSelectedItem(), 1);
    EXPECT_EQ(app.settingsOnDisk().value("ProfileID").intValue(), 0);
}

TEST(ProfileWindow, ChangeAPNSelectionTogglesTheFirstTwoProfiles)
{
    ProfileApp app({profilesNamed({"A", "B", "C"}), {}, Dictionary{{"DefaultProfileNum", 2}}});
    ns::ComboBox* list = app.dial.m_DialConfigList;
    list->selectItemAtIndex(1);
    app.dial.ChangeAPNSelection(nullptr);
    EXPECT_EQ(list->indexOfSelectedItem(), 2);
    EXPECT_EQ(app.settingsOnDisk().value("ProfileID").intValue(), 1);
    app.dial.ChangeAPNSelection(nullptr);
    EXPECT_EQ(list->indexOfSelectedItem(), 1);
}

namespace
{

const Dictionary kIPv6Switches{{"SupportIPv6", true}, {"DualPDPSettings", true}};

// Opens the edit sheet on the only profile.
void editTheProfile(ProfileApp& app)
{
    app.openProfileWindow();
    app.selectRow(0);
    app.press(app.dial.btnEditProfile_);
    ASSERT_TRUE(app.editSheetOpen());
}

} // namespace

TEST(ProfileIPv6, TypeCellsMapBothWaysInBothMatrixShapes)
{
    ProfileApp app({profilesNamed({"Home"}), kIPv6Switches, {}});
    DialController& dial = app.dial;
    ns::Matrix* matrix = dial.ePDPTypeGroup_;
    struct Case {
        int type;
        int fourRow, fourColumn, threeColumn, threeReadBack;
    };
    const Case cases[] = {{0, 0, 0, 0, 0}, {1, 0, 1, 0, 0}, {2, 1, 1, 1, 2}, {3, 1, 0, 2, 3}};
    for (const Case& c : cases) {
        dial.displayPDPAt(matrix, c.type);
        EXPECT_EQ(matrix->selectedRow(), c.fourRow) << c.type;
        EXPECT_EQ(matrix->selectedColumn(), c.fourColumn) << c.type;
        EXPECT_EQ(dial.getPDPType(matrix), c.type);
    }
    matrix->renewRows(1, 3);
    for (const Case& c : cases) {
        dial.displayPDPAt(matrix, c.type);
        EXPECT_EQ(matrix->selectedColumn(), c.threeColumn) << c.type;
        EXPECT_EQ(dial.getPDPType(matrix), c.threeReadBack) << c.type;
    }
    // A code outside the table selects nothing; another shape reads as 0.
    dial.displayPDPAt(matrix, 2);
    dial.displayPDPAt(matrix, 4);
    EXPECT_EQ(matrix->selectedColumn(), 1);
    matrix->renewRows(3, 1);
    EXPECT_EQ(dial.getPDPType(matrix), 0);
}

TEST(ProfileIPv6, DualPdpSettingsTakeAwayTheFourCellMatricesNeitherType)
{
    ProfileApp app({profilesNamed({"Home"}), kIPv6Switches, {}});
    DialController& dial = app.dial;
    EXPECT_TRUE(dial.isSupportDoblePdpSettings());
    EXPECT_FALSE(dial.ePDPTypeGroup_->isHidden());
    EXPECT_TRUE(dial.ePDPTypeGroup_->isEnabled());
    EXPECT_FALSE(dial.bPDPTypeGroup_->isEnabled());
    ns::ButtonCell* neither = dial.ePDPTypeGroup_->cellAtRow(0, 1);
    EXPECT_FALSE(neither->isEnabled());
    EXPECT_TRUE(neither->isTransparent());

    editTheProfile(app);
    app.choose(dial.ePDPTypeGroup_, 1, 1); // IPv6
    app.choose(dial.ePDPTypeGroup_, 0, 1); // refused: the cell of type 1
    EXPECT_EQ(dial.getPDPType(dial.ePDPTypeGroup_), 2);
}

TEST(ProfileIPv6, TheTypeEnablesItsAccessGroups)
{
    ProfileApp app({profilesNamed({"Home"}), Dictionary{{"SupportIPv6", true}}, {}});
    DialController& dial = app.dial;
    editTheProfile(app);
    struct Case {
        const char* what;
        int row, column;
        bool singlePdp;
        bool ipv4, ipv6;
    };
    const Case cases[] = {
        {"IPv4", 0, 0, false, true, false},
        {"neither", 0, 1, false, false, false},
        {"IPv6", 1, 1, false, false, true},
        {"dual stack", 1, 0, false, true, true},
        {"dual stack on one PDP", 1, 0, true, true, false},
    };
    for (const Case& c : cases) {
        dial.checkSinglePdp_->setState(c.singlePdp ? ns::OnState : ns::OffState);
        app.choose(dial.ePDPTypeGroup_, c.row, c.column);
        EXPECT_EQ(dial.m_eUsername->isEnabled(), c.ipv4) << c.what;
        EXPECT_EQ(dial.m_eAuthMode->isEnabled(), c.ipv4) << c.what;
        EXPECT_EQ(dial.tfUsernameForIPv6_->isEnabled(), c.ipv6) << c.what;
        EXPECT_EQ(dial.radioAuthModeIPv6_->isEnabled(), c.ipv6) << c.what;
    }
    // Ticking the single-PDP box while dual stack is chosen closes the IPv6 group.
    dial.checkSinglePdp_->setState(ns::OffState);
    app.choose(dial.ePDPTypeGroup_, 1, 0);
    app.press(dial.checkSinglePdp_);
    EXPECT_FALSE(dial.tfUsernameForIPv6_->isEnabled());
}

TEST(ProfileIPv6, TheManualApnChoiceOpensTheApnFieldsOfTheType)
{
    ProfileApp app({profilesNamed({"Home"}), Dictionary{{"SupportIPv6", true}}, {}});
    DialController& dial = app.dial;
    editTheProfile(app);
    app.choose(dial.m_eIsAutoObtainAPN, 1);
    app.choose(dial.radioObtainApnIPv6_, 1);
    struct Case {
        int row, column;
        bool ipv4Apn, ipv6Apn;
    };
    for (const Case& c : {Case{0, 0, true, false}, Case{1, 1, false, true}, Case{1, 0, true, true}}) {
        app.choose(dial.ePDPTypeGroup_, c.row, c.column);
        dial.pdpTypeSelect(nullptr);
        EXPECT_EQ(dial.m_eAPN->isEnabled(), c.ipv4Apn) << c.row << c.column;
        EXPECT_EQ(dial.tfApnIPv6_->isEnabled(), c.ipv6Apn) << c.row << c.column;
    }
}

TEST(ProfileIPv6, WithoutIPv6SupportTheTypeIsHiddenAndChangesNothing)
{
    ProfileApp app({profilesNamed({"Home"}), {}, {}});
    DialController& dial = app.dial;
    EXPECT_TRUE(dial.ePDPTypeGroup_->isHidden());
    EXPECT_TRUE(dial.bPDPTypeGroup_->isHidden());
    EXPECT_FALSE(dial.ePDPTypeGroup_->isEnabled());
    EXPECT_FALSE(dial.isSupportDoblePdpSettings());
    editTheProfile(app);
    app.choose(dial.m_eIsAutoObtainAPN, 1);
    dial.tfApnIPv6_->setEnabled(false);
    dial.displayPDPAt(dial.ePDPTypeGroup_, 2);
    dial.pdpTypeSelect(nullptr);
    EXPECT_TRUE(dial.m_eAPN->isEnabled());
    EXPECT_FALSE(dial.tfApnIPv6_->isEnabled());
}

TEST(ProfileIPv6, AutomaticIPv6DnsClearsBothFieldsAndManualLeavesThemEmptyButEditable)
{
    ProfileApp app({Array{profileNamed("Home", Dictionary{{"IPv6DNSMode", 1},
                                                          {"IPv6PrefDNS", "2001:db8::1"},
                                                          {"IPv6AltDNS", "2001:db8::2"}})},
                    kIPv6Switches,
                    {}});
    DialController& dial = app.dial;
    editTheProfile(app);
    EXPECT_EQ(dial.tfPreferDNSIPv6_->stringValue(), "2001:db8::1");
    dial.advancedApnConfigForIPv6(nullptr); // the page's "Advanced >>" button
    app.choose(dial.radioObtainDNSIPv6_, 0);
    EXPECT_TRUE(dial.tfPreferDNSIPv6_->stringValue().isEmpty());
    EXPECT_TRUE(dial.tfAltDNSIPv6_->stringValue().isEmpty());
    EXPECT_FALSE(dial.tfAltDNSIPv6_->isEnabled());
    app.choose(dial.radioObtainDNSIPv6_, 1);
    EXPECT_TRUE(dial.tfPreferDNSIPv6_->isEnabled());
    EXPECT_TRUE(dial.tfPreferDNSIPv6_->stringValue().isEmpty());

    app.type(dial.tfPreferDNSIPv6_, "2001:db8::53");
    app.press(dial.btnEditOK_);
    const Dictionary saved = app.profilesOnDisk().at(0).toDictionary();
    EXPECT_EQ(saved.value("IPv6PrefDNS").toString(), "2001:db8::53");
    EXPECT_EQ(saved.value("IPv6DNSMode").intValue(), 1);
}

TEST(ProfileIPv6, TheSettingsTabViewRefusesChangesAndTheGroupPagesSwitch)
{
    ProfileApp app({profilesNamed({"Home"}), kIPv6Switches, {}});
    DialController& dial = app.dial;
    editTheProfile(app);
    auto* tabBar = appkit_test::findWidget<QTabBar>(dial.tabviewApnSettings_);
    ASSERT_NE(tabBar, nullptr);
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
    EXPECT_EQ(dial.tabviewApnSettings_->selectedTabViewItem()->identifier(), "Common");

    dial.advancedApnConfigForIPv4(nullptr);
    EXPECT_EQ(dial.tabviewIpv4ApnConfig_->selectedTabViewItem()->identifier(), "Advanced");
    dial.commonApnConfigForIPv4(nullptr);
    EXPECT_EQ(dial.tabviewIpv4ApnConfig_->selectedTabViewItem()->identifier(), "Common");
}

TEST(ProfileWindow, TheMtsLayoutNotesTheFirstThreeProfiles)
{
    ProfileApp app({profilesNamed({"A", "B", "C", "D"}), Dictionary{{"ChangePosForProfile", true}}, {}});
    const struct {
        int item;
        const char* note;
    } cases[] = {{1, "Detail Service Mobile GPRS-Internet"},
                 {2, "Detail Service HyperActive"},
                 {3, "Detail Service Hyper.NET"},
                 {4, ""}};
    for (const auto& c : cases) {
        app.dial.m_DialConfigList->selectItemAtIndex(c.item);
        app.dial.setCurrentProfile();
        EXPECT_EQ(app.dial.APNNotsForMTS_->stringValue().toStdString(), c.note) << c.item;
        EXPECT_EQ(app.settingsOnDisk().value("ProfileID").intValue(), c.item - 1);
    }
}

TEST(ProfileIPv6, ThreeCellTypesBeyondIPv4WaitForAnNdisConnection)
{
    for (int connectType : {0, 1}) {
        ProfileApp app({profilesNamed({"Home"}),
                        Dictionary{{"SupportIPv6", true}, {"Internet_ForbiddenIPV6APN_WhileChooseRAS", true}},
                        Dictionary{{"ConnectType", connectType}}});
        app.dial.ePDPTypeGroup_->renewRows(1, 3);
        editTheProfile(app);
        EXPECT_TRUE(app.dial.ePDPTypeGroup_->cellAtRow(0, 0)->isEnabled());
        for (int column : {1, 2})
            EXPECT_EQ(app.dial.ePDPTypeGroup_->cellAtRow(0, column)->isEnabled(), connectType != 0) << column;
    }
}
