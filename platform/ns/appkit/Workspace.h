#pragma once

#include <QUrl>

namespace ns
{

// The desktop's services to the application: opening web pages and files in
// the programs the user chose for them.
class Workspace
{
public:
    static Workspace& sharedWorkspace();

    // Opens the URL with the user's program for its scheme (the browser for
    // web pages); false when the URL is invalid or nothing could open it.
    bool openURL(const QUrl& url);

private:
    Workspace() = default;
};

} // namespace ns
