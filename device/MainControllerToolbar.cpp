// The toolbar in its configured form (items from "toolBarItems"), its
// enabling by the device's status, the tab titles, the sheet position under a
// skinned title bar and the link drawer.
#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/CompoundCallControlling.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "app/ui/controller/UINotifications.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSButtonExt.h"
#include "app/ui/widgets/NSPopUpButtonExt.h"
#include "app/ui/widgets/NSToolbarItemExt.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TextField.h"

#include <QFileInfo>
#include <QtDebug>

namespace
{

const QString kCustomLogoIdentifier = QStringLiteral("Custom Logo Toolbar Item Identifier");

// The configured item's view: a borderless button of the image's size, or a
// pull-down menu 10 points wider than the image; null for a plain image item.
ns::View* makeItemView(const ns::Dictionary& entry, const ns::Image& image, ns::Object* target)
{
    const ns::Size size = image.isNull() ? ns::Size{32, 32} : image.size();
    if (entry.value(QStringLiteral("UseAsButton")).boolValue()) {
        auto* button = new NSButtonExt(ns::Rect({0, 0}, size));
        button->setButtonType(ns::MomentaryChangeButton);
        button->setBordered(false);
        button->setImagePosition(ns::ImageOnly);
        button->setImage(image);
        button->setUrlLabel(entry.value(QStringLiteral("urlLabel")).toString());
        button->setItemIdentifier(entry.value(QStringLiteral("itemIdentifier")).toString());
        button->setToolTip(entry.value(QStringLiteral("itemToolTip")).toString());
        return button;
    }
    const ns::Array entries = entry.value(QStringLiteral("UseAsPopupButton")).toArray();
    if (entries.isEmpty())
        return nullptr;
    auto* popUp = new NSPopUpButtonExt(ns::Rect(0, 0, size.width + 10, size.height), true);
    popUp->setBordered(false);
    popUp->setBezelStyle(ns::RegularSquareBezelStyle);
    popUp->addItemWithTitle(QString());
    popUp->itemAtIndex(0)->setImage(image);
    for (const ns::Value& value : entries) {
        const ns::Dictionary menuEntry = value.toDictionary();
        popUp->addItemWithTitle(menuEntry.value(QStringLiteral("itemTitle")).toString());
        ns::MenuItem* item = popUp->lastItem();
        item->setTarget(target);
        item->setAction(menuEntry.value(QStringLiteral("itemAction")).toString());
    }
    return popUp;
}

} // namespace

void MainController::loadToolBar()
{
    if (!toolbarItemsArray.isEmpty() || !wndMain)
        return;
    for (const ns::Value& value : settingDict_.value(QStringLiteral("toolBarItems")).toArray()) {
        const ns::Dictionary entry = value.toDictionary();
        const QString identifier = entry.value(QStringLiteral("itemIdentifier")).toString();
        if (identifier.isEmpty())
            continue;
        auto item = std::make_shared<NSToolbarItemExt>(identifier);
        const QString labelKey = entry.value(QStringLiteral("itemLabel")).toString();
        item->setLabel(wording(labelKey));
        item->setEnglishLabel(labelKey);
        const QString toolTipKey = entry.value(QStringLiteral("itemToolTip")).toString();
        item->setToolTip(wording(toolTipKey));
        item->setEnglishToolTip(toolTipKey);

        const ns::Image image =
            ns::Image::imageNamed(entry.value(QStringLiteral("itemImageName")).toString());
        if (ns::View* view = makeItemView(entry, image, this)) {
            item->setView(view);
            item->setMinSize(view->frame().size);
            item->setMaxSize(view->frame().size);
        } else {
            item->setImage(image);
        }
        const QString action = entry.value(QStringLiteral("itemAction")).toString();
        if (!action.isEmpty()) {
            item->setTarget(this);
            item->setAction(action);
            item->setBackUpAction(action);
        }
        item->setUrlLabel(entry.value(QStringLiteral("urlLabel")).toString());
        toolbarItems_.push_back(item);
        toolbarItemsArray.append(item.get());
    }

    auto bar = std::make_unique<ns::Toolbar>(QStringLiteral("ToolBar"));
    if (configStore()
            .getConfigurationByModuleAndKey(QStringLiteral("MAINFORM"), QStringLiteral("ToolBarOnlyIcon"))
            .boolValue())
        bar->setDisplayMode(ns::ToolbarDisplayModeIconOnly);
    bar->setDelegate(this);
    bar->setAllowsUserCustomization(false);
    wndMain->setToolbar(std::move(bar));

    selectTab(QStringLiteral("Internet"));
    specialToolBarItemsSetEnable(false);
}

