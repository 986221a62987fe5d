#pragma once

#include <QString>
#include <QStringList>

class ConfigManager;

// The values of the settings module "TestSpn", with which a tester makes the
// operator-name display see names, codes and conditions of their choosing.
class JfunctionTest
{
public:
    explicit JfunctionTest(const ConfigManager& config);

    bool getTestSpnshowFlag() const;             // "Test_Spnshow_Flag"
    QString getTestLocalSpn() const;             // "Test_LocalSpn"
    QString getTestHomeSpn() const;              // "Test_HomeSpn"
    QStringList getTestFriendlyList() const;     // "Test_FriendlyList"
    QString getTestCurrentLocalMccMnc() const;   // "Test_CurrentLocalMccMnc"
    QString getTestCurrentHomeMccMnc() const;    // "Test_CurrentHomeMccMnc"
    int getTestThe1and2Field() const;            // "Test_The1and2Field"
    QString getTestCurrentLongFormatSpn() const; // "Test_CurrentLongFormatSpn"
    int getTestPnnOplFlag() const;               // "Test_PnnOplFlag"

private:
    QString text(const char* key) const;

    const ConfigManager& config_;
};
