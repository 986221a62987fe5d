#include "tests/device/DeviceCoreTestSupport.h"

#include <gtest/gtest.h>

using ns::Dictionary;

namespace
{

TEST(InitServiceTools, ReadersReadHexadecimalTextWithinItsEnd)
{
    HexCursor cursor(QByteArrayView("1A2B3C4D5E6F"));
    EXPECT_EQ(InitService::peekchar(cursor), 0x1A);
    EXPECT_EQ(InitService::peekword(cursor), 0x1A2B);
    EXPECT_EQ(InitService::peektriple(cursor), 0x1A2B3C);
    EXPECT_EQ(InitService::getchar(cursor), 0x1A);
    EXPECT_EQ(InitService::getword(cursor), 0x2B3C);
    EXPECT_EQ(InitService::gettriple(cursor), 0x4D5E6F);
    EXPECT_TRUE(cursor.atEnd());
    EXPECT_EQ(InitService::getchar(cursor), 0);

    HexCursor shortText(QByteArrayView("1A2"));
    EXPECT_EQ(InitService::gettriple(shortText), 0x1A2);
    EXPECT_TRUE(shortText.atEnd());

    HexCursor notHex(QByteArrayView("1G"));
    EXPECT_EQ(InitService::getchar(notHex), 0x1);

    HexCursor semiOctets(QByteArrayView("12F3"));
    EXPECT_EQ(InitService::getsemioctex(semiOctets).text(), QLatin1StringView("21"));
    EXPECT_EQ(InitService::peeksemioctex(semiOctets).text(), QLatin1StringView("3"));
    InitService::skipsemioctex(semiOctets);
    EXPECT_TRUE(semiOctets.atEnd());

    HexCursor plmn(QByteArrayView("64F010"));
    EXPECT_EQ(InitService::getsemi_triple(plmn), 0x46001);
}

TEST(InitService, ServiceProviderNameInEachCoding)
{
    struct Case {
        const char* what;
        const char* file;
        int condition;
        QString name;
    } const cases[] = {
        {"GSM default alphabet", "0154656C7661FFFFFF", 1, QStringLiteral("Telva")},
        {"the table's three differences", "0017191B41", 0, QStringLiteral(u"\u03C8\u03B8 A")},
        {"display condition 0 and no name", "00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", 0, QString()},
        {"UCS-2 up to FFFF", "02800054041900E9FFFF0041", 2, QStringLiteral(u"T\u0419\u00E9")},
        {"compressed UCS-2, byte base", "0181030899418000FFFF", 1, QStringLiteral(u"\u0419A\u0400")},
        {"compressed UCS-2, word base", "018202041081424F", 1, QStringLiteral(u"\u0411B")},
        {"unknown coding", "019041", 1, QString()},
        {"no name after the condition", "03", 3, QString()},
    };
    ServiceUnderTest test;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test.service.doParseEF_SPN(c.file);
        EXPECT_EQ(test.service.the1and2FiledFromSPN(), c.condition);
        EXPECT_EQ(test.service.homeSpn(), c.name);
    }
    test.service.doParseEF_SPN("");
    EXPECT_EQ(test.service.homeSpn(), "");
    EXPECT_EQ(test.service.the1and2FiledFromSPN(), 3);
}

TEST(InitService, DamagedServiceProviderNamesDecodeWhatIsThereAndLogOnce)
{
    struct Case {
        const char* what;
        const char* file;
        QString name;
        const char* log;
    } const cases[] = {
        {"odd length", "0154656", QStringLiteral("Te"), "EF_SPN: the hexadecimal text has an odd length"},
        {"not hexadecimal", "0154ZZ65", QStringLiteral("T@e"),
         "EF_SPN: the text holds characters that are not hexadecimal"},
        {"shorter than its length byte", "0181050899", QStringLiteral(u"\u0419"),
         "EF_SPN: the name is shorter than its length byte says"},
        {"outside the GSM alphabet", "0154C165", QStringLiteral(u"T\uFFFDe"),
         "EF_SPN: a character is outside the GSM default alphabet"},
    };
    ServiceUnderTest test;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogCapture log;
        test.service.doParseEF_SPN(c.file);
        test.service.doParseEF_SPN(c.file);
        EXPECT_EQ(test.service.homeSpn(), c.name);
        EXPECT_EQ(LogCapture::text(), c.log);
    }
}

TEST(InitService, FriendlyNetworksKeepTheirMncLength)
{
    ServiceUnderTest test;
    test.service.doParseEF_SPDI("A30B800964F010130062FFFFFF");
    EXPECT_EQ(test.service.friendlyNetList(), (QStringList{"46001", "310260"}));
    EXPECT_EQ(test.service.isHomeOrFriendly("310260"), "310260");
    EXPECT_EQ(test.service.isHomeOrFriendly("46001"), "46001");
    EXPECT_TRUE(test.service.isHomeOrFriendly("31026").isNull());
    EXPECT_TRUE(test.service.isHomeOrFriendly("46002").isNull());

    // Without the list's tag the list stays as it was.
    test.service.doParseEF_SPDI("A3028100");
    EXPECT_EQ(test.service.friendlyNetList(), (QStringList{"46001", "310260"}));
}

