#include "halvex/Conversation.h"

#include "platform/ns/Clock.h"

namespace halvex
{

Conversation::Conversation() : started_(ns::Clock::current().now()) {}

void Conversation::noteReceived(const _UI_MSG& record)
{
    received_.append(next(), elapsed(), record);
}

void Conversation::noteSent(const _UI_MSG& record, bool dropped)
{
    sent_.append(next(), elapsed(), record, dropped);
}

uint64_t Conversation::next()
{
    return ++lastNumber_;
}

int64_t Conversation::elapsed() const
{
    return started_.msecsTo(ns::Clock::current().now());
}

} // namespace halvex
