#pragma once

#include "platform/ns/Formatter.h"

#include <memory>

// Turns whatever is typed into an address field into a dotted IPv4 address of
// four groups from 0 to 255: missing groups read as 0, text after a fourth dot
// is dropped, and each group is clamped.
class IPAddressFormatter : public ns::Formatter
{
public:
    // A new formatter on each call.
    static std::unique_ptr<IPAddressFormatter> defaultIPAddressFormatter();

    // The dotted address of a string value; "0.0.0.0" for any other value.
    QString stringForObjectValue(const ns::Value& value) const override;
    // Stores the dotted address as the object value; never refuses the input.
    bool getObjectValue(ns::Value* out, const QString& string, QString* error) const override;
};
