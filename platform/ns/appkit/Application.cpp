#include "platform/ns/appkit/Application.h"

#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <QtDebug>

namespace ns
{

class ApplicationEventFilter : public QObject
{
public:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        return Application::sharedApplication().filterEvent(receiver, event);
    }
};

Application& Application::sharedApplication()
{
    // Never destroyed: it outlives every window, and Qt's objects it holds
    // are released when the QApplication goes.
    static Application* application = [] {
        auto* app = new Application;
        qAddPostRoutine([] {
            Application& a = sharedApplication();
            a.mainMenu_.reset();
            a.eventFilter_.reset();
        });
        return app;
    }();
    return *application;
}

Application::Application() : eventFilter_(std::make_unique<ApplicationEventFilter>())
{
    QApplication::setQuitOnLastWindowClosed(false);
    if (qApp)
        qApp->installEventFilter(eventFilter_.get());
    registerSelector("terminate:", &Application::terminate);
}

Application::~Application() = default;

// ---- launching and quitting ----

void Application::finishLaunching()
{
    if (launched_)
        return;
    launched_ = true;
    Notification will(ApplicationWillFinishLaunchingNotification, this);
    if (delegate_)
        delegate_->applicationWillFinishLaunching(will);
    NotificationCenter::defaultCenter().postNotification(will);
    Notification did(ApplicationDidFinishLaunchingNotification, this);
    if (delegate_)
        delegate_->applicationDidFinishLaunching(did);
    NotificationCenter::defaultCenter().postNotification(did);
}

int Application::run()
{
    finishLaunching();
    if (terminated_)
        return 0;
    running_ = true;
    const int code = QApplication::exec();
    running_ = false;
    return code;
}

