#include "jCommon/UpdateLink.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ns/appkit/Application.h"
#include "updater/TerminationSignals.h"
#include "updater/UpdateControl.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Without a display the program runs offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnock"));
    // Varnock shows windows only while an update needs them, and ends when an
    // update is done, or on SIGTERM or SIGINT.
    QApplication::setQuitOnLastWindowClosed(false);

    // One Varnock at a time: the first one holds the update link.
    if (!ae::AppleEventManager::sharedAppleEventManager().listen(kUpdaterBundleIdentifier)) {
        std::fprintf(stderr, "Varnock: cannot register as %s (is another Varnock running?)\n",
                     qPrintable(kUpdaterBundleIdentifier));
        return 0;
    }

    terminateApplicationOnSignals();
    UpdateControl control;
    control.awakeFromNib();
    ns::Application& application = ns::Application::sharedApplication();
    application.setDelegate(&control);
    return application.run();
}
