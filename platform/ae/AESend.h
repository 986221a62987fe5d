#pragma once

#include "platform/ae/AppleEvent.h"

namespace ae
{

// Sends an event to the process listening under its target's bundle
// identifier, synchronously in the calling thread (no event loop needed).
//
// kAENoReply returns noErr once the whole event is written to the target's
// socket. kAEWaitReply returns once the target's handler has run and its
// reply has arrived: the reply's result (noErr, or errAEEventNotHandled when
// the target has no handler), with the reply event in reply when given.
// Failures: procNotFound when nobody listens under the identifier,
// errAETimeout after timeOutInTicks (60 ticks = 1 s; kAEDefaultTimeout is one
// minute, kNoTimeOut waits as long as the target lives), connectionInvalid
// when the target closes or dies under way, paramErr for an unknown send mode
// or an event too large to send. A handler's own failure travels in its reply.
//
// A return ID of kAutoGenerateReturnID gets a fresh one. Connections are kept
// per target and reused, so a send is a write and a read; the target's socket
// is looked up again only when one whose target has gone or restarted is
// replaced.
// A wait-reply event to this process's own identifier, sent from the thread
// its handlers run on, is handled at once by a direct call.
OSErr AESend(const AppleEvent& event, AppleEvent* reply, int sendMode, int priority, long timeOutInTicks);

} // namespace ae
