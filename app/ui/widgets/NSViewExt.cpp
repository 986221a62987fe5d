#include "app/ui/widgets/NSViewExt.h"

#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/Window.h"

NSViewExt::NSViewExt(const ns::Rect& frame) : ns::View(frame) {}

void NSViewExt::setImage(const ns::Image& image)
{
    backGroundImage = image;
    setNeedsDisplay(true);
    // The shape of a transparent window follows its picture. This is done
    // here and not while drawing: the window redraws all of itself to take
    // the new shape, and asking for that from a paint would never settle.
    if (ns::Window* owner = window())
        owner->invalidateShadow();
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
}
