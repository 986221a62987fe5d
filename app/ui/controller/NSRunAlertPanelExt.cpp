#include "app/ui/controller/NSRunAlertPanelExt.h"

#include "app/ui/controller/JOVAlertPanel.h"
#include "platform/ns/appkit/Alert.h"

int NSRunAlertPanelExt(const QString& title, const QString& message, const QString& defaultButton,
                       const QString& alternateButton)
{
    if (JOVAlertPanel* panel = JOVAlertPanel::shareAlertPanel())
        return panel->runAlertPanelTitle(title, message, defaultButton, alternateButton);
    return ns::runAlertPanel(title, message, defaultButton, alternateButton);
}
