#include "fuzz/checks/FuzzChecks.h"

namespace fuzz
{

namespace
{

const Target kTargets[] = {
    {"plist_xml", checkPropertyList},
    {"plist_binary", checkPropertyList},
    {"strings_file", checkStringsFile},
    {"ae_frame", checkAppleEventFrame},
    {"notification_frame", checkNotificationFrames},
    {"address_formatters", checkAddressFormatters},
    {"string_regex", checkStringRegex},
    {"record_log", checkRecordLog},
    {"dial_params", checkDialParams},
    {"ndis_transfer", checkNDISTransferReport},
    {"ppp_status", checkPPPConnectStatus},
};

} // namespace

std::span<const Target> targets()
{
    return kTargets;
}

const Target* findTarget(QByteArrayView name)
{
    for (const Target& t : kTargets)
        if (name == t.name)
            return &t;
    return nullptr;
}

} // namespace fuzz
