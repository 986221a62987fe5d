#include "app/config/ConfigManager.h"

#include "platform/ns/Bundle.h"
#include "platform/ns/DistributedNotificationCenter.h"
#include "platform/ns/Path.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace
{

const QString kSynchronousKey = QStringLiteral("SynchronousControllerAndUI");
const QString kUnreadableSuffix = QStringLiteral(".unreadable");

const QString kFileKeys[] = {
    kCMSettingFile,      kCMDialConfigFile,     kCMDialRecordFile,  kCMDialRecordBackupFile,
    kCMSMSListOfSimFile, kCMSMSListOfMEFile,    kCMSMSListOfPCFile, kCMSMSListOfReportBoxFile,
    kCMPhoneBookFile,    kCMCallRecordDataFile, kCMBrowserListFile, kCMSoundOnlineFile,
    kCMSoundOfflineFile, kCMSoundCallFile,      kCMSoundSmsFile,    kCMSystemInformationFile,
    kCMVideoCallFolder,  kCMVoiceCallFolder,    kCMCVSLogFolder,    kCMDiagInfoFile,
    kCMPBSimItemFile,    kCMPBMeItemFile,       kUpdateFolder,      kUILocalInfoPath,
    kInitFilePath,       kCONFIG_PATH,          kLocalInfoPath,     kIMEIInfoPath,
    RECORK_LASTDOWNLOAD, kSourcesFolder,        kWebLinkInfoPath,   kCMPhonebookUpdateBasePath,
};

QString joinPath(const QString& folder, const QString& component)
{
    return QDir::cleanPath(folder + u'/' + component);
}

} // namespace

ConfigManager& ConfigManager::sharedConfigManager()
{
    static ConfigManager* shared = new ConfigManager; // never freed
    return *shared;
}

ConfigManager::ConfigManager()
{
    registerSelector("resetSettings:", &ConfigManager::resetSettings);
    initPathDict();
    const QString path = configFilePathOfKey(kCMSettingFile);
    if (!path.isEmpty()) {
        std::optional<ns::Dictionary> read = readSettingsFile(path);
        if (read) {
            settingDict_.setDictionary(*read);
        } else {
            unreadableFileToSetAside_ = true;
            qWarning("The settings file %s cannot be read; starting with empty settings", qPrintable(path));
        }
    }
    if (isSynchronised())
        ns::DistributedNotificationCenter::defaultCenter().addObserver(
            this, "resetSettings:", kSettingsChangedNotification, QString());
}

ConfigManager::~ConfigManager() = default;

QString ConfigManager::modemListPath() const
{
    const ns::Bundle& bundle = ns::Bundle::mainBundle();
    const QString bundleFolder = QFileInfo(bundle.bundlePath()).absolutePath();
    const QString candidates[] = {
        bundle.resourcePath() + QStringLiteral("/ModemList/"),
        bundleFolder + QStringLiteral("/ModemList/"),
        QFileInfo(bundleFolder).absolutePath() + QStringLiteral("/Resources/ModemList/"),
        QStringLiteral("/System/Library/ModemList/"),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir()) {
            return ns::stringByExpandingTildeInPath(candidate);
        }
    }
    qWarning("Can not find ModemList path!!!");
    return QString();
}

bool ConfigManager::initPathDict()
{
    const QString folder = modemListPath();
    if (folder.isEmpty())
        return false;
    pathDict_.insert(kCMModemListPath, folder);
    for (const QString& key : kFileKeys)
        pathDict_.insert(key, joinPath(folder, key));
    return true;
}

ns::Value ConfigManager::getConfigurationByModule(const QString& key) const
{
    if (key.isEmpty() || settingDict_.isEmpty()) {
        qDebug("nil");
        return ns::Value();
    }
    return settingDict_.value(key);
}

ns::Value ConfigManager::getConfigurationByModuleAndKey(const QString& module, const QString& key) const
{
    if (module.isEmpty() || key.isEmpty() || settingDict_.isEmpty())
        return ns::Value();
    const ns::Value& entry = settingDict_.value(module);
    if (entry.isDictionary())
        return entry.toDictionary().value(key);
    if (entry.isArray()) {
        const ns::Array set = entry.toArray();
        const int index = set.indexOf(ns::Value(key));
        return index < 0 ? ns::Value() : set.at(index);
    }
    return ns::Value();
}

