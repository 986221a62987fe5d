#include "app/ui/controller/PluginBundle.h"

#include "platform/ns/Bundle.h"

#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <dlfcn.h>

std::unique_ptr<PluginBundle> PluginBundle::bundleWithPath(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return nullptr;
    return std::unique_ptr<PluginBundle>(new PluginBundle(path));
}

PluginBundle::PluginBundle(const QString& path) : path_(path) {}

// The library stays loaded: objects and views it made may outlive the bundle object.
PluginBundle::~PluginBundle() = default;

QString PluginBundle::executablePath() const
{
    const std::optional<ns::Bundle> bundle = ns::Bundle::bundleWithPath(path_);
    return bundle ? bundle->executablePath() : QString();
}

bool PluginBundle::load()
{
    if (factory_)
        return true;
    const QString executable = executablePath();
    if (!QFileInfo(executable).isFile()) {
        qWarning("The plug-in %s has no executable", qPrintable(path_));
        return false;
    }
    // Every symbol is bound now, so a plug-in built against another program fails here and not later.
    void* handle = dlopen(QFile::encodeName(executable).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        qWarning("Cannot load the plug-in %s: %s", qPrintable(path_), dlerror());
        return false;
    }
    factory_ = reinterpret_cast<PluginFactory>(dlsym(handle, kPluginFactorySymbol));
    if (!factory_) {
        qWarning("The plug-in %s does not export %s", qPrintable(path_), kPluginFactorySymbol);
        dlclose(handle); // nothing of it is in use yet
        return false;
    }
    return true;
}

std::unique_ptr<PluginPrincipal> PluginBundle::principalObject(const ns::ObjectDictionary& objectsDict)
{
    if (!load())
        return nullptr;
    return std::unique_ptr<PluginPrincipal>(factory_(objectsDict));
}
