#pragma once

#include <QString>

// What the device's start-up tells the link to the update manager. The update
// link implements it and sets g_AEMessage when it is created; until then no
// update manager is present and nothing is passed on.
class UpdateLinking
{
public:
    virtual ~UpdateLinking() = default;
    // The update manager was found at start-up.
    virtual bool isSupportUpdate() = 0;
    // The device's IMEI: the update identity keeps the first one ever seen.
    virtual void dealWithIMEI(const QString& imei) = 0;
};

extern UpdateLinking* g_AEMessage;
