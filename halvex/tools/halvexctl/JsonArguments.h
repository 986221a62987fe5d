#pragma once

#include "platform/ns/Value.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The property-list dictionary of a JSON object, as a person writes a
// step's arguments: whole numbers become integers, other numbers reals;
// nullopt, with the reason in error, for text that is not a JSON object or
// holds a null.
std::optional<ns::Dictionary> dictionaryFromJson(const QByteArray& json, QString* error);
