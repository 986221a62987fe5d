#include "app/ui/widgets/NSToolbarItemExt.h"

NSToolbarItemExt::NSToolbarItemExt(const QString& identifier) : ns::ToolbarItem(identifier) {}
