#pragma once

#include "platform/ns/appkit/Control.h"
#include "platform/ns/appkit/Image.h"

#include <QMarginsF>

#include <memory>
#include <optional>

namespace ns
{

enum ButtonType {
    MomentaryLightButton = 0,
    PushOnPushOffButton = 1,
    ToggleButton = 2,
    SwitchButton = 3,
    RadioButton = 4,
    MomentaryChangeButton = 5,
    OnOffButton = 6,
    MomentaryPushInButton = 7,
};

enum BezelStyle {
    RoundedBezelStyle = 1,
    RegularSquareBezelStyle = 2,
    ThickSquareBezelStyle = 3,
    ThickerSquareBezelStyle = 4,
    ShadowlessSquareBezelStyle = 6,
    CircularBezelStyle = 7,
    TexturedSquareBezelStyle = 8,
    SmallSquareBezelStyle = 10,
    TexturedRoundedBezelStyle = 11,
    RoundRectBezelStyle = 12,
    RecessedBezelStyle = 13,
};

enum CellImagePosition {
    NoImage = 0,
    ImageOnly = 1,
    ImageLeft = 2,
    ImageRight = 3,
    ImageBelow = 4,
    ImageAbove = 5,
    ImageOverlaps = 6,
};

enum CellStateValue { MixedState = -1, OffState = 0, OnState = 1 };

// The cell of a button or of a matrix's entry: type, bezel, image and title,
// state and key equivalent. Switch and radio types draw the desktop's check
// box or radio indicator unless they are given an image.
class ButtonCell : public Cell
{
public:
    explicit ButtonCell(const QString& title = QString());

    int buttonType() const { return type_; }
    // Switch and radio types also become borderless with the image on the left.
    void setButtonType(int type);
    int bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(int style);
    bool isBordered() const { return bordered_; }
    void setBordered(bool bordered);
    int imagePosition() const { return imagePosition_; }
    void setImagePosition(int position);

    const Image& image() const { return image_; }
    virtual void setImage(const Image& image);
    const Image& alternateImage() const { return alternateImage_; }
    virtual void setAlternateImage(const Image& image);

    QString title() const { return title_; }
    // Sets the plain title; any attributes of an earlier attributed title are dropped.
    virtual void setTitle(const QString& title);
    QString alternateTitle() const { return alternateTitle_; }
    void setAlternateTitle(const QString& title);
    // The title with its attributes (the cell's font and alignment when none were set).
    AttributedString attributedTitle() const;
    virtual void setAttributedTitle(const AttributedString& title);

    // The state is the cell's object value.
    int state() const { return intValue(); }
    virtual void setState(int state);
    // A transparent cell draws nothing (it still takes clicks while enabled).
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);
    // The state after a click: buttons that keep a state toggle it, radio buttons turn on.
    void setNextState();

    const QString& keyEquivalent() const { return keyEquivalent_; }
    void setKeyEquivalent(const QString& key) { keyEquivalent_ = key; }
    unsigned keyEquivalentModifierMask() const { return keyEquivalentModifierMask_; }
    void setKeyEquivalentModifierMask(unsigned mask) { keyEquivalentModifierMask_ = mask; }
    // Whether the event is this cell's key equivalent.
    bool matchesKeyEquivalent(const Event& event) const;

    // Whether the alternate image and title show now (toggled on, or pressed for momentary change).
    bool showsAlternate() const;

    void drawWithFrame(const Rect& cellFrame, View* controlView) override;
    Size cellSize() const override;

private:
    bool drawsIndicator() const;
    bool looksPushedIn() const;
    Size contentSize() const;
    // The space the bezel takes around the content: left, top, right, bottom.
    QMarginsF bezelMargins() const;

    int type_ = MomentaryPushInButton;
    int bezelStyle_ = RoundedBezelStyle;
    bool bordered_ = true;
    bool transparent_ = false;
    int imagePosition_ = NoImage;
    Image image_;
    Image alternateImage_;
    QString title_;
    QString alternateTitle_;
    std::optional<AttributedString> attributedTitle_;
    QString keyEquivalent_;
    unsigned keyEquivalentModifierMask_ = 0;
};

// A push button, check box, radio button or image button. A click (mouse
// released inside the button) moves it to its next state and sends its action.
class Button : public Control
{
public:
    explicit Button(const Rect& frame = Rect());

    ButtonCell* cell() const override { return cell_.get(); }

    int buttonType() const { return cell_->buttonType(); }
    void setButtonType(int type) { cell_->setButtonType(type); }
    int bezelStyle() const { return cell_->bezelStyle(); }
    void setBezelStyle(int style) { cell_->setBezelStyle(style); }
    bool isBordered() const { return cell_->isBordered(); }
    void setBordered(bool bordered) { cell_->setBordered(bordered); }
    int imagePosition() const { return cell_->imagePosition(); }
    void setImagePosition(int position) { cell_->setImagePosition(position); }
    const Image& image() const { return cell_->image(); }
    virtual void setImage(const Image& image) { cell_->setImage(image); }
    const Image& alternateImage() const { return cell_->alternateImage(); }
    virtual void setAlternateImage(const Image& image) { cell_->setAlternateImage(image); }
    virtual QString title() const { return cell_->title(); }
    virtual void setTitle(const QString& title) { cell_->setTitle(title); }
    QString alternateTitle() const { return cell_->alternateTitle(); }
    void setAlternateTitle(const QString& title) { cell_->setAlternateTitle(title); }
    virtual AttributedString attributedTitle() const { return cell_->attributedTitle(); }
    virtual void setAttributedTitle(const AttributedString& title) { cell_->setAttributedTitle(title); }
    int state() const { return cell_->state(); }
    virtual void setState(int state) { cell_->setState(state); }
    const QString& keyEquivalent() const { return cell_->keyEquivalent(); }
    void setKeyEquivalent(const QString& key) { cell_->setKeyEquivalent(key); }
    unsigned keyEquivalentModifierMask() const { return cell_->keyEquivalentModifierMask(); }
    void setKeyEquivalentModifierMask(unsigned mask) { cell_->setKeyEquivalentModifierMask(mask); }

    // Clicks the button as the user would: next state, then the action.
    virtual void performClick(Object* sender);
    void highlight(bool flag) { cell_->setHighlighted(flag); }

    bool performKeyEquivalent(const Event& event) override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

private:
    bool isInside(const Event& event) const;

    std::unique_ptr<ButtonCell> cell_;
    bool tracking_ = false;
};

} // namespace ns
