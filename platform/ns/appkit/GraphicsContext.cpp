#include "platform/ns/appkit/GraphicsContext.h"

namespace ns
{

namespace
{

thread_local GraphicsContext* currentContext = nullptr;

} // namespace

GraphicsContext::GraphicsContext(QPainter& painter, double height, bool flipped)
    : painter_(painter), height_(height), flipped_(flipped), previous_(currentContext)
{
    currentContext = this;
}

GraphicsContext::~GraphicsContext()
{
    currentContext = previous_;
}

GraphicsContext* GraphicsContext::current()
{
    return currentContext;
}

QRectF GraphicsContext::toQt(const Rect& rect) const
{
    return flipped_ ? QRectF(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height)
                    : toQtRect(rect, height_);
}

QPointF GraphicsContext::toQt(Point point) const
{
    return flipped_ ? QPointF(point.x, point.y) : toQtPoint(point, height_);
}

Rect GraphicsContext::fromQt(const QRectF& rect) const
{
    return flipped_ ? Rect(rect.x(), rect.y(), rect.width(), rect.height()) : fromQtRect(rect, height_);
}

void GraphicsContext::saveGraphicsState()
{
    painter_.save();
    saved_.push_back(state_);
}

void GraphicsContext::restoreGraphicsState()
{
    if (saved_.empty())
        return;
    painter_.restore();
    state_ = saved_.back();
    saved_.pop_back();
}

QPainter::CompositionMode GraphicsContext::compositionMode(CompositingOperation operation)
{
    switch (operation) {
    case CompositeClear:
        return QPainter::CompositionMode_Clear;
    case CompositeCopy:
        return QPainter::CompositionMode_Source;
    case CompositeSourceIn:
        return QPainter::CompositionMode_SourceIn;
    case CompositeSourceOut:
        return QPainter::CompositionMode_SourceOut;
    case CompositeSourceAtop:
        return QPainter::CompositionMode_SourceAtop;
    case CompositeDestinationOver:
        return QPainter::CompositionMode_DestinationOver;
    case CompositeDestinationIn:
        return QPainter::CompositionMode_DestinationIn;
    case CompositeDestinationOut:
        return QPainter::CompositionMode_DestinationOut;
    case CompositeDestinationAtop:
        return QPainter::CompositionMode_DestinationAtop;
    case CompositeXOR:
        return QPainter::CompositionMode_Xor;
    case CompositePlusDarker:
        return QPainter::CompositionMode_Darken;
    case CompositePlusLighter:
        return QPainter::CompositionMode_Plus;
    case CompositeSourceOver:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

void rectFillUsingOperation(const Rect& rect, CompositingOperation operation)
{
    GraphicsContext* context = GraphicsContext::current();
    if (!context)
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setCompositionMode(GraphicsContext::compositionMode(operation));
    painter.fillRect(context->toQt(rect), context->fillColor().qColor());
    painter.restore();
}

void rectFill(const Rect& rect)
{
    rectFillUsingOperation(rect, CompositeCopy);
}

void frameRect(const Rect& rect)
{
    if (rect.isEmpty())
        return;
    rectFill({rect.minX(), rect.minY(), rect.width(), 1});
    rectFill({rect.minX(), rect.maxY() - 1, rect.width(), 1});
    rectFill({rect.minX(), rect.minY(), 1, rect.height()});
    rectFill({rect.maxX() - 1, rect.minY(), 1, rect.height()});
}

} // namespace ns
