#include "app/ui/controller/JOVAlertPanel.h"

#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

JOVAlertPanel* sharedPanel = nullptr;

const QString kWindowKey = QStringLiteral("wndJOVAlertPanel");

// The panel as built before the skin dresses it.
const ns::Rect kPanelRect(0, 0, 360, 150);
const ns::Rect kTitleFrame(20, 110, 320, 20);
const ns::Rect kMessageFrame(20, 52, 320, 52);
const ns::Rect kOKFrame(250, 12, 90, 28);
const ns::Rect kCancelFrame(150, 12, 90, 28);

ns::TextField* makeLabel(const ns::Rect& frame, ns::View* parent)
{
    auto* label = new ns::TextField(frame);
    label->setEditable(false);
    label->setBezeled(false);
    label->setBordered(false);
    label->setDrawsBackground(false);
    parent->addSubview(label);
    return label;
}

NSButtonExt* makeButton(const ns::Rect& frame, const QString& keyEquivalent, ns::View* parent)
{
    auto* button = new NSButtonExt(frame);
    button->setImagePosition(ns::ImageOverlaps);
    button->setKeyEquivalent(keyEquivalent);
    parent->addSubview(button);
    return button;
}

} // namespace

JOVAlertPanel::JOVAlertPanel(ConfigManager& store) : JOVUIController(store)
{
    registerSelector(QStringLiteral("btnOKAction:"), &JOVAlertPanel::btnOKAction);
    registerSelector(QStringLiteral("btnCancelAction:"), &JOVAlertPanel::btnCancelAction);
    if (!sharedPanel)
        sharedPanel = this;
}

JOVAlertPanel::~JOVAlertPanel()
{
    if (sharedPanel == this)
        sharedPanel = nullptr;
}

JOVAlertPanel* JOVAlertPanel::shareAlertPanel()
{
    return sharedPanel;
}

void JOVAlertPanel::initializeNibResources()
{
    wndAlert_ = std::make_unique<NSWindowExt>(kPanelRect);
    auto* content = new NSViewExt(kPanelRect);
    delete wndAlert_->setContentView(content);
    labelTitle_ = makeLabel(kTitleFrame, content);
    labelTitle_->setFont(ns::Font::boldSystemFontOfSize(0));
    labelMsg_ = makeLabel(kMessageFrame, content);
    btnOK_ = makeButton(kOKFrame, QStringLiteral("\r"), content);
    btnCancel_ = makeButton(kCancelFrame, QStringLiteral("\x1b"), content);

    btnOK_->setTarget(this);
    btnOK_->setAction(QStringLiteral("btnOKAction:"));
    btnCancel_->setTarget(this);
    btnCancel_->setAction(QStringLiteral("btnCancelAction:"));

    if (!jovSkinManager)
        return;
    jovSkinManager->registerController(wndAlert_.get(), kWindowKey, true);
    jovSkinManager->registerController(labelMsg_, QStringLiteral("labelJOVAlertPanelMsg"), true);
    jovSkinManager->registerController(labelTitle_, QStringLiteral("labelJOVAlertPanelTitle"), true);
    jovSkinManager->registerController(btnOK_, QStringLiteral("btnAlertOK"), true);
    jovSkinManager->registerController(btnCancel_, QStringLiteral("btnAlertCancel"), true);
}

int JOVAlertPanel::runAlertPanelTitle(const QString& title, const QString& msg, const QString& strDefaultBtn,
                                      const QString& strAlternateBtn)
{
    // An alert raised while this panel is up (by a notification handled
    // meanwhile) takes the standard panel: running this one a second time
    // would end with it hidden under the first run, which then waits for a
    // press on a window nobody sees.
    if (!wndAlert_ || wndAlert_->isVisible() || !jovSkinManager || !jovSkinManager->hasKey(kWindowKey))
        return ns::runAlertPanel(title, msg, strDefaultBtn, strAlternateBtn);
    labelTitle_->setStringValue(title);
    labelMsg_->setStringValue(msg);
    btnOK_->setTitle(strDefaultBtn);
    if (strAlternateBtn.isEmpty()) {
        btnCancel_->setHidden(true);
    } else {
        btnCancel_->setTitle(strAlternateBtn);
        btnCancel_->setHidden(false);
    }
    wndAlert_->center();
    return ns::Application::sharedApplication().runModalForWindow(wndAlert_.get());
}

void JOVAlertPanel::btnOKAction(ns::Object*)
{
    endWithCode(ns::AlertDefaultReturn);
}

void JOVAlertPanel::btnCancelAction(ns::Object*)
{
    endWithCode(ns::AlertAlternateReturn);
}

void JOVAlertPanel::endWithCode(int code)
{
    wndAlert_->orderOut(nullptr);
    ns::Application::sharedApplication().stopModalWithCode(code);
}
