#include "app/interfaces/SMSInboxOpener.h"

namespace
{

SMSInboxOpener* registeredController = nullptr;

} // namespace

SMSInboxOpener* SMSInboxOpener::smsController()
{
    return registeredController;
}

void SMSInboxOpener::setSMSController(SMSInboxOpener* controller)
{
    registeredController = controller;
}
