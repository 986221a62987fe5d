#pragma once

#include "app/interfaces/UpdateLinking.h"
#include "platform/ae/AppleEvent.h"
#include "platform/ns/Timer.h"
#include "platform/ns/Value.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>

#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

class ConfigManager;

// Trelvan's side of the update link to Varnock. It decides once whether the
// update feature is installed (the update folder of the data folder holds its
// four files), keeps the update information files current (the device's
// identity in IMEIInfo.plist, locked to the first IMEI; the versions and the
// network in LocalInfo.plist; the agent's settings in UpdateCfg.ini), launches
// Varnock from the application's resources and sends it its commands as
// 'GURL' events (jCommon/UpdateLink.h) without a reply.
//
// The program's one instance is made with the main nib and is reached as
// g_UpdateLink. Without the feature every operation but the support answer,
// the language, the interval test, the plain send and the flag's accessors
// does nothing.
//
// Commands that find no process under Varnock's identifier wait for it, in
// order, for at most kEndpointWaitSeconds (Varnock may still be starting):
// the wait runs on a timer, never blocking the main thread, and commands
// that are still waiting when it ends are dropped with a log line.
class AEMessage : public UpdateLinking
{
public:
    static constexpr double kEndpointWaitSeconds = 5.0;
    static constexpr double kEndpointRetrySeconds = 0.2;

    // The link over the settings and data folder of the store; runs the
    // support test and registers as g_UpdateLink.
    explicit AEMessage(ConfigManager& store);
    ~AEMessage() override;
    AEMessage(const AEMessage&) = delete;
    AEMessage& operator=(const AEMessage&) = delete;

    bool isSupportUpdate() override { return m_isSupportUpdateFunction; }

    // ---- start-up and the device's reports ----
    void ApplicationFinishLaunchHook() override;
    void dealWithUIVersion();
    void start_Updater();
    void dealWithIMEI(const QString& imei) override;
    void dealWithMCCMNC(const QString& mccmnc) override;
    void dealWithFirmwareVersion(const QString& version) override;
    void dealWithInternalFirmwareVersion(const QString& version) override;
    void dealWithDeviceType(const QString& model) override;
    void dealWithDeviceReady() override;
    bool isSendUpdateMessageWhenMCCMNC() override { return m_isSendUpdateMessageWhenMCCMNC; }
    void setIsSendUpdateMessageWhenMCCMNC(bool sent) override { m_isSendUpdateMessageWhenMCCMNC = sent; }

    // ---- the commands ----
    void send_Init_Msg() override;
    void send_ManualUpdate_Msg() override;
    void send_FirmwareUpdate_Msg();
    void send_DeviceOK_Msg();
    void send_DeviceOut_Msg() override;
    // Sends the dictionary as an XML property list under the keyword to the
    // bundle identifier, behind any command still waiting for its receiver.
    void SendMessage(const ns::Dictionary& command, ae::OSType keyword, const QString& appID);
    // The commands waiting for their receiver to appear.
    int waitingCommandCount() const { return int(waitingCommands_.size()); }

    // ---- the agent's settings file ----
    void setAutoUpdate(bool enable) override;
    void setServiceAddress(const QString& address) override;
    void setUpdateDuration(int days) override;

    // ---- the update information files ----
    // LocalInfo.plist with UNSIGNED_ID added; nullopt when it cannot be read.
    std::optional<ns::Dictionary> getLocalInfo();
    bool setLocalInfo(const ns::Dictionary& info);
    std::optional<ns::Dictionary> getIMEIInfo();
    // Refused (and logged) when the file on disk is locked or cannot be read.
    bool setIMEIInfo(const ns::Dictionary& info);

    // The user's first preferred language.
    QString getLanguage() const;
    // Whether 30 whole days or more have passed since the date (false for a date to come).
    bool cheakingIntervalDay(const QDateTime& date) const;

private:
    bool checkingSupportUpdate() const;
    // Whether the automatic checks' interval has passed, starting it (and
    // writing the settings) when it has no start yet.
    bool checkingInterval();
    // The interval starts again: "UpdateTime" becomes now, written at once.
    void renewUpdateTime();
    bool settingsFlag(const QString& key) const;
    QString filePath(const QString& key) const;

    std::optional<ns::Dictionary> readUpdateFile(const QString& key) const;
    // Reads LocalInfo.plist, sets the entries and writes it back.
    void updateLocalInfo(std::initializer_list<std::pair<QString, QString>> entries);
    // Rewrites the lines of UpdateCfg.ini that hold the key.
    void rewriteUpdateCfgLine(QByteArrayView key, const QString& value);

    // Command 2 or 3 over the local information; nullopt without it.
    std::optional<ns::Dictionary> deviceCommand(int commandID, std::optional<int> updateMode,
                                                bool deviceState);
    // Command 2 in the mode; false when it could not be built.
    bool sendUpdateMessage(int updateMode);
    void sendToUpdater(const ns::Dictionary& command);

    // Sends the waiting commands in order, up to the first whose receiver is
    // missing; that one starts the wait unless it runs already.
    void deliverWaitingCommands();
    // A tick of the wait: delivers, and drops what still waits at the deadline.
    void retryWaitingCommands();
    void stopWaiting();

    ConfigManager& store_;
    bool m_isDeviceReady = false;
    bool m_isSupportUpdateFunction = false;
    bool m_isSendUpdateMessageWhenMCCMNC = false;
    bool m_isPastIntervalDays = true;

    QList<ae::AppleEvent> waitingCommands_;
    std::shared_ptr<ns::Timer> waitTimer_;
    QDateTime waitDeadline_;
};
