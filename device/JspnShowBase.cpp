#include "device/JspnShowBase.h"

#include "device/InitService.h"

JspnShowBase::JspnShowBase(const InitService& service) : service_(service) {}

QString JspnShowBase::getHomeSpn() const
{
    return homeSpn_.isNull() ? QStringLiteral("") : homeSpn_;
}

QString JspnShowBase::getLocalSpn() const
{
    return localSpn_.isNull() ? QStringLiteral("") : localSpn_;
}

bool JspnShowBase::isHomeOrFriendlyNetWork() const
{
    return service_.checkCurrentIsHomeOrFriendlyNetWork();
}
