#pragma once

#include <QString>

// What the network status text ("init_NetworkStatus") tells a connection.
namespace network_status
{

// Usable unless the text is missing, empty, "No Service" or "Limited Service".
bool isUsable(const QString& status);
// "GSM", "EDGE", "GPRS" and "2G" name a 2G network.
bool is2G(const QString& status);

} // namespace network_status
