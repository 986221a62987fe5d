#pragma once

#include "app/ui/status/FrameHandoff.h"
#include "app/ui/status/MyAnimation.h"
#include "platform/ns/appkit/Image.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/StatusItem.h"
#include "platform/ns/appkit/View.h"

#include <QList>
#include <QString>

#include <atomic>
#include <memory>

// The application's item in the system status bar. It shows a still icon or
// a looping image sequence, and a click pops up its menu or, without one,
// sends its action to its target.
//
// The sequence is stepped by the animation's thread, about twice a second:
// the thread works out the next frame and hands it to the GUI thread, where
// the view changes; nothing of the view is touched from the animation thread.
class StatusBarView : public ns::View, public ns::AnimationDelegate
{
public:
    // Puts a variable-length item with highlighting into the system status
    // bar, showing this view.
    explicit StatusBarView(const ns::Rect& frame = ns::Rect());
    ~StatusBarView() override;

    // Shows the icon instead of the sequence; the view takes the icon's
    // width plus 10 and the height 20.
    void setImage(const ns::Image& image);
    const ns::Image& image() const { return image_; }

    // The menu popped up by a click; the view owns it.
    void setMenu(std::unique_ptr<ns::Menu> menu) override;
    ns::Menu* menu() const override { return popupMenu_.get(); }
    // Without a menu a click sends the action to the target (not owned), with
    // the target itself as argument.
    void setTarget(ns::Object* target) { target_ = target; }
    void setAction(const QString& selector) { leftClickSelecor_ = selector; }
    ns::StatusItem* statusItem() const { return statusItem_.get(); }

    // Whether the sequence is shown instead of the icon.
    bool bAnimation() const { return bAnimation_; }
    void setBanimation(bool animation) { bAnimation_ = animation; }
    int animationSequenceImageNumber() const { return animationSequenceImageNumber_.load(); }
    void setAnimationSequenceImageNumber(int number) { animationSequenceImageNumber_.store(number); }
    QString getAnimationImagesPath() const { return animationSequenceImagePath_; }
    void clearAnimationImagesPath() { animationSequenceImagePath_.clear(); }
    void clearAnimationSequenceImageObjects() { animationSequenceImageObjects_.clear(); }

    // A new path (see ImageSequence.h) turns the sequence display on and adds
    // its frames; the path already set changes nothing.
    void setAnimationImagesPath(const QString& path);
    // Adds frames 1 to the frame count of the path to the frames (a missing
    // image adds nothing).
    void buildAnimationSequenceImageObjects();
    // The first step shows the first frame.
    void startAnimation();
    // Waits for the animation thread, then drops the frames and the path and
    // turns the sequence display off.
    void stopAnimation();

    void setFrame(const ns::Rect& frame) override;
    void setNeedsDisplay(bool flag = true) override;
    void mouseUp(const ns::Event& event) override;
    void drawRect(const ns::Rect& dirtyRect) override;

    // On the animation thread: one step of the sequence.
    void animationDidReachProgressMark(ns::Animation* animation, double progress) override;

private:
    // On the GUI thread: shows the frame the animation thread stepped to.
    void showAnimationFrame(int index);

    std::unique_ptr<ns::StatusItem> statusItem_;
    ns::Image image_;
    std::unique_ptr<ns::Menu> popupMenu_;
    QString leftClickSelecor_;
    ns::Object* target_ = nullptr;
    bool bAnimation_ = false;
    std::unique_ptr<MyAnimation> animation_;
    QString animationSequenceImagePath_;
    // Read by the animation thread.
    std::atomic<int> animationSequenceImageNumber_ = 0;
    // The frame shown.
    int currectAnimationSequenceImageindex_ = 0;
    QList<ns::Image> animationSequenceImageObjects_;
    // The frame the animation thread has stepped to (set afresh at each start).
    std::atomic<int> animationStep_ = 0;
    FrameHandoff frameHandoff_{this};
};
