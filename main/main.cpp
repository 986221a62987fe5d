#include "app/language/LanguageOperation.h"
#include "app/startup/ProcessGuard.h"
#include "main/MainNib.h"
#include "platform/ns/appkit/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (!isSingleInstance())
        return 0;
    // Without a display the program runs offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);

    setKLog();
    LanguageOperation::sharedLanguageOperation().initLanguage();
    installSignalHandler();

    MainNib nib;
    nib.awakeFromNib();
    return ns::Application::sharedApplication().run();
}
