#include "jCommon/NDISTransferReport.h"

#include "jCommon/PayloadReader.h"
#include "jCommon/PayloadWriter.h"

namespace
{

enum Offset : int {
    kAddress = 0,
    kSendBytes = 128,
    kReceiveBytes = 132,
    kSendSpeed = 144,
    kReceiveSpeed = 148,
};

} // namespace

std::optional<NDISTransferReport> NDISTransferReport::fromRecord(const _UI_MSG& record)
{
    if (record.length != kSize)
        return std::nullopt;
    NDISTransferReport report;
    report.localAddress = payloadText(record, kAddress, kAddressWidth);
    report.sendBytes = payloadFloat32(record, kSendBytes);
    report.receiveBytes = payloadFloat32(record, kReceiveBytes);
    report.sendSpeed = payloadFloat32(record, kSendSpeed);
    report.receiveSpeed = payloadFloat32(record, kReceiveSpeed);
    return report;
}

QByteArray NDISTransferReport::bytes() const
{
    return PayloadWriter(kSize)
        .setText(kAddress, kAddressWidth, localAddress)
        .setFloat32(kSendBytes, sendBytes)
        .setFloat32(kReceiveBytes, receiveBytes)
        .setFloat32(kSendSpeed, sendSpeed)
        .setFloat32(kReceiveSpeed, receiveSpeed)
        .bytes();
}
