// The update manager's heavy paths: a package of 256 MiB (VARNOCK_BENCH_MIB
// sets another size) downloaded by the update agent over loopback, checked
// against its SHA-256 digest, beside curl fetching the same file from the same
// test update server; and the update description of 10,000 packages read
// into its dictionary.
#include "platform/agent/UpdateAgentInterface.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/TestUpdateServer.h"
#include "updater/XMLParse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>

namespace
{

qint64 packageBytes()
{
    const int mib = qEnvironmentVariableIntValue("VARNOCK_BENCH_MIB");
    return qint64(mib > 0 ? mib : 256) * 1024 * 1024;
}

// Waits for the agent's verdict on each download.
class Verdicts : public CMUpdaterInterface
{
public:
    void HaveNewVsersion() override {}
    void SetNowDownloadStatus(_CheckVersionState) override {}
    void DownloadProcess(const char*, int) override {}
    void DownloadFinished(bool ok) override
    {
        std::lock_guard lock(mutex_);
        verdicts_.push_back(ok);
        arrived_.notify_all();
    }
    bool next()
    {
        std::unique_lock lock(mutex_);
        arrived_.wait(lock, [this] { return !verdicts_.empty(); });
        const bool ok = verdicts_.front();
        verdicts_.erase(verdicts_.begin());
        return ok;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<bool> verdicts_;
};

// One site with the big package, its server, and a library folder whose
// UserSelection.xml chooses the package.
struct DownloadSite {
    QTemporaryDir site, library;
    updater_test::TestUpdateServer server{site.path()};
    updater_test::SitePackage package;
    QString downloadFolder = library.filePath("Auto_Update/download");

    DownloadSite()
    {
        QByteArray bytes(packageBytes(), Qt::Uninitialized);
        QRandomGenerator(1).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        package = updater_test::rawPackage(site.path(), "2.1", "CMUpdatePackage.zip", bytes);
        server.start();
        QDir().mkpath(downloadFolder);
        updater_test::writeUpdateSettings(library.filePath("ModemList/Update/UpdateCfg.ini"),
                                          server.baseUrl(), true);
        const ns::Dictionary selection{
            {"UpdateFile", ns::Array{ns::Dictionary{{"UpdateFile", ""},
                                                    {"Filename", package.filename},
                                                    {"Size", QString::number(package.size)},
                                                    {"SHA256", QString::fromLatin1(package.sha256)}}}},
            {"Server", ns::Array{ns::Dictionary{{"Url", server.baseUrl() + "/packages/2.1/"}}}}};
        XMLParse::sharedXMLParse().createResult(downloadFolder + "/UserSelection.xml", selection);
    }
    QString url() const { return server.baseUrl() + "/packages/2.1/" + package.filename; }
    void clean() const
    {
        QFile::remove(downloadFolder + "/" + package.filename);
        QFile::remove(downloadFolder + "/" + package.filename + ".tmp");
        QFile::remove(downloadFolder + "/curl.out");
    }
};

DownloadSite& site()
{
    static DownloadSite shared;
    return shared;
}

void BM_AgentDownload(benchmark::State& state)
{
    DownloadSite& s = site();
    Verdicts verdicts;
    UpdateAgentInterface* agent = GetUpdateAgentInterface();
    RegisterCMUpdaterInterface(&verdicts);
    agent->SetFilePath(QFile::encodeName(s.library.filePath("ModemList/Update/UpdateCfg.ini")).constData());
    agent->Init();
    for (auto _ : state) {
        state.PauseTiming();
        s.clean();
        state.ResumeTiming();
        agent->Download();
        if (!verdicts.next()) {
            state.SkipWithError("the download failed");
            break;
        }
    }
    UnInit();
    state.SetBytesProcessed(state.iterations() * s.package.size);
}
BENCHMARK(BM_AgentDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CurlDownload(benchmark::State& state)
{
    DownloadSite& s = site();
    if (QStandardPaths::findExecutable("curl").isEmpty()) {
        state.SkipWithError("curl is not installed");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        s.clean();
        state.ResumeTiming();
        if (QProcess::execute("curl", {"-s", "-o", s.downloadFolder + "/curl.out", s.url()}) != 0) {
            state.SkipWithError("curl failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * s.package.size);
}
BENCHMARK(BM_CurlDownload)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_GetUpdateInfo(benchmark::State& state)
{
    QTemporaryDir folder;
    QByteArray xml =
        "<UpdateDescription><PackageDescription><Version>2.1</Version><Description>Many</Description>"
        "<Device>TV-3G Stick</Device></PackageDescription>\n";
    for (int i = 0; i < state.range(0); ++i)
        xml += QStringLiteral(
                   " <UpdateFile Filename=\"Package%1.zip\" Version=\"2.1\" Size=\"%2\" PriorityFlag=\"1\" "
                   "SHA256=\"%3\">Package %1 of the update.</UpdateFile>\n")
                   .arg(i)
                   .arg(48213 + i)
                   .arg(QString(64, u'a'))
                   .toUtf8();
    xml += " <Server><Url>http://updates.example/packages/2.1/</Url></Server></UpdateDescription>\n";
    const QString path = folder.filePath("Description.xml");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(xml);
    file.close();
    XMLParse* parse = XMLParse::initWithFilePath(path);
    for (auto _ : state) {
        ns::Dictionary info;
        if (!parse->getUpdateInfo(info) || info.value("UpdateFile").toArray().count() != state.range(0)) {
            state.SkipWithError("the description was not read");
            break;
        }
    }
    XMLParse::cleanupXMLParse();
}
BENCHMARK(BM_GetUpdateInfo)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
