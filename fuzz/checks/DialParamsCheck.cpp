#include "fuzz/checks/FuzzChecks.h"

#include "jCommon/ConnectionMessages.h"
#include "jCommon/DialParams.h"

namespace fuzz
{

namespace
{

DialParams roundTrip(const DialParams& params)
{
    const MessageID id = msg::connection::kSetDialParams;
    return dialParamsFromRecord(makeUIMsg(kModuleDialUp, id.majorID, id.minorID, kTypeRequest, kResultSuccess,
                                          dialParamsBytes(params)));
}

} // namespace

QString checkDialParams(QByteArrayView input)
{
    const DialParams received = dialParamsFromRecord(recordFromBytes(input.toByteArray()));
    if (dialParamsBytes(received).size() != DialParamsLayout::kSize)
        return QStringLiteral("a dial-parameter record is not 920 bytes");
    // Once cut to the fields' widths, the parameters pass through the record unchanged.
    const DialParams sent = roundTrip(received);
    if (roundTrip(sent) != sent)
        return QStringLiteral("dial parameters change on their way through the record");
    return QString();
}

} // namespace fuzz
