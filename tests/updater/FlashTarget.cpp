#include "tests/updater/FlashTarget.h"

#include "platform/download/FlashProtocol.h"

#include <QFile>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace updater_test
{

FlashTarget::FlashTarget(const QString& imagePath) : imagePath_(imagePath) {}

FlashTarget::~FlashTarget()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool FlashTarget::start()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return false;
    portName_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0)
        return false;
    thread_ = std::thread(&FlashTarget::serve, this);
    return true;
}

void FlashTarget::answer(unsigned char answer, std::uint32_t number)
{
    const std::vector<unsigned char> bytes = firmware::encodeAnswer(answer, number);
    (void)!::write(master_, bytes.data(), bytes.size());
}

void FlashTarget::serve()
{
    firmware::BlockReader reader;
    unsigned char buffer[8192];
    while (!stop_) {
        pollfd waiting{master_, POLLIN, 0};
        if (held_ || ::poll(&waiting, 1, 20) <= 0) {
            if (held_)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        reader.append(buffer, std::size_t(n));
        while (std::optional<firmware::Block> block = reader.next()) {
            if (!block->crcMatches || std::int64_t(block->number) == refused_) {
                answer(firmware::kRefused, block->number);
                continue;
            }
            ++taken_;
            if (!block->data.empty()) {
                image_.append(reinterpret_cast<const char*>(block->data.data()),
                              qsizetype(block->data.size()));
            } else {
                // The closing block: the image is saved before it is acknowledged,
                // as a modem finishes writing before it answers.
                QFile file(imagePath_);
                if (file.open(QIODevice::WriteOnly) && file.write(image_) == image_.size())
                    complete_ = true;
                image_.clear();
            }
            answer(firmware::kTaken, block->number);
        }
    }
}

} // namespace updater_test
