#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArrayView>
#include <QString>

// The identity reports of the SIM and the device, decoded from their records
// within their fixed widths; a text without its NUL is logged once and taken
// to the end of its width.

// The text of an identity report: the IMSI (7/42), the firmware versions
// (7/44, 7/45), the own number (7/47), the hardware version (7/48), the model
// (7/49) and the serial number (7/50). Empty for any other message.
QString identityText(const _UI_MSG& record);

// 7/51: the MCC and MNC the device reports for profile matching.
struct DeviceMccMncRecord {
    QString mcc;
    QString mnc;

    static DeviceMccMncRecord fromRecord(const _UI_MSG& record);
};

// 7/39, 7/40, 7/41: the SIM file as hexadecimal text, a view into the record's
// data that ends at the first NUL or after 512 bytes.
QByteArrayView simFileText(const _UI_MSG& record);
