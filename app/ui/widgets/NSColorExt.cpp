#include "app/ui/widgets/NSColorExt.h"

namespace NSColorExt
{

std::optional<ns::Color> colorWithNSString(const QString& string)
{
    if (string.isEmpty())
        return std::nullopt;
    return ns::Color::colorWithCIColorString(string);
}

} // namespace NSColorExt
