#pragma once

#include <QString>

// The one modal alert of the program: the skinned alert panel when one
// exists (JOVAlertPanel::shareAlertPanel), else the standard alert panel with
// no third button. Returns the pressed button's code: 1 for the default
// button, 0 for the alternate one.
int NSRunAlertPanelExt(const QString& title, const QString& message, const QString& defaultButton,
                       const QString& alternateButton);
