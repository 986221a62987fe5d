#pragma once

#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Geometry.h"

#include <QPainter>

#include <vector>

namespace ns
{

enum CompositingOperation {
    CompositeClear = 0,
    CompositeCopy = 1,
    CompositeSourceOver = 2,
    CompositeSourceIn = 3,
    CompositeSourceOut = 4,
    CompositeSourceAtop = 5,
    CompositeDestinationOver = 6,
    CompositeDestinationIn = 7,
    CompositeDestinationOut = 8,
    CompositeDestinationAtop = 9,
    CompositeXOR = 10,
    CompositePlusDarker = 11,
    CompositePlusLighter = 13,
};

// The drawing destination of the view being drawn: a QPainter together with
// the height of the area, so that drawing code works in the view's Cocoa
// coordinates (y up) unless the view is flipped (y down, as in Qt).
// Constructing a context makes it the current one until it is destroyed.
class GraphicsContext
{
public:
    GraphicsContext(QPainter& painter, double height, bool flipped);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // The context of the drawing in progress, or null outside drawing.
    static GraphicsContext* current();

    QPainter& painter() { return painter_; }
    bool isFlipped() const { return flipped_; }
    QRectF toQt(const Rect& rect) const;
    QPointF toQt(Point point) const;
    Rect fromQt(const QRectF& rect) const;

    const Color& fillColor() const { return state_.fill; }
    const Color& strokeColor() const { return state_.stroke; }
    void setFillColor(const Color& color) { state_.fill = color; }
    void setStrokeColor(const Color& color) { state_.stroke = color; }

    void saveGraphicsState();
    void restoreGraphicsState();

    static QPainter::CompositionMode compositionMode(CompositingOperation operation);

private:
    struct State {
        Color fill = Color::blackColor();
        Color stroke = Color::blackColor();
    };

    QPainter& painter_;
    double height_;
    bool flipped_;
    State state_;
    std::vector<State> saved_;
    GraphicsContext* previous_;
};

// Fills the rectangle with the current fill colour (copying it, or composited by the operation).
void rectFill(const Rect& rect);
void rectFillUsingOperation(const Rect& rect, CompositingOperation operation);
// Draws a one-pixel frame inside the rectangle with the current fill colour.
void frameRect(const Rect& rect);

} // namespace ns
