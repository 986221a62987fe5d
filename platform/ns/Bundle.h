#pragma once

#include "platform/ns/Value.h"

#include <optional>

namespace ns
{

// A program or plug-in folder laid out as Name.app/Contents/{MacOS,Resources,PlugIns}.
class Bundle
{
public:
    // The bundle of the running executable: the enclosing "X.app" when the
    // executable lies in X.app/Contents/MacOS, else the executable's folder.
    static Bundle& mainBundle();
    // Points the main bundle elsewhere (tests); an empty path restores it.
    static void setMainBundlePath(const QString& path);
    static std::optional<Bundle> bundleWithPath(const QString& path);

    QString bundlePath() const { return path_; }
    QString executablePath() const;
    QString resourcePath() const;
    QString builtInPlugInsPath() const;
    // Resources/name.type, else Resources/English.lproj/name.type; empty when missing.
    QString pathForResource(const QString& name, const QString& type) const;
    QString pathForResource(const QString& name, const QString& type, const QString& directory) const;
    Dictionary infoDictionary() const;
    Value objectForInfoDictionaryKey(const QString& key) const;
    QString bundleIdentifier() const;

private:
    explicit Bundle(const QString& path);
    bool isAppLayout() const;

    QString path_;
    QString executable_;
    mutable std::optional<Dictionary> info_;
};

} // namespace ns
