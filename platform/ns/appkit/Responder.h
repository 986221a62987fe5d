#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/appkit/Event.h"

namespace ns
{

// Views and windows receive mouse and key events through these handlers; an
// event that a responder does not handle goes on to its next responder (a
// view's superview, then its window).
class Responder : public Object
{
public:
    virtual Responder* nextResponder() const { return nullptr; }

    virtual void mouseDown(const Event& event) { forward(&Responder::mouseDown, event); }
    virtual void mouseUp(const Event& event) { forward(&Responder::mouseUp, event); }
    virtual void mouseDragged(const Event& event) { forward(&Responder::mouseDragged, event); }
    virtual void mouseMoved(const Event& event) { forward(&Responder::mouseMoved, event); }
    virtual void rightMouseDown(const Event& event) { forward(&Responder::rightMouseDown, event); }
    virtual void rightMouseUp(const Event& event) { forward(&Responder::rightMouseUp, event); }
    virtual void scrollWheel(const Event& event) { forward(&Responder::scrollWheel, event); }
    virtual void keyDown(const Event& event) { forward(&Responder::keyDown, event); }
    virtual void keyUp(const Event& event) { forward(&Responder::keyUp, event); }
    // Sent to the owner of a tracking rectangle only.
    virtual void mouseEntered(const Event&) {}
    virtual void mouseExited(const Event&) {}

private:
    void forward(void (Responder::*handler)(const Event&), const Event& event)
    {
        if (Responder* next = nextResponder())
            (next->*handler)(event);
    }
};

} // namespace ns
