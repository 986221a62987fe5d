#include "halvex/features/SimFiles.h"

#include "halvex/FieldWidths.h"
#include "halvex/Modem.h"
#include "halvex/Payload.h"
#include "halvex/Record.h"

namespace halvex
{

namespace
{
constexpr uint16_t kMajorInfo = 7;
constexpr uint16_t kMinorSPDI = 39;
constexpr uint16_t kMinorSPN = 40;
constexpr uint16_t kMinorICCID = 41;
} // namespace

void SimFiles::simReady()
{
    const Scenario::Sim& sim = modem_.scenario().sim;
    const auto fileRecord = [](uint16_t minorID, const QString& hexText) {
        return makeRecord(kMajorInfo, minorID, kTypeReport, kResultSuccess,
                          Payload(FieldWidth::kSimFile).setText(0, FieldWidth::kSimFile, hexText).bytes());
    };
    modem_.report(fileRecord(kMinorSPDI, sim.spdiFile));
    modem_.report(fileRecord(kMinorSPN, sim.spnFile));
    modem_.report(fileRecord(kMinorICCID, sim.iccidFile));
}

} // namespace halvex
