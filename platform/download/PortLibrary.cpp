// The port library: one serial port at a time, opened raw through termios.
#include "platform/download/DownloadInterface.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <type_traits>
#include <unistd.h>

#define PORT_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

std::mutex portMutex;
int portFd = -1;

} // namespace

PORT_EXPORT int Open(const char* device)
{
    if (!device)
        return 0;
    const std::lock_guard lock(portMutex);
    if (portFd >= 0)
        ::close(portFd);
    portFd = ::open(device, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (portFd < 0)
        return 0;
    termios settings{};
    if (::tcgetattr(portFd, &settings) != 0) {
        ::close(portFd);
        portFd = -1;
        return 0;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(portFd, TCSANOW, &settings) != 0) {
        ::close(portFd);
        portFd = -1;
        return 0;
    }
    ::tcflush(portFd, TCIOFLUSH);
    return 1;
}

PORT_EXPORT int Close(void)
{
    const std::lock_guard lock(portMutex);
    if (portFd >= 0) {
        ::tcdrain(portFd);
        ::close(portFd);
    }
    portFd = -1;
    return 1;
}

PORT_EXPORT int IsOpen(void)
{
    const std::lock_guard lock(portMutex);
    return portFd >= 0 ? 1 : 0;
}

PORT_EXPORT int SendData(const unsigned char* data, int length)
{
    const std::lock_guard lock(portMutex);
    if (portFd < 0 || !data || length < 0)
        return -1;
    int sent = 0;
    while (sent < length) {
        const ssize_t n = ::write(portFd, data + sent, std::size_t(length - sent));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return -1;
        sent += int(n);
    }
    return sent;
}

PORT_EXPORT int ReadData(unsigned char* buffer, int length, int timeoutMs)
{
    const std::lock_guard lock(portMutex);
    if (portFd < 0 || !buffer || length < 0)
        return -1;
    pollfd waiting{portFd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&waiting, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return -1;
    if (ready == 0)
        return 0;
    const ssize_t n = ::read(portFd, buffer, std::size_t(length));
    return n < 0 ? -1 : int(n);
}

PORT_EXPORT int ReadDataWaiting(void)
{
    const std::lock_guard lock(portMutex);
    int count = 0;
    if (portFd < 0 || ::ioctl(portFd, FIONREAD, &count) != 0)
        return -1;
    return count;
}

// The table's types are the library's contract.
static_assert(std::is_same_v<decltype(&Open), PortOpenFunction>);
static_assert(std::is_same_v<decltype(&Close), PortCloseFunction>);
static_assert(std::is_same_v<decltype(&IsOpen), PortIsOpenFunction>);
static_assert(std::is_same_v<decltype(&ReadData), PortReadDataFunction>);
static_assert(std::is_same_v<decltype(&SendData), PortSendDataFunction>);
static_assert(std::is_same_v<decltype(&ReadDataWaiting), PortReadDataWaitingFunction>);
