#include "halvex/features/DeviceLock.h"

#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{
constexpr int32_t kNotLocked = 0;
} // namespace

void DeviceLock::devicePlugged()
{
    modem_.report(makeRecord(msg::device::kCheckDeviceLockStatus, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, kNotLocked).bytes()));
}

} // namespace halvex
