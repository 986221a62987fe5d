#pragma once

#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/View.h"

// A view that draws a background image at its origin over a clear ground
// (skinned windows, bars and panes); without an image it is a plain view.
class NSViewExt : public ns::View
{
public:
    explicit NSViewExt(const ns::Rect& frame = ns::Rect());

    const ns::Image& image() const { return backGroundImage; }
    void setImage(const ns::Image& image);

    void drawRect(const ns::Rect& dirtyRect) override;

private:
    ns::Image backGroundImage;
};
