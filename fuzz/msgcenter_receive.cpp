// The message center's receive path, from the event that carries a record to
// the notification a feature reads it from, with time moving on in between.
//
// The input is a series of events. Each starts with a 4-byte header: the
// parameter's size (2 bytes, little-endian; the low 14 bits), then how many of
// the input bytes that follow begin the parameter (2 bytes, little-endian; the
// rest of it is zero). Bit 15 of the size gives the event another class, bit 14
// leaves the record parameter out. After each event the clock moves on by 0, 1
// or 2 ticks.
//
// Checked on the way: every record handed out is one whole record under the
// name of its identifier, the queue never holds more than its bound, and each
// record taken in is handed out once.
#include "app/msgcenter/JOVMsgCenter.h"
#include "jCommon/DeviceServerChannel.h"
#include "jCommon/PayloadReader.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace
{

constexpr double kTick = 0.005;
constexpr int kQueueBound = 250;

struct Harness {
    Harness()
    {
        qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("QT_LOGGING_RULES", "*=false"); // refused records are logged; not here
        ns::Clock::setCurrent(&clock);
        center = std::make_unique<JOVMsgCenter>();
        ns::NotificationCenter::defaultCenter().addObserverForName(
            QString(), center.get(), [this](const ns::Notification& notification) { read(notification); });
    }

    // What a feature's handler does: copy the record out, then read its fields.
    void read(const ns::Notification& notification)
    {
        if (notification.userInfo().value(kMsgUserInfo).toData().size() != kUIMsgSize)
            std::abort();
        _UI_MSG msg{};
        center->getMsgPackage(&msg, &notification);
        if (notification.name() != messageNotificationName(msg.majorID, msg.minorID))
            std::abort();
        checksum += uint32_t(payloadInt32(msg, msg.length)) + uint32_t(payloadText(msg, msg.type, 64).size());
        ++handedOut;
    }

    int argc = 1;
    char name[7] = "fuzzer";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QTemporaryDir runtime;
    ns::ManualClock clock;
    std::unique_ptr<JOVMsgCenter> center;
    uint32_t checksum = 0;
    int handedOut = 0;
};

Harness& harness()
{
    static Harness* h = new Harness; // lives as long as the fuzzing process
    return *h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Harness& h = harness();
    h.handedOut = 0;
    int taken = 0;
    size_t pos = 0;
    while (size - pos >= 4) {
        const unsigned sizeField = data[pos] | (unsigned(data[pos + 1]) << 8);
        const unsigned given = data[pos + 2] | (unsigned(data[pos + 3]) << 8);
        pos += 4;
        QByteArray parameter(int(sizeField & 0x3fff), '\0');
        const size_t copied = std::min<size_t>({given, size - pos, size_t(parameter.size())});
        std::memcpy(parameter.data(), data + pos, copied);
        pos += copied;

        const ae::OSType eventClass = (sizeField & 0x8000) ? ae::fourCharCode("aevt") : kRecordEventClass;
        ae::AppleEvent event(eventClass, kRecordEventID, ae::Descriptor());
        if (!(sizeField & 0x4000))
            event.setParamDescriptor(keyRecordParameter, {ae::typeData, parameter});
        const int queuedBefore = h.center->queuedMessageCount();
        ae::AppleEvent reply;
        h.center->handleAppleEvent(event, reply);
        const int queued = h.center->queuedMessageCount();
        if (queued > kQueueBound || queued < queuedBefore || queued > queuedBefore + 1)
            std::abort();
        taken += queued - queuedBefore;
        h.clock.advance(kTick * double(copied % 3));
    }
    // Every record taken in is handed out once the queue has drained.
    h.clock.advance(kTick * (kQueueBound + 1));
    if (h.center->queuedMessageCount() != 0 || h.handedOut != taken)
        std::abort();
    return 0;
}
