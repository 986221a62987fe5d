#include "halvex/features/SimUpdate.h"

#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "jCommon/DeviceMessages.h"

namespace halvex
{

void SimUpdate::registerSteps(StepTable& steps)
{
    steps.registerStep(QStringLiteral("simupdate"),
                       QStringLiteral("The network updates the SIM over the air: the modem reports it."), {},
                       [this](const ns::Dictionary&) {
                           if (!modem_.isPlugged())
                               return QStringLiteral("the device is removed");
                           modem_.report(
                               makeRecord(msg::device::kCheckSmsPPDownload, kTypeReport, kResultSuccess));
                           return QString();
                       });
}

} // namespace halvex
