#include "halvex/Scenario.h"

#include "halvex/Logging.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/NDISTransferReport.h"
#include "platform/ns/PropertyList.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <utility>

namespace halvex
{

namespace
{

// Reads the keys of one section, remembering the first fault; once a fault
// is found every later read gives an empty value.
class SectionReader
{
public:
    SectionReader(const ns::Dictionary& root, const QString& name, bool optional, QString& error,
                  const QString& parent = QString())
        : name_(parent + name), error_(error)
    {
        const ns::Value& value = root.value(name);
        if (value.isNull()) {
            if (!optional)
                fail(QStringLiteral("section \"%1\" is missing").arg(name));
        } else if (!value.isDictionary()) {
            fail(QStringLiteral("section \"%1\" must be a dictionary").arg(name));
        } else {
            section_ = value.toDictionary();
        }
    }

    // Whether the section holds the key (for sections whose keys all have defaults).
    bool has(const QString& key) const { return !section_.value(key).isNull(); }

    // A text of at most width - 1 UTF-8 bytes matching the pattern.
    QString text(const QString& key, int width, const QString& pattern, const QString& expectation)
    {
        const ns::Value& value = take(key, false);
        if (value.isNull())
            return QString();
        if (!value.isString()) {
            failKey(key, QStringLiteral("must be a string"));
            return QString();
        }
        const QString text = value.toString();
        if (text.toUtf8().size() > width - 1) {
            failKey(key, QStringLiteral("is longer than %1 bytes").arg(width - 1));
            return QString();
        }
        if (!QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch()) {
            failKey(key, QStringLiteral("must be %1").arg(expectation));
            return QString();
        }
        return text;
    }

    // Free text: anything but empty.
    QString text(const QString& key, int width)
    {
        return text(key, width, QStringLiteral(".+"), QStringLiteral("a text that is not empty"));
    }

    int integer(const QString& key, int min, int max)
    {
        const ns::Value& value = take(key, false);
        if (value.isNull())
            return min;
        if (value.type() != ns::Value::Type::Integer) {
            failKey(key, QStringLiteral("must be an integer"));
            return min;
        }
        const qint64 number = value.longLongValue();
        if (number < min || number > max) {
            failKey(key, QStringLiteral("must be from %1 to %2").arg(min).arg(max));
            return min;
        }
        return int(number);
    }

    bool boolean(const QString& key)
    {
        const ns::Value& value = take(key, false);
        if (!value.isNull() && !value.isBool())
            failKey(key, QStringLiteral("must be a boolean"));
        return value.boolValue();
    }

    template <class T>
    T choice(const QString& key, const std::initializer_list<std::pair<QString, T>>& choices)
    {
        const ns::Value& value = take(key, false);
        QStringList names;
        for (const auto& [name, result] : choices) {
            if (value.isString() && value.toString() == name)
                return result;
            names << name;
        }
        if (!value.isNull())
            failKey(key, QStringLiteral("must be one of %1").arg(names.join(QStringLiteral(", "))));
        return choices.begin()->second;
    }

    // An optional number of seconds from min to one hour.
    double seconds(const QString& key, double fallback, double min, bool minIncluded)
    {
        const ns::Value& value = take(key, true);
        if (value.isNull())
            return fallback;
        const QString expectation = QStringLiteral("a number of seconds, %1 %2 to 3600")
                                        .arg(minIncluded ? QStringLiteral("from") : QStringLiteral("above"))
                                        .arg(min);
        const double number = value.doubleValue();
        if (!value.isNumber() || value.isBool()) {
            failKey(key, QStringLiteral("must be %1").arg(expectation));
            return fallback;
        }
        if (!std::isfinite(number)) {
            failKey(key, QStringLiteral("must be a finite number (%1), not %2").arg(expectation).arg(number));
            return fallback;
        }
        if (number > 3600 || number < min || (!minIncluded && number == min)) {
            failKey(key, QStringLiteral("must be %1, not %2").arg(expectation).arg(number));
            return fallback;
        }
        return number;
    }

