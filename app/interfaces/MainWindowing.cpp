#include "app/interfaces/MainWindowing.h"

MainWindowing* g_MainWindowing = nullptr;
