#pragma once

#include "platform/ns/appkit/Geometry.h"

#include <QString>

// What the main window and the views of the status area ask of the SMS
// feature's controller. The one SMS controller implements it and sets
// g_SMSController when it is created.
class SMSControlling
{
public:
    // Storage positions of messages.
    enum Position { PositionPC = 0, PositionSIM = 1 };

    virtual ~SMSControlling() = default;
    // Brings the SMS page forward on the inbox.
    virtual void GotoInbox() = 0;
    // Where a window of that frame is placed (screen coordinates).
    virtual ns::Point centerTheNewSMSArriveWnd(const ns::Rect& frame) = 0;
    // Sends the text through the SMS page's own send path.
    virtual void sendMessageto(const QString& number, const QString& text) = 0;
    // Sends one message in the background.
    virtual void sendSmsTo(const QString& number, const QString& text, bool reportFlag,
                           bool returnSendResultFlag, bool saveInCorrespondBoxFlag) = 0;
    // The inbox of the position holds an unread message.
    virtual bool hasNewSMSInPos(int position) = 0;
    virtual void startAnimationWhenMaximizeWithNewSms() = 0;
    // An overdue unread data-volume message on the PC: handled, and the status item refreshed.
    virtual void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() = 0;
    // Enables or disables the SMS page's send button and its menu item while
    // the customer form's messages go out.
    virtual void setSendSMSBtnStatWhenSendUserInfo(bool enabled) = 0;

    // What the diagnostics window shows: the SIM's message count and
    // capacity as "%d/%d", and the card status the controller keeps (1: no
    // card, when the device, SIM and network lines are not refreshed).
    virtual QString getDiagnosticsSMS() = 0;
    virtual int getNetCardStatus() = 0;
    // Clears the preview of a newly arrived message (another tab is coming forward).
    virtual void cleanTextControlShowCertainNewSmsContent() = 0;
};

extern SMSControlling* g_SMSController;