    // An optional interval of a repeating timer: from 0.1 to 3600 seconds, or
    // 0 for "never" when the timer may be off.
    double repeatingSeconds(const QString& key, double fallback, bool mayBeOff)
    {
        constexpr double kShortest = 0.1;
        const double number = seconds(key, fallback, 0, mayBeOff);
        if (number < kShortest && !(mayBeOff && number == 0)) {
            failKey(key, QStringLiteral("must be %1from %2 to 3600 seconds, not %3")
                             .arg(mayBeOff ? QStringLiteral("0 (off) or ") : QString())
                             .arg(kShortest)
                             .arg(number));
            return fallback;
        }
        return number;
    }

    // A dictionary of the section, read as a section of its own whose faults
    // are this one's.
    SectionReader subsection(const QString& key)
    {
        take(key, true);
        const ns::Dictionary root{{key, section_.value(key)}};
        return SectionReader(root, key, true, error_, name_ + QLatin1Char('/'));
    }
    QStringList keys() const { return section_.keys(); }

    // Fails on keys that no read asked for (a misspelt key would be ignored otherwise).
    void finish()
    {
        for (const auto& [key, value] : section_)
            if (!known_.contains(key))
                failKey(key, QStringLiteral("is not a key of this section"));
    }

    void failKey(const QString& key, const QString& message)
    {
        fail(QStringLiteral("key \"%1/%2\" %3").arg(name_, loggable(key), message));
    }

private:
    const ns::Value& take(const QString& key, bool optional)
    {
        static const ns::Value none;
        known_ << key;
        if (!error_.isEmpty())
            return none;
        const ns::Value& value = section_.value(key);
        if (value.isNull() && !optional)
            failKey(key, QStringLiteral("is missing"));
        return value;
    }

    void fail(const QString& message)
    {
        if (error_.isEmpty())
            error_ = message;
    }

