#include "app/interfaces/MMSControlling.h"

MMSControlling* g_MMSController = nullptr;
