#include "updater/TerminationSignals.h"

#include "platform/ns/appkit/Application.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

int signalSocket[2] = {-1, -1};

void noteSignal(int)
{
    const char byte = 1;
    (void)!::write(signalSocket[0], &byte, 1);
}

} // namespace

void terminateApplicationOnSignals()
{
    if (signalSocket[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        (void)!::read(signalSocket[1], &byte, 1);
        ns::Application::sharedApplication().terminate(nullptr);
    });
    struct sigaction action {
    };
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}
