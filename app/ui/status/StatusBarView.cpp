#include "app/ui/status/StatusBarView.h"

#include "app/ui/status/ImageSequence.h"

namespace
{

// The item's height, and the room beside an image.
constexpr double itemHeight = 20;
constexpr double imageMargin = 10;

ns::Rect itemFrameForImage(const ns::Image& image)
{
    return {0, 0, image.size().width + imageMargin, itemHeight};
}

} // namespace

StatusBarView::StatusBarView(const ns::Rect& frame)
    : ns::View(frame),
      statusItem_(ns::StatusBar::systemStatusBar().statusItemWithLength(ns::VariableStatusItemLength)),
      animation_(MyAnimation::imageSequenceAnimation(this))
{
    statusItem_->setHighlightMode(true);
    statusItem_->setView(this);
}

StatusBarView::~StatusBarView()
{
    // The animation thread steps this view: end it before any of the view goes.
    animation_->stopAnimation();
}

void StatusBarView::setImage(const ns::Image& image)
{
    bAnimation_ = false;
    image_ = image;
    setNeedsDisplay();
    setFrame(itemFrameForImage(image_));
}

void StatusBarView::setMenu(std::unique_ptr<ns::Menu> menu)
{
    popupMenu_ = std::move(menu);
}

void StatusBarView::setAnimationImagesPath(const QString& path)
{
    if (path == animationSequenceImagePath_)
        return;
    animationSequenceImagePath_ = path;
    bAnimation_ = true;
    buildAnimationSequenceImageObjects();
}

void StatusBarView::buildAnimationSequenceImageObjects()
{
    if (animationSequenceImagePath_.isEmpty())
        return;
    const int number = animationSequenceImageNumber_.load();
    for (int frame = 1; frame <= number; ++frame) {
        ns::Image image = imageSequenceImage(imageSequenceFrameName(animationSequenceImagePath_, frame));
        if (!image.isNull())
            animationSequenceImageObjects_.append(image);
    }
}

void StatusBarView::startAnimation()
{
    currectAnimationSequenceImageindex_ = animationSequenceImageNumber_.load() - 1;
    animationStep_.store(currectAnimationSequenceImageindex_);
    animation_->startAnimation();
}

void StatusBarView::stopAnimation()
{
    animation_->stopAnimation();
    frameHandoff_.endRun();
    clearAnimationSequenceImageObjects();
    clearAnimationImagesPath();
    bAnimation_ = false;
    setNeedsDisplay();
}

void StatusBarView::setFrame(const ns::Rect& frame)
{
    ns::View::setFrame(frame);
    statusItem_->setNeedsDisplay();
}

void StatusBarView::setNeedsDisplay(bool flag)
{
    ns::View::setNeedsDisplay(flag);
    if (flag)
        statusItem_->setNeedsDisplay();
}

void StatusBarView::mouseUp(const ns::Event& event)
{
    if (popupMenu_)
        statusItem_->popUpStatusItemMenu(popupMenu_.get());
    else if (target_ && target_->respondsToSelector(leftClickSelecor_))
        target_->performSelector(leftClickSelecor_, target_);
    else
        ns::View::mouseUp(event);
}

void StatusBarView::drawRect(const ns::Rect& dirtyRect)
{
    if (!image_.isNull() && !bAnimation_) {
        image_.drawAtPoint(dirtyRect.origin, ns::Rect(), ns::CompositeSourceOver, 1.0);
    } else if (bAnimation_) {
        // A frame whose image was missing draws nothing.
        if (currectAnimationSequenceImageindex_ >= 0 &&
            currectAnimationSequenceImageindex_ < animationSequenceImageObjects_.size())
            animationSequenceImageObjects_[currectAnimationSequenceImageindex_].drawInRect(
                dirtyRect, ns::Rect(), ns::CompositeSourceOver, 1.0);
    } else {
        ns::View::drawRect(dirtyRect);
    }
}

void StatusBarView::animationDidReachProgressMark(ns::Animation*, double)
{
    const int number = animationSequenceImageNumber_.load();
    if (number <= 0)
        return;
    const int frame = (animationStep_.load() + 1) % number;
    animationStep_.store(frame);
    frameHandoff_.post([this, frame] { showAnimationFrame(frame); });
}

void StatusBarView::showAnimationFrame(int index)
{
    currectAnimationSequenceImageindex_ = index;
    setNeedsDisplay();
    // The icon keeps its own size while it is shown instead.
    if (bAnimation_ && index < animationSequenceImageObjects_.size())
        setFrame(itemFrameForImage(animationSequenceImageObjects_[index]));
}
