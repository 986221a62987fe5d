#pragma once

#include "jCommon/UIMsg.h"

#include <QString>

// Faults in what the device sends (records, SIM files) are decoded around and
// logged once per kind, so a modem that repeats a bad report does not fill
// the log. A kind is its source and fault, such as "7/49: the text at 0 has
// no NUL within 32 bytes".
void logInputFaultOnce(const QString& fault);

// The record's text field as payloadText reads it: all of the field when it
// holds no NUL, which is logged once.
QString recordText(const _UI_MSG& record, int offset, int width);
