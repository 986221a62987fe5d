#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/CompoundCallControlling.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/MMSControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/interfaces/SmsServicing.h"
#include "app/interfaces/UpdateLinking.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/status/StatusBarView.h"
#include "app/ui/widgets/LinkedItem.h"
#include "app/ui/widgets/NSToolbarItemExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "device/InitController.h"
#include "device/NibControls.h"
#include "jCommon/DeviceMessages.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Workspace.h"

#include <QDir>
#include <QThread>
#include <QUrl>
#include <QtDebug>

MainController* g_MainController = nullptr;

namespace
{

const QString kMainForm = QStringLiteral("MAINFORM");
// The modal-panel level (window-level key 10).
constexpr int kModalPanelLevel = ns::ModalPanelWindowLevel;

} // namespace

MainController::MainController(ConfigManager& store) : JOVUIController(store)
{
    g_MainController = this;
    g_MainWindowing = this;
    setRuntimeObject(false, kRTIsConnectBtnEnable);
    registerActions();
    registerOperatorActions();
}

MainController::~MainController()
{
    stopSplashThread();
    ns::cancelPreviousPerformRequestsWithTarget(this);
    releaseTimerCheckLPM();
    ns::Application& application = ns::Application::sharedApplication();
    if (application.delegate() == this)
        application.setDelegate(nullptr);
    // The menu's items target this controller.
    if (mainMenu_ && application.mainMenu() == mainMenu_)
        application.setMainMenu(nullptr);
    if (g_MainController == this)
        g_MainController = nullptr;
    if (g_MainWindowing == this)
        g_MainWindowing = nullptr;
}

void MainController::awakeFromNib()
{
    loadNib();
    JOVUIController::awakeFromNib();
    // The complete window is visible at launch; the stored mode takes over
    // when launching ends (showMainUI), the simple form in its place.
    wndMain->makeKeyAndOrderFront(this);
}

