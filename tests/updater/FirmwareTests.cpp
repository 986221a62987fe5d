// The firmware step: the platform of a model, the download libraries loaded
// and joined, the image written into a flash target with its progress lines,
// and the failures before and during the download.
#include "jCommon/UpdateLink.h"
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/Bundle.h"
#include "tests/updater/FlashTarget.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "tests/updater/VarnockFixture.h"
#include "updater/UpdateTextKeys.h"
#include "updater/firmControl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <thread>

using namespace updater_test;

namespace
{

const QString kLibraries = QStringLiteral(TRELVAN_BUILD_DIR "/download-libraries");

QString progressText(int index)
{
    return firmControl::m_progress[index];
}

class FirmwareTest : public VarnockTest
{
protected:
    void SetUp() override
    {
        VarnockTest::SetUp();
        ASSERT_TRUE(target_.start());
        qputenv("VARNOCK_DOWNLOAD_PORT", QFile::encodeName(target_.portName()));
    }

    // Downloads the firmware package alone and answers the keep-power sheet with OK.
    void flash(const SampleContents& contents = {})
    {
        openSelection(contents);
        downloadChosen(true, false);
        ASSERT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
        nib().m_MakeSureOKBtn->performClick(nullptr);
        ASSERT_TRUE(waitFor([&] { return control_->updateState() == 7; }));
    }

    QStringList lines() const { return nib().m_ProcessInfoView->string().split("\r\n"); }
    QStringList texts(const QList<QString>& keys) const
    {
        QStringList result;
        for (const QString& key : keys)
            result.append(text(key));
        return result;
    }

    QTemporaryDir work_;
    FlashTarget target_{work_.filePath("flashed.bin")};
};

} // namespace

TEST(FirmwarePlatform, ComesFromTheModelTableThenThePlatformMap)
{
    ns::Bundle::setMainBundlePath(kVarnockBundle);
    const firmControl control;
    const std::pair<const char*, int> models[] = {
        {"TV-3G Stick", 0},  {"TV-EVDO Card", 2},   {"TV-HSPA Mini", 4},
        {"TV-21 Pocket", 5}, {"TV-LTE Stick", 6},   {"TV-LTE-A Stick", 10},
        {"tv-3g stick", -1}, {"Unknown Modem", -1}, {"", -1},
    };
    for (const auto& [model, platform] : models)
        EXPECT_EQ(control.getPlatForm(model), platform) << model;
    ns::Bundle::setMainBundlePath(QString());

    const QByteArray map = "<plist><dict><key>A</key><string>libtrelvanfw9.so</string>"
                           "<key>B</key><string>libmaker.so</string></dict></plist>";
    EXPECT_EQ(firmControl::platformInMap("A", map), 9);
    EXPECT_EQ(firmControl::platformInMap("B", map), firmControl::kUnknownPlatform);
    EXPECT_EQ(firmControl::platformInMap("A", "not a map"), firmControl::kUnknownPlatform);
    EXPECT_EQ(firmControl::platformLibraryName(2), "");
    EXPECT_EQ(firmControl::platformLibraryName(10), "libtrelvanfw10.so");
}

TEST_F(FirmwareTest, TheImageArrivesWholeWithTheLinesInOrderAndTheDaemonStopped)
{
    ASSERT_TRUE(modeswitch::ModeSwitchControl(kVarnockBundle + "/Contents/MacOS/Pernask").start());
    ASSERT_TRUE(waitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }));
    QByteArray image(100 * 1000, Qt::Uninitialized);
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7 + i / 251);
    SampleContents contents;
    contents.firmwareImage = image;
    // What an earlier update unpacked goes before the new archive is unpacked.
    ASSERT_TRUE(writeFile(downloaded("FirmwareUpdatePackage/stale.bin"), "old"));

    flash(contents);
    EXPECT_FALSE(QFileInfo::exists(downloaded("FirmwareUpdatePackage/stale.bin")));
    EXPECT_TRUE(QFileInfo::exists(downloaded("FirmwareUpdatePackage/firmware.plist")));
    EXPECT_TRUE(target_.isComplete());
    EXPECT_EQ(readFile(work_.filePath("flashed.bin")), image);
    EXPECT_EQ(target_.blocksTaken(), 26); // 25 blocks of the image, then the closing one
    EXPECT_FALSE(modeswitch::ModeSwitchControl::runningDaemon());

    const QStringList shown = lines();
    const QStringList expected = texts({progressText(1), progressText(0), progressText(15), progressText(18),
                                        CM_UPDATER_UPDATE_FIRMWARE_SUCCEED_STR});
    EXPECT_EQ(shown.mid(shown.size() - expected.size()), expected);
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 100);
    EXPECT_EQ(sheet(), nib().m_ReInsertModemWnd.get());
}

