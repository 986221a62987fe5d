// Varnock's controller with the real agent and the test update server,
// driven over the update link as the connection manager drives it.
#include "jCommon/UpdateLink.h"
#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/Clock.h"
#include "platform/ns/PropertyList.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/TestUpdateServer.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "tests/updater/VarnockFixture.h"
#include "updater/UCInterface.h"
#include "updater/UpdateControl.h"
#include "updater/UpdateTextKeys.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <thread>

using namespace updater_test;

TEST_F(VarnockTest, ASecondCheckDuringASlowOneAsksTheServerOnce)
{
    makeSampleSite(site_.path());
    server_.setFault("/check", Fault{.hold = true});
    sendUpdate(UPDATE_MODE_MANUAL);
    EXPECT_TRUE(nib().m_WaitWnd->isVisible());
    EXPECT_FALSE(nib().m_WaitOKBtn->isEnabled());
    ASSERT_TRUE(waitFor([&] { return server_.requestCount("/check") == 1; }));

    sendUpdate(UPDATE_MODE_MANUAL);
    sendUpdate(UPDATE_MODE_AUTOMATIC);
    server_.releaseHeld();
    ASSERT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());
    EXPECT_EQ(server_.requestCount("/check"), 1);
}

TEST_F(VarnockTest, DropsCommandsItCannotRead)
{
    writeNoOffer(site_.path(), 3, "up to date");
    ns::Dictionary unknown = updateCommand(UPDATE_MODE_MANUAL, sampleLocalInfo(), true, "en");
    unknown.setValue(kCMD_ID, 9);
    ns::Dictionary withoutID = updateCommand(UPDATE_MODE_MANUAL, sampleLocalInfo(), true, "en");
    withoutID.remove(kCMD_ID);
    const ae::Descriptor manual{typeUpdateCommand, ns::PropertyList::toXml(updateCommand(
                                                       UPDATE_MODE_MANUAL, sampleLocalInfo(), true, "en"))};
    const std::pair<ae::OSType, ae::Descriptor> parameters[] = {
        {keyUpdateCommand, {typeUpdateCommand, "<plist version=\"1.0\"><dict><key>CMD_ID</key>"}},
        {keyUpdateCommand, {typeUpdateCommand, ns::PropertyList::toXml(ns::Array{2, 1})}},
        {keyUpdateCommand, {typeUpdateCommand, ns::PropertyList::toXml(unknown)}},
        {keyUpdateCommand, {typeUpdateCommand, ns::PropertyList::toXml(withoutID)}},
        {ae::fourCharCode("jMsg"), manual},
    };
    for (const auto& [keyword, parameter] : parameters) {
        ae::AppleEvent event(kUpdateEventClass, kUpdateEventID,
                             ae::Descriptor::fromBundleIdentifier(kUpdaterBundleIdentifier));
        event.setParamDescriptor(keyword, parameter);
        EXPECT_EQ(ae::AESend(event, nullptr, ae::kAEWaitReply, ae::kAEHighPriority, ae::kAEDefaultTimeout),
                  ae::noErr);
    }
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());

    // The same command, readable, is taken.
    sendUpdate(UPDATE_MODE_MANUAL);
    EXPECT_TRUE(nib().m_WaitWnd->isVisible());
    EXPECT_TRUE(waitFor([&] { return server_.requestCount("/check") == 1; }));
}

TEST_F(VarnockTest, TheClientFieldsReachTheServerCutAtACharacter)
{
    writeNoOffer(site_.path(), 3, "up to date");
    ns::Dictionary localInfo = sampleLocalInfo();
    // 62 bytes and a two-byte character: the 63-byte field ends before the character.
    localInfo.setValue(kEXTERN_PARA, QString(62, u'x') + QStringLiteral("é"));
    localInfo.setValue(kCLIENT_GROUP, 7); // not a string: empty
    localInfo.remove(kLANGUAGE);          // absent: empty
    sendUpdate(UPDATE_MODE_MANUAL, localInfo);
    ASSERT_TRUE(waitFor([&] { return server_.requestCount("/check") == 1; }));

    const QUrlQuery query = server_.requests().first().query;
    auto field = [&](const QString& key) { return query.queryItemValue(key, QUrl::FullyDecoded); };
    EXPECT_EQ(field(kOS), "Linux");
    EXPECT_EQ(field(kDEVICE_TYPE), "TV-3G Stick");
    EXPECT_EQ(field(kUI_VERSION), "1.0.0.05");
    EXPECT_EQ(field(kFW_VERSION), "11.608.12.02");
    EXPECT_EQ(field(kUNSIGNED_ID), "356938035643809");
    EXPECT_EQ(field(kCLIENT_GROUP), "");
    EXPECT_EQ(field(kLANGUAGE), "");
    EXPECT_EQ(field(kEXTERN_PARA), QString(62, u'x'));
    EXPECT_EQ(field("MODE"), "1");
}

