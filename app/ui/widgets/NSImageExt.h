#pragma once

#include "platform/ns/appkit/Image.h"

#include <QImage>

// Conversions and cuts of images. The pixel image (QImage) stands where the
// platform's bitmap images stand.
namespace NSImageExt
{

// The image's pixels; null when there are none.
QImage toCGImageRef(const ns::Image& image);
// A new image of the size with the pixels drawn scaled into it.
ns::Image fromCGImageRef(const QImage& pixels, ns::Size size);
// The same at the pixels' own size; null for no pixels.
ns::Image fromCGImageRef(const QImage& pixels);
// The image redrawn at the size; null unless both sides are above 0.
ns::Image rescaleImage(const ns::Image& image, ns::Size size);
// The part inside the rectangle, given in pixels from the image's top-left
// corner; null when the rectangle is empty or its right or lower edge lies
// beyond the image's width or height raised to the next whole number.
ns::Image cutImageInRect(const ns::Image& image, const ns::Rect& rect);

} // namespace NSImageExt
