// Feeds the speed test's two outside texts with any bytes: the operator's
// control file and the upload tool's report.

#include "connection/SpeedTestFormats.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const ns::Dictionary control = speed_test::readControlFile(text);
    if (control.count() > 3)
        __builtin_trap();
    speed_test::controlWantsTest(control, speed_test::splitHomeNetwork(QStringLiteral("50219")));
    if (const std::optional<double> kilobits = speed_test::readUploadSpeedValue(text)) {
        // A figure is a rate: finite and not negative.
        if (!std::isfinite(*kilobits) || *kilobits < 0)
            __builtin_trap();
    }
    return 0;
}
