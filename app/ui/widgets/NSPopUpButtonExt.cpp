#include "app/ui/widgets/NSPopUpButtonExt.h"

NSPopUpButtonExt::NSPopUpButtonExt(const ns::Rect& frame, bool pullsDown) : ns::PopUpButton(frame, pullsDown)
{
}

void NSPopUpButtonExt::setTitleColor(const std::optional<ns::Color>& color)
{
    applyTitleColor(*this, color);
}

void NSPopUpButtonExt::setTitle(const QString& title)
{
    ns::PopUpButton::setTitle(title);
    setTitleColor(titleColor());
}
