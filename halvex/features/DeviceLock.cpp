#include "halvex/features/DeviceLock.h"

#include "halvex/Modem.h"
#include "halvex/Payload.h"
#include "halvex/Record.h"

namespace halvex
{

namespace
{
constexpr uint16_t kMajorDeviceLock = 0;
constexpr uint16_t kMinorDeviceLockStatus = 26;
constexpr int32_t kNotLocked = 0;
} // namespace

void DeviceLock::devicePlugged()
{
    modem_.report(makeRecord(kMajorDeviceLock, kMinorDeviceLockStatus, kTypeReport, kResultSuccess,
                             Payload(4).setInt32(0, kNotLocked).bytes()));
}

} // namespace halvex
