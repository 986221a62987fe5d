// The drawer of the main window, built from the "UIConfig" description
// "DrawerInfoDict" with the buttons of "DrawerItems".

#include "app/ui/controller/ItemDescriptionKeys.h"
#include "app/ui/controller/JOVUIController.h"
#include "app/ui/skin/JOVUIManager.h"
#include "app/ui/widgets/NSViewExt.h"
#include "platform/ns/appkit/Drawer.h"

namespace
{

const QString kDrawContentView = QStringLiteral("drawContentView");

ns::Size sizeOf(const ns::Dictionary& info, const QString& widthKey, const QString& heightKey)
{
    return {info.value(widthKey).doubleValue(), info.value(heightKey).doubleValue()};
}

} // namespace

void JOVUIController::initializeDrawer()
{
    const ns::Value described = uiConfigDict().value(kDrawerInfoDict);
    if (!described.isDictionary())
        return;
    const ns::Dictionary info = described.toDictionary();

    drawer_ =
        std::make_unique<ns::Drawer>(sizeOf(info, kDrawerOriginWidth, kDrawerOriginHeight), ns::MaxXEdge);
    drawerMain = drawer_.get();

    auto* contentView = new NSViewExt();
    if (jovSkinManager)
        jovSkinManager->registerController(contentView, kDrawContentView, true);
    drawerMain->setParentWindow(wndMain);
    delete drawerMain->setContentView(contentView);

    drawerMain->setMinContentSize(sizeOf(info, kDrawerMinWidth, kDrawerMinHeight));
    drawerMain->setMaxContentSize(sizeOf(info, kDrawerMaxWidth, kDrawerMaxHeight));
    drawerMain->setLeadingOffset(info.value(kDrawerLeadingOffset).doubleValue());
    drawerMain->setTrailingOffset(info.value(kDrawerTrailingOffset).doubleValue());

    initializeBtnsOfView(contentView, kDrawerItems);
}

void JOVUIController::updateDrawerOffsetByWindow(const QString& name)
{
    if (!drawerMain)
        return;
    const ns::Dictionary info = uiConfigDict().value(kDrawerInfoDict).toDictionary();
    for (const ns::Value& entry : info.value(kDrawerOffsetInfoArray).toArray()) {
        const ns::Dictionary offsets = entry.toDictionary();
        if (offsets.value(kDrawerOffsetItemName).toString() != name)
            continue;
        drawerMain->setLeadingOffset(offsets.value(kDrawerLeadingOffset).doubleValue());
        drawerMain->setTrailingOffset(offsets.value(kDrawerTrailingOffset).doubleValue());
        return;
    }
}
