#include "app/interfaces/DialRecordControlling.h"

DialRecordControlling* g_DialRecordController = nullptr;
