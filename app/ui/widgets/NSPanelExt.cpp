#include "app/ui/widgets/NSPanelExt.h"

#include "app/ui/widgets/BorderlessWindow.h"

NSPanelExt::NSPanelExt(const ns::Rect& contentRect, unsigned, ns::BackingStoreType, bool defer)
    : ns::Panel(contentRect, ns::BorderlessWindowMask, ns::BackingStoreBuffered, defer)
{
    BorderlessWindow::makeTransparent(this);
}

void NSPanelExt::mouseDown(const ns::Event& event)
{
    initialLocation = BorderlessWindow::mouseOffset(this, event);
    bMouseDown = true;
}

void NSPanelExt::mouseDragged(const ns::Event& event)
{
    if (bMouseDown)
        BorderlessWindow::follow(this, event, initialLocation);
}

void NSPanelExt::mouseUp(const ns::Event&)
{
    bMouseDown = false;
}
