#include "app/interfaces/CompoundCallControlling.h"

CompoundCallControlling* g_CompoundCallController = nullptr;
