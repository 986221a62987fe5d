#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace updater_test
{

// A modem in download mode, on a pseudo-terminal: it takes the blocks of the
// flashing protocol, answers each, and once the closing block arrives saves
// the image to a file. A block whose CRC does not match, or the block asked
// to be refused, is answered as refused.
class FlashTarget
{
public:
    explicit FlashTarget(const QString& imagePath);
    ~FlashTarget();
    FlashTarget(const FlashTarget&) = delete;
    FlashTarget& operator=(const FlashTarget&) = delete;

    // Opens the pseudo-terminal and starts answering; false when it cannot.
    bool start();
    // The terminal the port library opens.
    QString portName() const { return portName_; }
    void refuseBlock(std::uint32_t number) { refused_ = std::int64_t(number); }
    // While held, blocks are taken in but not answered.
    void holdAnswers(bool hold) { held_ = hold; }
    // The whole image has arrived and is saved.
    bool isComplete() const { return complete_; }
    int blocksTaken() const { return taken_; }

private:
    void serve();
    void answer(unsigned char answer, std::uint32_t number);

    QString imagePath_;
    QString portName_;
    int master_ = -1;
    int slave_ = -1; // kept open so the terminal stays up between the port's openings
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<std::int64_t> refused_{-1};
    std::atomic<bool> held_{false};
    std::atomic<bool> complete_{false};
    std::atomic<int> taken_{0};
    QByteArray image_;
};

} // namespace updater_test