TEST_F(VarnockTest, TheAgentsReportsReachTheWindowsOnTheMainThreadOnly)
{
    // A bridge to the same agent, called as the agent calls it: from its own thread.
    UCInterface bridge;
    std::thread agentThread([&bridge] { bridge.DownloadProcess("Downloading CMUpdatePackage.zip", 40); });
    agentThread.join();
    EXPECT_EQ(nib().m_ProcessInfoView->string(), "");
    ASSERT_TRUE(waitFor([&] { return nib().m_ProcessBar->doubleValue() == 40; }));
    EXPECT_EQ(nib().m_ProcessInfoView->string(), "Downloading CMUpdatePackage.zip");
}

TEST_F(VarnockTest, AnAutomaticCheckShowsNothingWhenNothingIsOffered)
{
    writeNoOffer(site_.path(), 3, "up to date");
    sendUpdate(UPDATE_MODE_AUTOMATIC);
    ASSERT_TRUE(waitFor([&] { return QFile::exists(downloaded("lastUpdateDateTime.plist")); }));
    for (const ns::Window* window : {nib().m_WaitWnd.get(), nib().m_UpdateInfoWnd.get(),
                                     nib().m_ModuleSelWnd.get(), nib().m_UpdateWnd.get()})
        EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ns::PropertyList::readDictionary(downloaded("lastUpdateDateTime.plist"))
                    ->value("LastUpdateTime")
                    .isDate());
}

TEST_F(VarnockTest, AnAutomaticCheckOpensAnOfferAtOnce)
{
    makeSampleSite(site_.path());
    sendUpdate(UPDATE_MODE_AUTOMATIC);
    ASSERT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());
    EXPECT_EQ(nib().m_PackageInfoView->string(),
              text(CM_UPDATER_CONFIRM_UPDATE_STR) + "\r\n\r\n" + text(CM_UPDATER_VERSION_STR) + ":2.1\r\n" +
                  text(CM_UPDATER_DESCRIPTION_STR) + ":Faster connections and fixes.\r\n");
}

namespace
{

struct FlagCase {
    const char* name;
    int flag; // -1: no answer file on the server
    QString key;
};

void PrintTo(const FlagCase& c, std::ostream* out)
{
    *out << c.name;
}

class FlagText : public VarnockTest, public testing::WithParamInterface<FlagCase>
{
};

} // namespace

TEST_P(FlagText, EndsTheWaitOfAManualCheck)
{
    if (GetParam().flag >= 0)
        writeNoOffer(site_.path(), GetParam().flag, "reason");
    sendUpdate(UPDATE_MODE_MANUAL);
    ASSERT_TRUE(waitFor([&] { return nib().m_WaitOKBtn->isEnabled(); }));
    EXPECT_EQ(nib().m_WaitInfoView->string(), text(GetParam().key));
    EXPECT_EQ(nib().m_WaitOKBtn->title(), text(CM_UPDATER_STR_OK));

    nib().m_WaitOKBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());
    // Idle again: the next check is made.
    sendUpdate(UPDATE_MODE_MANUAL);
    EXPECT_TRUE(waitFor([&] { return server_.requestCount("/check") == 2; }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlagText,
    testing::Values(FlagCase{"CheckFailed", 0, CM_UPDATER_CHECK_VERSION_FAILED_STR},
                    FlagCase{"IllegalIdentity", 1, CM_UPDATER_CHECKSTATE_ILLEGAL_ID_STR},
                    FlagCase{"NoPackage", 2, CM_UPDATER_CHECKSTATE_NOTFOUND_PACKAGE_STR},
                    FlagCase{"NoVersion", 3, CM_UPDATER_CHECKSTATE_NOTFOUND_VERSION_STR},
                    // An unknown flag leaves the agent's last progress text.
                    FlagCase{"UnknownFlag", 9, CM_UPDATER_CHECKSTATE_SERVICEVERSION_STR},
                    FlagCase{"ServerWithoutAnswer", -1, CM_UPDATER_CHECK_VERSION_FAILED_STR}),
    [](const testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.name); });

