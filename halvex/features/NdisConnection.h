#pragma once

#include "halvex/features/Feature.h"

#include "jCommon/UIMsg.h"

#include <memory>

namespace ns
{
class Timer;
}

namespace halvex
{

class Connection;

// The NDIS link: the device brings it up on 0x0102/69 (status 0x0102/71
// reports 2, then 1; by the scenario's outcome for the APN of the last
// dial-parameter record it may report 3 instead of 1, or nothing after 2), reports the address and the
// transfer totals and speeds every second (0x0102/73) while it is up, with the counters rising at the
// scenario's rates, and takes it down on 0x0102/70 (status 0). A manager that
// comes back asks 0x0102/72, answered with result 0 while the link is up: the
// link lives in the device, not in the manager, and only the device's removal
// ends it silently. Steps drop the link and send a report of another length.
class NdisConnection : public Feature
{
public:
    NdisConnection(Modem& modem, const Connection& connection);
    ~NdisConnection() override;

    void registerMessages(MessageRouter& router) override;
    void registerSteps(StepTable& steps) override;
    void describeState(ns::Dictionary& state) const override;
    void deviceRemoved() override;

private:
    void dealWithConnect(const _UI_MSG& request);
    void dealWithDisconnect(const _UI_MSG& request);
    void dealWithIsConnected(const _UI_MSG& request);
    void sendStatus(int status, double delay);
    void linkUp();
    // Stops the link's clock; with a status, reports it (0 down).
    void linkDown();
    void tick();
    QByteArray transferPayload() const;

    const Connection& connection_;
    std::shared_ptr<ns::Timer> upTimer_; // the connecting link's way up
    std::shared_ptr<ns::Timer> clock_;   // the reports of the link that is up
    bool connecting_ = false;
    bool up_ = false;
    int seconds_ = 0;  // the link's age
    int connects_ = 0; // connect requests since the modem started
    double sentBytes_ = 0;
    double receivedBytes_ = 0;
    int sendRate_;
    int receiveRate_;
};

} // namespace halvex
