// The actions of the toolbar, its buttons and the menus. An action that needs
// a controller or window this build does not have does nothing and says so in
// the log.
#include "device/MainController.h"

#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SmsServicing.h"
#include "app/interfaces/WebLinkCiphering.h"
#include "app/service/JovServiceBase.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Workspace.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

namespace
{

const QString kDialOption = QStringLiteral("dialOption");
const QString kPopupSheetUssdNotification = QStringLiteral("notifyPopupSheetUssdWndPlugin");
const QString kMakeCallNotification = QStringLiteral("makeCallWithPhoneNumber");

bool isFifteenDigits(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{15}$"));
    return digits.match(text).hasMatch();
}

} // namespace

// ---- pages ----

void MainController::tabViewChangeItemAction(ns::Object* sender)
{
    selectTab(identifierOf(sender));
}

void MainController::gotoInternet(ns::Object*)
{
    selectTab(QStringLiteral("Internet"));
    updateControllersForBarRudiv(QStringLiteral("Internet"));
}

void MainController::gotoSMS(ns::Object*)
{
    selectTab(QStringLiteral("SMS"));
    updateControllersForBarRudiv(QStringLiteral("SMS"));
}

void MainController::gotoPhonebook(ns::Object*)
{
    selectTab(QStringLiteral("Phonebook"));
    updateControllersForBarRudiv(QStringLiteral("Phonebook"));
}

void MainController::gotoSetting(ns::Object*)
{
    selectTab(QStringLiteral("Setting"));
    updateControllersForBarRudiv(QStringLiteral("Setting"));
}

void MainController::gotoDialRecord(ns::Object*)
{
    selectTab(QStringLiteral("DialRecord"));
}

void MainController::gotoCall(ns::Object*)
{
    selectTab(QStringLiteral("Call"));
}

void MainController::gotoUSSD(ns::Object*)
{
    selectTab(QStringLiteral("USSD1"));
}

void MainController::gotoSMSUIOfCompleteWnd()
{
    if (ns::Application::sharedApplication().mainWindow() != wndCompleteMain_)
        menuCompleteModelClicked(this);
    selectTab(QStringLiteral("SMS"));
    if (g_SMSController)
        g_SMSController->GotoInbox();
    else
        qInfo("There is no SMS controller in this build");
}

// ---- typing ----

void MainController::controlTextDidChange(const ns::Notification& notification)
{
    auto* field = dynamic_cast<ns::TextField*>(notification.object());
    if (field && field == textfieldSPCode_)
        spCodeTextDidChange();
    else if (field && (field == tfdContact_ || field == tfdDob_))
        limitTextFiledLength(field);
}

// ---- links ----

void MainController::tbiMainHomewebAction(ns::Object*)
{
    if (!ns::Workspace::sharedWorkspace().launchApplication(QStringLiteral("Safari")))
        qInfo("The application Safari cannot be started");
}

void MainController::tbiMainURLAction(ns::Object* sender)
{
    openURL(wording(urlLabelOf(sender)));
}

QString MainController::cipherOf(const QString& digits, bool withFixedKey) const
{
    if (!isFifteenDigits(digits)) {
        qInfo("No enciphered link: \"%s\" is not a 15-digit number", qPrintable(digits));
        return QString();
    }
    if (!g_WebLinkCipher) {
        qInfo("No enciphered link: there is no link cipher in this build");
        return QString();
    }
    return withFixedKey ? g_WebLinkCipher->EncryptServicesMain(digits + QStringLiteral("0"))
                        : g_WebLinkCipher->encode(digits);
}

void MainController::tbimainURLEncipherAction(ns::Object* sender)
{
    const QString imsiCipher = cipherOf(JovServiceBase().imsi(), true);
    if (imsiCipher.isEmpty())
        return;
    openURL(wording(urlLabelOf(sender)) + imsiCipher);
}

void MainController::tbimainURLEncipherActionExt(ns::Object* sender)
{
    const QString imsiCipher = cipherOf(JovServiceBase().imsi(), false);
    const QString imeiCipher = cipherOf(runtimeObjectForKey(kRTIMEI).stringValue(), false);
    if (imsiCipher.isEmpty() || imeiCipher.isEmpty())
        return;
    openURL(formatWithTwoStrings(wording(urlLabelOf(sender)), imeiCipher, imsiCipher));
}

