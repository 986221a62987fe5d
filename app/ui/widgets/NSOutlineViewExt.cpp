#include "app/ui/widgets/NSOutlineViewExt.h"

#include "platform/ns/NotificationCenter.h"

NSOutlineViewExt::NSOutlineViewExt(const ns::Rect& frame) : ns::OutlineView(frame) {}

void NSOutlineViewExt::rightMouseDown(const ns::Event& event)
{
    rowAtMouseRightDown_ = rowAtPoint(convertPoint(event.locationInWindow(), nullptr));
    itemAtMouseRightDown_ = rowAtMouseRightDown_ >= 0 ? itemAtRow(rowAtMouseRightDown_) : nullptr;
    if (rowAtMouseRightDown_ >= 0 && !isRowSelected(rowAtMouseRightDown_)) {
        selectRow(rowAtMouseRightDown_, false);
        ns::NotificationCenter::defaultCenter().postNotificationName(
            ns::OutlineViewSelectionIsChangingNotification, this);
    }
    if (itemAtMouseRightDown_)
        ns::OutlineView::rightMouseDown(event);
}
