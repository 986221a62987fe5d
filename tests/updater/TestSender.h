#pragma once

#include "platform/ae/Types.h"
#include "platform/ns/Value.h"

#include <QString>

namespace updater_test
{

// The connection manager's side of the update link, as it sends: command
// dictionaries in 'GURL' events to Varnock.

enum class Delivery {
    NoReply,     // as the connection manager sends: returns once the event is on its way
    WaitHandled, // returns once Varnock's handler has run
};

ae::OSErr sendUpdateCommand(const ns::Dictionary& command, Delivery delivery = Delivery::NoReply);

// The strings an installed LocalInfo.plist holds, with UNSIGNED_ID.
ns::Dictionary sampleLocalInfo();
ns::Dictionary initCommand();
// The local information's keys, then CMD_ID, UPDATE_MODE, DEVICE_STATE,
// UI_Language and, in automatic mode, kPath.
ns::Dictionary updateCommand(int mode, const ns::Dictionary& localInfo, bool deviceState,
                             const QString& uiLanguage);
ns::Dictionary deviceStateCommand(bool present, const ns::Dictionary& localInfo, const QString& uiLanguage);

// Writes the agent's settings file as the connection manager keeps it.
bool writeUpdateSettings(const QString& iniPath, const QString& serviceURL, bool enableUpdate);

} // namespace updater_test
