#pragma once

#include "platform/ns/Notification.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Responder.h"
#include "platform/ns/appkit/View.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ns
{

class Drawer;
class Toolbar;
class Window;

enum WindowStyleMask : unsigned {
    BorderlessWindowMask = 0,
    TitledWindowMask = 1u << 0,
    ClosableWindowMask = 1u << 1,
    MiniaturizableWindowMask = 1u << 2,
    ResizableWindowMask = 1u << 3,
    UtilityWindowMask = 1u << 4,
    TexturedBackgroundWindowMask = 1u << 8,
};

enum BackingStoreType { BackingStoreRetained = 0, BackingStoreNonretained = 1, BackingStoreBuffered = 2 };

enum WindowLevel : int {
    NormalWindowLevel = 0,
    FloatingWindowLevel = 3,
    ModalPanelWindowLevel = 8,
    MainMenuWindowLevel = 24,
    StatusWindowLevel = 25,
    PopUpMenuWindowLevel = 101,
    ScreenSaverWindowLevel = 1000,
};

// Posted on the default notification centre with the window as object; the
// window's delegate receives the same notification through its own method.
inline const QString WindowWillCloseNotification = QStringLiteral("NSWindowWillCloseNotification");
inline const QString WindowDidMoveNotification = QStringLiteral("NSWindowDidMoveNotification");
inline const QString WindowDidResizeNotification = QStringLiteral("NSWindowDidResizeNotification");
inline const QString WindowDidMiniaturizeNotification = QStringLiteral("NSWindowDidMiniaturizeNotification");
inline const QString WindowDidDeminiaturizeNotification =
    QStringLiteral("NSWindowDidDeminiaturizeNotification");
inline const QString WindowDidBecomeKeyNotification = QStringLiteral("NSWindowDidBecomeKeyNotification");
inline const QString WindowDidResignKeyNotification = QStringLiteral("NSWindowDidResignKeyNotification");

// A window's delegate. Each method has the behaviour of a delegate that does
// not implement it, so a delegate overrides only what it handles.
class WindowDelegate
{
public:
    virtual ~WindowDelegate() = default;
    virtual bool windowShouldClose(Window* /*window*/) { return true; }
    virtual void windowWillClose(const Notification&) {}
    virtual void windowDidMove(const Notification&) {}
    virtual void windowDidResize(const Notification&) {}
    virtual void windowDidMiniaturize(const Notification&) {}
    virtual void windowDidDeminiaturize(const Notification&) {}
    virtual void windowDidBecomeKey(const Notification&) {}
    virtual void windowDidResignKey(const Notification&) {}
    // The frame that zooming moves to (screen coordinates).
    virtual Rect windowWillUseStandardFrame(Window* /*window*/, const Rect& defaultFrame)
    {
        return defaultFrame;
    }
    virtual bool windowShouldZoom(Window* /*window*/, const Rect& /*newFrame*/) { return true; }
    // Where a sheet comes out: the rectangle (in the window's base
    // coordinates) whose top edge the sheet hangs from, centred.
    virtual Rect windowWillPositionSheet(Window* /*window*/, Window* /*sheet*/, const Rect& rect)
    {
        return rect;
    }
};

// A top-level window. Its frame is in screen coordinates (origin at the
// bottom left of the primary screen, y up) and covers the window with its
// title bar; the content view fills the rest below the toolbar. A window
// is owned by whoever creates it; closing only orders it out.
class Window : public QWidget, public Responder
{
public:
    // The rectangle is the content area's, in screen coordinates. The backing
    // store and deferral make no difference on this platform.
    Window(const Rect& contentRect, unsigned styleMask, BackingStoreType backing = BackingStoreBuffered,
           bool defer = false);
    ~Window() override;

    Rect frame() const;
    void setFrame(const Rect& frame, bool display, bool animate = false);
    void setFrameOrigin(Point origin);
    void setFrameTopLeftPoint(Point point);
    void setContentSize(Size size);
    Rect contentRectForFrameRect(const Rect& frame) const;
    Rect frameRectForContentRect(const Rect& content) const;
    void setMinSize(Size size);
    void setMaxSize(Size size);
    // Centres the window in the visible area of its screen.
    void center();

    View* contentView() const;
    // A view over the whole window inside the desktop's frame, above the bars
    // and the content, for what is drawn in the window's frame (a title of its
    // own). Clicks pass through it and its subviews to what lies below. Made
    // when first asked for.
    View* frameView();
    // Makes the view the content view; the previous content view leaves the
    // window and belongs to the caller.
    [[nodiscard]] View* setContentView(View* view);

    QString title() const { return windowTitle(); }
    void setTitle(const QString& title) { setWindowTitle(title); }
    unsigned styleMask() const { return styleMask_; }
    double alphaValue() const { return windowOpacity(); }
    void setAlphaValue(double alpha) { setWindowOpacity(alpha); }
    int level() const { return level_; }
    void setLevel(int level);
    bool hasShadow() const { return hasShadow_; }
    void setHasShadow(bool hasShadow);
    // Asks for the shadow to follow the window's shape again (it is redrawn).
    void invalidateShadow() { update(); }
    Color backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const Color& color);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    void display();

    // Ordering. A miniaturised window ordered front comes back from the Dock.
    void makeKeyAndOrderFront(Object* sender);
    void orderFront(Object* sender);
    void orderFrontRegardless() { orderFront(nullptr); }
    // Brings the window to the front while the key window stays key, as a
    // panel that tells something without taking the keyboard does: the
    // desktop is asked not to activate it, and an activation its showing
    // brings all the same goes back to the key window. A click into the
    // window lets it become key as usual.
    void orderFrontKeepingKey(Object* sender);
    void orderOut(Object* sender);
    void makeKeyWindow();
    void makeMainWindow();
    bool isKeyWindow() const;
    bool isMainWindow() const;
    // On screen and not miniaturised (unlike QWidget::isVisible).
    bool isVisible() const;
    // A borderless window cannot become key unless a subclass says so.
    virtual bool canBecomeKeyWindow() const;
    virtual bool canBecomeMainWindow() const;

    // Orders the window out after telling the delegate and observers it will close.
    void close();
    // The close button: asks the delegate, then closes.
    void performClose(Object* sender);
    void miniaturize(Object* sender);
    void deminiaturize(Object* sender);
    bool isMiniaturized() const { return isMinimized(); }
    void performMiniaturize(Object* sender);
    // Toggles between the standard frame (the delegate's, or the screen's visible area) and the user's frame.
    void zoom(Object* sender);
    bool isZoomed() const;
    void performZoom(Object* sender) { zoom(sender); }

    void setDelegate(WindowDelegate* delegate) { delegate_ = delegate; }
    WindowDelegate* delegate() const { return delegate_; }

    // Sheets (see Application::beginSheet).
    Window* attachedSheet() const { return attachedSheet_; }
    bool isSheet() const { return sheetParent_ != nullptr; }
    Window* sheetParent() const { return sheetParent_; }
    // The window this one belongs to (a drawer's parent); it is blocked with it.
    Window* parentWindow() const { return parentWindow_; }

    // The window owns its toolbar.
    void setToolbar(std::unique_ptr<Toolbar> toolbar);
    Toolbar* toolbar() const { return toolbar_.get(); }
    // Lays out the menu bar, the toolbar and the content view again (after one of them changed).
    void layoutContent();

    // Shows the application's main menu as a bar across the top of the window,
    // above the toolbar, as main windows do on this desktop. Like the toolbar,
    // the bar lies outside the content: the content keeps its size.
    void setShowsMainMenu(bool shows);
    bool showsMainMenu() const { return menuBar_ != nullptr; }

    void setAcceptsMouseMovedEvents(bool accepts);
    bool acceptsMouseMovedEvents() const { return acceptsMouseMoved_; }
    Point convertBaseToScreen(Point point) const;
    Point convertScreenToBase(Point point) const;
    Point mouseLocationOutsideOfEventStream() const;
    // Gives the view the keyboard focus.
    bool makeFirstResponder(View* view);

    // Lets the content view's controls react to a key equivalent.
    virtual bool performKeyEquivalent(const Event& event);
    void keyDown(const Event& event) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class Application;
    friend class Drawer;

    void updateWindowFlags();
    // Creates the window on the desktop when it is not there yet, so that its frame is known.
    void ensureFrameMargins() const;
    void applySizeLimits();
    void frameMaybeChanged();
    void post(const QString& name, void (WindowDelegate::*method)(const Notification&));
    void didBecomeKey();
    void didResignKey();
    void notifyDrawers();
    // The height of the bars above the content: the menu bar and the toolbar.
    int barsHeight() const;
    // Keeps the content's size while the bars above it change from the height they had.
    void keepContentSize(int barsHeightBefore);
    // Puts the main menu's top-level items into the menu bar.
    void fillMenuBar();
    // Takes the main menu's top-level items again (the application's main menu changed).
    void rebuildMenuBar();

    unsigned styleMask_;
    int level_ = NormalWindowLevel;
    bool keepKeyOnShow_ = false; // shown by orderFrontKeepingKey, not clicked since
    bool hasShadow_ = true;
    bool opaque_ = true;
    bool acceptsMouseMoved_ = false;
    bool wasMiniaturized_ = false;
    Color backgroundColor_;
    Size minSize_;
    Size maxSize_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    Rect reportedFrame_;
    std::optional<Rect> userFrame_; // the frame before zooming
    QPointer<View> contentView_;
    View* frameView_ = nullptr;
    std::unique_ptr<Toolbar> toolbar_;
    QWidget* menuBar_ = nullptr; // a QMenuBar child while the main menu shows
    int laidOutBarsHeight_ = 0;  // the bars' height as the content was last laid out
    WindowDelegate* delegate_ = nullptr;
    Window* attachedSheet_ = nullptr;
    Window* sheetParent_ = nullptr;
    Window* parentWindow_ = nullptr;
    std::function<void(Window*, int)> sheetDidEnd_;
    std::vector<Drawer*> drawers_;
};

// A panel: a window that never becomes the main window; a utility panel has
// a small title bar and floats above its application's windows.
class Panel : public Window
{
public:
    Panel(const Rect& contentRect, unsigned styleMask, BackingStoreType backing = BackingStoreBuffered,
          bool defer = false);

    bool canBecomeMainWindow() const override { return false; }
    bool isFloatingPanel() const { return level() == FloatingWindowLevel; }
    void setFloatingPanel(bool floating) { setLevel(floating ? FloatingWindowLevel : NormalWindowLevel); }
};

} // namespace ns
