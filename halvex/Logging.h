#pragma once

#include <QLoggingCategory>

namespace halvex
{
Q_DECLARE_LOGGING_CATEGORY(lcHalvex)
}