void MainController::tbiMainURLWithAlertAction(ns::Object* sender)
{
    if (NSRunAlertPanelExt(wording("Warning"), wording("STRING_URL_ALERT"), wording("OK"),
                           wording("Cancel")) != ns::AlertDefaultReturn)
        return;
    urlWithAlertToolBarItem_ = sender;
    if (runtimeObjectForKey(kRTIsConnecttedFlag).boolValue()) {
        openURLWithAlertClicked_ = true;
        openURL(wording(urlLabelOf(sender)));
        return;
    }
    if (!g_DialController) {
        qInfo("The link waits for a connection, and this build cannot connect");
        return;
    }
    openURLWithAlertClicked_ = true;
    notificationCenter.postNotificationName(kDialOption, this);
}

void MainController::tbiMainOpenURLWithAlertAndAutoConnectAction(ns::Object* sender)
{
    urlWithAlertToolBarItem_ = sender;
    if (runtimeObjectForKey(kRTIsConnecttedFlag).boolValue()) {
        openURL(wording(urlLabelOf(sender)));
        return;
    }
    if (NSRunAlertPanelExt(wording("Warning"), wording("STRING_URL_ALERT"), wording("OK"),
                           wording("Cancel")) != ns::AlertDefaultReturn)
        return;
    if (!g_DialController) {
        qInfo("The link waits for a connection, and this build cannot connect");
        return;
    }
    notificationCenter.postNotificationName(kDialOption, this);
    openURLWithAlertClicked_ = true;
}

void MainController::connectStatusDidChange(ns::Notification*)
{
    if (!runtimeObjectForKey(kRTIsConnecttedFlag).boolValue()) {
        openURLWithAlertClicked_ = false;
        return;
    }
    if (openURLWithAlertClicked_) {
        openURLWithAlertClicked_ = false;
        openURL(wording(urlLabelOf(urlWithAlertToolBarItem_)));
    }
    if (configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("KenyaOrangeOrvel"),
                                            QStringLiteral("OpenMainPage"))
            .boolValue())
        gotoWebsiteMainpage(this);
}

void MainController::gotoWebsiteMainpage(ns::Object*)
{
    openURL(webURLForKey(QStringLiteral("MainPage")));
}

// ---- messages ----

void MainController::tbiMainSendSMS(ns::Object*)
{
    const ns::Dictionary special =
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("SMS"), QStringLiteral("SpecialSMS"))
            .toDictionary();
    if (!g_SMSController) {
        qInfo("There is no SMS controller in this build");
        return;
    }
    g_SMSController->sendMessageto(special.value(QStringLiteral("TO_NUMBER")).toString(),
                                   special.value(QStringLiteral("SMS_CONTENT")).toString());
    if (g_SmsService)
        g_SmsService->setBAlreadySendedCheckUsageSMS(true);
}

void MainController::tbiMainSendVolStatusCheckSMS(ns::Object*)
{
    if (!g_SmsService || !g_SMSController) {
        qInfo("There is no SMS controller in this build");
        return;
    }
    const ns::Dictionary recharge = g_SmsService->processListOfRecharge();
    const QString number = recharge.value(QStringLiteral("PurchargeBySMS_ServerNumber")).toString();
    const QString text = recharge.value(QStringLiteral("PurchargeBySMS_VolStatusRequire")).toString();
    if (number.isEmpty() || text.isEmpty())
        return;
    g_SmsService->setUnshowInfoWndWhenSendSmsByFlag(true);
    g_SmsService->setSendingSmsSMSInBackGroud(true);
    g_SMSController->sendSmsTo(number, text, false, true, false);
}

// ---- USSD and calls (their plug-ins and controllers listen) ----

void MainController::checkMyNumber(ns::Object*)
{
    notificationCenter.postNotificationName(QStringLiteral("USSDBundleMessage"), nullptr);
}

void MainController::tbiMainPopUpUssdAction(ns::Object*)
{
    notificationCenter.postNotificationName(QStringLiteral("openPopUpUssdWnd"), nullptr);
}

void MainController::tbiChangeAPNSelection(ns::Object*)
{
    notificationCenter.postNotificationName(QStringLiteral("ChangeAPNSelection"), nullptr);
}

void MainController::tbiMainUSSDPopUPAction(ns::Object*)
{
    ussdBalancewnd_->orderFront(this);
}

void MainController::closeUSSDPopUPAction(ns::Object*)
{
    ussdBalancewnd_->orderOut(this);
}

void MainController::toolbarCallUssdSheetWnd(ns::Object* sender)
{
    const QString identifier = identifierOf(sender);
    if (identifier == u"USSD3")
        postUssdSheetRequest(1);
    else if (identifier == u"USSD4")
        postUssdSheetRequest(2);
    else
        postUssdSheetRequest(identifier);
}

void MainController::popUpUssdSeetWithTag(int tag)
{
    postUssdSheetRequest(tag);
}

