#pragma once

#include "app/service/JovServiceBase.h"
#include "device/JfunctionTest.h"

#include <QByteArrayView>
#include <QHash>
#include <QLatin1StringView>
#include <QStringList>

#include <array>
#include <memory>
#include <mutex>

class ConfigManager;
class ConfigService;
class JspnShowBase;

// A position in a SIM file's hexadecimal text. The readers move it and never
// go past the end.
struct HexCursor {
    const char* pos;
    const char* end;

    explicit HexCursor(QByteArrayView text) : pos(text.data()), end(text.data() + text.size()) {}
    qsizetype remaining() const { return end - pos; }
    bool atEnd() const { return pos >= end; }
};

// A byte's two hexadecimal digits in semi-octet order: "21" for the text
// "12", and only the second digit when the first is the F filler.
struct SemiOctetText {
    char digits[3] = {};

    QLatin1StringView text() const { return QLatin1StringView(digits); }
};

// What the SIM and the network say about the subscriber's operator: the
// service provider name and its display condition (EF_SPN), the friendly
// networks (EF_SPDI), the card number (EF_ICCID), the home and registered
// network codes and the roaming status; the operator names to show, through
// the display rules; and the cipher of operator web links.
class InitService : public JovServiceBase
{
public:
    // Roam types of getNetWorkRoamType.
    enum RoamType { NationalRoaming = 0, InternationalRoaming = 1, HomeNetwork = 2, UnknownRoaming = 3 };

    static InitService& sharedInitService();

    // A service over the given settings (the shared ones for sharedInitService).
    InitService(const ConfigManager& config, const ConfigService& switches);
    ~InitService() override;
    InitService(const InitService&) = delete;
    InitService& operator=(const InitService&) = delete;

    // SIM files, as the device sends them: each byte as two hexadecimal
    // characters. The name and the card number are cleared before each
    // parse; a list file without its list's tag leaves the list as it was.
    void doParseEF_SPN(QByteArrayView hexText);
    void doParseEF_SPDI(QByteArrayView hexText);
    void doParseEF_ICCID(QByteArrayView hexText);
    // The alpha identifier at the cursor: GSM default alphabet, UCS-2 or
    // either compressed UCS-2 form; empty for another coding.
    QString decodeAlphaIdInSPN(HexCursor& cursor) const;
    // The friendly networks at the cursor (length byte, then three-byte
    // entries), each also entered into the network-code map.
    QStringList decodeSpPLMNList(HexCursor& cursor);
    // The first 20 characters with the two of each pair swapped.
    QString decodeICCID(QByteArrayView hexText) const;

    // Readers of the hexadecimal text: the peek readers read without moving,
    // the skip readers move, the get readers do both. Characters that are not
    // hexadecimal end a number; none gives 0.
    static int peekchar(const HexCursor& cursor);
    static void skipchar(HexCursor& cursor);
    static int getchar(HexCursor& cursor);
    static int peekword(const HexCursor& cursor);
    static void skipword(HexCursor& cursor);
    static int getword(HexCursor& cursor);
    static int peektriple(const HexCursor& cursor);
    static void skiptriple(HexCursor& cursor);
    static int gettriple(HexCursor& cursor);
    static SemiOctetText peeksemioctex(const HexCursor& cursor);
    static void skipsemioctex(HexCursor& cursor);
    static SemiOctetText getsemioctex(HexCursor& cursor);
    // Three semi-octet texts joined and read as a hexadecimal number.
    static int getsemi_triple(HexCursor& cursor);

    // Network codes, in their canonical text (jCommon/MccMnc.h).
    QString currentHmccmnc() const; // from the IMSI
    QString currentRmccrmnc() const { return currentRmccRmnc_; }
    void setCurrentRmccRmnc(const QString& mccmnc) { currentRmccRmnc_ = mccmnc; }
    QString getMCCByMccmnc(const QString& mccmnc) const;
    QString getMCCByImsi(const QString& imsi) const;
    QString getCurrentHomeMcc() const;
    QString getCurrentLocalMcc() const;
    bool checkCurrentIsHomeNetWork() const;
    bool checkCurrentIsFriendlyNetWork() const;
    bool checkCurrentIsHomeOrFriendlyNetWork() const;
    int getNetWorkRoamType() const;

