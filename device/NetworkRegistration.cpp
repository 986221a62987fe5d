#include "device/NetworkRegistration.h"

#include "app/config/ConfigManager.h"
#include "device/NetworkRecords.h"

#include <QStringList>

#include <array>
#include <utility>

namespace
{

constexpr int32_t kCregHome = 1;
constexpr int32_t kCregRoaming = 5;
const QString kNoService = QStringLiteral("No Service");
const QString kGsm = QStringLiteral("GSM");
const QString kUmts = QStringLiteral("UMTS");

// Network-mode marks of the second family: technology and domain bits.
struct ModeMark {
    const char16_t* mark;
    const QString& technology;
    int mode;
};
const std::array<ModeMark, 4> kModeMarks = {{
    {u"2g", kGsm, 1},
    {u"3g", kUmts, 1},
    {u"2G", kGsm, 3},
    {u"3G", kUmts, 3},
}};

// Technology names in the network-mode text, first found wins: a name and
// the spellings that give it.
const std::array<std::pair<QString, QStringList>, 7> kModeTextNames = {{
    {QStringLiteral("GPRS"), {QStringLiteral("GPRS"), QStringLiteral("gprs")}},
    {QStringLiteral("EDGE"), {QStringLiteral("EDGE"), QStringLiteral("edge")}},
    {QStringLiteral("HSPA+DC"), {QStringLiteral("HSPA+DC")}},
    {QStringLiteral("HSPA+"), {QStringLiteral("HSPA+")}},
    {QStringLiteral("HSPA"), {QStringLiteral("HSPA")}},
    {QStringLiteral("HSUPA"), {QStringLiteral("HSUPA")}},
    {QStringLiteral("HSDPA"), {QStringLiteral("HSDPA")}},
}};

// networkModeForIceraWithNetStr: "2g" or "3g" 1, else "2G" or "3G" 3, else 0.
int networkModeForIceraWithNetStr(const QString& networkMode)
{
    if (networkMode.contains(u"2g") || networkMode.contains(u"3g"))
        return 1;
    if (networkMode.contains(u"2G") || networkMode.contains(u"3G"))
        return 3;
    return 0;
}

QString nameInModeText(const QString& networkMode)
{
    for (const auto& [name, spellings] : kModeTextNames)
        for (const QString& spelling : spellings)
            if (networkMode.contains(spelling))
                return name;
    return QString();
}

QString nameOfAccessTechnology(const QString& technology)
{
    for (const char16_t* name : {u"HSPA+", u"HSUPA", u"HSDPA"})
        if (technology.contains(name))
            return QString::fromUtf16(name);
    if (technology.contains(u"R99"))
        return kUmts;
    return technology;
}

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

} // namespace

int getNetworkRoamStatusWithCregResult(int32_t cregResult)
{
    if (cregResult == kCregRoaming)
        return kRoamStatusRoaming;
    if (cregResult == kCregHome)
        return kRoamStatusHome;
    return kRoamStatusUnknown;
}

int getNetworkRoamStatusWithRudaResult(const QString& roaming)
{
    if (roaming == u"ROAM_ON")
        return kRoamStatusRoaming;
    if (roaming == u"ROAM_OFF")
        return kRoamStatusHome;
    return kRoamStatusUnknown;
}

bool RoamTransfer::report(int roamStatus)
{
    if (roamStatus != kRoamStatusRoaming && roamStatus != kRoamStatusHome)
        return false;
    const int previous = registeredNetworkRoamStatus;
    registeredNetworkRoamStatus = roamStatus;
    if (previous == kRoamStatusUnknown)
        return false;
    if (previous == roamStatus) {
        roamTransferMode = kRoamNoChange;
        return false;
    }
    roamTransferMode = roamStatus == kRoamStatusRoaming ? kHomeToRoam : kRoamToHome;
    return roamTransferMode == kHomeToRoam;
}

int networkModeWithDomainText(const QString& domain)
{
    if (domain == u"CS_ONLY")
        return 1;
    if (domain == u"PS_ONLY")
        return 2;
    if (domain == u"CS_PS")
        return 3;
    return 0;
}

NetTypeDisplaySwitches NetTypeDisplaySwitches::fromConfig(const ConfigManager& config)
{
    const QString main = QStringLiteral("Main");
    return {config.getConfigurationByModuleAndKey(main, QStringLiteral("displayNetTypeAccordingR3AFromIta"))
                .boolValue(),
            config.getConfigurationByModuleAndKey(main, QStringLiteral("displayNetTypeAccordingRudiv"))
                .boolValue(),
            config.getConfigurationByModuleAndKey(main, QStringLiteral("AppendingString")).toString()};
}

QString getDisplayNetWorkTypeWithNetType(const QString& netType, const NetTypeDisplaySwitches& switches)
{
    if (netType.isNull())
        return QStringLiteral("");
    if (switches.accordingR3AFromIta) {
        static const std::array<std::pair<QStringList, QString>, 4> generations = {{
            {{QStringLiteral("GPRS"), QStringLiteral("EDGE"), QStringLiteral("GSM")}, QStringLiteral("2G")},
            {{QStringLiteral("UMTS")}, QStringLiteral("3G")},
            {{QStringLiteral("HSDPA"), QStringLiteral("HSUPA")}, QStringLiteral("H")},
            {{QStringLiteral("HSPA+"), QStringLiteral("DC-HSPA+")}, QStringLiteral("H+")},
        }};
        for (const auto& [types, generation] : generations)
            if (types.contains(netType))
                return generation;
        return netType;
    }
    if (switches.accordingRudiv && netType != kNoService)
        return netType + switches.appendingString;
    return netType;
}

SecondFamilyNetwork secondFamilyNetwork(const SecondFamilyNetInfoRecord& report,
                                        const QString& currentAccessTechnology)
{
    if (report.accessTechnology != u"-")
        return {networkModeForIceraWithNetStr(report.networkMode),
                nameOfAccessTechnology(report.accessTechnology), currentAccessTechnology};
    if (report.networkMode.contains(u'0'))
        return {0, kNoService, currentAccessTechnology};

    SecondFamilyNetwork network{0, QString(), currentAccessTechnology};
    bool modeMatched = false;
    for (const ModeMark& mark : kModeMarks) {
        if (report.networkMode.contains(mark.mark)) {
            network.mode = mark.mode;
            network.accessTechnology = mark.technology;
            modeMatched = true;
            break;
        }
    }
    network.name = nameInModeText(report.networkMode);
    if (network.name.isEmpty())
        network.name = modeMatched ? network.accessTechnology : kNoService;
    return network;
}

QString decimalOfHexCode(const QString& hexText, int lastDigits)
{
    QStringView digits(hexText);
    if (lastDigits >= 1 && digits.size() > lastDigits)
        digits = digits.last(lastDigits);
    // At most 15 digits, so the value stays far inside 64 bits; the fields are narrower.
    uint64_t value = 0;
    int read = 0;
    for (QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0 || read == 15)
            break;
        value = value * 16 + uint64_t(digit);
        ++read;
    }
    return value == 0 ? QString() : QString::number(value);
}
