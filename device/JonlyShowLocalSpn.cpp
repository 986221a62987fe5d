#include "device/JonlyShowLocalSpn.h"

QString JonlyShowLocalSpn::getHomeSpn() const
{
    return QStringLiteral("");
}
