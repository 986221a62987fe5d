#include "halvex/features/SimPin.h"

#include "halvex/FieldWidths.h"
#include "halvex/Logging.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Payload.h"
#include "halvex/Record.h"

namespace halvex
{

namespace
{
constexpr uint16_t kMajorPin = 4;
constexpr uint16_t kMinorAttemptsLeft = 8;
constexpr uint16_t kMinorSimReady = 9;
constexpr uint16_t kMinorCheckPin = 10;
constexpr uint16_t kMinorCheckPuk = 11;
constexpr uint16_t kMajorSim = 6;
constexpr uint16_t kMinorSimStatus = 32;

// SIM status data: the SIM's type, or no SIM.
constexpr int32_t kSimTypeSim = 0;
constexpr int32_t kSimTypeUsim = 1;
constexpr int32_t kNoSim = -1;

// The codes in the manager's requests: PIN check, the PIN; PUK check, the
// new PIN then the PUK.
constexpr int kCodeWidth = FieldWidth::kCode;
} // namespace

void SimPin::registerMessages(MessageRouter& router)
{
    router.registerHandler(kMajorPin, kMinorCheckPin,
                           [this](const _UI_MSG& request) { dealWithCheckPin(request); });
    router.registerHandler(kMajorPin, kMinorCheckPuk,
                           [this](const _UI_MSG& request) { dealWithCheckPuk(request); });
}

void SimPin::devicePlugged()
{
    const SimCard& sim = modem_.sim();
    if (sim.status() == SimCard::Status::Absent) {
        modem_.report(makeRecord(kMajorSim, kMinorSimStatus, kTypeReport, kResultFailure,
                                 Payload(4).setInt32(0, kNoSim).bytes()));
        return;
    }
    modem_.report(makeRecord(kMajorSim, kMinorSimStatus, kTypeReport, kResultSuccess,
                             Payload(4).setInt32(0, sim.isUsim() ? kSimTypeUsim : kSimTypeSim).bytes()));
    if (sim.status() == SimCard::Status::Ready)
        modem_.report(makeRecord(kMajorPin, kMinorSimReady, kTypeReport, kResultSuccess));
    else
        askForCode();
}

bool SimPin::simAsksForCode() const
{
    const SimCard::Status status = modem_.sim().status();
    return status == SimCard::Status::PinRequired || status == SimCard::Status::PukRequired ||
           status == SimCard::Status::Blocked;
}

void SimPin::askForCode()
{
    // A PIN check that failed is how the SIM asks for a code; the attempts
    // left tell the manager whether it is the PIN or the PUK.
    modem_.report(makeRecord(kMajorPin, kMinorCheckPin, kTypeRequest, kResultFailure));
    modem_.report(attemptsLeftRecord());
}

_UI_MSG SimPin::attemptsLeftRecord() const
{
    const SimCard& sim = modem_.sim();
    return makeRecord(
        kMajorPin, kMinorAttemptsLeft, kTypeReport, kResultSuccess,
        Payload(8).setInt32(0, sim.pinAttemptsLeft()).setInt32(4, sim.pukAttemptsLeft()).bytes());
}

void SimPin::dealWithCheckPin(const _UI_MSG& request)
{
    if (modem_.sim().verifyPin(dataText(request, 0, kCodeWidth))) {
        qCInfo(lcHalvex) << "PIN accepted";
        codeAccepted(request);
    } else {
        qCInfo(lcHalvex) << "PIN refused;" << modem_.sim().pinAttemptsLeft() << "PIN attempts left";
        codeRefused(request);
    }
}

void SimPin::dealWithCheckPuk(const _UI_MSG& request)
{
    if (modem_.sim().unblock(dataText(request, kCodeWidth, kCodeWidth), dataText(request, 0, kCodeWidth))) {
        qCInfo(lcHalvex) << "PUK accepted; new PIN set";
        codeAccepted(request);
    } else {
        qCInfo(lcHalvex) << "PUK refused;" << modem_.sim().pukAttemptsLeft() << "PUK attempts left";
        codeRefused(request);
    }
}

void SimPin::codeAccepted(const _UI_MSG& request)
{
    modem_.send(
        makeRecord(kMajorPin, request.minorID, kTypeRequest, kResultSuccess, QByteArray(), request.moduleID),
        modem_.scenario().timing.codeCheckDelay);
    modem_.report(makeRecord(kMajorPin, kMinorSimReady, kTypeReport, kResultSuccess));
    modem_.simBecameReady();
}

void SimPin::codeRefused(const _UI_MSG& request)
{
    // A refused PUK is answered as a refused PIN check too: the manager words
    // the failure by the code it last asked for.
    modem_.send(
        makeRecord(kMajorPin, kMinorCheckPin, kTypeRequest, kResultFailure, QByteArray(), request.moduleID),
        modem_.scenario().timing.codeCheckDelay);
    if (simAsksForCode())
        modem_.report(attemptsLeftRecord());
}

} // namespace halvex
