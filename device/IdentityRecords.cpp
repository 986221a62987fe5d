#include "device/IdentityRecords.h"

#include "device/InputFaults.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadReader.h"

#include <array>
#include <cstring>
#include <utility>

namespace
{

constexpr std::array<std::pair<MessageID, int>, 7> kIdentityWidths = {{
    {msg::device::kCheckCIMI, FieldWidth::kIMSI},
    {msg::device::kCheckFWVersion, FieldWidth::kFirmwareVersion},
    {msg::device::kCheckFWInternalVersion, FieldWidth::kFirmwareVersion},
    {msg::device::kCheckPhoneNumber, FieldWidth::kOwnNumber},
    {msg::device::kCheckHWVersion, FieldWidth::kHardwareVersion},
    {msg::device::kCheckModemModel, FieldWidth::kModel},
    {msg::device::kCheckSerialNumber, FieldWidth::kSerialNumber},
}};

constexpr int kMncOffset = FieldWidth::kMccOrMnc;

} // namespace

QString identityText(const _UI_MSG& record)
{
    const MessageID id{record.majorID, record.minorID};
    for (const auto& [identity, width] : kIdentityWidths)
        if (identity == id)
            return recordText(record, 0, width);
    return QString();
}

DeviceMccMncRecord DeviceMccMncRecord::fromRecord(const _UI_MSG& record)
{
    return {recordText(record, 0, FieldWidth::kMccOrMnc),
            recordText(record, kMncOffset, FieldWidth::kMccOrMnc)};
}

QByteArrayView simFileText(const _UI_MSG& record)
{
    if (!payloadTextIsTerminated(record, 0, FieldWidth::kSimFile))
        logInputFaultOnce(QStringLiteral("%1: the SIM file has no NUL within %2 bytes")
                              .arg(recordName(record))
                              .arg(FieldWidth::kSimFile));
    const char* text = reinterpret_cast<const char*>(record.data);
    return QByteArrayView(text, qsizetype(strnlen(text, FieldWidth::kSimFile)));
}
