#pragma once

namespace ae
{
class AppleEvent;
class AppleEventManager;
} // namespace ae

namespace halvex
{

class Modem;

// The tests' side door (see ControlProtocol.h): inject records, take
// scenario steps, read back what the manager sent and the modem's state.
class ControlChannel
{
public:
    explicit ControlChannel(Modem& modem) : modem_(modem) {}
    void install(ae::AppleEventManager& manager);

private:
    void injectRecord(const ae::AppleEvent& event, ae::AppleEvent& reply);
    void runStep(const ae::AppleEvent& event, ae::AppleEvent& reply);
    void receivedRecords(ae::AppleEvent& reply) const;
    void state(ae::AppleEvent& reply) const;

    Modem& modem_;
};

} // namespace halvex
