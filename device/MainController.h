#pragma once

#include "app/interfaces/MainWindowing.h"
#include "app/ui/controller/JOVUIController.h"
#include "app/ui/status/FrameHandoff.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Geometry.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Toolbar.h"
#include "platform/ns/appkit/Window.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <memory>
#include <thread>
#include <vector>

class NSFlickerButton;
class NSToolbarItemExt;
class NSViewExt;
class StatusBarView;

namespace ns
{
class Button;
class DatePicker;
class Drawer;
class ImageView;
class Matrix;
class Menu;
class MenuItem;
class TabView;
class TextField;
class Timer;
class WebView;
} // namespace ns

// The application's delegate and the owner of the main window: start-up from
// the nib to the device server, the splash window, the quit guard and the
// closing sequence; the window in its complete and simple forms, its toolbar
// (configured or skinned), tabs, drawers, menus and status-bar item; and the
// operations other controllers call through g_MainController.
//
// The class is spread over files by topic: MainController.cpp (start-up and
// quit), MainControllerSplash.cpp, MainControllerNib.cpp (the windows as the
// nib holds them), MainControllerAlias.cpp (skin set-up and registrations),
// MainControllerToolbar.cpp, MainControllerActions.cpp, MainControllerModes.cpp,
// MainControllerStatusItem.cpp, MainControllerWording.cpp,
// MainControllerUserRegiste.cpp (the customer form) and
// MainControllerLowPower.cpp.
class MainController : public JOVUIController,
                       public ns::ApplicationDelegate,
                       public ns::WindowDelegate,
                       public ns::ToolbarDelegate,
                       public ns::TextFieldDelegate,
                       public MainWindowing
{
public:
    // Device status codes of netcardChanged().
    enum NetCardStatus { kDeviceRemoved = 1, kDevicePluggedIn = 2, kSimReady = 12 };
    // Window modes.
    enum UIModel { kCompleteModel = 0, kSimpleModel = 1, kMinimizedModel = 2 };

    explicit MainController(ConfigManager& store = ConfigManager::sharedConfigManager());
    ~MainController() override;

    // Builds the nib's objects (windows, views, menus) once, then runs the
    // controller base's life cycle.
    void awakeFromNib() override;

    // ---- application delegate ----
    void applicationWillFinishLaunching(const ns::Notification& notification) override;
    void applicationDidFinishLaunching(const ns::Notification& notification) override;
    ns::ApplicationTerminateReply applicationShouldTerminate(ns::Application* application) override;
    bool applicationShouldHandleReopen(ns::Application* application, bool hasVisibleWindows) override;

    // ---- window delegate (both forms of the main window) ----
    bool windowShouldClose(ns::Window* window) override;
    void windowDidMove(const ns::Notification& notification) override;
    void windowDidMiniaturize(const ns::Notification& notification) override;
    void windowDidDeminiaturize(const ns::Notification& notification) override;
    ns::Rect windowWillUseStandardFrame(ns::Window* window, const ns::Rect& defaultFrame) override;
    ns::Rect windowWillPositionSheet(ns::Window* window, ns::Window* sheet, const ns::Rect& rect) override;

    // ---- toolbar delegate (the configured toolbar) ----
    std::shared_ptr<ns::ToolbarItem> toolbarItemForItemIdentifier(ns::Toolbar* toolbar,
                                                                  const QString& identifier,
                                                                  bool willBeInserted) override;
    QStringList toolbarDefaultItemIdentifiers(ns::Toolbar* toolbar) override;
    QStringList toolbarAllowedItemIdentifiers(ns::Toolbar* toolbar) override;

    // Text field delegate: typing in the code window and the customer form.
    void controlTextDidChange(const ns::Notification& notification) override;

    // ---- start-up and quit (MainController.cpp) ----
    // The device side of start-up: icon, update link, language, "AppReady",
    // a fresh device server, the drawer.
    void runDatacard();
    // The service-provider code gate before start-up.
    void popUpCheckSPCodeWin();
    void setDiagSoftwareVersionString(ns::Object* field);
    void showWelcomeWndWhenStartUI();
    // The quit guard: false, with the alert of its row, while quitting must wait.
    bool appShouldClose();
    bool getAppCloseStateForZID() const { return !bWinWillClose_; }
    // The optional "Exit the Connection Manager?" question; false when the user cancels.
    bool quitAppAlert();
    // The question about shutting the device down; false when it is asked
    // (the sheet's buttons go on from there).
    bool closeMainWindowForZudera();
    void closeMainWindow(ns::Object* sender);
    void quitTerminal(ns::Object* sender);
    void closeApp(ns::Object* sender);
    void minimizeMainWindow(ns::Object* sender);
    void minimizeWindow(ns::Object* sender);
    void shutDownDeviceForZudera(ns::Object* sender);
    void quitApplicationForZudera(ns::Object* sender);
    void cancelCloseWindowForZudera(ns::Object* sender);
    void deviceRemoved(ns::Notification* notification);

    // ---- splash (MainControllerSplash.cpp) ----
    void prepareStartupWin();
    void beginStartupWin();
    // One step of the frames, on the splash thread; false once the splash is over.
    bool refreshImage();
    void endStartupWin();

    // ---- toolbar and enabling (MainControllerToolbar.cpp) ----
    void loadToolBar();
    void setToolbarProviderLogo(ns::ToolbarItem* item);
    void resetProviderLogoImage(const QString& path);
    void netcardChanged(int status);
    void toolbarSetEnable(bool flag);
    void toolbarSetItemEnable(bool flag, const QString& identifier);
    void setToolbarEnableWhenSimDetected(bool flag);
    void specialToolBarItemsSetEnable(bool flag);
    void menuToolbarSetEnable(bool flag);
    const QList<ns::Object*>& getToolbarItemsArray() const { return toolbarItemsArray; }
    int getNetCardStatus() const { return netCardStatus_; }
    void setNetCardStatus(int status) { netCardStatus_ = status; }
    bool getDeviceRemoveSign() const { return deviceRemoveSign_; }
    void setDeviceRemoveSign(bool sign) { deviceRemoveSign_ = sign; }
    void setCallMenuItemEnable(bool acceptEnabled, bool setAccept, bool rejectEnabled, bool setReject);
    // Reloads the skinned toolbar from the skin of the USSD state (0, 1, 2).
    void insertUSSDToobarItem(int state);
    void devicePlugin(ns::Notification* notification);
    void simReady(ns::Notification* notification);
    void isAbleToConnect(ns::Notification* notification);
    void dialConnectStart(ns::Notification* notification);
    void connectStatusDidChange(ns::Notification* notification);
    void tabViewItemWillChange(ns::Notification* notification);
    void updateStkTooltip(ns::Notification* notification);
    void initDrawerProperty();

    // ---- actions (MainControllerActions.cpp), sender = item, button or menu item ----
    void tabViewChangeItemAction(ns::Object* sender);
    void gotoInternet(ns::Object* sender);
    void gotoSMS(ns::Object* sender);
    void gotoPhonebook(ns::Object* sender);
    void gotoSetting(ns::Object* sender);
    void gotoDialRecord(ns::Object* sender);
    void gotoCall(ns::Object* sender);
    void gotoUSSD(ns::Object* sender);
    void tbiMainHomewebAction(ns::Object* sender);
    void tbiMainURLAction(ns::Object* sender);
    void tbimainURLEncipherAction(ns::Object* sender);
    void tbimainURLEncipherActionExt(ns::Object* sender);
    void tbiMainURLWithAlertAction(ns::Object* sender);
    void tbiMainOpenURLWithAlertAndAutoConnectAction(ns::Object* sender);
    void tbiMainSendSMS(ns::Object* sender);
    void tbiMainSendVolStatusCheckSMS(ns::Object* sender);
    void checkMyNumber(ns::Object* sender);
    void tbiMainPopUpUssdAction(ns::Object* sender);
    void tbiChangeAPNSelection(ns::Object* sender);
    void tbiMainUSSDPopUPAction(ns::Object* sender);
    void closeUSSDPopUPAction(ns::Object* sender);
    void toolbarCallUssdSheetWnd(ns::Object* sender);
    void popUpUssdSeetWithTag(int tag);
    void popUpRefillSheet(ns::Object* sender);
    void popUpCheckBalanceSheet(ns::Object* sender);
    void tabViewChangeToCallAndMakeCall(ns::Object* sender);
    void simCardActivity(ns::Object* sender);
    void tbiMainHelpAction(ns::Object* sender);
    void tbiMainJOVPlayerAction(ns::Object* sender);
    void gotoWebsiteMainpage(ns::Object* sender);
    void showDialRecordAndSettingWindow(ns::Object* sender);
    void closeAllWindow(ns::Object* sender);
    void selectModule(ns::Object* sender);
    void changeDrawerState(ns::Object* sender);
    void loadDrawerLinkWnd(ns::Object* sender);
    void gotoSMSUIOfCompleteWnd();

    // ---- window modes (MainControllerModes.cpp) ----
    void showMainUI();
    void switchToSimPleUI();
    void switchToCompleteUI();
    void getSimpleFrame();
    void getCompleteFrame();
    void goBackToMainWnd(ns::Object* sender);
    void menuCompleteModelClicked(ns::Object* sender);
    void menuSimpleModelClicked(ns::Object* sender);
    void menuMinimizedModelClicked(ns::Object* sender);
    void saveCurrentUIModel(int model);
    void saveCurrentUIModelWhenAppClosed();
    void miniaturizeMainWindowWhenAppFinishLaunching() override;
    void miniaturizeMainWindowWhenConnectSucced() override;
    void openMainWindow() override;
    void zoomMainWindow(bool zoom);
    void loadSimpleModeWording();
    int getModeCurrent() const { return modeCurrent; }
    int getModePrev() const { return modePrev; }

    // ---- status item, broadcast and local page (MainControllerStatusItem.cpp) ----
    void initSysStatusBarItem();
    void startAnimationInStatusViewWithAnimaitonPath(const QString& path, int frames);
    void freshStatusViewWhenNormalSMSArrive();
    void freshStatusViewWhenFlowValueSMSArrive();
    void freshStatusViewWhenNewSMSArrive();
    void freshStatusViewWhenSMSReaded();
    void freshStatusViewWhenDialStatusChanged() override;
    void freshStatusViewToStaticViewAccorindToDialStatus(int status);
    void freshStatusViewWhenInitialController();
    void setImageOfStatusBarViewWithImageName(const QString& name);
    StatusBarView* statusBarView() const { return viewSysStatusItem_.get(); }
    void receiveSMSBroadCast(ns::Notification* notification);
    void setBroadcastMsg(const QString& message);
    void broadcastReportOK(ns::Object* sender);
    void refreshWebView();

    // ---- wording (MainControllerWording.cpp) ----
    void Init_mainWindow_nib();
    void Init_UIMenu();
    void changeMainWinTitleFont();
    void resetToolBar();

    // ---- operator variants (MainControllerOperators.cpp, MainControllerOperatorNib.cpp)
    //      and the service-provider code window (MainControllerSPCode.cpp) ----
    void initCheckSPCodeWin();
    void checkSPCode(ns::Object* sender);
    void checkSPCodeWndCancel(ns::Object* sender);
    // The OK button follows whether a code is typed.
    void spCodeTextDidChange();
    // Rewrites the profile file to the code's one profile and takes its logo;
    // false, with nothing changed, for a code that selects nothing or a file
    // that cannot be written.
    bool findAPNInfoBySPCode(const QString& code);
    void closeCheckSPCodeWin();
    // Makes the field show a link text (or empties it without text).
    static void textField(ns::TextField* field, const QString& text, const QString& link);
    void initMainWindowForZudera();
    void deviceRemovedForZudera(bool removed);
    void performEndSheet(ns::Object* sender);
    void tbiMainVADOHelpClick(ns::Object* sender);
    void openWndOrangeQuickTips(ns::Object* sender);
    void openUSSDWndOrangeTopup(ns::Object* sender);
    void openUSSDWndOrangeCheckbalance(ns::Object* sender);
    void openUSSDWndOrangeBuybundles(ns::Object* sender);
    void loadLinkButtonTitleWording();
    void openLinkPage(ns::Object* sender);
    void openDirudWebsites(ns::Object* sender);
    void open1und1URL(ns::Object* sender);
    void openDODIMenuLinks(ns::Object* sender);
    // Opens the address once a connection is up; otherwise only the alert.
    void openDODILinks(const QString& url);
    void openTabMenuLinks(ns::Object* sender);
    void homePageClick(ns::Object* sender);
    void performOpenHelpActionForDuzozer(ns::Object* sender);
    void showSupportWindowForDuzozer(ns::Object* sender);
    void showUSSDGuideWindowForDuzozer(ns::Object* sender);
    void updateUIForBraRudiv(const QString& page);
    void updateControllersForBarRudiv(const QString& page);
    void changeDrawerBtnStyleForBraRudiv(const QString& page);
    void loadZevavedoButtonToolTip();
    void openMyistarURL(ns::Object* sender);
    void disableUSSDToolbarForMalaixiya();
    void setIsHiddenForUSSDActive(bool hidden);
    void setTextLinkAddressForMainPage();
    ns::Window* checkSPCodeWindow() const { return wndCheckSPCode_.get(); }
    ns::TextField* spCodeField() const { return textfieldSPCode_; }
    ns::Window* devStateChangeForZuderaWindow() const { return windowOfDevStateChangeForZudera_.get(); }
    ns::TextField* devStateChangeForZuderaLabel() const { return labelOfDevStateChageForZudera_; }
    QList<ns::TextField*> linkLabelsForZudera() const;
    ns::Button* dialNumberForZuderaButton() const { return btnUnderlineDialNumberForZudera_; }
    const QList<ns::Button*>& linkButtons() const { return linkButtons_; }
    const QList<ns::Button*>& zevavedoButtons() const { return btnsForZevavedo_; }
    ns::Window* orangeQuickTipsWindow() const { return wndOrangeQuickTips_.get(); }
    ns::Window* supportWindowForDuzozer() const { return supportWindow_.get(); }
    ns::Window* ussdGuideWindowForDuzozer() const { return ussdGuideWindow_.get(); }
    ns::Button* ussdActiveButton() const { return btnUSSDActive_; }
    ns::TextField* textLinkAddressLabel() const { return labelForTextLinkAddress_; }

    // ---- skin (MainControllerAlias.cpp) ----
    void initializeNormalSkin();
    void initializeMiniSkin();
    void initializeSmartSkin();
    void registerUINotifications();
    // The compact skins' signal image and network text (init_SingalStrength, init_NetworkStatus).
    void showSignalStrength(ns::Notification* notification);
    void showNetworkStatus(ns::Notification* notification);
    void cacheToolbarButtons(ns::View* toolbarView);
    void closeMainPopupWindow(ns::Object* sender);
    void btnDialConnectExt(ns::Object* sender);

    // ---- customer registration form (MainControllerUserRegiste.cpp) ----
    // Offers the form as a sheet once, when this build asks for it.
    void openUserRegisteWndIfNeedRegiste();
    void clickOKofUserRegisteWnd(ns::Object* sender);
    void clickOKofUserExitWnd(ns::Object* sender);
    void openCalendarWnd(ns::Object* sender);
    void setCalendarDateTime(ns::Object* sender);
    // The three fields' checks in order; the first failure is shown and stops them.
    bool checKUserInfoValidity();
    bool checkEmailValidity(const QString& email);
    bool checkContactValidity(const QString& contact);
    bool checkDobValidity(const QString& dob);
    void getUserInfoFromTextField();
    void saveUserInfoIntoFile();
    void readUserInfoFromFile();
    // The three messages, 5 seconds apart.
    void sendUserEmailInfo();
    void sendUserContact();
    void sendUSerODB();
    // At SIM ready: the stored texts again, while they never went out.
    void sendUserInfoIfNeededAndSendFailedBefore();
    void setIsSendingUserInfo(bool sending) { isSendingUserInfo_ = sending; }
    bool isSendingUserInfo() const { return isSendingUserInfo_; }
    void limitTextFiledLength(ns::TextField* field);
    ns::Window* userRegisteWindow() const { return wndUserRegiste_.get(); }
    ns::TextField* emailField() const { return tfdEmail_; }
    ns::TextField* contactField() const { return tfdContact_; }
    ns::TextField* dobField() const { return tfdDob_; }
    ns::Button* sendUserInfoButton() const { return btnSendUserInfo_; }
    ns::Button* exitUserInfoButton() const { return btnExitUserInfo_; }
    ns::Button* calendarButton() const { return btnCalendarUserInfo_; }
    ns::DatePicker* dateCalendar() const { return DateCalendar_; }

    // ---- low-power mode (MainControllerLowPower.cpp) ----
    // Off-line when the window stayed miniaturised and the line idle or
    // little used; on-line when it comes back.
    void checkLPM(ns::Timer* timer);
    void releaseTimerCheckLPM();
    // The user's on/off of the mode.
    void switchLPMStatus(ns::Object* sender);
    ns::Button* lowPowerButton() const { return btnLPMStatus_; }
    bool isCheckingLPM() const { return timerCheckLPM_ != nullptr; }

    // Outlets other code and the tests read.
    ns::Toolbar* toolbar() const;
    ns::TabView* mainTabView() const { return tabviewMain; }
    ns::View* statusView() const { return viewStatus_; }
    ns::TextField* windowTitleField() const { return textfieldWindowTitle_; }
    ns::TextField* tabTitleField() const { return textfieldTabviewItemTitle_; }
    ns::Window* startupWindow() const { return wndStartup_.get(); }
    ns::Window* welcomeWindow() const { return wndWelcom_.get(); }
    ns::Window* broadcastWindow() const { return wndBroadcastReport_.get(); }
    ns::TextField* broadcastField() const { return tfdBroadCast_; }
    ns::Window* ussdBalanceWindow() const { return ussdBalancewnd_.get(); }
    ns::Window* dialRecordWindow() const { return wndDialRecord_.get(); }
    ns::Window* settingWindow() const { return wndSetting_.get(); }
    ns::TabView* settingTabView() const { return tabViewModuleTabSetting_; }
    ns::TextField* settingTitleField() const { return lableSettingTabViewTitle_; }
    ns::Window* closeAppForZuderaWindow() const { return windowOfCloseAppForZudera_.get(); }
    ns::Drawer* linkDrawer() const { return drawerLink.get(); }
    ns::WebView* localWebView() const { return webViewForShowLocalWebUI_; }
    ns::TextField* mainWindowTitleField() const { return mainWinTitle_; }
    ns::MenuItem* acceptCallMenuItem() const { return acceptMenuItem; }
    ns::MenuItem* rejectCallMenuItem() const { return rejectMenuItem; }
    // The menu item that a wording key titles (the first of them); null when none does.
    ns::MenuItem* menuItemForKey(const QString& key) const;
    QList<ns::Matrix*> simpleWindowMatrices() const;

protected:
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;
    void updateLanguages(ns::Notification* notification) override;

private:
    // ---- the nib (MainControllerNib.cpp) ----
    void loadNib();
    void buildMainWindows();
    void buildTabView();
    void buildSimpleWindow();
    void buildStartupWindow();
    void buildWelcomeWindow();
    void buildBroadcastWindow();
    void buildUSSDBalanceWindow();
    void buildDialRecordAndSettingWindows();
    void buildCloseAppForZuderaWindow();
    // The operators' windows and controls (MainControllerOperatorNib.cpp).
    void buildOperatorVariants();
    void buildCheckSPCodeWindow();
    void buildDevStateChangeForZuderaWindow();
    void buildLinkTextsForZudera();
    void buildZevavedoButtons();
    void buildLinkButtons(ns::View* content);
    void registerOperatorActions();
    void registerOperatorSkinControls();
    void buildUserRegisteWindow();
    // Lays the customer form out with the calendar shown or hidden.
    void showCalendar(bool shown);
    void buildLowPowerSwitch();
    void buildMainMenu();
    // Adds a menu item titled by a wording key (translated by Init_UIMenu).
    ns::MenuItem* addMenuItem(ns::Menu* menu, const QString& key, const QString& action);
    ns::Menu* addSubmenu(ns::Menu* menu, const QString& key);
    void registerActions();

    // Moves the nib's view into the skin's view under its item; false (the
    // view staying where it was) when the skin has no such item or parent.
    bool moveIntoSkinView(ns::View* view, const QString& key, ns::View* parent);
    void initCallMenuItemSel();

    // ---- helpers ----
    // Shows the tab with the identifier; an identifier that is not a tab of
    // this build changes nothing and is logged.
    bool selectTab(const QString& identifier);
    // The translation of a wording key.
    static QString wording(const QString& key);
    // Opens the file or page with the desktop's program for it; logs when nothing opens it.
    void openFile(const QString& path);
    // Opens the file of that name in the data folder (a full path as it is).
    void openFileInDataFolder(const QString& name);
    void openURL(const QString& url);
    // The item's web-link label ("urlLabel") of a toolbar item or button; null without one.
    static QString urlLabelOf(ns::Object* sender);
    static QString identifierOf(ns::Object* sender);
    // Ends a sheet and orders it out.
    static void endSheet(ns::Window* sheet);
    // Posts "MainwindOfAppChanged" with the new wndMain.
    void notifyMainWindowChanged();
    // The quit guard's alerts for a connection, a manual network selection and a call;
    // false when one of them refused.
    bool refusesWhileBusy(bool connectedRefuses);
    // The cipher text that an enciphered link carries for a 15-digit number; null otherwise.
    QString cipherOf(const QString& digits, bool withFixedKey) const;
    void showSplashFrame(int index);
    // Closes the splash window and forgets it and its views.
    void closeStartupWindow();
    void stopSplashThread();
    // Asks the USSD plug-in for its sheet of the tag on the main window.
    void postUssdSheetRequest(const ns::Value& tag);
    // Puts the window where the SMS controller places new windows, on the modal-panel level, in front.
    void showCenteredLikeNewSMSWindow(ns::Window* window);
    bool isSkinned() const;
    // The customer form's sending: the SMS page told, then the first message.
    void startSendingUserInfo();
    // Sends the form's text of that index to the operator's number.
    void sendUserInfoText(int index);
    // The low-power mode is in this build and the user has it on.
    bool isLPMActive() const;
    // The window was miniaturised: the check is scheduled; it came back: on-line.
    void scheduleCheckLPM();
    void leaveLPM();

    // ---- splash ----
    std::unique_ptr<ns::Window> wndStartup_;
    QList<ns::Image> imageArray_;
    int imageCount_ = 0;
    int splashDisplayCount_ = 0; // read by the splash thread
    ns::TextField* tfdStartWndInfo_ = nullptr;
    ns::TextField* tfdSoftwareVersionAlias_ = nullptr;
    NSViewExt* startupImageView_ = nullptr;
    std::jthread splashThread_;
    QObject splashReceiver_; // hands the splash thread's frames to the GUI thread
    FrameHandoff splashHandoff_{&splashReceiver_};

    // ---- quit ----
    bool bWinWillClose_ = false;
    int wndFlag = 0;
    std::unique_ptr<ns::Window> windowOfCloseAppForZudera_;
    ns::TextField* labelOfCloseAppForZudera_ = nullptr;
    ns::ImageView* imageViewOfCloseAppForZudera_ = nullptr;
    ns::Button* btnShutDownForZudera_ = nullptr;
    ns::Button* btnQuitForZudera_ = nullptr;
    ns::Button* btnCancelForZudera_ = nullptr;
    std::unique_ptr<ns::Window> wndWelcom_;
    ns::TextField* labelWelcome_ = nullptr;
    ns::Button* btnWelcomeOK_ = nullptr;

    // ---- window and toolbar ----
    std::unique_ptr<ns::Window> completeWindow_;
    std::unique_ptr<ns::Window> simpleWindow_;
    std::unique_ptr<NSWindowExt> popupWindow_; // wndMainPopup
    ns::View* viewStatus_ = nullptr;
    ns::View* viewTitle_ = nullptr;
    ns::TextField* textfieldWindowTitle_ = nullptr;
    ns::TextField* textfieldTabviewItemTitle_ = nullptr;
    ns::ImageView* viewextProviderLogo_ = nullptr;
    QList<ns::Object*> toolbarItemsArray;
    std::vector<std::shared_ptr<NSToolbarItemExt>> toolbarItems_; // the configured items, owned
    std::shared_ptr<ns::ToolbarItem> customLogoToolbarItem_;
    ns::Object* urlWithAlertToolBarItem_ = nullptr;
    bool openURLWithAlertClicked_ = false;
    std::unique_ptr<ns::Drawer> drawerLink;
    int netCardStatus_ = 0;
    bool deviceRemoveSign_ = false;
    ns::MenuItem* acceptMenuItem = nullptr;
    ns::MenuItem* rejectMenuItem = nullptr;
    QString selOfAcceptMenuItem;
    QString selOfRejectMenuItem;
    std::unique_ptr<ns::Window> wndBroadcastReport_;
    ns::TextField* tfdBroadCast_ = nullptr;
    ns::Button* btnOkBroadcastReport_ = nullptr;
    std::unique_ptr<ns::Window> ussdBalancewnd_;
    ns::TextField* labelUSSDBalance_ = nullptr;
    ns::Button* btnCloseUSSDBalance_ = nullptr;
    std::unique_ptr<ns::Window> wndDialRecord_;
    ns::Button* btnCloseDialRecord_ = nullptr;
    std::unique_ptr<ns::Window> wndSetting_;
    ns::Button* btnCloseSetting_ = nullptr;
    ns::TabView* tabViewModuleTabSetting_ = nullptr;
    ns::TextField* lableSettingTabViewTitle_ = nullptr;
    ns::Matrix* matrixSettingModules_ = nullptr;
    ns::WebView* webViewForShowLocalWebUI_ = nullptr;
    ns::TextField* mainWinTitle_ = nullptr;

    // ---- menus: each item with the wording key that titles it ----
    ns::Menu* mainMenu_ = nullptr; // the application's, while this controller made it
    QList<QPair<QString, ns::MenuItem*>> menuWording_;
    ns::MenuItem* labelInternet_ = nullptr;
    ns::MenuItem* labelStatistics_ = nullptr;
    ns::MenuItem* labelCall_ = nullptr;
    ns::MenuItem* labelSMS_ = nullptr;
    ns::MenuItem* labelPhonebook_ = nullptr;
    ns::MenuItem* labelUSSD_ = nullptr;
    ns::MenuItem* labelSetting_ = nullptr;
    ns::MenuItem* labelDialRecord_ = nullptr;

    // ---- window modes ----
    int modeCurrent = kCompleteModel;
    int modePrev = kCompleteModel;
    ns::Rect rectOfwndMain_;
    ns::Rect rectOfWndSimpleMain_;
    ns::Rect rectOfCurrentWnd_;
    ns::Matrix* matrixSms_ = nullptr;
    ns::Matrix* matrixPhoneBook_ = nullptr;
    ns::Matrix* matrixSet_ = nullptr;
    ns::Matrix* matrixHelp_ = nullptr;
    ns::Matrix* matrixRecord_ = nullptr;

    // ---- operator variants and the service-provider code window ----
    std::unique_ptr<ns::Window> wndCheckSPCode_;
    ns::TextField* labelCheckWnd_ = nullptr;
    ns::TextField* textfieldSPCode_ = nullptr;
    ns::Button* btnCheckOK_ = nullptr;
    ns::Button* btnCheckCancel_ = nullptr;
    std::unique_ptr<ns::Window> windowOfDevStateChangeForZudera_;
    ns::TextField* labelOfDevStateChageForZudera_ = nullptr;
    ns::TextField* labelHomeLinkForZudera_ = nullptr;
    ns::TextField* labelPostPaidLinkForZudera_ = nullptr;
    ns::TextField* labelPrePaidLinkForZudera_ = nullptr;
    ns::Button* btnUnderlineDialNumberForZudera_ = nullptr;
    // The link drawer's buttons (btnService, btneShop, btnMobileDevices, btnTrava,
    // btnChangeSignal, btnServiceGuide, btnFillup, btnMMS, btnMultiFon), made with the drawer.
    QList<ns::Button*> linkButtons_;
    // The twelve Zevavedo buttons, in the order of their tool-tip keys.
    NSViewExt* viewOfZevavedoButtons_ = nullptr;
    QList<ns::Button*> btnsForZevavedo_;
    std::unique_ptr<ns::Window> wndOrangeQuickTips_;
    std::unique_ptr<ns::Window> supportWindow_;
    std::unique_ptr<ns::Window> ussdGuideWindow_;
    ns::Button* btnUSSDActive_ = nullptr;
    ns::TextField* labelForTextLinkAddress_ = nullptr;

    // ---- status item ----
    std::unique_ptr<StatusBarView> viewSysStatusItem_;
    ns::Menu* menuSysStatusItem_ = nullptr; // owned by the status-bar view

    // ---- customer registration form ----
    std::unique_ptr<ns::Window> wndUserRegiste_;
    ns::TextField* labelUserRegiste_ = nullptr;
    ns::TextField* labelEmail_ = nullptr;
    ns::TextField* labelContact_ = nullptr;
    ns::TextField* labelDob_ = nullptr;
    ns::TextField* tfdEmail_ = nullptr;
    ns::TextField* tfdContact_ = nullptr;
    ns::TextField* tfdDob_ = nullptr;
    ns::Button* btnSendUserInfo_ = nullptr;
    ns::Button* btnExitUserInfo_ = nullptr;
    ns::Button* btnCalendarUserInfo_ = nullptr;
    ns::DatePicker* DateCalendar_ = nullptr;
    QString sendUserInfoto_;
    QStringList userRegisteInfoArray_; // e-mail, contact, date of birth
    bool isSendingUserInfo_ = false;

    // ---- low-power mode ----
    ns::Button* btnLPMStatus_ = nullptr;
    std::shared_ptr<ns::Timer> timerCheckLPM_;
};

extern MainController* g_MainController;
