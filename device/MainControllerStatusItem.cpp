// The status-bar item (its still images by connection state and its
// animations by message type), the cell-broadcast window and the local web page.
#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SmsServicing.h"
#include "app/ui/status/StatusBarView.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

namespace
{

const QString kNormalSMSAnimation = QStringLiteral("Normal_SMS_Arrive1");
const QString kFlowValueSMSAnimation = QStringLiteral("FlowValue_SMS_Arrive1");
constexpr int kSMSAnimationFrames = 2;
const QString kGotoSMS = QStringLiteral("gotoSMSUIOfCompleteWnd");

} // namespace

void MainController::initSysStatusBarItem()
{
    if (!settingDict_.value(QStringLiteral("NeedSystemStatusItem")).boolValue())
        return;
    viewSysStatusItem_ = std::make_unique<StatusBarView>();
    const ns::Image image = ns::Image::imageNamed(QStringLiteral("SysStatusItem.PNG"));
    if (image.isNull())
        return;
    viewSysStatusItem_->setImage(image);

    auto menu = std::make_unique<ns::Menu>(QStringLiteral("SysStatusItem"));
    menuSysStatusItem_ = menu.get();
    addMenuItem(menuSysStatusItem_, QStringLiteral("Title"), QStringLiteral("reopenApplication:"));
    menuSysStatusItem_->addItem(ns::MenuItem::separatorItem());
    addMenuItem(menuSysStatusItem_, QStringLiteral("Internet"), QStringLiteral("gotoInternet:"));
    addMenuItem(menuSysStatusItem_, QStringLiteral("SMS"), QStringLiteral("gotoSMS:"));
    menuSysStatusItem_->addItem(ns::MenuItem::separatorItem());
    addMenuItem(menuSysStatusItem_, QStringLiteral("Quit"), QStringLiteral("closeApp:"));
    viewSysStatusItem_->setMenu(std::move(menu));
}

void MainController::startAnimationInStatusViewWithAnimaitonPath(const QString& path, int frames)
{
    if (!viewSysStatusItem_)
        return;
    viewSysStatusItem_->stopAnimation();
    viewSysStatusItem_->setAnimationSequenceImageNumber(frames);
    viewSysStatusItem_->setAnimationImagesPath(path);
    viewSysStatusItem_->startAnimation();
}

void MainController::freshStatusViewWhenNormalSMSArrive()
{
    if (!viewSysStatusItem_)
        return;
    startAnimationInStatusViewWithAnimaitonPath(kNormalSMSAnimation, kSMSAnimationFrames);
    if (viewSysStatusItem_->statusItem()) {
        viewSysStatusItem_->setTarget(this);
        viewSysStatusItem_->setAction(kGotoSMS);
    }
}

void MainController::freshStatusViewWhenFlowValueSMSArrive()
{
    if (!viewSysStatusItem_)
        return;
    startAnimationInStatusViewWithAnimaitonPath(kFlowValueSMSAnimation, kSMSAnimationFrames);
    if (viewSysStatusItem_->statusItem()) {
        viewSysStatusItem_->setTarget(this);
        viewSysStatusItem_->setAction(kGotoSMS);
    }
}

void MainController::freshStatusViewWhenNewSMSArrive()
{
    if (!viewSysStatusItem_ || !g_SmsService)
        return;
    if (g_SmsService->typeOfNewSms() == SmsServicing::kNormalSmsType)
        freshStatusViewWhenNormalSMSArrive();
    else
        freshStatusViewWhenFlowValueSMSArrive();
}

void MainController::freshStatusViewWhenSMSReaded()
{
    if (!viewSysStatusItem_ || !g_SmsService)
        return;
    const int type = g_SmsService->typeOfNewSms();
    if (g_SmsService->checkPosIsContainTypeSMS(SMSControlling::PositionPC, type) ||
        g_SmsService->checkPosIsContainTypeSMS(SMSControlling::PositionSIM, type))
        return;
    if (type == SmsServicing::kNormalSmsType)
        freshStatusViewWhenFlowValueSMSArrive();
    else
        freshStatusViewWhenNormalSMSArrive();
}

void MainController::freshStatusViewWhenDialStatusChanged()
{
    const ConfigService config(configStore());
    if (!viewSysStatusItem_ || !config.isFreshStatusViewWhenConnectStatusChanged() || !g_DialController)
        return;
    if (config.isFreshStatusViewWhenNewSMSArrive() && g_SMSController &&
        (g_SMSController->hasNewSMSInPos(SMSControlling::PositionPC) ||
         g_SMSController->hasNewSMSInPos(SMSControlling::PositionSIM)))
        return;
    freshStatusViewToStaticViewAccorindToDialStatus(g_DialController->connectStatus());
}

void MainController::freshStatusViewToStaticViewAccorindToDialStatus(int status)
{
    if (!viewSysStatusItem_)
        return;
    if (status == DialControlling::Idle)
        setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItemDisConnected.PNG"));
    else if (status == DialControlling::Connected)
        setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItemConnected.PNG"));
    viewSysStatusItem_->setAction(QString());
}

void MainController::freshStatusViewWhenInitialController()
{
    if (!viewSysStatusItem_ || !g_SMSController || !g_SmsService ||
        !g_SMSController->hasNewSMSInPos(SMSControlling::PositionPC))
        return;
    if (g_SmsService->getFlowValueInfoFromFile() != 2 && g_SmsService->isOverDueFlowValueSms())
        g_SMSController->doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime();
    if (!ConfigService(configStore()).isFreshStatusViewWhenNewSMSArrive())
        return;
    g_SmsService->getUnreadSMSInPos(SMSControlling::PositionPC,
                                    g_SmsService->getPCBoxListWithBox(SmsServicing::kInBox));
    if (g_SmsService->checkPosIsContainTypeSMS(SMSControlling::PositionPC, 0) ||
        g_SmsService->checkPosIsContainTypeSMS(SMSControlling::PositionPC, 1))
        freshStatusViewWhenFlowValueSMSArrive();
    else
        freshStatusViewWhenNormalSMSArrive();
}

void MainController::setImageOfStatusBarViewWithImageName(const QString& name)
{
    const ns::Image image = ns::Image::imageNamed(name);
    if (viewSysStatusItem_ && !image.isNull())
        viewSysStatusItem_->setImage(image);
}

// ---- cell broadcast ----

void MainController::receiveSMSBroadCast(ns::Notification* notification)
{
    const QString text =
        notification
            ? notification->userInfo().value(QStringLiteral("ReceiveBroadCastNotification")).toString()
            : QString();
    if (text.isEmpty())
        return;
    setBroadcastMsg(text);
    wndBroadcastReport_->orderFront(this);
}

void MainController::setBroadcastMsg(const QString& message)
{
    tfdBroadCast_->setStringValue(message);
}

// ---- the local page ----

void MainController::refreshWebView()
{
    if (webViewForShowLocalWebUI_)
        webViewForShowLocalWebUI_->setMainFrameURL(ns::Bundle::mainBundle().resourcePath() +
                                                   QStringLiteral("/index.html"));
}
