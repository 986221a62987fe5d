#pragma once

#include "platform/ns/Value.h"

// What the main window asks of the SMS feature's shared service (SmsService,
// sharedSmsService). The service implements it and sets g_SmsService when it
// is created.
class SmsServicing
{
public:
    // The type of an ordinary message (others are data-volume messages).
    static constexpr int kNormalSmsType = 2;
    // The inbox among the PC's boxes.
    static constexpr int kInBox = 0;

    virtual ~SmsServicing() = default;
    virtual bool sendingSMSInBackGround() = 0;
    virtual void setSendingSmsSMSInBackGroud(bool sending) = 0;
    virtual void setUnshowInfoWndWhenSendSmsByFlag(bool unshow) = 0;
    virtual void setBAlreadySendedCheckUsageSMS(bool sent) = 0;
    // The type of the last new message.
    virtual int typeOfNewSms() = 0;
    // The unread list of the position (0 PC, 1 SIM) holds a message of the type.
    virtual bool checkPosIsContainTypeSMS(int position, int type) = 0;
    // The state of the stored data-volume information.
    virtual int getFlowValueInfoFromFile() = 0;
    virtual bool isOverDueFlowValueSms() = 0;
    virtual ns::Array getPCBoxListWithBox(int box) = 0;
    // Collects the unread messages of the list as those of the position.
    virtual void getUnreadSMSInPos(int position, const ns::Array& inBoxList) = 0;
    // The recharge-by-message settings ("PurchargeBySMS_ServerNumber" ...).
    virtual ns::Dictionary processListOfRecharge() = 0;
};

extern SmsServicing* g_SmsService;
