// The scenario reader: a valid scenario changed key by key (removed, given a
// value of any type, or a text close to a valid one), then read. A scenario
// the reader takes is played for a few seconds, so one it should have
// refused shows itself in the modem.
#include "fuzz/FuzzedPropertyList.h"
#include "halvex/Modem.h"
#include "halvex/Scenario.h"
#include "platform/ns/Clock.h"

#include <QLoggingCategory>

namespace
{

const ns::Dictionary& baseScenario()
{
    static const ns::Dictionary base{
        {"Device", ns::Dictionary{{"IMEI", "351234567890128"},
                                  {"FirmwareVersion", "11.2.33.44.555"},
                                  {"HardwareVersion", "HW-7C"},
                                  {"Model", "Test Stick"},
                                  {"SerialNumber", "SN0123456789"},
                                  {"DeviceMode", 3}}},
        {"SIM", ns::Dictionary{{"State", "Ready"},
                               {"Type", "USIM"},
                               {"IMSI", "001010987654321"},
                               {"OwnNumber", "+15550100"},
                               {"PIN", "4321"},
                               {"PUK", "87654321"},
                               {"PinAttemptsLeft", 3},
                               {"PukAttemptsLeft", 10},
                               {"SPNFile", "01566F6E746F72FFFF"},
                               {"SPDIFile", "A305800300F120"},
                               {"ICCIDFile", "98103254769810325476"}}},
        {"Network", ns::Dictionary{{"MCC", "001"},
                                   {"MNC", "01"},
                                   {"Name", "Home Net"},
                                   {"AlternativeName", "Home"},
                                   {"Type", "HSPA+"},
                                   {"Domain", "CS_PS"},
                                   {"Roaming", false},
                                   {"ShowSIMOperatorName", true},
                                   {"LocationAreaCode", "1B2C"},
                                   {"CellID", "00C0FFEE"},
                                   {"SignalLevel", 3},
                                   {"NationalRoamingSwitch", true},
                                   {"InternationalRoamingSwitch", false}}},
        {"Timing", ns::Dictionary{{"ReportInterval", 0.05},
                                  {"ReplyDelay", 0.02},
                                  {"CodeCheckDelay", 0.3},
                                  {"SignalChangeInterval", 8},
                                  {"HandshakeRetryInterval", 1.0}}},
    };
    return base;
}

// Texts near the valid ones: digits, hexadecimal, the choices, and lengths
// at the field widths.
QString nearText(FuzzedDataProvider& in)
{
    static const char* const kTexts[] = {"",
                                         "0",
                                         "+",
                                         "00101",
                                         "999999999999999",
                                         "0000000000000000",
                                         "ABCDEF",
                                         "abc",
                                         "A",
                                         "PinLocked",
                                         "PukLocked",
                                         "Absent",
                                         "SIM",
                                         "CS_ONLY",
                                         "PS_ONLY",
                                         "GSM",
                                         "EDGE",
                                         "\xc3\xa9"};
    QString text = QString::fromUtf8(kTexts[in.ConsumeIntegralInRange<size_t>(0, std::size(kTexts) - 1)]);
    return text.repeated(in.ConsumeIntegralInRange(1, 600));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    ns::Dictionary root = baseScenario().deepCopy();
    for (int changes = in.ConsumeIntegralInRange(0, 6); changes > 0 && in.remaining_bytes() > 0; --changes) {
        QStringList sections = root.keys();
        sections << QString::fromUtf8(in.ConsumeRandomLengthString(12));
        const QString sectionName = sections.at(in.ConsumeIntegralInRange<int>(0, int(sections.size()) - 1));
        ns::Dictionary section = root.value(sectionName).toDictionary();
        QStringList keys = section.keys();
        keys << QString::fromUtf8(in.ConsumeRandomLengthString(12));
        const QString key = keys.at(in.ConsumeIntegralInRange<int>(0, int(keys.size()) - 1));
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            section.remove(key);
            break;
        case 1:
            section.setValue(key, nearText(in));
            break;
        case 2:
            root.setValue(sectionName, consumeValue(in));
            continue;
        default:
            section.setValue(key, consumeValue(in));
            break;
        }
        root.setValue(sectionName, section);
    }

    QString error;
    const std::optional<halvex::Scenario> scenario = halvex::Scenario::fromDictionary(root, &error);
    if (!scenario) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }

    ns::ManualClock clock;
    ns::Clock::setCurrent(&clock);
    {
        halvex::Modem modem(*scenario, [](const _UI_MSG&) { return halvex::Delivery::Delivered; });
        modem.powerOn();
        clock.advance(5);
    }
    ns::Clock::setCurrent(nullptr);
    return 0;
}
