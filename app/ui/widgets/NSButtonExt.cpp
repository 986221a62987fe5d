#include "app/ui/widgets/NSButtonExt.h"

NSButtonExt::NSButtonExt(const ns::Rect& frame) : ns::Button(frame) {}

void NSButtonExt::setTitleColor(const std::optional<ns::Color>& color)
{
    applyTitleColor(*this, color);
}

void NSButtonExt::setTitle(const QString& title)
{
    ns::Button::setTitle(title);
    setTitleColor(titleColor());
}
