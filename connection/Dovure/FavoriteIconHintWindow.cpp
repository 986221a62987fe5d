#include "connection/Dovure/FavoriteIconHintWindow.h"

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Screen.h"

#include <algorithm>

FavoriteIconHintWindow::FavoriteIconHintWindow(const ns::Rect& contentRect)
    : ns::Window(contentRect, ns::BorderlessWindowMask, ns::BackingStoreBuffered)
{
    setBackgroundColor(ns::Color::clearColor());
    setOpaque(false);
    setHasShadow(false);
}

void FavoriteIconHintWindow::mouseDown(const ns::Event& event)
{
    initialLocation_ = event.locationInWindow();
}

void FavoriteIconHintWindow::mouseDragged(const ns::Event& event)
{
    const ns::Rect window = frame();
    const ns::Rect screen = ns::Screen::mainScreen().frame();
    const ns::Point mouse{window.origin.x + event.locationInWindow().x,
                          window.origin.y + event.locationInWindow().y};
    ns::Point origin{mouse.x - initialLocation_.x, mouse.y - initialLocation_.y};
    origin.x =
        std::clamp(origin.x, screen.origin.x, std::max(screen.origin.x, screen.maxX() - window.width()));
    origin.y =
        std::clamp(origin.y, screen.origin.y, std::max(screen.origin.y, screen.maxY() - window.height()));
    setFrameOrigin(origin);
}
