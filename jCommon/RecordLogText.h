#pragma once

#include "jCommon/UIMsg.h"

#include <QByteArray>

// The text one record leaves in the modem traffic log: its header and the
// valid bytes of its data in hexadecimal. The fields that carry a PIN, PUK,
// unlock code or device code (the requests 4/10, 4/11, 4/17, 5/23 and 5/27)
// and the user name and password of the dial parameters (0x0101/60) are
// written as asterisks, so no code or account ever reaches a log file.
QByteArray recordLogText(const _UI_MSG& record);

// The record with the bytes of its code and account fields replaced by '*'.
_UI_MSG withCodesMasked(const _UI_MSG& record);