void MainController::registerActions()
{
    using Action = void (MainController::*)(ns::Object*);
    const QList<QPair<const char*, Action>> actions = {
        {"tabViewChangeItemAction:", &MainController::tabViewChangeItemAction},
        {"gotoInternet:", &MainController::gotoInternet},
        {"gotoSMS:", &MainController::gotoSMS},
        {"gotoPhonebook:", &MainController::gotoPhonebook},
        {"gotoSetting:", &MainController::gotoSetting},
        {"gotoDialRecord:", &MainController::gotoDialRecord},
        {"gotoCall:", &MainController::gotoCall},
        {"gotoUSSD:", &MainController::gotoUSSD},
        {"tbiMainHomewebAction:", &MainController::tbiMainHomewebAction},
        {"tbiMainURLAction:", &MainController::tbiMainURLAction},
        {"tbimainURLEncipherAction:", &MainController::tbimainURLEncipherAction},
        {"tbimainURLEncipherActionExt:", &MainController::tbimainURLEncipherActionExt},
        {"tbiMainURLWithAlertAction:", &MainController::tbiMainURLWithAlertAction},
        {"tbiMainOpenURLWithAlertAndAutoConnectAction:",
         &MainController::tbiMainOpenURLWithAlertAndAutoConnectAction},
        {"tbiMainSendSMS:", &MainController::tbiMainSendSMS},
        {"tbiMainSendVolStatusCheckSMS:", &MainController::tbiMainSendVolStatusCheckSMS},
        {"checkMyNumber:", &MainController::checkMyNumber},
        {"tbiMainPopUpUssdAction:", &MainController::tbiMainPopUpUssdAction},
        {"tbiChangeAPNSelection:", &MainController::tbiChangeAPNSelection},
        {"tbiMainUSSDPopUPAction:", &MainController::tbiMainUSSDPopUPAction},
        {"closeUSSDPopUPAction:", &MainController::closeUSSDPopUPAction},
        {"toolbarCallUssdSheetWnd:", &MainController::toolbarCallUssdSheetWnd},
        {"popUpRefillSheet:", &MainController::popUpRefillSheet},
        {"popUpCheckBalanceSheet:", &MainController::popUpCheckBalanceSheet},
        {"tabViewChangeToCallAndMakeCall:", &MainController::tabViewChangeToCallAndMakeCall},
        {"simCardActivity:", &MainController::simCardActivity},
        {"tbiMainHelpAction:", &MainController::tbiMainHelpAction},
        {"tbiMainJOVPlayerAction:", &MainController::tbiMainJOVPlayerAction},
        {"gotoWebsiteMainpage:", &MainController::gotoWebsiteMainpage},
        {"showDialRecordAndSettingWindow:", &MainController::showDialRecordAndSettingWindow},
        {"closeAllWindow:", &MainController::closeAllWindow},
        {"selectModule:", &MainController::selectModule},
        {"changeDrawerState:", &MainController::changeDrawerState},
        {"loadDrawerLinkWnd:", &MainController::loadDrawerLinkWnd},
        {"broadcastReportOK:", &MainController::broadcastReportOK},
        {"goBackToMainWnd:", &MainController::goBackToMainWnd},
        {"menuCompleteModelClicked:", &MainController::menuCompleteModelClicked},
        {"menuSimpleModelClicked:", &MainController::menuSimpleModelClicked},
        {"menuMinimizedModelClicked:", &MainController::menuMinimizedModelClicked},
        {"closeMainWindow:", &MainController::closeMainWindow},
        {"quitTerminal:", &MainController::quitTerminal},
        {"closeApp:", &MainController::closeApp},
        {"minimizeMainWindow:", &MainController::minimizeMainWindow},
        {"minimizeWindow:", &MainController::minimizeWindow},
        {"shutDownDeviceForZudera:", &MainController::shutDownDeviceForZudera},
        {"quitApplicationForZudera:", &MainController::quitApplicationForZudera},
        {"cancelCloseWindowForZudera:", &MainController::cancelCloseWindowForZudera},
        {"closeMainPopupWindow:", &MainController::closeMainPopupWindow},
        {"btnDialConnectExt:", &MainController::btnDialConnectExt},
    };
    for (const auto& [selector, action] : actions)
        registerSelector(QString::fromLatin1(selector), action);

    using Handler = void (MainController::*)(ns::Notification*);
    const QList<QPair<const char*, Handler>> handlers = {
        {"deviceRemoved:", &MainController::deviceRemoved},
        {"devicePlugin:", &MainController::devicePlugin},
        {"simReady:", &MainController::simReady},
        {"tabViewItemWillChange:", &MainController::tabViewItemWillChange},
        {"connectStatusDidChange:", &MainController::connectStatusDidChange},
        {"isAbleToConnect:", &MainController::isAbleToConnect},
        {"dialConnectStart:", &MainController::dialConnectStart},
        {"updateStkTooltip:", &MainController::updateStkTooltip},
        {"receiveSMSBroadCast:", &MainController::receiveSMSBroadCast},
        {"showSignalStrength:", &MainController::showSignalStrength},
        {"showNetworkStatus:", &MainController::showNetworkStatus},
    };
    for (const auto& [selector, handler] : handlers)
        registerSelector(QString::fromLatin1(selector), handler);

    registerSelector("refreshWebView", &MainController::refreshWebView);
    registerSelector("gotoSMSUIOfCompleteWnd", &MainController::gotoSMSUIOfCompleteWnd);
    registerSelector("endStartupWin:", &MainController::endStartupWin);
    registerSelector("reopenApplication:",
                     [](ns::Object*) { ns::Application::sharedApplication().reopen(); });

    // The customer form and the low-power mode.
    for (const auto& [selector, action] : QList<QPair<const char*, Action>>{
             {"clickOKofUserRegisteWnd:", &MainController::clickOKofUserRegisteWnd},
             {"clickOKofUserExitWnd:", &MainController::clickOKofUserExitWnd},
             {"openCalendarWnd:", &MainController::openCalendarWnd},
             {"setCalendarDateTime:", &MainController::setCalendarDateTime},
             {"switchLPMStatus:", &MainController::switchLPMStatus},
         })
        registerSelector(QString::fromLatin1(selector), action);
    registerSelector("sendUserContact", &MainController::sendUserContact);
    registerSelector("sendUSerODB", &MainController::sendUSerODB);
    registerSelector("checkLPM:", &MainController::checkLPM);
}

// ---- the construction hooks ----

void MainController::initializeNibResources()
{
    Init_mainWindow_nib();
    Init_UIMenu();
    loadSimpleModeWording();
    if (configStore().getConfigurationByModuleAndKey(kMainForm, QStringLiteral("LinkButton")).boolValue())
        initDrawerProperty();
    prepareStartupWin();
    initCheckSPCodeWin();
    initializeDrawer();
    setToolbarEnableWhenSimDetected(false);
    wndMain->center();
    initSysStatusBarItem();
    initMainWindowForZudera();
    initCallMenuItemSel();
    loadZevavedoButtonToolTip();
    setTextLinkAddressForMainPage();
    refreshWebView();
}

