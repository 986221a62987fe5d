// Menus built from the "UIConfig" menu item descriptions, relocalisation of
// the configured controls and menus, and the skin updates and enabling of
// the controls of one description list.

#include "app/ui/controller/ItemDescriptionKeys.h"
#include "app/ui/controller/JOVUIController.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/Menu.h"

namespace
{

const QString kPopupMenuTitle = QStringLiteral("popupMenu");

} // namespace

std::unique_ptr<ns::Menu> JOVUIController::createPopUpMenuFromConfig(const ns::Array& items)
{
    if (items.isEmpty())
        return nullptr;
    auto menu = std::make_unique<ns::Menu>(kPopupMenuTitle);
    for (const ns::Value& item : items)
        createMenuItem(item.toDictionary(), menu.get());
    return menu;
}

void JOVUIController::createMenuItem(const ns::Dictionary& description, ns::Menu* menu)
{
    if (!menu)
        return;
    ns::MenuItem* item = description.value(kMenuSeparatorItem).boolValue()
                             ? menu->addItem(ns::MenuItem::separatorItem())
                             : menu->addItemWithTitle(description.value(kMenuItemTitle).toString(),
                                                      description.value(kMenuItemAction).toString(),
                                                      description.value(kMenuKeyEquiv).toString());
    const ns::Image image = ns::Image::imageNamed(description.value(kMenuItemImageName).toString());
    if (!image.isNull())
        item->setImage(image);
    if (description.contains(kMenuItemTag))
        item->setTag(description.value(kMenuItemTag).intValue());
    if (jovSkinManager)
        jovSkinManager->registerController(item, description.value(kMenuItemName).toString(), true);
    if (std::unique_ptr<ns::Menu> submenu =
            createPopUpMenuFromConfig(description.value(kItemPopupMenu).toArray()))
        menu->setSubmenu(std::move(submenu), item);
}

ns::Object* JOVUIController::configuredControl(const ns::Dictionary& description) const
{
    return jovSkinManager ? jovSkinManager->controllerByKey(description.value(kItemName).toString())
                          : nullptr;
}

void JOVUIController::updateLanguagesOfDynamicItem(const QString& key)
{
    for (const ns::Value& entry : configuredItems(key)) {
        const ns::Dictionary description = entry.toDictionary();
        ns::Object* control = configuredControl(description);
        if (auto* view = dynamic_cast<ns::View*>(control); view && description.contains(kItemToolTip))
            view->setToolTip(Map_Name_Item_of_IndexString(description.value(kItemToolTip).toString()));
        if (auto* button = dynamic_cast<ns::Button*>(control); button && description.contains(kItemBtnTitle))
            button->setTitle(Map_Name_Item_of_IndexString(description.value(kItemBtnTitle).toString()));
        updateMenuLanguage(description.value(kItemPopupMenu).toArray());
        if (auto* sized = dynamic_cast<ns::Control*>(control))
            sized->sizeToFit();
    }
}

void JOVUIController::updateMenuLanguage(const ns::Array& items)
{
    for (const ns::Value& entry : items) {
        const ns::Dictionary description = entry.toDictionary();
        if (jovSkinManager && description.contains(kMenuItemName) && description.contains(kMenuItemTitle)) {
            if (auto* item = jovSkinManager->controllerByKey<ns::MenuItem>(
                    description.value(kMenuItemName).toString()))
                item->setTitle(Map_Name_Item_of_IndexString(description.value(kMenuItemTitle).toString()));
        }
        updateMenuLanguage(description.value(kItemPopupMenu).toArray());
    }
}

void JOVUIController::updateDynamicControllersByKey(const QString& key)
{
    for (const ns::Value& entry : configuredItems(key))
        if (ns::Object* control = configuredControl(entry.toDictionary()))
            jovSkinManager->updateItem(control);
}

void JOVUIController::setDynamicControllersEnabledByKey(const QString& key, bool enableState)
{
    for (const ns::Value& entry : configuredItems(key))
        if (auto* control = dynamic_cast<ns::Control*>(configuredControl(entry.toDictionary())))
            control->setEnabled(enableState);
}

void JOVUIController::updateDynamicItemsByModule(const QString& imageName)
{
    if (!jovSkinManager)
        return;
    jovSkinManager->setImageForKeyImageName(QStringLiteral("wndMain"), imageName, true);
    jovSkinManager->setImageForKeyImageName(QStringLiteral("wndMainTitlebar"), imageName, true);
    updateDynamicControllersByKey(QStringLiteral("TitlebarItems"));
    jovSkinManager->setImageForKeyImageName(QStringLiteral("rightbar"), imageName, true);
    updateDynamicControllersByKey(QStringLiteral("RightbarItems"));
    jovSkinManager->setImageForKeyImageName(QStringLiteral("wndMainStatusView"), imageName, true);
}
