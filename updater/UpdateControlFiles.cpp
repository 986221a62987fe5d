// The update files the controller keeps: its configuration, the time of the
// last answer and the record of the last offer that decides which kept
// downloads stay.
#include "updater/UpdateControl.h"

#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"
#include "updater/UpdatePaths.h"

#include <QFile>
#include <QFileInfo>

namespace
{

// The version of the first entry for the package, if it names one.
std::optional<QString> versionOf(const ns::Array& files, const QString& filename)
{
    for (const ns::Value& value : files) {
        const ns::Dictionary entry = value.toDictionary();
        if (entry.value(QStringLiteral("Filename")).stringValue() != filename)
            continue;
        const ns::Value& version = entry.value(QStringLiteral("Version"));
        if (version.isNull())
            return std::nullopt;
        return version.stringValue();
    }
    return std::nullopt;
}

} // namespace

void UpdateControl::LoadCfgFile()
{
    m_ConfigDict = ns::PropertyList::readDictionary(UpdatePaths::localPath(UpdatePaths::kUpdateCfgPlist));
}

void UpdateControl::writeDateTimeToPlist()
{
    ns::PropertyList::writeFile(
        UpdatePaths::localPath(UpdatePaths::kLastUpdateDateTimePlist),
        ns::Dictionary{{QStringLiteral("LastUpdateTime"), ns::Clock::current().now()}});
}

void UpdateControl::reconcileKeptDownloads()
{
    const QString lastDownload = UpdatePaths::localPath(UpdatePaths::kLastDownloadPlist);
    if (!QFileInfo::exists(lastDownload)) {
        ns::PropertyList::writeFile(lastDownload, m_DescriptDic);
        return;
    }
    const ns::Array oldFiles = ns::PropertyList::readDictionary(lastDownload)
                                   .value_or(ns::Dictionary())
                                   .value(QStringLiteral("UpdateFile"))
                                   .toArray();
    const ns::Array newFiles = m_DescriptDic.value(QStringLiteral("UpdateFile")).toArray();
    for (const QString& package :
         {QStringLiteral("CMUpdatePackage.zip"), QStringLiteral("FirmwareUpdatePackage.zip")}) {
        const std::optional<QString> oldVersion = versionOf(oldFiles, package);
        if (oldVersion && oldVersion == versionOf(newFiles, package))
            continue;
        // Neither a finished nor an unfinished download of another version may stay.
        const QString kept = UpdatePaths::localPath(UpdatePaths::kDownloadFolder) + u'/' + package;
        QFile::remove(kept + QStringLiteral(".tmp"));
        QFile::remove(kept);
        ns::PropertyList::writeFile(lastDownload, m_DescriptDic);
    }
}
