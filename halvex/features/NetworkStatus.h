#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

#include <QString>

#include <memory>

namespace ns
{
class Timer;
}

namespace halvex
{

// The network the modem registers on once the SIM is usable: service domain
// and network type (in both families' reports), the registered network,
// roaming state and cell, and the signal, which drifts by a level now and
// then around the scenario's level. Steps set the signal level and the form
// of its reports, change the network type and domain, and roam.
class NetworkStatus : public Feature
{
public:
    // The forms of the signal report: the code-power report, the second
    // family's, the CDMA magnitudes and the WCDMA signal index.
    enum class SignalForm { CodePower = 0, SecondFamily = 1, Cdma = 2, Index = 3 };

    explicit NetworkStatus(Modem& modem);
    ~NetworkStatus() override;

    void registerSteps(StepTable& steps) override;
    void describeState(ns::Dictionary& state) const override;
    void simReady() override;
    void deviceRemoved() override;

    // The radio values of a report for a level 0 to 5: the received signal
    // strength for every network, code power and quality for UMTS ones.
    static _UI_MSG signalRecord(int level, bool umts);
    // The report of a level in any form.
    static _UI_MSG signalRecord(SignalForm form, int level, bool umts);

private:
    void setSignalLevel(int level);
    void setSignalForm(SignalForm form);
    void setNetwork(int typeIndex, int domainIndex);
    void setRoaming(bool roaming);
    void reportSignal();
    void reportNetInfo();
    void reportRegisteredNetwork();
    void reportRoamInfo();
    void startSignalDrift();
    void driftSignal();
    bool isUmts() const;

    bool registered_ = false;
    SignalForm signalForm_;
    QString type_;
    QString domain_;
    bool roaming_;
    int baseLevel_;
    int level_;
    std::shared_ptr<ns::Timer> driftTimer_;
};

} // namespace halvex
