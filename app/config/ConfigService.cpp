#include "app/config/ConfigService.h"

#include "app/config/ConfigManager.h"
#include "platform/ns/Bundle.h"

#include <QFileInfo>

namespace
{

const QString kTopLevel;
const QString kMain = QStringLiteral("Main");
const QString kInternet = QStringLiteral("Internet");
const QString kSetting = QStringLiteral("Setting");
const QString kSms = QStringLiteral("SMS");
const QString kPhoneBook = QStringLiteral("PhoneBook");
const QString kRecord = QStringLiteral("Record");
const QString kImsiPhone = QStringLiteral("ImsiPhone");
const QString kStartupWindow = QStringLiteral("StartupWindow");
const QString kRecordLastResetTime = QStringLiteral("recordLastResetTime");
const QString kCurrentNetPreSys = QStringLiteral("Setting_CurrentNetPreSys");
const QString kUIModel = QStringLiteral("Main_UIModel");
const QString kSetSmsDefaultStore = QStringLiteral("Setting_SetSMSDefaultStore_WhenFirstStartUpUI");

// Network mode of "Setting_CurrentNetPreSys" that isSetCurrentNetPreferedMode asks for.
constexpr int kPreferredNetMode = 3;
// Window model when the settings name none.
constexpr int kDefaultUIModel = 3;

// The subscriber-profile service; tests point it at a server of their own
// through the environment.
const QString kSoapServiceName = QStringLiteral("http://soap.trelvan.invalid:7002/SPBUUP/SPBService?WSDL");
const char* const kSoapServiceNameVariable = "TRELVAN_SOAP_SERVICE_URL";
// The request of the subscriber-profile service, on one line; "%@" takes the IMSI.
const QString kSoapServiceContent = QStringLiteral(
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    R"(<soapenv:Envelope xmlns:soapenv="http://schemas.xmlsoap.org/soap/envelope/")"
    R"( xmlns:loc="http://soap.trelvan.invalid/subscriber-profile">)"
    R"(<soapenv:Header><loc:Authentication><Username>jov_kelb</Username><Password>vym</Password> )"
    R"(</loc:Authentication></soapenv:Header>)"
    R"(<soapenv:Body><loc:getDeviceProfileByIMSI><loc:IMSI>%@</loc:IMSI></loc:getDeviceProfileByIMSI>)"
    R"(</soapenv:Body></soapenv:Envelope>)");

// Missing, or a string, array, dictionary or data without contents.
bool isMissingOrEmpty(const ns::Value& value)
{
    switch (value.type()) {
    case ns::Value::Type::Null:
        return true;
    case ns::Value::Type::String:
        return value.toString().isEmpty();
    case ns::Value::Type::Array:
        return value.toArray().isEmpty();
    case ns::Value::Type::Dictionary:
        return value.toDictionary().isEmpty();
    case ns::Value::Type::Data:
        return value.toData().isEmpty();
    default:
        return false;
    }
}

QString stringOr(const QString& value, const QString& fallback)
{
    return value.isEmpty() ? fallback : value;
}

} // namespace

ConfigService& ConfigService::sharedConfigService()
{
    static ConfigService* shared = new ConfigService(ConfigManager::sharedConfigManager()); // never freed
    return *shared;
}

ConfigService::ConfigService(ConfigManager& store) : store_(store) {}

ns::Value ConfigService::lookup(const QString& module, const QString& key) const
{
    return module.isEmpty() ? store_.getConfigurationByModule(key)
                            : store_.getConfigurationByModuleAndKey(module, key);
}

bool ConfigService::readBool(const QString& module, const QString& key) const
{
    return lookup(module, key).boolValue();
}

int ConfigService::readInt(const QString& module, const QString& key) const
{
    return lookup(module, key).intValue();
}

ns::Value ConfigService::readStored(const QString& module, const QString& key) const
{
    return lookup(module, key);
}

void ConfigService::storeAndWrite(const QString& module, const QString& key, const ns::Value& value)
{
    if (module.isEmpty())
        store_.setConfigurationByModule(key, value);
    else
        store_.setConfigurationByModuleKeyAndValue(module, key, value);
    store_.writeToFile();
}

void ConfigService::replaceAndWrite(const QString& module, const QString& key, const ns::Value& value)
{
    if (!lookup(module, key).isNull())
        storeAndWrite(module, key, value);
}

bool ConfigService::hasImsiPhoneConfig() const
{
    return !lookup(kTopLevel, kImsiPhone).isNull();
}

bool ConfigService::isImsiPhoneDictContainCertainImsi(const QString& imsi) const
{
    return lookup(kTopLevel, kImsiPhone).toDictionary().contains(imsi);
}

QString ConfigService::getPhoneNumWithImsi(const QString& imsi) const
{
    return lookup(kImsiPhone, imsi).toString();
}

void ConfigService::setImsi(const QString& imsi, const QString& phoneNum)
{
    storeAndWrite(kImsiPhone, imsi, phoneNum);
}

bool ConfigService::checkIfRepalceSpecialPhoneNumberToSpecialString() const
{
    return readBool(kSms, QStringLiteral("Sms_ReplaceSpecialNumberToSpecialString_IfNeeded")) &&
           !isMissingOrEmpty(lookup(kSms, QStringLiteral("SpecialNumberToHidden")));
}

void ConfigService::writePurchaseProcessListInFile(const ns::Value& value)
{
    storeAndWrite(kTopLevel, QStringLiteral("PurchargeBySMS"), value);
}

QString ConfigService::getSMSDefaultBrowsePosWhenOpenSmsUI() const
{
    return stringOr(lookup(kSms, QStringLiteral("SMS_DefaultPos_WhenOpenSMSUI")).toString(),
                    QStringLiteral("AT_PC"));
}

