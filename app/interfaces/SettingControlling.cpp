#include "app/interfaces/SettingControlling.h"

SettingControlling* g_SettingController = nullptr;