void MainController::initCallMenuItemSel()
{
    selOfAcceptMenuItem = QStringLiteral("selectDialCallStyle:");
    selOfRejectMenuItem = QStringLiteral("hangClicked:");
}

void MainController::initializeController()
{
    const ConfigService config(configStore());
    if (!config.hasToolbarSkinInfo())
        loadToolBar();
    if (configStore()
            .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("TooBarEnableBySimStatus"))
            .boolValue()) {
        toolbarSetEnable(false);
    } else {
        toolbarSetEnable(true);
        setToolbarEnableWhenSimDetected(false);
    }
    disableUSSDToolbarForMalaixiya();
    rectOfwndMain_ = wndCompleteMain_->frame();
    rectOfWndSimpleMain_ = wndSimpleMain_->frame();
    freshStatusViewWhenInitialController();
    toolbarSetItemEnable(false, QStringLiteral("RECHARGE"));
}

// ---- start-up ----

void MainController::applicationWillFinishLaunching(const ns::Notification&)
{
    const ConfigService config(configStore());
    if (!config.getStartupInfo().isNull()) {
        setDiagSoftwareVersionString(tfdSoftwareVersionAlias_);
        beginStartupWin();
    } else if (configStore().getConfigurationByModule(QStringLiteral("CheckSPCode")).boolValue()) {
        popUpCheckSPCodeWin();
    } else {
        runDatacard();
    }
    miniaturizeMainWindowWhenAppFinishLaunching();
}

void MainController::applicationDidFinishLaunching(const ns::Notification&)
{
    if (g_DialController)
        g_DialController->applicationDidFinishLaunchingInDialController();
    openUserRegisteWndIfNeedRegiste();
    showMainUI();
    showWelcomeWndWhenStartUI();
}

void MainController::setDiagSoftwareVersionString(ns::Object* object)
{
    auto* field = dynamic_cast<ns::TextField*>(object);
    if (!field || !ConfigService(configStore()).startupWindowControlGetSoftwareVersionString())
        return;
    field->setStringValue(ns::Bundle::mainBundle()
                              .objectForInfoDictionaryKey(QStringLiteral("CFBundleShortVersionString"))
                              .toString());
}

void MainController::runDatacard()
{
    if (configStore().getConfigurationByModule(QStringLiteral("IconChangeWithConnected")).boolValue())
        ns::Application::sharedApplication().setApplicationIconImage(
            ns::Image::imageNamed(QStringLiteral("unConnectIcons")));
    if (g_UpdateLink && g_UpdateLink->isSupportUpdate())
        g_UpdateLink->ApplicationFinishLaunchHook();
    notifyChangeLanguage();
    notifyAppReady();
    if (jovMsgCenter) {
        jovMsgCenter->stopMsgServer();
        jovMsgCenter->startMsgServer();
    }
    const ns::Value acceptMouseMoved =
        configStore().getConfigurationByModuleAndKey(kMainForm, QStringLiteral("acceptMouseMovedEvent"));
    if (!acceptMouseMoved.isNull() && wndMain)
        wndMain->setAcceptsMouseMovedEvents(acceptMouseMoved.boolValue());
    if (drawerMain)
        drawerMain->openOnEdge(ns::MaxXEdge);
}

void MainController::showWelcomeWndWhenStartUI()
{
    if (wndWelcom_)
        showCenteredLikeNewSMSWindow(wndWelcom_.get());
}

void MainController::showCenteredLikeNewSMSWindow(ns::Window* window)
{
    if (g_SMSController)
        window->setFrameOrigin(g_SMSController->centerTheNewSMSArriveWnd(window->frame()));
    else
        window->center();
    window->setLevel(kModalPanelLevel);
    window->orderFront(nullptr);
}

// ---- the quit guard ----

bool MainController::refusesWhileBusy(bool connectedRefuses)
{
    if (connectedRefuses) {
        NSRunAlertPanelExt(wording("Warning"),
                           wording("You are currently connected. Please disconnect first!"), wording("OK"),
                           QString());
        return true;
    }
    if (g_SettingController && g_SettingController->isManualSelecting()) {
        NSRunAlertPanelExt(wording("Warning"),
                           wording("You are manually selecting a network,please first finish it!"),
                           wording("ok"), QString());
        return true;
    }
    if (g_CompoundCallController && g_CompoundCallController->callStage() != 0) {
        NSRunAlertPanelExt(wording("Warning"), wording("You are dialing now,please hangup first!"),
                           wording("ok"), QString());
        return true;
    }
    return false;
}

