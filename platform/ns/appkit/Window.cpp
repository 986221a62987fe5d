#include "platform/ns/appkit/Window.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Drawer.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/Screen.h"
#include "platform/ns/appkit/Toolbar.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMenuBar>
#include <QPainter>
#include <QWindow>

namespace ns
{

Window::Window(const Rect& contentRect, unsigned styleMask, BackingStoreType, bool)
    : QWidget(nullptr, Qt::Window), styleMask_(styleMask), backgroundColor_(Color::windowBackgroundColor())
{
    updateWindowFlags();
    setGeometry(Screen::toQtGlobal(contentRect).toRect());
    contentView_ = new View(Rect(0, 0, contentRect.width(), contentRect.height()));
    contentView_->QWidget::setParent(this);
    contentView_->show();
    layoutContent();
    applySizeLimits();
    reportedFrame_ = frame();

    registerSelector("performClose:", &Window::performClose);
    registerSelector("performMiniaturize:", &Window::performMiniaturize);
    registerSelector("performZoom:", &Window::performZoom);
    registerSelector("orderOut:", &Window::orderOut);
    registerSelector("orderFront:", &Window::orderFront);
    registerSelector("makeKeyAndOrderFront:", &Window::makeKeyAndOrderFront);
    Application::sharedApplication().windowCreated(this);
}

Window::~Window()
{
    Application& app = Application::sharedApplication();
    if (attachedSheet_)
        app.detachSheet(attachedSheet_, RunAbortedResponse, false);
    if (sheetParent_)
        app.detachSheet(this, RunAbortedResponse, false);
    for (Drawer* drawer : std::vector<Drawer*>(drawers_))
        drawer->setParentWindow(nullptr);
    app.windowDestroyed(this);
}

// ---- geometry ----

void Window::ensureFrameMargins() const
{
    // The desktop's frame around the window is known once the window exists
    // on the desktop; before that frames would leave it out.
    if (!testAttribute(Qt::WA_WState_Created))
        const_cast<Window*>(this)->create();
}

Rect Window::frame() const
{
    ensureFrameMargins();
    return Screen::fromQtGlobal(QRectF(frameGeometry()));
}

void Window::setFrame(const Rect& frame, bool display, bool)
{
    ensureFrameMargins();
    const QRect outer = frameGeometry(), inner = geometry();
    QRect qt = Screen::toQtGlobal(frame).toRect();
    qt.adjust(inner.left() - outer.left(), inner.top() - outer.top(), inner.right() - outer.right(),
              inner.bottom() - outer.bottom());
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(qt);
    applySizeLimits();
    layoutContent();
    if (display)
        this->display();
    frameMaybeChanged();
}

void Window::setFrameOrigin(Point origin)
{
    setFrame({origin, frame().size}, false);
}

void Window::setFrameTopLeftPoint(Point point)
{
    Rect f = frame();
    setFrame({point.x, point.y - f.height(), f.width(), f.height()}, false);
}

void Window::setContentSize(Size size)
{
    Rect content = contentRectForFrameRect(frame());
    content.origin.y += content.size.height - size.height; // the top edge stays
    content.size = size;
    setFrame(frameRectForContentRect(content), true);
}

Rect Window::contentRectForFrameRect(const Rect& f) const
{
    ensureFrameMargins();
    const QRect outer = frameGeometry(), inner = geometry();
    double left = inner.left() - outer.left(), right = outer.right() - inner.right();
    double top = inner.top() - outer.top() + barsHeight(), bottom = outer.bottom() - inner.bottom();
    return {f.minX() + left, f.minY() + bottom, f.width() - left - right, f.height() - top - bottom};
}

Rect Window::frameRectForContentRect(const Rect& content) const
{
    Rect inset = contentRectForFrameRect(content);
    double dx = inset.minX() - content.minX(), dy = inset.minY() - content.minY();
    double dw = content.width() - inset.width(), dh = content.height() - inset.height();
    return {content.minX() - dx, content.minY() - dy, content.width() + dw, content.height() + dh};
}

void Window::setMinSize(Size size)
{
    minSize_ = size;
    applySizeLimits();
}

void Window::setMaxSize(Size size)
{
    maxSize_ = size;
    applySizeLimits();
}

void Window::applySizeLimits()
{
    if (styleMask_ & ResizableWindowMask) {
        setMinimumSize(int(minSize_.width), int(minSize_.height));
        setMaximumSize(int(std::min<double>(maxSize_.width, QWIDGETSIZE_MAX)),
                       int(std::min<double>(maxSize_.height, QWIDGETSIZE_MAX)));
    } else {
        // Only the program changes the size of a window without a resize control.
        setFixedSize(size());
    }
}

void Window::center()
{
    Rect visible = Screen::mainScreen().visibleFrame();
    Rect f = frame();
    setFrameOrigin({visible.midX() - f.width() / 2, visible.midY() - f.height() / 2});
}

int Window::barsHeight() const
{
    int height = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (toolbar_ && toolbar_->isVisible())
        height += toolbar_->widget()->sizeHint().height();
    return height;
}

void Window::keepContentSize(int barsHeightBefore)
{
    const int change = barsHeight() - barsHeightBefore;
    if (change == 0) {
        layoutContent();
        return;
    }
    // The window grows or shrinks below its top edge.
    Rect f = frame();
    setFrame({f.minX(), f.minY() - change, f.width(), f.height() + change}, true);
}

void Window::layoutContent()
{
    int top = 0;
    if (menuBar_) {
        top = menuBar_->sizeHint().height();
        menuBar_->setGeometry(0, 0, width(), top);
    }
    if (toolbar_) {
        QWidget* bar = toolbar_->widget();
        const int height = toolbar_->isVisible() ? bar->sizeHint().height() : 0;
        bar->setGeometry(0, top, width(), height);
        bar->setVisible(toolbar_->isVisible());
        top += height;
    }
    laidOutBarsHeight_ = top;
    if (contentView_ && contentView_->parentWidget() == this) {
        contentView_->setFrame(Rect(0, 0, width(), height() - top));
        contentView_->move(0, top);
    }
    if (frameView_) {
        frameView_->setFrame(Rect(0, 0, width(), height()));
        frameView_->raise();
    }
    notifyDrawers();
}

void Window::frameMaybeChanged()
{
    const Rect now = frame();
    const Rect before = reportedFrame_;
    reportedFrame_ = now;
    if (now.origin != before.origin)
        post(WindowDidMoveNotification, &WindowDelegate::windowDidMove);
    if (now.size != before.size)
        post(WindowDidResizeNotification, &WindowDelegate::windowDidResize);
    if (now != before)
        notifyDrawers();
}

void Window::notifyDrawers()
{
    for (Drawer* drawer : drawers_)
        drawer->placeBesideParent();
}

// ---- content ----

View* Window::contentView() const
{
    return contentView_ && contentView_->parentWidget() == this ? contentView_.data() : nullptr;
}

View* Window::frameView()
{
    if (!frameView_) {
        frameView_ = new View(Rect(0, 0, width(), height()));
        frameView_->QWidget::setParent(this);
        frameView_->setAttribute(Qt::WA_TransparentForMouseEvents);
        frameView_->show();
        layoutContent();
    }
    return frameView_;
}

View* Window::setContentView(View* view)
{
    View* previous = contentView();
    if (view == previous)
        return nullptr;
    if (previous)
        previous->QWidget::setParent(nullptr);
    contentView_ = view;
    if (view) {
        view->removeFromSuperview();
        view->QWidget::setParent(this);
        view->QWidget::setVisible(!view->isHidden());
        layoutContent();
    }
    return previous;
}

// ---- appearance ----

void Window::updateWindowFlags()
{
    Qt::WindowFlags flags = Qt::Window;
    if (styleMask_ == BorderlessWindowMask || sheetParent_) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (styleMask_ & ClosableWindowMask)
            flags |= Qt::WindowCloseButtonHint;
        if (styleMask_ & MiniaturizableWindowMask)
            flags |= Qt::WindowMinimizeButtonHint;
        if (styleMask_ & ResizableWindowMask)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (styleMask_ & UtilityWindowMask)
        flags |= Qt::Tool;
    if (level_ > NormalWindowLevel)
        flags |= Qt::WindowStaysOnTopHint;
    if (!hasShadow_)
        flags |= Qt::NoDropShadowWindowHint;
    if (flags == windowFlags())
        return;
    // Qt hides a window whose flags change; show it again where it was.
    const bool shown = QWidget::isVisible();
    const QPoint position = pos();
    setWindowFlags(flags);
    if (shown) {
        move(position);
        show();
    }
}

void Window::setLevel(int level)
{
    level_ = level;
    updateWindowFlags();
}

void Window::setHasShadow(bool hasShadow)
{
    hasShadow_ = hasShadow;
    updateWindowFlags();
}

void Window::setBackgroundColor(const Color& color)
{
    backgroundColor_ = color;
    update();
}

void Window::setOpaque(bool opaque)
{
    opaque_ = opaque;
    setAttribute(Qt::WA_TranslucentBackground, !opaque);
    update();
}

void Window::display()
{
    repaint();
}

void Window::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), backgroundColor_.qColor());
}

