#include "app/ui/widgets/NSWindowExt.h"

#include "app/ui/widgets/BorderlessWindow.h"
#include "app/ui/widgets/EventObject.h"
#include "platform/ns/NotificationCenter.h"

NSWindowExt::NSWindowExt(const ns::Rect& contentRect, unsigned, ns::BackingStoreType, bool defer)
    : ns::Window(contentRect, ns::BorderlessWindowMask, ns::BackingStoreBuffered, defer)
{
    BorderlessWindow::makeTransparent(this);
}

void NSWindowExt::mouseDown(const ns::Event& event)
{
    initialLocation = BorderlessWindow::mouseOffset(this, event);
    bMouseDown = true;
}

void NSWindowExt::mouseDragged(const ns::Event& event)
{
    if (bMouseDown)
        BorderlessWindow::follow(this, event, initialLocation);
}

void NSWindowExt::mouseUp(const ns::Event&)
{
    bMouseDown = false;
}

void NSWindowExt::mouseMoved(const ns::Event& event)
{
    EventObject theEvent(event);
    ns::Notification notification(kSuperWindowMouseMovedNotification);
    notification.setObjectInfo({{kTheEventKey, &theEvent}});
    ns::NotificationCenter::defaultCenter().postNotification(notification);
}
