#pragma once

#include "app/config/ConfigFileKeys.h"
#include "platform/ns/Notification.h"
#include "platform/ns/Object.h"
#include "platform/ns/Value.h"

#include <QHash>

// The process-wide store of the settings file "settings.plist" in the data
// folder ("ModemList"), and the table of the data folder's file paths.
class ConfigManager : public ns::Object
{
public:
    static ConfigManager& sharedConfigManager();

    // A store of its own, for the data folder of the current main bundle.
    ConfigManager();
    ~ConfigManager() override;

    // The data folder, or an empty string when none of the candidates exists.
    QString modemListPath() const;
    bool initPathDict();

    ns::Value getConfigurationByModule(const QString& key) const;
    ns::Value getConfigurationByModuleAndKey(const QString& module, const QString& key) const;
    bool setConfigurationByModule(const QString& key, const ns::Value& object);
    bool setConfigurationByModuleKeyAndValue(const QString& module, const QString& key,
                                             const ns::Value& value);
    bool removeConfigurationByModule(const QString& key);
    bool removeConfigurationByModuleAndKey(const QString& module, const QString& key);

    // The live settings dictionary itself; holders change it in place and then write.
    ns::Dictionary getConfiguration() const { return settingDict_; }
    bool writeToFile();
    bool flush() { return writeToFile(); }
    // Refills the same dictionary from the file (on "SettingsChanged").
    void resetSettings(ns::Notification* notification = nullptr);

    QString configFilePathOfKey(const QString& key) const;
    QString getFilePathWithFileName(const QString& name) const;
    void setConfigFilePath(const QString& path, const QString& key);

private:
    bool isSynchronised() const;
    // Reads the settings file into a new dictionary; nullopt when it exists but cannot be read.
    std::optional<ns::Dictionary> readSettingsFile(const QString& path) const;
    // Moves the unreadable settings file out of the way; false when it is still there.
    bool setAsideUnreadableFile();

    QHash<QString, QString> pathDict_;
    ns::Dictionary settingDict_;
    // The settings file exists but could not be read: it is moved aside
    // before the first write, so that write does not destroy it.
    bool unreadableFileToSetAside_ = false;
};
