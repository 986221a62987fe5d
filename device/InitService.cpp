#include "device/InitService.h"

#include "app/config/ConfigManager.h"
#include "app/config/ConfigService.h"
#include "device/GsmDefaultAlphabet.h"
#include "device/InputFaults.h"
#include "device/JspnShowBase.h"
#include "jCommon/BlowFilhService.h"
#include "jCommon/BlowFishEncrypt.h"
#include "jCommon/MccMnc.h"

#include <algorithm>

namespace
{

// The key of a network code in the network-code map.
constexpr char kKeyStrForMCCMNC2MCCMNC[] = "memKeyMCCMNCXMCCMNC(%05d)";

constexpr int kUcs2Tag = 0x80;
constexpr int kCompressedUcs2WithByteBase = 0x81;
constexpr int kCompressedUcs2WithWordBase = 0x82;
constexpr int kPlmnListTag = 0x80;
constexpr int kFillerByte = 0xFF;
constexpr int kFillerWord = 0xFFFF;
constexpr qsizetype kIccidDigits = 20;
constexpr qsizetype kByteDigits = 2;
constexpr qsizetype kWordDigits = 4;
constexpr qsizetype kPlmnDigits = 6;
constexpr char16_t kReplacementCharacter = u'\uFFFD';

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Logs, once per file, a text that cannot be whole bytes of hexadecimal digits.
void checkHexText(QByteArrayView hexText, const char* file)
{
    if (hexText.size() % 2 != 0)
        logInputFaultOnce(
            QStringLiteral("%1: the hexadecimal text has an odd length").arg(QLatin1StringView(file)));
    if (!std::all_of(hexText.begin(), hexText.end(), isHexDigit))
        logInputFaultOnce(QStringLiteral("%1: the text holds characters that are not hexadecimal")
                              .arg(QLatin1StringView(file)));
}

bool isUnusedPlmnEntry(const HexCursor& cursor)
{
    return std::all_of(cursor.pos, cursor.pos + kPlmnDigits, [](char c) { return c == 'F' || c == 'f'; });
}

} // namespace

InitService& InitService::sharedInitService()
{
    static InitService* shared = // never freed
        new InitService(ConfigManager::sharedConfigManager(), ConfigService::sharedConfigService());
    return *shared;
}

InitService::InitService(const ConfigManager& config, const ConfigService& switches)
    : config_(config), switches_(switches), functionTest_(config)
{
    createSpnRules();
}

InitService::~InitService() = default;

void InitService::doParseEF_SPN(QByteArrayView hexText)
{
    homeSpn_.clear();
    if (hexText.isEmpty())
        return;
    checkHexText(hexText, "EF_SPN");
    HexCursor cursor(hexText);
    the1and2FiledFromSPN_ = getchar(cursor);
    if (!cursor.atEnd())
        homeSpn_ = decodeAlphaIdInSPN(cursor);
}

QString InitService::decodeAlphaIdInSPN(HexCursor& cursor) const
{
    QString name;
    name.reserve(cursor.remaining() / kByteDigits);
    bool outsideTheAlphabet = false;
    const auto gsmCharacter = [&outsideTheAlphabet](int byte) {
        if (byte < int(newGsmToUcs2.size()))
            return QChar(newGsmToUcs2[size_t(byte)]);
        outsideTheAlphabet = true;
        return QChar(kReplacementCharacter);
    };

    const int coding = peekchar(cursor);
    if (coding < kUcs2Tag) {
        while (cursor.remaining() >= kByteDigits) {
            const int byte = getchar(cursor);
            if (byte == kFillerByte)
                break;
            name.append(gsmCharacter(byte));
        }
    } else if (coding == kUcs2Tag) {
        skipchar(cursor);
        while (cursor.remaining() >= kWordDigits) {
            const int character = getword(cursor);
            if (character == kFillerWord)
                break;
            name.append(QChar(char16_t(character)));
        }
    } else if (coding == kCompressedUcs2WithByteBase || coding == kCompressedUcs2WithWordBase) {
        skipchar(cursor);
        const int count = getchar(cursor);
        const int base = coding == kCompressedUcs2WithByteBase ? getchar(cursor) << 7 : getword(cursor);
        int read = 0;
        for (; read < count && cursor.remaining() >= kByteDigits; ++read) {
            const int byte = getchar(cursor);
            if (byte & 0x80) {
                const int character = base + (byte & 0x7F);
                name.append(character <= 0xFFFF ? QChar(char16_t(character)) : QChar(kReplacementCharacter));
            } else {
                name.append(gsmCharacter(byte));
            }
        }
        if (read < count)
            logInputFaultOnce(QStringLiteral("EF_SPN: the name is shorter than its length byte says"));
    }
    if (outsideTheAlphabet)
        logInputFaultOnce(QStringLiteral("EF_SPN: a character is outside the GSM default alphabet"));

    while (cursor.remaining() >= kByteDigits && peekchar(cursor) == kFillerByte)
        skipchar(cursor);
    return name;
}

