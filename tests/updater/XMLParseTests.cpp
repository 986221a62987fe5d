// The update description read into a dictionary, and the user's selection written out.
#include "tests/updater/UpdaterTestSupport.h"
#include "updater/XMLParse.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using updater_test::plistText;

namespace
{

const QByteArray kOffer = R"(<?xml version="1.0" encoding="UTF-8"?>
<UpdateDescription>
 <PackageDescription><Version>2.1</Version><Description>  Faster, with
 fixes </Description><Device>TV-3G Stick</Device><Version>2.1.1</Version></PackageDescription>
 <UpdateFile Filename="CMUpdatePackage.zip" Version="2.1" Size="48213" PriorityFlag="1">The manager.</UpdateFile>
 <UpdateFile Filename="FirmwareUpdatePackage.zip" Version="11.6" Size="900" PriorityFlag="0">The &amp; firmware.</UpdateFile>
 <Server><Url>http://updates.example/packages/2.1/</Url><Name>main</Name></Server>
</UpdateDescription>
)";

ns::Dictionary offerInfo()
{
    return ns::Dictionary{
        {"Version", "2.1.1"},
        {"Description", "  Faster, with\n fixes "},
        {"Device", "TV-3G Stick"},
        {"UpdateFile", ns::Array{ns::Dictionary{{"UpdateFile", "The manager."},
                                                {"Filename", "CMUpdatePackage.zip"},
                                                {"Version", "2.1"},
                                                {"Size", "48213"},
                                                {"PriorityFlag", "1"}},
                                 ns::Dictionary{{"UpdateFile", "The & firmware."},
                                                {"Filename", "FirmwareUpdatePackage.zip"},
                                                {"Version", "11.6"},
                                                {"Size", "900"},
                                                {"PriorityFlag", "0"}}}},
        {"Server",
         ns::Array{ns::Dictionary{{"Url", "http://updates.example/packages/2.1/"}, {"Name", "main"}}}},
    };
}

struct DescriptionCase {
    const char* name;
    QByteArray xml;
    bool read;
    ns::Dictionary info;
};

void PrintTo(const DescriptionCase& c, std::ostream* out)
{
    *out << c.name;
}

class UpdateDescription : public testing::TestWithParam<DescriptionCase>
{
};

} // namespace

TEST_P(UpdateDescription, ReadsWhatTheAnswerSays)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Description.xml");
    ASSERT_TRUE(updater_test::writeFile(path, GetParam().xml));
    XMLParse* parse = XMLParse::initWithFilePath(path);
    ASSERT_NE(parse, nullptr);
    ns::Dictionary info;
    EXPECT_EQ(parse->getUpdateInfo(info), GetParam().read);
    EXPECT_EQ(plistText(info), plistText(GetParam().info));
    XMLParse::cleanupXMLParse();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateDescription,
    testing::Values(
        DescriptionCase{"AnOffer", kOffer, true, offerInfo()},
        DescriptionCase{"AFlagOutweighsAnOffer",
                        "<UpdateDescription><PackageDescription><Version>2</Version></PackageDescription>"
                        "<Result><Flag> 2 packages</Flag><ErrMsg>none for you</ErrMsg></Result>"
                        "<Flag>3</Flag></UpdateDescription>",
                        true, ns::Dictionary{{"Flag", 2}, {"ErrMsg", "none for you"}}},
        DescriptionCase{"NeitherFlagNorOfferIsAFailedCheck",
                        "<UpdateDescription><Other/></UpdateDescription>", true, ns::Dictionary{{"Flag", 0}}},
        DescriptionCase{"AMalformedAnswerIsReadAsFarAsItGoes",
                        "<UpdateDescription><Flag>1</Flag><ErrMsg>bad id</Err", true,
                        ns::Dictionary{{"Flag", 1}, {"ErrMsg", "bad id"}}},
        DescriptionCase{"BytesThatAreNoXMLAreNotRead", QByteArray("\x00\x01\xff garbage", 12), false,
                        ns::Dictionary()},
        DescriptionCase{"EntitiesStayUnexpanded",
                        R"(<!DOCTYPE d [<!ENTITY e "EXPANDED"><!ENTITY x SYSTEM "file:///etc/hostname">]>
<UpdateDescription><PackageDescription><Version>&e;</Version><Device>&x;</Device></PackageDescription>
<UpdateFile Filename="a&e;.zip">&e;</UpdateFile></UpdateDescription>)",
                        true,
                        ns::Dictionary{{"Version", "&e;"},
                                       {"Device", "&x;"},
                                       {"UpdateFile", ns::Array{ns::Dictionary{{"UpdateFile", "&e;"},
                                                                               {"Filename", "a&e;.zip"}}}},
                                       {"Server", ns::Array()}}},
        DescriptionCase{"APackageDescriptionWithoutChildrenEndsTheReading",
                        "<UpdateDescription><PackageDescription> </PackageDescription>"
                        "<PackageDescription><Version>9</Version></PackageDescription></UpdateDescription>",
                        true, ns::Dictionary{{"UpdateFile", ns::Array()}, {"Server", ns::Array()}}}),
    [](const testing::TestParamInfo<DescriptionCase>& info) { return std::string(info.param.name); });

TEST(UpdateDescriptionPath, IsNeededToReadAnything)
{
    EXPECT_EQ(XMLParse::initWithFilePath(QString()), nullptr);
    XMLParse::cleanupXMLParse();
    ns::Dictionary info;
    XMLParse& parse = XMLParse::sharedXMLParse();
    XMLParse::initWithFilePath(QStringLiteral("/nonexistent/Description.xml"));
    EXPECT_FALSE(parse.getUpdateInfo(info));
    EXPECT_TRUE(info.isEmpty());
    XMLParse::cleanupXMLParse();
}

TEST(UserSelection, HoldsTheChosenPackagesAndTheServers)
{
    QTemporaryDir folder;
    ns::Dictionary selection = offerInfo();
    selection.value("UpdateFile").toArray().removeAt(1);
    const ns::Dictionary before = selection.deepCopy();
    const QString path = folder.filePath("UserSelection.xml");

    ASSERT_TRUE(XMLParse::sharedXMLParse().createResult(path, selection));
    EXPECT_EQ(QString::fromUtf8(updater_test::readFile(path)),
              QString::fromUtf8(updater_test::readFile(updater_test::fixture("UserSelection.xml"))));
    EXPECT_EQ(plistText(selection), plistText(before)); // the selection itself is left as it was

    // A folder that is not there: nothing is written and the answer says so.
    EXPECT_FALSE(
        XMLParse::sharedXMLParse().createResult(folder.filePath("missing/UserSelection.xml"), selection));
    XMLParse::cleanupXMLParse();
}
