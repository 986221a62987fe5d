#include "app/ui/widgets/NSViewExt.h"

#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/Window.h"

NSViewExt::NSViewExt(const ns::Rect& frame) : ns::View(frame) {}

void NSViewExt::setImage(const ns::Image& image)
{
    backGroundImage = image;
    setNeedsDisplay(true);
}

void NSViewExt::drawRect(const ns::Rect& dirtyRect)
{
    if (backGroundImage.isNull()) {
        ns::View::drawRect(dirtyRect);
        return;
    }
    ns::Color::clearColor().set();
    ns::rectFill(bounds());
    backGroundImage.drawAtPoint({0, 0}, ns::Rect(), ns::CompositeSourceOver, 1.0);
    // The shape of a transparent window follows its picture.
    if (ns::Window* owner = window())
        owner->invalidateShadow();
}
