#include "connection/DialConfigFile.h"

#include "app/config/ConfigManager.h"
#include "platform/ns/PropertyList.h"

#include <QFile>
#include <QFileInfo>

namespace
{

const QString kUnreadableSuffix = QStringLiteral(".unreadable");

} // namespace

DialConfigFile::DialConfigFile(const ConfigManager& store) : store_(store) {}

QString DialConfigFile::path() const
{
    return store_.configFilePathOfKey(kCMDialConfigFile);
}

std::optional<ns::Array> DialConfigFile::read() const
{
    const QString file = path();
    if (file.isEmpty() || !QFileInfo::exists(file))
        return ns::Array();
    std::optional<ns::Array> profiles = ns::PropertyList::readArray(file);
    if (!profiles)
        qWarning("The profile file %s cannot be read", qPrintable(file));
    return profiles;
}

bool DialConfigFile::write(const ns::Array& profiles) const
{
    const QString file = path();
    if (file.isEmpty())
        return false;
    if (QFileInfo::exists(file) && !ns::PropertyList::readArray(file) && !setAsideUnreadableFile(file))
        return false;
    if (!ns::PropertyList::writeFile(file, profiles)) {
        qWarning("Cannot write the profile file %s", qPrintable(file));
        return false;
    }
    return true;
}

bool DialConfigFile::setAsideUnreadableFile(const QString& file) const
{
    const QString aside = file + kUnreadableSuffix;
    QFile::remove(aside);
    if (!QFile::rename(file, aside)) {
        qWarning("Cannot move the unreadable profile file %s aside; it is not overwritten", qPrintable(file));
        return false;
    }
    qWarning("The unreadable profile file was kept as %s", qPrintable(aside));
    return true;
}
