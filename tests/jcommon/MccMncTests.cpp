#include "jCommon/MccMnc.h"

#include <gtest/gtest.h>

namespace
{

TEST(MccMnc, TextOfAnMccAndAnMncKeepsTheMncLength)
{
    const struct {
        const char* mcc;
        const char* mnc;
        const char* code;
    } cases[] = {
        {"460", "01", "46001"},   {"460", "1", "46001"}, {"310", "260", "310260"},
        {"310", "026", "310026"}, {"46", "01", ""},      {"460", "", ""},
        {"460", "0123", ""},      {"4A0", "01", ""},     {"460", "0x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mcc) + "/" + c.mnc);
        EXPECT_EQ(mccMncText(QString::fromLatin1(c.mcc), QString::fromLatin1(c.mnc)),
                  QString::fromLatin1(c.code));
    }
}

TEST(MccMnc, SimFileBytesGiveTheSameText)
{
    EXPECT_EQ(mccMncFromPlmn(0x64, 0xF0, 0x10), "46001");
    EXPECT_EQ(mccMncFromPlmn(0x13, 0x00, 0x62), "310260");
    EXPECT_EQ(mccMncFromPlmn(0x13, 0x00, 0x6A), "");
    EXPECT_EQ(mccMncFromPlmn(0x13, 0xE0, 0x62), "");
}

TEST(MccMnc, ImsiTakesThreeMncDigitsWhereTheCountryAssignsThem)
{
    const struct {
        const char* imsi;
        const char* registered;
        const char* code;
    } cases[] = {
        {"460011234567890", "", "46001"},
        {"310260123456789", "", "310260"},
        {"722310123456789", "", "722310"},
        // The registered network of the same country says how long the MNC is.
        {"405025123456789", "405025", "405025"},
        {"310260123456789", "31026", "31026"},
        {"310260123456789", "46001", "310260"},
        {"3102", "", ""},
        {"31026", "", ""},
        {"4600A1234567890", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.imsi);
        EXPECT_EQ(mccMncFromImsi(QString::fromLatin1(c.imsi), QString::fromLatin1(c.registered)),
                  QString::fromLatin1(c.code));
    }
    EXPECT_TRUE(mccHasThreeDigitMnc(u"302"));
    EXPECT_FALSE(mccHasThreeDigitMnc(u"460"));
}

TEST(MccMnc, MccOfFiveAndSixDigitCodes)
{
    EXPECT_EQ(mccOfMccMnc(u"46001"), "460");
    EXPECT_EQ(mccOfMccMnc(u"310260"), "310");
    for (const char16_t* code : {u"", u"4600", u"3102601", u"46O01"})
        EXPECT_EQ(mccOfMccMnc(code), "");
}

} // namespace
