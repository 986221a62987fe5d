#pragma once

#include "platform/ns/appkit/Window.h"

// A borderless, transparent sheet without shadow, for skinned sheets that
// draw their own frame.
class NSSheetWindow : public ns::Window
{
public:
    // Always borderless with buffered backing, whatever the style asked.
    explicit NSSheetWindow(const ns::Rect& contentRect, unsigned styleMask = ns::BorderlessWindowMask,
                           ns::BackingStoreType backing = ns::BackingStoreBuffered, bool defer = false);
};
