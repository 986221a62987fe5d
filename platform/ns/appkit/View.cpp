#include "platform/ns/appkit/View.h"

#include "platform/ns/appkit/GraphicsContext.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/ScrollView.h"
#include "platform/ns/appkit/Window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ns
{

namespace
{

int nextTrackingTag = 1;

} // namespace

View::View(const Rect& frame) : frame_(frame)
{
    applyGeometry();
}

View::~View()
{
    // The subviews are deleted by QWidget's destructor; they must not reach back.
    for (View* view : subviews_)
        view->superview_ = nullptr;
    if (superview_)
        superview_->subviews_.removeOne(this);
}

void View::setFrame(const Rect& frame)
{
    frame_ = frame;
    applyGeometry();
}

void View::applyGeometry()
{
    if (superview_)
        setGeometry(superview_->qtRectForSubviewFrame(frame_).toRect());
    else
        resize(qRound(frame_.size.width), qRound(frame_.size.height));
    for (View* view : subviews_)
        view->applyGeometry();
    if (superview_)
        superview_->subviewFrameDidChange(this);
}

QRectF View::qtRectForSubviewFrame(const Rect& frame) const
{
    if (isFlipped())
        return {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
    return toQtRect(frame, height());
}

QPointF View::toLocalQt(Point point) const
{
    return isFlipped() ? QPointF(point.x, point.y) : toQtPoint(point, height());
}

Point View::fromLocalQt(const QPointF& point) const
{
    return isFlipped() ? Point{point.x(), point.y()} : fromQtPoint(point, height());
}

void View::addSubview(View* view)
{
    addSubview(view, WindowAbove, nullptr);
}

void View::addSubview(View* view, WindowOrderingMode place, View* relativeTo)
{
    if (!view || view == this || isDescendantOf(view))
        return;
    if (view->superview_)
        view->superview_->subviews_.removeOne(view);
    int index = relativeTo ? int(subviews_.indexOf(relativeTo)) : -1;
    if (index < 0)
        index = place == WindowBelow ? 0 : int(subviews_.size());
    else if (place != WindowBelow)
        ++index;
    subviews_.insert(index, view);
    view->superview_ = this;
    view->QWidget::setParent(this);
    view->applyGeometry();
    view->QWidget::setVisible(!view->hidden_);
    restack();
}

void View::restack()
{
    for (View* view : subviews_)
        view->raise();
}

void View::removeFromSuperview()
{
    if (superview_) {
        superview_->subviews_.removeOne(this);
        superview_ = nullptr;
    }
    if (parentWidget())
        QWidget::setParent(nullptr);
}

void View::replaceSubview(View* oldView, View* newView)
{
    int index = int(subviews_.indexOf(oldView));
    if (index < 0 || !newView)
        return;
    View* below = index > 0 ? subviews_[index - 1] : nullptr;
    oldView->removeFromSuperview();
    addSubview(newView, below ? WindowAbove : WindowBelow, below);
}

bool View::isDescendantOf(const View* view) const
{
    for (const View* v = this; v; v = v->superview_)
        if (v == view)
            return true;
    return false;
}

Window* View::window() const
{
    return dynamic_cast<Window*>(QWidget::window());
}

ScrollView* View::enclosingScrollView() const
{
    for (View* v = superview_; v; v = v->superview_)
        if (auto* scrollView = dynamic_cast<ScrollView*>(v))
            return scrollView;
    return nullptr;
}

View* View::viewWithTag(int tag)
{
    if (this->tag() == tag)
        return this;
    for (View* view : subviews_)
        if (View* found = view->viewWithTag(tag))
            return found;
    return nullptr;
}

void View::setHidden(bool hidden)
{
    hidden_ = hidden;
    if (parentWidget())
        QWidget::setVisible(!hidden);
}

bool View::isHiddenOrHasHiddenAncestor() const
{
    for (const View* v = this; v; v = v->superview_)
        if (v->hidden_)
            return true;
    return false;
}

void View::setNeedsDisplay(bool flag)
{
    if (flag)
        update();
}

void View::setNeedsDisplayInRect(const Rect& rect)
{
    update(qtRectForSubviewFrame(rect).toAlignedRect());
}

void View::display()
{
    repaint();
}

void View::drawRect(const Rect&) {}

Point View::convertPoint(Point point, const View* fromView) const
{
    QPointF qtPoint;
    if (fromView) {
        qtPoint = mapFromGlobal(fromView->mapToGlobal(fromView->toLocalQt(point)));
    } else {
        QWidget* top = QWidget::window();
        qtPoint = mapFrom(top, toQtPoint(point, top->height()));
    }
    return fromLocalQt(qtPoint);
}

Point View::convertPointToView(Point point, const View* toView) const
{
    if (toView)
        return toView->convertPoint(point, this);
    QWidget* top = QWidget::window();
    return fromQtPoint(mapTo(top, toLocalQt(point)), top->height());
}

Rect View::convertRect(const Rect& rect, const View* fromView) const
{
    Point a = convertPoint(rect.origin, fromView);
    Point b = convertPoint({rect.maxX(), rect.maxY()}, fromView);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

Rect View::convertRectToView(const Rect& rect, const View* toView) const
{
    Point a = convertPointToView(rect.origin, toView);
    Point b = convertPointToView({rect.maxX(), rect.maxY()}, toView);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

int View::addTrackingRect(const Rect& rect)
{
    int tag = nextTrackingTag++;
    bool inside = underMouse() && rect.containsPoint(fromLocalQt(mapFromGlobal(QCursor::pos())));
    trackingRects_.append({tag, rect, inside});
    setMouseTracking(true);
    return tag;
}

void View::removeTrackingRect(int tag)
{
    trackingRects_.removeIf([tag](const TrackingRect& r) { return r.tag == tag; });
    if (trackingRects_.isEmpty())
        setMouseTracking(false);
}

void View::updateTracking(const QPointF& localPosition, bool left)
{
    const Point point = fromLocalQt(localPosition);
    for (int i = 0; i < trackingRects_.size(); ++i) {
        bool inside = !left && trackingRects_[i].rect.containsPoint(point);
        if (inside == trackingRects_[i].inside)
            continue;
        trackingRects_[i].inside = inside;
        Event event = Event::crossing(inside ? MouseEntered : MouseExited, this);
        if (inside)
            mouseEntered(event);
        else
            mouseExited(event);
        if (i >= trackingRects_.size()) // a handler removed its rectangles
            break;
    }
}

void View::setMenu(std::unique_ptr<Menu> menu)
{
    menu_ = std::move(menu);
}

Menu* View::menu() const
{
    return menu_.get();
}

bool View::performKeyEquivalent(const Event& event)
{
    for (View* view : QList<View*>(subviews_))
        if (!view->isHidden() && view->performKeyEquivalent(event))
            return true;
    return false;
}

Responder* View::nextResponder() const
{
    if (superview_)
        return superview_;
    return window();
}

void View::rightMouseDown(const Event& event)
{
    if (Menu* contextMenu = menu())
        contextMenu->popUpMenu(convertPoint(event.locationInWindow(), nullptr), this);
    else
        Responder::rightMouseDown(event);
}

void View::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    GraphicsContext context(painter, height(), isFlipped());
    drawRect(context.fromQt(QRectF(event->rect())));
}

void View::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        mouseDown(Event::fromQt(*event, LeftMouseDown, this));
    else if (event->button() == Qt::RightButton)
        rightMouseDown(Event::fromQt(*event, RightMouseDown, this));
}

void View::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void View::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        mouseUp(Event::fromQt(*event, LeftMouseUp, this));
    else if (event->button() == Qt::RightButton)
        rightMouseUp(Event::fromQt(*event, RightMouseUp, this));
}

void View::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!trackingRects_.isEmpty())
        updateTracking(event->position(), false);
    // Moves without a button reach mouseMoved() through the application (see Window).
    if (event->buttons() & Qt::LeftButton)
        mouseDragged(Event::fromQt(*event, LeftMouseDragged, this));
}

void View::enterEvent(QEnterEvent* event)
{
    if (!trackingRects_.isEmpty())
        updateTracking(event->position(), false);
}

void View::leaveEvent(QEvent*)
{
    if (!trackingRects_.isEmpty())
        updateTracking(QPointF(), true);
}

void View::wheelEvent(QWheelEvent* event)
{
    event->accept();
    scrollWheel(Event::fromQt(*event, this));
}

void View::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    keyDown(Event::fromQt(*event));
}

void View::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    keyUp(Event::fromQt(*event));
}

} // namespace ns
