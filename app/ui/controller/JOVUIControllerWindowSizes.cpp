// The main window's sizes described in "UIConfig" under "changeWndInfo": the
// fixed top view, the height of the middle view and the window's own size.

#include "app/ui/controller/ItemDescriptionKeys.h"
#include "app/ui/controller/JOVUIController.h"
#include "app/ui/skin/JOVUIManager.h"
#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/Window.h"

namespace
{

const QString kViewTopFixed = QStringLiteral("viewTopFixed");
const QString kViewMiddleChangeable = QStringLiteral("viewMiddleChangeable");

} // namespace

void JOVUIController::changeMainTabViewItemSize(const QString& key)
{
    if (key.isEmpty() || !jovSkinManager)
        return;
    const ns::Value described = uiConfigDict().value(kChangeWndInfo).toDictionary().value(key);
    if (!described.isDictionary())
        return;
    const ns::Dictionary sizes = described.toDictionary();

    if (auto* topView = jovSkinManager->controllerByKey<ns::View>(kViewTopFixed))
        topView->setFrameOrigin(
            {sizes.value(kViewTopFixedLeft).doubleValue(), sizes.value(kViewTopFixedBottom).doubleValue()});
    if (auto* middleView = jovSkinManager->controllerByKey<ns::View>(kViewMiddleChangeable))
        middleView->setFrameSize(
            {middleView->frame().width(), sizes.value(kViewMiddleChangeableHeight).doubleValue()});

    if (!wndMain)
        return;
    // The window keeps its left and bottom edges, unless its top would rise
    // above the visible screen: then its top meets that edge.
    ns::Rect frame = wndMain->frame();
    frame.size = {sizes.value(kWndWidth).doubleValue(), sizes.value(kWndHeight).doubleValue()};
    const double visibleTop = ns::Screen::mainScreen().visibleFrame().maxY();
    if (frame.maxY() > visibleTop)
        frame.origin.y = visibleTop - frame.height();
    wndMain->setFrame(frame, true, false);
}
