#pragma once

#include "platform/ns/Value.h"

#include <QList>
#include <QString>
#include <QUrl>

namespace ns
{

// Keys of a running application's description.
inline const QString kApplicationBundleIdentifierKey = QStringLiteral("NSApplicationBundleIdentifier");
inline const QString kApplicationPathKey = QStringLiteral("NSApplicationPath");
inline const QString kApplicationNameKey = QStringLiteral("NSApplicationName");
inline const QString kApplicationProcessIdentifierKey = QStringLiteral("NSApplicationProcessIdentifier");

// Posted on the default notification centre, object null, when the machine
// is about to sleep and when it has woken (once watchSleepAndWake() runs).
inline const QString kWorkspaceWillSleepNotification = QStringLiteral("NSWorkspaceWillSleepNotification");
inline const QString kWorkspaceDidWakeNotification = QStringLiteral("NSWorkspaceDidWakeNotification");

// The desktop's services to the application: opening web pages and files in
// the programs the user chose for them, starting applications, and the user's
// running applications.
class Workspace
{
public:
    static Workspace& sharedWorkspace();

    // Opens the URL with the user's program for its scheme (the browser for
    // web pages); false when the URL is invalid or nothing could open it.
    bool openURL(const QUrl& url);
    // Opens the file with the user's program for its type; false when the
    // file does not exist or nothing could open it.
    bool openFile(const QString& path);
    // Opens the file with the named application (found as launchApplication
    // finds it), the file's path its one argument; false when the file does
    // not exist, there is no such application or it does not start.
    bool openFile(const QString& path, const QString& application);
    // Starts an application: an application bundle given by its path (its
    // program in Contents/MacOS), or a program of that name, as given or in
    // lower case, on the search path. False when there is none or it does not start.
    bool launchApplication(const QString& application);

    // The user's processes that run a bundle's executable (one in
    // X.app/Contents/MacOS, also one replaced on disk since it started), each
    // described by the bundle's identifier, its path, its name and the
    // process identifier; read from /proc. A bundle without an identifier is left out.
    QList<Dictionary> runningApplications() const;

    // Starts posting the sleep and wake notifications, from the login
    // manager's PrepareForSleep signal on the system bus. Without a system
    // bus it logs that once and posts nothing. Later calls do nothing.
    void watchSleepAndWake();

private:
    Workspace() = default;
    // The program that runs the application; empty when there is none.
    static QString programOfApplication(const QString& application);
};

} // namespace ns
