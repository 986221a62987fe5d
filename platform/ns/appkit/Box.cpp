#include "platform/ns/appkit/Box.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace ns
{

Box::Box(const Rect& frame) : View(frame), titleFont_(Font::systemFontOfSize(Font::smallSystemFontSize()))
{
    contentView_ = new View();
    addSubview(contentView_);
    layout();
}

void Box::setTitle(const QString& title)
{
    title_ = title;
    layout();
}

void Box::setTitlePosition(int position)
{
    titlePosition_ = position;
    layout();
}

void Box::setTitleFont(const Font& font)
{
    titleFont_ = font;
    layout();
}

void Box::setBorderType(int type)
{
    borderType_ = type;
    layout();
}

void Box::setBoxType(int type)
{
    boxType_ = type;
    layout();
}

void Box::setContentViewMargins(Size margins)
{
    margins_ = margins;
    layout();
}

void Box::setFillColor(const Color& color)
{
    fillColor_ = color;
    update();
}

void Box::setBorderColor(const Color& color)
{
    borderColor_ = color;
    update();
}

void Box::setFrame(const Rect& frame)
{
    View::setFrame(frame);
    layout();
}

double Box::titleHeight() const
{
    if (boxType_ == BoxSeparator || titlePosition_ == NoTitle || title_.isEmpty())
        return 0;
    return std::ceil(QFontMetricsF(titleFont_.qFont()).height());
}

double Box::borderWidth() const
{
    return boxType_ == BoxSeparator || borderType_ == NoBorder ? 0 : 2;
}

Rect Box::borderRect() const
{
    Rect border = bounds();
    const double th = titleHeight();
    switch (titlePosition_) {
    case AboveTop:
        border.size.height -= th;
        break;
    case AtTop:
        border.size.height -= th / 2;
        break;
    case AboveBottom:
        border.origin.y += th;
        border.size.height -= th;
        break;
    case AtBottom:
        border.origin.y += th / 2;
        border.size.height -= th / 2;
        break;
    default:
        break;
    }
    return border;
}

Rect Box::titleRect() const
{
    const double th = titleHeight();
    if (th == 0)
        return {};
    const Rect b = bounds();
    const double width =
        std::min(b.width() - 16, std::ceil(QFontMetricsF(titleFont_.qFont()).horizontalAdvance(title_)) + 4);
    switch (titlePosition_) {
    case AboveTop:
    case AtTop:
        return {8, b.maxY() - th, width, th};
    case BelowTop:
        return {8, b.maxY() - borderWidth() - th, width, th};
    case AboveBottom:
        return {8, borderWidth(), width, th};
    default:
        return {8, 0, width, th};
    }
}

void Box::layout()
{
    Rect content = borderRect().insetBy(borderWidth() + margins_.width, borderWidth() + margins_.height);
    if (titlePosition_ == BelowTop)
        content.size.height -= titleHeight();
    if (titlePosition_ == AtTop)
        content.size.height -= titleHeight() / 2;
    content.size.width = std::max(0.0, content.width());
    content.size.height = std::max(0.0, content.height());
    contentView_->setFrame(content);
    update();
}

void Box::drawRect(const Rect&)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    QPainter& painter = context->painter();
    const Rect b = bounds();
    if (boxType_ == BoxSeparator) {
        painter.save();
        painter.setPen(Color::gridColor().qColor());
        if (b.width() >= b.height())
            painter.drawLine(context->toQt(Point{b.minX(), b.midY()}),
                             context->toQt(Point{b.maxX(), b.midY()}));
        else
            painter.drawLine(context->toQt(Point{b.midX(), b.minY()}),
                             context->toQt(Point{b.midX(), b.maxY()}));
        painter.restore();
        return;
    }
    const QRectF border = context->toQt(borderRect());
    if (boxType_ == BoxCustom)
        painter.fillRect(border, fillColor_.qColor());
    if (borderType_ == LineBorder || (boxType_ == BoxCustom && borderType_ != NoBorder)) {
        painter.save();
        painter.setPen(borderColor_.qColor());
        painter.drawRect(border.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
    } else if (borderType_ != NoBorder) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.rect = border.toRect();
        option.lineWidth = 1;
        option.state |= borderType_ == BezelBorder ? QStyle::State_Sunken : QStyle::State_None;
        style()->drawPrimitive(QStyle::PE_FrameGroupBox, &option, &painter, this);
    }
    const Rect titleArea = titleRect();
    if (!titleArea.isEmpty()) {
        painter.save();
        const QRectF qtTitle = context->toQt(titleArea);
        if (titlePosition_ == AtTop || titlePosition_ == AtBottom)
            painter.fillRect(qtTitle, Color::windowBackgroundColor().qColor());
        painter.setFont(titleFont_.qFont());
        painter.setPen(Color::controlTextColor().qColor());
        painter.drawText(qtTitle.adjusted(2, 0, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter), title_);
        painter.restore();
    }
}

} // namespace ns
