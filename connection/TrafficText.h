#pragma once

#include <QString>

#include <array>

class ConfigManager;

// The texts of a connection's time, data and speed, and the switches of the
// settings that choose their units. Formats are looked up as wording keys;
// a translated format is used only when it holds exactly one number.
namespace traffic_text
{

// The unit switches of the settings ("Internet" and "Record" modules).
struct Units {
    bool dataWithMB = false;    // "DataWithMB": megabytes without a unit
    bool dataInBits = false;    // "dataType" "Kb": data in kilobits and up
    bool speedInBits = false;   // "SpeedUnitKBit", or "ConnectRateUnit" "Kbps"
    bool speedOnlyKbit = false; // "SpeedUnitOnlyKBit": always kilobits per second

    static Units fromSettings(const ConfigManager& store);
    // The speed graph takes kilobits (YES) or kilobytes per second.
    bool graphInKbit() const { return speedInBits || speedOnlyKbit; }
};

using UnitFormats = std::array<QString, 3>;

// The value divided by 1024 with the first format below 1024, by 1024 twice
// with the second below 1 048 576, else by 1024 three times with the third;
// the empty text for a negative value or no formats.
QString formatTransferDataWithUnitArray(double value, const UnitFormats* formats);
QString formatTransferData(double bytes, const Units& units);
QString formatTransferSpeed(double bytesPerSecond, const Units& units);
// The usage figures' text of kilobytes: "%0.2f KB" below 1024, "%0.2f MB" of
// the value / 1024 below 1 048 576, else "%0.2f GB" of the value / 1024 / 1024;
// with data in bits the value is multiplied by 8 first and the units are
// "Kb", "Mb" and "Gb". The empty text for a negative value.
QString autoSwitchStatisticData(double kilobytes, const Units& units);
// "%02d:%02d:%02d" of hours (any number of them), minutes and seconds; a
// negative duration counts as none.
QString duration(long long seconds);
// The next multiple of 900 above the seconds (0 gives 900, 900 gives 1800).
long raisedToQuarterHour(long seconds);
// The format of the wording key filled with the value: the translation when
// it holds one "%f" conversion (with flags, width and precision) and no
// other, else the key itself.
QString number(const QString& formatKey, double value);

} // namespace traffic_text
