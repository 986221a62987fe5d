#include "platform/ns/appkit/Image.h"

#include "platform/ns/Bundle.h"

#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <cmath>

namespace ns
{

Image::Image(Size size)
    : image_(int(std::ceil(size.width)), int(std::ceil(size.height)), QImage::Format_ARGB32_Premultiplied)
{
    image_.fill(Qt::transparent);
    size_ = size;
}

Image Image::imageNamed(const QString& name)
{
    static const char* const extensions[] = {"",    "png",  "PNG", "tiff", "tif",
                                             "jpg", "jpeg", "JPG", "gif",  "bmp"};
    for (const char* extension : extensions) {
        QString path = Bundle::mainBundle().pathForResource(name, QString::fromLatin1(extension));
        if (path.isEmpty())
            continue;
        Image image = imageWithContentsOfFile(path);
        if (!image.isNull())
            return image;
    }
    return Image();
}

Image Image::imageWithContentsOfFile(const QString& path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return Image();
    return Image(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

Size Image::size() const
{
    return size_ ? *size_ : pixelSize();
}

void Image::setSize(Size size)
{
    size_ = size;
}

Image Image::subImage(const Rect& pixelRect) const
{
    if (isNull() || pixelRect.isEmpty() || pixelRect.minX() < 0 || pixelRect.minY() < 0)
        return Image();
    if (pixelRect.maxX() > image_.width() || pixelRect.maxY() > image_.height())
        return Image();
    QRect area =
        QRectF(pixelRect.minX(), pixelRect.minY(), pixelRect.width(), pixelRect.height()).toAlignedRect();
    Image part(image_.copy(area.intersected(image_.rect())));
    part.size_ = pixelRect.size;
    return part;
}

Image Image::scaledToSize(Size size) const
{
    if (isNull() || size.width <= 0 || size.height <= 0)
        return Image();
    Image scaled(size);
    QPainter painter(&scaled.image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, scaled.image_.width(), scaled.image_.height()), image_);
    return scaled;
}

void Image::drawInRect(const Rect& rect, const Rect& fromRect, CompositingOperation operation,
                       double fraction) const
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || isNull() || rect.isEmpty())
        return;
    QRectF source(image_.rect());
    if (!fromRect.isEmpty()) {
        Size logical = size();
        double sx = logical.width > 0 ? image_.width() / logical.width : 1;
        double sy = logical.height > 0 ? image_.height() / logical.height : 1;
        source = QRectF(fromRect.minX() * sx, (logical.height - fromRect.maxY()) * sy, fromRect.width() * sx,
                        fromRect.height() * sy);
    }
    QPainter& painter = context->painter();
    painter.save();
    painter.setCompositionMode(GraphicsContext::compositionMode(operation));
    painter.setOpacity(painter.opacity() * std::clamp(fraction, 0.0, 1.0));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(context->toQt(rect), image_, source);
    painter.restore();
}

void Image::drawAtPoint(Point point, const Rect& fromRect, CompositingOperation operation,
                        double fraction) const
{
    Size drawn = fromRect.isEmpty() ? size() : fromRect.size;
    drawInRect({point, drawn}, fromRect, operation, fraction);
}

QIcon Image::icon() const
{
    return isNull() ? QIcon() : QIcon(QPixmap::fromImage(image_));
}

} // namespace ns
