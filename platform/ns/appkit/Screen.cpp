#include "platform/ns/appkit/Screen.h"

#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Window.h"

#include <QGuiApplication>
#include <QScreen>

namespace ns
{

namespace
{

double primaryHeight()
{
    QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().height() : 0;
}

} // namespace

Screen Screen::mainScreen()
{
    Window* key = Application::sharedApplication().keyWindow();
    QScreen* screen = key ? key->QWidget::screen() : nullptr;
    return Screen(screen ? screen : QGuiApplication::primaryScreen());
}

QList<Screen> Screen::screens()
{
    QList<Screen> result;
    for (QScreen* screen : QGuiApplication::screens())
        result.append(Screen(screen));
    return result;
}

Rect Screen::frame() const
{
    return screen_ ? fromQtGlobal(QRectF(screen_->geometry())) : Rect();
}

Rect Screen::visibleFrame() const
{
    return screen_ ? fromQtGlobal(QRectF(screen_->availableGeometry())) : Rect();
}

Rect Screen::fromQtGlobal(const QRectF& rect)
{
    return fromQtRect(rect, primaryHeight());
}
QRectF Screen::toQtGlobal(const Rect& rect)
{
    return toQtRect(rect, primaryHeight());
}
Point Screen::fromQtGlobal(const QPointF& point)
{
    return fromQtPoint(point, primaryHeight());
}
QPointF Screen::toQtGlobal(Point point)
{
    return toQtPoint(point, primaryHeight());
}

} // namespace ns
