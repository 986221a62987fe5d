// The profile window, its browse pane and the edit sheet, built in code with
// their wording keys as texts; Init_config_nib and Init_editConfig_nib word
// them, and the skin dresses them.
#include "connection/DialController.h"

#include "connection/NibColumn.h"
#include "connection/NibWording.h"
#include "connection/ProfileControls.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TableView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

constexpr double kMargin = 20;
// The profile window: the list on top, the browse pane under it.
constexpr double kConfigWidth = 600;
constexpr double kListHeight = 200;
constexpr double kBrowseHeight = 370;
constexpr double kColumnWidth = 270;
constexpr double kButtonWidth = 100;
// The edit sheet.
constexpr double kEditWidth = 640;
constexpr double kEditHeight = 520;
constexpr double kTabsHeight = 340;

const QString kInternet = QStringLiteral("Internet");
const QString kCommon = QStringLiteral("Common");
const QString kAdvanced = QStringLiteral("Advanced");

// The actions of one access group's controls (none in the browse pane).
struct GroupActions {
    QString saveAccount;
    QString apnMode;
    QString pdpMode;
    QString dnsMode;
};

enum class Family { IPv4, IPv6 };

AccessControls buildAccessControls(NibColumn& common, NibColumn& advanced, Family family,
                                   const GroupActions& actions, bool authNone)
{
    const bool v4 = family == Family::IPv4;
    const QString title = v4 ? QStringLiteral("IPv4 settings") : QStringLiteral("IPv6 settings");
    common.caption(title);
    AccessControls c;
    c.advancedCaption = advanced.caption(title);
    c.saveAccount = common.checkBox(QStringLiteral("Save Username and Password"), actions.saveAccount);
    if (v4)
        c.askUsername = common.checkBox(QStringLiteral("Ask for User Name and Password"), QString());
    c.username = common.field(QStringLiteral("UserName:"), false, &c.usernameCaption);
    c.password = common.field(QStringLiteral("Password:"), true, &c.passwordCaption);
    c.apnMode = common.radios(
        {QStringLiteral("Obtain APN address automatically"), QStringLiteral("Use the following APN name")},
        actions.apnMode);
    c.apn = common.field(QStringLiteral("APN:"), false, &c.apnCaption);
    QStringList authModes{QStringLiteral("PAP"), QStringLiteral("CHAP")};
    if (authNone)
        authModes.prepend(QStringLiteral("NONE"));
    c.authMode = common.radios(authModes, QString(), QStringLiteral("Authertication Mode:"), &c.authCaption);
    c.pdpMode = advanced.radios(
        {QStringLiteral("Obtain PDP address automatically"), QStringLiteral("Use the following PDP address")},
        actions.pdpMode);
    c.pdpAddress = advanced.field(QStringLiteral("Address:"), false, &c.pdpCaption);
    c.dnsMode =
        advanced.radios(v4 ? QStringList{QStringLiteral("Obtain DNS server address automatically"),
                                         QStringLiteral("Use the following DNS server address")}
                           : QStringList{QStringLiteral("Obtain IPv6 DNS server address automatically"),
                                         QStringLiteral("Use the following IPv6 DNS server address")},
                        actions.dnsMode);
    c.preDns = advanced.field(QStringLiteral("Preferred DNS:"), false, &c.preDnsCaption);
    c.altDns = advanced.field(QStringLiteral("Alternate DNS:"), false, &c.altDnsCaption);
    return c;
}

// The PDP type cells, in the four-cell matrix's rows: (0, 0) shows type 0,
// (0, 1) type 1, (1, 0) type 3, (1, 1) type 2.
ns::Matrix* buildPdpTypeGroup(NibColumn& column, const QString& action, ns::TextField** caption)
{
    *caption = column.caption(QStringLiteral("PDP Type:"));
    return column.grid(
        {QStringLiteral("IPv4"), QStringLiteral("PPP"), QStringLiteral("IPv4v6"), QStringLiteral("IPv6")}, 2,
        2, action);
}

std::unique_ptr<ns::Window> makeSheetWindow(double width, double height, const QString& title,
                                            NibWording& wording)
{
    auto window = std::make_unique<ns::Window>(ns::Rect(0, 0, width, height), ns::TitledWindowMask);
    window->setTitle(title);
    wording.title(window.get(), title);
    return window;
}

