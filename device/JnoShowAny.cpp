#include "device/JnoShowAny.h"

QString JnoShowAny::getHomeSpn() const
{
    return QStringLiteral("");
}

QString JnoShowAny::getLocalSpn() const
{
    return QStringLiteral("");
}
