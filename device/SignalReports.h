#pragma once

#include "jCommon/UIMsg.h"

#include <QString>

#include <cstdint>
#include <optional>

// The signal reports of the modem families, decoded from their records, and
// the rules that turn each into one level from 0 (no signal) to 5 (full).

// GSM rule on a received signal strength in dBm: -81 and above gives 5,
// then bands of -87, -93, -99 and -107 down to 1, below -107 gives 0.
int gsmSignalLevel(int64_t dbm);
// UMTS rule: the highest level whose RSCP (dBm) and Ec/No (dB) thresholds
// both are reached, else 0.
int umtsSignalLevel(int64_t rscp, int64_t ecno);

// A level and the radio values passed on to the diagnostics.
struct SignalMeasurement {
    int level = 0;
    int rscp = 0;
    int rssi = 0;
    int ecno = 0;

    friend bool operator==(const SignalMeasurement&, const SignalMeasurement&) = default;
};

// 7/55: the RSSI as a positive magnitude in dBm, Ec/No and RSCP as positive
// magnitudes in half-dB steps, 1000 when not measured.
struct RscpSignalReport {
    static constexpr int32_t kNotMeasured = 1000;

    int32_t rssi = 0;
    int32_t ecno = 0;
    int32_t rscp = 0;

    static RscpSignalReport fromRecord(const _UI_MSG& record);
    // By the UMTS rule on -rscp/2 and -ecno/2 (truncated) when both are
    // measured, else by the GSM rule on -rssi; the RSCP and Ec/No passed on
    // are the raw values when one is missing.
    SignalMeasurement measurement() const;
};

// 7/54, the second family: radio type 1 GSM or 2 UMTS, then RSSI, RSCP (dBm)
// and Ec/No (dB), all signed.
struct SecondFamilySignalReport {
    int32_t radioType = 0;
    int32_t rssi = 0;
    int32_t rscp = 0;
    int32_t ecno = 0;

    static SecondFamilySignalReport fromRecord(const _UI_MSG& record);
    // The level of a GSM or UMTS report; none for another radio type.
    std::optional<int> level() const;
    // What the operator-file service is told: 0 GSM, 1 UMTS, none otherwise.
    std::optional<int> signalStrengthFlag() const;
};

// 7/35 with the CDMA mark: the 1x and EVDO magnitudes, positive; 120 and
// more, or 0 and less, mean absent.
struct CdmaSignalReport {
    int32_t oneX = 0;
    int32_t evdo = 0;

    static CdmaSignalReport fromRecord(const _UI_MSG& record);
    int level() const;
    // "rssi1" (nothing) to "rssi6" (full) for the EVDO signal.
    QString evdoImageName() const;
    // "1X-EVDO", "CDMA 1X", "EVDO" or "No Service"; none when a weak 1x
    // alone leaves the text as it was.
    std::optional<QString> networkStatus() const;
};

// 7/35 of the Qualcomm WCDMA platforms: the RSSI index, 3 to 31 when there is signal.
struct QualcomWcdmaSignalReport {
    int32_t rssiIndex = 0;

    static QualcomWcdmaSignalReport fromRecord(const _UI_MSG& record);
    int level() const;
};

// 7/35 of the Qualcomm CDMA platform: the 1X value (10, 15, 22, 28, 31) and
// the EVDO value (0, 20, 40, 60, 80, 99).
struct QualcomCdmaSignalReport {
    int32_t oneX = 0;
    int32_t evdo = 0;

    static QualcomCdmaSignalReport fromRecord(const _UI_MSG& record);
    int level() const;
    QString evdoImageName() const;
    // 1X counts from 1 to 31, EVDO from 1 to 99.
    QString networkStatus() const;
};
