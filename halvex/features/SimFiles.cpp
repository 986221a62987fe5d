#include "halvex/features/SimFiles.h"

#include "halvex/Logging.h"
#include "halvex/Modem.h"
#include "halvex/Record.h"
#include "halvex/StepTable.h"
#include "jCommon/DeviceMessages.h"
#include "jCommon/FieldWidths.h"
#include "jCommon/PayloadWriter.h"

namespace halvex
{

namespace
{

// The name file: one byte of display condition and 16 of alpha identifier.
constexpr int kSpnFileBytes = 17;
constexpr uint8_t kUcs2Tag = 0x80;
constexpr uint8_t kByteBaseTag = 0x81;
constexpr uint8_t kWordBaseTag = 0x82;

_UI_MSG fileRecord(MessageID id, const QString& hexText)
{
    return makeRecord(id, kTypeReport, kResultSuccess,
                      PayloadWriter(FieldWidth::kSimFile).setText(0, FieldWidth::kSimFile, hexText).bytes());
}

// The GSM default alphabet byte of a character that has the same code there
// (letters, digits, space and most punctuation); '?' for the others.
uint8_t gsmByte(QChar c)
{
    const char16_t u = c.unicode();
    const bool same = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
                      QStringView(u" !\"#%&'()*+,-./:;<=>?").contains(c);
    return same ? uint8_t(u) : uint8_t('?');
}

// The first character outside the GSM default alphabet's shared range, which
// sets the compressed forms' base; the name's first character without one.
char16_t baseCharacter(const QString& name)
{
    for (QChar c : name)
        if (c.unicode() >= 0x80)
            return c.unicode();
    return name.isEmpty() ? 0 : name.at(0).unicode();
}

} // namespace

SimFiles::SimFiles(Modem& modem) : Feature(modem), spnFile_(modem.scenario().sim.spnFile) {}

void SimFiles::registerSteps(StepTable& steps)
{
    steps.registerStep(
        QStringLiteral("spn"),
        QStringLiteral("Writes the network's name into the SIM's service provider name file in a coding, "
                       "reported at once while the SIM is usable."),
        {{QStringLiteral("coding"), 0, 3,
          QStringLiteral("0 GSM default alphabet, 1 UCS-2, 2 UCS-2 on a byte base, 3 UCS-2 on a word base")},
         {QStringLiteral("condition"), 0, 3, QStringLiteral("the display condition's two bits")}},
        [this](const ns::Dictionary& arguments) {
            spnFile_ = spnFile(modem_.scenario().network.name,
                               SpnCoding(arguments.value(QStringLiteral("coding")).longLongValue()),
                               int(arguments.value(QStringLiteral("condition")).longLongValue()));
            qCInfo(lcHalvex) << "service provider name file" << spnFile_;
            if (ready_)
                reportSpn();
            return QString();
        });
}

void SimFiles::describeState(ns::Dictionary& state) const
{
    state.setValue(QStringLiteral("SPNFile"), spnFile_);
}

QString SimFiles::spnFile(const QString& name, SpnCoding coding, int displayCondition)
{
    QByteArray bytes(1, char(displayCondition));
    switch (coding) {
    case SpnCoding::GsmDefault:
        for (QChar c : name)
            bytes.append(char(gsmByte(c)));
        break;
    case SpnCoding::Ucs2:
        bytes.append(char(kUcs2Tag));
        for (QChar c : name)
            bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        break;
    case SpnCoding::CompressedByteBase:
    case SpnCoding::CompressedWordBase: {
        const bool wordBase = coding == SpnCoding::CompressedWordBase;
        // The byte base counts in steps of 128; the word base is exact.
        const char16_t base = wordBase ? baseCharacter(name) : char16_t(baseCharacter(name) & 0x7F80);
        bytes.append(char(wordBase ? kWordBaseTag : kByteBaseTag)).append(char(name.size()));
        if (wordBase)
            bytes.append(char(base >> 8)).append(char(base & 0xFF));
        else
            bytes.append(char(base >> 7));
        for (QChar c : name) {
            const int offset = int(c.unicode()) - int(base);
            if (c.unicode() >= 0x80 && offset >= 0 && offset < 0x80)
                bytes.append(char(0x80 | offset));
            else
                bytes.append(char(gsmByte(c)));
        }
        break;
    }
    }
    bytes = bytes.left(kSpnFileBytes);
    bytes.append(QByteArray(kSpnFileBytes - bytes.size(), char(0xFF)));
    return QString::fromLatin1(bytes.toHex().toUpper());
}

void SimFiles::simReady()
{
    const Scenario::Sim& sim = modem_.scenario().sim;
    ready_ = true;
    modem_.report(fileRecord(msg::device::kCheckSPDI, sim.spdiFile));
    reportSpn();
    modem_.report(fileRecord(msg::device::kCheckICCID, sim.iccidFile));
}

void SimFiles::reportSpn()
{
    modem_.report(fileRecord(msg::device::kCheckSPN, spnFile_));
}

} // namespace halvex
