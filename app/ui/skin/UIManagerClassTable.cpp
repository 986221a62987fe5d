// The class table: which updater dresses which kind of object.

#include "app/ui/skin/UIManager.h"

#include "app/ui/skin/SkinItem.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSPanelExt.h"
#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

using ClassRow = bool (*)(UIManager&, ns::Object*, const QString&);

// Applies the updater when the object is a kind of the class.
template <class Class, auto updater> bool dress(UIManager& manager, ns::Object* object, const QString& key)
{
    auto* target = dynamic_cast<Class*>(object);
    if (!target)
        return false;
    (manager.*updater)(target, key);
    return true;
}

// The view takes the size of the item's image and shows it; nothing without an image.
template <class ImageShowing> void showItemImage(ImageShowing* view, const ns::Image& image)
{
    if (image.isNull())
        return;
    view->setFrameSize(image.size());
    view->setImage(image);
}

// In this order: a hover button is also a button, a borderless window also a window.
constexpr ClassRow kClassTable[] = {
    &dress<NSWindowExt, &UIManager::updateNSWindowExt>,
    &dress<NSPanelExt, &UIManager::updateNSWindowExt>,
    &dress<ns::Window, &UIManager::updateNSWindow>,
    &dress<NSViewExt, &UIManager::updateNSViewExt>,
    &dress<ns::ImageView, &UIManager::updateNSImageView>,
    &dress<NSFlickerButton, &UIManager::updateNSFlickerButton>,
    &dress<NSButtonExt, &UIManager::updateNSButtonExt>,
    &dress<ns::Button, &UIManager::updateNSButton>,
    &dress<ns::TextField, &UIManager::updateNSTextField>,
    &dress<ns::TextFieldCell, &UIManager::updateNSTextFieldCell>,
    &dress<ns::TabViewItem, &UIManager::updateNSTabViewItem>,
    &dress<ns::Box, &UIManager::updateNSBox>,
    &dress<ns::Matrix, &UIManager::updateNSMatrix>,
    &dress<ns::View, &UIManager::updateNSView>,
};

} // namespace

bool UIManager::updataItem(ns::Object* controller, const QString& key)
{
    if (!controller || skinPath_.isEmpty() || key.isEmpty())
        return false;
    for (ClassRow row : kClassTable) {
        if (row(*this, controller, key))
            return true;
    }
    return false;
}

void UIManager::updateNSWindowExt(ns::Window* window, const QString& key)
{
    updateNSWindow(window, key);
    if (ns::View* content = window->contentView())
        window->setFrame({window->frame().origin, content->frame().size}, false);
}

void UIManager::updateNSWindow(ns::Window* window, const QString& key)
{
    if (auto* content = dynamic_cast<NSViewExt*>(window->contentView()))
        showItemImage(content, itemImage(window, key));
}

void UIManager::updateNSViewExt(NSViewExt* view, const QString& key)
{
    showItemImage(view, itemImage(view, key));
    updateNSView(view, key);
}

void UIManager::updateNSImageView(ns::ImageView* view, const QString& key)
{
    showItemImage(view, itemImage(view, key));
    updateNSView(view, key);
}

void UIManager::updateNSFlickerButton(NSFlickerButton* button, const QString& key)
{
    button->setFlickerButtonStyle();
    setFont(button, key);
    setTextColor(button, key);
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    const auto position = item ? SkinItem::number(*item, QStringLiteral("BtnImagePos")) : std::nullopt;
    button->setImagePosition(position ? int(*position) : ns::ImageOnly);
    update4ImageButton(button, item ? SkinItem::string(*item, QStringLiteral("ImageName")) : QString(),
                       itemImage(button, key), key);
    setGroupFlickerBtn(button, key);
    updateButtonTitleColor(button, key);
    updateNSView(button, key);
}

void UIManager::updateNSButtonExt(NSButtonExt* button, const QString& key)
{
    setTextColor(button, key);
    const std::optional<ns::Dictionary> item = itemInfoDictForKey(key);
    update2ImageButton(button, item ? SkinItem::string(*item, QStringLiteral("ImageName")) : QString(),
                       itemImage(button, key), key);
    updateNSButton(button, key);
}

void UIManager::updateNSButton(ns::Button* button, const QString& key)
{
    setFont(button, key);
    updateNSView(button, key);
}

void UIManager::updateNSTextField(ns::TextField* field, const QString& key)
{
    setTextColor(field, key);
    setFont(field, key);
    updateNSView(field, key);
}

void UIManager::updateNSTextFieldCell(ns::TextFieldCell* cell, const QString& key)
{
    setTextColor(cell, key);
    setHidden(cell, key);
}

void UIManager::updateNSTabViewItem(ns::TabViewItem* item, const QString& key)
{
    setHidden(item, key);
}

void UIManager::updateNSBox(ns::Box* box, const QString& key)
{
    setHidden(box, key);
    setSize(box, key);
}

void UIManager::updateNSMatrix(ns::Matrix* matrix, const QString& key)
{
    setFont(matrix, key);
    setMatrixColor(matrix, key);
    setHidden(matrix, key);
    setPosition(matrix, key);
    setSize(matrix, key);
}

void UIManager::updateNSView(ns::View* view, const QString& key)
{
    setPosition(view, key);
    setSize(view, key);
    placementSubviews(view, key);
    placementInSuperview(view, key);
    setHidden(view, key);
}
