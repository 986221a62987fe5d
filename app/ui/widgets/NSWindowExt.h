#pragma once

#include "platform/ns/appkit/Window.h"

// The notification NSWindowExt posts for each mouse move it receives; its
// object information holds the event (an EventObject) under "theEvent".
inline const QString kSuperWindowMouseMovedNotification = QStringLiteral("superWindowMouseMoved");
inline const QString kTheEventKey = QStringLiteral("theEvent");

// A borderless, transparent window that the user moves by dragging anywhere
// in it, and that reports mouse moves to whoever listens (owner-drawn tables).
class NSWindowExt : public ns::Window
{
public:
    // Always borderless with buffered backing, whatever the style asked.
    explicit NSWindowExt(const ns::Rect& contentRect, unsigned styleMask = ns::BorderlessWindowMask,
                         ns::BackingStoreType backing = ns::BackingStoreBuffered, bool defer = false);

    bool canBecomeKeyWindow() const override { return true; }
    void mouseDown(const ns::Event& event) override;
    void mouseDragged(const ns::Event& event) override;
    void mouseUp(const ns::Event& event) override;
    // Posts "superWindowMouseMoved" with the event.
    void mouseMoved(const ns::Event& event) override;

private:
    ns::Point initialLocation;
    bool bMouseDown = false;
};
