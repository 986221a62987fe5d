#pragma once

#include "platform/ns/appkit/GraphicsContext.h"

#include <QImage>
#include <QMetaType>
#include <QString>

#include <optional>

class QIcon;

namespace ns
{

// An image: pixels and the size at which it is drawn (its pixel size unless
// set otherwise). A null image stands for "no image".
class Image
{
public:
    Image() = default;
    explicit Image(const QImage& image) : image_(image) {}
    // A transparent image of the size.
    explicit Image(Size size);

    // The application image of that name: a file of the main bundle's resources
    // named so, or so with an image extension; null when there is none.
    static Image imageNamed(const QString& name);
    // A PNG, JPEG or other image file; null when missing or unreadable.
    static Image imageWithContentsOfFile(const QString& path);

    bool isNull() const { return image_.isNull(); }
    Size size() const;
    void setSize(Size size);
    Size pixelSize() const { return {double(image_.width()), double(image_.height())}; }

    // The part of the image inside the rectangle, given in pixels measured from
    // the image's top-left corner (as image files are laid out); null when the
    // rectangle is empty or reaches outside the image.
    Image subImage(const Rect& pixelRect) const;
    // The image redrawn at the size; null unless both sides are above 0.
    Image scaledToSize(Size size) const;

    // Draws into the current graphics context. The source rectangle is in the
    // image's own coordinates (origin at the bottom left); an empty one means
    // the whole image. Fraction is the opacity, from 0 to 1.
    void drawInRect(const Rect& rect, const Rect& fromRect = Rect(),
                    CompositingOperation operation = CompositeSourceOver, double fraction = 1.0) const;
    void drawAtPoint(Point point, const Rect& fromRect = Rect(),
                     CompositingOperation operation = CompositeSourceOver, double fraction = 1.0) const;

    const QImage& qImage() const { return image_; }
    QIcon icon() const;

private:
    QImage image_;
    std::optional<Size> size_;
};

} // namespace ns

Q_DECLARE_METATYPE(ns::Image)
