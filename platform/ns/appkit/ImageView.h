#pragma once

#include "platform/ns/appkit/Control.h"
#include "platform/ns/appkit/Image.h"

#include <memory>

namespace ns
{

enum ImageScaling {
    ImageScaleProportionallyDown = 0,
    ImageScaleAxesIndependently = 1,
    ImageScaleNone = 2,
    ImageScaleProportionallyUpOrDown = 3,
};

enum ImageAlignment {
    ImageAlignCenter = 0,
    ImageAlignTop = 1,
    ImageAlignTopLeft = 2,
    ImageAlignTopRight = 3,
    ImageAlignLeft = 4,
    ImageAlignBottom = 5,
    ImageAlignBottomLeft = 6,
    ImageAlignBottomRight = 7,
    ImageAlignRight = 8,
};

enum ImageFrameStyle {
    ImageFrameNone = 0,
    ImageFramePhoto = 1,
    ImageFrameGrayBezel = 2,
    ImageFrameGroove = 3,
    ImageFrameButton = 4,
};

// The cell of an image view or of an image column: the image (its object
// value), scaled and aligned inside the frame, with an optional frame line.
class ImageCell : public Cell
{
public:
    Image image() const { return objectValue().value<Image>(); }
    void setImage(const Image& image) { setObjectValue(QVariant::fromValue(image)); }
    int imageScaling() const { return scaling_; }
    void setImageScaling(int scaling);
    int imageAlignment() const { return imageAlignment_; }
    void setImageAlignment(int alignment);
    int imageFrameStyle() const { return frameStyle_; }
    void setImageFrameStyle(int style);

    // Where the image is drawn inside the frame (in the frame's coordinates).
    Rect imageRectForBounds(const Rect& bounds) const;
    void drawWithFrame(const Rect& cellFrame, View* controlView) override;
    Size cellSize() const override;

private:
    double frameInset() const { return frameStyle_ == ImageFrameNone ? 0 : 2; }

    int scaling_ = ImageScaleProportionallyDown;
    int imageAlignment_ = ImageAlignCenter;
    int frameStyle_ = ImageFrameNone;
};

class ImageView : public Control
{
public:
    explicit ImageView(const Rect& frame = Rect());

    ImageCell* cell() const override { return cell_.get(); }

    Image image() const { return cell_->image(); }
    virtual void setImage(const Image& image) { cell_->setImage(image); }
    int imageScaling() const { return cell_->imageScaling(); }
    void setImageScaling(int scaling) { cell_->setImageScaling(scaling); }
    int imageAlignment() const { return cell_->imageAlignment(); }
    void setImageAlignment(int alignment) { cell_->setImageAlignment(alignment); }
    int imageFrameStyle() const { return cell_->imageFrameStyle(); }
    void setImageFrameStyle(int style) { cell_->setImageFrameStyle(style); }

private:
    std::unique_ptr<ImageCell> cell_;
};

} // namespace ns
