#include "app/ui/widgets/NSButtonCellExt.h"

NSButtonCellExt::NSButtonCellExt(const QString& title) : ns::ButtonCell(title) {}

void NSButtonCellExt::setTitleColor(const std::optional<ns::Color>& color)
{
    applyTitleColor(*this, color);
}

void NSButtonCellExt::setTitle(const QString& title)
{
    ns::ButtonCell::setTitle(title);
    setTitleColor(titleColor());
}
