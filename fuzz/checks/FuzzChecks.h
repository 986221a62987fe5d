#pragma once

// What each fuzz target checks on one input: whatever the bytes, the parser
// returns without crashing or hanging, and the promises its results make hold.
// The fuzz programs (fuzz/) abort on a broken promise; tests/fuzz-replay runs
// the same checks on every input that once broke one.

#include <QByteArrayView>
#include <QString>

#include <span>

namespace fuzz
{

// An empty string, or the promise the input broke.
using Check = QString (*)(QByteArrayView input);

struct Target {
    const char* name; // of the program fuzz_<name> and of its corpus folder
    Check check;
};

std::span<const Target> targets();
const Target* findTarget(QByteArrayView name);

// Property lists in either form: what is read can be written in both forms,
// and reads back to the same.
QString checkPropertyList(QByteArrayView input);
// Strings files and the language token lists read through them.
QString checkStringsFile(QByteArrayView input);
// Apple Event frames: a decoded frame encodes and decodes back to itself.
QString checkAppleEventFrame(QByteArrayView input);
// Distributed notification frames, as a stream a peer sends.
QString checkNotificationFrames(QByteArrayView input);
// The IP address and telephone number formatters of input fields.
QString checkAddressFormatters(QByteArrayView input);
// The pattern functions: a pattern line, then the text searched.
QString checkStringRegex(QByteArrayView input);
// A record's line in the modem traffic log, its code fields masked.
QString checkRecordLog(QByteArrayView input);
// The dial-parameter record as the device reads it.
QString checkDialParams(QByteArrayView input);
// The NDIS transfer report: read only from a record of its length.
QString checkNDISTransferReport(QByteArrayView input);
// The PPP status answer in both forms and the old address answer.
QString checkPPPConnectStatus(QByteArrayView input);

} // namespace fuzz
