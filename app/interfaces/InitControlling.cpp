#include "app/interfaces/InitControlling.h"

InitControlling* g_InitControlling = nullptr;
