#pragma once

#include "platform/ae/AppleEvent.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <map>

namespace ns
{
class FrameConnection;
class FrameServer;
} // namespace ns

namespace ae
{

// Receives the events sent to this process. The process listens on a socket
// named by its bundle identifier in the runtime folder (open to this user
// only); each event runs the handler installed for its class and ID on the
// main thread's event loop, and an event whose sender waits gets the reply the
// handler filled in once the handler returns (errAEEventNotHandled when there
// is none). At most kMaxConnections senders are connected at a time; a frame
// that is not a well-formed event closes its connection. Everything here is
// called on the main thread.
class AppleEventManager
{
public:
    // The handler gets the event and the reply to fill in; the reply comes
    // ready as the answer (class 'aevt', ID 'ansr') with the event's return
    // and transaction IDs.
    using EventHandler = std::function<void(const AppleEvent& event, AppleEvent& reply)>;

    static constexpr int kMaxConnections = 16;

    static AppleEventManager& sharedAppleEventManager();

    // Registers this process under a bundle identifier (leaving a previous
    // one). A socket left behind by a process that is gone is replaced; false
    // when a live process already listens under it or the socket cannot be made.
    bool listen(const QString& bundleIdentifier);
    void stopListening();
    bool isListening() const;
    QString bundleIdentifier() const { return isListening() ? bundleIdentifier_ : QString(); }

    void setEventHandler(OSType eventClass, OSType eventID, EventHandler handler);
    void removeEventHandler(OSType eventClass, OSType eventID);

    // Runs the handler for the event with a fresh answer in reply: noErr, or
    // errAEEventNotHandled when no handler is installed for it.
    OSErr dispatchEvent(const AppleEvent& event, AppleEvent& reply);
    // True when this process listens under the identifier and the calling
    // thread is the one its handlers run on.
    bool handlesInCallingThread(const QString& bundleIdentifier) const;

private:
    AppleEventManager() = default;
    ~AppleEventManager();
    AppleEventManager(const AppleEventManager&) = delete;
    AppleEventManager& operator=(const AppleEventManager&) = delete;

    void handleFrame(ns::FrameConnection& connection, const QByteArray& bytes);
    void releaseSocket();

    QPointer<ns::FrameServer> server_; // a child of the application object
    QString bundleIdentifier_;
    QString socketPath_;
    int lockFd_ = -1; // locked for as long as this process listens
    std::map<std::pair<OSType, OSType>, EventHandler> handlers_;
};

} // namespace ae
