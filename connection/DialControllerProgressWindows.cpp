// The small windows around a connection attempt, each switched on by an
// operator setting of "Internet": the animated connecting or disconnecting
// window with its cancel button, the connect-failed window with redial, the
// connected indicator, the failure alert, the roaming question, the
// connect-warnings sheet and the device-lock gate. The windows are built
// here in code on first use.
#include "connection/DialController.h"

#include "app/interfaces/InitControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");
// The animation: frames "Stategif1.png" to "Stategif10.png", one every 0.1 s.
constexpr int kFrameCount = 10;
constexpr double kFrameInterval = 0.1;
// Lets the sheet close before the connect action starts.
constexpr double kConnectAfterWarningDelay = 0.05;

const char* const kRoamQuestion =
    "Dear customer.\nYou are about to connect to a roaming network.\nPlease note, that this may cause "
    "additional roaming charges.\nDo you want to disconnect now?";

// A small window: the animation on the left, the text beside it and the
// buttons (title key, action) at the bottom right, the first rightmost.
struct SmallWindow {
    std::unique_ptr<ns::Window> window;
    ns::ImageView* animation = nullptr;
    ns::TextField* text = nullptr;
    QList<ns::Button*> buttons;
};

SmallWindow buildSmallWindow(double width, bool animated, ns::Object* target,
                             const QList<QPair<QString, QString>>& buttons)
{
    constexpr double kHeight = 110;
    constexpr double kMargin = 20;
    constexpr double kFrameSide = 32;
    SmallWindow built;
    built.window = std::make_unique<ns::Window>(ns::Rect(0, 0, width, kHeight), ns::TitledWindowMask);
    built.window->setTitle(Map_Name_Item_of_IndexString(QStringLiteral("Connection")));
    ns::View* content = built.window->contentView();
    double textLeft = kMargin;
    if (animated) {
        built.animation = new ns::ImageView(ns::Rect(kMargin, 56, kFrameSide, kFrameSide));
        content->addSubview(built.animation);
        textLeft += kFrameSide + 12;
    }
    built.text = ns::TextField::labelWithFrame(ns::Rect(textLeft, 62, width - textLeft - kMargin, 20),
                                               ns::Font::systemFontOfSize(13));
    content->addSubview(built.text);
    double right = width - kMargin;
    for (const auto& [title, action] : buttons) {
        auto* button = new ns::Button(ns::Rect(right - 96, 14, 96, 28));
        button->setBezelStyle(ns::RoundedBezelStyle);
        button->setTitle(Map_Name_Item_of_IndexString(title));
        button->setTarget(target);
        button->setAction(action);
        content->addSubview(button);
        built.buttons << button;
        right -= 96 + 8;
    }
    built.window->center();
    return built;
}

} // namespace

// ---- the connecting and disconnecting window ----

void DialController::buildConnectStateWindow()
{
    if (windowOfConnectStateForZudera_)
        return;
    SmallWindow built = buildSmallWindow(
        360, true, this, {{QStringLiteral("Cancel"), QStringLiteral("cancelCurrentConnectOperate:")}});
    windowOfConnectStateForZudera_ = std::move(built.window);
    imageViewOfProgressIndicator_ = built.animation;
    labelConnectStateOfForZudera_ = built.text;
    btnOfCancelConnectOperateForZudera_ = built.buttons.first();
}

void DialController::openConnectStateWindowForZudera(bool show)
{
    if (!configFlag(kInternet, QStringLiteral("OpenWindoOfConectOrDisConnectNetForZudera")))
        return;
    buildConnectStateWindow();
    if (connectStatus_ == Connecting) {
        btnOfCancelConnectOperateForZudera_->setEnabled(true);
        labelConnectStateOfForZudera_->setStringValue(
            localized(QStringLiteral("Connecting Zudera Internet")));
    } else if (connectStatus_ == Disconnecting) {
        btnOfCancelConnectOperateForZudera_->setEnabled(false);
        labelConnectStateOfForZudera_->setStringValue(localized(QStringLiteral("Disconnecting...")));
    }
    if (show) {
        countOfConnectStateImage_ = 1;
        windowOfConnectStateForZudera_->orderFront(this);
        startProgressIndicator();
    } else {
        windowOfConnectStateForZudera_->orderOut(this);
        stopProgressIndicator();
    }
}

void DialController::closeZuderaConnectStateWindow(ns::Object*)
{
    openConnectStateWindowForZudera(false);
}

void DialController::cancelCurrentConnectOperate(ns::Object* sender)
{
    if (connectStatus_ == Connecting)
        DialOption(sender);
    closeZuderaConnectStateWindow(sender);
}

void DialController::startAnimationTimer(std::shared_ptr<ns::Timer>& timer)
{
    ns::invalidateAndRelease(timer);
    timer = ns::Timer::scheduledTimer(
        kFrameInterval, true, [this](ns::Timer&) { setProgressIndicatorWhenConnectStateChangeForZudera(); });
}

void DialController::startProgressIndicator()
{
    startAnimationTimer(timerOfProgressIndicator_);
}

void DialController::stopProgressIndicator()
{
    ns::invalidateAndRelease(timerOfProgressIndicator_);
}

void DialController::startTimerForConnectFailed()
{
    startAnimationTimer(timerOfConnectFailed_);
}

void DialController::stopTimerForConnectFailed()
{
    ns::invalidateAndRelease(timerOfConnectFailed_);
}

