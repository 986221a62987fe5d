#include "connection/ProfileRules.h"

namespace profile_rules
{

namespace
{

const QString kProviderKey = QStringLiteral("provider");
const QString kUnspecifiedAddress = QStringLiteral("0.0.0.0");
// The longest IPv6 DNS text the record's field holds with its NUL.
constexpr int kLongestIPv6Dns = 40;

} // namespace

bool providerIsValid(const QString& provider)
{
    return !provider.isEmpty() && !provider.startsWith(QLatin1Char(' ')) &&
           !provider.endsWith(QLatin1Char(' '));
}

bool providerIsTaken(const QString& provider, const ns::Array& profiles, int selectedRow)
{
    for (int row = 0; row < profiles.count(); ++row) {
        if (row != selectedRow && profiles.at(row).toDictionary().value(kProviderKey).toString() == provider)
            return true;
    }
    return false;
}

bool apnIsValid(const QString& apnName, int apnRow)
{
    if (apnName.isEmpty())
        return apnRow != 1;
    return !apnName.startsWith(QLatin1Char('-')) && !apnName.endsWith(QLatin1Char('-'));
}

bool ipAddressIsValid(const QString& address)
{
    return address != kUnspecifiedAddress;
}

bool ipv6DnsIsValid(const QString& dns)
{
    return dns.length() <= kLongestIPv6Dns;
}

QString firstBrokenRule(const ProfileForm& form, const ns::Array& profiles, int selectedRow)
{
    if (!providerIsValid(form.provider))
        return QStringLiteral("Invalid Profile!");
    if (providerIsTaken(form.provider, profiles, selectedRow))
        return QStringLiteral("Name already exists, please rename!");
    // Type 2 connects without an IPv4 APN.
    if (form.pdpType != 2 && !apnIsValid(form.apnName, form.apnRow))
        return QStringLiteral("Invalid APN!");
    if (!ipAddressIsValid(form.preDns))
        return QStringLiteral("Invalid Preferred DNS!");
    if (!ipAddressIsValid(form.altDns))
        return QStringLiteral("Invalid Alternate DNS!");
    if (!ipAddressIsValid(form.pdpAddress))
        return QStringLiteral("Invalid PDP Address!");
    return QString();
}

QString newProviderName(const QString& pattern, const ns::Array& profiles)
{
    // One more number than there are profiles is always free.
    for (int number = 1;; ++number) {
        QString name = pattern;
        name.replace(QStringLiteral("%d"), QString::number(number));
        if (!providerIsTaken(name, profiles, -1))
            return name;
    }
}

PdpMatrixShape pdpMatrixShape(int rows, int columns)
{
    if (rows == 2 && columns == 2)
        return PdpMatrixShape::FourCell;
    if (rows == 1 && columns == 3)
        return PdpMatrixShape::ThreeCell;
    return PdpMatrixShape::Other;
}

PdpCell cellOfPdpType(PdpMatrixShape shape, int code)
{
    static constexpr PdpCell kFourCells[] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    static constexpr int kThreeCellColumns[] = {0, 0, 1, 2};
    if (code < 0 || code > 3)
        return {};
    switch (shape) {
    case PdpMatrixShape::FourCell:
        return kFourCells[code];
    case PdpMatrixShape::ThreeCell:
        return {0, kThreeCellColumns[code]};
    case PdpMatrixShape::Other:
        break;
    }
    return {};
}

int pdpTypeOfCell(PdpMatrixShape shape, PdpCell cell)
{
    static constexpr int kFourCellCodes[2][2] = {{0, 1}, {3, 2}};
    static constexpr int kThreeCellCodes[] = {0, 2, 3};
    switch (shape) {
    case PdpMatrixShape::FourCell:
        if (cell.row >= 0 && cell.row < 2 && cell.column >= 0 && cell.column < 2)
            return kFourCellCodes[cell.row][cell.column];
        break;
    case PdpMatrixShape::ThreeCell:
        if (cell.row == 0 && cell.column >= 0 && cell.column < 3)
            return kThreeCellCodes[cell.column];
        break;
    case PdpMatrixShape::Other:
        break;
    }
    return 0;
}

int toggledProfileItem(int selectedItem, int defaultProfileNum)
{
    if (selectedItem == 1)
        return 2;
    if (selectedItem == 2 || selectedItem > defaultProfileNum)
        return 1;
    return selectedItem;
}

bool replaceDefaultProfiles(ns::Array& profiles, int defaultProfileNum, const ns::Array& defaults)
{
    if (defaults.isEmpty() || defaultProfileNum > profiles.count())
        return false;
    for (int i = 0; i < defaultProfileNum; ++i)
        profiles.removeAt(0);
    for (int i = 0; i < defaults.count(); ++i)
        profiles.insert(i, defaults.at(i));
    return true;
}

} // namespace profile_rules
