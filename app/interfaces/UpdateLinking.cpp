#include "app/interfaces/UpdateLinking.h"

UpdateLinking* g_UpdateLink = nullptr;
