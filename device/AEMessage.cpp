// The update link's state, its start-up and the commands it builds.
#include "device/AEMessage.h"

#include "app/config/ConfigManager.h"
#include "app/interfaces/DialControlling.h"
#include "app/language/SystemLanguages.h"
#include "device/UpdateFileText.h"
#include "jCommon/UpdateLink.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Clock.h"

#include <QFileInfo>

#include <cmath>

namespace
{

const QString kAUTOUPDATE_ENABLE = QStringLiteral("AUTOUPDATE_ENABLE");
const QString kNewUpdate = QStringLiteral("NewUpdate");
const QString kCheckIntervalDays = QStringLiteral("CheckIntervalDays");
const QString kUpdateTime = QStringLiteral("UpdateTime");

// The automatic checks wait this many whole days.
constexpr double kIntervalDays = 30;
constexpr double kSecondsPerDay = 3600 * 24;

} // namespace

AEMessage::AEMessage(ConfigManager& store) : store_(store)
{
    m_isSupportUpdateFunction = checkingSupportUpdate();
    if (m_isSupportUpdateFunction)
        m_isPastIntervalDays = checkingInterval();
    g_UpdateLink = this;
}

AEMessage::~AEMessage()
{
    stopWaiting();
    if (g_UpdateLink == this)
        g_UpdateLink = nullptr;
}

// ---- the support test and the interval ----

bool AEMessage::checkingSupportUpdate() const
{
    const QString folder = filePath(kUpdateFolder);
    if (!QFileInfo(folder).isDir())
        return false;
    for (const char* name : {"IMEIInfo.plist", "LocalInfo.plist", "UpdateCfg.ini", "UpdateCfg.plist"})
        if (!QFileInfo::exists(folder + u'/' + QLatin1String(name)))
            return false;
    return QFileInfo::exists(filePath(kLocalInfoPath));
}

bool AEMessage::checkingInterval()
{
    if (!settingsFlag(kCheckIntervalDays))
        return true;
    const ns::Value start = store_.getConfigurationByModule(kUpdateTime);
    if (start.isDate())
        return cheakingIntervalDay(start.toDate());
    renewUpdateTime();
    return false;
}

void AEMessage::renewUpdateTime()
{
    store_.setConfigurationByModule(kUpdateTime, ns::Clock::current().now());
    if (!store_.writeToFile())
        qWarning("Update link: the start of the update interval could not be written to the settings");
}

bool AEMessage::cheakingIntervalDay(const QDateTime& date) const
{
    const double days = double(date.msecsTo(ns::Clock::current().now())) / 1000 / kSecondsPerDay;
    if (days < 0)
        return false;
    // Halves round away from zero: 30 whole days or more.
    return std::round(days + 0.5) > kIntervalDays;
}

bool AEMessage::settingsFlag(const QString& key) const
{
    return store_.getConfigurationByModule(key).boolValue();
}

QString AEMessage::getLanguage() const
{
    return SystemLanguages::appleLanguages().value(0);
}

// ---- start-up and the device's reports ----

void AEMessage::ApplicationFinishLaunchHook()
{
    dealWithUIVersion();
    start_Updater();
    send_Init_Msg();
}

void AEMessage::dealWithUIVersion()
{
    const ns::Bundle& bundle = ns::Bundle::mainBundle();
    const QString version =
        bundle.objectForInfoDictionaryKey(QStringLiteral("CFBundleShortVersionString")).toString();
    const QString revision =
        bundle.objectForInfoDictionaryKey(QStringLiteral("kJOVMacUIShortRevisionString")).toString();
    updateLocalInfo({{kUI_VERSION, update_file_text::uiVersionNumber(version)},
                     {kSV_INTERNAL, revision},
                     {kSV, version}});
}

void AEMessage::dealWithMCCMNC(const QString& mccmnc)
{
    if (!mccmnc.isEmpty())
        updateLocalInfo({{kGP_MCCMNC, mccmnc}});
}

void AEMessage::dealWithFirmwareVersion(const QString& version)
{
    updateLocalInfo({{kFW_VERSION, update_file_text::firmwareVersionNumber(version)}, {kFW, version}});
}

void AEMessage::dealWithInternalFirmwareVersion(const QString& version)
{
    dealWithFirmwareVersion(version);
}

void AEMessage::dealWithDeviceType(const QString& model)
{
    updateLocalInfo({{kDEVICE_TYPE, model}});
}

void AEMessage::dealWithDeviceReady()
{
    send_DeviceOK_Msg();
    send_FirmwareUpdate_Msg();
}

// ---- the commands ----

void AEMessage::send_Init_Msg()
{
    if (m_isSupportUpdateFunction && settingsFlag(kAUTOUPDATE_ENABLE))
        sendToUpdater(ns::Dictionary{{kCMD_ID, int(CMD_ID_INIT)}});
}

void AEMessage::send_ManualUpdate_Msg()
{
    if (m_isSupportUpdateFunction)
        sendUpdateMessage(UPDATE_MODE_MANUAL);
}

void AEMessage::send_FirmwareUpdate_Msg()
{
    if (!m_isSupportUpdateFunction || !settingsFlag(kAUTOUPDATE_ENABLE) || !m_isPastIntervalDays)
        return;
    if (!sendUpdateMessage(UPDATE_MODE_AUTOMATIC))
        return;
    // The next automatic check waits a whole interval from this one.
    renewUpdateTime();
    m_isPastIntervalDays = checkingInterval();
}

void AEMessage::send_DeviceOK_Msg()
{
    if (!m_isSupportUpdateFunction)
        return;
    m_isDeviceReady = true;
    const std::optional<ns::Dictionary> command = deviceCommand(CMD_ID_DEVICE_STATE, std::nullopt, true);
    if (command && settingsFlag(kAUTOUPDATE_ENABLE) && m_isPastIntervalDays)
        sendToUpdater(*command);
}

void AEMessage::send_DeviceOut_Msg()
{
    if (!m_isSupportUpdateFunction)
        return;
    m_isDeviceReady = false;
    if (const std::optional<ns::Dictionary> command = deviceCommand(CMD_ID_DEVICE_STATE, std::nullopt, false))
        sendToUpdater(*command);
}

bool AEMessage::sendUpdateMessage(int updateMode)
{
    const std::optional<ns::Dictionary> command = deviceCommand(CMD_ID_UPDATE, updateMode, m_isDeviceReady);
    if (command)
        sendToUpdater(*command);
    return command.has_value();
}

std::optional<ns::Dictionary> AEMessage::deviceCommand(int commandID, std::optional<int> updateMode,
                                                       bool deviceState)
{
    std::optional<ns::Dictionary> command = getLocalInfo();
    if (!command)
        return std::nullopt;
    command->setValue(kCMD_ID, commandID);
    if (updateMode)
        command->setValue(kUPDATE_MODE, *updateMode);
    command->setValue(kDEVICE_STATE, deviceState);
    command->setValue(kUI_Language, getLanguage());
    if (updateMode == UPDATE_MODE_AUTOMATIC)
        command->setValue(kKPath, ns::Bundle::mainBundle().resourcePath());
    if (updateMode && settingsFlag(kNewUpdate)) {
        if (updateMode == UPDATE_MODE_MANUAL)
            command->setValue(kWHETHER_AUTO, QStringLiteral("0"));
        if (g_DialController && g_DialController->connectStatus() == DialControlling::Connected)
            command->setValue(kCONNECT, 1);
    }
    return command;
}

void AEMessage::sendToUpdater(const ns::Dictionary& command)
{
    SendMessage(command, keyUpdateCommand, kUpdaterBundleIdentifier);
}
