#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QString>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

namespace ns
{

class Window;

enum EventType {
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    LeftMouseDragged = 6,
    RightMouseDragged = 7,
    MouseEntered = 8,
    MouseExited = 9,
    KeyDown = 10,
    KeyUp = 11,
    ScrollWheel = 22,
};

// Modifier flags. Qt's Control modifier (the Command key on a Mac keyboard)
// is the Command key here, and Qt's Meta modifier is the Control key.
enum ModifierFlags : unsigned {
    AlphaShiftKeyMask = 1u << 16,
    ShiftKeyMask = 1u << 17,
    ControlKeyMask = 1u << 18,
    AlternateKeyMask = 1u << 19,
    CommandKeyMask = 1u << 20,
    DeviceIndependentModifierFlagsMask = 0xffff0000u,
};

// A mouse or key event as the responders see it; locations are in the base
// coordinates of the event's window (origin at its bottom left, y up).
class Event
{
public:
    EventType type() const { return type_; }
    Point locationInWindow() const { return location_; }
    unsigned modifierFlags() const { return modifiers_; }
    int clickCount() const { return clickCount_; }
    // The text of a key event; "\r" for Return and Enter, "\x1b" for Escape.
    const QString& characters() const { return characters_; }
    const QString& charactersIgnoringModifiers() const { return charactersIgnoringModifiers_; }
    double deltaY() const { return deltaY_; }
    Window* window() const { return window_; }

    // The mouse position in screen coordinates.
    static Point mouseLocation();
    static unsigned modifierFlagsFromQt(Qt::KeyboardModifiers modifiers);

    // Events made from Qt's; the widget is the one that received it.
    static Event fromQt(const QMouseEvent& event, EventType type, QWidget* receiver);
    static Event fromQt(const QKeyEvent& event);
    static Event fromQt(const QWheelEvent& event, QWidget* receiver);
    static Event crossing(EventType type, QWidget* receiver);

private:
    EventType type_ = MouseMoved;
    Point location_;
    unsigned modifiers_ = 0;
    int clickCount_ = 0;
    QString characters_;
    QString charactersIgnoringModifiers_;
    double deltaY_ = 0;
    Window* window_ = nullptr;
};

} // namespace ns
