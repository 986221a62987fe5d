#include "device/JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp.h"

QString JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp::getLocalSpn() const
{
    return JspnShowBase::getLocalSpn();
}
