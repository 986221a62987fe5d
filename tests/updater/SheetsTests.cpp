// What follows a complete download: the sheets that lead to the firmware and
// the connection manager's installation, the installer tool's reports and the
// firmware's result.
#include "jCommon/UpdateLink.h"
#include "platform/authorization/Authorization.h"
#include "tests/updater/FakeApplication.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "tests/updater/VarnockFixture.h"
#include "updater/UpdateTextKeys.h"

#include <gtest/gtest.h>

using namespace updater_test;

namespace
{

using SheetField = std::unique_ptr<ns::Window> UpdateNib::*;
using ButtonField = ns::Button* UpdateNib::*;

// The sheets and the update, where no administrator rights can be had: an
// installation that starts is refused at once.
class SheetsTest : public VarnockTest
{
protected:
    void SetUp() override
    {
        VarnockTest::SetUp();
        authorization::Authorization::setRunsAsRoot(false);
        authorization::Authorization::setPkexecPath(apps_.filePath("no-pkexec"));
    }

    ns::Window* window(SheetField field) const { return field ? (nib().*field).get() : nullptr; }
    QString lastLine() const { return nib().m_ProcessInfoView->string().split("\r\n").last(); }

    QTemporaryDir apps_;
    FakeApplication trelvan_{apps_.path(), "Trelvan", connectionManagerIdentifier()};
};

struct AfterDownloadCase {
    const char* name;
    bool firmware, connectionManager, device, trelvanRuns;
    SheetField sheet; // null: the installation starts (and is refused here)
};

void PrintTo(const AfterDownloadCase& c, std::ostream* out)
{
    *out << c.name;
}

class AfterDownload : public SheetsTest, public testing::WithParamInterface<AfterDownloadCase>
{
};

} // namespace

