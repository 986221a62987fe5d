#pragma once

#include "platform/ns/appkit/Event.h"
#include "platform/ns/appkit/Window.h"

// What the borderless windows and panels share: their look, and being moved
// by a drag anywhere in them.
namespace BorderlessWindow
{

// Clear background, not opaque.
void makeTransparent(ns::Window* window);
// The offset of the mouse from the window's origin, in screen coordinates.
ns::Point mouseOffset(const ns::Window* window, const ns::Event& event);
// Moves the window so that the mouse keeps its offset from the origin, with
// the top edge held at or below the top of the main screen's visible area.
void follow(ns::Window* window, const ns::Event& event, ns::Point offset);

} // namespace BorderlessWindow