ns::Toolbar* MainController::toolbar() const
{
    return wndMain ? wndMain->toolbar() : nullptr;
}

std::shared_ptr<ns::ToolbarItem> MainController::toolbarItemForItemIdentifier(ns::Toolbar*,
                                                                              const QString& identifier, bool)
{
    if (identifier == kCustomLogoIdentifier) {
        customLogoToolbarItem_ = std::make_shared<ns::ToolbarItem>(identifier);
        setToolbarProviderLogo(customLogoToolbarItem_.get());
        return customLogoToolbarItem_;
    }
    for (const std::shared_ptr<NSToolbarItemExt>& item : toolbarItems_)
        if (item->itemIdentifier() == identifier)
            return item;
    return nullptr;
}

QStringList MainController::toolbarAllowedItemIdentifiers(ns::Toolbar*)
{
    QStringList identifiers;
    for (const std::shared_ptr<NSToolbarItemExt>& item : toolbarItems_)
        identifiers << item->itemIdentifier();
    return identifiers;
}

QStringList MainController::toolbarDefaultItemIdentifiers(ns::Toolbar* toolbar)
{
    QStringList identifiers = toolbarAllowedItemIdentifiers(toolbar);
    if (!settingDict_.value(QStringLiteral("UseLogoAsButton")).boolValue())
        identifiers << ns::ToolbarFlexibleSpaceItemIdentifier << kCustomLogoIdentifier;
    return identifiers;
}

void MainController::setToolbarProviderLogo(ns::ToolbarItem* item)
{
    if (!item)
        return;
    ns::Image image;
    if (configStore().getConfigurationByModule(QStringLiteral("ChangeProviderLogo")).boolValue()) {
        const QString folder = settingDict_.value(QStringLiteral("ProviderLogoFolder")).toString();
        const QString file = settingDict_.value(QStringLiteral("ProviderLogoImage")).toString();
        if (folder.isEmpty() || file.isEmpty())
            return;
        image = ns::Image::imageWithContentsOfFile(folder + '/' + file);
    } else if (configStore().getConfigurationByModule(QStringLiteral("ProviderLogoLocalize")).boolValue()) {
        image = ns::Image::imageWithContentsOfFile(wording(QStringLiteral("STRING_PROVIDER_LOGO_PATH")));
    } else {
        image = ns::Image::imageNamed(QStringLiteral("ProviderLogoPlaceHolder"));
    }
    if (image.isNull())
        return;
    auto* view = new ns::ImageView(ns::Rect({0, 0}, image.size()));
    view->setImage(image);
    item->setView(view);
    item->setMinSize(image.size());
    item->setMaxSize(image.size());
}

void MainController::resetProviderLogoImage(const QString& path)
{
    const ns::Image image = ns::Image::imageWithContentsOfFile(path);
    if (!customLogoToolbarItem_ || image.isNull())
        return;
    if (auto* view = dynamic_cast<ns::ImageView*>(customLogoToolbarItem_->view())) {
        view->setFrameSize(image.size());
        view->setImage(image);
    }
    customLogoToolbarItem_->setMinSize(image.size());
    customLogoToolbarItem_->setMaxSize(image.size());
}

// ---- enabling ----

void MainController::toolbarSetEnable(bool flag)
{
    for (ns::Object* object : toolbarItemsArray) {
        if (auto* item = dynamic_cast<NSToolbarItemExt*>(object)) {
            item->setAction(flag ? item->backUpAction() : QString());
            item->setEnabled(flag);
        } else if (auto* button = dynamic_cast<ns::Control*>(object)) {
            button->setEnabled(flag);
        }
    }
    specialToolBarItemsSetEnable(flag);
    menuToolbarSetEnable(flag);
}

void MainController::toolbarSetItemEnable(bool flag, const QString& identifier)
{
    for (ns::Object* object : toolbarItemsArray) {
        if (identifierOf(object) != identifier)
            continue;
        if (auto* item = dynamic_cast<NSToolbarItemExt*>(object)) {
            item->setTarget(flag ? this : nullptr);
            item->setAction(flag ? item->backUpAction() : QString());
            item->setEnabled(flag);
        } else if (auto* button = dynamic_cast<ns::Control*>(object)) {
            button->setEnabled(flag);
        }
        return;
    }
}

void MainController::setToolbarEnableWhenSimDetected(bool flag)
{
    if (settingDict_.value(QStringLiteral("disableToolbarWhenNoSIM")).boolValue())
        toolbarSetEnable(flag);
}

void MainController::specialToolBarItemsSetEnable(bool flag)
{
    toolbarSetItemEnable(flag && runtimeObjectForKey(kRTIsConnectBtnEnable).boolValue(),
                         QStringLiteral("URLWithAlert"));
}

