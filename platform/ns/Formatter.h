#pragma once

#include "platform/ns/Value.h"

#include <QString>

namespace ns
{

// Turns the object value of a text field into its text and back, and may
// check or rewrite what the user types as it is typed.
class Formatter
{
public:
    Formatter() = default;
    Formatter(const Formatter&) = delete;
    Formatter& operator=(const Formatter&) = delete;
    virtual ~Formatter() = default;

    // The text shown for an object value.
    virtual QString stringForObjectValue(const Value& value) const = 0;
    // Parses the text into *out; false, with a reason in *error, when the text is refused.
    virtual bool getObjectValue(Value* out, const QString& string, QString* error) const = 0;
    // Checks a text while it is being edited; may propose a replacement in *newString.
    // Every partial text is accepted unless a formatter says otherwise.
    virtual bool isPartialStringValid(const QString& /*partialString*/, QString* /*newString*/,
                                      QString* /*error*/) const
    {
        return true;
    }
};

} // namespace ns
