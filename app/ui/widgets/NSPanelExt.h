#pragma once

#include "platform/ns/appkit/Window.h"

// A borderless, transparent panel that the user moves by dragging anywhere in it.
class NSPanelExt : public ns::Panel
{
public:
    // Always borderless with buffered backing, whatever the style asked.
    explicit NSPanelExt(const ns::Rect& contentRect, unsigned styleMask = ns::BorderlessWindowMask,
                        ns::BackingStoreType backing = ns::BackingStoreBuffered, bool defer = false);

    bool canBecomeKeyWindow() const override { return true; }
    void mouseDown(const ns::Event& event) override;
    void mouseDragged(const ns::Event& event) override;
    void mouseUp(const ns::Event& event) override;

private:
    ns::Point initialLocation;
    bool bMouseDown = false;
};
