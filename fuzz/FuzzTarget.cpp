// The libFuzzer entry of one fuzz target: runs the check of the target this
// program is built for (TRELVAN_FUZZ_TARGET) and aborts when it reports a
// broken promise, so that libFuzzer keeps the input.

#include "fuzz/checks/FuzzChecks.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace
{

const fuzz::Target* target()
{
    static const fuzz::Target* t = fuzz::findTarget(TRELVAN_FUZZ_TARGET);
    return t;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!target()) {
        std::fprintf(stderr, "no check for the fuzz target %s\n", TRELVAN_FUZZ_TARGET);
        std::abort();
    }
    // Refusals are logged by the parsers; millions of them only slow the run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString broken =
        target()->check(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", TRELVAN_FUZZ_TARGET, qPrintable(broken));
        std::abort();
    }
    return 0;
}
