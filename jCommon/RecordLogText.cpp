#include "jCommon/RecordLogText.h"

#include "jCommon/ConnectionMessages.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/DialParams.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/MessageID.h"

#include <algorithm>

namespace
{

// A field of a record's data that holds a code or an account's user name or password.
struct CodeField {
    MessageID id;
    int offset;
    int width;
};

constexpr CodeField kCodeFields[] = {
    {msg::device::kCheckoutPin, 0, FieldWidth::kCode},
    {msg::device::kCheckoutPuk, 0, FieldWidth::kCode},                 // the new PIN
    {msg::device::kCheckoutPuk, FieldWidth::kCode, FieldWidth::kCode}, // the PUK
    {msg::device::kSavePin, 0, FieldWidth::kCode},
    {msg::device::kCheckUnlockCodeStatus, 0, FieldWidth::kUnlockCode},
    {msg::device::kDeviceUnlock, 0, FieldWidth::kDeviceCode},
    {msg::connection::kSetDialParams, DialParamsLayout::kUserName, DialParamsLayout::kAccountWidth},
    {msg::connection::kSetDialParams, DialParamsLayout::kPassword, DialParamsLayout::kAccountWidth},
};

} // namespace

_UI_MSG withCodesMasked(const _UI_MSG& record)
{
    _UI_MSG masked = record;
    const MessageID id{record.majorID, record.minorID};
    for (const CodeField& field : kCodeFields)
        if (field.id == id)
            std::fill_n(masked.data + field.offset, field.width, uint8_t('*'));
    return masked;
}

QByteArray recordLogText(const _UI_MSG& record)
{
    const _UI_MSG masked = withCodesMasked(record);
    const int length = std::clamp(int(masked.length), 0, kUIMsgDataSize);
    return QByteArrayLiteral("module ") + QByteArray::number(masked.moduleID) + ' ' +
           QByteArray::number(masked.majorID) + '/' + QByteArray::number(masked.minorID) + " type " +
           QByteArray::number(masked.type) + " result " + QByteArray::number(masked.result) + " length " +
           QByteArray::number(masked.length) + ": " +
           QByteArray(reinterpret_cast<const char*>(masked.data), length).toHex(' ') + '\n';
}
