// The windows and controls of the main nib that only some operators use: the
// service-provider code window, Zudera's device-state window, link texts and
// dial button, the Zevavedo buttons, the Zuvize tips and Duzozer's support
// and USSD guide windows, the USSD-active button, the main page's address
// link, and the link drawer's buttons. Every build has them; the switches of
// the configuration and the skin decide which are shown.
#include "device/MainController.h"

#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSViewExt.h"
#include "device/NibControls.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/TextField.h"

using nib::makeLabel;
using nib::makePanel;
using nib::makePushButton;

namespace
{

// The tool-tip keys of the Zevavedo buttons; a button's tag is its position.
const char* const kZevavedoToolTips[] = {
    "DjuiceForZevavedo",     "MusicForZevavedo",        "GamesForZevavedo",          "MyDjuiceForZevavedo",
    "MusicDriveForZevavedo", "KontakeForZevavedo",      "DjuiceInfoForZevavedo",     "MusicInfoForZevavedo",
    "GamesInfoForZevavedo",  "MyDjuiceInfoForZevavedo", "MusicDriveInfoForZevavedo", "KontakeForInfoZevavedo",
};

// The link drawer's buttons, top to bottom: title key and the page tag of
// openLinkPage. The change-signal button has no page of its own: its tag opens nothing.
struct LinkButton {
    const char* titleKey;
    int tag;
};
const LinkButton kLinkButtons[] = {
    {"CUSTOM_SERVICE_STR", 44}, {"CUSTOM_ESHOP_STR", 11},        {"CUSTOM_MOBILE_DEVICE_STR", 22},
    {"CUSTOM_TRAVARU_STR", 33}, {"CUSTOM_CHANGE_SIGNAL_STR", 0}, {"CUSTOM_SERVICE_GUIDE_STR", 55},
    {"CUSTOM_FILLUP_STR", 66},  {"CUSTOM_MMS_STR", 77},          {"CUSTOM_MULTIFON_STR", 88},
};

// A window that shows one text and closes with its button.
std::unique_ptr<ns::Window> makeNoticeWindow(const ns::Size& size, const QString& text, const QString& ok)
{
    auto window = makePanel(size, ns::TitledWindowMask | ns::ClosableWindowMask);
    ns::View* content = window->contentView();
    ns::TextField* label =
        makeLabel(ns::Rect(20, 56, size.width - 40, size.height - 76), ns::Font::systemFontOfSize(13));
    label->setStringValue(text);
    content->addSubview(label);
    ns::Button* close =
        makePushButton(ns::Rect(size.width - 108, 14, 88, 30), window.get(), QStringLiteral("orderOut:"));
    close->setTitle(ok);
    content->addSubview(close);
    return window;
}

} // namespace

void MainController::buildOperatorVariants()
{
    buildCheckSPCodeWindow();
    buildDevStateChangeForZuderaWindow();
    buildLinkTextsForZudera();
    buildZevavedoButtons();

    const QString ok = wording(QStringLiteral("OK"));
    wndOrangeQuickTips_ = makeNoticeWindow({380, 220}, wording(QStringLiteral("STRING_QUICK_TIPS")), ok);
    supportWindow_ = makeNoticeWindow({380, 180}, wording(QStringLiteral("STRING_SUPPORT_INFO")), ok);
    ussdGuideWindow_ = makeNoticeWindow({380, 220}, wording(QStringLiteral("STRING_USSD_GUIDE")), ok);

    // The USSD-active button takes the connect button's place while USSD runs.
    btnUSSDActive_ = makePushButton(ns::Rect(228, 4, 110, 28), this, QStringLiteral("gotoUSSD:"));
    btnUSSDActive_->setTitle(QStringLiteral("USSD"));
    btnUSSDActive_->setHidden(true);
    viewTitle_->addSubview(btnUSSDActive_);
}

void MainController::buildCheckSPCodeWindow()
{
    const ns::Size size{420, 160};
    wndCheckSPCode_ = makePanel(size, ns::TitledWindowMask);
    ns::View* content = wndCheckSPCode_->contentView();
    labelCheckWnd_ = makeLabel(ns::Rect(20, 94, 380, 48), ns::Font::systemFontOfSize(13));
    content->addSubview(labelCheckWnd_);
    textfieldSPCode_ = new ns::TextField(ns::Rect(20, 60, 380, 24));
    content->addSubview(textfieldSPCode_);
    btnCheckCancel_ =
        makePushButton(ns::Rect(216, 14, 88, 30), this, QStringLiteral("checkSPCodeWndCancel:"));
    btnCheckOK_ = makePushButton(ns::Rect(312, 14, 88, 30), this, QStringLiteral("checkSPCode:"));
    content->addSubview(btnCheckCancel_);
    content->addSubview(btnCheckOK_);
}

void MainController::buildDevStateChangeForZuderaWindow()
{
    windowOfDevStateChangeForZudera_ = makePanel({340, 80}, ns::TitledWindowMask);
    labelOfDevStateChageForZudera_ =
        makeLabel(ns::Rect(20, 20, 300, 40), ns::Font::systemFontOfSize(13), ns::CenterTextAlignment);
    windowOfDevStateChangeForZudera_->contentView()->addSubview(labelOfDevStateChageForZudera_);
}

