#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <ostream>

namespace ns
{

// Points, sizes and rectangles in Cocoa's coordinates: the origin of a frame
// is the bottom-left corner of the area that contains it, and y grows upwards.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    Rect() = default;
    Rect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}
    Rect(Point o, Size s) : origin(o), size(s) {}

    double minX() const { return origin.x; }
    double midX() const { return origin.x + size.width / 2; }
    double maxX() const { return origin.x + size.width; }
    double minY() const { return origin.y; }
    double midY() const { return origin.y + size.height / 2; }
    double maxY() const { return origin.y + size.height; }
    double width() const { return size.width; }
    double height() const { return size.height; }

    bool isEmpty() const { return size.width <= 0 || size.height <= 0; }
    // The left and bottom edges belong to the rectangle, the right and top ones do not.
    bool containsPoint(Point p) const
    {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    Rect insetBy(double dx, double dy) const
    {
        return {origin.x + dx, origin.y + dy, size.width - 2 * dx, size.height - 2 * dy};
    }
    Rect intersection(const Rect& other) const
    {
        double x0 = std::max(minX(), other.minX()), y0 = std::max(minY(), other.minY());
        double x1 = std::min(maxX(), other.maxX()), y1 = std::min(maxY(), other.maxY());
        return x1 > x0 && y1 > y0 ? Rect(x0, y0, x1 - x0, y1 - y0) : Rect();
    }
    bool operator==(const Rect&) const = default;
};

// Qt measures y downwards from the top of the containing area; Cocoa measures
// it upwards from the bottom. These convert within a container of the given height.
inline QRectF toQtRect(const Rect& r, double containerHeight)
{
    return {r.origin.x, containerHeight - r.maxY(), r.size.width, r.size.height};
}
inline Rect fromQtRect(const QRectF& r, double containerHeight)
{
    return {r.x(), containerHeight - r.y() - r.height(), r.width(), r.height()};
}
inline QPointF toQtPoint(Point p, double containerHeight)
{
    return {p.x, containerHeight - p.y};
}
inline Point fromQtPoint(const QPointF& p, double containerHeight)
{
    return {p.x(), containerHeight - p.y()};
}
inline QSizeF toQtSize(Size s)
{
    return {s.width, s.height};
}
inline Size fromQtSize(const QSizeF& s)
{
    return {s.width(), s.height()};
}

inline std::ostream& operator<<(std::ostream& out, const Point& p)
{
    return out << "{" << p.x << ", " << p.y << "}";
}
inline std::ostream& operator<<(std::ostream& out, const Size& s)
{
    return out << "{" << s.width << ", " << s.height << "}";
}
inline std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "{" << r.origin << ", " << r.size << "}";
}

} // namespace ns
