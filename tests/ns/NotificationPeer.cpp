// A second Trelvan-family process for the notification tests: observes
// "SettingsChanged" and prints each one it hears, and ends when it hears
// "PeerQuit". With --block-observer-at-exit it adds a block observer to the
// default centre and ends at once.
#include "platform/ns/DistributedNotificationCenter.h"
#include "platform/ns/NotificationCenter.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

class Printer : public ns::Object
{
public:
    Printer()
    {
        registerSelector("heard:", &Printer::heard);
        registerSelector("quit:", [](Object*) { QCoreApplication::quit(); });
    }
    void heard(ns::Notification* n)
    {
        std::printf("%s:%s\n", qPrintable(n->name()),
                    n->userInfo().value("k").toString().toUtf8().constData());
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && qstrcmp(argv[1], "--block-observer-at-exit") == 0) {
        ns::NotificationCenter::defaultCenter().addObserverForName("Ping", nullptr,
                                                                   [](const ns::Notification&) {});
        return 0;
    }
    QCoreApplication app(argc, argv);
    Printer printer;
    ns::DistributedNotificationCenter::defaultCenter().addObserver(&printer, "heard:", "SettingsChanged", "");
    ns::DistributedNotificationCenter::defaultCenter().addObserver(&printer, "quit:", "PeerQuit", "");
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