// ---- ordering ----

void Window::orderFront(Object*)
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    Application::sharedApplication().windowOrderedFront(this);
    notifyDrawers();
}

void Window::orderFrontKeepingKey(Object* sender)
{
    const char* const kWithoutActivating = "_q_showWithoutActivating";
    create();
    keepKeyOnShow_ = true;
    windowHandle()->setProperty(kWithoutActivating, true);
    orderFront(sender);
    windowHandle()->setProperty(kWithoutActivating, QVariant());
}

void Window::makeKeyAndOrderFront(Object* sender)
{
    orderFront(sender);
    makeKeyWindow();
}

void Window::orderOut(Object*)
{
    keepKeyOnShow_ = false;
    hide();
    Application::sharedApplication().windowOrderedOut(this);
    notifyDrawers();
}

void Window::makeKeyWindow()
{
    if (!canBecomeKeyWindow())
        return;
    Application& app = Application::sharedApplication();
    app.setKeyWindow(this);
    if (canBecomeMainWindow())
        app.setMainWindow(this);
    if (QWidget::isVisible())
        activateWindow();
}

void Window::makeMainWindow()
{
    if (canBecomeMainWindow())
        Application::sharedApplication().setMainWindow(this);
}

bool Window::isKeyWindow() const
{
    return Application::sharedApplication().keyWindow() == this;
}