// A tab view of the two items "Common" and "Advanced", their views returned
// in order.
ns::TabView* makeCommonAdvancedTabs(const ns::Rect& frame, int type, ns::View** common, ns::View** advanced,
                                    NibWording& wording)
{
    auto* tabs = new ns::TabView(frame);
    tabs->setTabViewType(type);
    for (const QString& identifier : {kCommon, kAdvanced}) {
        auto item = std::make_unique<ns::TabViewItem>(identifier);
        item->setLabel(identifier);
        ns::TabViewItem* page = item.get();
        wording.add(identifier, [page](const QString& text) { page->setLabel(text); });
        // The page's first view gives way to one of the tab view's content size.
        delete item->setView(new ns::View(ns::Rect(ns::Point(), tabs->contentRect().size)));
        tabs->addTabViewItem(std::move(item));
    }
    *common = tabs->tabViewItemAtIndex(0)->view();
    *advanced = tabs->tabViewItemAtIndex(1)->view();
    return tabs;
}

} // namespace

void DialController::buildProfileWindows()
{
    // The profile window: the list and its buttons, the browse pane below.
    const bool authNone = configFlag(kInternet, QStringLiteral("HavePPPAuthNone"));
    m_dialConfigWindow = makeSheetWindow(kConfigWidth, kListHeight + kBrowseHeight,
                                         QStringLiteral("Profiles"), configNibWording_);
    ns::View* content = m_dialConfigWindow->contentView();
    auto* scroll = new ns::ScrollView(ns::Rect(
        kMargin, kBrowseHeight + 14, kConfigWidth - 3 * kMargin - kButtonWidth, kListHeight - 2 * 14));
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setBorderType(ns::BezelBorder);
    m_configListView = new ns::TableView(ns::Rect(ns::Point(), scroll->frame().size));
    auto column = std::make_unique<ns::TableColumn>(QStringLiteral("provider"));
    column->headerCell()->setStringValue(QStringLiteral("Configurations"));
    ns::TextFieldCell* header = column->headerCell();
    configNibWording_.add(QStringLiteral("Configurations"),
                          [header](const QString& text) { header->setStringValue(text); });
    column->setWidth(scroll->frame().size.width - 4);
    m_configListView->addTableColumn(std::move(column));
    m_configListView->setDataSource(this);
    m_configListView->setDelegate(this);
    (void)scroll->setDocumentView(m_configListView);
    content->addSubview(scroll);

    NibColumn buttons(content, kConfigWidth - kMargin - kButtonWidth, kBrowseHeight + kListHeight - 10,
                      kButtonWidth, this, &configNibWording_);
    btnAddProfile_ = buttons.pushButton(QStringLiteral("Add"), QStringLiteral("AddAPNInfo:"), kButtonWidth);
    btnDeleteProfile_ =
        buttons.pushButton(QStringLiteral("Delete"), QStringLiteral("DelAPNInfo:"), kButtonWidth);
    // Edit, Browse and Close get their actions from setNewDialConfig.
    btnEditProfile_ = buttons.pushButton(QStringLiteral("Edit"), QString(), kButtonWidth);
    btnBrowseProfile_ =
        buttons.pushButton(configFlag(QStringLiteral("specialSoftVersion"), QStringLiteral("ZUZE&ZID"))
                               ? QStringLiteral("APN Browse")
                               : QStringLiteral("Browse"),
                           QString(), kButtonWidth);
    btnCloseProfile_ = buttons.pushButton(QStringLiteral("Close"), QString(), kButtonWidth);

    viewDialBrowse_ = new ns::View(ns::Rect(0, 0, kConfigWidth, kBrowseHeight));
    content->addSubview(viewDialBrowse_);
    NibColumn browseTop(viewDialBrowse_, kMargin, kBrowseHeight - 6, kColumnWidth, this, &configNibWording_);
    m_bProviderForConfig = browseTop.field(QStringLiteral("Profile:"), false, &Config_Profile);
    m_bTelephoneNumber = browseTop.field(QStringLiteral("Telephone Number:"), false, &Config_TelNumber);
    NibColumn browsePdp(viewDialBrowse_, 2 * kMargin + kColumnWidth, kBrowseHeight - 6, kColumnWidth, this,
                        &configNibWording_);
    bPDPTypeGroup_ = buildPdpTypeGroup(browsePdp, QString(), &Config_PDPType);
    NibColumn browseCommon(viewDialBrowse_, kMargin, browseTop.bottom() - 6, kColumnWidth, this,
                           &configNibWording_);
    NibColumn browseAdvanced(viewDialBrowse_, 2 * kMargin + kColumnWidth, browsePdp.bottom() - 6,
                             kColumnWidth, this, &configNibWording_);
    const AccessControls browse =
        buildAccessControls(browseCommon, browseAdvanced, Family::IPv4, {}, authNone);
    ns::TextField* browseApnIPv6Caption = nullptr;
    tfBrowseApnIPv6_ = browseAdvanced.field(QStringLiteral("IPv6 APN:"), false, &browseApnIPv6Caption);
    ipv6NetworkViews_ = {tfBrowseApnIPv6_, browseApnIPv6Caption};
    m_bIsSaveUserInfo = browse.saveAccount;
    bAskUernameCheck_ = browse.askUsername;
    m_bUsername = browse.username;
    m_bPassword = browse.password;
    Config_UserName = browse.usernameCaption;
    Config_Password = browse.passwordCaption;
    m_bIsAutoObtainAPN = browse.apnMode;
    m_bAPN = browse.apn;
    m_bAuthMode = browse.authMode;
    m_bIsAutoObtainPDP = browse.pdpMode;
    m_bPDP = browse.pdpAddress;
    m_bIsAutoObtainDNS = browse.dnsMode;
    m_bPreferDNS = browse.preDns;
    m_bAlternateDNS = browse.altDns;
    Config_APN = browse.apnCaption;
    Config_AuthMode = browse.authCaption;
    Config_Address = browse.pdpCaption;
    Config_PreferredDNS = browse.preDnsCaption;
    Config_AlternateDNS = browse.altDnsCaption;
    networkOnlyViews_ << browse.advancedCaption;
    // The line between the two columns, and the one closing the pane in the
    // compact layout (setWCDMAConfigHidden places them).
    browseColumnsDivideLine_ = new ns::Box(ns::Rect());
    bottomDivideLine = new ns::Box(ns::Rect());
    for (ns::Box* line : {browseColumnsDivideLine_, bottomDivideLine}) {
        line->setBoxType(ns::BoxSeparator);
        viewDialBrowse_->addSubview(line);
    }
    placeBrowseDivideLines(false);
    setBrowseWinControlsStatus(false);

    // The edit sheet: name and number, the PDP type, then the IPv4 and the
    // IPv6 settings side by side, each with a common and an advanced page.
    m_profileEditWin =
        makeSheetWindow(kEditWidth, kEditHeight, QStringLiteral("Edit Profile"), editConfigNibWording_);
    ns::View* edit = m_profileEditWin->contentView();
    NibColumn editTop(edit, kMargin, kEditHeight - 14, kColumnWidth + 20, this, &editConfigNibWording_);
    m_eProviderForConfig = editTop.field(QStringLiteral("Profile Name:"), false, &EditConfig_Profile);
    m_eTelephoneNumber = editTop.field(QStringLiteral("Telephone Number:"), false, &EditConfig_TelNumber);
    NibColumn editPdp(edit, 2 * kMargin + kColumnWidth + 20, kEditHeight - 14, kColumnWidth - 20, this,
                      &editConfigNibWording_);
    ePDPTypeGroup_ = buildPdpTypeGroup(editPdp, QStringLiteral("setPdpTypeStatus:"), &EditConfig_PDPType);

    ns::View* settingsCommon = nullptr;
    ns::View* settingsAdvanced = nullptr;
    tabviewApnSettings_ =
        makeCommonAdvancedTabs(ns::Rect(10, 50, kEditWidth - 20, kTabsHeight + 30), ns::TopTabsBezelBorder,
                               &settingsCommon, &settingsAdvanced, editConfigNibWording_);
    tabviewApnSettings_->setDelegate(this);
    edit->addSubview(tabviewApnSettings_);

    const double half = (settingsCommon->frame().size.width - 3 * 10) / 2;
    const struct {
        Family family;
        ns::TabView** tabs;
        GroupActions actions;
        const char* advancedAction;
        const char* commonAction;
        double x;
    } groups[] = {
        // The IPv4 group's actions come from setNewDialConfig.
        {Family::IPv4,
         &tabviewIpv4ApnConfig_,
         {},
         "advancedApnConfigForIPv4:",
         "commonApnConfigForIPv4:",
         10},
        {Family::IPv6,
         &tabviewIpv6ApnConfig_,
         {QStringLiteral("saveAPNPasswordIPv6:"), QStringLiteral("selectObtainAPNTypeIPv6:"),
          QStringLiteral("selectObtainPDPTypeIPv6:"), QStringLiteral("selectObtainDNSTypeIPv6:")},
         "advancedApnConfigForIPv6:",
         "commonApnConfigForIPv6:",
         20 + half},
    };
    for (const auto& group : groups) {
        ns::View* common = nullptr;
        ns::View* advanced = nullptr;
        *group.tabs =
            makeCommonAdvancedTabs(ns::Rect(group.x, 6, half, settingsCommon->frame().size.height - 12),
                                   ns::NoTabsLineBorder, &common, &advanced, editConfigNibWording_);
        (*group.tabs)->setDelegate(this);
        settingsCommon->addSubview(*group.tabs);
        const double top = common->frame().size.height - 8;
        const double width = common->frame().size.width - 16;
        NibColumn commonColumn(common, 8, top, width, this, &editConfigNibWording_);
        NibColumn advancedColumn(advanced, 8, top, width, this, &editConfigNibWording_);
        const AccessControls c =
            buildAccessControls(commonColumn, advancedColumn, group.family, group.actions, authNone);
        if (group.family == Family::IPv4) {
            m_eIsSaveUserInfo = c.saveAccount;
            eAskUernameCheck_ = c.askUsername;
            m_eUsername = c.username;
            m_ePassword = c.password;
            EditConfig_UserName = c.usernameCaption;
            EditConfig_Password = c.passwordCaption;
            m_eIsAutoObtainAPN = c.apnMode;
            m_eAPN = c.apn;
            m_eAuthMode = c.authMode;
            m_eIsAutoObtainPDP = c.pdpMode;
            m_ePDP = c.pdpAddress;
            m_eIsAutoObtainDNS = c.dnsMode;
            m_ePreferDNS = c.preDns;
            m_eAlternateDNS = c.altDns;
            EditConfig_APN = c.apnCaption;
            EditConfig_AuthMode = c.authCaption;
            EditConfig_Address = c.pdpCaption;
            EditConfig_PreferredDNS = c.preDnsCaption;
            EditConfig_AlternateDNS = c.altDnsCaption;
        } else {
            checkSavePasswordForIPv6_ = c.saveAccount;
            tfUsernameForIPv6_ = c.username;
            tfPasswordForIPv6_ = c.password;
            radioObtainApnIPv6_ = c.apnMode;
            tfApnIPv6_ = c.apn;
            radioAuthModeIPv6_ = c.authMode;
            radioObtainPdpIPv6_ = c.pdpMode;
            tfPdpAddrIPv6_ = c.pdpAddress;
            radioObtainDNSIPv6_ = c.dnsMode;
            tfPreferDNSIPv6_ = c.preDns;
            tfAltDNSIPv6_ = c.altDns;
            ipv6NetworkViews_ << c.apnMode << c.apn << c.authMode << c.pdpMode << c.pdpAddress << c.dnsMode
                              << c.preDns << c.altDns << c.apnCaption << c.authCaption << c.pdpCaption
                              << c.preDnsCaption << c.altDnsCaption;
            checkSinglePdp_ = commonColumn.checkBox(QStringLiteral("Use one PDP context"),
                                                    QStringLiteral("setUseSinglePdpForIPv6:"));
        }
        // The advanced pages hold network settings only.
        networkOnlyViews_ << c.advancedCaption;
        networkOnlyViews_ << commonColumn.pushButton(QStringLiteral("Advanced >>"),
                                                     QString::fromLatin1(group.advancedAction), 110);
        advancedColumn.pushButton(QStringLiteral("<< Common"), QString::fromLatin1(group.commonAction), 130);
    }
    // Their actions come from setNewDialConfig.
    const auto addEditButton = [&](double x, const char* title) {
        auto* button = new ns::Button(ns::Rect(x, 12, kButtonWidth, 28));
        button->setBezelStyle(ns::RoundedBezelStyle);
        button->setTitle(QString::fromLatin1(title));
        editConfigNibWording_.title(button, QString::fromLatin1(title));
        edit->addSubview(button);
        return button;
    };
    btnEditCancel_ = addEditButton(kEditWidth - kMargin - 2 * kButtonWidth - 10, "Cancel");
    btnEditOK_ = addEditButton(kEditWidth - kMargin - kButtonWidth, "OK");
    btnEditOK_->setKeyEquivalent(QStringLiteral("\r"));
}
