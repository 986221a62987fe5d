#include "platform/ns/appkit/BezierPath.h"

#include "platform/ns/appkit/GraphicsContext.h"

#include <QPen>

namespace ns
{

BezierPath BezierPath::bezierPathWithRect(const Rect& rect)
{
    BezierPath path;
    path.moveToPoint({rect.minX(), rect.minY()});
    path.lineToPoint({rect.maxX(), rect.minY()});
    path.lineToPoint({rect.maxX(), rect.maxY()});
    path.lineToPoint({rect.minX(), rect.maxY()});
    path.lineToPoint({rect.minX(), rect.minY()});
    return path;
}

void BezierPath::moveToPoint(Point point)
{
    points_.push_back({point, true});
}

void BezierPath::lineToPoint(Point point)
{
    points_.push_back({point, points_.empty()});
}

void BezierPath::setLineDash(const double* pattern, int count, double phase)
{
    dash_.clear();
    dashPhase_ = phase;
    if (!pattern || count <= 0)
        return;
    dash_.assign(pattern, pattern + count);
    if (count % 2 == 1)
        dash_.insert(dash_.end(), pattern, pattern + count);
}

void BezierPath::stroke() const
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context || points_.empty())
        return;
    QPainterPath path;
    for (const Element& element : points_) {
        const QPointF at = context->toQt(element.point);
        if (element.move)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    QPen pen(context->strokeColor().qColor());
    pen.setWidthF(lineWidth_);
    pen.setCapStyle(Qt::FlatCap);
    if (!dash_.empty()) {
        // Qt measures dashes in line widths; the thinnest line counts as one unit.
        const double unit = lineWidth_ > 0 ? lineWidth_ : 1.0;
        QList<qreal> lengths;
        for (double length : dash_)
            lengths.append(length / unit);
        pen.setDashPattern(lengths);
        pen.setDashOffset(dashPhase_ / unit);
    }
    QPainter& painter = context->painter();
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

} // namespace ns
