#pragma once

#include "platform/ns/Value.h"

#include <QString>

#include <optional>

// Reading the values of a skin item dictionary. Numbers may be stored as
// numbers or as numeric strings.
namespace SkinItem
{

// The number under the key; nothing when the key is absent.
inline std::optional<double> number(const ns::Dictionary& item, const QString& key)
{
    const ns::Value& value = item.value(key);
    if (value.isNull())
        return std::nullopt;
    return value.doubleValue();
}

inline bool flag(const ns::Dictionary& item, const QString& key)
{
    return item.value(key).boolValue();
}

inline QString string(const ns::Dictionary& item, const QString& key)
{
    return item.value(key).toString();
}

// The first dictionary of the array under arrayKey whose entry under
// matchKey equals the value; nothing when there is none.
inline std::optional<ns::Dictionary> firstEntry(const ns::Dictionary& item, const QString& arrayKey,
                                                const QString& matchKey, const ns::Value& value)
{
    for (const ns::Value& entry : item.value(arrayKey).toArray()) {
        if (entry.isDictionary() && entry.toDictionary().value(matchKey) == value)
            return entry.toDictionary();
    }
    return std::nullopt;
}

// Copies the entries of the keys that the source has into the target.
inline void copyKeys(ns::Dictionary& target, const ns::Dictionary& source,
                     std::initializer_list<QString> keys)
{
    for (const QString& key : keys) {
        if (source.contains(key))
            target.setValue(key, source.value(key));
    }
}

} // namespace SkinItem
