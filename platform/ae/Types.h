#pragma once

#include <QtGlobal>

// Basic types and constants of the Apple Event layer: four-character codes,
// descriptor types, result codes and the send options of AESend.
namespace ae
{

using OSType = quint32;
using OSErr = qint16;
using AEReturnID = qint32;
using AETransactionID = qint32;

// The four-character code of a four-letter literal: fourCharCode("GURL").
constexpr OSType fourCharCode(const char (&code)[5])
{
    return (OSType(quint8(code[0])) << 24) | (OSType(quint8(code[1])) << 16) |
           (OSType(quint8(code[2])) << 8) | OSType(quint8(code[3]));
}

// Descriptor types.
constexpr OSType typeNull = fourCharCode("null");
constexpr OSType typeData = fourCharCode("tdta");
constexpr OSType typeApplicationBundleID = fourCharCode("bund");
constexpr OSType typeUTF8Text = fourCharCode("utf8");
constexpr OSType typeXMLPropertyList = fourCharCode("plst"); // the XML form of a property list

// The event every reply is.
constexpr OSType kCoreEventClass = fourCharCode("aevt");
constexpr OSType kAEAnswer = fourCharCode("ansr");

// Result codes.
constexpr OSErr noErr = 0;
constexpr OSErr paramErr = -50;               // the event cannot be sent as given (bad mode, too large)
constexpr OSErr procNotFound = -600;          // no process listens under the target's bundle identifier
constexpr OSErr connectionInvalid = -609;     // the target closed or died while the event was under way
constexpr OSErr errAEEventNotHandled = -1708; // the target has no handler for the event
constexpr OSErr errAETimeout = -1712;         // no reply within the time-out
constexpr OSErr errAEEventFailed = -10000;    // the target handled the event but could not send its reply

// Send modes (the low bits of AESend's sendMode).
constexpr int kAENoReply = 1;
constexpr int kAEWaitReply = 3;

// Priorities (accepted for compatibility; every event is delivered in order).
constexpr int kAENormalPriority = 0;
constexpr int kAEHighPriority = 1;

// Time-outs in ticks (60 ticks = 1 s), besides a plain number of ticks.
constexpr long kAEDefaultTimeout = -1; // one minute
constexpr long kNoTimeOut = -2;        // wait as long as the target lives

// Return and transaction IDs.
constexpr AEReturnID kAutoGenerateReturnID = -1;
constexpr AETransactionID kAnyTransactionID = 0;

} // namespace ae
