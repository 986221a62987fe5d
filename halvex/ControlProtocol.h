#pragma once

#include "platform/ae/Types.h"

// The control channel through which tests (and halvexctl) drive Halvex:
// events of their own class, sent with wait-reply to the server's bundle
// identifier (the one the manager's records go to). A refused event carries
// keyErrorString in its reply.
namespace halvex::control
{

constexpr ae::OSType kEventClass = ae::fourCharCode("HLVX");

// Send one record to the manager as the modem would (keyRecord: 'tdta', one
// whole record), after whatever is already on its way.
constexpr ae::OSType kInjectRecord = ae::fourCharCode("inje");
// Take a scenario step: keyStepName ('utf8': "remove", "plug", "signal" ...),
// optionally keyStepArguments ('plst' dictionary, e.g. {"level": 3}).
constexpr ae::OSType kRunStep = ae::fourCharCode("step");
// Every step: reply keySteps ('plst' array of {"Name", "Description",
// "Arguments": [{"Name", "Type", "Minimum", "Maximum", "Description"}]}).
constexpr ae::OSType kListSteps = ae::fourCharCode("stps");

// The two logs of the conversation with the manager: the records Halvex
// received, and those it sent or dropped because no manager took them. Each
// entry has an order number, one sequence for both logs that grows for the
// life of the process from 1, and a time in milliseconds since Halvex
// started. Each log keeps the latest kLogCapacity entries.
//
// A read replies keyRecord ('tdta', records back to back, oldest first, at
// most kPageSize of them): without keySince the newest ones; with keySince
// ('plst' integer N) the oldest numbered above N. With keyNumbered ('plst'
// true) the reply also carries keyEntries ('plst' {"Entries": [{"Number",
// "Time", and for sent records "Dropped"}], one per record in keyRecord, and
// "More": whether newer entries are left for another read}).
constexpr ae::OSType kReceivedRecords = ae::fourCharCode("recv");
constexpr ae::OSType kSentRecords = ae::fourCharCode("sent");
constexpr int kLogCapacity = 4096;
constexpr int kPageSize = 256;

// Who answers and the modem's state: reply keyState ('plst' dictionary):
// "ProcessID", "StartTime", "ScenarioPath", "ScenarioName",
// "LastReceivedNumber", "LastSentNumber" (0 while a log is empty),
// "ReceivedForgotten", "SentForgotten" (entries a full log let go), and the
// modem's own: "Plugged", "SimStatus", "SignalLevel" ...
constexpr ae::OSType kState = ae::fourCharCode("stat");

constexpr ae::OSType keyRecord = ae::fourCharCode("jMsg");
constexpr ae::OSType keyStepName = ae::fourCharCode("name");
constexpr ae::OSType keyStepArguments = ae::fourCharCode("args");
constexpr ae::OSType keySteps = ae::fourCharCode("stps");
constexpr ae::OSType keySince = ae::fourCharCode("sinc");
constexpr ae::OSType keyNumbered = ae::fourCharCode("nmbd");
constexpr ae::OSType keyEntries = ae::fourCharCode("ents");
constexpr ae::OSType keyState = ae::fourCharCode("stat");
constexpr ae::OSType keyErrorString = ae::fourCharCode("errs");

} // namespace halvex::control
