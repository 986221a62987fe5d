// The translated texts of the main window, its toolbar, windows and menus:
// set at start and again on every change of language.
#include "device/MainController.h"

#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSToolbarItemExt.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"

void MainController::updateLanguages(ns::Notification*)
{
    resetToolBar();
    Init_mainWindow_nib();
    Init_UIMenu();
    loadSimpleModeWording();
    loadLinkButtonTitleWording();
    loadZevavedoButtonToolTip();
    if (configStore().getConfigurationByModule(QStringLiteral("ProviderLogoLocalize")).boolValue())
        setToolbarProviderLogo(customLogoToolbarItem_.get());
    for (const char* key : {"ToolbarItems", "DrawerItems", "TitlebarItems", "RightbarItems"})
        updateLanguagesOfDynamicItem(QString::fromLatin1(key));
}

void MainController::resetToolBar()
{
    const ns::Array skinItems = uiConfigDict().value(QStringLiteral("ToolbarItems")).toArray();
    for (int i = 0; i < toolbarItemsArray.size(); ++i) {
        if (auto* item = dynamic_cast<NSToolbarItemExt*>(toolbarItemsArray.at(i))) {
            item->setLabel(wording(item->englishLabel()));
            item->setToolTip(wording(item->englishToolTip()));
        } else if (auto* button = dynamic_cast<ns::View*>(toolbarItemsArray.at(i));
                   button && i < skinItems.count()) {
            button->setToolTip(
                wording(skinItems.at(i).toDictionary().value(QStringLiteral("itemToolTip")).toString()));
        }
    }
}

void MainController::Init_mainWindow_nib()
{
    const QString title = wording(QStringLiteral("Title"));
    for (ns::Window* window : {wndCompleteMain_, wndSimpleMain_})
        if (window)
            window->setTitle(title);
    if (textfieldWindowTitle_)
        textfieldWindowTitle_->setStringValue(title);
    changeMainWinTitleFont();

    wndBroadcastReport_->setTitle(wording(QStringLiteral("Broadcast message")));
    btnOkBroadcastReport_->setTitle(wording(QStringLiteral("OK")));
    ussdBalancewnd_->setTitle(wording(QStringLiteral("AccountBalance")));
    btnCloseUSSDBalance_->setTitle(wording(QStringLiteral("OK")));
    wndDialRecord_->setTitle(wording(QStringLiteral("DialRecord")));
    btnCloseDialRecord_->setTitle(wording(QStringLiteral("Close")));
    wndSetting_->setTitle(wording(QStringLiteral("Settings")));
    btnCloseSetting_->setTitle(wording(QStringLiteral("Close")));
    windowOfCloseAppForZudera_->setTitle(title);
    btnShutDownForZudera_->setTitle(wording(QStringLiteral("Shut down")));
    btnQuitForZudera_->setTitle(wording(QStringLiteral("Quit")));
    btnCancelForZudera_->setTitle(wording(QStringLiteral("Cancel")));
    if (wndWelcom_) {
        wndWelcom_->setTitle(title);
        labelWelcome_->setStringValue(wording(QStringLiteral("Welcome_Message")));
        btnWelcomeOK_->setTitle(wording(QStringLiteral("OK")));
    }
}

void MainController::changeMainWinTitleFont()
{
    const ns::Value font = configStore().getConfigurationByModuleAndKey(
        QStringLiteral("Main"), QStringLiteral("ChangeMainWinTitleFont"));
    if (!font.isDictionary() || !wndMain)
        return;
    if (!mainWinTitle_) {
        // The band above the content, inside the window's own frame.
        const ns::Rect frame = wndMain->frameView()->frame();
        const double contentHeight = wndMain->contentView()->frame().height();
        mainWinTitle_ = new ns::TextField(
            ns::Rect(frame.width() / 4, contentHeight, frame.width() / 2, frame.height() - contentHeight));
        mainWinTitle_->setBordered(false);
        mainWinTitle_->setBezeled(false);
        mainWinTitle_->setDrawsBackground(false);
        mainWinTitle_->setEditable(false);
        mainWinTitle_->setSelectable(false);
        mainWinTitle_->setAlignment(ns::CenterTextAlignment);
        const ns::Dictionary description = font.toDictionary();
        const double size = description.value(QStringLiteral("FontSize")).doubleValue();
        mainWinTitle_->setFont(
            ns::Font::fontWithName(description.value(QStringLiteral("FontName")).toString(), size)
                .value_or(ns::Font::labelFontOfSize(size)));
        wndMain->frameView()->addSubview(mainWinTitle_);
    }
    wndMain->setTitle(QString());
    mainWinTitle_->setStringValue(wording(QStringLiteral("Title")));
}

void MainController::Init_UIMenu()
{
    for (const auto& [key, item] : menuWording_) {
        const QString title = wording(key);
        item->setTitle(title);
        if (item->hasSubmenu())
            item->submenu()->setTitle(title);
    }
}
