// A second Trelvan-family process for the distributed notification tests:
// observes "SettingsChanged" and prints each one it hears.
#include "platform/ns/DistributedNotificationCenter.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

class Printer : public ns::Object
{
public:
    Printer() { registerSelector("heard:", &Printer::heard); }
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
    QCoreApplication app(argc, argv);
    Printer printer;
    ns::DistributedNotificationCenter::defaultCenter().addObserver(&printer, "heard:", "SettingsChanged", "");
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
