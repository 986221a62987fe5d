#include "jCommon/BlowFilhService.h"
#include "jCommon/BlowFishEncrypt.h"
#include "jCommon/Blowfish.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace
{

uint32_t word(const QByteArray& hex, int at)
{
    return hex.mid(at, 8).toUInt(nullptr, 16);
}

// Eric Young's published known-answer set for Blowfish ECB: key, plain, cipher.
const char* const kKnownAnswers[][3] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

TEST(Blowfish, MatchesThePublishedKnownAnswersBothWays)
{
    for (const auto& [keyHex, plainHex, cipherHex] : kKnownAnswers) {
        SCOPED_TRACE(keyHex);
        const QByteArray key = QByteArray::fromHex(keyHex);
        const Blowfish cipher({reinterpret_cast<const uint8_t*>(key.constData()), size_t(key.size())});
        uint32_t left = word(plainHex, 0);
        uint32_t right = word(plainHex, 8);
        cipher.encipher(left, right);
        EXPECT_EQ(left, word(cipherHex, 0));
        EXPECT_EQ(right, word(cipherHex, 8));
        cipher.decipher(left, right);
        EXPECT_EQ(left, word(plainHex, 0));
        EXPECT_EQ(right, word(plainHex, 8));
    }
}

QByteArray encryptServicesMain(const char* input)
{
    char output[64] = {};
    EXPECT_EQ(EncryptServicesMain(input, output), 0);
    return QByteArray(output);
}

TEST(EncryptServicesMain, EnciphersTheTwoDecimalHalvesWithTheBuiltInKey)
{
    // Expected values from an independent Blowfish over the block (46001123, 45678900).
    EXPECT_EQ(encryptServicesMain("4600112345678900"), "d07e226d64bd1f80");
    EXPECT_EQ(encryptServicesMain("3102601234567890"), "fcba89e3c2079aa9");
}

TEST(EncryptServicesMain, AnythingButSixteenDigitsIsTheAllZeroBlock)
{
    const QByteArray zeroBlock = encryptServicesMain("0000000000000000");
    EXPECT_EQ(zeroBlock, "29e2e49e09b0d397");
    for (const char* input : {"46001123456789", "46001123456789001", "4600112345678x00", ""}) {
        SCOPED_TRACE(input);
        EXPECT_EQ(encryptServicesMain(input), zeroBlock);
    }
    EXPECT_EQ(encryptServicesMain(nullptr), zeroBlock);
}

TEST(BlowFishEncrypt, PadsWithHashesAndGivesTheFirstTwoBlocksInUpperCase)
{
    struct Case {
        const char* key;
        const char* text;
        const char* padded;
        const char* cipher;
    };
    const Case cases[] = {
        // A 15-digit IMSI takes one '#'.
        {"TrelvanKey", "460011234567890", "460011234567890#", "D78470651F988AD5F3568BA14B7D2A94"},
        // One whole block: not padded, the second block's place stays zero.
        {"TrelvanKey", "12345678", "12345678", "3F2341A962D5B6F80000000000000000"},
        {"TrelvanKey", "", "", "00000000000000000000000000000000"},
        // Longer texts are enciphered, but only two blocks reach the result.
        {"k", "310260123456789012345", "310260123456789012345###", "5C41D64DCF2BFC87F6D7E2BC26684064"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        BlowFishEncrypt cipher(c.key);
        EXPECT_EQ(cipher.ciphertext(), "");
        cipher.encipher(c.text);
        EXPECT_EQ(cipher.encryptedtext(), c.padded);
        EXPECT_EQ(cipher.ciphertext(), c.cipher);
    }
}

TEST(BlowFishEncrypt, TakesAtMostItsBufferOfPlainText)
{
    BlowFishEncrypt cipher("key");
    cipher.encipher(QByteArray(100, '7'));
    EXPECT_EQ(cipher.encryptedtext(), QByteArray(BlowFishEncrypt::kTextCapacity, '7'));
    EXPECT_EQ(cipher.ciphertext().size(), 32);
}

} // namespace
