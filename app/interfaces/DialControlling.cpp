#include "app/interfaces/DialControlling.h"

DialControlling* g_DialController = nullptr;