TEST_F(FirmwareTest, ARefusedBlockFailsTheFirmware)
{
    target_.refuseBlock(3);
    flash();
    EXPECT_FALSE(target_.isComplete());
    const QStringList shown = lines();
    const QStringList expected =
        texts({progressText(0), progressText(27), CM_UPDATER_UPDATE_FIRMWARE_FAILED_STR});
    EXPECT_EQ(shown.mid(shown.size() - expected.size()), expected);
    EXPECT_EQ(sheet(), nib().m_ReInsertModemWnd.get());
}

TEST_F(FirmwareTest, AnArchiveThatIsNotTheChosenOneIsNeitherUnpackedNorWritten)
{
    openSelection();
    downloadChosen(true, false);
    ASSERT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
    QByteArray bytes = readFile(downloaded("FirmwareUpdatePackage.zip"));
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
    ASSERT_TRUE(writeFile(downloaded("FirmwareUpdatePackage.zip"), bytes));

    nib().m_MakeSureOKBtn->performClick(nullptr);
    EXPECT_EQ(control_->updateState(), 7);
    EXPECT_EQ(lines().mid(lines().size() - 2),
              texts({CM_UPDATER_UNZIP_FAILED_STR, CM_UPDATER_UPDATE_FIRMWARE_FAILED_STR}));
    EXPECT_FALSE(QFileInfo::exists(downloaded("FirmwareUpdatePackage")));
    EXPECT_EQ(target_.blocksTaken(), 0);
}

TEST_F(FirmwareTest, ProgressRecordsShowTheirTextOnce)
{
    struct Record {
        int32_t reserved[2];
        int32_t index, progress;
    };
    const Record records[] = {{{0, 0}, 15, 90}, {{0, 0}, 16, 95}, {{0, 0}, 46, 97}, {{0, 0}, -1, 98}};
    // From the platform library's thread: nothing reaches the windows there.
    std::thread library([&] {
        for (const Record& record : records)
            EXPECT_EQ(getDownloadInfo(&record), 1);
        EXPECT_EQ(getDownloadInfo(nullptr), 1);
    });
    library.join();
    EXPECT_EQ(nib().m_ProcessInfoView->string(), "");
    ASSERT_TRUE(waitFor([&] { return nib().m_ProcessBar->doubleValue() == 98; }));
    EXPECT_EQ(nib().m_ProcessInfoView->string(), text(progressText(15)));
}

namespace
{

struct EarlyFailureCase {
    const char* name;
    const char* model;
    // Builds the libraries' folder in the given one; null: the build's.
    std::function<bool(const QString&)> libraries;
    bool badManifest;
    const char* logged;
};

void PrintTo(const EarlyFailureCase& c, std::ostream* out)
{
    *out << c.name;
}

class EarlyFailure : public FirmwareTest, public testing::WithParamInterface<EarlyFailureCase>
{
};

bool linkLibrary(const QString& folder, const QString& name, const QString& target)
{
    return QFile::link(kLibraries + u'/' + target, folder + u'/' + name);
}

} // namespace

