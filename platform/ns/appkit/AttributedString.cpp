#include "platform/ns/appkit/AttributedString.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QFontMetricsF>

namespace ns
{

Qt::Alignment qtHorizontalAlignment(int textAlignment)
{
    switch (textAlignment) {
    case RightTextAlignment:
        return Qt::AlignRight;
    case CenterTextAlignment:
        return Qt::AlignHCenter;
    case JustifiedTextAlignment:
        return Qt::AlignJustify;
    default:
        return Qt::AlignLeft;
    }
}

QFont AttributedString::font() const
{
    QFont font = attributes_.font ? attributes_.font->qFont() : Font::userFontOfSize(0).qFont();
    font.setUnderline(attributes_.underline);
    return font;
}

Size AttributedString::size() const
{
    QSizeF size = QFontMetricsF(font()).size(0, string_);
    return {size.width(), size.height()};
}

void AttributedString::drawInRect(const Rect& rect) const
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || string_.isEmpty())
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setFont(font());
    painter.setPen(attributes_.foregroundColor ? attributes_.foregroundColor->qColor() : QColor(Qt::black));
    int flags = int(qtHorizontalAlignment(attributes_.alignment.value_or(NaturalTextAlignment))) |
                Qt::AlignTop | Qt::TextWordWrap;
    painter.drawText(context->toQt(rect), flags, string_);
    painter.restore();
}

void AttributedString::drawAtPoint(Point point) const
{
    // The point is the corner nearest the origin in either orientation of the context.
    Size s = size();
    drawInRect({point.x, point.y, s.width + 1, s.height});
}

bool AttributedString::operator==(const AttributedString& other) const
{
    return string_ == other.string_ && attributes_.font == other.attributes_.font &&
           attributes_.foregroundColor == other.attributes_.foregroundColor &&
           attributes_.alignment == other.attributes_.alignment &&
           attributes_.underline == other.attributes_.underline && attributes_.link == other.attributes_.link;
}

} // namespace ns