bool MainController::appShouldClose()
{
    const ConfigService config(configStore());
    if (config.isCloseUIIfDeviceRemoved())
        return true;
    const bool dialling = g_DialController && g_DialController->GetisDialNow();
    const bool closeWhileConnected =
        configStore()
            .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("CloseAppWihoutQueryConnection"))
            .boolValue();
    if (dialling && closeWhileConnected)
        return getAppCloseStateForZID();
    if (refusesWhileBusy(dialling))
        return false;
    if (configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("specialSoftVersion"), QStringLiteral("VADO_TIM"))
            .boolValue()) {
        if (NSRunAlertPanelExt(wording("Warning"), wording("Close the software?"), wording("OK"),
                               wording("Cancel")) != ns::AlertDefaultReturn)
            return false;
        configStore().setConfigurationByModule(QStringLiteral("IMSI"), QStringLiteral(""));
        configStore().writeToFile();
    }
    if (g_SmsService && g_SmsService->sendingSMSInBackGround())
        g_SmsService->setUnshowInfoWndWhenSendSmsByFlag(false);
    if (config.getUIModelConfig() != 3)
        saveCurrentUIModelWhenAppClosed();
    return true;
}

ns::ApplicationTerminateReply MainController::applicationShouldTerminate(ns::Application*)
{
    if (!appShouldClose())
        return ns::TerminateCancel;
    // The sound takes no input while it plays, the close button's included.
    if (configStore()
            .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("closeUISoundEnable"))
            .boolValue())
        playCloseSound();
    if (configStore()
            .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("setDeviceOfflineWhileQuitUI"))
            .boolValue() &&
        g_InitController) {
        g_InitController->setDeviceOffline();
        QThread::sleep(1);
    }
    notifyAppWillClose();
    deleteRuntimeDictionary();
    if (jovMsgCenter)
        jovMsgCenter->stopMsgServer();
    return ns::TerminateNow;
}

// ---- close and quit buttons ----

bool MainController::windowShouldClose(ns::Window*)
{
    const ConfigService config(configStore());
    if (config.doNotCloseApp()) {
        wndFlag = 0;
        if (ns::Window* main = ns::Application::sharedApplication().mainWindow())
            main->orderOut(nullptr);
        else if (wndMain)
            wndMain->orderOut(nullptr);
        return false;
    }
    const bool dialling = g_DialController && g_DialController->GetisDialNow();
    const bool closeWhileConnected =
        configStore()
            .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("CloseAppWihoutQueryConnection"))
            .boolValue();
    if (dialling && closeWhileConnected) {
        if (NSRunAlertPanelExt(
                wording("Warning"),
                wording("It has an active connection.Are you sure you hold fast to finish the applications?"),
                wording("OK"), wording("Cancel")) == ns::AlertDefaultReturn) {
            bWinWillClose_ = true;
            notifyAppWillClose();
        }
        return false;
    }
    if (refusesWhileBusy(dialling))
        return false;
    ns::Application::sharedApplication().terminate(this);
    return true;
}

void MainController::quitTerminal(ns::Object* sender)
{
    windowShouldClose(dynamic_cast<ns::Window*>(sender));
}

bool MainController::quitAppAlert()
{
    if (!settingDict_.value(QStringLiteral("qutiUITips")).boolValue())
        return true;
    return NSRunAlertPanelExt(wording("Tips"), wording("Exit the Connection Manager?"), wording("OK"),
                              wording("Cancel")) == ns::AlertDefaultReturn;
}

bool MainController::closeMainWindowForZudera()
{
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("CloseUIForZudera"))
             .boolValue())
        return true;
    if (!windowOfCloseAppForZudera_ || !wndMain)
        return true;
    labelOfCloseAppForZudera_->setStringValue(wording(
        "Do you want to shut down the device completely after quiting the application?\nNote:After "
        "shuting down the device completely, you need to remove the devicee and reinsert into computer "
        "to use it again."));
    imageViewOfCloseAppForZudera_->setImage(ns::Image::imageNamed(QStringLiteral("QueryMark")));
    ns::Application::sharedApplication().beginSheet(windowOfCloseAppForZudera_.get(), wndMain);
    return false;
}

void MainController::closeMainWindow(ns::Object*)
{
    if (!quitAppAlert() || !closeMainWindowForZudera())
        return;
    ns::Application::sharedApplication().terminate(this);
}

void MainController::shutDownDeviceForZudera(ns::Object*)
{
    endSheet(windowOfCloseAppForZudera_.get());
    ns::Application::sharedApplication().terminate(this);
}

void MainController::quitApplicationForZudera(ns::Object*)
{
    endSheet(windowOfCloseAppForZudera_.get());
    ns::Application::sharedApplication().terminate(this);
}