bool ConfigManager::setConfigurationByModule(const QString& key, const ns::Value& object)
{
    if (key.isEmpty() || object.isNull())
        return false;
    settingDict_.setValue(key, object);
    return true;
}

bool ConfigManager::setConfigurationByModuleKeyAndValue(const QString& module, const QString& key,
                                                        const ns::Value& value)
{
    // A null value has no property-list form: stored, it would make every later write fail.
    if (module.isEmpty() || key.isEmpty() || value.isNull() || !settingDict_.contains(module))
        return false;
    const ns::Value& entry = settingDict_.value(module);
    if (entry.isDictionary()) {
        entry.toDictionary().setValue(key, value);
    } else if (entry.isArray()) {
        ns::Array set = entry.toArray();
        if (!set.contains(value))
            set.append(value);
    }
    return true;
}

bool ConfigManager::removeConfigurationByModule(const QString& key)
{
    if (key.isEmpty() || settingDict_.isEmpty())
        return false;
    settingDict_.remove(key);
    return true;
}

bool ConfigManager::removeConfigurationByModuleAndKey(const QString& module, const QString& key)
{
    if (module.isEmpty() || key.isEmpty() || settingDict_.isEmpty() || !settingDict_.contains(module))
        return false;
    const ns::Value& entry = settingDict_.value(module);
    if (entry.isDictionary())
        entry.toDictionary().remove(key);
    return true;
}

bool ConfigManager::isSynchronised() const
{
    return settingDict_.value(kSynchronousKey).boolValue();
}

std::optional<ns::Dictionary> ConfigManager::readSettingsFile(const QString& path) const
{
    if (!QFileInfo::exists(path))
        return ns::Dictionary();
    return ns::PropertyList::readDictionary(path);
}

bool ConfigManager::setAsideUnreadableFile()
{
    const QString path = configFilePathOfKey(kCMSettingFile);
    if (!QFileInfo::exists(path)) {
        unreadableFileToSetAside_ = false;
        return true;
    }
    const QString aside = path + kUnreadableSuffix;
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) {
        qWarning("Cannot move the unreadable settings file %s aside; it is not overwritten",
                 qPrintable(path));
        return false;
    }
    qWarning("The unreadable settings file was kept as %s", qPrintable(aside));
    unreadableFileToSetAside_ = false;
    return true;
}

bool ConfigManager::writeToFile()
{
    const QString path = configFilePathOfKey(kCMSettingFile);
    if (path.isEmpty())
        return false;
    if (unreadableFileToSetAside_ && !setAsideUnreadableFile())
        return false;
    const bool written = ns::PropertyList::writeFile(path, settingDict_);
    if (!written) {
        qWarning("Cannot write the settings file %s", qPrintable(path));
        return false;
    }
    if (isSynchronised())
        ns::DistributedNotificationCenter::defaultCenter().postNotificationName(kSettingsChangedNotification,
                                                                                QString(), settingDict_);
    return true;
}

void ConfigManager::resetSettings(ns::Notification*)
{
    const QString path = configFilePathOfKey(kCMSettingFile);
    std::optional<ns::Dictionary> read = path.isEmpty() ? std::nullopt : readSettingsFile(path);
    if (!read || !QFileInfo::exists(path)) {
        qWarning(
            "Settings changed elsewhere but the settings file cannot be read; keeping the current settings");
        return;
    }
    settingDict_.setDictionary(*read);
    // The file was written anew by another store, which set the unreadable one aside.
    unreadableFileToSetAside_ = false;
}

QString ConfigManager::configFilePathOfKey(const QString& key) const
{
    return key.isEmpty() ? QString() : pathDict_.value(key);
}

QString ConfigManager::getFilePathWithFileName(const QString& name) const
{
    const QString folder = pathDict_.value(kCMModemListPath);
    return folder.isEmpty() ? QString() : joinPath(folder, name);
}

void ConfigManager::setConfigFilePath(const QString& path, const QString& key)
{
    if (!key.isEmpty())
        pathDict_.insert(key, path);
}
