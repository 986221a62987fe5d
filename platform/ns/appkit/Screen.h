#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QList>

class QScreen;

namespace ns
{

// A display. Screen coordinates are Cocoa's: the origin is the bottom-left
// corner of the primary screen and y grows upwards.
class Screen
{
public:
    // The screen of the key window, or the primary screen.
    static Screen mainScreen();
    static QList<Screen> screens();

    Rect frame() const;
    // The frame less the areas the desktop keeps for itself (panels, docks).
    Rect visibleFrame() const;
    QScreen* qScreen() const { return screen_; }

    // Conversions between Qt's global coordinates and screen coordinates.
    static Rect fromQtGlobal(const QRectF& rect);
    static QRectF toQtGlobal(const Rect& rect);
    static Point fromQtGlobal(const QPointF& point);
    static QPointF toQtGlobal(Point point);

private:
    explicit Screen(QScreen* screen) : screen_(screen) {}
    QScreen* screen_;
};

} // namespace ns
