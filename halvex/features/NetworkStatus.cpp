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

// The second family's network information.
constexpr int kSecondFamilyNetInfoSize = 180;
constexpr int kMccMncOffset = 4;
constexpr int kNetworkModeOffset = 40;
constexpr int kAccessTechnologyOffset = 144;

// The second family's signal: radio type (1 GSM, 2 UMTS), RSSI, RSCP, Ec/No.
constexpr int kSecondFamilySignalSize = 16;
constexpr int32_t kRadioGsm = 1;
constexpr int32_t kRadioUmts = 2;

// The CDMA report: 1x and EVDO magnitudes, smaller is stronger, '1' in the
// third byte of the tail.
constexpr int kCdmaSignalSize = 8;
constexpr uint8_t kCdmaMark = '1';
constexpr std::array<int32_t, 6> kCdmaMagnitudeByLevel{125, 100, 90, 80, 70, 60};

// The WCDMA signal index, 3 to 31 with signal (99: unknown).
constexpr int kIndexSignalSize = 4;
constexpr std::array<int32_t, 6> kSignalIndexByLevel{99, 5, 8, 11, 14, 20};

// What the "network" step chooses from.
const QStringList kNetworkTypes{QStringLiteral("No Service"), QStringLiteral("GSM"),  QStringLiteral("GPRS"),
                                QStringLiteral("EDGE"),       QStringLiteral("UMTS"), QStringLiteral("HSDPA"),
                                QStringLiteral("HSUPA"),      QStringLiteral("HSPA+")};
const QStringList kDomains{QString(), QStringLiteral("CS_ONLY"), QStringLiteral("PS_ONLY"),
                           QStringLiteral("CS_PS")};

bool isGsmFamily(const QString& type)
{
    static const QStringList gsmFamily{QStringLiteral("GSM"), QStringLiteral("GPRS"), QStringLiteral("EDGE"),
                                       QStringLiteral("2G")};
    return gsmFamily.contains(type, Qt::CaseInsensitive);
}

bool isCdmaFamily(const QString& type)
{
    return type.contains(QLatin1String("1X"), Qt::CaseInsensitive) ||
           type.contains(QLatin1String("EVDO"), Qt::CaseInsensitive);
}

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
    : Feature(modem),
      signalForm_(isCdmaFamily(modem.scenario().network.type) ? SignalForm::Cdma : SignalForm::CodePower),
      type_(modem.scenario().network.type), domain_(modem.scenario().network.domain),
      roaming_(modem.scenario().network.roaming), baseLevel_(modem.scenario().network.signalLevel),
      level_(baseLevel_)
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
    steps.registerStep(
        QStringLiteral("signalform"),
        QStringLiteral("Sets the form of the signal reports and reports the level in it; the second family "
                       "also reports its network information."),
        {{QStringLiteral("form"), 0, 3,
          QStringLiteral("0 code power and quality, 1 second family, 2 CDMA magnitudes, 3 WCDMA index")}},
        [this](const ns::Dictionary& arguments) {
            setSignalForm(SignalForm(arguments.value(QStringLiteral("form")).longLongValue()));
            return QString();
        });
    steps.registerStep(
        QStringLiteral("network"),
        QStringLiteral("Changes the network type and the service domain, reported at once while registered."),
        {{QStringLiteral("type"), 0, kNetworkTypes.size() - 1,
          QStringLiteral("0 No Service, 1 GSM, 2 GPRS, 3 EDGE, 4 UMTS, 5 HSDPA, 6 HSUPA, 7 HSPA+")},
         {QStringLiteral("domain"), 0, kDomains.size() - 1,
          QStringLiteral("0 none, 1 circuit, 2 packet, 3 both")}},
        [this](const ns::Dictionary& arguments) {
            setNetwork(int(arguments.value(QStringLiteral("type")).longLongValue()),
                       int(arguments.value(QStringLiteral("domain")).longLongValue()));
            return QString();
        });
    steps.registerStep(
        QStringLiteral("roaming"),
        QStringLiteral("Moves to roaming or back home: the registered network and the roaming state are "
                       "reported at once while registered."),
        {{QStringLiteral("roaming"), 0, 1, QStringLiteral("1 roaming, 0 at home")}},
        [this](const ns::Dictionary& arguments) {
            setRoaming(arguments.value(QStringLiteral("roaming")).longLongValue() != 0);
            return QString();
        });
}

