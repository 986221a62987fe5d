#include "halvex/features/SimPin.h"

#include "halvex/Logging.h"
#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{

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
    router.registerHandler(msg::device::kCheckoutPin,
                           [this](const _UI_MSG& request) { dealWithCheckPin(request); });
    router.registerHandler(msg::device::kCheckoutPuk,
                           [this](const _UI_MSG& request) { dealWithCheckPuk(request); });
    router.registerHandler(msg::device::kAbandonCodeEntry, [](const _UI_MSG&) {
        qCInfo(lcHalvex) << "code entry abandoned; the SIM stays as it is";
    });
    router.registerHandler(msg::device::kSavePin,
                           [this](const _UI_MSG& request) { dealWithSavePin(request); });
}

void SimPin::devicePlugged()
{
    const SimCard& sim = modem_.sim();
    if (sim.status() == SimCard::Status::Absent) {
        modem_.report(makeRecord(msg::device::kCheckSIMStatus, kTypeReport, kResultFailure,
                                 PayloadWriter(4).setInt32(0, kNoSim).bytes()));
        return;
    }
    modem_.report(
        makeRecord(msg::device::kCheckSIMStatus, kTypeReport, kResultSuccess,
                   PayloadWriter(4).setInt32(0, sim.isUsim() ? kSimTypeUsim : kSimTypeSim).bytes()));
    modem_.report(makeRecord(msg::device::kCheckPinActiveStatus, kTypeReport, kResultSuccess,
                             PayloadWriter(4).setInt32(0, sim.isPinEnabled() ? 1 : 0).bytes()));
    // A network-locked device holds the SIM back until it is unlocked.
    if (!modem_.isSimNetworkLocked())
        simUnlocked();
}

void SimPin::simUnlocked()
{
    if (modem_.sim().status() == SimCard::Status::Ready)
        modem_.report(makeRecord(msg::device::kPinStatus, kTypeReport, kResultSuccess));
    else if (simAsksForCode())
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
    modem_.report(makeRecord(msg::device::kCheckoutPin, kTypeRequest, kResultFailure));
    modem_.report(attemptsLeftRecord());
}

_UI_MSG SimPin::attemptsLeftRecord() const
{
    const SimCard& sim = modem_.sim();
    return makeRecord(
        msg::device::kCountPinPukRemain, kTypeReport, kResultSuccess,
        PayloadWriter(8).setInt32(0, sim.pinAttemptsLeft()).setInt32(4, sim.pukAttemptsLeft()).bytes());
}

void SimPin::dealWithCheckPin(const _UI_MSG& request)
{
    if (modem_.sim().verifyPin(payloadText(request, 0, kCodeWidth))) {
        qCInfo(lcHalvex) << "PIN accepted";
        codeAccepted(request);
    } else {
        qCInfo(lcHalvex) << "PIN refused;" << modem_.sim().pinAttemptsLeft() << "PIN attempts left";
        codeRefused(request);
    }
}

void SimPin::dealWithCheckPuk(const _UI_MSG& request)
{
    if (modem_.sim().unblock(payloadText(request, kCodeWidth, kCodeWidth),
                             payloadText(request, 0, kCodeWidth))) {
        qCInfo(lcHalvex) << "PUK accepted; new PIN set";
        codeAccepted(request);
    } else {
        qCInfo(lcHalvex) << "PUK refused;" << modem_.sim().pukAttemptsLeft() << "PUK attempts left";
        codeRefused(request);
    }
}

void SimPin::dealWithSavePin(const _UI_MSG& request)
{
    // The modem keeps the PIN it is given for its own automatic entry; a PIN
    // that is not the card's is refused.
    const bool kept = modem_.sim().status() == SimCard::Status::Ready &&
                      modem_.sim().isPin(payloadText(request, 0, kCodeWidth));
    savedPin_ = kept ? payloadText(request, 0, kCodeWidth) : QString();
    qCInfo(lcHalvex) << (kept ? "PIN saved in the modem" : "PIN to save refused");
    modem_.send(makeRecord(msg::device::kSavePin, kTypeReport, kept ? kResultSuccess : kResultFailure,
                           QByteArray(), request.moduleID),
                modem_.scenario().timing.replyDelay);
}

void SimPin::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("PinSavedInModem"), !savedPin_.isEmpty());
}

void SimPin::codeAccepted(const _UI_MSG& request)
{
    modem_.send(makeRecord(MessageID{request.majorID, request.minorID}, kTypeRequest, kResultSuccess,
                           QByteArray(), request.moduleID),
                modem_.scenario().timing.codeCheckDelay);
    modem_.report(makeRecord(msg::device::kPinStatus, kTypeReport, kResultSuccess));
    modem_.simBecameReady();
}

void SimPin::codeRefused(const _UI_MSG& request)
{
    // A refused PUK is answered as a refused PIN check too: the manager words
    // the failure by the code it last asked for.
    modem_.send(
        makeRecord(msg::device::kCheckoutPin, kTypeRequest, kResultFailure, QByteArray(), request.moduleID),
        modem_.scenario().timing.codeCheckDelay);
    if (simAsksForCode())
        modem_.report(attemptsLeftRecord());
}

} // namespace halvex
