#pragma once

namespace ns
{

// The system beep, as an alert sound for a failure the user should notice.
void beep();

} // namespace ns
