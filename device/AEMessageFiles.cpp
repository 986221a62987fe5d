// The update information files: LocalInfo.plist, IMEIInfo.plist and the
// agent's settings file UpdateCfg.ini. A file that cannot be read is left as
// it is: nothing is written over it.
#include "device/AEMessage.h"

#include "app/config/ConfigManager.h"
#include "device/UpdateFileText.h"
#include "jCommon/UpdateLink.h"
#include "platform/ns/AtomicFile.h"
#include "platform/ns/PropertyList.h"

#include <QFile>

namespace
{

const QString kIMEI = QStringLiteral("IMEI");
const QString kIMEI_ISLOCKED = QStringLiteral("IMEI_ISLOCKED");

void logUnreadable(const QString& path)
{
    qWarning("Update link: %s cannot be read; it is left as it is", qPrintable(path));
}

} // namespace

QString AEMessage::filePath(const QString& key) const
{
    return store_.configFilePathOfKey(key);
}

std::optional<ns::Dictionary> AEMessage::readUpdateFile(const QString& key) const
{
    const QString path = filePath(key);
    std::optional<ns::Dictionary> dictionary = ns::PropertyList::readDictionary(path);
    if (!dictionary)
        logUnreadable(path);
    return dictionary;
}

// ---- LocalInfo.plist ----

std::optional<ns::Dictionary> AEMessage::getLocalInfo()
{
    if (!m_isSupportUpdateFunction)
        return std::nullopt;
    std::optional<ns::Dictionary> info = readUpdateFile(kLocalInfoPath);
    if (!info)
        return std::nullopt;
    const std::optional<ns::Dictionary> identity = getIMEIInfo();
    const bool locked = identity && identity->value(kIMEI_ISLOCKED).boolValue();
    info->setValue(kUNSIGNED_ID, locked ? identity->value(kIMEI).toString() : QString());
    return info;
}

bool AEMessage::setLocalInfo(const ns::Dictionary& info)
{
    if (!m_isSupportUpdateFunction)
        return false;
    return ns::PropertyList::writeFile(filePath(kLocalInfoPath), info);
}

void AEMessage::updateLocalInfo(std::initializer_list<std::pair<QString, QString>> entries)
{
    std::optional<ns::Dictionary> info = getLocalInfo();
    if (!info)
        return;
    for (const auto& [key, value] : entries)
        info->setValue(key, value);
    setLocalInfo(*info);
}

// ---- IMEIInfo.plist ----

std::optional<ns::Dictionary> AEMessage::getIMEIInfo()
{
    if (!m_isSupportUpdateFunction)
        return std::nullopt;
    return readUpdateFile(kIMEIInfoPath);
}

bool AEMessage::setIMEIInfo(const ns::Dictionary& info)
{
    const std::optional<ns::Dictionary> onDisk = getIMEIInfo();
    if (!onDisk)
        return false;
    if (onDisk->value(kIMEI_ISLOCKED).boolValue()) {
        qWarning("Update link: IMEIInfo.plist is locked to IMEI %s and is not rewritten",
                 qPrintable(onDisk->value(kIMEI).toString()));
        return false;
    }
    return ns::PropertyList::writeFile(filePath(kIMEIInfoPath), info);
}

void AEMessage::dealWithIMEI(const QString& imei)
{
    if (imei.isEmpty())
        return;
    std::optional<ns::Dictionary> info = getIMEIInfo();
    if (!info || info->value(kIMEI_ISLOCKED).boolValue())
        return;
    info->setValue(kIMEI, imei);
    info->setValue(kIMEI_ISLOCKED, true);
    setIMEIInfo(*info);
}

// ---- UpdateCfg.ini ----

void AEMessage::setAutoUpdate(bool enable)
{
    rewriteUpdateCfgLine("ENABLE_UPDATE=", enable ? QStringLiteral("1") : QStringLiteral("0"));
}

void AEMessage::setServiceAddress(const QString& address)
{
    rewriteUpdateCfgLine("ServiceURL=", address);
}

void AEMessage::setUpdateDuration(int days)
{
    rewriteUpdateCfgLine("UPDATE_FREQUENCE=", QString::number(days));
}

void AEMessage::rewriteUpdateCfgLine(QByteArrayView key, const QString& value)
{
    if (!m_isSupportUpdateFunction)
        return;
    const QString path = filePath(kInitFilePath);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        logUnreadable(path);
        return;
    }
    QString error;
    const std::optional<QByteArray> text = update_file_text::rewriteLine(file.readAll(), key, value, &error);
    if (!text) {
        qWarning("Update link: the %s line of %s is not rewritten: %s", key.toByteArray().constData(),
                 qPrintable(path), qPrintable(error));
        return;
    }
    if (!ns::writeFileAtomically(path, *text))
        qWarning("Update link: %s could not be written", qPrintable(path));
}
