#include "app/ui/status/animationView.h"

#include "app/interfaces/SMSControlling.h"
#include "app/ui/status/ImageSequence.h"

namespace
{

constexpr int imageCount = 4;

} // namespace

animationView::animationView(const ns::Rect& frame)
    : ns::View(frame), m_animation(MyAnimation::imageSequenceAnimation(this))
{
}

animationView::~animationView()
{
    // The animation thread steps this view: end it before any of the view goes.
    m_animation->stopAnimation();
}

void animationView::setImagePath(const QString& path)
{
    if (path == m_imagePath)
        return;
    m_imagePath = path;
    if (path.isEmpty())
        return;
    m_image1 = imageSequenceImage(path);
    m_image2 = imageSequenceImage(imageSequenceFrameName(path, 2));
    m_image3 = imageSequenceImage(imageSequenceFrameName(path, 3));
    m_image4 = imageSequenceImage(imageSequenceFrameName(path, 4));
}

void animationView::startAnimation()
{
    m_index = imageCount - 1;
    animationStep_.store(m_index);
    setHidden(false);
    m_animation->startAnimation();
}

void animationView::stopAnimation()
{
    m_animation->stopAnimation();
    frameHandoff_.endRun();
    setHidden(true);
}

void animationView::mouseDown(const ns::Event& event)
{
    ns::View::mouseDown(event);
    stopAnimation();
    if (g_SMSController)
        g_SMSController->GotoInbox();
}

const ns::Image& animationView::imageAt(int index) const
{
    switch (index) {
    case 0:
        return m_image1;
    case 1:
        return m_image2;
    case 2:
        return m_image3;
    default:
        return m_image4;
    }
}

void animationView::drawRect(const ns::Rect& dirtyRect)
{
    const ns::Image& image = imageAt(m_index);
    if (!image.isNull())
        image.drawInRect(dirtyRect, ns::Rect(), ns::CompositeSourceOver, 1.0);
}

void animationView::animationDidReachProgressMark(ns::Animation*, double)
{
    const int index = (animationStep_.load() + 1) % imageCount;
    animationStep_.store(index);
    frameHandoff_.post([this, index] { showImage(index); });
}

void animationView::showImage(int index)
{
    m_index = index;
    display();
}
