// The usage limits while connected: a limit on the data volume or on the
// connection time counts over the saved connection records and the running
// connection. Once per connection a warning comes past 80 % of it; at the
// limit the user is asked whether to disconnect, or the connection ends by
// itself. The check before connecting belongs to the connect button.
#include "connection/DialController.h"

#include "app/interfaces/DialRecordControlling.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "connection/RecordSettingsKeys.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

// A setting of the "Record" module, null when absent.
ns::Value recordSetting(const ConfigManager& store, const char* key)
{
    return store.getConfigurationByModuleAndKey(record_keys::kRecord, QString::fromLatin1(key));
}

// "recordLimitDisconnect": what happens at the limit.
constexpr int kAskAtLimit = 0;
constexpr int kDisconnectAtLimit = 1;

// Both limit windows: a title line, the message under it, OK at the bottom right.
constexpr double kWindowWidth = 360;
constexpr double kWindowHeight = 150;
constexpr double kMargin = 20;
constexpr double kTitleHeight = 20;
constexpr double kButtonWidth = 90;
constexpr double kButtonHeight = 28;

struct MessageWindow {
    std::unique_ptr<ns::Window> window;
    ns::TextField* title = nullptr;
    ns::TextField* message = nullptr;
    ns::Button* ok = nullptr;
};

MessageWindow messageWindow(ns::Object* target, const QString& action)
{
    MessageWindow built;
    built.window =
        std::make_unique<ns::Panel>(ns::Rect(0, 0, kWindowWidth, kWindowHeight), ns::TitledWindowMask);
    ns::View* content = built.window->contentView();
    const double textWidth = kWindowWidth - 2 * kMargin;
    const double messageBottom = kMargin + kButtonHeight + 8;
    built.title = ns::TextField::labelWithFrame(
        ns::Rect(kMargin, kWindowHeight - kMargin - kTitleHeight, textWidth, kTitleHeight),
        ns::Font::boldSystemFontOfSize(14));
    built.message =
        ns::TextField::labelWithFrame(ns::Rect(kMargin, messageBottom, textWidth,
                                               kWindowHeight - kMargin - kTitleHeight - 6 - messageBottom),
                                      ns::Font::systemFontOfSize(13));
    built.ok = new ns::Button(
        ns::Rect(kWindowWidth - kMargin - kButtonWidth, kMargin - 6, kButtonWidth, kButtonHeight));
    built.ok->setBezelStyle(ns::RoundedBezelStyle);
    built.ok->setKeyEquivalent(QStringLiteral("\r"));
    built.ok->setTarget(target);
    built.ok->setAction(action);
    for (ns::View* view : std::initializer_list<ns::View*>{built.title, built.message, built.ok})
        content->addSubview(view);
    built.window->center();
    return built;
}

// The reused windows take the texts of the language of the moment.
void showTexts(ns::TextField* title, ns::TextField* message, ns::Button* ok, const QString& text)
{
    title->setStringValue(Map_Name_Item_of_IndexString(QStringLiteral("Warning!")));
    message->setStringValue(text);
    ok->setTitle(Map_Name_Item_of_IndexString(QStringLiteral("OK")));
}

} // namespace

void DialController::registerLimitSelectors()
{
    registerSelector("closeLimitWarningPanel:", &DialController::closeLimitWarningPanel);
    registerSelector("reachLimitsMsgOK:", &DialController::reachLimitsMsgOK);
    registerSelector("datausageRest:", &DialController::datausageRest);
}

void DialController::checkRecordLimit()
{
    if (warnLimitFlag)
        recordLimitWarn();
    if (autoDisconnectFlag)
        recordLimitDisconnect();
}

void DialController::recordLimitWarn()
{
    if (switches_.isDisabledLimits())
        return;
    if (g_DialRecordController)
        g_DialRecordController->updateInterface();
    if (configFlag(record_keys::kRecord, QStringLiteral("recordLimitState")))
        recordDataLimitWarn();
    else
        recordTimeLimitWarn();
}

void DialController::recordLimitDisconnect()
{
    if (switches_.isDisabledLimits())
        return;
    if (g_DialRecordController)
        g_DialRecordController->updateInterface();
    if (configFlag(record_keys::kRecord, QStringLiteral("recordLimitState")))
        recordDataLimitDisconnect();
    else
        recordTimeLimitDisconnect();
}

double DialController::runningTotalKilobytes() const
{
    double kilobytes = g_DialRecordController ? g_DialRecordController->getTotalData() : 0;
    // Once a disconnect saved the record, the saved total holds this connection.
    if (!saveRecordFlag)
        kilobytes += (double(m_sendData) + double(m_receiveData)) / 1024;
    return kilobytes;
}

long DialController::runningTotalSeconds() const
{
    long seconds = g_DialRecordController ? g_DialRecordController->gettotalTime() : 0;
    if (!saveRecordFlag)
        seconds += m_connecttime;
    return seconds;
}

