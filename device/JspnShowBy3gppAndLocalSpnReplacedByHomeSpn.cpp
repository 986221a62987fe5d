#include "device/JspnShowBy3gppAndLocalSpnReplacedByHomeSpn.h"

QString JspnShowBy3gppAndLocalSpnReplacedByHomeSpn::getLocalSpn() const
{
    return JspnShowBase::getHomeSpn();
}
