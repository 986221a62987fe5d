#include "halvex/features/SimActivation.h"

#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{
// The country code is the IMSI's first three digits.
constexpr int kMccDigits = 3;
} // namespace

void SimActivation::registerSteps(StepTable& steps)
{
    steps.registerStep(
        QStringLiteral("usim"),
        QStringLiteral("Reports the USIM's activation state: 0 activated, 4 or 6 not activated."),
        {{QStringLiteral("status"), 0, 7, QStringLiteral("the activation state")}},
        [this](const ns::Dictionary& arguments) {
            if (!modem_.isPlugged())
                return QStringLiteral("the device is removed");
            activation_ = int32_t(arguments.value(QStringLiteral("status")).longLongValue());
            reportActivation();
            return QString();
        });
}

void SimActivation::devicePlugged()
{
    reportActivation();
}

void SimActivation::simReady()
{
    const int mcc = modem_.scenario().sim.imsi.left(kMccDigits).toInt();
    modem_.report(makeRecord(msg::device::kCheckHPLMN, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, mcc).bytes()));
}

void SimActivation::reportActivation()
{
    modem_.report(makeRecord(msg::device::kCheckUSIMStatus, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, activation_).bytes()));
}

} // namespace halvex
