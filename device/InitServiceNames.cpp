#include "device/InitService.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "device/JnoShowAny.h"
#include "device/JonlyShowFixedLocalSpn.h"
#include "device/JonlyShowHomeSpn.h"
#include "device/JonlyShowHomeSpnAndHigherPriorityThanLocalSpn.h"
#include "device/JonlyShowLocalSpn.h"
#include "device/JonlyShowLocalSpnAndHighPriorityThanHomeSpn.h"
#include "device/JonlyShowLocalSpnAndlowerPriorityThanHomeSpn.h"
#include "device/JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp.h"
#include "device/JspnShowBy3gpp.h"
#include "device/JspnShowBy3gppAndLocalSpnReplacedByHomeSpn.h"

// The operator names to show: which display rule, and the names it is given.

namespace
{

const QString kTopLevel;
const QString kInit = QStringLiteral("Init");
const QString kMain = QStringLiteral("Main");
const QString kNotFound = QStringLiteral("Not Found");

// The entry for the code in a configured dictionary of network codes to names, or null.
QString nameForCode(const ns::Value& names, const QString& mccmnc)
{
    const ns::Dictionary dictionary = names.toDictionary();
    if (dictionary.isEmpty() || mccmnc.isEmpty() || !dictionary.contains(mccmnc))
        return QString();
    return dictionary.value(mccmnc).toString();
}

} // namespace

void InitService::createSpnRules()
{
    rules_ = {
        std::make_unique<JspnShowBy3gpp>(*this),
        std::make_unique<JshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp>(*this),
        std::make_unique<JspnShowBy3gppAndLocalSpnReplacedByHomeSpn>(*this),
        std::make_unique<JnoShowAny>(*this),
        std::make_unique<JonlyShowHomeSpn>(*this),
        std::make_unique<JonlyShowHomeSpnAndHigherPriorityThanLocalSpn>(*this),
        std::make_unique<JonlyShowLocalSpn>(*this),
        std::make_unique<JonlyShowFixedLocalSpn>(*this),
        std::make_unique<JonlyShowLocalSpnAndlowerPriorityThanHomeSpn>(*this),
        std::make_unique<JonlyShowLocalSpnAndHighPriorityThanHomeSpn>(*this),
    };
    spnDisplayProtocol_ = &spnRule(SpnRule::By3gpp);
}

bool InitService::configFlag(const QString& module, const QString& key) const
{
    return module.isEmpty() ? config_.getConfigurationByModule(key).boolValue()
                            : config_.getConfigurationByModuleAndKey(module, key).boolValue();
}

QString InitService::changeSPNIfMatchSpecialMCCMNC() const
{
    return nameForCode(switches_.readCustomSPNFromConfig(), currentRmccRmnc_);
}

QString InitService::localSpn() const
{
    const ns::Dictionary specific = switches_.getMccAndMncData().toDictionary();
    if (!specific.isEmpty()) {
        const auto& [code, name] = *specific.begin();
        if (currentRmccRmnc_ == code)
            return networkRoamStatus_ == 0 ? name.stringValue() : name.stringValue().mid(2);
    }
    if (networkRoamStatus_ == 1 && switches_.isOnlyShowSpnWhenRoamOff())
        return QStringLiteral("");
    if (localSpn_.isNull())
        return QString();
    const QString replacement = changeSPNIfMatchSpecialMCCMNC();
    return replacement.isNull() ? localSpn_ : replacement;
}

QString InitService::homeSpn() const
{
    const QString custom = nameForCode(switches_.readCustomHomeSPNFromConfig(), currentRmccRmnc_);
    if (!custom.isNull())
        return custom;
    if (homeSpn_.isEmpty())
        return homeSpn_;
    const QString replacement = changeSPNIfMatchSpecialMCCMNC();
    return replacement.isNull() ? homeSpn_ : replacement;
}

JspnShowBase& InitService::spnDisplayProtocolSet()
{
    SpnRule rule = SpnRule::By3gpp;
    if (networkMode_ == 0 || currentRmccRmnc_.isEmpty() || localSpn_ == kNotFound)
        rule = SpnRule::NoShowAny;
    else if (configFlag(kTopLevel, QStringLiteral("SearchRegistModel")))
        rule = SpnRule::NoShowAny;
    else if (configFlag(kInit, QStringLiteral("ShowSPNForPOSLAT")))
        rule = pnnOplFlag_ == 1 ? SpnRule::OnlyLocalLowerPriority : SpnRule::OnlyLocal;
    else if (configFlag(kInit, QStringLiteral("DisplayBelongToSPNWhenNationalRoam")))
        rule = getNetWorkRoamType() == NationalRoaming ? SpnRule::By3gppLocalReplacedByHome : SpnRule::By3gpp;
    else if (configFlag(kTopLevel, QStringLiteral("displayLongFormatSPNWhenRoamOn")))
        rule = networkRoamStatus_ == 0 ? SpnRule::HomeBy3gppLocalAlways : SpnRule::By3gpp;
    else if (configFlag(kMain, QStringLiteral("AlwaysShowLocalSPN")))
        rule = SpnRule::HomeBy3gppLocalAlways;
    else if (configFlag(kInit, QStringLiteral("OnlyShowBelonetoSPN")))
        rule = SpnRule::OnlyHomeHigherPriority;
    else if (configFlag(kTopLevel, QStringLiteral("DisplayOnlyPLMN")))
        rule = SpnRule::OnlyLocalLowerPriority;
    else if (configFlag(kInit, QStringLiteral("ShowFixedLocalSPN")))
        rule = SpnRule::OnlyFixedLocal;
    else if (switches_.onlyShowLocalSpnAndHighPriorityThanHomeSpn())
        rule = SpnRule::OnlyLocalHighPriority;
    spnDisplayProtocol_ = &spnRule(rule);
    return *spnDisplayProtocol_;
}

JspnShowBase& InitService::getSpnDisplayProtocol()
{
    JspnShowBase& rule = spnDisplayProtocolSet();
    spnShowTestFromConfigFile();
    rule.setLocalSpn(localSpn());
    rule.setHomeSpn(homeSpn());
    rule.setThe1and2FiledFromSPN(the1and2FiledFromSPN_);
    rule.setRoamType(getNetWorkRoamType());
    if (configFlag(kTopLevel, QStringLiteral("displayLongFormatSPNWhenRoamOn")) && networkRoamStatus_ == 0)
        rule.setLocalSpn(longFormatLocalSpn_);
    return rule;
}

void InitService::spnShowTestFromConfigFile()
{
    if (!functionTest_.getTestSpnshowFlag())
        return;
    localSpn_ = functionTest_.getTestLocalSpn();
    homeSpn_ = functionTest_.getTestHomeSpn();
    friendlyNetList_ = functionTest_.getTestFriendlyList();
    currentRmccRmnc_ = functionTest_.getTestCurrentLocalMccMnc();
    setImsi(functionTest_.getTestCurrentHomeMccMnc());
    the1and2FiledFromSPN_ = functionTest_.getTestThe1and2Field();
    longFormatLocalSpn_ = functionTest_.getTestCurrentLongFormatSpn();
    pnnOplFlag_ = functionTest_.getTestPnnOplFlag();
}
