#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include <sys/types.h>

namespace authorization
{

// The statuses of an authorization and of a tool run with it.
enum Status : int {
    errAuthorizationSuccess = 0,
    errAuthorizationDenied = -60005,            // no way to administrator rights, or refused
    errAuthorizationCanceled = -60006,          // the user dismissed the request
    errAuthorizationToolExecuteFailure = -60031 // the tool could not be started or gave up
};

// The right to run a tool as administrator. A process that runs as root runs
// the tool itself; any other asks pkexec, whose polkit agent asks the user
// when the tool is started. Without pkexec there is no such right: the
// authorization is refused, never granted silently.
class Authorization
{
public:
    // The authorization, or nullptr with the status in *status.
    static std::unique_ptr<Authorization> create(Status* status);
    // Leaves a tool that still runs alone; one that has ended is reaped.
    ~Authorization();
    Authorization(const Authorization&) = delete;
    Authorization& operator=(const Authorization&) = delete;

    // Runs the tool as administrator with the arguments and waits until it
    // announces, with the line "started" on its standard output, that its
    // work is under way; the tool goes on by itself after that. When it ends
    // without that line the status says why: pkexec's 126 (the request
    // dismissed) is errAuthorizationCanceled, its 127 (refused)
    // errAuthorizationDenied, anything else errAuthorizationToolExecuteFailure.
    Status executeWithPrivileges(const QString& tool, const QStringList& arguments);
    // The process started last, while it may still run.
    std::optional<pid_t> toolProcess() const { return tool_; }

    bool usesPkexec() const { return usesPkexec_; }

    // Where pkexec is looked for ("/usr/bin/pkexec"), and whether this
    // process counts as root (by default, its effective user); tests replace both.
    static void setPkexecPath(const QString& path);
    static QString pkexecPath();
    static void setRunsAsRoot(std::optional<bool> root);
    static bool runsAsRoot();

private:
    explicit Authorization(bool usesPkexec) : usesPkexec_(usesPkexec) {}
    void reapTool();

    bool usesPkexec_;
    std::optional<pid_t> tool_;
};

} // namespace authorization