void MainController::postUssdSheetRequest(const ns::Value& tag)
{
    ns::Notification notification(kPopupSheetUssdNotification, nullptr,
                                  ns::Dictionary{{QStringLiteral("ussdPopWndTag"), tag}});
    ns::ObjectDictionary objects;
    objects.setObject(QStringLiteral("hostMainWnd"), wndMain);
    notification.setObjectInfo(objects);
    notificationCenter.postNotification(notification);
}

void MainController::popUpRefillSheet(ns::Object*)
{
    popUpUssdSeetWithTag(1);
}

void MainController::popUpCheckBalanceSheet(ns::Object*)
{
    popUpUssdSeetWithTag(2);
}

void MainController::tabViewChangeToCallAndMakeCall(ns::Object*)
{
    const QString number =
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Call"), QStringLiteral("phoneNumberToCall"))
            .toString();
    if (!number.isEmpty())
        notificationCenter.postNotificationName(kMakeCallNotification, nullptr,
                                                ns::Dictionary{{kMakeCallNotification, number}});
}

void MainController::simCardActivity(ns::Object*)
{
    if (!selectTab(QStringLiteral("Call")))
        return;
    const QString number =
        configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("Call"), QStringLiteral("ActivatingForSIM"))
            .toString();
    if (!number.isEmpty())
        notificationCenter.postNotificationName(kMakeCallNotification, nullptr,
                                                ns::Dictionary{{kMakeCallNotification, number}});
}

// ---- help and programs ----

void MainController::tbiMainHelpAction(ns::Object*)
{
    const ns::Value special = configStore().getConfigurationByModule(QStringLiteral("SpecialHelp"));
    const QString name =
        special.isNull()
            ? QFileInfo(wording(QStringLiteral("/System/Library/ModemList/English_Help.pdf"))).fileName()
            : wording(special.toString());
    openFileInDataFolder(name);
}

void MainController::tbiMainJOVPlayerAction(ns::Object*)
{
    const QString player =
        ns::Bundle::mainBundle().pathForResource(wording(QStringLiteral("TV Player")), QStringLiteral("app"));
    if (ns::Workspace::sharedWorkspace().launchApplication(player))
        qInfo("JOVPlayer is sucessfully launched!");
    else
        qInfo("JOVPlayer is failed to be launched!");
}

// ---- separate windows ----

void MainController::showDialRecordAndSettingWindow(ns::Object* sender)
{
    const QString identifier = identifierOf(sender);
    ns::Window* window = identifier == u"DialRecord" ? wndDialRecord_.get()
                         : identifier == u"Settings" ? wndSetting_.get()
                                                     : nullptr;
    if (!window) {
        qInfo("There is no window for \"%s\" in this build", qPrintable(identifier));
        return;
    }
    showCenteredLikeNewSMSWindow(window);
    if (wndMain)
        wndMain->orderOut(this);
}

void MainController::closeAllWindow(ns::Object* sender)
{
    if (auto* view = dynamic_cast<ns::View*>(sender); view && view->window())
        view->window()->orderOut(this);
    if (wndMain)
        wndMain->orderFront(this);
}

void MainController::selectModule(ns::Object* sender)
{
    auto* list = dynamic_cast<ns::Matrix*>(sender);
    if (!list || !tabViewModuleTabSetting_)
        return;
    ns::TabViewItem* page = tabViewModuleTabSetting_->tabViewItemAtIndex(list->selectedRow());
    if (!page)
        return;
    tabViewModuleTabSetting_->selectTabViewItem(page);
    if (lableSettingTabViewTitle_)
        lableSettingTabViewTitle_->setStringValue(page->identifier());
}

// ---- drawers and the broadcast window ----

void MainController::changeDrawerState(ns::Object*)
{
    if (!drawerMain) {
        qInfo("There is no drawer in this build");
        return;
    }
    if (drawerMain->state() == ns::DrawerClosedState) {
        if (jovSkinManager)
            jovSkinManager->setImageForKeyImageName(QStringLiteral("btnDrawer"), QStringLiteral("Left"),
                                                    true);
        drawerMain->open();
    } else if (drawerMain->state() == ns::DrawerOpenState) {
        if (jovSkinManager)
            jovSkinManager->setImageForKeyImageName(QStringLiteral("btnDrawer"), QStringLiteral("Right"),
                                                    true);
        drawerMain->close();
    }
}

void MainController::loadDrawerLinkWnd(ns::Object*)
{
    if (!drawerLink) {
        qInfo("There is no link drawer in this build");
        return;
    }
    if (drawerLink->state() == ns::DrawerClosedState)
        drawerLink->open();
    else if (drawerLink->state() == ns::DrawerOpenState)
        drawerLink->close();
}

void MainController::broadcastReportOK(ns::Object*)
{
    wndBroadcastReport_->orderOut(this);
}
