#pragma once

#include "halvex/Scenario.h"
#include "halvex/features/Feature.h"

#include "jCommon/MessageID.h"
#include "jCommon/UIMsg.h"

#include <QList>

namespace halvex
{

class Connection;

// The PPP link and the packet-domain attach. A connect (0x0102/65) starts a
// walk of status codes that the manager's polls (0x0102/67, ten a second)
// read one by one, each code answered as many times as the scenario says:
// 1, 2, 4, 5, 7 then 8 for an APN that connects; 1, 2, 4, 5, 10 then 0 for
// one that fails; 1 for ever for one that never answers. The APN is that of
// the last dial-parameter record. A disconnect (0x0102/66) walks 9, 10, 0.
// While connected each poll stands for a tenth of a second of link time:
// the seconds and the counters rise by it at the scenario's rates. The old
// form also answers the address request (0x0102/68). The attach request
// (0x0102/76) is answered with 0x0102/64 carrying the scenario's result.
class ConnectionPPP : public Feature
{
public:
    ConnectionPPP(Modem& modem, const Connection& connection);

    void registerMessages(MessageRouter& router) override;
    void registerSteps(StepTable& steps) override;
    void describeState(ns::Dictionary& state) const override;
    void deviceRemoved() override;

private:
    void dealWithConnect(const _UI_MSG& request);
    void dealWithDisconnect(const _UI_MSG& request);
    void dealWithStatus(const _UI_MSG& request);
    void dealWithAddress(const _UI_MSG& request);
    void dealWithAttach(const _UI_MSG& request);

    // The codes still to come, each as often as the scenario says; the last
    // one stays.
    void walk(std::initializer_list<int> codes);
    // The code of this poll, moving the walk on.
    int nextCode();
    void answer(MessageID id, const QByteArray& payload, int8_t result = kResultSuccess);

    const Connection& connection_;
    Scenario::Connection::PPPForm form_;
    int sendRate_;
    int receiveRate_;
    QList<int> walk_;
    int answersOfCode_ = 0; // answers given with walk_.first()
    int code_ = 0;
    double seconds_ = 0;
    double sendBytes_ = 0;
    double receiveBytes_ = 0;
    int connects_ = 0;
    int disconnects_ = 0;
    int attachRequests_ = 0;
    bool attached_ = false;
    int32_t attachMode_ = 0; // the network mode of the last attach request
};

} // namespace halvex
