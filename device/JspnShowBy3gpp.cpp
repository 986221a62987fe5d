#include "device/JspnShowBy3gpp.h"

QString JspnShowBy3gpp::getHomeSpn() const
{
    if ((the1and2FiledFromSPN_ & 0x02) && !isHomeOrFriendlyNetWork())
        return QStringLiteral("");
    return JspnShowBase::getHomeSpn();
}

QString JspnShowBy3gpp::getLocalSpn() const
{
    if (!(the1and2FiledFromSPN_ & 0x01) && isHomeOrFriendlyNetWork())
        return QStringLiteral("");
    return JspnShowBase::getLocalSpn();
}
