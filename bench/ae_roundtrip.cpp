// Cost of one Apple Event to another process: a wait-reply round trip and a
// no-reply send of one device-server record, and the frame coding alone.
// The program starts a copy of itself as the receiving process
// ("ae_roundtrip --listen <bundle identifier>") on a private runtime folder.
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ae/Frame.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

using namespace ae;

namespace
{

const QString kReceiver = QStringLiteral("com.trelvan.bench.receiver");
constexpr OSType kGetURL = fourCharCode("GURL");

AppleEvent recordEvent()
{
    AppleEvent event(kGetURL, kGetURL, Descriptor::fromBundleIdentifier(kReceiver));
    event.setParamDescriptor(fourCharCode("jMsg"), {typeData, QByteArray(8220, '\1')});
    return event;
}

int listen(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    AppleEventManager& manager = AppleEventManager::sharedAppleEventManager();
    manager.setEventHandler(kGetURL, kGetURL, [](const AppleEvent&, AppleEvent&) {});
    if (!manager.listen(QString::fromLocal8Bit(argv[2])))
        return 1;
    std::puts("listening");
    std::fflush(stdout);
    return app.exec();
}

void waitReplyRoundTrip(benchmark::State& state)
{
    const AppleEvent event = recordEvent();
    for (auto _ : state) {
        if (AESend(event, nullptr, kAEWaitReply, kAEHighPriority, 60) != noErr)
            state.SkipWithError("send failed");
    }
}
BENCHMARK(waitReplyRoundTrip);

void noReplySend(benchmark::State& state)
{
    const AppleEvent event = recordEvent();
    for (auto _ : state) {
        if (AESend(event, nullptr, kAENoReply, kAEHighPriority, 60) != noErr)
            state.SkipWithError("send failed");
    }
}
BENCHMARK(noReplySend);

void frameEncodeDecode(benchmark::State& state)
{
    const Frame frame{Frame::Kind::Event, true, noErr, recordEvent()};
    for (auto _ : state)
        benchmark::DoNotOptimize(Frame::decode(frame.encoded()));
}
BENCHMARK(frameEncodeDecode);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--listen") == 0)
        return listen(argc, argv);

    QCoreApplication app(argc, argv);
    QTemporaryDir runtime;
    qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QProcess receiver;
    receiver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    receiver.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--listen"), kReceiver});
    while (!receiver.canReadLine() && receiver.waitForReadyRead(10000)) {
    }
    if (receiver.readLine().trimmed() != "listening") {
        std::fputs("the receiving process did not start\n", stderr);
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    receiver.kill();
    receiver.waitForFinished();
    return 0;
}
