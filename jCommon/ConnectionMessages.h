#pragma once

#include "jCommon/MessageID.h"

// Family 0x01: the data connection. Major 0x0101 carries the dial parameters
// and the frequency lock, major 0x0102 the PPP and NDIS connections and the
// packet-domain attach. Requests and their answers share one name.
namespace msg::connection
{

// Major 0x0101: the profile handed to the device and the frequency lock.
inline constexpr MessageID kSetDialParams{0x0101, 60};
inline constexpr MessageID kSetNetFrequencyLock{0x0101, 61};
inline constexpr MessageID kReadNetFrequencyLock{0x0101, 62};
inline constexpr MessageID kNetFrequencyLockReadResult{0x0101, 87};

// Major 0x0102: connecting and disconnecting.
inline constexpr MessageID kSetNetworkModeResult{0x0102, 64};
inline constexpr MessageID kDialConnect{0x0102, 65};
inline constexpr MessageID kDialDisconnect{0x0102, 66};
inline constexpr MessageID kPPPConnectStatus{0x0102, 67};
inline constexpr MessageID kPPPConnectOption{0x0102, 68};
inline constexpr MessageID kNDISDialConnect{0x0102, 69};
inline constexpr MessageID kNDISDialDisconnect{0x0102, 70};
inline constexpr MessageID kNDISDialStatus{0x0102, 71};
inline constexpr MessageID kNDISDialIsConnected{0x0102, 72};
inline constexpr MessageID kNDISDialTransferData{0x0102, 73};
inline constexpr MessageID kAttachPS{0x0102, 76};

} // namespace msg::connection