void Application::terminate(Object*)
{
    if (terminating_ || terminated_)
        return;
    terminating_ = true;
    const ApplicationTerminateReply reply =
        delegate_ ? delegate_->applicationShouldTerminate(this) : TerminateNow;
    terminating_ = false;
    if (reply != TerminateNow)
        return;
    Notification notification(ApplicationWillTerminateNotification, this);
    if (delegate_)
        delegate_->applicationWillTerminate(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
    terminated_ = true;
    for (ModalSession* session : sessions_) {
        session->code = RunAbortedResponse;
        session->stopped = true;
        session->loop->exit();
    }
    // Qt refuses every later event loop once told to quit: only a running main loop is told.
    if (running_)
        QCoreApplication::exit(0);
}

void Application::reopen()
{
    bool hasVisibleWindows = false;
    for (Window* window : windows_)
        hasVisibleWindows = hasVisibleWindows || window->isVisible();
    const bool handle = delegate_ ? delegate_->applicationShouldHandleReopen(this, hasVisibleWindows) : true;
    if (!handle || hasVisibleWindows)
        return;
    for (Window* window : windows_) {
        if (window->isMiniaturized()) {
            window->deminiaturize(nullptr);
            window->makeKeyWindow();
            return;
        }
    }
}

void Application::setApplicationIconImage(const Image& image)
{
    icon_ = image;
    QApplication::setWindowIcon(image.icon());
}

// ---- modal runs and sheets ----

int Application::runModalForWindow(Window* window)
{
    if (!window)
        return RunAbortedResponse;
    QEventLoop loop;
    ModalSession session{window, &loop, RunAbortedResponse, false};
    sessions_.append(&session);
    window->makeKeyAndOrderFront(nullptr);
    if (!session.stopped)
        loop.exec();
    sessions_.removeOne(&session);
    return session.code;
}

void Application::stopModalWithCode(int code)
{
    if (sessions_.isEmpty())
        return;
    ModalSession* session = sessions_.last();
    session->code = code;
    session->stopped = true;
    session->loop->exit();
}

Window* Application::modalWindow() const
{
    return sessions_.isEmpty() ? nullptr : sessions_.last()->window;
}

bool Application::beginSheet(Window* sheet, Window* docWindow, std::function<void(Window*, int)> didEnd)
{
    if (!sheet || !docWindow || sheet == docWindow || docWindow->attachedSheet_ || sheet->sheetParent_ ||
        sheet->attachedSheet_)
        return false;
    docWindow->attachedSheet_ = sheet;
    sheet->sheetParent_ = docWindow;
    sheet->sheetDidEnd_ = std::move(didEnd);
    sheet->updateWindowFlags();

    // By default the sheet hangs from the top of the content area, centred.
    View* content = docWindow->contentView();
    Rect anchor(0, content ? content->height() : docWindow->height(), docWindow->width(), 0);
    if (docWindow->delegate())
        anchor = docWindow->delegate()->windowWillPositionSheet(docWindow, sheet, anchor);
    const Size size = sheet->frame().size;
    sheet->setFrameTopLeftPoint(
        docWindow->convertBaseToScreen({anchor.midX() - size.width / 2, anchor.minY()}));

    sheet->winId();
    docWindow->winId();
    sheet->windowHandle()->setTransientParent(docWindow->windowHandle());
    sheet->makeKeyAndOrderFront(nullptr);
    return true;
}

void Application::endSheet(Window* sheet, int returnCode)
{
    detachSheet(sheet, returnCode, true);
}

void Application::detachSheet(Window* sheet, int returnCode, bool notify)
{
    if (!sheet || !sheet->sheetParent_)
        return;
    if (sheet->attachedSheet_)
        detachSheet(sheet->attachedSheet_, RunAbortedResponse, notify);
    Window* docWindow = sheet->sheetParent_;
    docWindow->attachedSheet_ = nullptr;
    sheet->sheetParent_ = nullptr;
    if (QWindow* handle = sheet->windowHandle())
        handle->setTransientParent(nullptr);
    auto didEnd = std::move(sheet->sheetDidEnd_);
    sheet->sheetDidEnd_ = nullptr;
    sheet->updateWindowFlags();
    if (didEnd && notify)
        didEnd(sheet, returnCode);
}

// ---- windows ----

QList<Window*> Application::windows() const
{
    return windows_;
}

void Application::windowCreated(Window* window)
{
    windows_.append(window);
}

void Application::windowDestroyed(Window* window)
{
    windows_.removeOne(window);
    if (keyWindow_ == window)
        keyWindow_ = nullptr;
    if (mainWindow_ == window)
        mainWindow_ = nullptr;
    for (ModalSession* session : sessions_) {
        if (session->window != window)
            continue;
        session->window = nullptr;
        session->code = RunAbortedResponse;
        session->stopped = true;
        session->loop->exit();
    }
}

void Application::windowOrderedFront(Window* window)
{
    windows_.removeOne(window);
    windows_.prepend(window);
}

void Application::windowOrderedOut(Window* window)
{
    windows_.removeOne(window);
    windows_.append(window);
    auto frontmost = [this, window](bool (Window::*can)() const) -> Window* {
        for (Window* w : windows_)
            if (w != window && w->isVisible() && (w->*can)())
                return w;
        return nullptr;
    };
    if (keyWindow_ == window)
        setKeyWindow(frontmost(&Window::canBecomeKeyWindow));
    if (mainWindow_ == window)
        mainWindow_ = frontmost(&Window::canBecomeMainWindow);
}

void Application::setKeyWindow(Window* window)
{
    if (keyWindow_ == window)
        return;
    Window* previous = keyWindow_;
    keyWindow_ = window;
    if (previous)
        previous->didResignKey();
    if (window)
        window->didBecomeKey();
}

bool Application::isInputBlocked(const Window* window) const
{
    const Window* owner = window;
    while (owner->parentWindow_)
        owner = owner->parentWindow_;
    if (owner->attachedSheet_)
        return true;
    if (sessions_.isEmpty())
        return false;
    const Window* modal = sessions_.last()->window;
    for (const Window* w = owner; w; w = w->sheetParent_)
        if (w == modal)
            return false;
    return true;
}

// ---- menus and actions ----

void Application::setMainMenu(std::unique_ptr<Menu> menu)
{
    mainMenu_ = std::move(menu);
    for (Window* window : windows_)
        window->rebuildMenuBar();
}

bool Application::sendAction(const QString& action, Object* target, Object* sender)
{
    if (action.isEmpty())
        return false;
    Object* receiver = target ? target : targetForAction(action);
    if (receiver && receiver->performSelector(action, sender))
        return true;
    // An action of a control whose handler is not in this build.
    qInfo("Nothing answers the action %s", qPrintable(action));
    return false;
}

Object* Application::targetForAction(const QString& action) const
{
    auto responds = [&action](Object* object) { return object && object->respondsToSelector(action); };
    auto inWindow = [&](Window* window) -> Object* {
        if (!window)
            return nullptr;
        for (QWidget* w = window->focusWidget(); w && w != window; w = w->parentWidget())
            if (auto* responder = dynamic_cast<Responder*>(w); responds(responder))
                return responder;
        if (responds(window))
            return window;
        if (auto* delegate = dynamic_cast<Object*>(window->delegate()); responds(delegate))
            return delegate;
        return nullptr;
    };
    if (Object* found = inWindow(keyWindow_))
        return found;
    if (mainWindow_ != keyWindow_)
        if (Object* found = inWindow(mainWindow_))
            return found;
    auto* self = const_cast<Application*>(this);
    if (responds(self))
        return self;
    if (auto* delegate = dynamic_cast<Object*>(delegate_); responds(delegate))
        return delegate;
    return nullptr;
}

// ---- events ----

bool Application::filterEvent(QObject* receiver, QEvent* event)
{
    if (!receiver->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(receiver);
    QWidget* top = widget->window();
    auto* window = dynamic_cast<Window*>(top);
    const bool popup = top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip;
    const bool blocked = !popup && (window ? isInputBlocked(window) : !sessions_.isEmpty());

    if (window && event->type() == QEvent::MouseButtonPress && !blocked)
        window->keepKeyOnShow_ = false;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
        return blocked;
    case QEvent::MouseMove: {
        if (blocked)
            return true;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (window && window->acceptsMouseMovedEvents() && mouse->buttons() == Qt::NoButton) {
            // Qt passes a move up to the ancestors until one takes it; answer it once.
            if (mouse->timestamp() == lastMoveTimestamp_ && mouse->globalPosition() == lastMovePosition_)
                return false;
            lastMoveTimestamp_ = mouse->timestamp();
            lastMovePosition_ = mouse->globalPosition();
            for (QWidget* w = widget; w; w = w->parentWidget()) {
                if (auto* responder = dynamic_cast<Responder*>(w)) {
                    responder->mouseMoved(Event::fromQt(*mouse, MouseMoved, w));
                    break;
                }
            }
        }
        return false;
    }
    case QEvent::KeyPress: {
        if (blocked)
            return true;
        auto* key = static_cast<QKeyEvent*>(event);
        if (popup || !(key->modifiers() & Qt::ControlModifier))
            return false;
        // Command-key equivalents: the window's controls first, then the main menu.
        const Event keyEvent = Event::fromQt(*key);
        if (window && window->performKeyEquivalent(keyEvent))
            return true;
        return sessions_.isEmpty() && mainMenu_ && mainMenu_->performKeyEquivalent(keyEvent);
    }
    case QEvent::WindowActivate:
        if (window && widget == top && window->keepKeyOnShow_) {
            // Shown without taking the keyboard: the key window keeps it.
            window->keepKeyOnShow_ = false;
            if (keyWindow_ && keyWindow_ != window && keyWindow_->isVisible())
                keyWindow_->activateWindow();
            return false;
        }
        if (window && widget == top && window->canBecomeKeyWindow()) {
            setKeyWindow(window);
            if (window->canBecomeMainWindow())
                mainWindow_ = window;
        }
        return false;
    default:
        return false;
    }
}

} // namespace ns
