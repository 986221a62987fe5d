#pragma once

// Widths of the text fields of the device server's payloads, in bytes
// including the terminating NUL.
namespace FieldWidth
{
constexpr int kCode = 10;             // 4/10, 4/11, 4/17: a PIN or PUK in the manager's requests
constexpr int kUnlockCode = 19;       // 5/23: the SIM-lock unlock code
constexpr int kDeviceCode = 4;        // 5/27: the device-lock code, four ASCII digits, no NUL
constexpr int kIMEI = 36;             // 5/22
constexpr int kIMSI = 36;             // 7/42
constexpr int kFirmwareVersion = 68;  // 7/44, 7/45
constexpr int kOwnNumber = 44;        // 7/47
constexpr int kHardwareVersion = 128; // 7/48
constexpr int kModel = 32;            // 7/49
constexpr int kSerialNumber = 40;     // 7/50
constexpr int kMccOrMnc = 32;         // 7/51, MCC and MNC texts
constexpr int kSimFile = 512;         // 7/39, 7/40, 7/41: hexadecimal text
constexpr int kNetworkType = 68;      // 7/36
constexpr int kDomain = 72;           // 7/36
constexpr int kNetworkName = 68;      // 7/37, long and alternative name
constexpr int kNetworkCode = 36;      // 7/37, MCC and MNC texts
constexpr int kLocationAreaCode = 10; // 7/38
constexpr int kCellIdentity = 14;     // 7/38
constexpr int kMccMncText = 36;       // 7/46
constexpr int kNetworkMode = 104;     // 7/46, network mode text
constexpr int kAccessTechnology = 36; // 7/46
constexpr int kFrequencyBand = 68;    // 7/56
} // namespace FieldWidth
