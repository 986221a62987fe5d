#pragma once

#include "platform/ns/Formatter.h"

#include <memory>

// Keeps a telephone-number field to the characters a dialling string may hold:
// the text is cut at the first character that is not one of "0123456789*#abc".
class TPAddressFormatter : public ns::Formatter
{
public:
    // A new formatter on each call.
    static std::unique_ptr<TPAddressFormatter> defaultTPAddressFormatter();

    // The cleaned text of a string value; the empty string for any other value.
    QString stringForObjectValue(const ns::Value& value) const override;
    // Stores the cleaned text as the object value; never refuses the input.
    bool getObjectValue(ns::Value* out, const QString& string, QString* error) const override;
};
