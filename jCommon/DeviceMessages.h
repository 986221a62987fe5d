#pragma once

#include "jCommon/MessageID.h"

// Family 0x00: the device's start-up and status, majors 0 to 8. Named after
// what the message carries; requests and their answers share one name.
namespace msg::device
{

// Major 0: the user's device lock.
inline constexpr MessageID kCheckDeviceLockStatus{0, 26};
inline constexpr MessageID kDeviceUnlockResult{0, 162};

// Majors 1 to 3: handshake, power, work and device mode.
inline constexpr MessageID kHandShake{1, 0};
inline constexpr MessageID kPowerCheck{2, 1};
inline constexpr MessageID kWorkModeCheck{3, 2};
inline constexpr MessageID kStartWork{3, 3};
inline constexpr MessageID kStopWork{3, 4};
inline constexpr MessageID kGetDeviceMode{3, 5};

// Major 4: PIN and PUK.
inline constexpr MessageID kCountPinPukRemain{4, 8};
inline constexpr MessageID kPinStatus{4, 9};
inline constexpr MessageID kCheckoutPin{4, 10};
inline constexpr MessageID kCheckoutPuk{4, 11};
inline constexpr MessageID kCheckPinActiveStatus{4, 13};
inline constexpr MessageID kAbandonCodeEntry{4, 15};
inline constexpr MessageID kPinAutoValidation{4, 16};
inline constexpr MessageID kSavePin{4, 17};
inline constexpr MessageID kSavePinFlag{4, 18};
inline constexpr MessageID kReadPin{4, 19};

// Major 5: SIM and device locks.
inline constexpr MessageID kCheckLockStatus{5, 20};
inline constexpr MessageID kCheckUnlockAttempts{5, 21};
inline constexpr MessageID kCheckIMEIInfo{5, 22};
inline constexpr MessageID kCheckUnlockCodeStatus{5, 23};
inline constexpr MessageID kCheckHardwareLockStatus{5, 24};
inline constexpr MessageID kUIFWLock{5, 25};
inline constexpr MessageID kDeviceUnlock{5, 27};

// Major 6: the SIM.
inline constexpr MessageID kCheckSIMStatus{6, 32};
inline constexpr MessageID kCheckUSIMStatus{6, 33};

// Major 7: network, SIM files and identity.
inline constexpr MessageID kCheckSmsPPDownload{7, 34};
inline constexpr MessageID kCheckSignalStatus{7, 35};
inline constexpr MessageID kCheckNetInfo{7, 36};
inline constexpr MessageID kCheckPLMN{7, 37};
inline constexpr MessageID kCheckRoamInfo{7, 38};
inline constexpr MessageID kCheckSPDI{7, 39};
inline constexpr MessageID kCheckSPN{7, 40};
inline constexpr MessageID kCheckICCID{7, 41};
inline constexpr MessageID kCheckCIMI{7, 42};
inline constexpr MessageID kCheckFWVersion{7, 44};
inline constexpr MessageID kCheckFWInternalVersion{7, 45};
inline constexpr MessageID kCheckNetInfoSecondFamily{7, 46};
inline constexpr MessageID kCheckPhoneNumber{7, 47};
inline constexpr MessageID kCheckHWVersion{7, 48};
inline constexpr MessageID kCheckModemModel{7, 49};
inline constexpr MessageID kCheckSerialNumber{7, 50};
inline constexpr MessageID kCheckMCCMNC{7, 51};
inline constexpr MessageID kCheckSignalStatusSecondFamily{7, 54};
inline constexpr MessageID kCheckRscpSignalStatus{7, 55};
inline constexpr MessageID kCheckCellInfo{7, 56};
inline constexpr MessageID kCheckHPLMN{7, 57};

// Major 8: the device comes and goes.
inline constexpr MessageID kCheckDeviceStatus{8, 58};
inline constexpr MessageID kCheckDeviceNotAttached{8, 59};

} // namespace msg::device