void DialController::recordDataLimitWarn()
{
    const ns::Value warn = recordSetting(configStore(), "recordLimitWarn");
    const double limitMB = recordSetting(configStore(), "recordDataLimit").floatValue();
    if (warn.isNull() || limitMB <= 0 || warn.intValue() != 1)
        return;
    const double total = runningTotalKilobytes();
    if (total > limitMB * 0.8 * 1024 && total < limitMB * 1024) {
        warnLimitFlag = false;
        runLimitWarning(localized(QStringLiteral("Total Data is reaching 80 percent of the limit")));
    }
}

void DialController::recordTimeLimitWarn()
{
    const ns::Value warn = recordSetting(configStore(), "recordLimitWarn");
    const double hours = recordSetting(configStore(), "recordTimeLimit").floatValue();
    if (warn.isNull() || hours <= 0 || warn.intValue() != 1)
        return;
    const long limit = long(hours * 3600);
    const long total = runningTotalSeconds();
    if (total > long(double(limit) * 0.8) && total < limit - delayForLimistDisconnect()) {
        warnLimitFlag = false;
        runLimitWarning(localized(QStringLiteral("Total Time is reaching 80 percent of the limit")));
    }
}

void DialController::recordDataLimitDisconnect()
{
    const double limitMB = recordSetting(configStore(), "recordDataLimit").floatValue();
    if (recordSetting(configStore(), "recordLimitDisconnect").isNull() || limitMB <= 0)
        return;
    if (runningTotalKilobytes() >= limitMB * 1024 && autoDisconnectFlag)
        runLimitAction();
}

void DialController::recordTimeLimitDisconnect()
{
    const double hours = recordSetting(configStore(), "recordTimeLimit").floatValue();
    if (recordSetting(configStore(), "recordLimitDisconnect").isNull() || hours <= 0)
        return;
    if (runningTotalSeconds() >= long(hours * 3600 - delayForLimistDisconnect()) && autoDisconnectFlag)
        runLimitAction();
}

void DialController::runLimitAction()
{
    const int action = recordSetting(configStore(), "recordLimitDisconnect").intValue();
    if (action == kAskAtLimit) {
        autoDisconnectFlag = false;
        if (NSRunAlertPanelExt(
                localized(QStringLiteral("Warning!")),
                localized(QStringLiteral("Preset limit has been reached. Do you want to disconnect?")),
                localized(QStringLiteral("OK")), localized(QStringLiteral("Cancel"))) == 1)
            limitDisconnect();
    } else if (action == kDisconnectAtLimit) {
        autoDisconnectFlag = false;
        showReachLimitsMsg();
        limitDisconnect();
    }
}

void DialController::limitDisconnect()
{
    // The question runs while the link goes on; one that ended meanwhile is
    // not to be connected again by the answer.
    if (connectStatus_ == Idle || connectStatus_ == Disconnecting)
        return;
    // One action: a second one, for the simple window's button, would act on
    // the state the first one leaves.
    DialOption(m_ConnectButton ? m_ConnectButton : btnConnectSimple);
}

// ---- the windows ----

void DialController::buildLimitWarningWindow()
{
    if (wndLimitWarning_)
        return;
    MessageWindow built = messageWindow(this, QStringLiteral("closeLimitWarningPanel:"));
    wndLimitWarning_ = std::move(built.window);
    labelLimitWarning_ = built.title;
    labelLimitWarningMsg_ = built.message;
    btnLimintPanelOK_ = built.ok;
}

void DialController::buildReachLimitsWindow()
{
    if (reachLimitsMsg)
        return;
    MessageWindow built = messageWindow(this, QStringLiteral("reachLimitsMsgOK:"));
    reachLimitsMsg = std::move(built.window);
    labelReachLimitsTitle_ = built.title;
    labelReachLimitsMsg_ = built.message;
    btnReachLimitsOK_ = built.ok;
}

void DialController::runLimitWarning(const QString& message)
{
    buildLimitWarningWindow();
    showTexts(labelLimitWarning_, labelLimitWarningMsg_, btnLimintPanelOK_, message);
    wndLimitWarning_->setLevel(ns::ModalPanelWindowLevel);
    wndLimitWarning_->orderFrontKeepingKey(this);
}

void DialController::showReachLimitsMsg()
{
    buildReachLimitsWindow();
    showTexts(
        labelReachLimitsTitle_, labelReachLimitsMsg_, btnReachLimitsOK_,
        localized(QStringLiteral("Preset limit has been reached. The connection will be disconnected.")));
    reachLimitsMsg->setLevel(ns::ModalPanelWindowLevel);
    reachLimitsMsg->makeKeyAndOrderFront(this);
}

void DialController::closeLimitWarningPanel(ns::Object*)
{
    if (wndLimitWarning_)
        wndLimitWarning_->orderOut(this);
}

void DialController::reachLimitsMsgOK(ns::Object*)
{
    if (reachLimitsMsg)
        reachLimitsMsg->orderOut(this);
}

void DialController::datausageRest(ns::Notification*)
{
    m_sendData = 0;
    m_receiveData = 0;
}
