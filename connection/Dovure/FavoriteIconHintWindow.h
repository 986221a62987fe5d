#pragma once

#include "platform/ns/appkit/Window.h"

// A borderless, see-through hint window without a shadow that the user drags
// anywhere by its content, always kept on the main screen.
class FavoriteIconHintWindow : public ns::Window
{
public:
    explicit FavoriteIconHintWindow(const ns::Rect& contentRect);

    void mouseDown(const ns::Event& event) override;
    void mouseDragged(const ns::Event& event) override;

private:
    // Where in the window the mouse went down.
    ns::Point initialLocation_;
};
