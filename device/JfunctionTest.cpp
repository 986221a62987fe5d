#include "device/JfunctionTest.h"

#include "app/config/ConfigManager.h"

namespace
{
const QString kTestSpn = QStringLiteral("TestSpn");
} // namespace

JfunctionTest::JfunctionTest(const ConfigManager& config) : config_(config) {}

QString JfunctionTest::text(const char* key) const
{
    return config_.getConfigurationByModuleAndKey(kTestSpn, QString::fromLatin1(key)).stringValue();
}

bool JfunctionTest::getTestSpnshowFlag() const
{
    return config_.getConfigurationByModuleAndKey(kTestSpn, QStringLiteral("Test_Spnshow_Flag")).boolValue();
}

QString JfunctionTest::getTestLocalSpn() const
{
    return text("Test_LocalSpn");
}

QString JfunctionTest::getTestHomeSpn() const
{
    return text("Test_HomeSpn");
}

QStringList JfunctionTest::getTestFriendlyList() const
{
    QStringList list;
    for (const ns::Value& code :
         config_.getConfigurationByModuleAndKey(kTestSpn, QStringLiteral("Test_FriendlyList")).toArray())
        list << code.stringValue();
    return list;
}

QString JfunctionTest::getTestCurrentLocalMccMnc() const
{
    return text("Test_CurrentLocalMccMnc");
}

QString JfunctionTest::getTestCurrentHomeMccMnc() const
{
    return text("Test_CurrentHomeMccMnc");
}

int JfunctionTest::getTestThe1and2Field() const
{
    return config_.getConfigurationByModuleAndKey(kTestSpn, QStringLiteral("Test_The1and2Field")).intValue();
}

QString JfunctionTest::getTestCurrentLongFormatSpn() const
{
    return text("Test_CurrentLongFormatSpn");
}

int JfunctionTest::getTestPnnOplFlag() const
{
    return config_.getConfigurationByModuleAndKey(kTestSpn, QStringLiteral("Test_PnnOplFlag")).intValue();
}
