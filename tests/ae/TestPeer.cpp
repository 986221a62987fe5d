// A process for the transport tests: listens under the bundle identifier
// given on its command line, prints "listening" once it does, and handles
// events of class 'test':
//   'echo' replies with the event's parameters
//   'note' keeps its 'data' parameter; 'rcal' replies with those kept so far
//          as a property-list array in 'nots'
//   'slow' sleeps for 'msec' milliseconds before replying
//   'exit' ends the process at once, leaving the sender without a reply
//   'call' sends event 'test'/'back' to the identifier in 'whom' with the send
//          mode in 'mode' and the time-out in 'tick', and replies with the
//          result in 'errn'
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>
#include <unistd.h>

using namespace ae;

namespace
{

constexpr OSType kTestClass = fourCharCode("test");

QString text(const AppleEvent& event, OSType keyword)
{
    return QString::fromUtf8(event.paramDescriptor(keyword).value_or(Descriptor()).data);
}

Descriptor text(const QString& value)
{
    return {typeUTF8Text, value.toUtf8()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    AppleEventManager& manager = AppleEventManager::sharedAppleEventManager();
    ns::Array notes;

    manager.setEventHandler(kTestClass, fourCharCode("echo"), [](const AppleEvent& event, AppleEvent& reply) {
        for (const auto& [keyword, value] : event.parameters())
            reply.setParamDescriptor(keyword, value);
    });
    manager.setEventHandler(kTestClass, fourCharCode("note"), [&notes](const AppleEvent& event, AppleEvent&) {
        notes.append(event.paramDescriptor(fourCharCode("data")).value_or(Descriptor()).data);
    });
    manager.setEventHandler(kTestClass, fourCharCode("rcal"), [&notes](const AppleEvent&, AppleEvent& reply) {
        reply.setParamDescriptor(fourCharCode("nots"), Descriptor::fromPropertyList(notes));
    });
    manager.setEventHandler(kTestClass, fourCharCode("slow"), [](const AppleEvent& event, AppleEvent&) {
        QThread::msleep(text(event, fourCharCode("msec")).toULong());
    });
    manager.setEventHandler(kTestClass, fourCharCode("exit"),
                            [](const AppleEvent&, AppleEvent&) { _exit(3); });
    manager.setEventHandler(kTestClass, fourCharCode("call"), [](const AppleEvent& event, AppleEvent& reply) {
        const AppleEvent back(kTestClass, fourCharCode("back"),
                              Descriptor::fromBundleIdentifier(text(event, fourCharCode("whom"))));
        const OSErr result = AESend(back, nullptr, text(event, fourCharCode("mode")).toInt(),
                                    kAENormalPriority, text(event, fourCharCode("tick")).toLong());
        reply.setParamDescriptor(fourCharCode("errn"), text(QString::number(result)));
    });

    if (!manager.listen(QString::fromLocal8Bit(argv[1]))) {
        std::puts("listen failed");
        return 1;
    }
    std::puts("listening");
    std::fflush(stdout);
    return app.exec();
}
