#pragma once

#include <QString>

namespace agent
{

// The agent's settings file, lines of key=value ("UPDATE_FREQUENCE=" is the
// connection manager's own business and is not read here).
struct AgentSettings {
    // "ENABLE_UPDATE=0" turns automatic checks off; anything else leaves them on.
    bool enableUpdate = true;
    // "ServiceURL=": the update server; its checks go to ServiceURL/check.
    QString serviceURL;
};

// The settings of the file; a missing or unreadable file gives the defaults.
AgentSettings readAgentSettings(const QString& path);

// The download folder beside the settings file: the settings lie in
// ModemList/Update of a library folder whose Auto_Update/download is the
// agent's.
QString downloadFolderOf(const QString& settingsPath);

} // namespace agent