    // The network-code map: the home network and the friendly networks,
    // under keyForMccMnc of their codes. Safe from any thread.
    static QString keyForMccMnc(const QString& mccmnc);
    QString isHomeOrFriendly(const QString& mccmnc) const; // null when absent
    void setModuleMapsDictObject(const QString& object, const QString& key);
    QHash<QString, QString> moduleMapsDict() const;

    QString iccidStr() const { return iccidStr_; }
    int networkRoamStatus() const { return networkRoamStatus_; }
    void setNetworkRoamStatus(int status) { networkRoamStatus_ = status; }
    int networkMode() const { return networkMode_; }
    void setNetworkMode(int mode) { networkMode_ = mode; }
    int pnnOplFlag() const { return pnnOplFlag_; }
    void setPnnOplFlag(int flag) { pnnOplFlag_ = flag; }
    QString longFormatLocalSpn() const { return longFormatLocalSpn_; }
    void setLongFormatLocalSpn(const QString& name) { longFormatLocalSpn_ = name; }
    QStringList friendlyNetList() const { return friendlyNetList_; }
    void setFriendlyNetList(const QStringList& list) { friendlyNetList_ = list; }
    int the1and2FiledFromSPN() const { return the1and2FiledFromSPN_; }
    void setThe1and2FiledFromSPN(int field) { the1and2FiledFromSPN_ = field; }
    void setLocalSpn(const QString& name) { localSpn_ = name; }
    QString signalStrength() const { return signalStrength_; }
    void setSignalStrength(const QString& text) { signalStrength_ = text; }
    int signalStrengthFlag() const { return signalStrengthFlag_; }
    void setSignalStrengthFlag(int flag) { signalStrengthFlag_ = flag; }

    // The names put into the display rule: the registered network's and the
    // SIM's operator, after the configured replacements; null when none.
    QString localSpn() const;
    QString homeSpn() const;
    // The configured name for the registered network, or null.
    QString changeSPNIfMatchSpecialMCCMNC() const;
    // Chooses the display rule from the switches.
    JspnShowBase& spnDisplayProtocolSet();
    // Chooses the rule and fills it with the current names and conditions.
    JspnShowBase& getSpnDisplayProtocol();
    // With "TestSpn"/"Test_Spnshow_Flag" on, the module's values replace the
    // names, codes and conditions.
    void spnShowTestFromConfigFile();

    // Main/"Main_TextLinkAddress", or an empty text.
    QString getInternetAddressAtMainPage() const;
    // Enciphers a subscriber number for an operator web link by the
    // configured pattern: 0 the built-in key (16 hexadecimal characters), 1
    // the configured key (32), empty for any other pattern or without a key.
    // Callers check the number first: anything but the expected digits is
    // enciphered as a fixed block.
    QString encode(const QString& text) const;

private:
    // The display rules, one object each, made once.
    enum class SpnRule {
        By3gpp,
        HomeBy3gppLocalAlways,
        By3gppLocalReplacedByHome,
        NoShowAny,
        OnlyHome,
        OnlyHomeHigherPriority,
        OnlyLocal,
        OnlyFixedLocal,
        OnlyLocalLowerPriority,
        OnlyLocalHighPriority,
        Count
    };
    void createSpnRules();
    JspnShowBase& spnRule(SpnRule rule) const { return *rules_[size_t(rule)]; }

    bool configFlag(const QString& module, const QString& key) const;

    const ConfigManager& config_;
    const ConfigService& switches_;
    JfunctionTest functionTest_;

    QHash<QString, QString> moduleMapsDict_;
    mutable std::mutex pModuleMapsDictLock_;
    QString iccidStr_;
    QString homeSpn_;
    QString localSpn_;
    QStringList friendlyNetList_;
    std::array<std::unique_ptr<JspnShowBase>, size_t(SpnRule::Count)> rules_;
    JspnShowBase* spnDisplayProtocol_ = nullptr;
    int the1and2FiledFromSPN_ = 0;
    int networkRoamStatus_ = 2;
    QString currentRmccRmnc_;
    int networkMode_ = 0;
    int pnnOplFlag_ = 0;
    QString longFormatLocalSpn_;
    QString signalStrength_;
    int signalStrengthFlag_ = 2;
};
