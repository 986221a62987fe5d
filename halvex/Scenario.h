#pragma once

#include "platform/ns/Value.h"

#include <QMap>
#include <QString>

#include <optional>

namespace halvex
{

// The modem one run of Halvex plays, as a property-list file describes it:
// the device's identity, the SIM, the network it finds and the pace of its
// reports. Every key is required except those of "Timing", "Locks" and
// "Connection".
struct Scenario {
    enum class SimState { Ready, PinLocked, PukLocked, Absent };

    struct Device {
        QString imei;
        QString firmwareVersion;
        QString hardwareVersion;
        QString model;
        QString serialNumber;
        int deviceMode = 0;
    };

    struct Sim {
        SimState state = SimState::Ready;
        bool usim = true;
        QString imsi;
        QString ownNumber;
        QString pin;
        QString puk;
        int pinAttemptsLeft = 3;
        int pukAttemptsLeft = 10;
        // The SIM's files as hexadecimal text, two characters a byte.
        QString spnFile;
        QString spdiFile;
        QString iccidFile;
    };

    struct Network {
        QString mcc;
        QString mnc;
        QString name;
        QString alternativeName;
        QString type;   // network type text, "HSDPA", "EDGE" ...
        QString domain; // "CS_ONLY", "PS_ONLY" or "CS_PS"
        bool roaming = false;
        bool showSimOperatorName = true;
        QString locationAreaCode; // hexadecimal text
        QString cellIdentity;     // hexadecimal text
        int signalLevel = 0;      // 0 to 5
        bool nationalRoamingSwitch = false;
        bool internationalRoamingSwitch = false;
    };

    // The device's locks: to one operator's SIM cards (the network lock, in
    // one of two families of reports), its hardware and firmware, and the
    // user's four-digit device lock.
    struct Locks {
        enum class SimLock { None, FirstFamily, SecondFamily, Refused };
        SimLock simLock = SimLock::None;
        QString unlockCode; // 16 characters (first family) or 8 (second)
        int unlockAttemptsLeft = 5;
        bool hardwareLocked = false;
        bool firmwareLocked = false;
        bool deviceLocked = false;
        QString deviceCode = QStringLiteral("1234");
    };

    // The data connection.
    struct Connection {
        int netFrequencyLock = 0; // the frequency lock the device reports (0 none)
        // What a link that is up reports: bytes per second each way, and its address.
        int sendRate = 2048;
        int receiveRate = 16384;
        QString localAddress = QStringLiteral("10.64.12.7");
        // How a dial goes, by the APN of the last dial-parameter record.
        enum class Outcome { Connects, FailsBeforeConnecting, NeverAnswers };
        QMap<QString, Outcome> outcomes;            // "Outcomes": {APN: outcome}
        Outcome defaultOutcome = Outcome::Connects; // for an APN not listed
        // PPP: the form of the status answer and how many answers each
        // status of the walk gives.
        enum class PPPForm { New, Old };
        PPPForm pppForm = PPPForm::Old; // the form of a manager without "NewDial"
        int pppAnswersPerStatus = 2;
        int attachResult = 0; // the result byte of the attach's answer
    };
    // Seconds.
    struct Timing {
        double reportInterval = 0.05;        // between two reports of a sequence
        double replyDelay = 0.02;            // before the answer to a request
        double codeCheckDelay = 0.3;         // the SIM checking a PIN or PUK
        double signalChangeInterval = 8.0;   // 0: the signal stays as it is
        double handshakeRetryInterval = 1.0; // while the manager is not there
    };

    // The file the scenario was read from; empty when it came from elsewhere.
    QString path;
    Device device;
    Sim sim;
    Network network;
    Locks locks;
    Connection connection;
    Timing timing;

    static constexpr int kMaxPinAttempts = 3;
    static constexpr int kMaxPukAttempts = 10;
    static constexpr int kMaxUnlockAttempts = 10;

    // The scenario of a file; nullopt, with the reason in error, when the
    // file is missing or not a property list, or a key is missing, of the
    // wrong kind, out of range or at odds with another.
    static std::optional<Scenario> load(const QString& path, QString* error);
    static std::optional<Scenario> fromDictionary(const ns::Dictionary& root, QString* error);
};

} // namespace halvex
