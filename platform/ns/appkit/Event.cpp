#include "platform/ns/appkit/Event.h"

#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/Window.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace ns
{

namespace
{

// The location of a global Qt point in the base coordinates of the receiver's window.
Point windowLocation(QWidget* receiver, const QPointF& globalPosition, Window** window)
{
    QWidget* top = receiver ? receiver->window() : nullptr;
    *window = dynamic_cast<Window*>(top);
    if (!top)
        return {};
    QPointF local = top->mapFromGlobal(globalPosition);
    return fromQtPoint(local, top->height());
}

QString keyCharacters(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Backspace:
        return QString(QChar(0x7f));
    default:
        break;
    }
    if (event.key() >= Qt::Key_Space && event.key() <= Qt::Key_AsciiTilde) {
        // Qt reports letters as upper case; the text says which it was.
        QString text = event.text();
        if (text.size() == 1 && text[0].isPrint())
            return text;
        return QString(QChar(event.key())).toLower();
    }
    return event.text();
}

} // namespace

Point Event::mouseLocation()
{
    return Screen::fromQtGlobal(QPointF(QCursor::pos()));
}

unsigned Event::modifierFlagsFromQt(Qt::KeyboardModifiers modifiers)
{
    unsigned flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= ShiftKeyMask;
    if (modifiers & Qt::ControlModifier)
        flags |= CommandKeyMask;
    if (modifiers & Qt::MetaModifier)
        flags |= ControlKeyMask;
    if (modifiers & Qt::AltModifier)
        flags |= AlternateKeyMask;
    return flags;
}

Event Event::fromQt(const QMouseEvent& event, EventType type, QWidget* receiver)
{
    Event e;
    e.type_ = type;
    e.location_ = windowLocation(receiver, event.globalPosition(), &e.window_);
    e.modifiers_ = modifierFlagsFromQt(event.modifiers());
    const bool click =
        type == LeftMouseDown || type == LeftMouseUp || type == RightMouseDown || type == RightMouseUp;
    e.clickCount_ = event.type() == QEvent::MouseButtonDblClick ? 2 : click ? 1 : 0;
    return e;
}

Event Event::fromQt(const QKeyEvent& event)
{
    Event e;
    e.type_ = event.type() == QEvent::KeyRelease ? KeyUp : KeyDown;
    e.modifiers_ = modifierFlagsFromQt(event.modifiers());
    e.characters_ = keyCharacters(event);
    e.charactersIgnoringModifiers_ = e.characters_;
    QWidget* focus = QApplication::focusWidget();
    e.window_ = dynamic_cast<Window*>(focus ? focus->window() : QApplication::activeWindow());
    return e;
}

Event Event::fromQt(const QWheelEvent& event, QWidget* receiver)
{
    Event e;
    e.type_ = ScrollWheel;
    e.location_ = windowLocation(receiver, event.globalPosition(), &e.window_);
    e.modifiers_ = modifierFlagsFromQt(event.modifiers());
    e.deltaY_ = event.angleDelta().y() / 120.0;
    return e;
}

Event Event::crossing(EventType type, QWidget* receiver)
{
    Event e;
    e.type_ = type;
    e.location_ = windowLocation(receiver, QPointF(QCursor::pos()), &e.window_);
    return e;
}

} // namespace ns
