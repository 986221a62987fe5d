#pragma once

#include <QString>

namespace ns
{

enum AlertReturn { AlertDefaultReturn = 1, AlertAlternateReturn = 0, AlertOtherReturn = -1 };

// The standard alert panel: the title in bold above the message, the
// default button on the right (Return), the alternate button left of it
// (Escape) and the other button at the left edge. An empty default title
// means "OK"; an empty alternate or other title leaves that button out. The
// panel runs modally and returns the code of the pressed button. The texts
// are shown as given.
int runAlertPanel(const QString& title, const QString& message, const QString& defaultButton,
                  const QString& alternateButton = QString(), const QString& otherButton = QString());

} // namespace ns
