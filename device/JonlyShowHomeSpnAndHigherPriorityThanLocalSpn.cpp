#include "device/JonlyShowHomeSpnAndHigherPriorityThanLocalSpn.h"

QString JonlyShowHomeSpnAndHigherPriorityThanLocalSpn::getHomeSpn() const
{
    return homeSpn_.isEmpty() ? QStringLiteral("") : homeSpn_;
}
