#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QPainterPath>

#include <vector>

namespace ns
{

// A path of straight segments stroked into the current graphics context with
// its stroke colour. A line width of 0 draws the thinnest line the device
// shows; a dash pattern alternates painted and skipped lengths (in view
// units), starting the given phase into the pattern.
class BezierPath
{
public:
    static BezierPath bezierPathWithRect(const Rect& rect);

    void moveToPoint(Point point);
    void lineToPoint(Point point);
    bool isEmpty() const { return points_.empty(); }

    double lineWidth() const { return lineWidth_; }
    void setLineWidth(double width) { lineWidth_ = width; }
    // An odd count repeats the pattern once more, as dashes alternate.
    void setLineDash(const double* pattern, int count, double phase);

    void stroke() const;

private:
    struct Element {
        Point point;
        bool move;
    };

    std::vector<Element> points_;
    double lineWidth_ = 1.0;
    std::vector<double> dash_;
    double dashPhase_ = 0;
};

} // namespace ns