TEST_F(VarnockTest, AnAnswerWithoutDescriptionEndsTheWait)
{
    writeNoOffer(site_.path(), 3, "up to date");
    // The agent cannot write its description.
    ASSERT_TRUE(QDir(library_.filePath("Auto_Update/download")).removeRecursively());
    sendUpdate(UPDATE_MODE_MANUAL);
    ASSERT_TRUE(waitFor([&] { return nib().m_WaitOKBtn->isEnabled(); }));
    EXPECT_EQ(nib().m_WaitInfoView->string(), text(CM_UPDATER_CHECK_VERSION_FAILED_STR));
    nib().m_WaitOKBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());
}

TEST_F(VarnockTest, TheWaitEndsAfterTwoMinutesAndItsLateAnswerIsIgnored)
{
    makeSampleSite(site_.path());
    server_.setFault("/check", Fault{.hold = true});
    sendUpdate(UPDATE_MODE_MANUAL);
    ASSERT_TRUE(waitFor([&] { return server_.requestCount("/check") == 1; }));

    clock_.advance(119);
    EXPECT_FALSE(nib().m_WaitOKBtn->isEnabled());
    clock_.advance(1);
    EXPECT_TRUE(nib().m_WaitOKBtn->isEnabled());
    EXPECT_EQ(nib().m_WaitInfoView->string(), text(CM_UPDATER_CHECK_VERSION_FAILED_STR));

    LogCapture log;
    server_.releaseHeld();
    ASSERT_TRUE(waitFor([&] { return log.contains("whose wait has ended is ignored"); }));
    EXPECT_FALSE(nib().m_UpdateInfoWnd->isVisible());
    EXPECT_EQ(nib().m_WaitInfoView->string(), text(CM_UPDATER_CHECK_VERSION_FAILED_STR));

    nib().m_WaitOKBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_WaitWnd->isVisible());
    server_.clearFaults();
    sendUpdate(UPDATE_MODE_MANUAL);
    EXPECT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
}

TEST_F(VarnockTest, UntickingEveryPackageDisablesUpdate)
{
    openSelection();
    ns::TableView* table = nib().m_PackageListView;
    ASSERT_EQ(table->numberOfRows(), 2);
    EXPECT_EQ(table->tableColumnWithIdentifier("Size")->headerCell()->stringValue(), text(kSizeHeaderKey));
    EXPECT_TRUE(nib().m_UpdateBtn->isEnabled());

    tick(0);
    EXPECT_TRUE(nib().m_UpdateBtn->isEnabled());
    tick(1);
    EXPECT_FALSE(nib().m_UpdateBtn->isEnabled());
    tick(1);
    EXPECT_TRUE(nib().m_UpdateBtn->isEnabled());
    // The clicked row is selected too: its description shows below the table.
    EXPECT_EQ(nib().m_InfoView->string(), "What FirmwareUpdatePackage.zip brings.");

    nib().m_SelBackBtn->performClick(nullptr);
    EXPECT_TRUE(nib().m_UpdateInfoWnd->isVisible());
    nib().m_InfoCancelBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_UpdateInfoWnd->isVisible());
    EXPECT_EQ(table->numberOfRows(), 0);
}

