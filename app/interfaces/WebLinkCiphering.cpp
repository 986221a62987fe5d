#include "app/interfaces/WebLinkCiphering.h"

WebLinkCiphering* g_WebLinkCipher = nullptr;
