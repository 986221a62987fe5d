#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Network codes (MCC and MNC) as one canonical decimal text, used for every
// comparison and key: the three digits of the MCC followed by the MNC's two
// digits, or three where the MNC has three ("46001", "310260").

// The code of an MCC and an MNC given as decimal digit texts. The MNC keeps
// the length it is given ("1" and "01" give two digits, "260" and "026"
// three). Empty when the MCC is not three digits or the MNC not one to three.
QString mccMncText(QStringView mcc, QStringView mnc);

// The code of a network in the three-byte form of the SIM's files: MCC digit
// 2 and 1, MNC digit 3 and MCC digit 3, MNC digit 2 and 1 (high and low
// nibble), with F in place of an absent third MNC digit. Empty when a digit
// is not decimal.
QString mccMncFromPlmn(uint8_t byte1, uint8_t byte2, uint8_t byte3);

// Whether the country of the MCC gives its networks three-digit MNCs
// (ITU-T E.212).
bool mccHasThreeDigitMnc(QStringView mcc);

// The home network's code at the head of an IMSI, which does not say how
// long its MNC is: where the registered network has the same MCC, its MNC's
// length wins; otherwise three digits when the MCC's country gives
// three-digit MNCs, else two. Empty when the IMSI does not begin with enough
// digits.
QString mccMncFromImsi(QStringView imsi, QStringView registeredMccMnc = {});

// Whether the text is a canonical code: five or six decimal digits.
bool isMccMncText(QStringView text);

// The MCC of a five- or six-digit code; empty for anything else.
QString mccOfMccMnc(QStringView mccMnc);
