#include "platform/ns/appkit/ImageView.h"

#include "platform/ns/appkit/GraphicsContext.h"

namespace ns
{

void ImageCell::setImageScaling(int scaling)
{
    scaling_ = scaling;
    changed();
}

void ImageCell::setImageAlignment(int alignment)
{
    imageAlignment_ = alignment;
    changed();
}

void ImageCell::setImageFrameStyle(int style)
{
    frameStyle_ = style;
    changed();
}

Rect ImageCell::imageRectForBounds(const Rect& bounds) const
{
    const Image picture = image();
    const Rect area = bounds.insetBy(frameInset(), frameInset());
    if (picture.isNull() || area.isEmpty())
        return {};
    Size size = picture.size();
    const double fit = std::min(area.width() / size.width, area.height() / size.height);
    switch (scaling_) {
    case ImageScaleAxesIndependently:
        size = area.size;
        break;
    case ImageScaleProportionallyUpOrDown:
        size = {size.width * fit, size.height * fit};
        break;
    case ImageScaleProportionallyDown:
        if (fit < 1)
            size = {size.width * fit, size.height * fit};
        break;
    default:
        break;
    }
    double x = area.midX() - size.width / 2;
    double y = area.midY() - size.height / 2;
    switch (imageAlignment_) {
    case ImageAlignTopLeft:
    case ImageAlignLeft:
    case ImageAlignBottomLeft:
        x = area.minX();
        break;
    case ImageAlignTopRight:
    case ImageAlignRight:
    case ImageAlignBottomRight:
        x = area.maxX() - size.width;
        break;
    default:
        break;
    }
    switch (imageAlignment_) {
    case ImageAlignTop:
    case ImageAlignTopLeft:
    case ImageAlignTopRight:
        y = area.maxY() - size.height;
        break;
    case ImageAlignBottom:
    case ImageAlignBottomLeft:
    case ImageAlignBottomRight:
        y = area.minY();
        break;
    default:
        break;
    }
    return {x, y, size.width, size.height};
}

void ImageCell::drawWithFrame(const Rect& cellFrame, View*)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    if (frameStyle_ != ImageFrameNone) {
        context->saveGraphicsState();
        Color::grayColor().setFill();
        frameRect(cellFrame);
        context->restoreGraphicsState();
    }
    Rect bounds = cellFrame;
    // In a flipped context the image's top must stay the top: measure as if not flipped.
    Rect drawn = imageRectForBounds({0, 0, bounds.width(), bounds.height()});
    if (drawn.isEmpty())
        return;
    double y = context->isFlipped() ? bounds.maxY() - drawn.maxY() : bounds.minY() + drawn.minY();
    image().drawInRect({bounds.minX() + drawn.minX(), y, drawn.width(), drawn.height()}, Rect(),
                       CompositeSourceOver, isEnabled() ? 1.0 : 0.5);
}

Size ImageCell::cellSize() const
{
    const Size size = image().isNull() ? Size() : image().size();
    return {size.width + 2 * frameInset(), size.height + 2 * frameInset()};
}

ImageView::ImageView(const Rect& frame) : Control(frame), cell_(std::make_unique<ImageCell>())
{
    cell_->setControlView(this);
}

} // namespace ns
