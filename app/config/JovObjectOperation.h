#pragma once

#include "platform/ns/Value.h"

// Defaults for missing values, so that callers can store or show them as they are.
class JovObjectOperation
{
public:
    // The kind of object a missing value stands for.
    enum class ObjectClass { String, Number, Date, Other };

    // The object itself when present; otherwise a fresh default of its class:
    // the empty string, the number 0, the current date and time, or the null
    // object for any other class.
    static ns::Value checkNilWithObject(const ns::Value& object, ObjectClass objectClass);
};
