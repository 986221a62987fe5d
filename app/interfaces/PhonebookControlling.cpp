#include "app/interfaces/PhonebookControlling.h"

PhonebookControlling* g_PBController = nullptr;