void DialController::setProgressIndicatorWhenConnectStateChangeForZudera()
{
    if (!configFlag(kInternet, QStringLiteral("SetProgressIndicatorImage")))
        return;
    if (countOfConnectStateImage_ < 1 || countOfConnectStateImage_ > kFrameCount) {
        stopProgressIndicator();
        stopTimerForConnectFailed();
        return;
    }
    const ns::Image frame =
        ns::Image::imageNamed(QStringLiteral("Stategif%1.png").arg(countOfConnectStateImage_));
    for (ns::ImageView* view : {imageViewOfProgressIndicator_, imageViewOfConnectFailed_})
        if (view)
            view->setImage(frame);
    countOfConnectStateImage_ = countOfConnectStateImage_ % kFrameCount + 1;
}

// ---- failure ----

void DialController::buildConnectFailedWindow()
{
    if (windowOfConnectFailedForZudera_)
        return;
    SmallWindow built =
        buildSmallWindow(440, true, this,
                         {{QStringLiteral("Redial"), QStringLiteral("redialWhenConnectFailed:")},
                          {QStringLiteral("Close"), QStringLiteral("closeConnectFailedWindow:")}});
    windowOfConnectFailedForZudera_ = std::move(built.window);
    imageViewOfConnectFailed_ = built.animation;
    labelOfConnectStateWhenConnectFailed_ = built.text;
    btnOfRedialWhenConnectFailed_ = built.buttons.at(0);
    btnCloseAlertWindowWhenConnectFailed_ = built.buttons.at(1);
}

void DialController::openConnectFailedWindow()
{
    if (configFlag(kInternet, QStringLiteral("OpenConnectFailedWindow")))
        NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                           localized(QStringLiteral("Cannot connect, please try again later")),
                           localized(QStringLiteral("OK")), QString());
    if (!configFlag(kInternet, QStringLiteral("Internet_OpenConnectFailedWindowForZudera")))
        return;
    buildConnectFailedWindow();
    labelOfConnectStateWhenConnectFailed_->setStringValue(
        localized(QStringLiteral("The device has been disconnected or is unavailable")));
    windowOfConnectFailedForZudera_->orderFront(this);
    countOfConnectStateImage_ = 1;
    startTimerForConnectFailed();
}

void DialController::closeConnectFailedWindow(ns::Object*)
{
    if (windowOfConnectFailedForZudera_)
        windowOfConnectFailedForZudera_->orderOut(this);
    stopTimerForConnectFailed();
}

void DialController::redialWhenConnectFailed(ns::Object* sender)
{
    closeConnectFailedWindow(sender);
    DialOption(sender);
}

void DialController::setConnectStateForZudera(bool connected)
{
    if (!imageViewOfConnectStatesForZudera_ ||
        !configFlag(kInternet, QStringLiteral("SetConnectStateForZudera")))
        return;
    imageViewOfConnectStatesForZudera_->setImage(ns::Image::imageNamed(
        connected ? QStringLiteral("DataConnected") : QStringLiteral("DataNotConnected")));
    imageViewOfConnectStatesForZudera_->setToolTip(
        localized(connected ? QStringLiteral("Data connected") : QStringLiteral("Data not connected")));
}

// ---- questions before the connect action ----

bool DialController::dialDisconnectWhenRoamForZudera()
{
    if (!g_InitControlling || g_InitControlling->networkRoamStatus() != 0 ||
        !configFlag(kInternet, QStringLiteral("DialDisconnectWhenRoam")))
        return true;
    return NSRunAlertPanelExt(localized(QStringLiteral("Warning")),
                              localized(QString::fromLatin1(kRoamQuestion)), localized(QStringLiteral("OK")),
                              localized(QStringLiteral("Cancel"))) == 1;
}

void DialController::buildConnectWarningWindow()
{
    if (wndConnectWarning_)
        return;
    SmallWindow built = buildSmallWindow(
        440, false, this, {{QStringLiteral("OK"), QStringLiteral("connectWarningWinOKClicked:")}});
    built.text->setStringValue(
        localized(QStringLiteral("Connecting may cause charges, above all when roaming.")));
    wndConnectWarning_ = std::move(built.window);
}

void DialController::beginConnectWarningSheet()
{
    buildConnectWarningWindow();
    if (!wndMain || !ns::Application::sharedApplication().beginSheet(wndConnectWarning_.get(), wndMain))
        wndConnectWarning_->makeKeyAndOrderFront(this);
}

void DialController::connectWarningWinOKClicked(ns::Object* sender)
{
    setConnectWarningsDisplayFlag(false);
    if (wndConnectWarning_->isSheet())
        ns::Application::sharedApplication().endSheet(wndConnectWarning_.get());
    wndConnectWarning_->orderOut(this);
    ns::performSelectorAfterDelay(this, QStringLiteral("performDialOption:"), sender,
                                  kConnectAfterWarningDelay);
}

// ---- the device lock ----

bool DialController::deviceLockDialOption()
{
    if (!configFlag(QString(), QStringLiteral("DeviceLockDialFunction")) || !g_SettingController ||
        !g_SettingController->getDeviceUnlockCodeState() || !g_InitControlling)
        return false;
    g_InitControlling->openUnlockDeviceWindow(wndMain);
    g_InitControlling->setDeviceLockFunctionModule(0);
    return true;
}

void DialController::notifyDeviceUnlockSuccess(ns::Notification*)
{
    if (!g_InitControlling || g_InitControlling->getDeviceLockFunctionModule() != 0)
        return;
    DialOption(&deviceLockSender_);
}