TEST_F(VarnockTest, TheClockShowsTheTimeSinceTheDownloadStarted)
{
    openSelection();
    server_.setFault("/packages/2.1/CMUpdatePackage.zip", Fault{.hold = true});
    nib().m_UpdateBtn->performClick(nullptr);
    ASSERT_TRUE(nib().m_UpdateWnd->isVisible());
    clock_.advance(3725);
    EXPECT_EQ(nib().m_ElapseTime->stringValue(), "01:02:05");

    // Cancelling stops the download and goes back to idle.
    EXPECT_EQ(nib().m_OKCancelBtn->title(), text(CM_UPDATER_STR_CANCEL));
    nib().m_OKCancelBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_UpdateWnd->isVisible());
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 0);
}

TEST_F(VarnockTest, AFailedDownloadKeepsWhatArrivedAndEndsWithOK)
{
    const qint64 cut = openSelection().at(1).size / 2;
    server_.setFault("/packages/2.1/FirmwareUpdatePackage.zip", Fault{.cutAfter = cut});
    nib().m_UpdateBtn->performClick(nullptr);
    ASSERT_TRUE(waitFor([&] { return nib().m_OKCancelBtn->title() == text(CM_UPDATER_STR_OK); }));
    EXPECT_TRUE(nib().m_ProcessInfoView->string().endsWith(text(CM_UPDATER_CHECKSTATE_DOWNLOADFAILED_STR)));
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 100);
    EXPECT_EQ(QFileInfo(downloaded("FirmwareUpdatePackage.zip.tmp")).size(), cut);

    nib().m_OKCancelBtn->performClick(nullptr);
    EXPECT_FALSE(nib().m_UpdateWnd->isVisible());
}

namespace
{

// Downloads kept from an earlier offer, and the offer recorded with them.
struct KeptCase {
    const char* name;
    bool offer;                // the new answer offers the sample packages (else a Flag)
    const char* lastCMVersion; // in LastDownload.plist; null: no entry
    const char* lastFWVersion;
    QStringList kept; // files in the download folder before the answer
    QStringList left; // ... and after it
    bool lastDownloadRewritten;
};

void PrintTo(const KeptCase& c, std::ostream* out)
{
    *out << c.name;
}

class KeptDownloads : public VarnockTest, public testing::WithParamInterface<KeptCase>
{
};

} // namespace

