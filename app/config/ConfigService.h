#pragma once

#include "app/config/ConfigSwitches.h"
#include "platform/ns/Value.h"

#include <optional>

class ConfigManager;

// The top-level array of network codes (MCC and MNC) that may register.
inline const QString kAllowMCCMNCList = QStringLiteral("AllowMCCMNCList");

// Typed switches over the live settings: each accessor names one value by module
// and key, so that features ask a question instead of naming keys. Every call
// reads the live dictionary, so changes by any holder are seen at once. Setters
// store through the configuration store and write the whole settings file.
class ConfigService
{
public:
    static ConfigService& sharedConfigService();

    // Switches over the given store (the shared one for sharedConfigService).
    explicit ConfigService(ConfigManager& store);
    ConfigService(const ConfigService&) = delete;
    ConfigService& operator=(const ConfigService&) = delete;

    // One accessor per row of ConfigSwitches.h, for instance
    // bool isDisconnectAsk() const, int getUserNameLen() const,
    // ns::Value readImsiConfig() const.
#define TRELVAN_CONFIG_SWITCH_ACCESSOR(selector, module, key, kind)                                          \
    auto selector() const                                                                                    \
    {                                                                                                        \
        return read##kind(QStringLiteral(module), QStringLiteral(key));                                      \
    }
    TRELVAN_CONFIG_SWITCHES(TRELVAN_CONFIG_SWITCH_ACCESSOR)
#undef TRELVAN_CONFIG_SWITCH_ACCESSOR

    // Phone numbers known by IMSI: the top-level dictionary "ImsiPhone".
    bool hasImsiPhoneConfig() const;
    bool isImsiPhoneDictContainCertainImsi(const QString& imsi) const;
    QString getPhoneNumWithImsi(const QString& imsi) const; // null when absent
    void setImsi(const QString& imsi, const QString& phoneNum);

    bool checkIfRepalceSpecialPhoneNumberToSpecialString() const;
    void writePurchaseProcessListInFile(const ns::Value& value);
    QString getSMSDefaultBrowsePosWhenOpenSmsUI() const;     // "AT_PC" when missing or empty
    QString getSMSDefaultStorePosWhenFirstStartUpUI() const; // "SetAtPC" when missing or empty
    // Stores the flag only when the setting exists.
    void writeSMSStoreLocSettingFlagAfterFirstStartupUI(bool flag);

    // Values of the start-up window description (getStartupInfo).
    bool startupWindowControlGetSoftwareVersionString() const;
    int getDisplayStartupFlashTimes() const;
    float getStartupViewDelayTime() const; // seconds

    bool judgeRecordLastResetTimeWhetherEmptyWhenUIInit() const;
    void setRecordLastResetTimeValueWhenEmpty(const ns::Value& value);
    bool isDisabledLimits() const;

    bool isNeedTestSpeedAtConnected() const; // the key is present, whatever its value
    void writeDisconnectAskState(bool ask);
    QString getConnectButtonImageName(const QString& key) const;

    // NO only when the top-level "AllowMCCMNCList" holds the network code.
    bool checkMccMncIsRegister(const QString& mccMnc);
    bool isSetCurrentNetPreferedMode() const;
    // Stores the mode only when the setting exists.
    void saveCurrentNetPreferedMode(int mode);
    int getUIModelConfig() const; // 3 when missing
    // Stores the model only when the setting exists.
    void saveCurrentUIModel(int model);
    bool getIsSupportMutalsLanguages() const;
    void writeCurrentProfile(int profile);
    void writeDefaultProfileNum(int count);
    bool needShakePinWindow() const;
    bool hasToolbarSkinInfo() const;
    QString getUIDateFormat() const;                 // null when missing
    std::optional<ns::Dictionary> getUIFont() const; // a copy; "FontName", "FontSize"
    QString getURLEncryptSerectKey() const;          // null when missing
    bool isEnableAutoApnMatch() const;               // YES when missing
    bool isSupportInterfaceInversionForPhoneBook() const;

    // The subscriber-profile service (TRELVAN_SOAP_SERVICE_URL in the environment
    // replaces the built-in address) and its request, with one "%@" for the IMSI.
    QString getSoapServiceName() const;
    QString getSoapServiceContent() const;

private:
    // The value of key in module, or of the top-level key when module is empty.
    ns::Value lookup(const QString& module, const QString& key) const;
    bool readBool(const QString& module, const QString& key) const;
    int readInt(const QString& module, const QString& key) const;
    ns::Value readStored(const QString& module, const QString& key) const;

    // Stores the value (nothing when the module is missing) and writes the settings.
    void storeAndWrite(const QString& module, const QString& key, const ns::Value& value);
    // As storeAndWrite, but only when the key is already present.
    void replaceAndWrite(const QString& module, const QString& key, const ns::Value& value);

    ConfigManager& store_;
    ns::Array m_MccMncArray_;
};
