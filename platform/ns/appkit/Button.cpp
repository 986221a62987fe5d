#include "platform/ns/appkit/Button.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>

namespace ns
{

namespace
{

constexpr double imageTitleGap = 4;

QStyle* styleOf(View* view)
{
    return view ? view->style() : QApplication::style();
}

QSizeF indicatorSize(int type)
{
    QStyle* style = QApplication::style();
    if (type == RadioButton)
        return QSizeF(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth),
                      style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
    return QSizeF(style->pixelMetric(QStyle::PM_IndicatorWidth),
                  style->pixelMetric(QStyle::PM_IndicatorHeight));
}

// The image's size, reduced proportionally to fit into the space when it is larger.
QSizeF fitted(QSizeF size, QSizeF space)
{
    if (size.width() <= space.width() && size.height() <= space.height())
        return size;
    return size.scaled(space, Qt::KeepAspectRatio);
}

} // namespace

ButtonCell::ButtonCell(const QString& title) : title_(title)
{
    setAlignment(CenterTextAlignment);
    Cell::setObjectValue(int(OffState));
}

void ButtonCell::setButtonType(int type)
{
    type_ = type;
    if (type == SwitchButton || type == RadioButton) {
        bordered_ = false;
        imagePosition_ = ImageLeft;
        setAlignment(LeftTextAlignment);
    }
    changed();
}

void ButtonCell::setBezelStyle(int style)
{
    bezelStyle_ = style;
    changed();
}

void ButtonCell::setBordered(bool bordered)
{
    bordered_ = bordered;
    changed();
}

void ButtonCell::setImagePosition(int position)
{
    imagePosition_ = position;
    changed();
}

void ButtonCell::setImage(const Image& image)
{
    image_ = image;
    changed();
}

void ButtonCell::setAlternateImage(const Image& image)
{
    alternateImage_ = image;
    changed();
}

void ButtonCell::setTitle(const QString& title)
{
    title_ = title;
    attributedTitle_.reset();
    changed();
}

void ButtonCell::setAlternateTitle(const QString& title)
{
    alternateTitle_ = title;
    changed();
}

AttributedString ButtonCell::attributedTitle() const
{
    if (attributedTitle_)
        return *attributedTitle_;
    TextAttributes attributes;
    attributes.font = font();
    attributes.alignment = alignment();
    return AttributedString(title_, attributes);
}

void ButtonCell::setAttributedTitle(const AttributedString& title)
{
    attributedTitle_ = title;
    title_ = title.string();
    changed();
}

void ButtonCell::setState(int state)
{
    Cell::setObjectValue(state < 0 ? MixedState : state > 0 ? OnState : OffState);
}

void ButtonCell::setNextState()
{
    switch (type_) {
    case PushOnPushOffButton:
    case ToggleButton:
    case SwitchButton:
    case OnOffButton:
        setState(state() == OnState ? OffState : OnState);
        break;
    case RadioButton:
        setState(OnState);
        break;
    default:
        break;
    }
}

bool ButtonCell::matchesKeyEquivalent(const Event& event) const
{
    if (keyEquivalent_.isEmpty())
        return false;
    unsigned required = keyEquivalentModifierMask_;
    if (keyEquivalent_.size() == 1 && keyEquivalent_[0].isUpper())
        required |= ShiftKeyMask;
    const unsigned modifiers =
        event.modifierFlags() & (ShiftKeyMask | ControlKeyMask | AlternateKeyMask | CommandKeyMask);
    return modifiers == required &&
           event.charactersIgnoringModifiers().compare(keyEquivalent_, Qt::CaseInsensitive) == 0;
}

bool ButtonCell::showsAlternate() const
{
    switch (type_) {
    case ToggleButton:
    case SwitchButton:
    case RadioButton:
        return state() == OnState;
    case MomentaryChangeButton:
        return isHighlighted();
    default:
        return false;
    }
}

bool ButtonCell::drawsIndicator() const
{
    return (type_ == SwitchButton || type_ == RadioButton) && image_.isNull();
}

bool ButtonCell::looksPushedIn() const
{
    const bool toggles = type_ == PushOnPushOffButton || type_ == OnOffButton;
    if (toggles && state() == OnState)
        return true;
    return isHighlighted() && type_ != MomentaryChangeButton && type_ != SwitchButton && type_ != RadioButton;
}

QMarginsF ButtonCell::bezelMargins() const
{
    if (!bordered_ || drawsIndicator())
        return {};
    if (bezelStyle_ == RoundedBezelStyle)
        return {6, 4, 6, 7}; // the rounded bezel leaves room for its shadow
    return {};
}

Size ButtonCell::contentSize() const
{
    const AttributedString title = attributedTitle();
    const QSizeF text = title.string().isEmpty() ? QSizeF() : toQtSize(title.size());
    const QSizeF image = drawsIndicator()  ? indicatorSize(type_)
                         : image_.isNull() ? QSizeF()
                                           : toQtSize(image_.size());
    const int position = drawsIndicator() ? ImageLeft : image.isEmpty() ? NoImage : imagePosition_;
    const double gap = text.isEmpty() ? 0 : imageTitleGap;
    switch (position) {
    case ImageOnly:
        return fromQtSize(image);
    case ImageLeft:
    case ImageRight:
        return {image.width() + gap + text.width(), std::max(image.height(), text.height())};
    case ImageAbove:
    case ImageBelow:
        return {std::max(image.width(), text.width()), image.height() + gap + text.height()};
    case ImageOverlaps:
        return {std::max(image.width(), text.width()), std::max(image.height(), text.height())};
    default:
        return fromQtSize(text);
    }
}

Size ButtonCell::cellSize() const
{
    const Size content = contentSize();
    if (!bordered_ || drawsIndicator())
        return content;
    const QMarginsF m = bezelMargins();
    if (bezelStyle_ == RoundedBezelStyle)
        return {content.width + 2 * 10 + m.left() + m.right(),
                std::max(32.0, content.height + 4 + m.top() + m.bottom())};
    return {content.width + 12, content.height + 8};
}

void ButtonCell::setTransparent(bool transparent)
{
    transparent_ = transparent;
    changed();
}

void ButtonCell::drawWithFrame(const Rect& cellFrame, View* controlView)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || cellFrame.isEmpty() || transparent_)
        return;
    QPainter& painter = context->painter();
    QStyle* style = styleOf(controlView);
    const QRectF outer = context->toQt(cellFrame);
    const QRectF bezel = outer.marginsRemoved(bezelMargins());

    auto styleOption = [&](const QRectF& rect) {
        QStyleOptionButton option;
        if (controlView)
            option.initFrom(controlView);
        option.rect = rect.toRect();
        option.state &=
            ~(QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_On | QStyle::State_HasFocus);
        if (isEnabled())
            option.state |= QStyle::State_Enabled;
        return option;
    };

    if (bordered_ && !drawsIndicator()) {
        QStyleOptionButton option = styleOption(bezel);
        option.state |= looksPushedIn() ? QStyle::State_Sunken : QStyle::State_Raised;
        if (keyEquivalent_ == QLatin1String("\r"))
            option.features |= QStyleOptionButton::DefaultButton;
        style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, controlView);
    }

    const double padding = bordered_ && !drawsIndicator() ? (bezelStyle_ == RoundedBezelStyle ? 8 : 2) : 0;
    const QRectF content = bezel.adjusted(padding, 0, -padding, 0);
    const Image& image = showsAlternate() && !alternateImage_.isNull() ? alternateImage_ : image_;
    const QSizeF imageSize = drawsIndicator() ? indicatorSize(type_)
                             : image.isNull() ? QSizeF()
                                              : fitted(toQtSize(image.size()), content.size());
    const int position = drawsIndicator() ? ImageLeft : imageSize.isEmpty() ? NoImage : imagePosition_;

    AttributedString title = attributedTitle();
    if (showsAlternate() && !alternateTitle_.isEmpty())
        title = AttributedString(alternateTitle_, title.attributes());
    const bool drawsTitle = position != ImageOnly && !title.string().isEmpty();
    const QSizeF textSize = drawsTitle ? toQtSize(title.size()) : QSizeF();
    const double gap = drawsTitle ? imageTitleGap : 0;

    QRectF imageRect(QPointF(), imageSize);
    QRectF titleRect = content;
    imageRect.moveCenter(content.center());
    switch (position) {
    case ImageLeft:
        imageRect.moveLeft(content.left());
        titleRect.setLeft(content.left() + imageSize.width() + gap);
        break;
    case ImageRight:
        imageRect.moveRight(content.right());
        titleRect.setRight(content.right() - imageSize.width() - gap);
        break;
    case ImageAbove: {
        const double top = content.center().y() - (imageSize.height() + gap + textSize.height()) / 2;
        imageRect.moveTop(top);
        titleRect =
            QRectF(content.left(), top + imageSize.height() + gap, content.width(), textSize.height());
        break;
    }
    case ImageBelow: {
        const double top = content.center().y() - (imageSize.height() + gap + textSize.height()) / 2;
        titleRect = QRectF(content.left(), top, content.width(), textSize.height());
        imageRect.moveTop(top + textSize.height() + gap);
        break;
    }
    default:
        break;
    }

    if (drawsIndicator()) {
        QStyleOptionButton option = styleOption(imageRect);
        option.state |= state() == OnState      ? QStyle::State_On
                        : state() == MixedState ? QStyle::State_NoChange
                                                : QStyle::State_Off;
        if (isHighlighted())
            option.state |= QStyle::State_Sunken;
        style->drawPrimitive(type_ == RadioButton ? QStyle::PE_IndicatorRadioButton
                                                  : QStyle::PE_IndicatorCheckBox,
                             &option, &painter, controlView);
    } else if (position != NoImage) {
        image.drawInRect(context->fromQt(imageRect), Rect(), CompositeSourceOver, isEnabled() ? 1.0 : 0.5);
    }

    if (drawsTitle) {
        const TextAttributes& attributes = title.attributes();
        QColor color = attributes.foregroundColor ? attributes.foregroundColor->qColor()
                                                  : Color::controlTextColor().qColor();
        if (!isEnabled())
            color =
                attributes.foregroundColor ? color.lighter(150) : Color::disabledControlTextColor().qColor();
        painter.save();
        painter.setFont(attributes.font ? attributes.font->qFont() : font().qFont());
        painter.setPen(color);
        const int textAlignment = attributes.alignment.value_or(alignment());
        const Qt::Alignment horizontal = position == ImageLeft || position == ImageRight
                                             ? qtHorizontalAlignment(textAlignment)
                                             : Qt::AlignHCenter;
        painter.drawText(titleRect, int(horizontal | Qt::AlignVCenter), title.string());
        painter.restore();
    }
}

// ---- button ----

Button::Button(const Rect& frame) : Control(frame), cell_(std::make_unique<ButtonCell>())
{
    cell_->setControlView(this);
}

void Button::performClick(Object*)
{
    if (!isEnabled())
        return;
    cell_->setNextState();
    sendAction(action(), target());
}

bool Button::performKeyEquivalent(const Event& event)
{
    if (!isEnabled() || isHiddenOrHasHiddenAncestor() || !cell_->matchesKeyEquivalent(event))
        return false;
    performClick(this);
    return true;
}

bool Button::isInside(const Event& event) const
{
    return bounds().containsPoint(convertPoint(event.locationInWindow(), nullptr));
}

void Button::mouseDown(const Event&)
{
    if (!isEnabled())
        return;
    tracking_ = true;
    highlight(true);
}

void Button::mouseDragged(const Event& event)
{
    if (tracking_)
        highlight(isInside(event));
}

void Button::mouseUp(const Event& event)
{
    if (!tracking_)
        return;
    tracking_ = false;
    highlight(false);
    if (isInside(event) && isEnabled()) {
        cell_->setNextState();
        sendAction(action(), target());
    }
}

} // namespace ns
