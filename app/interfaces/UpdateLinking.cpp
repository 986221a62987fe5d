#include "app/interfaces/UpdateLinking.h"

UpdateLinking* g_AEMessage = nullptr;
