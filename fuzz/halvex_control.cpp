// Halvex's control channel and the manager's records: a modem on a manual
// clock takes a run of control events (any event, any parameters, property
// lists well or badly formed), records from the manager and time passing,
// with the manager now there, now gone.
#include "fuzz/FuzzedPropertyList.h"
#include "halvex/ControlChannel.h"
#include "halvex/ControlProtocol.h"
#include "halvex/Modem.h"
#include "halvex/Scenario.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"

#include <QLoggingCategory>

namespace
{

ae::Descriptor consumeDescriptor(FuzzedDataProvider& in)
{
    static constexpr ae::OSType kTypes[] = {ae::typeUTF8Text, ae::typeXMLPropertyList, ae::typeData,
                                            ae::typeNull};
    const ae::OSType type = in.ConsumeBool()
                                ? kTypes[in.ConsumeIntegralInRange<size_t>(0, std::size(kTypes) - 1)]
                                : in.ConsumeIntegral<ae::OSType>();
    if (type == ae::typeXMLPropertyList && in.ConsumeBool())
        return ae::Descriptor::fromPropertyList(consumeValue(in));
    if (type == ae::typeData && in.ConsumeBool())
        return {type, QByteArray(kUIMsgSize, char(in.ConsumeIntegral<uint8_t>()))};
    const std::string bytes = in.ConsumeRandomLengthString(256);
    // The binary property-list form has a reader, and a target, of its own.
    if (type == ae::typeXMLPropertyList && bytes.rfind("bplist", 0) == 0)
        return {};
    return {type, QByteArray(bytes.data(), qsizetype(bytes.size()))};
}

ae::AppleEvent consumeEvent(FuzzedDataProvider& in)
{
    using namespace halvex::control;
    static constexpr ae::OSType kEvents[] = {kInjectRecord,    kRunStep,     kListSteps,
                                             kReceivedRecords, kSentRecords, kState};
    static constexpr ae::OSType kKeys[] = {keyRecord, keyStepName, keyStepArguments, keySince, keyNumbered};
    ae::AppleEvent event(kEventClass, kEvents[in.ConsumeIntegralInRange<size_t>(0, std::size(kEvents) - 1)],
                         ae::Descriptor());
    for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        const ae::OSType key = in.ConsumeBool()
                                   ? kKeys[in.ConsumeIntegralInRange<size_t>(0, std::size(kKeys) - 1)]
                                   : in.ConsumeIntegral<ae::OSType>();
        event.setParamDescriptor(key, consumeDescriptor(in));
    }
    // Steps by their own names most of the time.
    if (event.eventID() == kRunStep && in.ConsumeBool()) {
        static const char* const kSteps[] = {"remove", "plug", "signal"};
        event.setParamDescriptor(
            keyStepName,
            {ae::typeUTF8Text, kSteps[in.ConsumeIntegralInRange<size_t>(0, std::size(kSteps) - 1)]});
    }
    return event;
}

_UI_MSG consumeRecord(FuzzedDataProvider& in)
{
    _UI_MSG record{};
    record.tag = 1;
    record.moduleID = in.ConsumeIntegral<int32_t>();
    // The pairs Halvex answers sit in the low families.
    record.majorID =
        in.ConsumeBool() ? in.ConsumeIntegralInRange<uint16_t>(0, 8) : in.ConsumeIntegral<uint16_t>();
    record.minorID =
        in.ConsumeBool() ? in.ConsumeIntegralInRange<uint16_t>(0, 90) : in.ConsumeIntegral<uint16_t>();
    record.type = in.ConsumeIntegral<int32_t>();
    record.result = in.ConsumeIntegral<int8_t>();
    record.length = in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, kUIMsgDataSize)
                                     : in.ConsumeIntegral<int32_t>();
    const std::string payload = in.ConsumeRandomLengthString(64);
    std::copy(payload.begin(), payload.end(), record.data);
    return record;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        halvex::Scenario scenario;
        scenario.sim.imsi = QStringLiteral("001010987654321");
        scenario.sim.pin = QStringLiteral("4321");
        scenario.sim.puk = QStringLiteral("87654321");
        scenario.network.signalLevel = 3;
        bool managerThere = true;
        halvex::Modem modem(scenario, [&](const _UI_MSG&) {
            return managerThere ? halvex::Delivery::Delivered : halvex::Delivery::ClientAbsent;
        });
        ae::AppleEventManager& events = ae::AppleEventManager::sharedAppleEventManager();
        halvex::ControlChannel channel(modem);
        channel.install(events);
        modem.powerOn();

        while (in.remaining_bytes() > 0) {
            switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0: {
                ae::AppleEvent reply;
                events.dispatchEvent(consumeEvent(in), reply);
                break;
            }
            case 1:
                modem.receive(consumeRecord(in));
                break;
            case 2:
                managerThere = !managerThere;
                break;
            default:
                clock.advance(in.ConsumeIntegralInRange(0, 2000) / 1000.0);
                break;
            }
        }
    }
    ns::Clock::setCurrent(nullptr);
    return 0;
}
