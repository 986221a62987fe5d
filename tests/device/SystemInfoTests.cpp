#include "tests/device/DeviceCoreTestSupport.h"

#include "device/DriverVersion.h"
#include "device/GetSystemInfo.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;

namespace
{

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class SystemInfoTest : public ::testing::Test
{
protected:
    SystemInfoTest() { QDir(dir_.path()).mkpath("ModemList"); }

    GetSystemInfo::Sources sources() const
    {
        GetSystemInfo::Sources sources;
        sources.osRelease = dir_.filePath("etc/os-release");
        sources.osReleaseFallback = dir_.filePath("usr/lib/os-release");
        sources.dmiFolder = dir_.filePath("dmi");
        sources.reportFile = dir_.filePath("ModemList/SystemInfomation.xml");
        sources.environment = QProcessEnvironment();
        return sources;
    }
    QString path(const char* name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(SystemInfoTest, OsVersionFromOsRelease)
{
    const struct {
        const char* what;
        const char* file;
        const char* fallback;
        QString version;
    } cases[] = {
        {"pretty name", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         nullptr, "Debian GNU/Linux 12 (bookworm)"},
        {"name and version", "NAME='Trelvan OS'\nVERSION=\"1.0 \\\"Quiet\\\"\"\n# PRETTY_NAME=x\n", nullptr,
         "Trelvan OS 1.0 \"Quiet\""},
        {"bare values, nothing named", "ID=debian\n", nullptr, "Linux"},
        {"the fallback file", nullptr, "PRETTY_NAME=Fallback\n", "Fallback"},
        {"neither file", nullptr, nullptr, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("etc/os-release"));
        QFile::remove(path("usr/lib/os-release"));
        if (c.file)
            writeFile(path("etc/os-release"), c.file);
        if (c.fallback)
            writeFile(path("usr/lib/os-release"), c.fallback);
        GetSystemInfo info(sources());
        EXPECT_EQ(info.getOSVersion(), c.version);
        EXPECT_EQ(info.osVersion(), c.version);
    }
}

TEST_F(SystemInfoTest, FirstPreferredLanguage)
{
    GetSystemInfo::Sources withLanguages = sources();
    withLanguages.environment.insert("LANGUAGE", "pt_PT:de");
    withLanguages.environment.insert("LANG", "en_GB.UTF-8");
    GetSystemInfo info(withLanguages);
    EXPECT_EQ(info.getOSLanguage(), "pt-PT");
    EXPECT_EQ(GetSystemInfo(sources()).getOSLanguage(), "en");
}

TEST_F(SystemInfoTest, MachineModelGoesThroughTheReportFile)
{
    writeFile(path("dmi/product_name"), "ThinkPad X1 Carbon\n");
    GetSystemInfo info(sources());
    EXPECT_EQ(info.getPCModel(), "ThinkPad X1 Carbon");
    EXPECT_EQ(info.PCModel(), "ThinkPad X1 Carbon");
    EXPECT_EQ(GetSystemInfo::machineNameInReport(path("ModemList/SystemInfomation.xml")),
              "ThinkPad X1 Carbon");

    QFile::remove(path("dmi/product_name"));
    writeFile(path("dmi/board_name"), "X99-Board\n");
    EXPECT_EQ(info.getPCModel(), "X99-Board");

    QFile::remove(path("dmi/board_name"));
    EXPECT_TRUE(info.getPCModel().isNull());
    EXPECT_TRUE(info.PCModel().isNull());
}

TEST_F(SystemInfoTest, ReportIsSearchedInOrderAndReadWithinItsCap)
{
    const Array report{
        Dictionary{{"_dataType", "SPSoftwareDataType"},
                   {"_items", Array{Dictionary{{"os_version", "10.6"}}}}},
        Dictionary{
            {"_dataType", "SPHardwareDataType"},
            {"_items", Array{Dictionary{{"cpu_type", "x86"}}, Dictionary{{"machine_name", "MacBook"}}}}},
        Dictionary{{"_items", Array{Dictionary{{"machine_name", "Second"}}}}},
    };
    ASSERT_TRUE(ns::PropertyList::writeFile(path("report.xml"), report));
    EXPECT_EQ(GetSystemInfo::machineNameInReport(path("report.xml")), "MacBook");

    // The same report past the cap is cut, and a cut report does not parse.
    Array longReport = report.deepCopy();
    longReport.append(Dictionary{{"padding", QString(int(GetSystemInfo::kReportCap), u'x')}});
    ASSERT_TRUE(ns::PropertyList::writeFile(path("long.xml"), longReport));
    EXPECT_TRUE(GetSystemInfo::machineNameInReport(path("long.xml")).isNull());

    ASSERT_TRUE(ns::PropertyList::writeFile(path("dictionary.xml"), Dictionary{{"machine_name", "No"}}));
    EXPECT_TRUE(GetSystemInfo::machineNameInReport(path("dictionary.xml")).isNull());
    EXPECT_TRUE(GetSystemInfo::machineNameInReport(path("missing.xml")).isNull());
}

TEST(DriverVersion, KernelModuleVersionOrTheBundlesOwn)
{
    QTemporaryDir modules;
    const auto setVersion = [&modules](const char* module, const QByteArray& version) {
        writeFile(modules.filePath(module + QStringLiteral("/version")), version);
    };
    EXPECT_EQ(getDataCardDriverVersion(0, modules.path()), "");
    EXPECT_EQ(getDataCardDriverVersion(1, modules.path()), "");

    setVersion("cdc_acm", "v0.26, USB Abstract Control Model driver\n");
    EXPECT_EQ(getDataCardDriverVersion(1, modules.path()), "v0.26");
    EXPECT_EQ(getDataCardDriverVersion(0, modules.path()), "v0.26, USB Abstract Control Model driver");
    setVersion("option", "v0.7.2\n");
    EXPECT_EQ(getDataCardDriverVersion(0, modules.path()), "v0.7.2");

    TemporaryAppBundle app;
    EXPECT_EQ(getDriverVersion(0, modules.path()), "v0.7.2");
    ASSERT_TRUE(ns::PropertyList::writeFile(app.appPath() + "/Contents/Info.plist",
                                            Dictionary{{"DriverVersion", "2.0.1"}}));
    ns::Bundle::setMainBundlePath(app.appPath());
    EXPECT_EQ(getDriverVersion(0, modules.path()), "2.0.1");
}

} // namespace