bool Window::isMainWindow() const
{
    return Application::sharedApplication().mainWindow() == this;
}

bool Window::isVisible() const
{
    return QWidget::isVisible() && !isMinimized();
}

bool Window::canBecomeKeyWindow() const
{
    return styleMask_ & (TitledWindowMask | ResizableWindowMask);
}

bool Window::canBecomeMainWindow() const
{
    return canBecomeKeyWindow() && !(styleMask_ & UtilityWindowMask);
}

void Window::close()
{
    post(WindowWillCloseNotification, &WindowDelegate::windowWillClose);
    orderOut(nullptr);
}

void Window::performClose(Object*)
{
    if (!(styleMask_ & ClosableWindowMask))
        return;
    if (delegate_ && !delegate_->windowShouldClose(this))
        return;
    close();
}

void Window::miniaturize(Object*)
{
    showMinimized();
    Application::sharedApplication().windowOrderedOut(this);
}

void Window::deminiaturize(Object* sender)
{
    if (isMinimized())
        orderFront(sender);
}

void Window::performMiniaturize(Object* sender)
{
    if (styleMask_ & MiniaturizableWindowMask)
        miniaturize(sender);
}

void Window::zoom(Object*)
{
    Rect standard = Screen::mainScreen().visibleFrame();
    if (delegate_)
        standard = delegate_->windowWillUseStandardFrame(this, standard);
    const Rect current = frame();
    Rect target = current == standard && userFrame_ ? *userFrame_ : standard;
    if (delegate_ && !delegate_->windowShouldZoom(this, target))
        return;
    if (target == standard)
        userFrame_ = current;
    setFrame(target, true);
}

bool Window::isZoomed() const
{
    Rect standard = Screen::mainScreen().visibleFrame();
    if (delegate_)
        standard = delegate_->windowWillUseStandardFrame(const_cast<Window*>(this), standard);
    return frame() == standard;
}

// ---- notifications ----

