#include "app/ui/widgets/NSSheetWindow.h"

#include "app/ui/widgets/BorderlessWindow.h"

NSSheetWindow::NSSheetWindow(const ns::Rect& contentRect, unsigned, ns::BackingStoreType, bool defer)
    : ns::Window(contentRect, ns::BorderlessWindowMask, ns::BackingStoreBuffered, defer)
{
    BorderlessWindow::makeTransparent(this);
    setHasShadow(false);
}
