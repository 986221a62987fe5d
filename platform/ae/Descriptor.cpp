#include "platform/ae/Descriptor.h"

#include "platform/ns/PropertyList.h"

namespace ae
{

Descriptor Descriptor::fromBundleIdentifier(const QString& bundleIdentifier)
{
    return {typeApplicationBundleID, bundleIdentifier.toUtf8()};
}

Descriptor Descriptor::fromPropertyList(const ns::Value& value)
{
    return {typeXMLPropertyList, ns::PropertyList::toXml(value)};
}

std::optional<ns::Value> Descriptor::propertyList() const
{
    if (descriptorType != typeXMLPropertyList)
        return std::nullopt;
    return ns::PropertyList::fromData(data);
}

} // namespace ae
