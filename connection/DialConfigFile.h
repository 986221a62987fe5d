#pragma once

#include "platform/ns/Value.h"

#include <optional>

class ConfigManager;

// The profile file dialConfig.plist of the data folder: an array of profile
// dictionaries, the operator's default profiles first. A file that exists but
// cannot be read is never overwritten: a write first moves it aside as
// "dialConfig.plist.unreadable".
class DialConfigFile
{
public:
    explicit DialConfigFile(const ConfigManager& store);

    // The file's path from the configuration store (configFilePathOfKey:).
    QString path() const;
    // The profiles; an empty array when the file is missing, nullopt when it
    // exists but is not an array of profiles.
    std::optional<ns::Array> read() const;
    // Writes the profiles atomically; false when nothing was written.
    bool write(const ns::Array& profiles) const;

private:
    bool setAsideUnreadableFile(const QString& path) const;

    const ConfigManager& store_;
};