void InitService::doParseEF_SPDI(QByteArrayView hexText)
{
    checkHexText(hexText, "EF_SPDI");
    HexCursor cursor(hexText);
    while (cursor.remaining() >= kByteDigits) {
        if (getchar(cursor) == kPlmnListTag) {
            if (!cursor.atEnd())
                friendlyNetList_ = decodeSpPLMNList(cursor);
            return;
        }
    }
}

QStringList InitService::decodeSpPLMNList(HexCursor& cursor)
{
    QStringList list;
    if (cursor.remaining() < 3)
        return list;
    const int length = getchar(cursor);
    for (int consumed = 0; consumed + 3 <= length; consumed += 3) {
        if (cursor.remaining() < kPlmnDigits) {
            logInputFaultOnce(QStringLiteral("EF_SPDI: the list is shorter than its length byte says"));
            break;
        }
        if (isUnusedPlmnEntry(cursor))
            break;
        const int byte1 = getchar(cursor);
        const int byte2 = getchar(cursor);
        const int byte3 = getchar(cursor);
        const QString code = mccMncFromPlmn(uint8_t(byte1), uint8_t(byte2), uint8_t(byte3));
        if (code.isEmpty()) {
            logInputFaultOnce(QStringLiteral("EF_SPDI: an entry is not a network code"));
            continue;
        }
        list << code;
        setModuleMapsDictObject(code, keyForMccMnc(code));
    }
    return list;
}

void InitService::doParseEF_ICCID(QByteArrayView hexText)
{
    iccidStr_.clear();
    if (hexText.isEmpty())
        return;
    checkHexText(hexText, "EF_ICCID");
    iccidStr_ = decodeICCID(hexText);
}

QString InitService::decodeICCID(QByteArrayView hexText) const
{
    const QByteArrayView digits = hexText.first(std::min(hexText.size(), kIccidDigits));
    QString iccid;
    iccid.reserve(digits.size());
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        iccid.append(QLatin1Char(digits[i + 1]));
        iccid.append(QLatin1Char(digits[i]));
    }
    if (digits.size() % 2 != 0)
        iccid.append(QLatin1Char(digits.back()));
    return iccid;
}

QString InitService::currentHmccmnc() const
{
    return mccMncFromImsi(imsi(), currentRmccRmnc_);
}

QString InitService::getMCCByMccmnc(const QString& mccmnc) const
{
    return mccOfMccMnc(mccmnc);
}

QString InitService::getMCCByImsi(const QString& imsi) const
{
    return getMCCByMccmnc(mccMncFromImsi(imsi));
}

QString InitService::getCurrentHomeMcc() const
{
    return getMCCByMccmnc(currentHmccmnc());
}

QString InitService::getCurrentLocalMcc() const
{
    return getMCCByMccmnc(currentRmccRmnc_);
}

bool InitService::checkCurrentIsHomeNetWork() const
{
    return networkRoamStatus_ == 1;
}

bool InitService::checkCurrentIsFriendlyNetWork() const
{
    return !currentRmccRmnc_.isEmpty() && friendlyNetList_.contains(currentRmccRmnc_);
}

bool InitService::checkCurrentIsHomeOrFriendlyNetWork() const
{
    return checkCurrentIsHomeNetWork() || checkCurrentIsFriendlyNetWork();
}

int InitService::getNetWorkRoamType() const
{
    switch (networkRoamStatus_) {
    case 0:
        return getCurrentHomeMcc() != getCurrentLocalMcc() ? InternationalRoaming : NationalRoaming;
    case 1:
        return HomeNetwork;
    default:
        return UnknownRoaming;
    }
}

QString InitService::keyForMccMnc(const QString& mccmnc)
{
    return QString::asprintf(kKeyStrForMCCMNC2MCCMNC, mccmnc.toInt());
}

QString InitService::isHomeOrFriendly(const QString& mccmnc) const
{
    if (!isMccMncText(mccmnc))
        return QString();
    const std::lock_guard guard(pModuleMapsDictLock_);
    return moduleMapsDict_.value(keyForMccMnc(mccmnc));
}

void InitService::setModuleMapsDictObject(const QString& object, const QString& key)
{
    const std::lock_guard guard(pModuleMapsDictLock_);
    moduleMapsDict_.insert(key, object);
}

QHash<QString, QString> InitService::moduleMapsDict() const
{
    const std::lock_guard guard(pModuleMapsDictLock_);
    return moduleMapsDict_;
}

QString InitService::getInternetAddressAtMainPage() const
{
    return config_
        .getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("Main_TextLinkAddress"))
        .stringValue();
}

QString InitService::encode(const QString& text) const
{
    switch (switches_.getURLEncryptPattern()) {
    case 0: {
        char cipherText[64] = {};
        EncryptServicesMain((text + u'0').toUtf8().constData(), cipherText);
        return QString::fromLatin1(cipherText);
    }
    case 1: {
        const QString key = switches_.getURLEncryptSerectKey();
        if (key.isEmpty())
            return QString();
        BlowFishEncrypt cipher(key.toUtf8());
        cipher.encipher(text.toUtf8());
        return QString::fromLatin1(cipher.ciphertext());
    }
    default:
        return QString();
    }
}
