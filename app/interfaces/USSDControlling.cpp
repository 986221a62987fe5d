#include "app/interfaces/USSDControlling.h"

USSDControlling* g_USSDController = nullptr;