void NetworkStatus::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("Registered"), registered_);
    state.setValue(QStringLiteral("SignalLevel"), level_);
    state.setValue(QStringLiteral("SignalForm"), int(signalForm_));
    state.setValue(QStringLiteral("NetworkType"), type_);
    state.setValue(QStringLiteral("Domain"), domain_);
    state.setValue(QStringLiteral("Roaming"), roaming_);
}

bool NetworkStatus::isUmts() const
{
    return !isGsmFamily(type_);
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

_UI_MSG NetworkStatus::signalRecord(SignalForm form, int level, bool umts)
{
    const size_t index = size_t(std::clamp(level, 0, 5));
    const RadioValues& radio = kRadioByLevel.at(index);
    switch (form) {
    case SignalForm::CodePower:
        break;
    case SignalForm::SecondFamily:
        return makeRecord(msg::device::kCheckSignalStatusSecondFamily, kTypeReport, kResultSuccess,
                          PayloadWriter(kSecondFamilySignalSize)
                              .setInt32(0, umts ? kRadioUmts : kRadioGsm)
                              .setInt32(4, -radio.rssi)
                              .setInt32(8, radio.rscp)
                              .setInt32(12, radio.ecno)
                              .bytes());
    case SignalForm::Cdma: {
        _UI_MSG record = makeRecord(msg::device::kCheckSignalStatus, kTypeReport, kResultSuccess,
                                    PayloadWriter(kCdmaSignalSize)
                                        .setInt32(0, kCdmaMagnitudeByLevel.at(index))
                                        .setInt32(4, index == 0 ? 0 : kCdmaMagnitudeByLevel.at(index))
                                        .bytes());
        record.tail[2] = kCdmaMark;
        return record;
    }
    case SignalForm::Index:
        return makeRecord(msg::device::kCheckSignalStatus, kTypeReport, kResultSuccess,
                          PayloadWriter(kIndexSignalSize).setInt32(0, kSignalIndexByLevel.at(index)).bytes());
    }
    return signalRecord(level, umts);
}

void NetworkStatus::reportSignal()
{
    modem_.report(signalRecord(signalForm_, level_, isUmts()));
}

void NetworkStatus::simReady()
{
    registered_ = true;
    reportNetInfo();
    reportRegisteredNetwork();
    reportRoamInfo();
    reportSignal();
    startSignalDrift();
}

void NetworkStatus::reportNetInfo()
{
    modem_.report(makeRecord(msg::device::kCheckNetInfo, kTypeReport, kResultSuccess,
                             PayloadWriter(kNetInfoSize)
                                 .setText(kNetworkTypeOffset, FieldWidth::kNetworkType, type_)
                                 .setText(kDomainOffset, FieldWidth::kDomain, domain_)
                                 .bytes()));
    if (signalForm_ != SignalForm::SecondFamily)
        return;
    // The second family words its mode as the generation, upper case with
    // both domains and lower case with one, followed by the technology.
    const Scenario::Network& network = modem_.scenario().network;
    const bool service = !domain_.isEmpty() && type_ != kNetworkTypes.first();
    QString mode = isUmts() ? QStringLiteral("3G") : QStringLiteral("2G");
    if (domain_ != QLatin1String("CS_PS"))
        mode = mode.toLower();
    modem_.report(
        makeRecord(msg::device::kCheckNetInfoSecondFamily, kTypeReport, kResultSuccess,
                   PayloadWriter(kSecondFamilyNetInfoSize)
                       .setFloat32(0, service ? 1.0f : 0.0f)
                       .setText(kMccMncOffset, FieldWidth::kMccMncText, network.mcc + network.mnc)
                       .setText(kNetworkModeOffset, FieldWidth::kNetworkMode, mode + QLatin1Char(' ') + type_)
                       .setText(kAccessTechnologyOffset, FieldWidth::kAccessTechnology, QStringLiteral("-"))
                       .bytes()));
}

void NetworkStatus::reportRegisteredNetwork()
{
    const Scenario& scenario = modem_.scenario();
    const Scenario::Network& network = scenario.network;
    // At home the SIM's network is the registered one; abroad its code is
    // read from the IMSI, with a two-digit MNC.
    const QString homeMcc = scenario.sim.imsi.left(3);
    const QString homeMnc = roaming_ ? scenario.sim.imsi.mid(3, 2) : network.mnc;
    modem_.report(
        makeRecord(msg::device::kCheckPLMN, kTypeReport, kResultSuccess,
                   PayloadWriter(kRegisteredNetworkSize)
                       .setText(kNameOffset, FieldWidth::kNetworkName, network.name)
                       .setText(kAlternativeNameOffset, FieldWidth::kNetworkName, network.alternativeName)
                       .setText(kMccOffset, FieldWidth::kNetworkCode, network.mcc)
                       .setText(kMncOffset, FieldWidth::kNetworkCode, network.mnc)
                       .setText(kRoamingOffset, FieldWidth::kNetworkCode,
                                roaming_ ? QStringLiteral("ROAM_ON") : QStringLiteral("ROAM_OFF"))
                       .setText(kHomeMccOffset, FieldWidth::kNetworkCode, homeMcc)
                       .setText(kHomeMncOffset, FieldWidth::kNetworkCode, homeMnc)
                       .setInt32(kShowSimOperatorNameOffset, network.showSimOperatorName ? 1 : 0)
                       .setByte(kCompleteOffset, 1)
                       .bytes()));
}

void NetworkStatus::reportRoamInfo()
{
    const Scenario::Network& network = modem_.scenario().network;
    modem_.report(makeRecord(
        msg::device::kCheckRoamInfo, kTypeReport, kResultSuccess,
        PayloadWriter(kRoamInfoSize)
            .setInt32(0, roaming_ ? kRegisteredRoaming : kRegisteredHome)
            .setText(kLocationAreaCodeOffset, FieldWidth::kLocationAreaCode, network.locationAreaCode)
            .setText(kCellIdentityOffset, FieldWidth::kCellIdentity, network.cellIdentity)
            .bytes()));
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
    reportSignal();
}

void NetworkStatus::setSignalLevel(int level)
{
    baseLevel_ = level_ = level;
    qCInfo(lcHalvex) << "signal set to level" << level_;
    if (registered_) {
        modem_.send(signalRecord(signalForm_, level_, isUmts()), 0);
        startSignalDrift();
    }
}

void NetworkStatus::setSignalForm(SignalForm form)
{
    signalForm_ = form;
    qCInfo(lcHalvex) << "signal reported in form" << int(form);
    if (registered_) {
        reportNetInfo();
        reportSignal();
    }
}

void NetworkStatus::setNetwork(int typeIndex, int domainIndex)
{
    type_ = kNetworkTypes.value(typeIndex);
    domain_ = kDomains.value(domainIndex);
    qCInfo(lcHalvex) << "network type" << type_ << "domain" << domain_;
    if (registered_)
        reportNetInfo();
}

void NetworkStatus::setRoaming(bool roaming)
{
    roaming_ = roaming;
    qCInfo(lcHalvex) << (roaming ? "roaming" : "at home");
    if (registered_) {
        reportRegisteredNetwork();
        reportRoamInfo();
    }
}

} // namespace halvex
