#include "platform/ae/Logging.h"

namespace ae
{
Q_LOGGING_CATEGORY(lcAppleEvents, "trelvan.ae")
}
