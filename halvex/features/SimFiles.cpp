#include "halvex/features/SimFiles.h"

#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

void SimFiles::simReady()
{
    const Scenario::Sim& sim = modem_.scenario().sim;
    const auto fileRecord = [](MessageID id, const QString& hexText) {
        return makeRecord(
            id, kTypeReport, kResultSuccess,
            PayloadWriter(FieldWidth::kSimFile).setText(0, FieldWidth::kSimFile, hexText).bytes());
    };
    modem_.report(fileRecord(msg::device::kCheckSPDI, sim.spdiFile));
    modem_.report(fileRecord(msg::device::kCheckSPN, sim.spnFile));
    modem_.report(fileRecord(msg::device::kCheckICCID, sim.iccidFile));
}

} // namespace halvex
