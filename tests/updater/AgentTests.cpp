// The update agent library against the test update server: checks, and
// downloads that resume, verify and fall back.
#include "platform/agent/UpdateAgentInterface.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/TestUpdateServer.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "updater/XMLParse.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace updater_test;

namespace
{

// What the agent reports, from its thread.
class Recorder : public CMUpdaterInterface
{
public:
    void HaveNewVsersion() override
    {
        QMutexLocker lock(&mutex_);
        ++answers_;
    }
    void SetNowDownloadStatus(_CheckVersionState state) override
    {
        QMutexLocker lock(&mutex_);
        states_.append(state);
    }
    void DownloadFinished(bool ok) override
    {
        QMutexLocker lock(&mutex_);
        finished_.append(ok);
    }
    void DownloadProcess(const char* text, int percent) override
    {
        QMutexLocker lock(&mutex_);
        lines_.append(QStringLiteral("%1 %2").arg(QString::fromUtf8(text)).arg(percent));
    }

    int answers() const
    {
        QMutexLocker lock(&mutex_);
        return answers_;
    }
    QList<int> states() const
    {
        QMutexLocker lock(&mutex_);
        return states_;
    }
    QList<bool> finished() const
    {
        QMutexLocker lock(&mutex_);
        return finished_;
    }
    QStringList lines() const
    {
        QMutexLocker lock(&mutex_);
        return lines_;
    }
    void clear()
    {
        QMutexLocker lock(&mutex_);
        answers_ = 0;
        states_.clear();
        finished_.clear();
        lines_.clear();
    }

private:
    mutable QMutex mutex_;
    int answers_ = 0;
    QList<int> states_;
    QList<bool> finished_;
    QStringList lines_;
};

class AgentTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server_.start());
        ASSERT_TRUE(QDir().mkpath(downloadFolder()));
        setUp(true);
    }
    void TearDown() override { UnInit(); }

    void setUp(bool enableUpdate)
    {
        ASSERT_TRUE(writeUpdateSettings(library_.filePath("ModemList/Update/UpdateCfg.ini"),
                                        server_.baseUrl(), enableUpdate));
        agent_ = GetUpdateAgentInterface();
        RegisterCMUpdaterInterface(&recorder_);
        agent_->SetFilePath(
            QFile::encodeName(library_.filePath("ModemList/Update/UpdateCfg.ini")).constData());
        agent_->Init();
    }

    QString downloadFolder() const { return library_.filePath("Auto_Update/download"); }
    QString downloaded(const QString& name) const { return downloadFolder() + u'/' + name; }

    // The answer the agent wrote for the last check, as Varnock reads it.
    ns::Dictionary description() const
    {
        ns::Dictionary info;
        XMLParse::updateInfoFromData(readFile(downloaded("Description.xml")), info);
        return info;
    }

    // UserSelection.xml for the packages, fetched from the servers' folders in turn.
    void select(const QList<SitePackage>& packages, const QStringList& serverFolders)
    {
        ns::Array files;
        for (const SitePackage& package : packages)
            files.append(ns::Dictionary{{"UpdateFile", package.description},
                                        {"Filename", package.filename},
                                        {"Version", package.version},
                                        {"Size", QString::number(package.size)},
                                        {"SHA256", QString::fromLatin1(package.sha256)}});
        ns::Array servers;
        for (const QString& folder : serverFolders)
            servers.append(ns::Dictionary{{"Url", server_.baseUrl() + folder}});
        ASSERT_TRUE(XMLParse::sharedXMLParse().createResult(
            downloaded("UserSelection.xml"), ns::Dictionary{{"UpdateFile", files}, {"Server", servers}}));
    }

    // Downloads the selection; the agent's verdict.
    bool download()
    {
        const qsizetype before = recorder_.finished().size();
        agent_->Download();
        EXPECT_TRUE(QTest::qWaitFor([&] { return recorder_.finished().size() > before; }, 20000));
        return recorder_.finished().value(before);
    }

    void check(int mode)
    {
        const int before = recorder_.answers();
        agent_->Update(_UpdateMode(mode), _CLIENT_INFO());
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder_.answers() > before; }, 20000));
    }

    QTemporaryDir library_, site_;
    TestUpdateServer server_{site_.path()};
    Recorder recorder_;
    UpdateAgentInterface* agent_ = nullptr;
};

struct FailureCase {
    const char* name;
    std::function<void(const QString& site, TestUpdateServer& server)> arrange;
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.name;
}

class AgentCheckFailure : public AgentTest, public testing::WithParamInterface<FailureCase>
{
};

} // namespace

TEST_F(AgentTest, WritesTheAnswerAsItCameAndTellsTheMode)
{
    const QList<SitePackage> packages = makeSampleSite(site_.path());
    ASSERT_EQ(packages.size(), 2);
    check(AUTO_UPDATE);

    QByteArray expected = readFile(site_.filePath("check.xml"));
    expected.replace("@BASE@", server_.baseUrl().toUtf8());
    EXPECT_EQ(readFile(downloaded("Description.xml")), expected);
    EXPECT_EQ(recorder_.states(), (QList<int>{CHECK_LOCAL_VERSION, CHECK_SERVER_VERSION}));
    ASSERT_EQ(server_.requestCount("/check"), 1);
    EXPECT_EQ(server_.requests().first().query.queryItemValue("MODE"), "3");
}