void Window::post(const QString& name, void (WindowDelegate::*method)(const Notification&))
{
    Notification notification(name, this);
    if (delegate_)
        (delegate_->*method)(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
}

void Window::didBecomeKey()
{
    post(WindowDidBecomeKeyNotification, &WindowDelegate::windowDidBecomeKey);
}

void Window::didResignKey()
{
    post(WindowDidResignKeyNotification, &WindowDelegate::windowDidResignKey);
}

// ---- toolbar ----

void Window::setToolbar(std::unique_ptr<Toolbar> toolbar)
{
    const int before = laidOutBarsHeight_;
    if (toolbar_)
        toolbar_->attachToWindow(nullptr);
    toolbar_ = std::move(toolbar);
    if (toolbar_)
        toolbar_->attachToWindow(this);
    keepContentSize(before);
}

// ---- main menu ----

void Window::setShowsMainMenu(bool shows)
{
    if (shows == showsMainMenu())
        return;
    const int before = laidOutBarsHeight_;
    if (shows) {
        menuBar_ = new QMenuBar(this);
        menuBar_->show();
        fillMenuBar();
    } else {
        delete menuBar_;
        menuBar_ = nullptr;
    }
    keepContentSize(before);
}

void Window::fillMenuBar()
{
    auto* bar = static_cast<QMenuBar*>(menuBar_);
    bar->clear();
    if (const Menu* menu = Application::sharedApplication().mainMenu())
        for (const MenuItem* item : menu->itemArray())
            bar->addAction(item->qAction());
}

void Window::rebuildMenuBar()
{
    if (!menuBar_)
        return;
    const int before = laidOutBarsHeight_;
    fillMenuBar();
    keepContentSize(before);
}

// ---- events ----

void Window::setAcceptsMouseMovedEvents(bool accepts)
{
    acceptsMouseMoved_ = accepts;
    setMouseTracking(accepts);
}

Point Window::convertBaseToScreen(Point point) const
{
    return Screen::fromQtGlobal(QPointF(mapToGlobal(toQtPoint(point, height()))));
}

Point Window::convertScreenToBase(Point point) const
{
    return fromQtPoint(mapFromGlobal(Screen::toQtGlobal(point)), height());
}

Point Window::mouseLocationOutsideOfEventStream() const
{
    return convertScreenToBase(Event::mouseLocation());
}

bool Window::makeFirstResponder(View* view)
{
    if (!view) {
        if (QWidget* focus = focusWidget())
            focus->clearFocus();
        return true;
    }
    if (view->QWidget::window() != this)
        return false;
    view->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Window::performKeyEquivalent(const Event& event)
{
    View* content = contentView();
    return content && content->performKeyEquivalent(event);
}

void Window::keyDown(const Event& event)
{
    if (!performKeyEquivalent(event))
        Responder::keyDown(event);
}

void Window::closeEvent(QCloseEvent* event)
{
    // Closing is decided here, as by the close button of the title bar.
    event->ignore();
    if (!Application::sharedApplication().isInputBlocked(this))
        performClose(nullptr);
}

void Window::moveEvent(QMoveEvent*)
{
    frameMaybeChanged();
}

void Window::resizeEvent(QResizeEvent*)
{
    layoutContent();
    frameMaybeChanged();
}

void Window::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMaximized()) {
        // The desktop's maximise button is the zoom button here.
        setWindowState(windowState() & ~Qt::WindowMaximized);
        QMetaObject::invokeMethod(
            this, [this] { performZoom(nullptr); }, Qt::QueuedConnection);
    }
    if (isMinimized() == wasMiniaturized_)
        return;
    wasMiniaturized_ = isMinimized();
    if (wasMiniaturized_)
        post(WindowDidMiniaturizeNotification, &WindowDelegate::windowDidMiniaturize);
    else
        post(WindowDidDeminiaturizeNotification, &WindowDelegate::windowDidDeminiaturize);
}

void Window::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouseDown(Event::fromQt(*event, LeftMouseDown, this));
}

void Window::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mouseUp(Event::fromQt(*event, LeftMouseUp, this));
}

void Window::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        mouseDragged(Event::fromQt(*event, LeftMouseDragged, this));
}

void Window::keyPressEvent(QKeyEvent* event)
{
    keyDown(Event::fromQt(*event));
}

// ---- panel ----

Panel::Panel(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer)
    : Window(contentRect, styleMask, backing, defer)
{
    if (styleMask & UtilityWindowMask)
        setFloatingPanel(true);
}

} // namespace ns
