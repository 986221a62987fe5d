#pragma once

#include <QString>
#include <QtGlobal>

// USB vendor identifier of our modems, by which the plugged-in modem is found.
inline constexpr quint16 kTcardModemVendorID = 0x5e1c;

// Environment variables that point the lookup at another sysfs root (default
// "/sys") and another mount table (default "/proc/self/mounts").
inline constexpr const char* kTcardSysfsRootVariable = "TRELVAN_SYSFS_ROOT";
inline constexpr const char* kTcardMountsFileVariable = "TRELVAN_MOUNTS_FILE";

// The mount path of the memory card inside the plugged-in modem; null when
// there is no modem, no card reader, no card or no mounted volume of the card.
QString getTcardVolume();
