#include "device/JonlyShowHomeSpn.h"

QString JonlyShowHomeSpn::getLocalSpn() const
{
    return QStringLiteral("");
}
