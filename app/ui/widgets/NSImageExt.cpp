#include "app/ui/widgets/NSImageExt.h"

#include <QPainter>

#include <cmath>

namespace NSImageExt
{

QImage toCGImageRef(const ns::Image& image)
{
    return image.qImage();
}

ns::Image fromCGImageRef(const QImage& pixels, ns::Size size)
{
    QImage canvas(int(std::ceil(size.width)), int(std::ceil(size.height)),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    if (!pixels.isNull() && !canvas.isNull()) {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, canvas.width(), canvas.height()), pixels);
    }
    ns::Image image(canvas);
    image.setSize(size);
    return image;
}

ns::Image fromCGImageRef(const QImage& pixels)
{
    if (pixels.isNull())
        return ns::Image();
    return fromCGImageRef(pixels, {double(pixels.width()), double(pixels.height())});
}

ns::Image rescaleImage(const ns::Image& image, ns::Size size)
{
    return image.scaledToSize(size);
}

ns::Image cutImageInRect(const ns::Image& image, const ns::Rect& rect)
{
    if (image.isNull() || rect.isEmpty() || rect.minX() < 0 || rect.minY() < 0)
        return ns::Image();
    const ns::Size size = image.size();
    if (rect.maxX() > std::ceil(size.width) || rect.maxY() > std::ceil(size.height))
        return ns::Image();
    // Pixels beyond the edge of a fractional image are left clear.
    const QRect area = QRectF(rect.minX(), rect.minY(), rect.width(), rect.height()).toAlignedRect();
    ns::Image part(image.qImage().copy(area));
    part.setSize(rect.size);
    return part;
}

} // namespace NSImageExt
