#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "connection/ProfileControls.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TableView.h"

#include <memory>

namespace ns
{
class Button;
class Matrix;
class TextField;
class View;
class Window;
} // namespace ns

// The connection controller of the Internet tab: the connection profiles,
// the profile window and the connect procedure.
class DialController : public JOVUIController,
                       public ns::ComboBoxDataSource,
                       public ns::ComboBoxDelegate,
                       public ns::TableViewDataSource,
                       public ns::TableViewDelegate,
                       public ns::TabViewDelegate
{
public:
    explicit DialController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~DialController() override;

    void initializeNibResources() override;

    // The profiles shown (dialConfig.plist) and the selected item of the
    // profile box: profile i is item i + 1.
    ns::Array dialConfigArray;
    int m_IndexOfComboBoxSelectionNow = 0;
    ns::ComboBox* m_DialConfigList = nullptr;
    bool isDeviceRemoved = false;
    // The Internet tab's view, holding the profile box.
    std::unique_ptr<ns::View> internetView_;

    int readConnectType();
    void loadDialConfig();
    void saveDialConfigFile();
    void setDialParams();
    void displayAPNInfo();
    bool toggleBrowserView(ns::Object* sender);
    void AddAPNInfo(ns::Object* sender);
    void DelAPNInfo(ns::Object* sender);
    void setConnectBtnEnable(bool enabled);

    // Profile box and profile table.
    int numberOfItemsInComboBox(ns::ComboBox* comboBox) override;
    QString objectValueForItemAtIndex(ns::ComboBox* comboBox, int index) override;
    void comboBoxSelectionDidChange(const ns::Notification& notification) override;
    int numberOfRowsInTableView(ns::TableView* tableView) override;
    QVariant objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    void tableViewSelectionDidChange(const ns::Notification& notification) override;

    // ---- Profile window, browse pane and edit sheet (DialControllerProfileWindow.cpp,
    // built by DialControllerProfileNib.cpp) ----
    void buildProfileWindows();
    // The selectors of the profile window's and the edit sheet's controls.
    void registerProfileWindowActions();
    void popUpDialConfigWindow();
    void setEidtStatusAtRow(int row);
    void setBrowseWinValue(const ns::Dictionary& profile);
    void setEditWinValue(const ns::Dictionary& profile);
    void setdialControls(ns::Object* control, const ns::Dictionary& profile, const QString& key);
    void editDialConfigSettings(ns::Object* sender);
    void browseDialConfigSettings(ns::Object* sender);
    void editWindowOK(ns::Object* sender);
    void editWindowCancel(ns::Object* sender);
    void closeDialConfigSettings(ns::Object* sender);
    void saveAPNPassword(ns::Object* sender);
    void selectObtainAPNType(ns::Object* sender);
    void selectObtainPDPType(ns::Object* sender);
    void selectObtainDNSType(ns::Object* sender);
    void setEditWinControlsStatus(bool enabled);
    void setBrowseWinControlsStatus(bool enabled);
    void setAPNEditWinControlsStatus();
    void setAPNEditWinControlsStatusWithConfig();
    void forbiddenOperateIpv6Apn();
    bool checkDialConfigIsValid();
    void saveCurrentDialConfig();
    ns::Dictionary createSafeDialConfig(const ns::Dictionary& profile);
    static QString getSafeDialStrParas(const ns::Dictionary& profile, const QString& key);
    static int getSafeDialNumParas(const ns::Dictionary& profile, const QString& key);
    QString createNewProvider();
    QString createDialNumber();
    QString getApnProviderNameWith(const ns::Dictionary& profile);
    int readCurrentProfile();
    void writeCurrentProfile(int index);
    int readDefaultProfileNum();
    void writeDefaultProfileNum(int count);
    void setCurrentProfile();
    void resetDialCfgListWithCfgArray(const ns::Array& defaults);
    void ChangeAPNSelection(ns::Notification* notification);
    void tabViewItemWillChange(ns::Notification* notification);
    void setDataServicesStatus(ns::Notification* notification);
    void changeControlsPosForProfile();
    void changeBtnPosForProfileOfAPN();
    void changeBtnPosForNoProfileOfAPN();
    void promptOfAPNOK(ns::Object* sender);
    void promptOfAPNCancel(ns::Object* sender);
    void setDeviceStatus(bool removed);
    // Default profiles the user may still edit, and the VADO button states.
    bool checkProviderIsEditable(int row);
    void setUsernameAndPasswordEditable(int row);
    void setBtnStausForVADO(int row);

    std::unique_ptr<ns::Window> m_dialConfigWindow;
    std::unique_ptr<ns::Window> m_profileEditWin;
    ns::TableView* m_configListView = nullptr;
    ns::View* viewDialBrowse_ = nullptr;
    ns::Button* btnAddProfile_ = nullptr;
    ns::Button* btnDeleteProfile_ = nullptr;
    ns::Button* btnEditProfile_ = nullptr;
    ns::Button* btnBrowseProfile_ = nullptr;
    ns::Button* btnCloseProfile_ = nullptr;
    // The edit sheet.
    ns::TextField* m_eProviderForConfig = nullptr;
    ns::TextField* m_eTelephoneNumber = nullptr;
    ns::Button* m_eIsSaveUserInfo = nullptr;
    ns::Button* eAskUernameCheck_ = nullptr;
    ns::TextField* m_eUsername = nullptr;
    ns::TextField* m_ePassword = nullptr;
    ns::Matrix* m_eIsAutoObtainAPN = nullptr;
    ns::TextField* m_eAPN = nullptr;
    ns::Matrix* m_eIsAutoObtainPDP = nullptr;
    ns::TextField* m_ePDP = nullptr;
    ns::Matrix* m_eIsAutoObtainDNS = nullptr;
    ns::TextField* m_ePreferDNS = nullptr;
    ns::TextField* m_eAlternateDNS = nullptr;
    ns::Matrix* m_eAuthMode = nullptr;
    ns::Matrix* ePDPTypeGroup_ = nullptr;
    ns::Button* btnEditOK_ = nullptr;
    ns::Button* btnEditCancel_ = nullptr;
    // The browse pane.
    ns::TextField* m_bProviderForConfig = nullptr;
    ns::TextField* m_bTelephoneNumber = nullptr;
    ns::Button* m_bIsSaveUserInfo = nullptr;
    ns::Button* bAskUernameCheck_ = nullptr;
    ns::TextField* m_bUsername = nullptr;
    ns::TextField* m_bPassword = nullptr;
    ns::Matrix* m_bIsAutoObtainAPN = nullptr;
    ns::TextField* m_bAPN = nullptr;
    ns::Matrix* m_bIsAutoObtainPDP = nullptr;
    ns::TextField* m_bPDP = nullptr;
    ns::Matrix* m_bIsAutoObtainDNS = nullptr;
    ns::TextField* m_bPreferDNS = nullptr;
    ns::TextField* m_bAlternateDNS = nullptr;
    ns::Matrix* m_bAuthMode = nullptr;
    ns::Matrix* bPDPTypeGroup_ = nullptr;
    ns::TextField* tfBrowseApnIPv6_ = nullptr;
    // The Internet view's MTS note and its APN prompt window.
    ns::TextField* APNNotsForMTS_ = nullptr;
    ns::Window* windowOfAPNPrompt_ = nullptr;
    bool clickOKForAPNPromptFlag_ = false;

private:
    ProfileControls editControls() const;
    ProfileControls browseControls() const;
    // Shows the profile in the browse pane's or the edit sheet's controls.
    void fillProfileControls(const ProfileControls& controls, const ns::Dictionary& profile);
    void closeAPNPrompt(bool ok);

public:
    // ---- end of the profile window ----

    // ---- IPv6 and dual-PDP profile settings (DialControllerIPv6.cpp) ----
    void supportIPv6();
    void checkIsSupportDoublePdpSettings();
    bool isSupportDoblePdpSettings() const { return bSupportDoublePdp_; }
    int getPDPType(ns::Matrix* matrix);
    int getFourPDPType(ns::Matrix* matrix);
    int getThreePDPType(ns::Matrix* matrix);
    void displayPDPAt(ns::Matrix* matrix, int type);
    void displayFourPDPAt(ns::Matrix* matrix, int type);
    void displayThreePDPAt(ns::Matrix* matrix, int type);
    void setPdpTypeStatus(ns::Object* sender);
    void setIPv4ApnEnabled(bool enabled);
    void setIPv6ApnEnabled(bool enabled);
    void setUseSinglePdpForIPv6(ns::Object* sender);
    void pdpTypeSelect(ns::Object* sender);
    void selectObtainAPNTypeIPv6(ns::Object* sender);
    void selectObtainPDPTypeIPv6(ns::Object* sender);
    void selectObtainDNSTypeIPv6(ns::Object* sender);
    void saveAPNPasswordIPv6(ns::Object* sender);
    void setApnEditWinCtrlStatusForIPv6();
    void advancedApnConfigForIPv4(ns::Object* sender);
    void commonApnConfigForIPv4(ns::Object* sender);
    void advancedApnConfigForIPv6(ns::Object* sender);
    void commonApnConfigForIPv6(ns::Object* sender);
    bool shouldSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item) override;
    void addIPv6ParaNumArray(QStringList& numberKeys, QStringList& textKeys);
    void setDefaultDialParamsForIPv6(ns::Dictionary& profile);
    void saveDialConfigForIPv6();
    void displyEditDialParamsForIPv6(const ns::Dictionary& profile);

    ns::Button* checkSavePasswordForIPv6_ = nullptr;
    ns::TextField* tfUsernameForIPv6_ = nullptr;
    ns::TextField* tfPasswordForIPv6_ = nullptr;
    ns::Matrix* radioObtainApnIPv6_ = nullptr;
    ns::TextField* tfApnIPv6_ = nullptr;
    ns::Matrix* radioAuthModeIPv6_ = nullptr;
    ns::Matrix* radioObtainPdpIPv6_ = nullptr;
    ns::TextField* tfPdpAddrIPv6_ = nullptr;
    ns::Matrix* radioObtainDNSIPv6_ = nullptr;
    ns::TextField* tfPreferDNSIPv6_ = nullptr;
    ns::TextField* tfAltDNSIPv6_ = nullptr;
    ns::Button* checkSinglePdp_ = nullptr;
    ns::TabView* tabviewApnSettings_ = nullptr;
    ns::TabView* tabviewIpv4ApnConfig_ = nullptr;
    ns::TabView* tabviewIpv6ApnConfig_ = nullptr;
    char bSupportDoublePdp_ = 0;

private:
    // "Internet"/"SupportIPv6".
    bool supportsIPv6Setting();

public:
    // ---- end of IPv6 ----
};
