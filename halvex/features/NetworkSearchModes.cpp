#include "halvex/features/NetworkSearchModes.h"

#include "halvex/MessageRouter.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "jCommon/NetworkSelectionMessages.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{
// The simulated device searches automatically and prefers no network type.
constexpr int32_t kAutomaticSearch = 0;
constexpr int32_t kAutomaticSelection = 0;
constexpr int32_t kNoPreference = 2;
} // namespace

void NetworkSearchModes::registerMessages(MessageRouter& router)
{
    router.registerHandler(msg::networkSelection::kCheckSearchMode, [this](const _UI_MSG& request) {
        modem_.send(searchModeRecord(kTypeRequest, request.moduleID), modem_.scenario().timing.replyDelay);
    });
    router.registerHandler(msg::networkSelection::kCheckPreferenceMode, [this](const _UI_MSG& request) {
        modem_.send(preferenceModeRecord(kTypeRequest, request.moduleID),
                    modem_.scenario().timing.replyDelay);
    });
}

void NetworkSearchModes::simReady()
{
    modem_.report(searchModeRecord(kTypeReport, kModuleInit));
    modem_.report(preferenceModeRecord(kTypeReport, kModuleInit));
}

_UI_MSG NetworkSearchModes::searchModeRecord(int32_t type, int32_t moduleID) const
{
    return makeRecord(msg::networkSelection::kCheckSearchMode, type, kResultSuccess,
                      PayloadWriter(12)
                          .setInt32(0, kAutomaticSearch)
                          .setInt32(4, kAutomaticSelection)
                          .setInt32(8, kNoPreference)
                          .bytes(),
                      moduleID);
}

_UI_MSG NetworkSearchModes::preferenceModeRecord(int32_t type, int32_t moduleID) const
{
    return makeRecord(msg::networkSelection::kCheckPreferenceMode, type, kResultSuccess,
                      PayloadWriter(4).setInt32(0, kNoPreference).bytes(), moduleID);
}

} // namespace halvex