TEST(InitService, DamagedFriendlyListsDecodeWhatIsThere)
{
    struct Case {
        const char* what;
        const char* file;
        QStringList list;
        const char* log;
    } const cases[] = {
        {"shorter than its length byte",
         "A30B800964F010",
         {"46001"},
         "EF_SPDI: the list is shorter than its length byte says"},
        {"an entry that is no code",
         "80066AF01064F020",
         {"46002"},
         "EF_SPDI: an entry is not a network code"},
        {"a length that is no whole entry", "800464F01064F020", {"46001"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServiceUnderTest test;
        LogCapture log;
        test.service.doParseEF_SPDI(c.file);
        EXPECT_EQ(test.service.friendlyNetList(), c.list);
        EXPECT_EQ(LogCapture::text(), c.log ? c.log : "");
    }
}

TEST(InitService, IccidSwapsEachPairAndKeepsTheFiller)
{
    ServiceUnderTest test;
    const struct {
        const char* file;
        const char* iccid;
    } cases[] = {
        {"9844011234567890123F", "894410214365870921F3"},
        {"9844011234567890123F55", "894410214365870921F3"},
        {"984", "894"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test.service.doParseEF_ICCID(c.file);
        EXPECT_EQ(test.service.iccidStr(), c.iccid);
    }
}

TEST(InitService, RoamTypeComparesTheHomeAndTheRegisteredMcc)
{
    struct Case {
        const char* imsi;
        const char* registered;
        int status;
        int roamType;
        const char* home;
    } const cases[] = {
        {"460011234567890", "46001", 1, InitService::HomeNetwork, "46001"},
        {"460011234567890", "46002", 0, InitService::NationalRoaming, "46001"},
        {"460011234567890", "310260", 0, InitService::InternationalRoaming, "46001"},
        // Three-digit MNCs keep their MCC, so this is national roaming.
        {"310260123456789", "310410", 0, InitService::NationalRoaming, "310260"},
        {"405025123456789", "405025", 0, InitService::NationalRoaming, "405025"},
        {"405025123456789", "", 2, InitService::UnknownRoaming, "40502"},
    };
    ServiceUnderTest test;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.imsi + std::string(" on ") + c.registered);
        test.service.setImsi(c.imsi);
        test.service.setCurrentRmccRmnc(c.registered);
        test.service.setNetworkRoamStatus(c.status);
        EXPECT_EQ(test.service.getNetWorkRoamType(), c.roamType);
        EXPECT_EQ(test.service.currentHmccmnc(), c.home);
    }
    EXPECT_EQ(test.service.getMCCByMccmnc("310410"), "310");
    EXPECT_EQ(test.service.getMCCByMccmnc("4600"), "");
    EXPECT_EQ(test.service.getMCCByImsi("722310123456789"), "722");
}

TEST(InitService, FriendlyNetworkCountsAsHomeForTheNames)
{
    ServiceUnderTest test;
    test.service.setFriendlyNetList({"310260"});
    test.service.setNetworkRoamStatus(0);
    test.service.setCurrentRmccRmnc("310260");
    EXPECT_TRUE(test.service.checkCurrentIsFriendlyNetWork());
    EXPECT_TRUE(test.service.checkCurrentIsHomeOrFriendlyNetWork());
    test.service.setCurrentRmccRmnc("31026");
    EXPECT_FALSE(test.service.checkCurrentIsHomeOrFriendlyNetWork());
}

TEST(InitService, WebLinkCipherByPattern)
{
    struct Case {
        const char* what;
        Dictionary main;
        QString cipher;
    } const cases[] = {
        {"pattern 0: built-in key, a digit appended", Dictionary{}, QStringLiteral("d07e226d64bd1f80")},
        {"pattern 1: the configured key",
         Dictionary{{"Main_EncryptURLPattern_IfNeeded", 1},
                    {"Main_EncryptSerectKey_IfNeededEncrypt", "TrelvanKey"}},
         QStringLiteral("D78470651F988AD5F3568BA14B7D2A94")},
        {"pattern 1 without a key", Dictionary{{"Main_EncryptURLPattern_IfNeeded", 1}}, QString()},
        {"pattern 2", Dictionary{{"Main_EncryptURLPattern_IfNeeded", 2}}, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServiceUnderTest test(Dictionary{{"Main", c.main}});
        EXPECT_EQ(test.service.encode("460011234567890"), c.cipher);
    }
}

} // namespace
