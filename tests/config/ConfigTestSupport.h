#pragma once

#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QTemporaryDir>

// A private application bundle whose data folder holds the given settings.
class TemporaryAppBundle
{
public:
    explicit TemporaryAppBundle(const ns::Dictionary& settings = ns::Dictionary())
    {
        QDir().mkpath(dataFolder());
        ns::PropertyList::writeFile(settingsPath(), settings);
        ns::Bundle::setMainBundlePath(appPath());
    }
    ~TemporaryAppBundle() { ns::Bundle::setMainBundlePath(QString()); }

    QString appPath() const { return dir_.filePath("Trelvan.app"); }
    QString dataFolder() const { return appPath() + "/Contents/Resources/ModemList"; }
    QString settingsPath() const { return dataFolder() + "/settings.plist"; }
    ns::Dictionary settingsOnDisk() const
    {
        return ns::PropertyList::readDictionary(settingsPath()).value_or(ns::Dictionary());
    }

private:
    QTemporaryDir dir_;
};