TEST_P(AfterDownload, OpensTheSheetOfTheChosenPackages)
{
    const AfterDownloadCase& c = GetParam();
    if (c.trelvanRuns) {
        ASSERT_TRUE(trelvan_.start());
    }
    openSelection({}, c.device);
    downloadChosen(c.firmware, c.connectionManager);
    EXPECT_EQ(sheet(), window(c.sheet));
    if (c.sheet) {
        EXPECT_EQ(control_->updateState(), 4);
        EXPECT_FALSE(nib().m_OKCancelBtn->isEnabled());
    } else {
        EXPECT_EQ(lastLine(), text(CM_UPDATE_AUTHFAILED_STR));
        EXPECT_EQ(control_->updateState(), 7);
        EXPECT_EQ(nib().m_OKCancelBtn->title(), text(CM_UPDATER_STR_OK));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AfterDownload,
    testing::Values(
        AfterDownloadCase{"FirmwareWithoutDevice", true, false, false, false,
                          &UpdateNib::m_FirmwareCancelWnd},
        AfterDownloadCase{"FirmwareWhileTrelvanRuns", true, true, true, true, &UpdateNib::m_CloseUIWnd},
        AfterDownloadCase{"FirmwareKeepsPower", true, true, true, false, &UpdateNib::m_MakeSureModemWnd},
        AfterDownloadCase{"ConnectionManagerWhileTrelvanRuns", false, true, true, true,
                          &UpdateNib::m_CloseUIWnd},
        AfterDownloadCase{"ConnectionManagerInstalledAtOnce", false, true, true, false, nullptr}),
    [](const testing::TestParamInfo<AfterDownloadCase>& info) { return std::string(info.param.name); });

namespace
{

struct SheetAnswerCase {
    const char* name;
    bool firmware, connectionManager, device, trelvanAtDownload;
    SheetField first;
    bool trelvanAtAnswer;
    ButtonField button;
    SheetField next; // null: none
    int module, state;
};

void PrintTo(const SheetAnswerCase& c, std::ostream* out)
{
    *out << c.name;
}

class SheetAnswer : public SheetsTest, public testing::WithParamInterface<SheetAnswerCase>
{
};

} // namespace

TEST_P(SheetAnswer, LeadsOn)
{
    const SheetAnswerCase& c = GetParam();
    if (c.trelvanAtDownload) {
        ASSERT_TRUE(trelvan_.start());
    }
    openSelection({}, c.device);
    downloadChosen(c.firmware, c.connectionManager);
    ASSERT_EQ(sheet(), window(c.first));
    if (c.trelvanAtAnswer && !c.trelvanAtDownload) {
        ASSERT_TRUE(trelvan_.start());
    }
    if (!c.trelvanAtAnswer)
        trelvan_.stop();

    (nib().*c.button)->performClick(nullptr);
    EXPECT_EQ(sheet(), window(c.next));
    EXPECT_EQ(control_->selectedModule(), c.module);
    EXPECT_EQ(control_->updateState(), c.state);
    EXPECT_EQ(nib().m_OKCancelBtn->isEnabled(), c.state == 7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetAnswer,
    testing::Values(SheetAnswerCase{"KeepPowerCancelledWithBothGoesOnWithTheConnectionManager", true, true,
                                    true, false, &UpdateNib::m_MakeSureModemWnd, true,
                                    &UpdateNib::m_MakeSureCancelBtn, &UpdateNib::m_CloseUIWnd, 2, 4},
                    SheetAnswerCase{"KeepPowerCancelledWithTheFirmwareAloneFinishes", true, false, true,
                                    false, &UpdateNib::m_MakeSureModemWnd, false,
                                    &UpdateNib::m_MakeSureCancelBtn, nullptr, 0, 7},
                    SheetAnswerCase{"NoDeviceCancelledWithBothGoesOnWithTheConnectionManager", true, true,
                                    false, false, &UpdateNib::m_FirmwareCancelWnd, true,
                                    &UpdateNib::m_FirmwareCancelBtn, &UpdateNib::m_CloseUIWnd, 2, 4},
                    SheetAnswerCase{"CloseUIOKWhileTrelvanRunsKeepsTheSheet", true, false, true, true,
                                    &UpdateNib::m_CloseUIWnd, true, &UpdateNib::m_CloseUIOK,
                                    &UpdateNib::m_CloseUIWnd, 1, 4},
                    SheetAnswerCase{"CloseUIOKOnceTrelvanIsClosedAsksToKeepPower", true, true, true, true,
                                    &UpdateNib::m_CloseUIWnd, false, &UpdateNib::m_CloseUIOK,
                                    &UpdateNib::m_MakeSureModemWnd, 3, 4},
                    SheetAnswerCase{"CloseUICancelledWithTheFirmwareAloneFinishes", true, false, true, true,
                                    &UpdateNib::m_CloseUIWnd, true, &UpdateNib::m_CloseUICancel, nullptr, 0,
                                    7}),
    [](const testing::TestParamInfo<SheetAnswerCase>& info) { return std::string(info.param.name); });

TEST_F(SheetsTest, ACompatibleDeviceClosesTheNoDeviceSheet)
{
    openSelection({}, false);
    downloadChosen(true, false);
    ASSERT_EQ(sheet(), nib().m_FirmwareCancelWnd.get());
    grab(nib().m_FirmwareCancelWnd.get(), "sheet-device-not-found");

    ns::Dictionary other = sampleLocalInfo();
    other.setValue(kDEVICE_TYPE, "TV-21 Stick");
    ASSERT_EQ(sendUpdateCommand(deviceStateCommand(true, other, "en"), Delivery::WaitHandled), ae::noErr);
    EXPECT_EQ(sheet(), nib().m_FirmwareCancelWnd.get());

    ASSERT_EQ(sendUpdateCommand(deviceStateCommand(true, sampleLocalInfo(), "en"), Delivery::WaitHandled),
              ae::noErr);
    EXPECT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
    EXPECT_FALSE(nib().m_FirmwareCancelWnd->isVisible());
}

TEST_F(SheetsTest, TheInstallersProgressMovesTheBarAndNamesItsStep)
{
    const std::pair<int, QString> steps[] = {{0, CM_UPDATER_STARTUPDATE_CM_STR},
                                             {1, CM_UPDATER_UNZIP_PACKAGE_STR},
                                             {2, CM_UPDATER_BACKUPVERSION},
                                             {3, CM_UPDATER_UPDATE_CM_STR},
                                             {4, CM_UPDATER_STARTROLLBACK_STR},
                                             {5, CM_UPDATER_UPDATESUCCESS},
                                             {6, QString()},
                                             {-1, QString()},
                                             {9, QString()}};
    QStringList lines;
    double process = 0;
    for (const auto& [state, key] : steps) {
        process += 0.1;
        ASSERT_EQ(sendUpdateCommand(ns::Dictionary{{kCMD_ID, int(CMD_ID_UE_PROCESS)},
                                                   {kUPDA_PROCESS, process},
                                                   {kUPDA_STATE, state}},
                                    Delivery::WaitHandled),
                  ae::noErr);
        if (!key.isEmpty())
            lines.append(text(key));
        EXPECT_DOUBLE_EQ(nib().m_ProcessBar->doubleValue(), 100 * process) << state;
        EXPECT_EQ(nib().m_ProcessInfoView->string(), lines.join("\r\n")) << state;
    }
}

namespace
{

struct FirmwareResultCase {
    const char* name;
    int result;
    bool withConnectionManager;
    QString line; // empty: the download's line stays the last
    bool reinsert;
    int module;
};

void PrintTo(const FirmwareResultCase& c, std::ostream* out)
{
    *out << c.name;
}

class FirmwareResult : public SheetsTest, public testing::WithParamInterface<FirmwareResultCase>
{
};

} // namespace

TEST_P(FirmwareResult, ShowsItsLineThenTheConnectionManagerOrTheEnd)
{
    const FirmwareResultCase& c = GetParam();
    openSelection();
    downloadChosen(true, c.withConnectionManager);
    ASSERT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
    ns::Application::sharedApplication().endSheet(nib().m_MakeSureModemWnd.get());
    nib().m_MakeSureModemWnd->orderOut(nullptr);
    const QString before = nib().m_ProcessInfoView->string();

    control_->UpdateFWResult(c.result);
    QStringList lines = before.split("\r\n");
    if (!c.line.isEmpty())
        lines.append(text(c.line));
    if (c.withConnectionManager) // the installation follows, refused here
        lines.append(text(CM_UPDATE_AUTHFAILED_STR));
    EXPECT_EQ(nib().m_ProcessInfoView->string(), lines.join("\r\n"));
    EXPECT_EQ(sheet(), c.reinsert ? nib().m_ReInsertModemWnd.get() : nullptr);
    EXPECT_EQ(control_->selectedModule(), c.module);
    EXPECT_EQ(control_->updateState(), 7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirmwareResult,
    testing::Values(FirmwareResultCase{"Success", 1, false, CM_UPDATER_UPDATE_FIRMWARE_SUCCEED_STR, true, 1},
                    FirmwareResultCase{"Failure", 0, false, CM_UPDATER_UPDATE_FIRMWARE_FAILED_STR, true, 1},
                    FirmwareResultCase{"Other", 7, false, QString(), true, 1},
                    FirmwareResultCase{"SuccessThenTheConnectionManager", 1, true,
                                       CM_UPDATER_UPDATE_FIRMWARE_SUCCEED_STR, false, 1}),
    [](const testing::TestParamInfo<FirmwareResultCase>& info) { return std::string(info.param.name); });
