#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Event.h"

// An event as an object, so that it can travel in a notification's object
// information.
class EventObject : public ns::Object
{
public:
    explicit EventObject(const ns::Event& event) : event_(event) {}
    const ns::Event& event() const { return event_; }

private:
    ns::Event event_;
};
