#include "tests/updater/FakeApplication.h"

#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace updater_test
{

FakeApplication::FakeApplication(const QString& folder, const QString& name, const QString& bundleIdentifier)
{
    const QString bundle = folder + u'/' + name + QStringLiteral(".app");
    QDir().mkpath(bundle + QStringLiteral("/Contents/MacOS"));
    ns::PropertyList::writeFile(bundle + QStringLiteral("/Contents/Info.plist"),
                                ns::Dictionary{{QStringLiteral("CFBundleExecutable"), name},
                                               {QStringLiteral("CFBundleIdentifier"), bundleIdentifier}});
    executable_ = bundle + QStringLiteral("/Contents/MacOS/") + name;
    QFile::copy(QStandardPaths::findExecutable(QStringLiteral("sleep")), executable_);
}

FakeApplication::~FakeApplication()
{
    stop();
}

bool FakeApplication::start()
{
    process_.start(executable_, {QStringLiteral("600")});
    return process_.waitForStarted(10000);
}

void FakeApplication::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(10000);
}

bool FakeApplication::removeExecutable()
{
    return QFile::remove(executable_);
}

} // namespace updater_test
