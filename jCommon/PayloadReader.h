#pragma once

#include "jCommon/UIMsg.h"

#include <QString>

#include <cstdint>

// Fields of a received record's data, read without going past it: a
// little-endian int32 or float32 (0 outside the data), and the text before
// the first NUL within a fixed width (the whole width when it holds no NUL).
int32_t payloadInt32(const _UI_MSG& record, int offset);
float payloadFloat32(const _UI_MSG& record, int offset);
QString payloadText(const _UI_MSG& record, int offset, int width);
// Whether the text field holds its terminating NUL within its width (and the data).
bool payloadTextIsTerminated(const _UI_MSG& record, int offset, int width);

// "major/minor" for log lines.
QString recordName(const _UI_MSG& record);
