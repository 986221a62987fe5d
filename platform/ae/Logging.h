#pragma once

#include <QLoggingCategory>

namespace ae
{
Q_DECLARE_LOGGING_CATEGORY(lcAppleEvents)
}