TEST_P(KeptDownloads, StayOnlyForTheVersionOnOffer)
{
    const KeptCase& c = GetParam();
    if (c.offer)
        makeSampleSite(site_.path());
    else
        writeNoOffer(site_.path(), 0, "the server is down");
    ns::Array lastFiles;
    if (c.lastCMVersion)
        lastFiles.append(ns::Dictionary{{"Filename", "CMUpdatePackage.zip"}, {"Version", c.lastCMVersion}});
    if (c.lastFWVersion)
        lastFiles.append(
            ns::Dictionary{{"Filename", "FirmwareUpdatePackage.zip"}, {"Version", c.lastFWVersion}});
    const QString lastDownload = library_.filePath("ModemList/LastDownload.plist");
    ASSERT_TRUE(ns::PropertyList::writeFile(lastDownload, ns::Dictionary{{"UpdateFile", lastFiles}}));
    for (const QString& name : c.kept)
        ASSERT_TRUE(writeFile(downloaded(name), "kept"));

    sendUpdate(UPDATE_MODE_AUTOMATIC);
    ASSERT_TRUE(waitFor([&] { return QFile::exists(downloaded("lastUpdateDateTime.plist")); }));

    QStringList left;
    for (const QString& name : c.kept)
        if (QFile::exists(downloaded(name)))
            left.append(name);
    EXPECT_EQ(left, c.left);
    const ns::Array recorded = ns::PropertyList::readDictionary(lastDownload)->value("UpdateFile").toArray();
    EXPECT_EQ(recorded.count() == 2 && recorded.at(0).toDictionary().contains("SHA256"),
              c.lastDownloadRewritten);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeptDownloads,
                         testing::Values(KeptCase{"SameVersionsStay",
                                                  true,
                                                  "2.1",
                                                  "2.1",
                                                  {"CMUpdatePackage.zip", "FirmwareUpdatePackage.zip.tmp"},
                                                  {"CMUpdatePackage.zip", "FirmwareUpdatePackage.zip.tmp"},
                                                  false},
                                         KeptCase{"AnotherVersionTakesBothFilesOfItsPackage",
                                                  true,
                                                  "2.1",
                                                  "2.0",
                                                  {"CMUpdatePackage.zip", "FirmwareUpdatePackage.zip",
                                                   "FirmwareUpdatePackage.zip.tmp"},
                                                  {"CMUpdatePackage.zip"},
                                                  true},
                                         KeptCase{"APackageMissingFromTheRecordGoes",
                                                  true,
                                                  nullptr,
                                                  "2.1",
                                                  {"CMUpdatePackage.zip.tmp", "FirmwareUpdatePackage.zip"},
                                                  {"FirmwareUpdatePackage.zip"},
                                                  true},
                                         KeptCase{"AFailedCheckTakesNothing",
                                                  false,
                                                  "2.1",
                                                  "2.0",
                                                  {"CMUpdatePackage.zip", "FirmwareUpdatePackage.zip.tmp"},
                                                  {"CMUpdatePackage.zip", "FirmwareUpdatePackage.zip.tmp"},
                                                  false}),
                         [](const testing::TestParamInfo<KeptCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(VarnockTest, WithoutARecordTheOfferIsRecordedAndNothingGoes)
{
    makeSampleSite(site_.path());
    ASSERT_TRUE(writeFile(downloaded("CMUpdatePackage.zip"), "kept"));
    sendUpdate(UPDATE_MODE_AUTOMATIC);
    ASSERT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
    EXPECT_TRUE(QFile::exists(downloaded("CMUpdatePackage.zip")));
    const std::optional<ns::Dictionary> recorded =
        ns::PropertyList::readDictionary(library_.filePath("ModemList/LastDownload.plist"));
    ASSERT_TRUE(recorded);
    EXPECT_EQ(recorded->value("Version").stringValue(), "2.1");
}

TEST_F(VarnockTest, ChecksOffersAndDownloadsTheTickedPackagesVerified)
{
    const QList<SitePackage> packages = makeSampleSite(site_.path());
    ASSERT_EQ(packages.size(), 2);
    // As the connection manager sends it: no reply, over the socket.
    server_.setFault("/check", Fault{.hold = true});
    ASSERT_EQ(sendUpdateCommand(updateCommand(UPDATE_MODE_MANUAL, sampleLocalInfo(), true, "en")), ae::noErr);
    ASSERT_TRUE(waitFor(
        [&] { return nib().m_WaitInfoView->string() == text(CM_UPDATER_CHECKSTATE_SERVICEVERSION_STR); }));
    grab(nib().m_WaitWnd.get(), "wait");
    server_.releaseHeld();

    ASSERT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
    grab(nib().m_UpdateInfoWnd.get(), "information");
    nib().m_InfoNextBtn->performClick(nullptr);
    nib().m_PackageListView->selectRow(0, false);
    grab(nib().m_ModuleSelWnd.get(), "selection");

    server_.setFault("/packages/2.1/FirmwareUpdatePackage.zip", Fault{.hold = true});
    nib().m_UpdateBtn->performClick(nullptr);
    ASSERT_TRUE(
        waitFor([&] { return server_.requestCount("/packages/2.1/FirmwareUpdatePackage.zip") == 1; }));
    clock_.advance(75);
    ASSERT_TRUE(waitFor(
        [&] { return nib().m_ProcessInfoView->string().contains("Downloading CMUpdatePackage.zip"); }));
    grab(nib().m_UpdateWnd.get(), "downloading");
    server_.releaseHeld();

    ASSERT_TRUE(waitFor([&] { return !nib().m_OKCancelBtn->isEnabled(); }));
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 100);
    EXPECT_EQ(nib().m_ProcessInfoView->string(),
              "Downloading CMUpdatePackage.zip\r\nDownloading FirmwareUpdatePackage.zip");
    for (const SitePackage& package : packages) {
        EXPECT_EQ(sha256Of(downloaded(package.filename)), package.sha256);
        EXPECT_FALSE(QFile::exists(downloaded(package.filename + ".tmp")));
    }
    EXPECT_TRUE(readFile(downloaded("UserSelection.xml")).contains("FirmwareUpdatePackage.zip"));
    grab(nib().m_UpdateWnd.get(), "downloaded");
}
