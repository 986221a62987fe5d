#pragma once

#include "platform/ns/Object.h"
#include "platform/ns/ObjectDictionary.h"

namespace ns
{
class View;
}

// The principal object of a plug-in bundle. A plug-in bundle is a folder
// Name.bundle/Contents/MacOS/Name holding a shared library that exports one
// C function, the factory (it stands in for the bundle's principal class and
// its initWithParam:):
//
//     extern "C" PluginPrincipal* TrelvanPluginPrincipal(const ns::ObjectDictionary& objectsDict);
//
// Declare it with TRELVAN_PLUGIN_FACTORY(objectsDict) { ... }. The factory
// returns a new principal object that the host owns, or null when the plug-in
// cannot start. objectsDict holds the host's shared objects (see
// JOVUIController::objectsDict); they outlive the principal object.
//
// A plug-in is built as a module that leaves the program's own symbols
// undefined: the host program exports them, so the plug-in shares the
// process-wide objects (notification centre, application, settings) with the
// host instead of carrying copies of its own. Plug-in code stays loaded for
// the rest of the process, as the objects and views it made may outlive the
// controller that loaded it.
class PluginPrincipal : public ns::Object
{
public:
    // The view the host shows for the plug-in; the host takes it over (a tab
    // view item owns it from then on). Asked once; null when there is none.
    virtual ns::View* bundleView() = 0;
};

using PluginFactory = PluginPrincipal* (*)(const ns::ObjectDictionary& objectsDict);

// The exported name of the factory.
inline constexpr char kPluginFactorySymbol[] = "TrelvanPluginPrincipal";

#define TRELVAN_PLUGIN_FACTORY(objectsDict)                                                                  \
    extern "C" __attribute__((visibility("default"))) PluginPrincipal* TrelvanPluginPrincipal(               \
        const ns::ObjectDictionary& objectsDict)
