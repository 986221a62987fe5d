#pragma once

namespace ae
{
class AppleEventManager;
}

namespace halvex
{

class Modem;

// Takes in the manager's records: Apple Events of class and ID 'GURL' whose
// parameter 'jMsg' holds one whole record. Anything else is refused (logged,
// and said in the reply) and never read.
class DeviceChannel
{
public:
    explicit DeviceChannel(Modem& modem) : modem_(modem) {}
    void install(ae::AppleEventManager& manager);

private:
    Modem& modem_;
};

} // namespace halvex
