#pragma once

#include "app/ui/status/FrameHandoff.h"
#include "app/ui/status/MyAnimation.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/View.h"

#include <QString>

#include <atomic>
#include <memory>

// A view in a window that cycles four images to signal a newly arrived
// message; a click stops it and brings the SMS inbox forward.
//
// The images are stepped by the animation's thread, about twice a second:
// the thread works out the next image and hands it to the GUI thread, which
// redraws the view; nothing of the view is touched from the animation thread.
class animationView : public ns::View, public ns::AnimationDelegate
{
public:
    explicit animationView(const ns::Rect& frame = ns::Rect());
    ~animationView() override;

    // A new path loads the four images: the first named by the path itself,
    // the others by the path with its last character replaced by 2, 3 and 4
    // (see ImageSequence.h). An empty path loads nothing.
    void setImagePath(const QString& path);
    QString getImagePath() const { return m_imagePath; }

    // Shows the view and starts the cycle with the first image.
    void startAnimation();
    // Waits for the animation thread and hides the view.
    void stopAnimation();

    void mouseDown(const ns::Event& event) override;
    void drawRect(const ns::Rect& dirtyRect) override;

    // On the animation thread: one step of the cycle.
    void animationDidReachProgressMark(ns::Animation* animation, double progress) override;

private:
    // On the GUI thread: shows the image the animation thread stepped to.
    void showImage(int index);
    const ns::Image& imageAt(int index) const;

    std::unique_ptr<MyAnimation> m_animation;
    QString m_imagePath;
    ns::Image m_image1;
    ns::Image m_image2;
    ns::Image m_image3;
    ns::Image m_image4;
    // The image shown, 0 to 3.
    int m_index = 0;
    // The image the animation thread has stepped to (set afresh at each start).
    std::atomic<int> animationStep_ = 0;
    FrameHandoff frameHandoff_{this};
};
