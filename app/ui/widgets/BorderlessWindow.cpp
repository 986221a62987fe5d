#include "app/ui/widgets/BorderlessWindow.h"

#include "platform/ns/appkit/Screen.h"

namespace BorderlessWindow
{

void makeTransparent(ns::Window* window)
{
    window->setBackgroundColor(ns::Color::clearColor());
    window->setOpaque(false);
}

ns::Point mouseOffset(const ns::Window* window, const ns::Event& event)
{
    const ns::Point mouse = window->convertBaseToScreen(event.locationInWindow());
    const ns::Point origin = window->frame().origin;
    return {mouse.x - origin.x, mouse.y - origin.y};
}

void follow(ns::Window* window, const ns::Event& event, ns::Point offset)
{
    const ns::Point mouse = window->convertBaseToScreen(event.locationInWindow());
    ns::Point origin{mouse.x - offset.x, mouse.y - offset.y};
    const double top = ns::Screen::mainScreen().visibleFrame().maxY();
    const double height = window->frame().height();
    if (origin.y + height > top)
        origin.y = top - height;
    window->setFrameOrigin(origin);
}

} // namespace BorderlessWindow
