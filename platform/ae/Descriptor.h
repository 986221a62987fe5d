#pragma once

#include "platform/ae/Types.h"
#include "platform/ns/Value.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ae
{

// A typed piece of data: the target of an event or one of its parameters.
struct Descriptor {
    OSType descriptorType = typeNull;
    QByteArray data;

    // A target: the UTF-8 bytes of a bundle identifier, type 'bund'.
    static Descriptor fromBundleIdentifier(const QString& bundleIdentifier);
    // The XML form of a property-list value, type 'plst'.
    static Descriptor fromPropertyList(const ns::Value& value);

    // The property-list value of a 'plst' descriptor; nullopt for another type or bad XML.
    std::optional<ns::Value> propertyList() const;

    bool operator==(const Descriptor& other) const = default;
};

} // namespace ae
