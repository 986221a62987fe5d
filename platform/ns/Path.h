#pragma once

#include <QString>

namespace ns
{

// stringByExpandingTildeInPath: a leading "~" (alone or before "/") stands
// for the user's home folder; any other path is returned as it is.
QString stringByExpandingTildeInPath(const QString& path);

} // namespace ns