void MainController::menuToolbarSetEnable(bool flag)
{
    for (ns::MenuItem* item : {labelInternet_, labelStatistics_, labelCall_, labelSMS_, labelPhonebook_,
                               labelUSSD_, labelSetting_, labelDialRecord_})
        if (item)
            item->setEnabled(flag);
}

void MainController::isAbleToConnect(ns::Notification* notification)
{
    if (notification)
        toolbarSetItemEnable(notification->userInfo().value(QStringLiteral("EnabledFlag")).boolValue(),
                             QStringLiteral("URLWithAlert"));
}

void MainController::dialConnectStart(ns::Notification* notification)
{
    if (notification && hasModuleWith(QStringLiteral("ChangeAPN")))
        toolbarSetItemEnable(!notification->userInfo().value(kStartConnectionNotification).boolValue(),
                             QStringLiteral("ChangeAPN"));
}

void MainController::netcardChanged(int status)
{
    qInfo("Main window: device status %d", status);
    netCardStatus_ = status;
    deviceRemoveSign_ = false;
    switch (status) {
    case kDeviceRemoved:
        setToolbarEnableWhenSimDetected(false);
        toolbarSetItemEnable(false, QStringLiteral("RECHARGE"));
        break;
    case kDevicePluggedIn:
        setToolbarEnableWhenSimDetected(false);
        break;
    case kSimReady:
        setToolbarEnableWhenSimDetected(true);
        deviceRemovedForZudera(false);
        sendUserInfoIfNeededAndSendFailedBefore();
        toolbarSetItemEnable(true, QStringLiteral("RECHARGE"));
        break;
    default:
        break;
    }
}

void MainController::devicePlugin(ns::Notification*)
{
    netcardChanged(kDevicePluggedIn);
}

void MainController::simReady(ns::Notification*)
{
    netcardChanged(kSimReady);
}

void MainController::setCallMenuItemEnable(bool acceptEnabled, bool setAccept, bool rejectEnabled,
                                           bool setReject)
{
    auto* callController = dynamic_cast<ns::Object*>(g_CompoundCallController);
    auto apply = [callController](ns::MenuItem* item, bool enabled, const QString& selector) {
        if (!item)
            return;
        item->setAction(enabled ? selector : QString());
        item->setTarget(enabled ? callController : nullptr);
        item->setEnabled(enabled);
    };
    if (setAccept)
        apply(acceptMenuItem, acceptEnabled, selOfAcceptMenuItem);
    if (setReject)
        apply(rejectMenuItem, rejectEnabled, selOfRejectMenuItem);
}

// ---- tabs and sheets ----

void MainController::tabViewItemWillChange(ns::Notification* notification)
{
    if (!notification)
        return;
    const QString identifier = notification->userInfo().value(kTabViewItemWillChangeNotification).toString();
    if (identifier == u"HomePage")
        changeMainTabViewItemSize(identifier);
    if (textfieldTabviewItemTitle_)
        textfieldTabviewItemTitle_->setStringValue(wording(identifier + QStringLiteral("_TITLE")));
}

void MainController::updateStkTooltip(ns::Notification* notification)
{
    if (!notification)
        return;
    const QString title = notification->userInfo().value(QStringLiteral("StkMainTitle")).toString();
    if (title.isEmpty())
        return;
    for (ns::Object* object : toolbarItemsArray) {
        if (identifierOf(object) != u"STK")
            continue;
        if (auto* item = dynamic_cast<ns::ToolbarItem*>(object))
            item->setToolTip(wording(title));
        else if (auto* view = dynamic_cast<ns::View*>(object))
            view->setToolTip(wording(title));
        return;
    }
}

ns::Rect MainController::windowWillPositionSheet(ns::Window*, ns::Window*, const ns::Rect& rect)
{
    ns::Rect position = rect;
    if (jovSkinManager)
        if (auto* titlebar = jovSkinManager->controllerByKey<ns::View>(QStringLiteral("wndMainTitlebar")))
            position.origin.y -= titlebar->frame().height();
    return position;
}

void MainController::initDrawerProperty()
{
    drawerLink = std::make_unique<ns::Drawer>(ns::Size{328, 413}, ns::MaxXEdge);
    drawerLink->setMinContentSize({328, 413});
    drawerLink->setMaxContentSize({400, 413});
    drawerLink->setLeadingOffset(60);
    drawerLink->setTrailingOffset(30);
    drawerLink->setParentWindow(wndMain);
    auto* content = new NSViewExt(ns::Rect(0, 0, 328, 413));
    delete drawerLink->setContentView(content);
    buildLinkButtons(content);
}
