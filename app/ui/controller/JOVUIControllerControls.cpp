// Controls built from the "UIConfig" item descriptions: buttons, labels,
// boxes, matrices, image views and tab view items, each registered with the
// skin manager under its name so that the skin dresses it and later code
// finds it by that name.

#include "app/ui/controller/ItemDescriptionKeys.h"
#include "app/ui/controller/JOVUIController.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSFlickerButton.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"

#include <memory>

namespace
{

QString stringOf(const ns::Dictionary& description, const QString& key)
{
    return description.value(key).toString();
}

// Registers the new control under the name and hands it to the parent; null
// (and the control gone) when that fails.
template <class T>
T* placeControl(JOVUIController& controller, std::unique_ptr<T> control, const QString& name,
                ns::View* parent)
{
    if (!controller.registerController(control.get(), name, parent))
        return nullptr;
    return control.release();
}

} // namespace

ns::Array JOVUIController::configuredItems(const QString& key) const
{
    return uiConfigDict().value(key).toArray();
}

bool JOVUIController::registerController(ns::View* control, const QString& name, ns::View* superview)
{
    if (!control || name.isEmpty() || !superview || !jovSkinManager)
        return false;
    if (!jovSkinManager->registerController(control, name, true))
        return false;
    superview->addSubview(control);
    return true;
}

bool JOVUIController::initializeBtnsOfView(ns::View* parent, const QString& key)
{
    bool built = false;
    for (const ns::Value& entry : configuredItems(key)) {
        const ns::Dictionary description = entry.toDictionary();
        const QString identifier = stringOf(description, kItemIdentifier);
        const QString name = stringOf(description, kItemName);
        const QString action = stringOf(description, kItemAction);
        if (identifier.isEmpty() || name.isEmpty() || action.isEmpty())
            continue;

        auto button = std::make_unique<NSFlickerButton>();
        button->setTarget(this);
        button->setAction(action);
        button->setItemIdentifier(identifier);
        if (description.contains(kItemToolTip))
            button->setToolTip(Map_Name_Item_of_IndexString(stringOf(description, kItemToolTip)));
        if (description.contains(kItemBtnTitle)) {
            const QString titleKey = stringOf(description, kItemBtnTitle);
            button->setItemLabel(titleKey);
            button->setTitle(Map_Name_Item_of_IndexString(titleKey));
        }
        button->setUrlLabel(stringOf(description, kItemUrlLabel));
        button->setMenu(createPopUpMenuFromConfig(description.value(kItemPopupMenu).toArray()));
        if (placeControl(*this, std::move(button), name, parent))
            built = true;
    }
    return built;
}

bool JOVUIController::initializeLabelsOfView(ns::View* parent, const QString& key)
{
    bool built = false;
    for (const ns::Value& entry : configuredItems(key)) {
        const ns::Dictionary description = entry.toDictionary();
        const QString name = stringOf(description, kItemName);
        if (name.isEmpty())
            continue;

        auto label = std::make_unique<ns::TextField>(ns::Rect(
            0, 0, description.value(kItemWidth).doubleValue(), description.value(kItemHeight).doubleValue()));
        label->setTarget(this);
        label->setBezeled(false);
        label->setBordered(description.value(kItemIsBordered).boolValue());
        label->setEditable(description.value(kItemIsEditable).boolValue());
        label->setDrawsBackground(description.value(kItemIsDrawsBackground).boolValue());
        label->setAlignment(description.value(kItemTextAlignmentStyle).intValue());
        if (description.contains(kItemStringValue))
            label->setStringValue(stringOf(description, kItemStringValue));
        if (description.contains(kItemToolTip))
            label->setToolTip(Map_Name_Item_of_IndexString(stringOf(description, kItemToolTip)));
        if (placeControl(*this, std::move(label), name, parent))
            built = true;
    }
    return built;
}

bool JOVUIController::initializeNSBoxOfView(ns::View* parent, const QString& key)
{
    bool built = false;
    for (const ns::Value& entry : configuredItems(key)) {
        const ns::Dictionary description = entry.toDictionary();
        const QString name = stringOf(description, kItemBoxName);
        if (name.isEmpty() || !description.contains(kItemBoxTitle))
            continue;

        auto box = std::make_unique<ns::Box>();
        box->setTitle(stringOf(description, kItemBoxTitle));
        box->setTitlePosition(ns::AtTop);
        box->setBorderType(ns::GrooveBorder);
        box->setBoxType(ns::BoxPrimary);
        if (placeControl(*this, std::move(box), name, parent))
            built = true;
    }
    return built;
}

bool JOVUIController::initializeNSMatrixOfView(ns::View* parent, const QString& key)
{
    bool built = false;
    for (const ns::Value& entry : configuredItems(key)) {
        const QString name = stringOf(entry.toDictionary(), kItemBoxName);
        if (name.isEmpty())
            continue;
        if (placeControl(*this, std::make_unique<ns::Matrix>(ns::Rect(), ns::RadioModeMatrix), name, parent))
            built = true;
    }
    return built;
}

bool JOVUIController::initializeImageViewOfView(ns::View* parent, const QString& key)
{
    for (const ns::Value& name : configuredItems(key))
        createNSImageViewByKey(name.toString(), parent);
    return false;
}

bool JOVUIController::initializeTabViewItemOfView(ns::TabView* tabView, const QString& key)
{
    if (!tabView)
        return false;
    bool built = false;
    for (const ns::Value& entry : configuredItems(key)) {
        const ns::Dictionary description = entry.toDictionary();
        const QString name = stringOf(description, kItemName);
        const QString identifier = stringOf(description, kItemIdentifier);
        if (name.isEmpty() || identifier.isEmpty())
            continue;

        // The page is a plain view of the background's frame holding the
        // background, which the skin sized and placed.
        auto item = std::make_unique<ns::TabViewItem>(identifier);
        NSViewExt* background = createNSViewExtByKey(name, item->view());
        auto* page = new ns::View(background ? background->frame() : ns::Rect());
        page->addSubview(background);
        delete item->setView(page);

        ns::TabViewItem* added = item.get();
        tabView->addTabViewItem(std::move(item));
        if (jovSkinManager)
            jovSkinManager->registerController(added, name, true);
        built = true;
    }
    return built;
}

NSViewExt* JOVUIController::createNSViewExtByKey(const QString& name, ns::View* superView)
{
    return placeControl(*this, std::make_unique<NSViewExt>(), name, superView);
}

ns::ImageView* JOVUIController::createNSImageViewByKey(const QString& name, ns::View* superView)
{
    auto imageView = std::make_unique<ns::ImageView>(ns::Rect(0, 0, 1, 1));
    imageView->setImageScaling(ns::ImageScaleNone);
    imageView->setImageFrameStyle(ns::ImageFrameNone);
    return placeControl(*this, std::move(imageView), name, superView);
}
