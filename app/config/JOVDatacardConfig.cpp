#include "app/config/JOVDatacardConfig.h"

#include "app/config/ConfigManager.h"
#include "platform/ns/PropertyList.h"

#include <QFileInfo>
#include <QtDebug>

namespace
{

bool initialised = false;

QString& workPath()
{
    static QString path;
    return path;
}

const char* const kConfigListNames[] = {
    "settings.plist",          "config.plist",
    "dialRecordData.plist",    "callRecordData.plist",
    "dialConfig.plist",        "phoneBook.plist",
    "smsInBoxData.plist",      "smsOutBoxData.plist",
    "smsDraftBoxData.plist",   "smsImportantBoxData.plist",
    "smsDeletedBoxData.plist", "smsReportsBoxData.plist",
    "dataCardConfig.plist",    "Help.pdf",
};

} // namespace

void JOVDatacardConfig::initGlobal()
{
    if (initialised)
        return;
    workPath() = defaultConfigListName(0);
    initialised = true;
}

void JOVDatacardConfig::freeGlobal()
{
    initialised = false;
}
bool JOVDatacardConfig::isInitialize()
{
    return initialised;
}

QString JOVDatacardConfig::configListName(int index)
{
    if (index < 0 || index >= int(std::size(kConfigListNames)))
        return QString();
    return QString::fromLatin1(kConfigListNames[index]);
}

QString JOVDatacardConfig::defaultConfigListName(int index)
{
    const QString name = configListName(index);
    if (name.isEmpty())
        return QString();
    return ConfigManager::sharedConfigManager().getFilePathWithFileName(name);
}

void JOVDatacardConfig::setSettingDictWorkPath(const QString& path)
{
    workPath() = path;
}
QString JOVDatacardConfig::settingDictWorkPath()
{
    return workPath();
}

ns::Value JOVDatacardConfig::settingDictKey(const QString& key)
{
    if (key.isEmpty() || workPath().isEmpty())
        return ns::Value();
    return ns::PropertyList::readDictionary(workPath()).value_or(ns::Dictionary()).value(key);
}

void JOVDatacardConfig::setSettingDictKey(const QString& key, const ns::Value& value)
{
    if (key.isEmpty() || value.isNull() || workPath().isEmpty())
        return;
    // A file that exists but cannot be read is left alone rather than replaced
    // by a dictionary that holds only this key.
    std::optional<ns::Dictionary> settings =
        QFileInfo::exists(workPath()) ? ns::PropertyList::readDictionary(workPath()) : ns::Dictionary();
    if (!settings) {
        qWarning("Cannot update %s: the file cannot be read", qPrintable(workPath()));
        return;
    }
    settings->setValue(key, value);
    if (!ns::PropertyList::writeFile(workPath(), *settings))
        qWarning("Cannot write %s", qPrintable(workPath()));
}
