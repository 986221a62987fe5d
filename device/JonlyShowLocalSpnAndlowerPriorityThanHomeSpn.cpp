#include "device/JonlyShowLocalSpnAndlowerPriorityThanHomeSpn.h"

QString JonlyShowLocalSpnAndlowerPriorityThanHomeSpn::getLocalSpn() const
{
    return homeSpn_.isEmpty() ? JspnShowBase::getLocalSpn() : homeSpn_;
}