QString ConfigService::getSMSDefaultStorePosWhenFirstStartUpUI() const
{
    return stringOr(
        lookup(kSetting, QStringLiteral("Setting_SMSDefaultStorePos_WhenFirstStartUpUI")).toString(),
        QStringLiteral("SetAtPC"));
}

void ConfigService::writeSMSStoreLocSettingFlagAfterFirstStartupUI(bool flag)
{
    replaceAndWrite(kSetting, kSetSmsDefaultStore, flag);
}

bool ConfigService::startupWindowControlGetSoftwareVersionString() const
{
    return getStartupInfo()
        .toDictionary()
        .value(QStringLiteral("StartupWindow_GetSoftwareVersionString"))
        .boolValue();
}

int ConfigService::getDisplayStartupFlashTimes() const
{
    return getStartupInfo().toDictionary().value(QStringLiteral("DisplayCount")).intValue();
}

float ConfigService::getStartupViewDelayTime() const
{
    return getStartupInfo().toDictionary().value(QStringLiteral("DelayTime")).floatValue();
}

bool ConfigService::judgeRecordLastResetTimeWhetherEmptyWhenUIInit() const
{
    return lookup(kRecord, kRecordLastResetTime).isNull();
}

void ConfigService::setRecordLastResetTimeValueWhenEmpty(const ns::Value& value)
{
    storeAndWrite(kRecord, kRecordLastResetTime, value);
}

bool ConfigService::isDisabledLimits() const
{
    if (readBool(kRecord, QStringLiteral("IfSetRecordResetFrequence")))
        return false;
    return !readBool(kRecord, QStringLiteral("IfSetRecordResetEveryDays"));
}

bool ConfigService::isNeedTestSpeedAtConnected() const
{
    return !lookup(kInternet, QStringLiteral("Internet_IsNeedTestSpeedAtConnected")).isNull();
}

void ConfigService::writeDisconnectAskState(bool ask)
{
    storeAndWrite(kInternet, QStringLiteral("PopUpDisconnectWaring"), ask);
}

QString ConfigService::getConnectButtonImageName(const QString& key) const
{
    return lookup(kInternet, key).toString();
}

bool ConfigService::checkMccMncIsRegister(const QString& mccMnc)
{
    const ns::Value list = lookup(kTopLevel, kAllowMCCMNCList);
    m_MccMncArray_ = list.toArray();
    if (!list.isArray())
        return true;
    return !m_MccMncArray_.contains(mccMnc);
}

bool ConfigService::isSetCurrentNetPreferedMode() const
{
    return readInt(kSetting, kCurrentNetPreSys) == kPreferredNetMode;
}

void ConfigService::saveCurrentNetPreferedMode(int mode)
{
    replaceAndWrite(kSetting, kCurrentNetPreSys, mode);
}

int ConfigService::getUIModelConfig() const
{
    const ns::Value model = lookup(kMain, kUIModel);
    return model.isNull() ? kDefaultUIModel : model.intValue();
}

void ConfigService::saveCurrentUIModel(int model)
{
    replaceAndWrite(kMain, kUIModel, model);
}

bool ConfigService::getIsSupportMutalsLanguages() const
{
    return isMissingOrEmpty(lookup(kTopLevel, QStringLiteral("SupportLanguages")));
}

void ConfigService::writeCurrentProfile(int profile)
{
    storeAndWrite(kTopLevel, QStringLiteral("ProfileID"), profile);
}

void ConfigService::writeDefaultProfileNum(int count)
{
    storeAndWrite(kTopLevel, QStringLiteral("DefaultProfileNum"), count);
}

bool ConfigService::needShakePinWindow() const
{
    const ns::Dictionary shake =
        configDictionaryOfUIAnimation().toDictionary().value(QStringLiteral("ShakeWindow")).toDictionary();
    return shake.value(QStringLiteral("PinWindow")).boolValue();
}

bool ConfigService::hasToolbarSkinInfo() const
{
    return !lookup(QStringLiteral("UIConfig"), QStringLiteral("ToolbarItems")).isNull();
}

QString ConfigService::getUIDateFormat() const
{
    return lookup(kTopLevel, QStringLiteral("CustomDateFormat")).toString();
}

std::optional<ns::Dictionary> ConfigService::getUIFont() const
{
    const ns::Value font = lookup(kMain, QStringLiteral("TextFont"));
    if (!font.isDictionary())
        return std::nullopt;
    return font.toDictionary().copy();
}

QString ConfigService::getURLEncryptSerectKey() const
{
    return lookup(kMain, QStringLiteral("Main_EncryptSerectKey_IfNeededEncrypt")).toString();
}

bool ConfigService::isEnableAutoApnMatch() const
{
    const ns::Value enable = lookup(kTopLevel, QStringLiteral("EnableAutoApnMatch"));
    return enable.isNull() || enable.boolValue();
}

bool ConfigService::isSupportInterfaceInversionForPhoneBook() const
{
    const QString tokenList =
        ns::Bundle::mainBundle().pathForResource(QStringLiteral("LanguageTokenList"), QStringLiteral("txt"));
    if (tokenList.isEmpty())
        return false;
    const QString languageFolder = QFileInfo(QFileInfo(tokenList).path()).completeBaseName();
    return languageFolder == QStringLiteral("Arabic") &&
           readBool(kPhoneBook, QStringLiteral("PhoneBook_InterfaceInversion_AtArabic"));
}

QString ConfigService::getSoapServiceName() const
{
    const QString override = qEnvironmentVariable(kSoapServiceNameVariable);
    return override.isEmpty() ? kSoapServiceName : override;
}

QString ConfigService::getSoapServiceContent() const
{
    return kSoapServiceContent;
}
