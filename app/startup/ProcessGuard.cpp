#include "app/startup/ProcessGuard.h"

#include "app/config/ConfigManager.h"
#include "app/interfaces/DialControlling.h"
#include "app/log/KLog.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/DistributedNotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/Task.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace
{

int signalPipe[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const char byte = char(signalNumber);
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

} // namespace

int countProcessesEndingWith(const QString& name)
{
    // The name goes into a shell command: only a plain file name is used.
    QString safe = name;
    safe.remove(QLatin1Char('\''));
    const QByteArray line =
        ns::readFirstLineOfShellCommand(QStringLiteral("ps -axc | grep -c '%1$'").arg(safe), 512);
    return line.trimmed().toInt();
}

bool isSingleInstance()
{
    const QString name = QFileInfo(ns::Bundle::mainBundle().executablePath()).fileName();
    return countProcessesEndingWith(name) < 2;
}

void setKLog()
{
    const QString path = ConfigManager::sharedConfigManager().configFilePathOfKey(kCMSettingFile);
    const ns::Dictionary settings = ns::PropertyList::readDictionary(path).value_or(ns::Dictionary());
    const ns::Value& isLogOn = settings.value(QStringLiteral("IsLogOn"));
    SetKLogOpen(isLogOn.isNumber() && isLogOn.boolValue());
}

void SignalHandler(int)
{
    if (g_DialController && g_DialController->GetisDialNow())
        g_DialController->SelectDisconnectAction();
    ns::runShellCommand(QStringLiteral("killall Halvex"));
    // _exit runs no clean-up of its own: the notification socket goes here.
    ns::DistributedNotificationCenter::defaultCenter().stopListening();
    std::fflush(nullptr);
    ::_exit(0);
}

void installSignalHandler()
{
    if (signalPipe[0] >= 0 || ::pipe(signalPipe) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read); // lives as long as the process
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        if (::read(signalPipe[0], &byte, 1) == 1)
            SignalHandler(byte);
    });
    struct sigaction action {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}