TEST_P(EarlyFailure, EndsTheFirmwareWithResultZero)
{
    const EarlyFailureCase& c = GetParam();
    if (c.libraries) {
        ASSERT_TRUE(c.libraries(work_.path()));
        qputenv("VARNOCK_DOWNLOAD_LIBRARIES", QFile::encodeName(work_.path()));
    }
    SampleContents contents;
    if (c.badManifest)
        contents.firmwareManifest = firmwareManifest(QByteArray(64 * 1024, 'x'));
    ns::Dictionary localInfo = sampleLocalInfo();
    LogCapture log;
    if (QByteArray(c.model) != "TV-3G Stick") {
        // The offer is for the model the device reports.
        const QList<SitePackage> packages = makeSampleSite(site_.path(), contents);
        writeOffer(site_.path(), "2.1", c.model, packages);
        localInfo.setValue(kDEVICE_TYPE, c.model);
        sendUpdate(UPDATE_MODE_MANUAL, localInfo);
        ASSERT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
        nib().m_InfoNextBtn->performClick(nullptr);
        downloadChosen(true, false);
        ASSERT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
        nib().m_MakeSureOKBtn->performClick(nullptr);
    } else {
        flash(contents);
    }
    EXPECT_EQ(control_->updateState(), 7);
    EXPECT_EQ(lines().last(), text(CM_UPDATER_UPDATE_FIRMWARE_FAILED_STR));
    EXPECT_TRUE(log.contains(c.logged));
    EXPECT_EQ(target_.blocksTaken(), 0);
    EXPECT_EQ(sheet(), nib().m_ReInsertModemWnd.get());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EarlyFailure,
    testing::Values(
        EarlyFailureCase{
            "NoPortLibrary", "TV-3G Stick",
            [](const QString& folder) { return linkLibrary(folder, "libtrelvanfw0.so", "libtrelvanfw0.so"); },
            false, "libtrelvanport.so"},
        EarlyFailureCase{"NoDownloadFunction", "TV-3G Stick",
                         [](const QString& folder) {
                             return linkLibrary(folder, "libtrelvanport.so", "libtrelvanport.so") &&
                                    linkLibrary(folder, "libtrelvanfw0.so", "libtrelvanport.so");
                         },
                         false, "download is missing"},
        EarlyFailureCase{"PackageRefused", "TV-3G Stick", nullptr, true, "The download file is not correct."},
        EarlyFailureCase{"WrongPlatformLibrary", "TV-3G Stick",
                         [](const QString& folder) {
                             return linkLibrary(folder, "libtrelvanport.so", "libtrelvanport.so") &&
                                    linkLibrary(folder, "libtrelvanfw0.so", "libtrelvanfw4.so");
                         },
                         false, "platform is not correct,the dylib is not correct"},
        EarlyFailureCase{"UnknownModel", "Unknown Modem", nullptr, false, "has no platform library"},
        EarlyFailureCase{"PlatformWithoutLibrary", "TV-EVDO Card", nullptr, false,
                         "has no platform library"}),
    [](const testing::TestParamInfo<EarlyFailureCase>& info) { return std::string(info.param.name); });

TEST_F(FirmwareTest, ASecondStartOpensTheLibrariesAgain)
{
    const QByteArray image(10000, 'i');
    ASSERT_TRUE(writeFile(work_.filePath("FirmwareUpdatePackage/firmware.bin"), image));
    ASSERT_TRUE(writeFile(work_.filePath("FirmwareUpdatePackage/firmware.plist"), firmwareManifest(image)));
    const QString libraries = work_.filePath("libraries");
    ASSERT_TRUE(QDir().mkpath(libraries));
    ASSERT_TRUE(QFile::copy(kLibraries + "/libtrelvanport.so", libraries + "/libtrelvanport.so"));
    ASSERT_TRUE(QFile::copy(kLibraries + "/libtrelvanfw0.so", libraries + "/libtrelvanfw0.so"));
    qputenv("VARNOCK_DOWNLOAD_LIBRARIES", QFile::encodeName(libraries));
    const ns::Dictionary parameters{{"platform", "TV-3G Stick"}};

    firmControl firmware;
    ASSERT_TRUE(firmware.StartUpdateFW(work_.path(), parameters));
    ASSERT_TRUE(waitFor([&] { return !firmware.isDownloading(); }));
    EXPECT_TRUE(target_.isComplete());

    // Another library under the same name now: the second start loads it
    // (one for platform 4, which refuses platform 0), not the first one kept open.
    ASSERT_TRUE(QFile::remove(libraries + "/libtrelvanfw0.so"));
    ASSERT_TRUE(QFile::copy(kLibraries + "/libtrelvanfw4.so", libraries + "/libtrelvanfw0.so"));
    LogCapture log;
    EXPECT_FALSE(firmware.StartUpdateFW(work_.path(), parameters));
    EXPECT_TRUE(log.contains("platform is not correct"));
}

TEST_F(FirmwareTest, NoStartWhileADownloadRuns)
{
    const QByteArray image(20000, 'r');
    ASSERT_TRUE(writeFile(work_.filePath("FirmwareUpdatePackage/firmware.bin"), image));
    ASSERT_TRUE(writeFile(work_.filePath("FirmwareUpdatePackage/firmware.plist"), firmwareManifest(image)));
    const ns::Dictionary parameters{{"platform", "TV-3G Stick"}};
    target_.holdAnswers(true);
    firmControl firmware;
    ASSERT_TRUE(firmware.StartUpdateFW(work_.path(), parameters));
    LogCapture log;
    EXPECT_FALSE(firmware.StartUpdateFW(work_.path(), parameters));
    EXPECT_TRUE(log.contains("A firmware download still runs"));
    target_.holdAnswers(false);
    ASSERT_TRUE(waitFor([&] { return !firmware.isDownloading(); }));
    EXPECT_EQ(readFile(work_.filePath("flashed.bin")), image);
}