TEST_F(AgentTest, AnAutomaticCheckWithUpdatesOffAsksNothing)
{
    setUp(false);
    agent_->Update(AUTO_UPDATE, _CLIENT_INFO());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder_.states().isEmpty(); }, 20000));
    EXPECT_EQ(recorder_.states(), (QList<int>{NO_DOWNLOAD}));
    EXPECT_EQ(recorder_.answers(), 0);

    // The user's own check still asks.
    writeNoOffer(site_.path(), 3, "up to date");
    check(MANUAL_UPDATE);
    EXPECT_EQ(server_.requestCount("/check"), 1);
}

TEST_P(AgentCheckFailure, IsWrittenAsFlagZeroWithTheReason)
{
    GetParam().arrange(site_.path(), server_);
    check(MANUAL_UPDATE);
    const ns::Dictionary info = description();
    EXPECT_EQ(info.value("Flag"), ns::Value(0));
    EXPECT_FALSE(info.value("ErrMsg").stringValue().isEmpty());
    EXPECT_EQ(recorder_.answers(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AgentCheckFailure,
    testing::Values(FailureCase{"NoAnswerFile", [](const QString&, TestUpdateServer&) {}},
                    FailureCase{"ServerError",
                                [](const QString& site, TestUpdateServer& server) {
                                    makeSampleSite(site);
                                    server.setFault("/check", Fault{.status = 500});
                                }},
                    FailureCase{"CutAnswer",
                                [](const QString& site, TestUpdateServer& server) {
                                    makeSampleSite(site);
                                    server.setFault("/check", Fault{.cutAfter = 40});
                                }},
                    FailureCase{"OversizedAnswer",
                                [](const QString& site, TestUpdateServer&) {
                                    writeFile(site + "/check.xml", "<UpdateDescription>" +
                                                                       QByteArray(1024 * 1024, ' ') +
                                                                       "<Flag>2</Flag></UpdateDescription>");
                                }}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(AgentTest, DownloadsEveryPackageAndReportsItsProgress)
{
    const QList<SitePackage> packages = makeSampleSite(site_.path());
    ASSERT_EQ(packages.size(), 2);
    // The first server lacks the packages: the second one delivers them.
    select(packages, {"/missing/", "/packages/2.1/"});

    EXPECT_TRUE(download());
    for (const SitePackage& package : packages) {
        EXPECT_EQ(sha256Of(downloaded(package.filename)), package.sha256);
        EXPECT_FALSE(QFile::exists(downloaded(package.filename + ".tmp")));
    }
    EXPECT_EQ(recorder_.states(), (QList<int>{DOWNLOADING, DOWNLOAD_SUCCEED}));
    const QStringList lines = recorder_.lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), "Downloading CMUpdatePackage.zip 0");
    EXPECT_EQ(lines.last(), "Downloading FirmwareUpdatePackage.zip 100");
}

TEST_F(AgentTest, ResumesACutPackageByRange)
{
    const QByteArray bytes(300000, 'z');
    const SitePackage package = rawPackage(site_.path(), "2.1", "CMUpdatePackage.zip", bytes);
    select({package}, {"/packages/2.1/"});
    server_.setFault("/packages/2.1/CMUpdatePackage.zip", Fault{.cutAfter = 120000});

    EXPECT_FALSE(download());
    EXPECT_EQ(QFileInfo(downloaded("CMUpdatePackage.zip.tmp")).size(), 120000);
    EXPECT_FALSE(QFile::exists(downloaded("CMUpdatePackage.zip")));
    EXPECT_EQ(recorder_.states().last(), DOWNLOAD_FAILED);

    server_.clearFaults();
    EXPECT_TRUE(download());
    EXPECT_EQ(server_.requests().last().range, "bytes=120000-");
    EXPECT_EQ(sha256Of(downloaded("CMUpdatePackage.zip")), package.sha256);
    EXPECT_FALSE(QFile::exists(downloaded("CMUpdatePackage.zip.tmp")));
}

TEST_F(AgentTest, StartsAgainWhenTheServerIgnoresTheRange)
{
    const SitePackage package =
        rawPackage(site_.path(), "2.1", "CMUpdatePackage.zip", QByteArray(50000, 'r'));
    select({package}, {"/packages/2.1/"});
    ASSERT_TRUE(writeFile(downloaded("CMUpdatePackage.zip.tmp"), QByteArray(20000, 'r')));
    server_.setFault("/packages/2.1/CMUpdatePackage.zip", Fault{.ignoreRange = true});

    EXPECT_TRUE(download());
    EXPECT_EQ(sha256Of(downloaded("CMUpdatePackage.zip")), package.sha256);
}

TEST_F(AgentTest, ABadPackageLeavesNoFile)
{
    const SitePackage good = rawPackage(site_.path(), "2.1", "CMUpdatePackage.zip", QByteArray(40000, 'g'));
    SitePackage wrongDigest = good;
    wrongDigest.sha256 = QByteArray(64, 'a');
    SitePackage tooSmall = good; // the server's file is larger than the offer says
    tooSmall.size = 30000;

    for (const SitePackage& bad : {wrongDigest, tooSmall}) {
        select({bad}, {"/packages/2.1/"});
        EXPECT_FALSE(download());
        EXPECT_FALSE(QFile::exists(downloaded("CMUpdatePackage.zip")));
        EXPECT_FALSE(QFile::exists(downloaded("CMUpdatePackage.zip.tmp")));
    }
}
