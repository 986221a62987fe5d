#pragma once

#include <QProcess>
#include <QString>

namespace updater_test
{

// A running application of the user: a real process whose executable lies in
// <folder>/<name>.app/Contents/MacOS, with the bundle identifier in its Info.plist.
class FakeApplication
{
public:
    FakeApplication(const QString& folder, const QString& name, const QString& bundleIdentifier);
    ~FakeApplication();
    FakeApplication(const FakeApplication&) = delete;
    FakeApplication& operator=(const FakeApplication&) = delete;

    bool start();
    void stop();
    // Removes the executable from disk while the process runs (as an update replacing it does).
    bool removeExecutable();
    qint64 processId() const { return process_.processId(); }

private:
    QString executable_;
    QProcess process_;
};

} // namespace updater_test
