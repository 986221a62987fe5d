// A plug-in bundle of the tests: it tells the host what it received and shows
// a view of its own. Built twice: as "Test.bundle", and with
// TEST_PLUGIN_REFUSES as "Refusing.bundle", whose factory makes nothing.

#include "app/ui/controller/PluginPrincipal.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/View.h"

namespace
{

class TestPluginView : public ns::View
{
public:
    TestPluginView() : ns::View(ns::Rect(0, 0, 320, 240)) {}
    int tag() const override { return 4242; }
};

class TestPlugin : public PluginPrincipal
{
public:
    explicit TestPlugin(const ns::ObjectDictionary& objectsDict)
    {
        // Posted on the host's own centre: the plug-in shares the process's objects.
        ns::Notification started(QStringLiteral("TestPluginStarted"), this);
        started.setObjectInfo(objectsDict);
        ns::NotificationCenter::defaultCenter().postNotification(started);
    }

    ns::View* bundleView() override { return new TestPluginView; }
};

} // namespace

TRELVAN_PLUGIN_FACTORY(objectsDict)
{
#ifdef TEST_PLUGIN_REFUSES
    (void)objectsDict;
    return nullptr;
#else
    return new TestPlugin(objectsDict);
#endif
}