void MainController::buildLinkTextsForZudera()
{
    // One line under the titles: the three links, the dial button, and at
    // the right the main page's address.
    constexpr double y = 0, height = 12;
    const ns::Font font = ns::Font::labelFontOfSize(9);
    labelHomeLinkForZudera_ = makeLabel(ns::Rect(16, y, 110, height), font);
    labelPostPaidLinkForZudera_ = makeLabel(ns::Rect(130, y, 200, height), font);
    labelPrePaidLinkForZudera_ = makeLabel(ns::Rect(334, y, 200, height), font);
    btnUnderlineDialNumberForZudera_ = new ns::Button(ns::Rect(538, y, 40, height));
    btnUnderlineDialNumberForZudera_->setBordered(false);
    btnUnderlineDialNumberForZudera_->setTarget(this);
    btnUnderlineDialNumberForZudera_->setAction(QStringLiteral("tabViewChangeToCallAndMakeCall:"));
    btnUnderlineDialNumberForZudera_->setHidden(true);
    labelForTextLinkAddress_ = makeLabel(ns::Rect(viewTitle_->frame().size.width - 200, y, 184, height),
                                         ns::Font::labelFontOfSize(11));
    for (ns::View* view : std::initializer_list<ns::View*>{
             labelHomeLinkForZudera_, labelPostPaidLinkForZudera_, labelPrePaidLinkForZudera_,
             btnUnderlineDialNumberForZudera_, labelForTextLinkAddress_})
        viewTitle_->addSubview(view);
}

void MainController::buildZevavedoButtons()
{
    // A row of square buttons that only a Zevavedo skin shows and places.
    constexpr double size = 40, spacing = 4;
    const int count = int(std::size(kZevavedoToolTips));
    viewOfZevavedoButtons_ = new NSViewExt(ns::Rect(0, 0, count * (size + spacing), size));
    for (int tag = 0; tag < count; ++tag) {
        auto* button = new ns::Button(ns::Rect(tag * (size + spacing), 0, size, size));
        button->setBezelStyle(ns::ShadowlessSquareBezelStyle);
        button->setTag(tag);
        button->setTarget(this);
        button->setAction(QStringLiteral("openMyistarURL:"));
        viewOfZevavedoButtons_->addSubview(button);
        btnsForZevavedo_ << button;
    }
    viewOfZevavedoButtons_->setHidden(true);
    wndMain->contentView()->addSubview(viewOfZevavedoButtons_);
}

void MainController::buildLinkButtons(ns::View* content)
{
    const double width = content->frame().size.width;
    constexpr double height = 32, spacing = 8;
    double y = content->frame().size.height - spacing - height;
    for (const LinkButton& link : kLinkButtons) {
        ns::Button* button =
            makePushButton(ns::Rect(16, y, width - 32, height), this, QStringLiteral("openLinkPage:"));
        button->setTag(link.tag);
        content->addSubview(button);
        linkButtons_ << button;
        y -= height + spacing;
    }
    loadLinkButtonTitleWording();
}

void MainController::loadLinkButtonTitleWording()
{
    for (int i = 0; i < linkButtons_.size(); ++i)
        linkButtons_[i]->setTitle(wording(QString::fromLatin1(kLinkButtons[i].titleKey)));
}

void MainController::loadZevavedoButtonToolTip()
{
    for (int tag = 0; tag < btnsForZevavedo_.size(); ++tag)
        btnsForZevavedo_[tag]->setToolTip(wording(QString::fromLatin1(kZevavedoToolTips[tag])));
}

QList<ns::TextField*> MainController::linkLabelsForZudera() const
{
    return {labelHomeLinkForZudera_, labelPostPaidLinkForZudera_, labelPrePaidLinkForZudera_};
}

void MainController::registerOperatorSkinControls()
{
    const QList<QPair<ns::Object*, QString>> controls = {
        {btnUnderlineDialNumberForZudera_, QStringLiteral("btnDialSpecialNumberForZudera")},
        {windowOfDevStateChangeForZudera_->contentView(), QStringLiteral("viewOfDevStateChangeForZudera")},
        {viewOfZevavedoButtons_, QStringLiteral("viewOfZevavedoButtons")},
        {btnUSSDActive_, QStringLiteral("btnUSSDActive")},
    };
    for (const auto& [control, key] : controls)
        jovSkinManager->registerController(control, key, true);
}

void MainController::registerOperatorActions()
{
    using Action = void (MainController::*)(ns::Object*);
    const QList<QPair<const char*, Action>> actions = {
        {"checkSPCode:", &MainController::checkSPCode},
        {"checkSPCodeWndCancel:", &MainController::checkSPCodeWndCancel},
        {"performEndSheet:", &MainController::performEndSheet},
        {"tbiMainVADOHelpClick:", &MainController::tbiMainVADOHelpClick},
        {"openWndOrangeQuickTips:", &MainController::openWndOrangeQuickTips},
        {"openUSSDWndOrangeTopup:", &MainController::openUSSDWndOrangeTopup},
        {"openUSSDWndOrangeCheckbalance:", &MainController::openUSSDWndOrangeCheckbalance},
        {"openUSSDWndOrangeBuybundles:", &MainController::openUSSDWndOrangeBuybundles},
        {"openLinkPage:", &MainController::openLinkPage},
        {"openDirudWebsites:", &MainController::openDirudWebsites},
        {"open1und1URL:", &MainController::open1und1URL},
        {"openDODIMenuLinks:", &MainController::openDODIMenuLinks},
        {"openTabMenuLinks:", &MainController::openTabMenuLinks},
        {"homePageClick:", &MainController::homePageClick},
        {"performOpenHelpActionForDuzozer:", &MainController::performOpenHelpActionForDuzozer},
        {"showSupportWindowForDuzozer:", &MainController::showSupportWindowForDuzozer},
        {"showUSSDGuideWindowForDuzozer:", &MainController::showUSSDGuideWindowForDuzozer},
        {"openMyistarURL:", &MainController::openMyistarURL},
    };
    for (const auto& [selector, action] : actions)
        registerSelector(QString::fromLatin1(selector), action);
}
