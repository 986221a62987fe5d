#pragma once

#include "app/ui/controller/PluginPrincipal.h"

#include <QString>

#include <memory>

// A plug-in bundle on disk (Name.bundle/Contents/MacOS/Name; an Info.plist
// may name another executable under "CFBundleExecutable") and the code in it.
// The code is loaded on first use and never unloaded (see PluginPrincipal.h).
class PluginBundle
{
public:
    // Null when there is no folder at the path.
    static std::unique_ptr<PluginBundle> bundleWithPath(const QString& path);
    ~PluginBundle();

    const QString& bundlePath() const { return path_; }
    QString executablePath() const;

    // Loads the shared library and finds its factory; false (and a log line)
    // when the library cannot be loaded or does not export the factory.
    bool load();
    bool isLoaded() const { return factory_ != nullptr; }
    // Loads the code when needed and has the factory make the principal
    // object from the parameters; null when either fails.
    std::unique_ptr<PluginPrincipal> principalObject(const ns::ObjectDictionary& objectsDict);

private:
    explicit PluginBundle(const QString& path);

    QString path_;
    PluginFactory factory_ = nullptr;
};
