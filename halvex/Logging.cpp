#include "halvex/Logging.h"

namespace halvex
{
// Each record sent or received is a debug line, off unless asked for
// (QT_LOGGING_RULES="halvex.debug=true").
Q_LOGGING_CATEGORY(lcHalvex, "halvex", QtInfoMsg)
} // namespace halvex