    QString name_;
    QString& error_;
    ns::Dictionary section_;
    QStringList known_;
};

const QString kHexBytes = QStringLiteral("([0-9A-Fa-f]{2})*");
const QString kHexNumber = QStringLiteral("[0-9A-Fa-f]+");

Scenario::Device readDevice(SectionReader& r)
{
    Scenario::Device device;
    device.imei = r.text(QStringLiteral("IMEI"), FieldWidth::kIMEI, QStringLiteral("[0-9]{15}"),
                         QStringLiteral("15 digits"));
    device.firmwareVersion = r.text(QStringLiteral("FirmwareVersion"), FieldWidth::kFirmwareVersion);
    device.hardwareVersion = r.text(QStringLiteral("HardwareVersion"), FieldWidth::kHardwareVersion);
    device.model = r.text(QStringLiteral("Model"), FieldWidth::kModel);
    device.serialNumber = r.text(QStringLiteral("SerialNumber"), FieldWidth::kSerialNumber);
    device.deviceMode = r.integer(QStringLiteral("DeviceMode"), 0, 255);
    return device;
}

Scenario::Sim readSim(SectionReader& r)
{
    Scenario::Sim sim;
    sim.state = r.choice<Scenario::SimState>(QStringLiteral("State"),
                                             {{QStringLiteral("Ready"), Scenario::SimState::Ready},
                                              {QStringLiteral("PinLocked"), Scenario::SimState::PinLocked},
                                              {QStringLiteral("PukLocked"), Scenario::SimState::PukLocked},
                                              {QStringLiteral("Absent"), Scenario::SimState::Absent}});
    sim.usim = r.choice<bool>(QStringLiteral("Type"),
                              {{QStringLiteral("USIM"), true}, {QStringLiteral("SIM"), false}});
    sim.imsi = r.text(QStringLiteral("IMSI"), FieldWidth::kIMSI, QStringLiteral("[0-9]{6,15}"),
                      QStringLiteral("6 to 15 digits"));
    sim.ownNumber = r.text(QStringLiteral("OwnNumber"), FieldWidth::kOwnNumber, QStringLiteral("\\+?[0-9]*"),
                           QStringLiteral("a telephone number (digits, optionally after a +) or empty"));
    sim.pin = r.text(QStringLiteral("PIN"), FieldWidth::kCode, QStringLiteral("[0-9]{4,8}"),
                     QStringLiteral("4 to 8 digits"));
    sim.puk = r.text(QStringLiteral("PUK"), FieldWidth::kCode, QStringLiteral("[0-9]{8}"),
                     QStringLiteral("8 digits"));
    sim.pinAttemptsLeft = r.integer(QStringLiteral("PinAttemptsLeft"), 0, Scenario::kMaxPinAttempts);
    sim.pukAttemptsLeft = r.integer(QStringLiteral("PukAttemptsLeft"), 0, Scenario::kMaxPukAttempts);
    const QString hexFile = QStringLiteral("hexadecimal text, two characters a byte");
    sim.spnFile = r.text(QStringLiteral("SPNFile"), FieldWidth::kSimFile, kHexBytes, hexFile);
    sim.spdiFile = r.text(QStringLiteral("SPDIFile"), FieldWidth::kSimFile, kHexBytes, hexFile);
    sim.iccidFile = r.text(QStringLiteral("ICCIDFile"), FieldWidth::kSimFile, kHexBytes, hexFile);

    const bool codeAsked =
        sim.state == Scenario::SimState::Ready || sim.state == Scenario::SimState::PinLocked;
    if (codeAsked && sim.pinAttemptsLeft == 0)
        r.failKey(QStringLiteral("PinAttemptsLeft"),
                  QStringLiteral("is 0, so the SIM asks for its PUK: its State must be PukLocked"));
    else if (codeAsked && sim.pukAttemptsLeft == 0)
        r.failKey(QStringLiteral("PukAttemptsLeft"),
                  QStringLiteral("is 0, so the SIM is blocked: its State must be PukLocked"));
    else if (sim.state == Scenario::SimState::PukLocked && sim.pinAttemptsLeft != 0)
        r.failKey(QStringLiteral("PinAttemptsLeft"),
                  QStringLiteral("must be 0 for a PUK-locked SIM (its PIN attempts are spent)"));
    return sim;
}

Scenario::Network readNetwork(SectionReader& r)
{
    Scenario::Network network;
    network.mcc = r.text(QStringLiteral("MCC"), FieldWidth::kNetworkCode, QStringLiteral("[0-9]{3}"),
                         QStringLiteral("3 digits"));
    network.mnc = r.text(QStringLiteral("MNC"), FieldWidth::kNetworkCode, QStringLiteral("[0-9]{2,3}"),
                         QStringLiteral("2 or 3 digits"));
    network.name = r.text(QStringLiteral("Name"), FieldWidth::kNetworkName);
    network.alternativeName = r.text(QStringLiteral("AlternativeName"), FieldWidth::kNetworkName);
    network.type = r.text(QStringLiteral("Type"), FieldWidth::kNetworkType);
    network.domain =
        r.choice<QString>(QStringLiteral("Domain"), {{QStringLiteral("CS_PS"), QStringLiteral("CS_PS")},
                                                     {QStringLiteral("CS_ONLY"), QStringLiteral("CS_ONLY")},
                                                     {QStringLiteral("PS_ONLY"), QStringLiteral("PS_ONLY")}});
    network.roaming = r.boolean(QStringLiteral("Roaming"));
    network.showSimOperatorName = r.boolean(QStringLiteral("ShowSIMOperatorName"));
    network.locationAreaCode = r.text(QStringLiteral("LocationAreaCode"), FieldWidth::kLocationAreaCode,
                                      kHexNumber, QStringLiteral("a hexadecimal number"));
    network.cellIdentity = r.text(QStringLiteral("CellID"), FieldWidth::kCellIdentity, kHexNumber,
                                  QStringLiteral("a hexadecimal number"));
    network.signalLevel = r.integer(QStringLiteral("SignalLevel"), 0, 5);
    network.nationalRoamingSwitch = r.boolean(QStringLiteral("NationalRoamingSwitch"));
    network.internationalRoamingSwitch = r.boolean(QStringLiteral("InternationalRoamingSwitch"));
    return network;
}

// Every key may be left out, for the lock's default.
Scenario::Locks readLocks(SectionReader& r)
{
    using SimLock = Scenario::Locks::SimLock;
    Scenario::Locks locks;
    if (r.has(QStringLiteral("SimLock")))
        locks.simLock = r.choice<SimLock>(QStringLiteral("SimLock"),
                                          {{QStringLiteral("None"), SimLock::None},
                                           {QStringLiteral("FirstFamily"), SimLock::FirstFamily},
                                           {QStringLiteral("SecondFamily"), SimLock::SecondFamily},
                                           {QStringLiteral("Refused"), SimLock::Refused}});
    if (locks.simLock == SimLock::FirstFamily)
        locks.unlockCode = r.text(QStringLiteral("UnlockCode"), FieldWidth::kUnlockCode,
                                  QStringLiteral("[0-9A-Za-z]{16}"), QStringLiteral("16 letters or digits"));
    else if (locks.simLock == SimLock::SecondFamily)
        locks.unlockCode = r.text(QStringLiteral("UnlockCode"), FieldWidth::kUnlockCode,
                                  QStringLiteral("[0-9A-Za-z]{8}"), QStringLiteral("8 letters or digits"));
    if (r.has(QStringLiteral("UnlockAttemptsLeft")))
        locks.unlockAttemptsLeft =
            r.integer(QStringLiteral("UnlockAttemptsLeft"), 0, Scenario::kMaxUnlockAttempts);
    for (auto [key, flag] :
         {std::pair{"HardwareLocked", &locks.hardwareLocked},
          std::pair{"FirmwareLocked", &locks.firmwareLocked}, std::pair{"DeviceLocked", &locks.deviceLocked}})
        if (r.has(QString::fromLatin1(key)))
            *flag = r.boolean(QString::fromLatin1(key));
    if (r.has(QStringLiteral("DeviceCode")))
        locks.deviceCode = r.text(QStringLiteral("DeviceCode"), FieldWidth::kDeviceCode + 1,
                                  QStringLiteral("[0-9]{4}"), QStringLiteral("4 digits"));
    return locks;
}

// Every key may be left out, for its default.
Scenario::Connection readConnection(SectionReader& r)
{
    Scenario::Connection connection;
    using Outcome = Scenario::Connection::Outcome;
    if (r.has(QStringLiteral("NetFrequencyLock")))
        connection.netFrequencyLock = r.integer(QStringLiteral("NetFrequencyLock"), 0, 0xFFFF);
    for (const auto& [key, rate] :
         {std::pair{"SendRate", &connection.sendRate}, std::pair{"ReceiveRate", &connection.receiveRate}})
        if (r.has(QString::fromLatin1(key)))
            *rate = r.integer(QString::fromLatin1(key), 0, 100000000);
    if (r.has(QStringLiteral("LocalAddress")))
        connection.localAddress = r.text(QStringLiteral("LocalAddress"), NDISTransferReport::kAddressWidth);
    const std::initializer_list<std::pair<QString, Outcome>> outcomes = {
        {QStringLiteral("Connects"), Outcome::Connects},
        {QStringLiteral("FailsBeforeConnecting"), Outcome::FailsBeforeConnecting},
        {QStringLiteral("NeverAnswers"), Outcome::NeverAnswers}};
    if (r.has(QStringLiteral("DefaultOutcome")))
        connection.defaultOutcome = r.choice(QStringLiteral("DefaultOutcome"), outcomes);
    if (r.has(QStringLiteral("Outcomes"))) {
        SectionReader byApn = r.subsection(QStringLiteral("Outcomes"));
        for (const QString& apn : byApn.keys())
            connection.outcomes.insert(apn, byApn.choice(apn, outcomes));
    }
    if (r.has(QStringLiteral("PPPForm")))
        connection.pppForm = r.choice(QStringLiteral("PPPForm"),
                                      {std::pair{QStringLiteral("New"), Scenario::Connection::PPPForm::New},
                                       std::pair{QStringLiteral("Old"), Scenario::Connection::PPPForm::Old}});
    if (r.has(QStringLiteral("PPPAnswersPerStatus")))
        connection.pppAnswersPerStatus = r.integer(QStringLiteral("PPPAnswersPerStatus"), 1, 100);
    if (r.has(QStringLiteral("AttachResult")))
        connection.attachResult = r.integer(QStringLiteral("AttachResult"), 0, 255);
    return connection;
}

Scenario::Timing readTiming(SectionReader& r)
{
    const Scenario::Timing defaults;
    Scenario::Timing timing;
    timing.reportInterval = r.seconds(QStringLiteral("ReportInterval"), defaults.reportInterval, 0, true);
    timing.replyDelay = r.seconds(QStringLiteral("ReplyDelay"), defaults.replyDelay, 0, true);
    timing.codeCheckDelay = r.seconds(QStringLiteral("CodeCheckDelay"), defaults.codeCheckDelay, 0, true);
    // The two repeating timers run no faster than ten times a second, so a
    // scenario cannot make the server spin; the drift may be off (0).
    timing.signalChangeInterval =
        r.repeatingSeconds(QStringLiteral("SignalChangeInterval"), defaults.signalChangeInterval, true);
    timing.handshakeRetryInterval =
        r.repeatingSeconds(QStringLiteral("HandshakeRetryInterval"), defaults.handshakeRetryInterval, false);
    return timing;
}

} // namespace

std::optional<Scenario> Scenario::load(const QString& path, QString* error)
{
    QString reason;
    std::optional<Scenario> scenario;
    if (!QFileInfo(path).isFile()) {
        reason = QStringLiteral("no such file");
    } else if (const std::optional<ns::Value> root = ns::PropertyList::readFile(path); !root) {
        reason = QStringLiteral("not a property list");
    } else if (!root->isDictionary()) {
        reason = QStringLiteral("the property list is not a dictionary");
    } else {
        scenario = fromDictionary(root->toDictionary(), &reason);
    }
    if (scenario)
        scenario->path = QFileInfo(path).absoluteFilePath();
    if (error)
        *error = reason;
    return scenario;
}

std::optional<Scenario> Scenario::fromDictionary(const ns::Dictionary& root, QString* error)
{
    QString reason;
    Scenario scenario;
    const QStringList sections{QStringLiteral("Device"),     QStringLiteral("SIM"),
                               QStringLiteral("Network"),    QStringLiteral("Locks"),
                               QStringLiteral("Connection"), QStringLiteral("Timing")};
    for (const QString& key : root.keys())
        if (!sections.contains(key) && reason.isEmpty())
            reason = QStringLiteral("section \"%1\" is not a section of a scenario").arg(loggable(key));

    SectionReader device(root, QStringLiteral("Device"), false, reason);
    scenario.device = readDevice(device);
    device.finish();
    SectionReader sim(root, QStringLiteral("SIM"), false, reason);
    scenario.sim = readSim(sim);
    sim.finish();
    SectionReader network(root, QStringLiteral("Network"), false, reason);
    scenario.network = readNetwork(network);
    network.finish();
    SectionReader locks(root, QStringLiteral("Locks"), true, reason);
    scenario.locks = readLocks(locks);
    locks.finish();
    SectionReader connection(root, QStringLiteral("Connection"), true, reason);
    scenario.connection = readConnection(connection);
    connection.finish();
    SectionReader timing(root, QStringLiteral("Timing"), true, reason);
    scenario.timing = readTiming(timing);
    timing.finish();

    // On its home network the SIM's IMSI begins with the network's code.
    if (reason.isEmpty() && !scenario.network.roaming &&
        !scenario.sim.imsi.startsWith(scenario.network.mcc + scenario.network.mnc))
        network.failKey(
            QStringLiteral("Roaming"),
            QStringLiteral("is false, but the SIM's IMSI does not begin with the network's MCC and MNC"));

    if (error)
        *error = reason;
    if (!reason.isEmpty())
        return std::nullopt;
    return scenario;
}

} // namespace halvex
