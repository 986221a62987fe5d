#pragma once

#include "platform/ns/Value.h"

#include <QString>

// The rules of the profile window that need no window: which typed profile
// may be saved, the name of a new profile, the PDP type cells of the type
// matrices, the profile toggle and the replacement of the default profiles.
namespace profile_rules
{

// What the edit sheet holds when OK is pressed, as the checks read it.
struct ProfileForm {
    QString provider;
    // Selected row of the APN choice: 0 automatic, 1 the name typed.
    int apnRow = 0;
    QString apnName;
    int pdpType = 0;
    QString preDns;
    QString altDns;
    QString pdpAddress;
};

// The message of the first rule the form breaks ("Invalid Profile!", "Name
// already exists, please rename!", "Invalid APN!", "Invalid Preferred DNS!",
// "Invalid Alternate DNS!", "Invalid PDP Address!"), or a null string when it
// may be saved. The profile at selectedRow is the one being edited: its own
// name does not count as taken.
QString firstBrokenRule(const ProfileForm& form, const ns::Array& profiles, int selectedRow);
bool providerIsValid(const QString& provider);
bool providerIsTaken(const QString& provider, const ns::Array& profiles, int selectedRow);
bool apnIsValid(const QString& apnName, int apnRow);
bool ipAddressIsValid(const QString& address);
// An IPv6 DNS text fits the record's field.
bool ipv6DnsIsValid(const QString& dns);

// The pattern ("New%d") filled with the first number from 1 up that no
// profile has as its "provider".
QString newProviderName(const QString& pattern, const ns::Array& profiles);

// The PDP type codes and the cells of the two matrix shapes that show them.
enum class PdpMatrixShape { FourCell, ThreeCell, Other };
struct PdpCell {
    int row = -1;
    int column = -1;
    bool isValid() const { return row >= 0 && column >= 0; }
};
PdpMatrixShape pdpMatrixShape(int rows, int columns);
// The cell showing the code; no cell for a code outside 0 to 3 or another shape.
PdpCell cellOfPdpType(PdpMatrixShape shape, int code);
// The code of a selected cell; 0 for any cell that shows none.
int pdpTypeOfCell(PdpMatrixShape shape, PdpCell cell);
// The four-cell matrix's cell of code 1, which dual-PDP settings take away.
inline constexpr PdpCell kNeitherGroupCell{0, 1};

// The drop-down item the toggle between the first two profiles selects, from
// the item now selected (profile i is item i + 1).
int toggledProfileItem(int selectedItem, int defaultProfileNum);

// Puts the operator's defaults, in their order, in place of the first
// defaultProfileNum profiles. False, with nothing changed, for no defaults or
// a default count above the profile count.
bool replaceDefaultProfiles(ns::Array& profiles, int defaultProfileNum, const ns::Array& defaults);

} // namespace profile_rules