void MainController::cancelCloseWindowForZudera(ns::Object*)
{
    endSheet(windowOfCloseAppForZudera_.get());
}

void MainController::closeApp(ns::Object*)
{
    ns::Application::sharedApplication().terminate(this);
}

void MainController::minimizeMainWindow(ns::Object*)
{
    if (wndMain)
        wndMain->miniaturize(this);
}

void MainController::minimizeWindow(ns::Object* sender)
{
    if (auto* view = dynamic_cast<ns::View*>(sender); view && view->window())
        view->window()->miniaturize(this);
}

void MainController::endSheet(ns::Window* sheet)
{
    nib::endSheet(sheet);
}

// ---- the device goes ----

void MainController::deviceRemoved(ns::Notification*)
{
    deviceRemovedForZudera(true);
    netcardChanged(kDeviceRemoved);

    ns::Application& application = ns::Application::sharedApplication();
    const ConfigService config(configStore());
    if (config.isCloseUIIfDeviceRemoved()) {
        if (wndMain && wndMain->isVisible()) {
            if (ns::Window* sheet = wndMain->attachedSheet())
                endSheet(sheet);
        }
        application.terminate(this);
        if (application.isTerminated())
            return;
    }

    ns::Window* deepest = wndMain;
    while (deepest && deepest->attachedSheet())
        deepest = deepest->attachedSheet();
    if (deepest && deepest->isVisible() && deepest != wndMain && deepest->title() != u"DialConfig")
        endSheet(deepest);

    if (ns::Window* modal = application.modalWindow(); modal && modal->isVisible())
        application.stopModal();

    if (config.isSkinVersionForZErivad()) {
        insertUSSDToobarItem(1);
        setIsHiddenForUSSDActive(false);
    }

    if (g_UpdateLink && g_UpdateLink->isSupportUpdate())
        g_UpdateLink->send_DeviceOut_Msg();

    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleMainWindow, msg::device::kCheckDeviceStatus.majorID,
                                          msg::device::kCheckDeviceStatus.minorID, 2, kResultFailure);
}

// ---- moving ----

void MainController::windowDidMove(const ns::Notification& notification)
{
    if (hasModuleWith(QStringLiteral("MMS")) && g_MMSController)
        g_MMSController->windowDidMove(notification);
}

// ---- helpers ----

QString MainController::wording(const QString& key)
{
    return Map_Name_Item_of_IndexString(key);
}

void MainController::openURL(const QString& url)
{
    const QUrl link(url, QUrl::StrictMode);
    if (url.isEmpty() || !link.isValid() || link.scheme().isEmpty()) {
        qInfo("Not a web link: \"%s\"", qPrintable(url));
        return;
    }
    if (!ns::Workspace::sharedWorkspace().openURL(link))
        qInfo("Nothing opened %s", qPrintable(url));
}

void MainController::openFile(const QString& path)
{
    if (!ns::Workspace::sharedWorkspace().openFile(path))
        qInfo("Nothing opened the file %s", qPrintable(path));
}

void MainController::openFileInDataFolder(const QString& name)
{
    openFile(QDir(configStore().configFilePathOfKey(kCMModemListPath)).filePath(name));
}

QString MainController::identifierOf(ns::Object* sender)
{
    if (auto* item = dynamic_cast<ns::ToolbarItem*>(sender))
        return item->itemIdentifier();
    if (auto* linked = dynamic_cast<LinkedItem*>(sender))
        return linked->itemIdentifier();
    return QString();
}

QString MainController::urlLabelOf(ns::Object* sender)
{
    if (auto* item = dynamic_cast<NSToolbarItemExt*>(sender))
        return item->urlLabel();
    if (auto* linked = dynamic_cast<LinkedItem*>(sender))
        return linked->urlLabel();
    return QString();
}

bool MainController::selectTab(const QString& identifier)
{
    if (!tabviewMain || tabviewMain->indexOfTabViewItemWithIdentifier(identifier) < 0) {
        qInfo("There is no page \"%s\" in this build", qPrintable(identifier));
        return false;
    }
    notifyChangeTabViewItem(identifier);
    return true;
}

void MainController::notifyMainWindowChanged()
{
    ns::Notification notification(kMainwindOfAppChangedNotification, this);
    ns::ObjectDictionary objects;
    objects.setObject(QStringLiteral("window"), wndMain);
    notification.setObjectInfo(objects);
    notificationCenter.postNotification(notification);
}

bool MainController::isSkinned() const
{
    return jovSkinManager != nullptr;
}
