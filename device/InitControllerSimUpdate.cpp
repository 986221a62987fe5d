// The notice shown while the network updates the SIM over the air: a sheet
// that says so, the phone book switched to the computer's storage (the SIM's
// contents may change), the closing wording, then the sheet closed.
#include "device/InitController.h"

#include "app/interfaces/PhonebookControlling.h"
#include "app/language/WordingOperation.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/Window.h"

namespace
{

// Seconds after the report: the phone book, the closing wording, the end.
constexpr double kSelectPCPhonebookDelay = 2.0;
constexpr double kEndWordingDelay = 4.0;
constexpr double kCloseDelay = 7.0;

} // namespace

void InitController::buildSimCardUpdateWindow()
{
    wndSimCardUpdate_ = std::make_unique<ns::Window>(ns::Rect(0, 0, 340, 90), ns::TitledWindowMask);
    labelSimCardUpdate_ = ns::TextField::labelWithFrame(
        ns::Rect(20, 20, 300, 50), ns::Font::systemFontOfSize(13), ns::CenterTextAlignment);
    wndSimCardUpdate_->contentView()->addSubview(labelSimCardUpdate_);
}

void InitController::dealWithMsgOfCheckSmsPPDownload(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || msg.type != kTypeReport || msg.result != kResultSuccess ||
        !wndSimCardUpdate_)
        return;
    if (!wndSimCardUpdate_->isSheet())
        popUpSimcardUpdateWnd();
    ns::performSelectorAfterDelay(this, QStringLiteral("selectPCPhonebook:"), nullptr,
                                  kSelectPCPhonebookDelay);
    ns::performSelectorAfterDelay(this, QStringLiteral("setSimcardUpdateEndWording:"), nullptr,
                                  kEndWordingDelay);
    ns::performSelectorAfterDelay(this, QStringLiteral("closeSimcardUpdateWnd:"), nullptr, kCloseDelay);
}

void InitController::popUpSimcardUpdateWnd()
{
    if (!wndMain)
        return;
    // The notice goes on top of whatever sheet the main window already shows.
    ns::Window* top = wndMain;
    while (top->attachedSheet())
        top = top->attachedSheet();
    ns::Application::sharedApplication().beginSheet(wndSimCardUpdate_.get(), top);
    labelSimCardUpdate_->setStringValue(WordingOperation::getDisplayWordingValueByWordingKey(
        QStringLiteral("Init_labelSimCardUpdate_CheckSmsPPDownloadBegin")));
}

void InitController::selectPCPhonebook()
{
    if (g_PBController)
        g_PBController->selectAtPCSide();
}

void InitController::setSimcardUpdateEndWording()
{
    labelSimCardUpdate_->setStringValue(WordingOperation::getDisplayWordingValueByWordingKey(
        QStringLiteral("Init_labelSimCardUpdate_CheckSmsPPDownloadEnd")));
}

void InitController::closeSimcardUpdateWnd()
{
    if (!wndSimCardUpdate_->isSheet())
        return;
    ns::Application::sharedApplication().endSheet(wndSimCardUpdate_.get());
    wndSimCardUpdate_->orderOut(nullptr);
}
