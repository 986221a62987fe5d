#include "app/interfaces/SmsServicing.h"

SmsServicing* g_SmsService = nullptr;
