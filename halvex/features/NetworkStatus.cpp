#include "halvex/features/NetworkStatus.h"

#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Timer.h"

#include <QRandomGenerator>

#include <algorithm>
#include <array>

namespace halvex
{

namespace
{

// Service domain and network type.
constexpr int kNetInfoSize = 180;
constexpr int kNetworkTypeOffset = 40;
constexpr int kDomainOffset = 108;

// The registered network.
constexpr int kRegisteredNetworkSize = 324;
constexpr int kNameOffset = 0;
constexpr int kAlternativeNameOffset = 68;
constexpr int kMccOffset = 136;
constexpr int kMncOffset = 172;
constexpr int kRoamingOffset = 208;
constexpr int kHomeMccOffset = 244;
constexpr int kHomeMncOffset = 280;
constexpr int kShowSimOperatorNameOffset = 316;
constexpr int kCompleteOffset = 320;

// Roaming state and cell.
constexpr int kRoamInfoSize = 28;
constexpr int kLocationAreaCodeOffset = 4;
constexpr int kCellIdentityOffset = 14;
constexpr int32_t kRegisteredHome = 1;
constexpr int32_t kRegisteredRoaming = 5;

// Signal: received signal strength as a positive magnitude in dBm, Ec/No and
// RSCP as positive magnitudes in half-dB steps; 1000 when not measured.
constexpr int kSignalSize = 12;
constexpr int32_t kNotMeasured = 1000;

struct RadioValues {
    int32_t rssi;
    int32_t ecno; // dB
    int32_t rscp; // dBm
};

// One plausible measurement per level, inside that level's band for both
// the signal-strength scale and the code-power and quality scale.
constexpr std::array<RadioValues, 6> kRadioByLevel{{
    {111, -22, -120},
    {103, -17, -113},
    {97, -14, -108},
    {91, -11, -100},
    {85, -9, -94},
    {75, -6, -85},
}};
} // namespace

NetworkStatus::NetworkStatus(Modem& modem)
    : Feature(modem), baseLevel_(modem.scenario().network.signalLevel), level_(baseLevel_)
{
}

NetworkStatus::~NetworkStatus()
{
    if (driftTimer_)
        driftTimer_->invalidate();
}

void NetworkStatus::registerSteps(StepTable& steps)
{
    steps.registerStep(
        QStringLiteral("signal"),
        QStringLiteral("Sets the signal level, reported at once while registered; the signal then drifts "
                       "around it."),
        {{QStringLiteral("level"), 0, 5, QStringLiteral("the level on the manager's scale of bars")}},
        [this](const ns::Dictionary& arguments) {
            setSignalLevel(int(arguments.value(QStringLiteral("level")).longLongValue()));
            return QString();
        });
}

void NetworkStatus::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("Registered"), registered_);
    state.setValue(QStringLiteral("SignalLevel"), level_);
}

bool NetworkStatus::isUmts() const
{
    static const QStringList gsmFamily{QStringLiteral("GSM"), QStringLiteral("GPRS"), QStringLiteral("EDGE"),
                                       QStringLiteral("2G")};
    return !gsmFamily.contains(modem_.scenario().network.type, Qt::CaseInsensitive);
}

_UI_MSG NetworkStatus::signalRecord(int level, bool umts)
{
    const RadioValues& radio = kRadioByLevel.at(size_t(std::clamp(level, 0, 5)));
    return makeRecord(msg::device::kCheckRscpSignalStatus, kTypeReport, kResultSuccess,
                      PayloadWriter(kSignalSize)
                          .setInt32(0, radio.rssi)
                          .setInt32(4, umts ? -2 * radio.ecno : kNotMeasured)
                          .setInt32(8, umts ? -2 * radio.rscp : kNotMeasured)
                          .bytes());
}

