// The main window's skin set-up (the normal, mini and smart layouts and the
// skinned toolbar), its registrations with the skin manager, and the
// notifications and messages it subscribes to.
#include "device/MainController.h"

#include "app/ui/controller/ObserverTable.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "device/InitNotifications.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

namespace
{

const ObserverTableEntry MainControllerNotificationTable[] = {
    {"updateStkTooltip:", "UpdateStkToolTip"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {nullptr, nullptr},
};

// The network type as the compact skins word it.
QString compactNetworkName(const QString& network)
{
    if (network == u"HSDPA" || network == u"HSUPA")
        return QStringLiteral("HSPA");
    if (network == u"UMTS")
        return QStringLiteral("3G");
    return network;
}

} // namespace

void MainController::initializeSkin()
{
    if (!jovSkinManager)
        return;
    const ns::Dictionary uiConfig = uiConfigDict();
    if (uiConfig.value(QStringLiteral("MiniUI")).boolValue())
        initializeMiniSkin();
    else if (uiConfig.value(QStringLiteral("SmartUI")).boolValue())
        initializeSmartSkin();
    else
        initializeNormalSkin();

    const QList<QPair<ns::Object*, QString>> nibControls = {
        {btnCancelForZudera_, QStringLiteral("btnCancelCloseMainWindow")},
        {btnQuitForZudera_, QStringLiteral("btnQuitAppCloseMainWindow")},
        {btnShutDownForZudera_, QStringLiteral("btnShutDownCloseMainWindow")},
        {windowOfCloseAppForZudera_->contentView(), QStringLiteral("viewOfCloseAppForZudera")},
        // the customer form
        {wndUserRegiste_.get(), QStringLiteral("wndOfUserRegisteForZudera")},
        {btnSendUserInfo_, QStringLiteral("btnOfSendUserInfoForZudera")},
        {btnExitUserInfo_, QStringLiteral("btnOfExitUserInfoForZudera")},
        {btnCalendarUserInfo_, QStringLiteral("btnOfCalendarUserInfoForZudera")},
        {wndDialRecord_.get(), QStringLiteral("wndOfdialRecord")},
        {wndSetting_.get(), QStringLiteral("wndOfSetting")},
        {ussdBalancewnd_.get(), QStringLiteral("ussdBalancewndSkin_")},
    };
    for (const auto& [control, key] : nibControls)
        jovSkinManager->registerController(control, key, true);
    registerOperatorSkinControls();
}

bool MainController::moveIntoSkinView(ns::View* view, const QString& key, ns::View* parent)
{
    // A skin without the item leaves the view where the nib put it.
    if (!view || !parent || !jovSkinManager->hasKey(key))
        return false;
    view->removeFromSuperview();
    return registerController(view, key, parent);
}

void MainController::initializeNormalSkin()
{
    ns::View* content = wndMain->contentView();
    jovSkinManager->registerController(wndMain, QStringLiteral("wndMain"), true);

    NSViewExt* toolbarView = createNSViewExtByKey(QStringLiteral("wndMainToolbar"), content);
    if (toolbarView) {
        initializeBtnsOfView(toolbarView, QStringLiteral("ToolbarItems"));
        jovSkinManager->updateItem(toolbarView);
        cacheToolbarButtons(toolbarView);
        moveIntoSkinView(viewextProviderLogo_, QStringLiteral("viewextProviderLogo"), toolbarView);
    }

    NSViewExt* titlebar = createNSViewExtByKey(QStringLiteral("wndMainTitlebar"), content);
    if (uiConfigDict().value(QStringLiteral("addTitleButtonsInToolbar")).boolValue())
        initializeBtnsOfView(toolbarView, QStringLiteral("TitlebarItems"));
    else
        initializeBtnsOfView(titlebar, QStringLiteral("TitlebarItems"));
    moveIntoSkinView(textfieldWindowTitle_, QStringLiteral("labelMainTitle"), titlebar);
    if (moveIntoSkinView(textfieldTabviewItemTitle_, QStringLiteral("lableTabviewTitle"), titlebar))
        textfieldTabviewItemTitle_->setStringValue(QString());
    // The nib's title strip is empty once the skin's title bar holds its texts.
    if (titlebar && viewTitle_->subviews().isEmpty())
        viewTitle_->setHidden(true);

    NSViewExt* bottom = createNSViewExtByKey(QStringLiteral("wndMainBottomView"), content);
    moveIntoSkinView(viewStatus_, QStringLiteral("wndMainStatusView"), bottom);
    NSViewExt* tabBack =
        createNSViewExtByKey(QStringLiteral("wndMainTabviewBack"), bottom ? bottom : content);
    moveIntoSkinView(tabviewMain, QStringLiteral("wndMainTabview"), tabBack);

    if (uiConfigDict().value(QStringLiteral("NeedRightbar")).boolValue())
        if (NSViewExt* rightbar = createNSViewExtByKey(QStringLiteral("rightbar"), content))
            initializeBtnsOfView(rightbar, QStringLiteral("RightbarItems"));

    selectTab(QStringLiteral("Internet"));
    textfieldTabviewItemTitle_->setStringValue(wording(QStringLiteral("Internet_TITLE")));
}

void MainController::cacheToolbarButtons(ns::View* toolbarView)
{
    toolbarItemsArray.clear();
    for (ns::View* view : toolbarView->subviews())
        if (auto* button = dynamic_cast<NSFlickerButton*>(view))
            toolbarItemsArray.append(button);
}

void MainController::insertUSSDToobarItem(int state)
{
    static const char* const kSkinNameKeys[] = {"CurrentSkinName2", "CurrentSkinName", "CurrentSkinName1"};
    if (!jovSkinManager || state < 0 || state > 2)
        return;
    jovSkinManager->loadUIResource(
        uiConfigDict().value(QString::fromLatin1(kSkinNameKeys[state])).toString());
    auto* toolbarView = jovSkinManager->controllerByKey<ns::View>(QStringLiteral("wndMainToolbar"));
    if (!toolbarView)
        return;
    for (ns::Object* object : toolbarItemsArray) {
        jovSkinManager->removeController(object);
        if (auto* button = dynamic_cast<ns::View*>(object)) {
            button->removeFromSuperview();
            button->deleteLater();
        }
    }
    toolbarItemsArray.clear();
    initializeBtnsOfView(toolbarView, QStringLiteral("ToolbarItems"));
    jovSkinManager->updateItem(toolbarView);
    cacheToolbarButtons(toolbarView);
    toolbarView->display();
}

// ---- the compact skins ----

void MainController::registerUINotifications()
{
    notificationCenter.addObserver(this, QStringLiteral("showSignalStrength:"), kSingalStrength, nullptr);
    notificationCenter.addObserver(this, QStringLiteral("showNetworkStatus:"), kNetworkStatus, nullptr);
}

void MainController::showSignalStrength(ns::Notification* notification)
{
    if (notification && jovSkinManager)
        jovSkinManager->setImageForKeyImageID(QStringLiteral("imageviewSingal"),
                                              notification->userInfo().value(kSingalStrength).intValue(),
                                              true);
}

void MainController::showNetworkStatus(ns::Notification* notification)
{
    if (!notification || !jovSkinManager)
        return;
    if (auto* label = jovSkinManager->controllerByKey<ns::TextField>(QStringLiteral("labelNetworkStatus")))
        label->setStringValue(compactNetworkName(notification->userInfo().value(kNetworkStatus).toString()));
}

void MainController::initializeMiniSkin()
{
    registerUINotifications();
    jovSkinManager->registerController(wndMainPopup, QStringLiteral("wndMainPopup"), true);
    moveIntoSkinView(viewStatus_, QStringLiteral("wndMainStatusView"), wndMainPopup->contentView());
    moveIntoSkinView(tabviewMain, QStringLiteral("wndMainTabview"), wndMainPopup->contentView());
    jovSkinManager->registerController(wndMain, QStringLiteral("wndMain"), true);
    ns::View* content = wndMain->contentView();
    viewTitle_->setHidden(true);
    initializeBtnsOfView(content, QStringLiteral("TitlebarItems"));
    initializeBtnsOfView(content, QStringLiteral("ToolbarItems"));
    initializeImageViewOfView(content, QStringLiteral("MiniUIImageViews"));
}

void MainController::closeMainPopupWindow(ns::Object*)
{
    wndMainPopup->close();
}

void MainController::btnDialConnectExt(ns::Object*)
{
    notificationCenter.postNotificationName(QStringLiteral("dialOption"), this);
}

void MainController::initializeSmartSkin()
{
    registerUINotifications();
    viewStatus_->setHidden(true);
    viewTitle_->setHidden(true);
    tabviewMain->removeFromSuperview();
    jovSkinManager->registerController(wndMain, QStringLiteral("wndMain"), true);
    ns::View* content = wndMain->contentView();

    if (NSViewExt* top = createNSViewExtByKey(QStringLiteral("viewTopFixed"), content)) {
        initializeBtnsOfView(top, QStringLiteral("btnsInViewTopFixed"));
        if (auto* connect = jovSkinManager->controllerByKey<ns::Control>(QStringLiteral("btnDialConnectExt")))
            connect->setEnabled(false);
        initializeLabelsOfView(top, QStringLiteral("labesInViewTopFixed"));
        initializeImageViewOfView(top, QStringLiteral("imageViewsInViewTopFixed"));
        auto* webView = new ns::WebView;
        if (!registerController(webView, QStringLiteral("webViewInTopFixed"), top))
            delete webView;
    }
    if (NSViewExt* middle = createNSViewExtByKey(QStringLiteral("viewMiddleChangeable"), content))
        registerController(tabviewMain, QStringLiteral("wndMainTabview"), middle);
    if (NSViewExt* bottom = createNSViewExtByKey(QStringLiteral("viewBottomFixed"), content)) {
        initializeBtnsOfView(bottom, QStringLiteral("btnsInViewBottomFixed"));
        initializeLabelsOfView(bottom, QStringLiteral("labelsInViewBottomFixed"));
    }

    // The smart skin's pages replace the nib's.
    while (tabviewMain->numberOfTabViewItems() > 0)
        tabviewMain->removeTabViewItem(tabviewMain->tabViewItemAtIndex(0));
    webViewForShowLocalWebUI_ = nullptr;
    initializeTabViewItemOfView(tabviewMain, QStringLiteral("tabViewItemArray"));

    if (selectTab(QStringLiteral("HomePage"))) {
        ns::TabViewItem* home = tabviewMain->tabViewItemAtIndex(
            tabviewMain->indexOfTabViewItemWithIdentifier(QStringLiteral("HomePage")));
        auto* webView = new ns::WebView;
        if (!registerController(webView, QStringLiteral("webViewInHomePage"), home->view()))
            delete webView;
    }
    changeMainTabViewItemSize(QStringLiteral("HomePage"));
    wndMain->center();
}

// ---- subscriptions ----

void MainController::registerMessages()
{
    notificationCenter.addObserver(this, QStringLiteral("receiveSMSBroadCast:"),
                                   QStringLiteral("ReceiveBroadCastNotification"), nullptr);
    notificationCenter.addObserver(this, QStringLiteral("refreshWebView"),
                                   QStringLiteral("LoadImageFormURLOver"), nullptr);
    registerNotification(MainControllerNotificationTable);
}
