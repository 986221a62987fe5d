#include "platform/ae/AppleEvent.h"

#include <algorithm>

namespace ae
{

AppleEvent::AppleEvent(OSType eventClass, OSType eventID, const Descriptor& target, AEReturnID returnID,
                       AETransactionID transactionID)
    : eventClass_(eventClass), eventID_(eventID), returnID_(returnID), transactionID_(transactionID),
      target_(target)
{
}

QString AppleEvent::targetBundleIdentifier() const
{
    if (target_.descriptorType != typeApplicationBundleID)
        return {};
    return QString::fromUtf8(target_.data);
}

void AppleEvent::setParamDescriptor(OSType keyword, const Descriptor& descriptor)
{
    auto it = std::find_if(parameters_.begin(), parameters_.end(),
                           [keyword](const Parameter& p) { return p.first == keyword; });
    if (it != parameters_.end())
        it->second = descriptor;
    else
        parameters_.emplace_back(keyword, descriptor);
}

std::optional<Descriptor> AppleEvent::paramDescriptor(OSType keyword) const
{
    for (const Parameter& p : parameters_) {
        if (p.first == keyword)
            return p.second;
    }
    return std::nullopt;
}

void AppleEvent::removeParamDescriptor(OSType keyword)
{
    std::erase_if(parameters_, [keyword](const Parameter& p) { return p.first == keyword; });
}

} // namespace ae