void NetworkStatus::simReady()
{
    const Scenario& scenario = modem_.scenario();
    const Scenario::Network& network = scenario.network;
    registered_ = true;

    modem_.report(makeRecord(msg::device::kCheckNetInfo, kTypeReport, kResultSuccess,
                             PayloadWriter(kNetInfoSize)
                                 .setText(kNetworkTypeOffset, FieldWidth::kNetworkType, network.type)
                                 .setText(kDomainOffset, FieldWidth::kDomain, network.domain)
                                 .bytes()));

    // At home the SIM's network is the registered one; abroad its code is
    // read from the IMSI, with a two-digit MNC.
    const QString homeMcc = scenario.sim.imsi.left(3);
    const QString homeMnc = network.roaming ? scenario.sim.imsi.mid(3, 2) : network.mnc;
    modem_.report(
        makeRecord(msg::device::kCheckPLMN, kTypeReport, kResultSuccess,
                   PayloadWriter(kRegisteredNetworkSize)
                       .setText(kNameOffset, FieldWidth::kNetworkName, network.name)
                       .setText(kAlternativeNameOffset, FieldWidth::kNetworkName, network.alternativeName)
                       .setText(kMccOffset, FieldWidth::kNetworkCode, network.mcc)
                       .setText(kMncOffset, FieldWidth::kNetworkCode, network.mnc)
                       .setText(kRoamingOffset, FieldWidth::kNetworkCode,
                                network.roaming ? QStringLiteral("ROAM_ON") : QStringLiteral("ROAM_OFF"))
                       .setText(kHomeMccOffset, FieldWidth::kNetworkCode, homeMcc)
                       .setText(kHomeMncOffset, FieldWidth::kNetworkCode, homeMnc)
                       .setInt32(kShowSimOperatorNameOffset, network.showSimOperatorName ? 1 : 0)
                       .setByte(kCompleteOffset, 1)
                       .bytes()));

    modem_.report(makeRecord(
        msg::device::kCheckRoamInfo, kTypeReport, kResultSuccess,
        PayloadWriter(kRoamInfoSize)
            .setInt32(0, network.roaming ? kRegisteredRoaming : kRegisteredHome)
            .setText(kLocationAreaCodeOffset, FieldWidth::kLocationAreaCode, network.locationAreaCode)
            .setText(kCellIdentityOffset, FieldWidth::kCellIdentity, network.cellIdentity)
            .bytes()));

    modem_.report(signalRecord(level_, isUmts()));
    startSignalDrift();
}

void NetworkStatus::deviceRemoved()
{
    registered_ = false;
    if (driftTimer_)
        driftTimer_->invalidate();
    driftTimer_.reset();
}

void NetworkStatus::startSignalDrift()
{
    if (driftTimer_)
        driftTimer_->invalidate();
    driftTimer_.reset();
    const double interval = modem_.scenario().timing.signalChangeInterval;
    if (interval > 0)
        driftTimer_ = ns::Timer::scheduledTimer(interval, true, [this](ns::Timer&) { driftSignal(); });
}

void NetworkStatus::driftSignal()
{
    // Only while the line is quiet: a modem still reporting, or waiting for
    // its manager, piles nothing up.
    if (modem_.hasPendingRecords())
        return;
    // One level up or down, or back to the scenario's level, never the same.
    QList<int> levels;
    for (int level : {baseLevel_ - 1, baseLevel_, baseLevel_ + 1})
        if (level >= 0 && level <= 5 && level != level_)
            levels << level;
    level_ = levels.at(int(QRandomGenerator::global()->bounded(qsizetype(levels.size()))));
    qCDebug(lcHalvex) << "signal drifts to level" << level_;
    modem_.report(signalRecord(level_, isUmts()));
}

void NetworkStatus::setSignalLevel(int level)
{
    baseLevel_ = level_ = level;
    qCInfo(lcHalvex) << "signal set to level" << level_;
    if (registered_) {
        modem_.send(signalRecord(level_, isUmts()), 0);
        startSignalDrift();
    }
}

} // namespace halvex
