#pragma once

#include <QString>
#include <QUrl>

namespace ns
{

// The desktop's services to the application: opening web pages and files in
// the programs the user chose for them, and starting applications.
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
    // Starts an application: an application bundle given by its path (its
    // program in Contents/MacOS), or a program of that name, as given or in
    // lower case, on the search path. False when there is none or it does not start.
    bool launchApplication(const QString& application);

private:
    Workspace() = default;
};

} // namespace ns
