#include "app/ui/widgets/NSFlickerButton.h"

#include "platform/ns/NotificationCenter.h"

#include <QtDebug>

namespace
{

const QString kGroupNotificationPrefix = QStringLiteral("NSFlickerButton");

} // namespace

NSFlickerButton::NSFlickerButton(const ns::Rect& frame) : NSButtonExt(frame)
{
    registerSelector(QStringLiteral("groupBtnChanged:"), &NSFlickerButton::groupBtnChanged);
}

void NSFlickerButton::setFlickerButtonStyle()
{
    setButtonType(ns::ToggleButton);
    setImagePosition(ns::ImageOnly);
    setBordered(false);
    bFlickerButton_ = true;
}

void NSFlickerButton::setHoverTitleColor(const std::optional<ns::Color>& color)
{
    if (!color)
        return;
    setTitleColor(color);
    setTitle(title());
}

void NSFlickerButton::show(const ns::Image& image, const std::optional<ns::Color>& titleColor)
{
    setImage(image);
    setHoverTitleColor(titleColor);
}

// ---- groups ----

QString NSFlickerButton::groupNotificationName() const
{
    return kGroupNotificationPrefix + groupID_;
}

void NSFlickerButton::setGroupButton(const QString& groupID, bool bDefaultBtn)
{
    if (groupID.isEmpty())
        return;
    ns::NotificationCenter& center = ns::NotificationCenter::defaultCenter();
    if (!groupID_.isEmpty())
        center.removeObserver(this, groupNotificationName(), nullptr);
    groupID_ = groupID;
    center.addObserver(this, QStringLiteral("groupBtnChanged:"), groupNotificationName(), nullptr);
    if (bDefaultBtn) {
        setImage(imageDn_);
        groupImage_ = imageDn_;
    }
}

void NSFlickerButton::setGroupButtonChange()
{
    if (!groupID_.isEmpty())
        ns::NotificationCenter::defaultCenter().postNotificationName(groupNotificationName(), this);
}

void NSFlickerButton::groupBtnChanged(ns::Notification* notification)
{
    if (!notification)
        return;
    groupImage_ = notification->object() == this ? imageDn_ : imageUp_;
    setImage(groupImage_);
}

// ---- menu ----

void NSFlickerButton::setMenu(std::unique_ptr<ns::Menu> menu)
{
    popupMenu_ = std::move(menu);
}

void NSFlickerButton::popUpMenu(const ns::Event& event)
{
    popupMenu_->popUpMenu(convertPoint(event.locationInWindow(), nullptr), this);
}

// ---- tracking ----

void NSFlickerButton::enableMouseTracking()
{
    if (trackingRectTag == 0)
        trackingRectTag = addTrackingRect(bounds());
}

void NSFlickerButton::disableMouseTracking()
{
    if (trackingRectTag != 0) {
        removeTrackingRect(trackingRectTag);
        trackingRectTag = 0;
    }
}

void NSFlickerButton::resetMouseTracking(bool force)
{
    if (!force && btnStatus != 0)
        return;
    disableMouseTracking();
    enableMouseTracking();
}

// ---- overrides ----

void NSFlickerButton::setImage(const ns::Image& image)
{
    if (!image.isNull())
        NSButtonExt::setImage(image);
}

void NSFlickerButton::setEnabled(bool enabled)
{
    if (bFlickerButton_)
        setImage(enabled ? imageUp_ : imageDisable_);
    NSButtonExt::setEnabled(enabled);
}

void NSFlickerButton::drawRect(const ns::Rect& dirtyRect)
{
    NSButtonExt::drawRect(dirtyRect);
    if (bFlickerButton_)
        resetMouseTracking(false);
}

void NSFlickerButton::mouseDown(const ns::Event& event)
{
    if (!bFlickerButton_) {
        if (popupMenu_)
            popUpMenu(event);
        else
            NSButtonExt::mouseDown(event);
        return;
    }
    if (!isEnabled())
        return;
    setBtnStatus(BtnStatusPressed | BtnStatusMouseInside);
    show(imageDn_, dnTitleColor_);
}

void NSFlickerButton::mouseUp(const ns::Event& event)
{
    if (!bFlickerButton_) {
        NSButtonExt::mouseUp(event);
        return;
    }
    if (!isEnabled())
        return;
    clearBtnStatus(BtnStatusPressed);
    show(imageUp_, upTitleColor_);
    if (!isBtnStatusOK(BtnStatusMouseInside))
        return;
    if (popupMenu_) {
        popUpMenu(event);
        return;
    }
    if (target() && target()->respondsToSelector(action())) {
        const std::weak_ptr<const void> alive = lifetime();
        target()->performSelector(action(), this);
        if (alive.expired()) // the action took the button away
            return;
    } else if (!action().isEmpty()) {
        // A skin's button whose handler is not in this build.
        qInfo("Nothing answers the action %s", qPrintable(action()));
    }
    setGroupButtonChange();
    resetMouseTracking(true);
}

void NSFlickerButton::mouseDragged(const ns::Event& event)
{
    if (!bFlickerButton_) {
        NSButtonExt::mouseDragged(event);
        return;
    }
    if (!isEnabled())
        return;
    if (bounds().containsPoint(convertPoint(event.locationInWindow(), nullptr))) {
        setBtnStatus(BtnStatusMouseInside);
        show(imageDn_, dnTitleColor_);
    } else {
        clearBtnStatus(BtnStatusMouseInside);
        show(imageUp_, upTitleColor_);
    }
}

void NSFlickerButton::mouseEntered(const ns::Event& event)
{
    if (!bFlickerButton_) {
        NSButtonExt::mouseEntered(event);
        return;
    }
    if (!isEnabled())
        return;
    setBtnStatus(BtnStatusMouseInside);
    if (isBtnStatusOK(BtnStatusPressed))
        show(imageDn_, dnTitleColor_);
    else
        show(imageIn_, inTitleColor_);
}

void NSFlickerButton::mouseExited(const ns::Event& event)
{
    if (!bFlickerButton_) {
        NSButtonExt::mouseExited(event);
        return;
    }
    if (!isEnabled())
        return;
    clearBtnStatus(BtnStatusMouseInside);
    show(groupImage_.isNull() ? imageUp_ : groupImage_, upTitleColor_);
}
