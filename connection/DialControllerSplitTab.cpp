// The split Internet tab: a pre-connection page with the connect controls
// while idle and a post-connection page with the operator's banners, links
// and web views while connected, switched with the connection's state and
// followed by the main tab view's changes.
#include "connection/DialController.h"

#include "app/ui/widgets/NSDictionaryExt.h"
#include "connection/Dovure/InternetTabWebPolicy.h"
#include "connection/Dovure/WebLinkImageView.h"
#include "connection/Dovure/WebViewUtilities.h"
#include "connection/Dovure/WeblinkUpdateUtilities.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/TabView.h"

namespace
{

const QString kPreInternet = QStringLiteral("PreInternet");
const QString kPostInternet = QStringLiteral("PostInternet");
const QString kInternetPage = QStringLiteral("Internet");
// The link refresh waits this long after a connection comes up.
constexpr double kUpdateWebLinkDelay = 5.0;

} // namespace

void DialController::registerWebTabSelectors()
{
    registerSelector("closefavoriteIconHintWindow:", &DialController::closefavoriteIconHintWindow);
    registerSelector("stopNotifyHintClicked:", &DialController::stopNotifyHintClicked);
}

bool DialController::isSplitConnectionProcess() const
{
    return configFlag(QString(), QStringLiteral("EnableSplitConnectionProcess"));
}

bool DialController::isDovureSplit() const
{
    return configFlag(QString(), QStringLiteral("DovureSplit"));
}

QString DialController::idleSplitTabIdentifier() const
{
    return isDovureSplit() ? kPostInternet : kPreInternet;
}

void DialController::initSplitConnectionProcess()
{
    if (!isSplitConnectionProcess())
        return;
    detachWebviews();
    // The banners shown below come from the link list, so it is read first.
    initWebDownloadAndLinkUpdateUtilitiesOfEntertain();
    loadFavoritesLinkPropeties();
    initSplitConnectionProcessForDovure();
    setPostConnectBtnTitle();
    if (tabviewMain)
        tabviewMain->setDelegate(this);
}

void DialController::initSplitConnectionProcessForDovure()
{
    if (!internetSwitchTab_)
        return;
    if (!isDovureSplit()) {
        internetSwitchTab_->selectTabViewItemWithIdentifier(kPreInternet);
        return;
    }
    internetSwitchTab_->selectTabViewItemWithIdentifier(kPostInternet);
    attachWebviewWithDelegates(internetTabWebPolicy());
    loadCurrentIconAndFlash();
    loadFavouriteBtnWebKitViews();
}

void DialController::switchInternetTabAction()
{
    if (!isSplitConnectionProcess() || !internetSwitchTab_)
        return;
    setPostConnectBtnTitle();
    if (connectStatus_ == Connected) {
        internetSwitchTab_->selectTabViewItemWithIdentifier(kPostInternet);
        attachWebviewWithDelegates(internetTabWebPolicy());
        // The stored banner and animations show until the refresh brings newer ones.
        loadCurrentIconAndFlash();
        hintFavoriteIconConfigrable();
        startUpdateWebLinkTimer();
    } else if (connectStatus_ == Idle) {
        internetSwitchTab_->selectTabViewItemWithIdentifier(idleSplitTabIdentifier());
        closefavoriteIconHintWindow(nullptr);
    }
}

void DialController::startUpdateWebLinkTimer()
{
    ns::invalidateAndRelease(updateWebLinkTimer_);
    updateWebLinkTimer_ = ns::Timer::scheduledTimer(
        kUpdateWebLinkDelay, false, [this](ns::Timer& timer) { UpdateWebLinkTimerFired(&timer); });
}

void DialController::UpdateWebLinkTimerFired(ns::Timer*)
{
    updateWebLinkTimer_.reset();
    WeblinkUpdateUtilities::sharedUpdateManager().startUpdateWebLinks();
}

void DialController::willSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item)
{
    performSwitchTabActionForDovure(tabView, item);
}

void DialController::didSelectTabViewItem(ns::TabView* tabView, ns::TabViewItem* item)
{
    performSwitchTabActionForDovure(tabView, item);
}

void DialController::performSwitchTabActionForDovure(ns::TabView* tabView, ns::TabViewItem* item)
{
    if (!tabView || tabView != tabviewMain)
        return;
    const bool showsPostInternet = internetSwitchTab_ && internetSwitchTab_->selectedTabViewItem() &&
                                   internetSwitchTab_->selectedTabViewItem()->identifier() == kPostInternet;
    if (item && item == tabView->selectedTabViewItem() && item->identifier() == kInternetPage &&
        showsPostInternet) {
        attachWebviewWithDelegates(internetTabWebPolicy());
        hintFavoriteIconConfigrable();
    } else {
        closefavoriteIconHintWindow(nullptr);
    }
}

void DialController::attachWebviewWithDelegates(WebViewDelegate* delegate)
{
    WebViewUtilities& utilities = WebViewUtilities::sharedManager();
    // A top-level rectangle {"X", "Y", "W", "H"}; the empty one at 0,0 when missing.
    const auto rectOfSetting = [this](const char* key) {
        return NSDictionaryExt::frameOf(
            configStore().getConfigurationByModule(QString::fromLatin1(key)).toDictionary());
    };
    if (!promoWebkitView_)
        promoWebkitView_ = utilities.attachWebviewWithFrameRect(rectOfSetting("PromoWebViewRect"),
                                                                bgContainerView_, delegate);
    if (!homepageView_)
        homepageView_ = utilities.attachWebviewWithFrameRect(rectOfSetting("HomePageWebViewRect"),
                                                             bgupWeblinkView_, delegate);
}

void DialController::detachWebviews()
{
    for (QPointer<ns::WebView>* view : {&promoWebkitView_, &homepageView_}) {
        WebViewUtilities::sharedManager().detachSubWebview(view->data());
        *view = nullptr;
    }
}

WebViewDelegate* DialController::internetTabWebPolicy()
{
    if (!internetTabWebPolicy_)
        internetTabWebPolicy_ = std::make_unique<InternetTabWebPolicy>([this] {
            InternetTabWebPolicy::Rules rules;
            rules.splitProcess = isSplitConnectionProcess();
            rules.smartUI = isSmartUI();
            rules.indonesiaZEZ = uiConfigDict().value(QStringLiteral("IndonesiaZEZ")).boolValue();
            rules.mainPage = mainPageAddress(true);
            return rules;
        });
    return internetTabWebPolicy_.get();
}
