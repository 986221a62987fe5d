#include "tests/device/DeviceTestSupport.h"

#include "platform/lindora/Lindora.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"
#include "tests/support/AppKitTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace device_test
{

namespace
{

const QString kResources = QStringLiteral(TRELVAN_SOURCE_DIR "/resources");

ns::Dictionary changed(ns::Dictionary settings, const ns::Dictionary& changes)
{
    for (const auto& [key, value] : changes)
        settings.setValue(key, value);
    return settings;
}

} // namespace

ns::Dictionary shippedSettings(const ns::Dictionary& changes)
{
    const ns::Dictionary shipped =
        ns::PropertyList::readDictionary(kResources + QStringLiteral("/ModemList/settings.plist"))
            .value_or(ns::Dictionary())
            .deepCopy();
    return changed(shipped, changes);
}

ns::Dictionary plainSettings(const ns::Dictionary& changes)
{
    ns::Dictionary settings = shippedSettings();
    settings.remove(QStringLiteral("UIConfig"));
    return changed(settings, changes);
}

QString writeScenario(const QString& folder, const std::vector<std::pair<QString, ns::Value>>& changes)
{
    ns::Dictionary root = ns::PropertyList::readDictionary(
                              QStringLiteral(TRELVAN_SOURCE_DIR "/halvex/resources/DefaultScenario.plist"))
                              .value_or(ns::Dictionary())
                              .deepCopy();
    root.setValue("Timing", ns::Dictionary{{"ReportInterval", 0.005},
                                           {"ReplyDelay", 0.0},
                                           {"CodeCheckDelay", 0.01},
                                           {"SignalChangeInterval", 0.0}});
    for (const auto& [path, value] : changes) {
        const QStringList parts = path.split('/');
        if (parts.size() == 1)
            root.setValue(path, value);
        else
            root.value(parts.first()).toDictionary().setValue(parts.last(), value);
    }
    const QString path = folder + QStringLiteral("/scenario.plist");
    return ns::PropertyList::writeFile(path, root) ? path : QString();
}

DeviceBundle::DeviceBundle(const ns::Dictionary& settings, Runtime runtime)
{
    const QString contents = appPath() + QStringLiteral("/Contents");
    QDir().mkpath(dataFolder());
    QDir().mkpath(contents + QStringLiteral("/MacOS"));
    QFile::copy(kResources + QStringLiteral("/Info.plist"), contents + QStringLiteral("/Info.plist"));
    for (const char* entry : {"defaultSkin", "English.lproj", "LanguageTokenList.txt", "index.html"})
        QFile::link(kResources + '/' + entry, resourcePath() + '/' + entry);
    const QDir images(kResources + QStringLiteral("/Images"));
    for (const QString& image : images.entryList(QDir::Files))
        QFile::link(images.filePath(image), resourcePath() + '/' + image);
    QFile::link(kResources + QStringLiteral("/ModemList/Trelvan_Help.html"),
                dataFolder() + QStringLiteral("/Trelvan_Help.html"));
    ns::PropertyList::writeFile(dataFolder() + QStringLiteral("/settings.plist"), settings);
    ns::PropertyList::writeFile(
        resourcePath() + QStringLiteral("/jUIInfo.plist"),
        ns::Dictionary{{"UseConfigPath", true}, {"PathOfServer", HalvexControl::programPath()}});
    ns::Bundle::setMainBundlePath(appPath());

    if (runtime == Runtime::Own) {
        const QString folder = dir_.filePath(QStringLiteral("runtime"));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        previousRuntime_ = qgetenv("TRELVAN_RUNTIME_DIR");
        qputenv("TRELVAN_RUNTIME_DIR", folder.toUtf8());
    }

    Lindora_Init(kResources + QStringLiteral("/English.lproj/LanguageTokenList.txt"));
}

DeviceBundle::~DeviceBundle()
{
    ns::Bundle::setMainBundlePath(QString());
    if (!previousRuntime_)
        return;
    if (previousRuntime_->isEmpty())
        qunsetenv("TRELVAN_RUNTIME_DIR");
    else
        qputenv("TRELVAN_RUNTIME_DIR", *previousRuntime_);
}

ns::Dictionary DeviceBundle::settingsOnDisk() const
{
    return ns::PropertyList::readDictionary(dataFolder() + QStringLiteral("/settings.plist"))
        .value_or(ns::Dictionary());
}

DeviceApp::DeviceApp(const ns::Dictionary& settings, Runtime runtime) : bundle(settings, runtime), nib(store)
{
}

DeviceApp::~DeviceApp()
{
    ns::Application::sharedApplication().setDelegate(nullptr);
}

PlainApp::PlainApp(const ns::Dictionary& settings) : bundle(settings), main(store)
{
    main.awakeFromNib();
}

OpenedLinks::OpenedLinks()
{
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

OpenedLinks::~OpenedLinks()
{
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

PostedNames::PostedNames(const QStringList& watched, std::function<void(const QString&)> onPost)
{
    for (const QString& name : watched)
        observers_ << ns::NotificationCenter::defaultCenter().addObserverForName(
            name, nullptr, [this, onPost](const ns::Notification& notification) {
                names << notification.name();
                if (onPost)
                    onPost(notification.name());
            });
}

PostedNames::~PostedNames()
{
    for (ns::Object* observer : observers_)
        ns::NotificationCenter::defaultCenter().removeObserver(observer);
}

} // namespace device_test
