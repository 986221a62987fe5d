#pragma once

#include <QString>

namespace ae
{
class AppleEvent;
class AppleEventManager;
} // namespace ae

namespace halvex
{

class Modem;
class RecordLog;

// The tests' side door (see ControlProtocol.h): inject records, take and
// list scenario steps, read back both logs of the conversation with the
// manager, and say who answers and in what state.
class ControlChannel
{
public:
    explicit ControlChannel(Modem& modem) : modem_(modem) {}
    void install(ae::AppleEventManager& manager);

private:
    void injectRecord(const ae::AppleEvent& event, ae::AppleEvent& reply);
    void runStep(const ae::AppleEvent& event, ae::AppleEvent& reply);
    void listSteps(ae::AppleEvent& reply) const;
    void readLog(const RecordLog& log, bool sent, const ae::AppleEvent& event, ae::AppleEvent& reply) const;
    void state(ae::AppleEvent& reply) const;

    Modem& modem_;
};

} // namespace halvex
