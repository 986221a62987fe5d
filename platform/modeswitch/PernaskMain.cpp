// Pernask, the USB mode-switch daemon, as it stands in on Linux: udev switches
// the modems' modes here, so the daemon only idles, holding the lock on its
// pid file in the runtime folder while it runs. A second one finds the lock
// taken and leaves. It ends on SIGTERM or SIGINT.
#include "platform/modeswitch/ModeSwitchControl.h"

#include <QFile>
#include <QString>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main()
{
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

    const QString pidFile = modeswitch::ModeSwitchControl::pidFilePath();
    if (pidFile.isEmpty()) {
        std::fprintf(stderr, "Pernask: no runtime folder\n");
        return 1;
    }
    const QByteArray path = QFile::encodeName(pidFile);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        std::fprintf(stderr, "Pernask: cannot open %s\n", path.constData());
        return 1;
    }
    struct flock lock {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_SETLK, &lock) != 0)
        return 0; // another one runs
    const std::string pid = std::to_string(::getpid()) + '\n';
    if (::ftruncate(fd, 0) != 0 || ::write(fd, pid.data(), pid.size()) != ssize_t(pid.size()))
        std::fprintf(stderr, "Pernask: cannot write %s\n", path.constData());

    int received = 0;
    sigwait(&stopSignals, &received);
    ::unlink(path.constData());
    ::close(fd);
    return 0;
}
