#pragma once

#include "platform/ae/Types.h"

// The control channel through which tests drive Halvex: events of their own
// class, sent with wait-reply to the server's bundle identifier (the one the
// manager's records go to). A refused event carries keyErrorString in its
// reply.
namespace halvex::control
{

constexpr ae::OSType kEventClass = ae::fourCharCode("HLVX");

// Send one record to the manager as the modem would (keyRecord: 'tdta', one
// whole record), after whatever is already on its way.
constexpr ae::OSType kInjectRecord = ae::fourCharCode("inje");
// Take a scenario step: keyStepName ('utf8': "remove", "plug", "signal" ...),
// optionally keyStepArguments ('plst' dictionary, e.g. {"level": 3}).
constexpr ae::OSType kRunStep = ae::fourCharCode("step");
// The records received from the manager so far: reply keyRecord ('tdta',
// the records back to back, oldest first).
constexpr ae::OSType kReceivedRecords = ae::fourCharCode("recv");
// The modem's state: reply keyState ('plst' dictionary).
constexpr ae::OSType kState = ae::fourCharCode("stat");

constexpr ae::OSType keyRecord = ae::fourCharCode("jMsg");
constexpr ae::OSType keyStepName = ae::fourCharCode("name");
constexpr ae::OSType keyStepArguments = ae::fourCharCode("args");
constexpr ae::OSType keyState = ae::fourCharCode("stat");
constexpr ae::OSType keyErrorString = ae::fourCharCode("errs");

} // namespace halvex::control
