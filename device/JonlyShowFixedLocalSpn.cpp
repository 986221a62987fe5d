#include "device/JonlyShowFixedLocalSpn.h"

QString JonlyShowFixedLocalSpn::getLocalSpn() const
{
    return QStringLiteral("fixed local SPN");
}
