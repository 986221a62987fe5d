#include "jCommon/MccMnc.h"

#include <algorithm>
#include <array>

namespace
{

constexpr qsizetype kMccDigits = 3;
constexpr uint8_t kFiller = 0xF;

// The MCCs whose countries assign three-digit MNCs (ITU-T E.212): Canada, the
// United States, Puerto Rico, Mexico, the Caribbean countries of the North
// American numbering plan, Honduras, Argentina, Colombia and the Falkland
// Islands. Countries that mix two- and three-digit MNCs are left out: their
// IMSIs are read with two, unless the registered network says otherwise.
constexpr std::array kThreeDigitMncMccs = {302, 310, 311, 312, 313, 314, 315, 316, 330,
                                           334, 338, 342, 344, 346, 348, 352, 354, 356,
                                           358, 360, 365, 366, 376, 708, 722, 732, 750};
static_assert(std::is_sorted(kThreeDigitMncMccs.begin(), kThreeDigitMncMccs.end()), "searched by halves");

bool isDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QChar digit(uint8_t value)
{
    return QChar(u'0' + value);
}

} // namespace

QString mccMncText(QStringView mcc, QStringView mnc)
{
    if (mcc.size() != kMccDigits || mnc.isEmpty() || mnc.size() > 3 || !isDigits(mcc) || !isDigits(mnc))
        return QString();
    QString code;
    code.reserve(6);
    code.append(mcc);
    if (mnc.size() == 1)
        code.append(u'0');
    code.append(mnc);
    return code;
}

QString mccMncFromPlmn(uint8_t byte1, uint8_t byte2, uint8_t byte3)
{
    const std::array<uint8_t, 5> digits = {uint8_t(byte1 & 0xF), uint8_t(byte1 >> 4), uint8_t(byte2 & 0xF),
                                           uint8_t(byte3 & 0xF), uint8_t(byte3 >> 4)};
    const uint8_t thirdMncDigit = byte2 >> 4;
    if (std::any_of(digits.begin(), digits.end(), [](uint8_t d) { return d > 9; }) ||
        (thirdMncDigit > 9 && thirdMncDigit != kFiller))
        return QString();
    QString code;
    code.reserve(6);
    for (uint8_t d : digits)
        code.append(digit(d));
    if (thirdMncDigit != kFiller)
        code.append(digit(thirdMncDigit));
    return code;
}

bool mccHasThreeDigitMnc(QStringView mcc)
{
    if (mcc.size() != kMccDigits || !isDigits(mcc))
        return false;
    return std::binary_search(kThreeDigitMncMccs.begin(), kThreeDigitMncMccs.end(), mcc.toInt());
}

QString mccMncFromImsi(QStringView imsi, QStringView registeredMccMnc)
{
    const QStringView mcc = imsi.first(std::min(imsi.size(), kMccDigits));
    qsizetype mncDigits = mccHasThreeDigitMnc(mcc) ? 3 : 2;
    if (isMccMncText(registeredMccMnc) && registeredMccMnc.startsWith(mcc))
        mncDigits = registeredMccMnc.size() - kMccDigits;
    const qsizetype length = kMccDigits + mncDigits;
    if (imsi.size() < length || !isDigits(imsi.first(length)))
        return QString();
    return imsi.first(length).toString();
}

bool isMccMncText(QStringView text)
{
    return (text.size() == 5 || text.size() == 6) && isDigits(text);
}

QString mccOfMccMnc(QStringView mccMnc)
{
    return isMccMncText(mccMnc) ? mccMnc.first(kMccDigits).toString() : QString();
}
