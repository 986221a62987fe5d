#pragma once

#include "app/ui/controller/JOVUIController.h"
#include "platform/ns/NotificationCenter.h"
#include "tests/config/ConfigTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <memory>
#include <vector>

// A private application bundle whose data folder holds the given settings and
// whose plug-ins folder receives the bundles these tests build.
class ControllerBundle : public TemporaryAppBundle
{
public:
    explicit ControllerBundle(const ns::Dictionary& settings = ns::Dictionary())
        : TemporaryAppBundle(settings)
    {
    }

    QString plugInsPath() const { return appPath() + "/Contents/PlugIns"; }

    // Copies a plug-in bundle built beside the tests ("Test.bundle") into the plug-ins folder.
    bool installPlugIn(const QString& name) const
    {
        const QDir built(QStringLiteral(TRELVAN_BUILD_DIR "/tests/ui_controller/PlugIns/") + name);
        if (!built.exists())
            return false;
        QDirIterator files(built.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString target = plugInsPath() + '/' + name + '/' + built.relativeFilePath(file);
            if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
                return false;
        }
        return true;
    }
};

// A feature controller that records its hooks and answers two of the base
// table's selectors ("deviceRemoved:" and "simReady:").
class RecordingController : public JOVUIController
{
public:
    explicit RecordingController(ConfigManager& store) : JOVUIController(store)
    {
        for (const char* selector : {"deviceRemoved:", "simReady:"})
            registerSelector(selector, [this, selector](ns::Object*) { calls << selector; });
    }

    QStringList calls;

    using JOVUIController::customDateFormat_;
    using JOVUIController::font_;
    using JOVUIController::fontName_;
    using JOVUIController::fontSize_;
    using JOVUIController::viewOfOldTavViewItem_;

protected:
    void initializeSkin() override { calls << "initializeSkin"; }
    void initializeNibResources() override { calls << "initializeNibResources"; }
    void registerMessages() override { calls << "registerMessages"; }
    void initializeController() override { calls << "initializeController"; }
    void loadCommonBundle() override { calls << "loadCommonBundle"; }
    void updateLanguages(ns::Notification* notification) override
    {
        calls << (notification ? "updateLanguages: " + notification->name()
                               : QStringLiteral("updateLanguages: nil"));
    }
};

// What was posted on the default centre under the names it listens to.
class NotificationRecorder
{
public:
    struct Posted {
        QString name;
        ns::Object* object;
        ns::Dictionary userInfo;
        ns::ObjectDictionary objectInfo;
    };

    explicit NotificationRecorder(const QStringList& names, std::function<void(const Posted&)> onPost = {})
    {
        for (const QString& name : names)
            observers_.push_back(ns::NotificationCenter::defaultCenter().addObserverForName(
                name, nullptr, [this, onPost](const ns::Notification& notification) {
                    posted.push_back({notification.name(), notification.object(), notification.userInfo(),
                                      notification.objectInfo()});
                    if (onPost)
                        onPost(posted.back());
                }));
    }
    ~NotificationRecorder()
    {
        for (ns::Object* observer : observers_)
            ns::NotificationCenter::defaultCenter().removeObserver(observer);
    }

    std::vector<Posted> posted;

private:
    std::vector<ns::Object*> observers_;
};
