#pragma once

#include "app/ui/widgets/NSButtonExt.h"
#include "platform/ns/Notification.h"
#include "platform/ns/appkit/Menu.h"

#include <memory>

// A button drawn from four images, one per state: up, pressed (down), mouse
// inside (in) and disabled. The skin manager turns the hover behaviour on
// (setFlickerButtonStyle); without it the button behaves as a plain button
// whose press opens its pop-up menu when it has one. Buttons of one group
// act as radio buttons: the last one clicked shows pressed.
class NSFlickerButton : public NSButtonExt
{
public:
    // Bits of the button's status.
    enum { BtnStatusPressed = 1, BtnStatusMouseInside = 2 };

    explicit NSFlickerButton(const ns::Rect& frame = ns::Rect());

    // Toggle type, image only, no border, hover behaviour on.
    void setFlickerButtonStyle();
    bool isFlickerButton() const { return bFlickerButton_; }

    const ns::Image& _imageUp() const { return imageUp_; }
    const ns::Image& _imageDn() const { return imageDn_; }
    const ns::Image& _imageIn() const { return imageIn_; }
    const ns::Image& _imageDisable() const { return imageDisable_; }
    void setImageUp(const ns::Image& image) { imageUp_ = image; }
    void setImageDn(const ns::Image& image) { imageDn_ = image; }
    void setImageIn(const ns::Image& image) { imageIn_ = image; }
    void setImageDisable(const ns::Image& image) { imageDisable_ = image; }

    const std::optional<ns::Color>& upTitleColor() const { return upTitleColor_; }
    const std::optional<ns::Color>& inTitleColor() const { return inTitleColor_; }
    const std::optional<ns::Color>& dnTitleColor() const { return dnTitleColor_; }
    void setUpTitleColor(const std::optional<ns::Color>& color) { upTitleColor_ = color; }
    void setInTitleColor(const std::optional<ns::Color>& color) { inTitleColor_ = color; }
    void setDnTitleColor(const std::optional<ns::Color>& color) { dnTitleColor_ = color; }
    // Shows the title in the colour; nothing without one.
    void setHoverTitleColor(const std::optional<ns::Color>& color);

    // Joins the group of the id (nothing for an empty id); the default
    // button of a group starts pressed.
    void setGroupButton(const QString& groupID, bool bDefaultBtn);
    // Tells the group that this button was chosen.
    void setGroupButtonChange();
    void groupBtnChanged(ns::Notification* notification);
    const QString& groupID() const { return groupID_; }

    // The menu that a click pops up (owned by the button).
    void setMenu(std::unique_ptr<ns::Menu> menu) override;
    ns::Menu* menu() const override { return popupMenu_.get(); }

    const QString& itemLabel() const { return _itemLabel; }
    void setItemLabel(const QString& label) { _itemLabel = label; }

    void setBtnStatus(int bits) { btnStatus |= bits; }
    void clearBtnStatus(int bits) { btnStatus &= ~bits; }
    bool isBtnStatusOK(int bits) const { return (btnStatus & bits) != 0; }

    // The tracking rectangle over the bounds that reports the mouse
    // entering and leaving: added when there is none, removed when there is
    // one, rebuilt when forced or while no status bit is set.
    void enableMouseTracking();
    void disableMouseTracking();
    void resetMouseTracking(bool force);

    // Ignores a null image.
    void setImage(const ns::Image& image) override;
    void setEnabled(bool enabled) override;
    void drawRect(const ns::Rect& dirtyRect) override;
    void mouseDown(const ns::Event& event) override;
    void mouseUp(const ns::Event& event) override;
    void mouseDragged(const ns::Event& event) override;
    void mouseEntered(const ns::Event& event) override;
    void mouseExited(const ns::Event& event) override;

private:
    // Shows the image and title colour of a state.
    void show(const ns::Image& image, const std::optional<ns::Color>& titleColor);
    QString groupNotificationName() const;
    void popUpMenu(const ns::Event& event);

    ns::Image imageUp_;
    ns::Image imageDn_;
    ns::Image imageDisable_;
    ns::Image imageIn_;
    QString _itemLabel;
    int btnStatus = 0;
    int trackingRectTag = 0;
    QString groupID_;
    ns::Image groupImage_;
    std::optional<ns::Color> upTitleColor_;
    std::optional<ns::Color> inTitleColor_;
    std::optional<ns::Color> dnTitleColor_;
    bool bFlickerButton_ = false;
    std::unique_ptr<ns::Menu> popupMenu_;
};
