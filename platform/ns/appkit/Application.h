#pragma once

#include "platform/ns/Notification.h"
#include "platform/ns/Object.h"
#include "platform/ns/appkit/Image.h"

#include <QList>
#include <QPointF>

#include <functional>
#include <memory>

class QEvent;
class QEventLoop;
class QObject;

namespace ns
{

class Application;
class Menu;
class Window;

enum ApplicationTerminateReply { TerminateCancel = 0, TerminateNow = 1 };

// Return codes of modal runs and sheets.
enum ModalResponse { RunStoppedResponse = -1000, RunAbortedResponse = -1001, RunContinuesResponse = -1002 };

inline const QString ApplicationWillFinishLaunchingNotification =
    QStringLiteral("NSApplicationWillFinishLaunchingNotification");
inline const QString ApplicationDidFinishLaunchingNotification =
    QStringLiteral("NSApplicationDidFinishLaunchingNotification");
inline const QString ApplicationWillTerminateNotification =
    QStringLiteral("NSApplicationWillTerminateNotification");

// The application's delegate. Each method has the behaviour of a delegate
// that does not implement it.
class ApplicationDelegate
{
public:
    virtual ~ApplicationDelegate() = default;
    virtual void applicationWillFinishLaunching(const Notification&) {}
    virtual void applicationDidFinishLaunching(const Notification&) {}
    virtual ApplicationTerminateReply applicationShouldTerminate(Application* /*application*/)
    {
        return TerminateNow;
    }
    virtual void applicationWillTerminate(const Notification&) {}
    // The user asked for the application again (the Dock icon). True lets
    // the application bring back a miniaturised window when none is visible.
    virtual bool applicationShouldHandleReopen(Application* /*application*/, bool /*hasVisibleWindows*/)
    {
        return true;
    }
};

// The application object: launching and quitting, key and main window,
// modal runs and sheets (each a nested event loop, as on the Mac), the main
// menu's key equivalents, and the sending of actions to targets.
//
// Delegates, data sources and targets throughout this layer: a delegate or
// data source is a typed interface (ApplicationDelegate, WindowDelegate,
// TableViewDataSource ...) whose methods default to what Cocoa does when the
// method is not implemented, so calls that answer something return it
// directly. A target is an ns::Object sent its action by selector name, with
// the sender as argument ("buttonPressed:"); a control without a target sends
// its action along the responder chain: the focused view and its superviews,
// the key window and its delegate, the main window and its delegate, the
// application and its delegate, first one that responds to the selector.
// Delegates and data sources are not owned.
//
// The shared application needs the QApplication to exist.
class Application : public Object
{
public:
    static Application& sharedApplication();

    void setDelegate(ApplicationDelegate* delegate) { delegate_ = delegate; }
    ApplicationDelegate* delegate() const { return delegate_; }

    // Sends the will- and did-finish-launching calls (once).
    void finishLaunching();
    // Finishes launching and runs the main event loop until terminate().
    int run();
    // Asks the delegate; when it answers terminate-now, sends the
    // will-terminate calls, ends all modal runs and leaves the main loop
    // (when run() runs one).
    void terminate(Object* sender);
    bool isTerminated() const { return terminated_; }
    // What activating the application from the Dock does.
    void reopen();

    void setApplicationIconImage(const Image& image);
    Image applicationIconImage() const { return icon_; }

    // Shows the window and runs a nested event loop until stopModal(),
    // stopModalWithCode() or abortModal(), whose code it returns. Meanwhile
    // only the window (with its sheets and drawers) receives input.
    int runModalForWindow(Window* window);
    // These end the innermost modal run.
    void stopModal() { stopModalWithCode(RunStoppedResponse); }
    void stopModalWithCode(int code);
    void abortModal() { stopModalWithCode(RunAbortedResponse); }
    Window* modalWindow() const;

    // Attaches the sheet to the window and shows it; the window takes no input
    // until the sheet is ended. Returns at once; didEnd is called from endSheet()
    // with the sheet and the code. A window takes one sheet at a time (false otherwise).
    bool beginSheet(Window* sheet, Window* docWindow, std::function<void(Window*, int)> didEnd = {});
    // Detaches the sheet (ending any sheet on it first) without ordering it out.
    void endSheet(Window* sheet, int returnCode = RunStoppedResponse);

    Window* keyWindow() const { return keyWindow_; }
    Window* mainWindow() const { return mainWindow_; }
    QList<Window*> windows() const;
    // True while a sheet or another window's modal run keeps input from the window.
    bool isInputBlocked(const Window* window) const;

    // The application owns its main menu; its key equivalents work in every window.
    void setMainMenu(std::unique_ptr<Menu> menu);
    Menu* mainMenu() const { return mainMenu_.get(); }

    // Sends the action to the target, or along the responder chain when the
    // target is null. False when nobody responds to it.
    bool sendAction(const QString& action, Object* target, Object* sender);
    Object* targetForAction(const QString& action) const;

private:
    friend class Window;
    friend class ApplicationEventFilter;

    struct ModalSession {
        Window* window;
        QEventLoop* loop;
        int code;
        bool stopped;
    };

    Application();
    ~Application() override;

    bool filterEvent(QObject* receiver, QEvent* event);
    // Ends the sheet; without notify its did-end call is dropped (the sheet or its window is going away).
    void detachSheet(Window* sheet, int returnCode, bool notify);
    void windowCreated(Window* window);
    void windowDestroyed(Window* window);
    void windowOrderedFront(Window* window);
    void windowOrderedOut(Window* window);
    void setKeyWindow(Window* window);
    void setMainWindow(Window* window) { mainWindow_ = window; }

    ApplicationDelegate* delegate_ = nullptr;
    bool launched_ = false;
    bool running_ = false;
    bool terminating_ = false;
    bool terminated_ = false;
    Image icon_;
    QList<Window*> windows_; // front to back
    Window* keyWindow_ = nullptr;
    Window* mainWindow_ = nullptr;
    QList<ModalSession*> sessions_; // innermost last
    std::unique_ptr<Menu> mainMenu_;
    std::unique_ptr<QObject> eventFilter_;
    quint64 lastMoveTimestamp_ = 0;
    QPointF lastMovePosition_;
};

} // namespace ns
