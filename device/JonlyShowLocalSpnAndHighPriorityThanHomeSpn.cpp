#include "device/JonlyShowLocalSpnAndHighPriorityThanHomeSpn.h"

QString JonlyShowLocalSpnAndHighPriorityThanHomeSpn::getLocalSpn() const
{
    return localSpn_.isEmpty() ? JspnShowBase::getHomeSpn() : localSpn_;
}
