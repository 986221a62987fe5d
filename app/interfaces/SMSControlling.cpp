#include "app/interfaces/SMSControlling.h"

SMSControlling* g_SMSController = nullptr;
