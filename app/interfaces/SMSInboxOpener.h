#pragma once

// What the views of the status area ask of the SMS feature's controller: to
// bring its inbox forward. The one SMS controller implements it and registers
// itself when it comes up.
class SMSInboxOpener
{
public:
    virtual ~SMSInboxOpener() = default;
    virtual void GotoInbox() = 0;

    // The SMS controller; null while there is none.
    static SMSInboxOpener* smsController();
    static void setSMSController(SMSInboxOpener* controller);
};
